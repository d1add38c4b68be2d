#pragma once
// Lists of "name=value" lines, looked up by name without regard to ASCII
// letter case; the first line with the name counts.
#include "common/CommonFunctionsDetail.h"

#include <string>
#include <vector>

// The value of the first line named Name; empty when there is none.
inline std::string ValueOfName(const std::vector<std::string>& lines, const std::string& name)
{
    for (const std::string& line : lines) {
        std::size_t equals = line.find('=');
        if (equals != std::string::npos && equals == name.size() &&
            common_detail::SameText(line.substr(0, equals), name))
            return line.substr(equals + 1);
    }
    return {};
}

// The name of the first line whose value equals Value exactly; empty when none.
inline std::string NameOfValue(const std::vector<std::string>& lines, const std::string& value)
{
    for (const std::string& line : lines) {
        std::size_t equals = line.find('=');
        if (equals != std::string::npos && line.compare(equals + 1, std::string::npos, value) == 0)
            return line.substr(0, equals);
    }
    return {};
}
