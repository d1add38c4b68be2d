#include "publishing/LocalReference.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

bool TLocalReference::IsLocal(const std::string& reference)
{
    if (reference.empty() || reference[0] == '/' || reference[0] == '\\' ||
        reference.find_first_of(":?#") != std::string::npos)
        return false;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = reference.find_first_of("/\\", start);
        if (reference.substr(start, end - start) == "..")
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

std::optional<std::string> TLocalReference::FileOf(const std::string& folder, const std::string& reference)
{
    if (!IsLocal(reference))
        return std::nullopt;
    std::string relative = reference;
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    std::error_code error;
    const fs::path base = fs::canonical(folder, error);
    if (error)
        return std::nullopt;
    const fs::path file = fs::canonical(base / relative, error);
    if (error || !fs::is_regular_file(file, error))
        return std::nullopt;
    // A link inside the folder may still point outside it.
    const auto [baseEnd, fileAt] = std::mismatch(base.begin(), base.end(), file.begin(), file.end());
    if (baseEnd != base.end())
        return std::nullopt;
    return file.string();
}
