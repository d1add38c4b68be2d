#include "catalog/UpdateHandover.h"

#include <spawn.h>

#include <filesystem>
#include <sstream>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

std::string TUpdateHandover::DefaultProgramFolder(const std::string& programFile)
{
    return (fs::path(programFile).parent_path() / "home").string();
}

bool TUpdateHandover::IsUpdatePending(const std::string& programFolder)
{
    std::error_code error;
    return fs::is_regular_file(fs::path(programFolder) / "update" / "doupdate", error);
}

std::string TUpdateHandover::UpdaterPath(const std::string& programFile)
{
    if (programFile.empty())
        return {};
    return (fs::path(programFile).parent_path() / kUpdaterFileName).string();
}

bool TUpdateHandover::StartUpdater(const std::string& programFile, const std::string& arguments,
                                   const std::string& programFolder,
                                   const std::vector<std::string>& programArguments)
{
    const std::string updater = UpdaterPath(programFile);
    std::error_code error;
    if (updater.empty() || !fs::is_regular_file(updater, error))
        return false;
    std::vector<std::string> words{updater};
    if (!programFolder.empty())
        words.insert(words.end(), {"--home", programFolder});
    std::istringstream stream(arguments);
    for (std::string word; stream >> word;)
        words.push_back(word);
    if (!programArguments.empty()) {
        words.push_back("--");
        words.insert(words.end(), programArguments.begin(), programArguments.end());
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    return posix_spawn(&child, updater.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}
