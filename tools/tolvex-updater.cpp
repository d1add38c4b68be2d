// The updater: started by the program as it closes, puts the downloaded
// update files in place and starts the program again.
//   tolvex-updater restart <milliseconds>
// The program folder is the updater's own folder (the program starts it from
// beside its program file). The updater waits the given time for the program
// to end, applies what "update/doupdate" records (backups and versions as the
// program's own apply does, every name checked again), removes the record and,
// with "restart", starts the program again without a shell.
#include "common/Exceptions.h"
#include "publishing/SoftwareUpdate.h"

#include <spawn.h>

#include <chrono>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgramFileName = "tolvex";
// The longest wait accepted, so that a wrong argument cannot hang the updater.
constexpr long kMaxWaitMilliseconds = 60000;

int Usage()
{
    std::cerr << "usage: tolvex-updater [restart] [milliseconds]\n";
    return 2;
}

// The folder of the running updater file.
std::string OwnFolder()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

bool StartProgram(const std::string& programFile)
{
    std::string name = programFile;
    char* argv[] = {name.data(), nullptr};
    pid_t child = 0;
    return posix_spawn(&child, programFile.c_str(), nullptr, nullptr, argv, environ) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    bool restart = false;
    long wait = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "restart") {
            restart = true;
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
    const std::string folder = OwnFolder();
    if (folder.empty()) {
        std::cerr << "tolvex-updater: cannot find its own folder\n";
        return 1;
    }
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
        const std::string program = folder + "/" + kProgramFileName;
        if (!StartProgram(program)) {
            std::cerr << "tolvex-updater: cannot start " << program << "\n";
            return 1;
        }
    }
    return result;
}
