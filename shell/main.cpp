// Entry point of the tolvex program. Until the main window exists the
// program starts the root object without a window, reports its folders and
// ends; it opens no catalog.
#include "catalog/CatalogDataUI.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexGuiControl.h"
#include "catalog/TolvexHelpSystem.h"
#include "catalog/TolvexShell.h"
#include "catalog/UpdateHandover.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/TolvexException.h"
#include "generation/StyleDialog.h"
#include "generation/StyleOperation.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/ShippedData.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

namespace {

std::string ProgramFilePath()
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

// The program folder: --home DIR, else "home" beside the executable.
std::string FindProgramFolder(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--home") == 0)
            return std::filesystem::absolute(argv[i + 1]).lexically_normal().string();
    return (std::filesystem::path(ProgramFilePath()).parent_path() / "home").string();
}

// Messages go to the terminal; questions get the answer of closing the box.
class TConsoleGui : public TCommonGui {
public:
    void ShowError(const std::string& message, bool, const std::string&) override { Print("Error", message); }
    void ShowWarning(const std::string& message, bool, const std::string&) override { Print("Warning", message); }
    void ShowInformation(const std::string& message, bool, const std::string&) override { Print("", message); }
    int AskQuestion(const std::string& message, const std::string&, bool, const std::string&, int flags) override
    {
        Print("Question", message);
        return DefaultAnswerOfButtons(flags == 0 ? mbYesNo : flags);
    }
    int AskQuestionWithCheckBox(const std::string& message, const std::string&, bool&, const std::string&, bool,
                                const std::string&) override
    {
        Print("Question", message);
        return DefaultAnswerOfButtons(mbYesNo);
    }
    int AskYesNoCancel(const std::string& message, const std::string&, bool, const std::string&) override
    {
        Print("Question", message);
        return mrCancel;
    }
    bool InputValue(const std::string&, const std::string&, std::string&, bool, const std::string&) override
    {
        return false;
    }
    bool InputValueWithCheckBox(const std::string&, const std::string&, const std::string&, std::string&, bool&,
                                bool, const std::string&) override
    {
        return false;
    }
    int AskChoice(const std::string&, const std::string&, const std::string&) override { return mrCancel; }
    bool ChangePassword(std::string&) override { return false; }
    bool SelectSaveFile(const std::string&, const std::string&, const std::string&, const std::string&,
                        std::string&) override
    {
        return false;
    }
    bool SelectOpenFile(const std::string&, const std::string&, const std::string&, std::string&) override
    {
        return false;
    }
    void BeginWait() override {}
    void EndWait() override {}
    void ProgressStart(const std::string&, int) override {}
    bool ProgressStep(int, const std::string&) override { return true; }
    void ProgressEnd() override {}
    void ProcessMessages() override {}

private:
    static void Print(const char* kind, const std::string& message)
    {
        std::fprintf(stderr, "tolvex: %s%s%s\n", kind, *kind ? ": " : "", message.c_str());
    }
};

// A program without a main window: no GUI parts, nothing to post.
class TConsoleShell : public TTolvexShell {
public:
    void SetExceptionHandler(TTolvexException* handler) override { handler_ = handler; }
    void Terminate() override {}
    void PostCloseRequest() override {}
    void PostReopenCatalog() override {}
    void SetMainCaption(const std::string&) override {}
    std::unique_ptr<TTolvexGuiControl> CreateGuiControl(TTolvex&) override { return nullptr; }
    std::unique_ptr<TStyleDialog> CreateStyleDialog() override { return nullptr; }
    std::unique_ptr<TTolvexHelpSystem> CreateHelpSystem(TTolvex&) override { return nullptr; }
    std::unique_ptr<TCatalogDataUI> CreateCatalogUI(TCatalogData&) override { return nullptr; }
    void LoginShowWelcome(const std::string&, bool) override {}
    void LoginOpenCatalog(const std::string&, const std::string&, const std::string&) override {}
    void LoginNewCatalog() override {}
    void LoginNewCatalogFromHost() override {}
    std::string GetActionString(int) override { return {}; }
    void ExecuteActionById(int, bool) override {}
    void PostActionById(int, bool) override {}
    void ExecuteAction(const std::string&, bool) override {}
    void QueueAction(const std::string&, bool) override {}
    bool AskNewCatalogCode(const std::string&, std::string&) override { return false; }
    bool RunSoftwareUpdate(const std::vector<std::string>&, bool) override { return false; }
    bool RunWebSiteImport(std::vector<std::string>&, TAbstractDBConnection&) override { return false; }
    void StartStyleOperation(std::unique_ptr<TStyleOperation>) override {}

    TTolvexException* Handler() const { return handler_; }

private:
    TTolvexException* handler_ = nullptr;
};

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

}  // namespace

int main(int argc, char** argv)
{
    const std::string home = FindProgramFolder(argc, argv);
    std::error_code ec;
    std::filesystem::create_directories(home, ec);
    TConsoleGui gui;
    TConsoleShell shell;
    int result = 0;
    try {
        CreateSingletons(home);
        CommonProcedures->SetGui(&gui);
        TTolvex::TEnvironment environment;
        environment.Shell = &shell;
        environment.DataDir = TShippedData::BuildTreeDataDir();
        TTolvex root(environment);
        RootObject = &root;
        try {
            root.Start();
            ReportFolders(root);
        } catch (const std::exception& e) {
            // Once the handler is installed it reports what nothing caught.
            if (!shell.Handler())
                throw;
            shell.Handler()->HandleException(e);
            result = 1;
        } catch (...) {
            if (!shell.Handler())
                throw;
            shell.Handler()->HandleUnknownException();
            result = 1;
        }
        root.Destroy();
        RootObject = nullptr;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolvex: %s\n", e.what());
        result = 1;
    }
    RootObject = nullptr;
    // Downloaded updates are applied by the updater once the program has ended.
    if (UpdateOnExit)
        TUpdateHandover::StartUpdater(ProgramFilePath(), UpdateArguments);
    FreeSingletons();
    return result;
}
