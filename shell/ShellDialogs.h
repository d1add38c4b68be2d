#pragma once
// The dialogs the shell opens over the main window: the login flows, the
// program settings, "Change Catalog Code", the about box, the folder and
// page pickers (which tests may replace), the style dialog, and the notice
// that a command is not available yet. Each gets the one help target.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class TCommonGui;
class TEnvironmentCheck;
class TLogin;
class THelpRequests;
class TStyleDialog;
class TTolvex;

class TShellDialogs {
public:
    // All must outlive the object; EnvironmentCheck (what the about box shows) may be null.
    TShellDialogs(TTolvex& root, TCommonGui& gui, THelpRequests& help, QWidget& parent,
                  const TEnvironmentCheck* environmentCheck);

    // ---- the login flows ----------------------------------------------------------------------
    void LoginShowWelcome(const std::string& catalogName, bool autoOpen);
    void LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName, const std::string& dbType);
    void LoginNewCatalog();
    void LoginNewCatalogFromHost();
    // The hosting-service account of the open catalog; true when confirmed.
    bool AskHostAccount(std::string& userName, std::string& password);
    // What fills a catalog made from the host's (the publishing commands'); empty: nothing can.
    void SetHostDownload(std::function<std::string()> download) { hostDownload_ = std::move(download); }
    // The help target the dialogs share.
    THelpRequests& Help() { return help_; }

    // "Change Catalog Code": true and the code typed when the user pressed "Ok".
    bool AskNewCatalogCode(const std::string& oldCode, std::string& newCode);
    void ShowSettingsDialog();
    void ShowAboutBox();
    // The about box's text: version and folders.
    std::string AboutText() const;
    // A new style selection dialog.
    std::unique_ptr<TStyleDialog> CreateStyleDialog();

    // Asks for a folder: initial folder and help alias -> the chosen folder, empty when cancelled.
    using TFolderChooser = std::function<std::string(const std::string&, const std::string&)>;
    // Replaces the folder dialog (tests); empty restores it.
    void SetFolderChooser(TFolderChooser chooser) { folderChooser_ = std::move(chooser); }
    std::string ChooseFolder(const std::string& initialFolder, const std::string& helpAlias);
    // Asks for a page of the web tree (or what Params, the picker's lines, ask
    // for): its id and name; false when none was chosen.
    using TPageChooser = std::function<bool(int& pageId, std::string& pageName)>;
    // Replaces the page selection (tests); empty restores it.
    void SetPageChooser(TPageChooser chooser) { pageChooser_ = std::move(chooser); }
    bool ChoosePage(int& pageId, std::string& pageName, std::vector<std::string> params = {});

    // Opens a web address (or a local file's path) in the user's browser.
    static void OpenUrl(const std::string& url);
    // Tells the user that a command's target is not available yet; What names it.
    void NotAvailable(const std::string& what);

private:
    // The login flows with what they need of the program.
    TLogin Login();

    TTolvex& root_;
    TCommonGui& gui_;
    THelpRequests& help_;
    std::function<std::string()> hostDownload_;
    QWidget& parent_;
    const TEnvironmentCheck* environmentCheck_;
    TFolderChooser folderChooser_;
    TPageChooser pageChooser_;
};
