#include "shell/HelpFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace HelpFiles {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

std::string FindIgnoringCase(const std::string& parent, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(fs::path(parent) / name, ec))
        return (fs::path(parent) / name).string();
    const std::string wanted = Lower(name);
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec))
        if (Lower(it->path().filename().string()) == wanted)
            return it->path().string();
    return {};
}

std::string HelpFolder(const std::string& programFolder)
{
    const std::string folder = FindIgnoringCase(programFolder, "Help");
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder, ec) ? folder : std::string();
}

std::string LanguageFolder(const std::string& helpFolder, const std::string& languageCode)
{
    if (helpFolder.empty())
        return {};
    std::string folder = languageCode.empty() ? std::string() : FindIgnoringCase(helpFolder, languageCode);
    if (folder.empty())
        folder = FindIgnoringCase(helpFolder, "en");
    return folder;
}

std::vector<std::string> LoadAliases(const std::string& helpFolder)
{
    std::vector<std::string> lines;
    if (helpFolder.empty())
        return lines;
    const std::string file = FindIgnoringCase(helpFolder, "aliases.txt");
    if (file.empty())
        return lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string TopicOf(const std::vector<std::string>& aliases, const std::string& alias)
{
    const std::string wanted = Lower(alias);
    for (const std::string& line : aliases) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos && Lower(line.substr(0, eq)) == wanted)
            return line.substr(eq + 1);
    }
    return {};
}

bool InstallHelp(const std::string& shippedHelpFolder, const std::string& programFolder)
{
    std::error_code ec;
    if (!HelpFolder(programFolder).empty())
        return true;
    if (shippedHelpFolder.empty() || !fs::is_directory(shippedHelpFolder, ec))
        return false;
    const fs::path target = fs::path(programFolder) / "Help";
    const fs::path staging = fs::path(programFolder) / ".Help.installing";
    fs::remove_all(staging, ec);
    fs::copy(shippedHelpFolder, staging, fs::copy_options::recursive, ec);
    if (ec)
        return false;
    fs::rename(staging, target, ec);
    return !ec;
}

}  // namespace HelpFiles
