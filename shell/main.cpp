// Entry point of the tolvex program.
#include "common/CommonApp.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// The program folder: --home DIR, else "home" beside the executable.
std::string FindProgramFolder(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--home") == 0)
            return std::filesystem::absolute(argv[i + 1]).string();
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path() / "home").string();
}

} // namespace

int main(int argc, char** argv)
{
    TCommonApp app;
    app.SetAppDir(FindProgramFolder(argc, argv));
    std::printf("Tolvex program folder: %s\n", app.GetAppDir().c_str());
    std::printf("Settings file: %s/tolvex.ini\n", app.GetAppDir().c_str());
    return 0;
}
