#pragma once
// The definition of one catalog type, loaded from that type's definition
// database: the start action, the action list, the tree images, the key
// values ("filters"), the item types with their editors, item managers,
// templates, child types, sort groups, flags and tabs, and the UI elements
// the item types declare. One type is loaded at a time: type 0 while no
// catalog is open, the open catalog's type otherwise.
//
// The definition database of type N holds the catalog "t#N"; it is named by
// setting 14 with "$CatalogType$" replaced by N and opened with the module,
// parameters, user and password of settings 12, 13, 15 and 16 in the
// program's "databases" folder. It stays open while its type is loaded.
//
// The definition also creates new catalogs of a type, brings a catalog up to
// a newer version of its type's definition and changes a catalog's code
// (see "creating, upgrading and renaming catalogs").
#include "catalog/CatalogUIDetail.h"
#include "catalog/TolvexItemTypeDetail.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TAbstractDBConnection;
class TAbstractDBConnectionFactory;
class TCatalog;
class TCatalogCreationHost;
class TCatalogDefinitionImageCache;
class TCatalogDefinitionLookup;
class TCommonFunctions;
class TCommonGui;
class TDBManager;
class TGlobalDefinition;
class TGlobalSettings;
class TIniSettings;
class TTranslation;

// The loaded catalog type while none is loaded.
inline constexpr int kNoCatalogType = -1010101;
// Catalog-type arguments of GetDefinitionDatabase and Load.
inline constexpr int kOpenCatalogType = -1;  // the type whose database is open
inline constexpr int kDefaultCatalogType = -2;  // type 0
// The catalog database's structure version: the LocalSettings row that
// creation writes and opening requires.
inline constexpr const char* kStructureVersionKey = "TolvexVersion";
inline constexpr const char* kStructureVersion = "3.0.0";
// A catalog is built in a database named after its code followed by this,
// which no catalog code contains, and gets its own name when it is
// complete. Such a database is never a catalog: a creation cut short left it.
inline constexpr const char* kCreationWorkSuffix = "~new";
// Whether a database name (the file name without extension) is such a work name.
bool IsCreationWorkName(const std::string& databaseName);

class TCatalogDefinition {
public:
    // The web site to import into the next catalog created (set by the login dialog).
    struct TWebSiteImport {
        std::string Url;
        int DownloadDepth = 0;
        int MaxPages = 0;
        bool OnlyUnderlying = false;
        int StartItemId = 0;
        int ParentItemId = 0;
    };
    // What the last conversion of a previous-generation catalog gave back.
    struct TOldCatalogConversion {
        std::string UserName;
        std::string Password;
        std::string DirName;
    };
    // A catalog to create (see CreateCatalog).
    struct TNewCatalog {
        std::string DbType;    // the database module
        std::string DbParams;  // its parameters
        int CatalogType = 0;
        std::string ServerName;
        std::string CatalogCode;
        std::string AdminUserName;
        std::string AdminPassword;  // plain; stored scrambled
        std::string DbUserName;
        std::string DbPassword;
        bool SaveDbPassword = false;
        std::string CompanyName;
        std::string Email;
        // Copy the definition's initial items and write the catalog records.
        bool InitStructure = true;
        // Copy the first pages too (never while a web-site import is pending).
        bool WithInitPages = true;
    };
    // What creating, upgrading and renaming catalogs use beyond the loaded
    // definition; none is owned, all must outlive the definition. Translation
    // may be null: messages stay English.
    struct TCreationServices {
        TCatalog& Catalog;  // the catalog object that owns this definition
        TGlobalDefinition& GlobalDefinition;
        TGlobalSettings& Settings;
        TCommonFunctions& Functions;
        const TTranslation* Translation;
        TCatalogCreationHost& Host;
    };

    // Settings, DBManager, Gui and Lookup are not owned and must outlive the
    // definition. ProgramFolder holds the "databases" folder.
    TCatalogDefinition(const TIniSettings& settings, TDBManager& dbManager, std::string programFolder,
                       TCommonGui& gui, TCatalogDefinitionLookup& lookup);
    ~TCatalogDefinition();
    TCatalogDefinition(const TCatalogDefinition&) = delete;
    TCatalogDefinition& operator=(const TCatalogDefinition&) = delete;

    // ---- loading ------------------------------------------------------------
    // Called once before the first load; there is nothing to prepare.
    void Initialize() {}
    // Loads the definition of CatalogType (-2 means 0); nothing happens when
    // that type is loaded already. The hourglass shows while it loads. When
    // loading fails, no type is loaded afterwards.
    void Load(int catalogType);
    int GetLoadedCatalogType() const { return loadedType_; }
    // The definition database of CatalogType, opened (and its type made the
    // loaded type) when none is open; -1: the open one, null when none; -2:
    // type 0. Asking for another type than the open one raises
    // EDeveloperTolvexException "Request connection for not opened catalog type".
    TAbstractDBConnectionFactory* GetDefinitionDatabase(int catalogType);
    // A new factory opened on the definition database of CatalogType, owned
    // by the caller. EFatalTolvexException "Cannot open catalog database"
    // when it cannot be opened.
    std::unique_ptr<TAbstractDBConnectionFactory> OpenDefinitionDatabase(int catalogType);
    // The main window's image cache, which receives the tree images of every
    // later load; null (the default) loads no images.
    void SetImageCache(TCatalogDefinitionImageCache* cache) { imageCache_ = cache; }

    // ---- header, actions, filters --------------------------------------------
    int GetStartActionId() const { return startActionId_; }
    // Lines of the action id (decimal), "=" and the action string.
    const std::vector<std::string>& GetActions() const { return actions_; }
    // The value of the key value named FilterVal + "_" + KeyVal (letter case
    // ignored); empty when there is none.
    std::string GetFilterValue(const std::string& filterVal, const std::string& keyVal) const;

    // ---- item types -----------------------------------------------------------
    // "The detail" of a type is the first detail with that ItemType.
    int GetItemTypeCount() const { return static_cast<int>(details_.size()); }
    // Null for an index out of range.
    TTolvexItemTypeDetail* GetItemTypeDetail(int index) const;
    TTolvexItemTypeDetail* FindItemTypeDetail(int itemType) const;
    // Clears List, then adds Name + "=" + Condition of every editor of that
    // kind of the type, in editor order.
    void GetItemTypeEditors(int itemType, std::vector<std::string>& list, int editorKind) const;
    // Params of the first editor of that kind named EditorName (exactly);
    // empty when there is none; unchanged when the type has no detail.
    void GetItemTypeEditorParams(int itemType, int editorKind, const std::string& editorName,
                                 std::string& params) const;
    // The type's item manager; "CommonItemManager" when it names none or the
    // type has no detail.
    std::string GetItemManagerName(int itemType) const;
    // ItemManagerParams of the first detail whose item manager is ManagerName
    // (exactly); empty when none.
    std::string GetItemManagerParams(const std::string& managerName) const;
    // The type's tabs and tree image; empty when the type has no detail.
    std::string GetItemTypeDefaultTab(int itemType) const;
    std::string GetItemTypeFirstTab(int itemType) const;
    std::string GetItemTypeEditTab(int itemType) const;
    std::string GetItemTypeImageName(int itemType) const;
    // The type's flag word and linked-item parent; 0 when it has no detail.
    int GetItemTypeFlags(int itemType) const;
    int GetItemTypeParentId(int itemType) const;
    // The sort group of ItemType (the parent and the ids do not change it); 0 when none.
    int GetItemTypeSortGroup(int parentItemType, int parentItemId, int itemType, int itemId) const;
    // Whether the parent type may contain the child type; false when the
    // parent type has no detail.
    bool CanContainItemType(int parentItemType, int childItemType) const;
    // The template item of that kind of the type; 0 when none.
    int GetItemTypeTemplateId(int itemType, int templateKind) const;
    // Clears List, then adds (decimal) the item type of every detail with a
    // template of that kind that is TemplateId.
    void GetItemTypesUsingTemplate(int templateId, int templateKind, std::vector<std::string>& list) const;

    // ---- UI elements (sorted by Kind, then OrderNum) ---------------------------
    int GetUIDetailCount() const { return static_cast<int>(uiDetails_.size()); }
    // Null when Index is not below the count.
    TCatalogUIDetail* GetUIDetail(int index) const;

    // ---- symbolic ids ---------------------------------------------------------
    // The rules of catalog/SymbolicIds.h; "mastertemplate" and "bodytemplate"
    // give the ids of SetCurrentTemplateIds.
    int ResolveItemId(const std::string& text, int currentId, int currentTreeId);
    int ResolveItemType(const std::string& text, int currentType);
    void SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId);

    // ---- creating, upgrading and renaming catalogs ----------------------------------
    // (CatalogDefinitionCreate.cpp, CatalogDefinitionUpgrade.cpp,
    // CatalogDefinitionCode.cpp.) The root object sets the services once,
    // after the catalog object exists; the operations below raise
    // EDeveloperTolvexException without them.
    void SetCreationServices(const TCreationServices& services);

    // Creates the catalog database Request.CatalogCode (lower-cased) in the
    // database folder and fills it for its catalog type; loads that type's
    // definition. Asks before it overwrites an existing database. False (with
    // the reason shown) when the code is not a valid catalog code, the
    // database exists and is kept, or the module's check refuses;
    // ECriticalTolvexException when the module cannot create or open the
    // database. The catalog is built under a work name and gets its own name
    // only when it is complete: whatever fails, no part-made catalog is left.
    bool CreateCatalog(const TNewCatalog& request);
    // CreateCatalog into Folder instead of the database folder.
    bool CreateCatalogIn(const TNewCatalog& request, const std::string& folder);
    // Copies the items of the definition's lists "IncludeItem" and, with
    // WithInitPages, "InitPageStructure" from the definition catalog of
    // CatalogType (on Source) into CatalogCode (on Target), replacing items
    // that exist and stamping the copies now. Nothing when Skip.
    void CopyInitialStructure(const std::string& catalogCode, int catalogType, bool skip, bool withInitPages,
                              TAbstractDBConnection& target, TAbstractDBConnection& source);
    // Adds the items of the definition's list "UpdateItem" that the catalog
    // lacks and deletes those of "DeleteItem", as one unit of work on
    // Connection; the definition database of CatalogType is the source.
    // FromVersion does not change what is done; the caller records the new
    // version.
    void UpgradeDefinition(const std::string& catalogCode, int catalogType, int fromVersion,
                           TAbstractDBConnection& connection);
    // Runs the pending web-site import into CatalogCode on Connection when its
    // address is a valid URL; true when the import closed with OK and
    // downloaded at least one page.
    bool ImportWebSite(const std::string& catalogCode, TAbstractDBConnection& connection);
    // The "Change Catalog Code" command for the open catalog OldCode: asks for
    // the new code, gives the database file its new name and every row the
    // new code, and has the catalog reopened. A catalog whose change fails
    // keeps its old name and code.
    void ChangeCatalogCode(const std::string& oldCode);
    // Whether Code is a catalog code: not empty, only "-", "0"-"9", "_" and "a"-"z".
    static bool IsValidCatalogCode(const std::string& code);
    // The name of a catalog type's definition database: setting 14 with its
    // first "$CatalogType$" replaced by TypeText (the type number as text).
    static std::string DefinitionDatabaseName(const TIniSettings& settings, const std::string& typeText);

    // ---- data of catalog creation ------------------------------------------------
    void SetWebSiteImport(const std::string& url, int downloadDepth, int maxPages, bool onlyUnderlying,
                          int startItemId, int parentItemId);
    const TWebSiteImport& GetWebSiteImport() const { return webSiteImport_; }
    void ClearWebSiteImport() { webSiteImport_ = {}; }
    TOldCatalogConversion& OldCatalogConversion() { return oldCatalogConversion_; }
    // The values of one list of the initialisation object (item 521, class
    // 521) of the definition catalog of CatalogType, in language "XXX", in
    // index order: "IncludeItem", "InitPageStructure", "UpdateItem" or
    // "DeleteItem" (any other name raises EDeveloperTolvexException).
    static std::vector<std::string> ReadInitializationList(TAbstractDBConnection& connection, int catalogType,
                                                           const std::string& listName);

private:
    // The UI elements of one load by definition item and instance.
    using TUIDetailIndex = std::map<std::pair<int, int>, TCatalogUIDetail*>;

    // The main connection of the definition database of CatalogType.
    TAbstractDBConnection& DefinitionConnection(int catalogType);
    void Unload();
    void LoadHeader(int catalogType);
    void LoadActions(int catalogType);
    void LoadTreeImages(int catalogType);
    void LoadFilters(int catalogType);
    void LoadItemTypes(int catalogType);
    void LoadItemTypeList(TAbstractDBConnection& connection, const std::string& catalogCode);
    void LoadItemTypeStrings(TAbstractDBConnection& connection, const std::string& catalogCode,
                             TUIDetailIndex& index);
    void LoadItemTypeNumbers(TAbstractDBConnection& connection, const std::string& catalogCode,
                             TUIDetailIndex& index);
    void SortLoadedItemTypes();
    TTolvexItemTypeDetail* DetailOfItem(int definitionItemId) const;
    TCatalogUIDetail& UIDetailOf(TTolvexItemTypeDetail& detail, int instanceId, TUIDetailIndex& index);

    // Steps of creating, upgrading and renaming.
    TCreationServices& Services() const;
    std::string Format(const std::string& text, const std::vector<std::string>& args = {}) const;
    bool MakeRoomForCatalog(TAbstractDBConnectionFactory& files, const std::string& folder,
                            const TNewCatalog& request);
    void BuildCatalog(TAbstractDBConnectionFactory& files, const std::string& folder, const TNewCatalog& request);
    // Deletes the work databases that creations cut short left in Folder.
    static void DeleteLeftoverWorkDatabases(TAbstractDBConnectionFactory& files, const std::string& folder,
                                            const TNewCatalog& request);
    void FillCatalog(TAbstractDBConnectionFactory& database, const TNewCatalog& request);
    void WriteCatalogRecords(TAbstractDBConnection& connection, const TNewCatalog& request);
    bool RenameOpenCatalog(const std::string& oldCode, const std::string& newCode);
    void ChangeCodeInFile(const std::string& fileName, const std::string& oldCode, const std::string& newCode);

    const TIniSettings& settings_;
    TDBManager& dbManager_;
    std::string programFolder_;
    TCommonGui& gui_;
    TCatalogDefinitionLookup& lookup_;
    TCatalogDefinitionImageCache* imageCache_ = nullptr;
    std::unique_ptr<TCreationServices> services_;

    std::unique_ptr<TAbstractDBConnectionFactory> database_;
    int loadedType_ = kNoCatalogType;
    int startActionId_ = 0;
    std::vector<std::unique_ptr<TTolvexItemTypeDetail>> details_;
    std::vector<std::unique_ptr<TCatalogUIDetail>> uiDetails_;
    std::vector<std::string> actions_;
    std::vector<std::string> filters_;
    int masterTemplateId_ = 0;
    int bodyTemplateId_ = 0;
    TOldCatalogConversion oldCatalogConversion_;
    TWebSiteImport webSiteImport_;
};
