// Entry point of the tolvex program: starts the root object and runs the
// main window. "--home DIR" names the program folder (default: "home"
// beside the executable); "--paths" reports the program's folders and
// "--version" its version, both without a window.
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/UpdateHandover.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/TolvexException.h"
#include "editors/framework/Registration.h"
#include "generation/ui/PreviewScheme.h"
#include "shell/ConsoleShell.h"
#include "shell/EnvironmentCheck.h"
#include "shell/HelpFiles.h"
#include "shell/QtCommonGui.h"
#include "shell/QtShell.h"
#include "shell/TolvexApplication.h"
#include "shell/frmTextMessage.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/ShippedData.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#ifndef TOLVEX_VERSION
#define TOLVEX_VERSION "0.1.0"
#endif

namespace {

std::string ProgramFilePath()
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

bool HasOption(int argc, char** argv, const char* option)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0)
            return true;
    return false;
}

// The program folder: --home DIR, else "home" beside the executable.
std::string FindProgramFolder(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--home") == 0)
            return std::filesystem::absolute(argv[i + 1]).lexically_normal().string();
    return TUpdateHandover::DefaultProgramFolder(ProgramFilePath());
}

void ReportFolders(TTolvex& root)
{
    TGlobalSettings& settings = root.Settings();
    std::printf("Tolvex program folder: %s\n", settings.AppDir().c_str());
    std::printf("Settings file: %s\n", settings.IniSettings().FileName().c_str());
    std::printf("Databases folder: %s\n", DatabasesFolder(settings.AppDir()).c_str());
    std::printf("Catalog databases: %s\n", settings.GetDatabasePath().c_str());
    std::printf("Temp folder: %s\n", settings.GetTempDir().c_str());
    std::printf("Preview folder: %s\n", settings.GetPreviewDir().c_str());
}

TTolvex::TEnvironment Environment(TTolvexShell& shell)
{
    TTolvex::TEnvironment environment;
    environment.Shell = &shell;
    environment.DataDir = TShippedData::BuildTreeDataDir();
    return environment;
}

// The root object without a window: reports the folders.
int RunReport(const std::string& home)
{
    TConsoleGui gui;
    TConsoleShell shell;
    CommonProcedures->SetGui(&gui);
    TTolvex root(Environment(shell));
    RootObject = &root;
    int result = 0;
    try {
        root.Start();
        ReportFolders(root);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolvex: %s\n", e.what());
        result = 1;
    }
    root.Destroy();
    RootObject = nullptr;
    return result;
}

// The program with its main window.
int RunWindow(int argc, char** argv, const std::string& home)
{
    // The browser views' scheme must be known before the application object exists.
    RegisterPreviewScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TTolvexApplication app(argc, argv);
    app.setApplicationVersion(TOLVEX_VERSION);
    TQtCommonGui gui;
    CommonProcedures->SetGui(&gui);
    HelpFiles::InstallHelp((std::filesystem::path(TShippedData::BuildTreeDataDir()) / "help").string(), home);
    // The machine is checked before anything of the program exists.
    TEnvironmentCheck environmentCheck;
    environmentCheck.UseProgramChecks(home, TShippedData::BuildTreeDataDir());
    if (!environmentCheck.Check() && !TfrmTextMessage::ShowContinueDialog(environmentCheck))
        return 1;
    TQtShell shell(gui, &gui, &app);
    shell.SetEnvironmentCheck(&environmentCheck);
    TTolvex root(Environment(shell));
    RootObject = &root;
    int result = 0;
    try {
        root.Start();
        shell.ShowMainWindow();
        result = app.exec();
    } catch (const std::exception& e) {
        gui.ShowError(e.what(), false, "");
        result = 1;
    }
    root.Destroy();
    RootObject = nullptr;
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (HasOption(argc, argv, "--version")) {
        std::printf("Tolvex %s\n", TOLVEX_VERSION);
        return 0;
    }
    const std::string home = FindProgramFolder(argc, argv);
    std::error_code ec;
    std::filesystem::create_directories(home, ec);
    int result = 0;
    try {
        CreateSingletons(home, RegisterFrameworkClasses);
        result = HasOption(argc, argv, "--paths") ? RunReport(home) : RunWindow(argc, argv, home);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolvex: %s\n", e.what());
        result = 1;
    }
    // Downloaded updates are applied by the updater once the program has
    // ended, in this program folder; a restart gets the same arguments.
    if (UpdateOnExit)
        TUpdateHandover::StartUpdater(ProgramFilePath(), UpdateArguments, home,
                                      std::vector<std::string>(argv + 1, argv + argc));
    FreeSingletons();
    return result;
}
