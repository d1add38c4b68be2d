#include "catalog/PluginInfo.h"

#include <algorithm>

namespace {

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameTextAscii(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

}  // namespace

std::string TPluginInfo::GetParam(const std::string& name) const
{
    for (const std::string& line : params_) {
        std::size_t eq = line.find('=');
        if (eq != std::string::npos && SameTextAscii(line.substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return {};
}

void TPluginInfo::AddParam(const std::string& name, const std::string& value)
{
    params_.push_back(name + "=" + value);
}

bool TPluginInfo::ParamEquals(const std::string& name, const std::string& value) const
{
    return SameTextAscii(GetParam(name), value);
}

void TPluginInfo::AssignDescriptor(const TAbstractPluginInfo& other)
{
    name_ = other.GetName();
    description_ = other.GetDescription();
    kind_ = other.GetKind();
    params_ = other.GetParams();
}
