#include "editors/site/html/dialogs/DialogParams.h"

#include "common/CommonFunctionsDetail.h"

#include <algorithm>
#include <charconv>

namespace {

using common_detail::SameText;

// True when Line is "Name=..." for the name.
bool IsNamed(const std::string& line, const std::string& name)
{
    const std::size_t equals = line.find('=');
    return equals != std::string::npos && SameText(line.substr(0, equals), name);
}

std::string ValueOf(const std::string& line) { return line.substr(line.find('=') + 1); }

}  // namespace

std::string TDialogParams::Value(const std::string& name) const
{
    for (const std::string& line : lines_)
        if (IsNamed(line, name))
            return ValueOf(line);
    return {};
}

bool TDialogParams::Has(const std::string& name) const
{
    return std::any_of(lines_.begin(), lines_.end(), [&](const std::string& line) { return IsNamed(line, name); });
}

bool TDialogParams::IsYes(const std::string& name) const { return SameText(Value(name), "yes"); }

long long TDialogParams::Number(const std::string& name) const
{
    std::string text = Value(name);
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return 0;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

std::vector<std::string> TDialogParams::Values(const std::string& name) const
{
    std::vector<std::string> values;
    for (const std::string& line : lines_)
        if (IsNamed(line, name))
            values.push_back(ValueOf(line));
    return values;
}

void TDialogParams::Set(const std::string& name, const std::string& value)
{
    for (std::string& line : lines_)
        if (IsNamed(line, name)) {
            line = name + "=" + value;
            return;
        }
    lines_.push_back(name + "=" + value);
}

void TDialogParams::Remove(const std::string& name)
{
    std::erase_if(lines_, [&](const std::string& line) { return IsNamed(line, name); });
}
