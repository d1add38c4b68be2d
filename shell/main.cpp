// Entry point of the tolvex program.
#include "catalog/Singletons.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/Translation.h"
#include "storage/ShippedData.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

namespace {

// The program folder: --home DIR, else "home" beside the executable.
std::string FindProgramFolder(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--home") == 0)
            return std::filesystem::absolute(argv[i + 1]).lexically_normal().string();
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path() / "home").string();
}

} // namespace

int main(int argc, char** argv)
{
    std::string home = FindProgramFolder(argc, argv);
    std::error_code ec;
    std::filesystem::create_directories(home, ec);
    int result = 0;
    try {
        CreateSingletons(home);
        // A new program folder gets its databases built from the shipped data.
        for (const std::string& name : EnsureShippedDatabases(home, TShippedData::BuildTreeDataDir()))
            std::printf("Built database: %s\n", name.c_str());
        TGlobalSettings settings(CommonProcedures->App().GetAppDir(), Translation);
        std::printf("Tolvex program folder: %s\n", settings.AppDir().c_str());
        std::printf("Settings file: %s\n", settings.IniSettings().FileName().c_str());
        std::printf("Databases folder: %s/databases\n", settings.AppDir().c_str());
        std::printf("Catalog databases: %s\n", settings.GetDatabasePath().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolvex: %s\n", e.what());
        result = 1;
    }
    FreeSingletons();
    return result;
}
