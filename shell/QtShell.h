#pragma once
// The GUI side of the program on Qt: the main window with its controller,
// the action processor, the help system and the common GUI. It is what the
// root object asks of the GUI side (TTolvexShell), what the action
// processor acts on (TActionHost) and what the main window hands on
// (TMainWindowHandler). Parts that later work brings (item editors,
// publishing windows) answer with a clear "not available
// yet" message.
#include "catalog/TolvexShell.h"
#include "shell/ActionHost.h"
#include "shell/ActionProcessor.h"
#include "shell/Login.h"
#include "shell/MainWindowHandler.h"
#include "publishing/ui/frmDetailProcess.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <string>

class TFindReplace;
class TFrameSearchResult;
class TGUIControl;
class THelpSystem;
class TQtCommonGui;
class TTolvexApplication;
class TfrmMain;
class TCatalogData;
class TCatalogPreviewSource;
class TEnvironmentCheck;
class TPreviewResolver;
class TPreviewSchemeHandler;

class TCatalogWindowUI;

class TQtShell : public TTolvexShell, public TActionHost, public TMainWindowHandler {
public:
    // Gui shows every message; QtGui, when given, is the Qt one that Gui
    // is (it gets the main window as parent and the help system). Application
    // may be null (tests): exceptions are not caught then.
    TQtShell(TCommonGui& gui, TQtCommonGui* qtGui, TTolvexApplication* application);
    ~TQtShell() override;

    TfrmMain& Window() { return *window_; }
    TActionProcessor& Processor() { return processor_; }
    // Null before the root object created them.
    TGUIControl* GuiControl() { return guiControl_; }
    THelpSystem* Help() { return help_; }
    TFindReplace& FindReplace() { return *findReplace_; }

    // What the window does once created: placement, layout for a closed
    // catalog with the type-0 menus, shown, and the start message posted
    // (unless Start is false).
    void ShowMainWindow(bool start = true);

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
    // The open catalog's window side (trees and the main item editor); null while none is open.
    TCatalogWindowUI* CatalogUI();
    bool HasItemEditor() override;
    bool OpenInEditor(int itemId, int itemType, const std::string& editorName, const std::string& action) override;
    bool OpenInEditorWindow(int itemId, int itemType, const std::string& action, bool wizard) override;
    void RefreshEditor() override;
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

    // ---- TActionHost ---------------------------------------------------------------------------
    TCommonGui& Gui() override;
    std::string Translate(const std::string& text) override;
    bool IsCatalogOpen() override;
    bool CanLeave() override;
    std::string GetCatalogCode() override;
    std::string GetCatalogProperty(int propertyId) override;
    int GetUserRole() override;
    std::string GetUserName() override;
    std::string GetPassword() override;
    std::string GetCurrentLangCode() override;
    void SetCurrentLangCode(const std::string& langCode) override;
    void ClearTransformCache() override;
    std::string GetSetting(int settingId) override;
    void ShowSettingsDialog() override;
    void NewCatalogFromHost() override;
    bool SelectStyle(int mode, bool postReopen) override;
    void OpenUrl(const std::string& url) override;
    void PostMainWindowMessage(int message, std::int64_t wParam, std::int64_t lParam) override;
    void ResetActionButtons() override;
    void CheckActionButton(const std::string& actionString) override;
    void UncheckActionButton(const std::string& actionString) override;
    void SetTemplatesCaption(const std::string& captionFormat) override;
    void UpdateReportMenu() override;
    void NotAvailable(const std::string& what) override;
    bool Publish(const std::string& verb) override;
    std::unique_ptr<TTreeCommands> MakeTreeCommands() override;
    void UpdateTemplateTreeButtons() override;
    bool ShowSearchResult(const std::string& action) override;

    // ---- publishing (QtShellPublish.cpp) ---------------------------------------------------------
    // Asks for a folder: Initial folder and help alias -> the chosen folder, empty when cancelled.
    using TFolderChooser = std::function<std::string(const std::string&, const std::string&)>;
    // Replaces the folder dialog (tests); empty restores it.
    void SetFolderChooser(TFolderChooser chooser);
    std::string ChooseFolder(const std::string& initialFolder, const std::string& helpAlias);
    // Asks for a page of the web tree: its id and name; false when none was chosen.
    using TPageChooser = std::function<bool(int& pageId, std::string& pageName)>;
    // Replaces the page selection (tests); empty restores it.
    void SetPageChooser(TPageChooser chooser);
    bool ChoosePage(int& pageId, std::string& pageName);
    // Whether files may be written into the folder; otherwise says why (a
    // system folder, no write access) and answers false.
    bool CanWriteInto(const std::string& folder);
    // Each returns its runner window, or null when nothing was started.
    // Publishes the open catalog into a folder.
    TfrmDetailProcess* PublishLocally();
    // Publishes the open catalog to an FTP server through the staging folder "FtpPublish".
    TfrmDetailProcess* PublishByFtp();
    // Exports the stored pictures, the template sources, the product feed.
    TfrmDetailProcess* ExportImages();
    TfrmDetailProcess* ExportTemplates();
    TfrmDetailProcess* ExportFroogle();

    // ---- software update (QtShellUpdate.cpp) -----------------------------------------------------
    // The runner window of the last update started without waiting; null when none runs.
    TfrmDetailProcess* UpdateWindow() const { return updateWindow_.data(); }

    // ---- TMainWindowHandler -----------------------------------------------------------------------
    void HandleMessage(const TMainWindowPost& post) override;
    void HandleCommand(const std::string& name) override;
    bool CanClose() override;
    void Closed() override;

    // Runs a search with the search box's text and checked kind.
    void RunSearch();
    // The search results the editor pane shows; null when it shows none.
    TFrameSearchResult* SearchResult() const;
    // The about box's text: version and folders.
    std::string AboutText() const;
    // Shows the about box.
    void ShowAboutBox();
    // The environment check the about box shows; not owned, may be null.
    void SetEnvironmentCheck(const TEnvironmentCheck* check) { environmentCheck_ = check; }

    // The handler that answers the browser views' preview addresses; null
    // before the root object exists and after the window closed.
    TPreviewSchemeHandler* PreviewHandler() { return previewHandler_.get(); }
    TPreviewResolver* PreviewResolver() { return previewResolver_.get(); }

    // What the runner windows this shell opens need of the program.
    TfrmDetailProcess::TEnvironment RunnerEnvironment();

private:
    // What the login dialog needs of the program.
    TLogin::TEnvironment LoginEnvironment();
    void EditCommand(const char* slot);
    // The open catalog's data; null when none is open.
    TCatalogData* OpenCatalogData();
    // A modeless runner window, localized, running the operation the factory makes.
    TfrmDetailProcess* StartRunner(std::vector<std::string> params, const TfrmDetailProcess::TPublisherFactory& factory,
                                   bool transferPanel);
    // The buttons of the two catalog trees.
    void TreeCommand(const std::string& name);
    void CompareTemplateWithStyles();
    void DeleteOpenCatalog();
    void InstallPreview(TTolvex& root);
    void UninstallPreview();

    TCommonGui& gui_;
    TQtCommonGui* qtGui_;
    TTolvexApplication* application_;
    std::unique_ptr<TfrmMain> window_;
    TActionProcessor processor_;
    std::unique_ptr<TFindReplace> findReplace_;
    TTolvex* root_ = nullptr;
    TGUIControl* guiControl_ = nullptr;
    THelpSystem* help_ = nullptr;
    std::unique_ptr<TCatalogPreviewSource> previewSource_;
    std::unique_ptr<TPreviewResolver> previewResolver_;
    std::unique_ptr<TPreviewSchemeHandler> previewHandler_;
    TFolderChooser folderChooser_;
    TPageChooser pageChooser_;
    QPointer<TfrmDetailProcess> updateWindow_;
    const TEnvironmentCheck* environmentCheck_ = nullptr;
};
