#pragma once
// The GUI side of the program on Qt: what the root object asks of the GUI
// side (TTolvexShell) and what the main window hands on (its private
// messages and the close request). It owns the main window and, once the
// root object exists, the parts that each play one role: the dialogs, the
// publishing commands, the tree pane commands, the search, the window's
// commands, and the action processor with its host.
#include "catalog/TolvexShell.h"
#include "shell/MainWindowHandler.h"
#include "shell/ShellHelp.h"

#include <memory>
#include <string>

class TActionProcessor;
class TCommonGui;
class TCatalogPreviewSource;
class TCatalogWindowUI;
class TEnvironmentCheck;
class TFindReplace;
class TFrameSearchResult;
class TGUIControl;
class THelpSystem;
class TMainWindowCommands;
class TMainWindowSearch;
class TPreviewResolver;
class TPreviewSchemeHandler;
class TPublishingCommands;
class TQtActionHost;
class TQtCommonGui;
class TShellDialogs;
struct TShellParts;
class TTolvexApplication;
class TTreePaneCommands;
class TfrmMain;

class TQtShell : public TTolvexShell, public TMainWindowHandler {
public:
    // Gui shows every message; QtGui, when given, is the Qt one that Gui
    // is (it gets the main window as parent and the help). Application
    // may be null (tests): exceptions are not caught then.
    TQtShell(TCommonGui& gui, TQtCommonGui* qtGui, TTolvexApplication* application);
    ~TQtShell() override;

    TfrmMain& Window() { return *window_; }
    TFindReplace& FindReplace() { return *findReplace_; }
    // The environment check the about box shows; not owned, may be null. Set before the root object starts.
    void SetEnvironmentCheck(const TEnvironmentCheck* check) { environmentCheck_ = check; }

    // What the window does once created: placement, layout for a closed
    // catalog with the type-0 menus, shown, and the start message posted
    // (unless Start is false).
    void ShowMainWindow(bool start = true);

    // ---- the parts; each exists once the root object created the GUI controller --------------------
    TGUIControl* GuiControl() { return guiControl_; }
    // Null before the root object created it.
    THelpSystem* Help() { return helpSystem_; }
    TActionProcessor& Processor();
    TQtActionHost& ActionHost();
    TShellDialogs& Dialogs();
    TPublishingCommands& Publishing();
    TTreePaneCommands& Trees();
    TMainWindowSearch& Search();
    TMainWindowCommands& Commands();
    // The open catalog's window side (trees and the main item editor); null while none is open.
    TCatalogWindowUI* CatalogUI();
    // The handler that answers the browser views' preview addresses; null
    // before the root object exists and after the window closed.
    TPreviewSchemeHandler* PreviewHandler() { return previewHandler_.get(); }
    TPreviewResolver* PreviewResolver() { return previewResolver_.get(); }

    // ---- TTolvexShell ---------------------------------------------------------------------------
    void SetExceptionHandler(TTolvexException* handler) override;
    void Terminate() override;
    void PostCloseRequest() override;
    void PostReopenCatalog() override;
    void SetMainCaption(const std::string& caption) override;
    std::unique_ptr<TTolvexGuiControl> CreateGuiControl(TTolvex& root) override;
    std::unique_ptr<TStyleDialog> CreateStyleDialog() override;
    std::unique_ptr<TTolvexHelpSystem> CreateHelpSystem(TTolvex& root) override;
    std::unique_ptr<TCatalogDataUI> CreateCatalogUI(TCatalogData& data) override;
    void LoginShowWelcome(const std::string& catalogName, bool autoOpen) override;
    void LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName, const std::string& dbType) override;
    void LoginNewCatalog() override;
    void LoginNewCatalogFromHost() override;
    std::string GetActionString(int actionId) override;
    void ExecuteActionById(int actionId, bool check) override;
    void PostActionById(int actionId, bool check) override;
    void ExecuteAction(const std::string& action, bool check) override;
    void QueueAction(const std::string& action, bool check) override;
    bool AskNewCatalogCode(const std::string& oldCode, std::string& newCode) override;
    bool RunSoftwareUpdate(const std::vector<std::string>& params, bool modal) override;
    bool RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection) override;
    void StartStyleOperation(std::unique_ptr<TStyleOperation> operation) override;

    // ---- TMainWindowHandler -----------------------------------------------------------------------
    void HandleMessage(const TMainWindowPost& post) override;
    bool CanClose() override;
    void Closed() override;

private:

    void InstallPreview(TTolvex& root);
    void UninstallPreview();

    TCommonGui& gui_;
    TQtCommonGui* qtGui_;
    TTolvexApplication* application_;
    std::unique_ptr<TfrmMain> window_;
    std::unique_ptr<TFindReplace> findReplace_;
    TShellHelp help_;
    const TEnvironmentCheck* environmentCheck_ = nullptr;
    TTolvex* root_ = nullptr;
    TGUIControl* guiControl_ = nullptr;  // owned by the root object
    THelpSystem* helpSystem_ = nullptr;  // owned by the root object
    std::unique_ptr<TShellParts> parts_;
    std::unique_ptr<TCatalogPreviewSource> previewSource_;
    std::unique_ptr<TPreviewResolver> previewResolver_;
    std::unique_ptr<TPreviewSchemeHandler> previewHandler_;
};
