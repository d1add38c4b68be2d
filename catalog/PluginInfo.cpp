#include "catalog/PluginInfo.h"

#include "common/CommonFunctionsDetail.h"

using common_detail::SameText;

std::string TPluginInfo::GetParam(const std::string& name) const
{
    for (const std::string& line : params_) {
        std::size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(line.substr(0, eq), name))
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
    return SameText(GetParam(name), value);
}

void TPluginInfo::AssignDescriptor(const TAbstractPluginInfo& other)
{
    name_ = other.GetName();
    description_ = other.GetDescription();
    kind_ = other.GetKind();
    params_ = other.GetParams();
}
