#pragma once
// The root application object, one per process, reached through RootObject.
// The entry point creates it, starts it, runs the main window and frees it.
// It owns the long-lived services (application error handler, global
// settings, references, global definition, classes list with the object
// context, the catalog object, the GUI controller, the style manager and
// the help system), remembers the login of the catalog that was opened, and
// offers the shell the operations that open, close, reopen, delete, back
// up, restore and compact a catalog, the names and addresses of generated
// page files, the home page item, the backup reminder and the hand-over to
// the software update.
//
// Start creates the members in a fixed order and Destroy frees them in the
// reverse order; the process singletons (catalog/Singletons.h, with the
// common procedures' user interface set) must exist around both.
//
// It is what the catalog object asks of the program around it
// (TCatalogHost, TCatalogDefinitionLookup), what the catalog definition asks
// when it creates a catalog or changes a catalog's code
// (TCatalogCreationHost) and what the open catalog's data asks
// (TCatalogDataHost); the GUI side comes through TTolvexShell. The upgrades
// of catalogs to their definitions are a TCatalogUpgrader that it creates
// before the catalog object and binds to it.
#include "catalog/CatalogCreationHost.h"
#include "catalog/CatalogDataHost.h"
#include "catalog/CatalogDefinitionLookup.h"
#include "catalog/CatalogHost.h"
#include "generation/StyleManagerHost.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TAbstractDBConnectionFactory;
class TCatalog;
class TCatalogUpgrader;
class TClassesList;
class TGlobalDefinition;
class TGlobalSettings;
class TProgramDatabases;
class TReferences;
class TTolvexException;
class TTolvexHelpSystem;
class TTolvexHttpServer;
class TTolvexObjectContext;
class TTolvexShell;
class TStyleManager;

class TTolvex : public TCatalogHost,
                public TCatalogCreationHost,
                public TCatalogDefinitionLookup,
                public TCatalogDataHost,
                public TStyleManagerHost {
public:
    // What the program gives the root object besides the singletons.
    struct TEnvironment {
        // Not owned; must outlive the root object.
        TTolvexShell* Shell = nullptr;
        // The shipped data sources: the program folder's databases that are
        // missing are built from them at start. Empty: nothing is built.
        std::string DataDir;
        // The local date and time; empty: the clock.
        std::function<std::tm()> Now;
        // The port of the local image server; 0: its default port.
        int ImageServerPort = 0;
    };

    // The addresses of the two preview hosts (scheme and host).
    static constexpr const char* kPreviewHost = "tolvex://preview";
    static constexpr const char* kStylePreviewHost = "tolvex://stylepreview";

    // Plain construction; every member is made by Start.
    explicit TTolvex(TEnvironment environment);
    // Runs Destroy.
    ~TTolvex() override;
    TTolvex(const TTolvex&) = delete;
    TTolvex& operator=(const TTolvex&) = delete;

    // ---- life cycle and program control --------------------------------------------
    // Creates the members in their fixed order.
    void Start();
    // Frees what Start created, in reverse order; safe to call twice.
    void Destroy();
    // Asks the main window to close; the message loop then ends.
    void Quit();
    bool IsAdvancedMode() const { return advancedMode_; }

    // ---- the members -------------------------------------------------------------------
    TTolvexException& ExceptionHook() { return *exceptionHook_; }
    TGlobalSettings& Settings() { return *settings_; }
    TReferences& References() { return *references_; }
    TGlobalDefinition& GlobalDefinition() { return *globalDefinition_; }
    // The upgrades and conversions of catalogs (the shell sets where conversions show).
    TCatalogUpgrader& Upgrader() { return *upgrader_; }
    TClassesList& ClassesList() { return *classesList_; }
    TTolvexObjectContext& ObjectContext() { return *objectContext_; }
    TCatalog& Catalog() { return *catalog_; }
    // Null when the shell has none.
    TTolvexGuiControl* GuiControl() { return guiControl_.get(); }
    TStyleManager& StyleManager() { return *styleManager_; }
    TTolvexHelpSystem* HelpSystem() { return helpSystem_.get(); }
    // The open catalog's data; null while no catalog is open.
    TCatalogData* GetCatalogData();

    // ---- remembered login parameters ------------------------------------------------------
    void SetLoginParams(const TLoginParams& params) override;
    TLoginParams GetLoginParams() const override { return login_; }
    void SetUserCredentials(const std::string& userName, const std::string& password);
    std::string GetUserName() const { return login_.UserName; }
    std::string GetPassword() const { return login_.Password; }
    void SetCatalogCode(const std::string& catalogCode) override { login_.CatalogCode = catalogCode; }

    // ---- home page ---------------------------------------------------------------------------
    // Catalog property 708 of the open catalog; 100001 when none is open or it is 0.
    int GetHomePageId() override;
    void LoadHomePageId();
    void ResetHomePageId() override { homePageId_ = 0; }

    // ---- page file names and addresses -----------------------------------------------------
    // The file name of a page: "index" for the home page when asked, else
    // the item id; "-" and the page number for pages other than 0 and 1; the
    // extension of the item type. An open catalog puts the item's
    // alternative file name in its place.
    std::string GetPageFileName(int itemId, int itemType, int pageNo, bool useIndexForHome,
                                TAbstractDBConnection* connection, const std::string& altName);
    // The same, its first ".html" replaced by "." + Ext; the alternative
    // name is read through Connection unless given as AltName.
    std::string GetPageFileNameWithExt(int itemId, int itemType, int pageNo, const std::string& ext,
                                       bool useIndexForHome, TAbstractDBConnection* connection,
                                       const std::string& altName = "");
    // The extension (with its dot) that the loaded definition gives the type.
    std::string GetPageExtension(int itemType) override;
    // The page's address on the catalog's own web site once its address is
    // set (catalog property 718, read through Connection), else on the
    // hosting service once it is published there; the file name percent-encoded.
    std::string GetHostedPageUrl(int itemId, int itemType, int pageNo, const std::string& dir,
                                 TAbstractDBConnection* connection, const std::string& altName);

    // ---- catalog opening, closing and maintenance ---------------------------------------------
    // Opens a catalog through the catalog object and lays the window out for
    // it. Error: empty on success; a failure's message is left for the caller.
    void OpenCatalog(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
                     const std::string& catalogCode, const std::string& userName, const std::string& password,
                     std::uint8_t flags, std::string& error);
    // False when the item being edited refused to be left (nothing closed).
    bool CloseCatalog() override;
    // Closes and opens the remembered catalog again.
    void ReopenCatalog();
    // Deletes the remembered catalog's database (empty code: the remembered
    // catalog); the shell closes the catalog before.
    bool DeleteCatalog(const std::string& catalogCode);
    // Backup, restore and compaction of the open catalog's database; nothing
    // happens while no catalog is open. Restore and compaction stop when the
    // item being edited refuses to be left.
    void BackupCatalog();
    void AutoBackupCatalog();
    void RestoreCatalog();
    void CompactCatalog();
    // True when the user wants a backup of the catalog now; DatabaseName
    // names the catalog's database (the section its backups keep).
    bool AskBackupReminder(const std::string& databaseName);

    // ---- software-update hand-over -------------------------------------------------------------
    // Runs the update modally; Files (may be null) limits it to those files.
    // True when it ended with OK.
    bool RunSoftwareUpdate(const std::vector<std::string>* files, bool applyImmediately);
    // Starts the update in the background.
    void StartSoftwareUpdate(const std::vector<std::string>* files);
    // When downloaded files wait to be applied: sets the updater's arguments,
    // closes the program and answers true.
    bool RestartIfUpdatePending();

    // ---- TCatalogHost ---------------------------------------------------------------------------
    std::unique_ptr<TAbstractCatalogData> CreateCatalogData(TCatalog& catalog) override;
    void LoginShowWelcome(const std::string& catalogName, bool autoOpen) override;
    void LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName,
                          const std::string& dbType) override;
    void LoginNewCatalog() override;
    void LoginNewCatalogFromHost() override;
    std::string GetActionString(int actionId) override;
    void ExecuteActionById(int actionId, bool check) override;
    void PostActionById(int actionId, bool check) override;
    void StartImageServer() override;
    void StopImageServer() override;
    std::string GetDefaultCustomXsl() override;
    std::string GetPreviewHostAddress() override { return kPreviewHost; }
    std::string GetStylePreviewHostAddress() override { return kStylePreviewHost; }

    // ---- TCatalogCreationHost (CloseCatalog and SetCatalogCode above) -----------------------------
    bool AskNewCatalogCode(const std::string& oldCode, std::string& newCode) override;
    void ExecuteAction(const std::string& action, bool check) override;
    void QueueAction(const std::string& action, bool check) override;
    void PostReopenCatalog() override;
    bool RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection) override;

    // ---- TCatalogDefinitionLookup -------------------------------------------------------------------
    int GetItemIdByName(const std::string& name) override;
    int GetItemTypeByName(const std::string& name) override;

    // ---- TCatalogDataHost ----------------------------------------------------------------------------
    TTolvexGuiControl* GetGuiControl() override { return guiControl_.get(); }
    TStyleSelector* GetStyleSelector() override;
    TAbstractDBConnection* GetCategoryConnection() override;
    std::unique_ptr<TCatalogDataUI> CreateCatalogUI(TCatalogData& data) override;
    std::unique_ptr<TCatalogPageGeneration> CreatePageGeneration(TCatalogData& data) override;

    // ---- TStyleManagerHost (ExecuteAction and PostReopenCatalog above) -----------------------------
    std::unique_ptr<TStyleDialog> CreateStyleDialog() override;
    void StartStyleOperation(std::unique_ptr<TStyleOperation> operation) override;

private:
    std::string Translate(const std::string& text) const;
    std::string FormatMessage(const std::string& text, const std::vector<std::string>& args) const;
    std::tm Now() const;

    // Steps of Start.
    void CreateSettings();
    void CountSession();
    void CreateDatabases();
    void CreateCatalog();
    void CreateGuiParts();

    // Maintenance: the database module of the remembered login (an unopened
    // factory) and the folder and name of the catalog's database.
    std::unique_ptr<TAbstractDBConnectionFactory> CreateRememberedModule();
    std::string CatalogFolder() const;
    std::string CatalogDatabaseName() const;
    void ShowCatalogOpened(const std::string& catalogCode);

    TEnvironment environment_;
    TLoginParams login_;
    int homePageId_ = 0;
    bool advancedMode_ = false;

    std::unique_ptr<TTolvexException> exceptionHook_;
    std::unique_ptr<TGlobalSettings> settings_;
    std::unique_ptr<TReferences> references_;
    std::unique_ptr<TGlobalDefinition> globalDefinition_;
    std::unique_ptr<TProgramDatabases> programDatabases_;
    std::unique_ptr<TClassesList> classesList_;
    std::unique_ptr<TTolvexObjectContext> objectContext_;
    // Created before the catalog object, which refers to it, and freed after it.
    std::unique_ptr<TCatalogUpgrader> upgrader_;
    std::unique_ptr<TCatalog> catalog_;
    // Serves the open catalog's images while a catalog of a type above 0 is open.
    std::unique_ptr<TTolvexHttpServer> imageServer_;
    std::unique_ptr<TTolvexGuiControl> guiControl_;
    std::unique_ptr<TStyleManager> styleManager_;
    std::unique_ptr<TTolvexHelpSystem> helpSystem_;
};

// The root object of the running program; null before the entry point
// created it and after it was freed.
extern TTolvex* RootObject;
