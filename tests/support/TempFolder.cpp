#include "common/FileContent.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

TTempFolder::TTempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "tolvex-test-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = buf.data();
}

TTempFolder::~TTempFolder()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TTempFolder::Write(const std::string& name, const std::string& content) const
{
    fs::path p = fs::path(path_) / name;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << content;
    return p.string();
}

std::string TTempFolder::Read(const std::string& path)
{
    return ReadFileContent(path).value_or("");
}
