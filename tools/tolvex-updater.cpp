// The updater: started by the program as it closes, puts the downloaded
// update files in place and starts the program again.
//   tolvex-updater [--home FOLDER] [restart] [milliseconds] [-- program arguments...]
// FOLDER is the program folder the update was downloaded into (default: the
// folder "home" beside the updater, as the program's own default). The
// updater waits the given time for the program to end, applies what
// "FOLDER/update/doupdate" records (backups and versions as the program's own
// apply does, every name checked again), removes the record and, with
// "restart", starts the program beside it again with the arguments after
// "--" (those it was started with), without a shell.
#include "catalog/UpdateHandover.h"
#include "common/Exceptions.h"
#include "publishing/SoftwareUpdate.h"

#include <spawn.h>

#include <chrono>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgramFileName = "tolvex";
// The longest wait accepted, so that a wrong argument cannot hang the updater.
constexpr long kMaxWaitMilliseconds = 60000;

int Usage()
{
    std::cerr << "usage: tolvex-updater [--home FOLDER] [restart] [milliseconds] [-- program arguments...]\n";
    return 2;
}

// The running updater file.
std::string OwnFile()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

bool StartProgram(const std::string& programFile, std::vector<std::string> arguments)
{
    std::string name = programFile;
    std::vector<char*> argv{name.data()};
    for (std::string& word : arguments)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    return posix_spawn(&child, programFile.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    bool restart = false;
    long wait = 0;
    std::string home;
    std::vector<std::string> programArguments;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--") {
            programArguments.assign(argv + i + 1, argv + argc);
            break;
        }
        if (word == "restart") {
            restart = true;
            continue;
        }
        if (word == "--home") {
            if (i + 1 >= argc)
                return Usage();
            home = argv[++i];
            continue;
        }
        try {
            std::size_t used = 0;
            wait = std::stol(word, &used);
            if (used != word.size() || wait < 0)
                return Usage();
        } catch (const std::exception&) {
            return Usage();
        }
    }
    const std::string self = OwnFile();
    if (self.empty()) {
        std::cerr << "tolvex-updater: cannot find its own folder\n";
        return 1;
    }
    const std::string folder = home.empty() ? TUpdateHandover::DefaultProgramFolder(self) : home;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(wait, kMaxWaitMilliseconds)));

    int result = 0;
    try {
        const int errors = TSoftwareUpdate::ApplyPending(folder, [](const std::string& text, int level) {
            (level >= 3 ? std::cerr : std::cout) << "tolvex-updater: " << text << "\n";
        });
        if (errors > 0)
            result = 1;
    } catch (const ETolvexException& error) {
        std::cerr << "tolvex-updater: " << error.what() << "\n";
        result = 1;
    }
    if (restart) {
        const std::string program = (fs::path(self).parent_path() / kProgramFileName).string();
        if (!StartProgram(program, programArguments)) {
            std::cerr << "tolvex-updater: cannot start " << program << "\n";
            return 1;
        }
    }
    return result;
}
