#pragma once
// Parameter lists of the editing framework: "name=value" lines, read with
// ValueOfName (storage/NameValueLines.h) and written here.
#include "storage/NameValueLines.h"

#include <string>
#include <vector>

namespace editor_params {

// Sets the first line named Name (ignoring case) to Value, or appends one.
inline void SetValue(std::vector<std::string>& lines, const std::string& name, const std::string& value)
{
    for (std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == name.size() && common_detail::SameText(line.substr(0, equals), name)) {
            line = name + "=" + value;
            return;
        }
    }
    lines.push_back(name + "=" + value);
}

// The lines of an "&"-joined parameter string, split without decoding or trimming.
inline std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const std::size_t end = std::min(text.find('&', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace editor_params
