#include "common/FileContent.h"

#include <fstream>
#include <iterator>

std::optional<std::string> ReadFileContent(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return content;
}
