#pragma once
// A catalog for tests: a real SQLite catalog database in a temporary folder
// (the catalog tables of TCatalogTables), opened through the SQLite module,
// standing in for the open catalog (TAbstractCatalog) with its code and
// languages, and an object context whose classes list holds the classes a
// test declares.
//
//   TCatalogFixture catalog;                       // code "shop", EN and DE, default EN
//   catalog.DeclareClass(10, "Product").Member(1, "Name", 1, mfIsMultiLang);
//   catalog.AddItem(1001, 200);                    // an Items row
//   TTolvexObjectFactory factory(catalog.Context());
#include "storage/AbstractCatalog.h"
#include "catalog/AbstractCatalogData.h"
#include "catalog/CatalogDefinitionLookup.h"
#include "catalog/CatalogHost.h"
#include "catalog/CatalogUpgrades.h"
#include "catalog/TolvexCatalog.h"
#include "common/Variant.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractDBConnection.h"
#include "storage/TolvexObjectContext.h"
#include "support/FixtureClass.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnectionFactory;
class TCatalog;
class TGlobalSettings;

class TCatalogFixture : public TAbstractCatalog {
public:
    // Creates the database; the catalog counts as open (see Close).
    explicit TCatalogFixture(const std::string& catalogCode = "shop");
    ~TCatalogFixture() override;

    // ---- TAbstractCatalog ----------------------------------------------------
    // What the object model asks of the open catalog. Properties are read
    // from the database; the other catalog-level operations (writing
    // properties, templates, deletion, styles) need a catalog object and
    // raise EDeveloperTolvexException here: use TCatalogEnvironment and
    // TTolvexCatalog for them. Languages are the ones set by SetLanguages.
    // The object model sees no open catalog after Close, and this one again after Reopen.
    void Close() override;
    TAbstractDBConnectionFactory& GetConnectionFactory() override;
    std::string GetCatalogCode() const override { return code_; }
    int GetCatalogType() const override { return catalogType_; }
    void UpgradeStyles(TAbstractDBConnection&, TAbstractDBConnection&) override;
    bool ApplyIncludedStyles(int, TAbstractDBConnection&, TAbstractDBConnection&, const std::string&) override;
    std::string GetCatalogProperty(int propertyId, TAbstractDBConnection& connection) override;
    void SetCatalogProperty(int, const std::string&, TAbstractDBConnection&) override;
    int GetDefaultTemplateId(int, TAbstractDBConnection&) override;
    void ListDefaultTemplateIds(std::vector<std::string>&, TAbstractDBConnection&) override;
    void MakeDefaultTemplate(int, TAbstractDBConnection&) override;
    bool DeleteItem(int, TAbstractDBConnection&, bool, bool, TDeleteChildren) override;
    void LoadLanguages(TAbstractDBConnection&) override {}
    std::string GetDefaultLangCode() const override { return defaultLang_; }
    const std::vector<std::string>& GetLanguages() const override { return languages_; }
    bool IsMultilingual() const override { return languages_.size() > 1; }
    bool HasLanguage(const std::string& langCode) const override;
    std::string GetCurrentLangCode() const override { return currentLang_; }

    // ---- set-up --------------------------------------------------------------
    TTolvexObjectContext& Context() { return *context_; }
    // The catalog's main connection (no unit of work).
    TAbstractDBConnection& Connection();
    // A further connection with a unit of work begun.
    std::unique_ptr<TAbstractDBConnection> OpenSecondConnection();
    const TTempFolder& Folder() const { return folder_; }

    // Languages (upper case) with the default; the current language becomes the default.
    void SetLanguages(const std::vector<std::string>& languages, const std::string& defaultLang);
    void SetCurrentLangCode(const std::string& lang) { currentLang_ = lang; }
    void SetCatalogType(int catalogType) { catalogType_ = catalogType; }
    void Reopen();
    // The path of the catalog's database file.
    std::string DatabaseFile() const;

    TFixtureClass& DeclareClass(int classId, const std::string& classXmlTag);
    // An Items row; LinkedItemId 0 means the item's own id.
    void AddItem(int itemId, int itemType = 100, int parentItemId = 1, int linkedItemId = 0, bool notVisible = false);

    // Runs a statement with bound parameters on the main connection.
    void Exec(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params = {});
    // The first field of the first row of a SELECT (Null when there is none).
    TVariant Scalar(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params = {});
    // Rows of a table of this catalog that match a condition ("" for all).
    int Count(const std::string& table, const std::string& condition = "");

private:
    TTempFolder folder_;
    std::string code_;
    int catalogType_ = 1;
    std::vector<std::string> languages_{"EN", "DE"};
    std::string defaultLang_ = "EN";
    std::string currentLang_ = "EN";
    std::map<int, std::unique_ptr<TFixtureClass>> classes_;
    std::unique_ptr<TAbstractDBConnectionFactory> factory_;
    std::unique_ptr<TTolvexObjectContext> context_;
};

// ---- a catalog object over the test catalog ------------------------------------------
//
//   TCatalogEnvironment env;                     // code "shop", a catalog object, nothing open
//   env.Catalog().CreateItem(100, 1, 0, "shop", env.Db().Connection(), 0);
//   std::string error = env.OpenCatalog(1);      // opens "shop" as catalog type 1
//
// The catalog object runs over a program folder of its own with the process
// singletons; the program around it (root object, login dialog, action
// processor, image server, upgrades, style loader) is a recording host.

// Records, in order, what the catalog object asked of the program around it
// ("ExecuteAction 7", "BuildUI", "Select 100001", ...) and answers as set up.
class TRecordingCatalogHost : public TCatalogHost, public TCatalogUpgrades, public TCatalogDefinitionLookup {
public:
    std::vector<std::string> calls;

    // Answers.
    bool closeCatalogAnswer = true;
    TLoginParams login;
    int homePageId = 100001;
    std::map<int, std::string> actions;  // action strings by id
    int startActionId = 0;               // what the catalog data's definition names
    std::string openError;               // an error the catalog data's open reports
    std::map<int, int> typeVersions;
    bool convertible = false;
    bool conversionSucceeds = true;
    std::string convertedFolder = "/converted";
    std::string customXsl = "<xsl:stylesheet/>";

    // ---- TCatalogHost
    std::unique_ptr<TAbstractCatalogData> CreateCatalogData(TCatalog& catalog) override;
    bool CloseCatalog() override;
    TLoginParams GetLoginParams() const override { return login; }
    void SetLoginParams(const TLoginParams& params) override;
    int GetHomePageId() override { return homePageId; }
    std::string GetPageExtension(int itemType) override { return itemType == 404 ? ".php" : ".html"; }
    void LoginShowWelcome(const std::string& catalogName, bool autoOpen) override;
    void LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName,
                          const std::string& dbType) override;
    void LoginNewCatalog() override { calls.push_back("LoginNewCatalog"); }
    void LoginNewCatalogFromHost() override { calls.push_back("LoginNewCatalogFromHost"); }
    std::string GetActionString(int actionId) override { return actions[actionId]; }
    void ExecuteActionById(int actionId, bool check) override;
    void PostActionById(int actionId, bool check) override;
    void StartImageServer() override { calls.push_back("StartImageServer"); }
    void StopImageServer() override { calls.push_back("StopImageServer"); }
    std::string GetDefaultCustomXsl() override { return customXsl; }
    std::string GetPreviewHostAddress() override { return "http://preview.tolvex"; }
    std::string GetStylePreviewHostAddress() override { return "http://stylepreview.tolvex"; }

    // ---- TCatalogUpgrades
    int GetCatalogTypeVersion(int catalogType) override { return typeVersions[catalogType]; }
    void UpgradeDefinition(const std::string& catalogCode, int catalogType, int currentVersion,
                           TAbstractDBConnection& connection) override;
    bool IsConvertibleOldCatalog(const std::string& dbPath, const std::string& catalogCode,
                                 const std::string& password) override;
    bool ConvertOldCatalog(std::string& dbPath, const std::string& catalogCode, std::string& userName,
                           std::string& password) override;
    void CopyStyleItems(const std::string& targetCode, const std::string& sourceCode,
                        const std::vector<std::string>& itemIds, TAbstractDBConnection& target,
                        TAbstractDBConnection& source, const std::string& params, bool onlyMissing,
                        bool newDates) override;
    void DeleteStyleItems(const std::string& targetCode, const std::string& sourceCode,
                          const std::vector<std::string>& itemIds, TAbstractDBConnection& target) override;

    // ---- TCatalogDefinitionLookup
    int GetItemIdByName(const std::string&) override { return 0; }
    int GetItemTypeByName(const std::string&) override { return 0; }
};

// The open catalog's data for tests: connects through the named database
// module, reads the catalog information and the languages; its user
// interface steps are recorded by the host.
class TTestCatalogData : public TTolvexCatalog, public TAbstractCatalogData {
public:
    TTestCatalogData(TCatalog& catalog, TRecordingCatalogHost& host) : TTolvexCatalog(catalog), host_(host) {}

    TTolvexCatalog& GetCatalog() override { return *this; }
    void Open(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
              const std::string& catalogCode, const std::string& userName, const std::string& password,
              std::uint8_t flags, std::string& error) override;
    int GetStartActionId() override { return host_.startActionId; }
    void BuildUI() override { host_.calls.push_back("BuildUI"); }
    void SelectWebTreeItem(int itemId) override { host_.calls.push_back("Select " + std::to_string(itemId)); }
    // Member 1 of class 1 in the language.
    std::string GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode) override;

private:
    TRecordingCatalogHost& host_;
};

class TCatalogEnvironment {
public:
    explicit TCatalogEnvironment(const std::string& catalogCode = "shop");
    ~TCatalogEnvironment();
    TCatalogEnvironment(const TCatalogEnvironment&) = delete;
    TCatalogEnvironment& operator=(const TCatalogEnvironment&) = delete;

    TCatalog& Catalog() { return *catalog_; }
    TCatalogFixture& Db() { return db_; }
    TAbstractDBConnection& Connection() { return db_.Connection(); }
    TGlobalSettings& Settings() { return *settings_; }
    const TTempFolder& Home() const { return home_; }
    TScriptedGui& Gui() { return gui_; }
    TRecordingCatalogHost& Host() { return host_; }

    // Gives the test catalog its catalog information (class 604) and opens
    // it through the catalog object; the error text of the opening.
    std::string OpenCatalog(int catalogType, std::uint8_t flags = 0);
    // Builds a catalog-type definition (the items of "t#N", in the XML format
    // of the shipped definitions) into the program's databases folder.
    void BuildDefinition(int catalogType, const std::string& items);

private:
    struct TSingletons {
        explicit TSingletons(const std::string& appDir);
        ~TSingletons();
    };

    TTempFolder home_;
    TSingletons singletons_;
    std::unique_ptr<TGlobalSettings> settings_;
    TScriptedGui gui_;
    TRecordingCatalogHost host_;
    TCatalogFixture db_;
    std::unique_ptr<TCatalog> catalog_;
};
