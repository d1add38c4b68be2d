#pragma once
// The catalog object, one per process: it owns the catalog definition of
// the current catalog type, the open catalog's data (a catalog is open
// exactly while it is set) and the object factory. It runs the login entry
// points, opens and closes catalogs with their start sequence, lists the
// catalog files that can be opened, keeps the list of recently used
// catalogs and reads and writes catalog properties.
//
// It also offers the item-level operations on a catalog database that
// editors, trees, the page generation, publishing and imports use directly
// (creating, finding, linking and deleting items, references, page file
// names and preview addresses). Each works on the connection and catalog
// code it is given; they live in CatalogItems*.cpp.
//
// What the catalog object needs of the program around it (the root object,
// the login dialog, the action processor, the image server, the open
// catalog's data, the upgrades) comes through TCatalogHost and
// TCatalogUpgrades.
#include "storage/AbstractCatalog.h"
#include "common/WellKnownIds.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TAbstractCatalogData;
class TAbstractDBConnection;
class TCatalogDefinition;
class TCatalogDefinitionLookup;
class TCatalogHost;
class TCatalogUpgrades;
class TCommonGui;
class TDBManager;
class TGlobalSettings;
class TTolvexCatalog;
class TTolvexObjectContext;
class TTolvexObjectFactory;
class TTranslation;

// The tag of a catalog list entry from a previous-generation installation.
inline constexpr int kOldInstallCatalogTag = -1010101;
// Catalog properties are items of this type (and class) under item 8,
// whose id is the property number.
// Catalog properties used by the opening.
inline constexpr int kPropertyInitialised = 707;
inline constexpr int kPropertyHomePage = 708;
inline constexpr int kPropertyStartOnAbout = 709;
inline constexpr int kPropertyDefinitionVersion = 733;
// The address of the catalog's own web site (asked by FTP publishing).
inline constexpr int kPropertyWebSiteUrl = 718;

class TCatalog {
public:
    // The services the catalog object uses; none is owned, all must outlive it.
    struct TServices {
        TGlobalSettings& Settings;
        TDBManager& DBManager;
        TCommonGui& Gui;
        const TTranslation* Translation;  // may be null: texts stay English
        TTolvexObjectContext& ObjectContext;
        TCatalogDefinitionLookup& DefinitionLookup;
        TCatalogHost& Host;
        TCatalogUpgrades& Upgrades;
    };

    // One entry of the catalog list: "[Prefix / ]name===folder/file" with the
    // index of its database module (or kOldInstallCatalogTag).
    struct TListEntry {
        std::string Text;
        int Tag = 0;
        bool operator==(const TListEntry&) const = default;
    };
    // One entry of the catalogs menu: the caption shown, the file opened.
    struct TMenuEntry {
        std::string Caption;
        std::string File;
        int Tag = 0;
        bool operator==(const TMenuEntry&) const = default;
    };
    // A preview address taken apart (see ParsePreviewUrl).
    struct TPreviewUrl {
        std::string CleanUrl;
        std::string FileName;
        std::string Ext;
        std::string Dir;
        int Kind = 0;  // 1 preview host, 2 style-preview host, 0 neither
        int ItemId = 0;
        int PageNo = 0;
    };

    // Creates the object factory and the definition.
    explicit TCatalog(const TServices& services);
    // Closes an open catalog by freeing its data.
    ~TCatalog();
    TCatalog(const TCatalog&) = delete;
    TCatalog& operator=(const TCatalog&) = delete;

    // ---- life cycle ------------------------------------------------------------
    // Loads the definition of catalog type 0.
    void Initialize();
    bool IsOpen() const { return data_ != nullptr; }
    TCatalogDefinition& GetDefinition() { return *definition_; }
    TTolvexObjectFactory& GetObjectFactory() { return *objectFactory_; }
    // The open catalog's data; null while no catalog is open.
    TAbstractCatalogData* GetData() { return data_.get(); }
    // The open catalog; null while none is open.
    TTolvexCatalog* GetOpenCatalog();
    TDBManager& GetDBManager() { return services_.DBManager; }
    TGlobalSettings& GetSettings() { return services_.Settings; }
    TTolvexObjectContext& GetObjectContext() { return services_.ObjectContext; }
    TCommonGui& GetGui() { return services_.Gui; }
    TCatalogUpgrades& GetUpgrades() { return services_.Upgrades; }
    // The folder in which a previous-generation installation keeps its
    // catalogs; empty (the default) when there is none to list.
    void SetOldInstallFolder(const std::string& folder) { oldInstallFolder_ = folder; }

    // ---- login entry points (each asks QueryClose first) ------------------------
    void OpenWithLogin(const std::string& catalogName, bool autoOpen);
    void OpenFileWithLogin(const std::string& dbDir, const std::string& catalogName, const std::string& dbType);
    void NewCatalog();
    void NewCatalogFromHost();
    // Opens the recently used catalog Index (1 to 5); other indexes do nothing.
    void OpenRecentCatalog(int index);

    // ---- open and close -----------------------------------------------------------
    // Closes a catalog that is open, then opens one; Error stays empty on
    // success, "reopen" asks the caller to open the catalog again.
    void Open(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
              const std::string& catalogCode, const std::string& userName, const std::string& password,
              std::uint8_t flags, std::string& error);
    // Closes the open catalog without questions and updates the recent list.
    void Close();
    // Asks whether the open catalog may be closed and closes it; false when
    // the user or the current editor refused.
    bool QueryClose();
    // Deletes the database of the remembered catalog; false for any other code.
    bool DeleteCatalogDatabase(const std::string& catalogCode);

    // ---- catalog list -----------------------------------------------------------------
    void GetCatalogList(std::vector<TListEntry>& list);
    void AddCatalogFiles(const std::string& dir, std::vector<TListEntry>& list, const std::string& ext,
                         const std::string& prefix, int tag, bool allowDuplicates);
    void AddOldInstallCatalogs(std::vector<TListEntry>& list);
    // The entries of the catalogs menu (and of the toolbar's catalogs
    // submenu): the catalog list sorted, without duplicates.
    std::vector<TMenuEntry> FillCatalogsMenu();
    // Opens the catalog of a menu entry through the login dialog.
    void CatalogMenuItemClick(const TMenuEntry& entry);
    bool CatalogFileExists(const std::string& catalogName) const;
    // Copies a catalog file of a previous installation into the database
    // folder under its name, unless a file of that name is there already;
    // the path of the file in the database folder.
    std::string CopyOldInstallCatalog(const std::string& file);

    // ---- properties and catalog information ----------------------------------------
    // Empty when the property is not set.
    static std::string GetCatalogProperty(int propertyId, TAbstractDBConnection& connection,
                                          const std::string& catalogCode);
    void SetCatalogProperty(int propertyId, const std::string& value, TAbstractDBConnection& connection,
                            const std::string& catalogCode);
    // False with Error set when the catalog has no catalog information.
    bool GetCatalogInfo(const std::string& catalogCode, TAbstractDBConnection& connection, std::string& lowerCode,
                        int& catalogType, std::string& error);

    // ---- item lookups (CatalogItems.cpp) ------------------------------------------
    // Lookups answer 0, false or empty text when there is no row or the id
    // is 0. Where noted, an empty catalog code stands for the open catalog's
    // (0 when none is open).
    bool ItemExists(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    bool ObjectInstanceExists(int itemId, int classId, const std::string& catalogCode,
                              TAbstractDBConnection& connection);
    // Empty code: the open catalog.
    int GetLinkedItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    // Empty code: the open catalog.
    int GetParentItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    // A visible link copy of the item. Empty code: the open catalog.
    int FindVisibleLinkCopy(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    // The lowest id of the type. Empty code: the open catalog.
    int FindFirstItemOfType(int itemType, const std::string& catalogCode, TAbstractDBConnection& connection);
    int FindOtherItemOfType(int itemType, int exceptItemId, const std::string& catalogCode,
                            TAbstractDBConnection& connection);
    void GetChildItemIds(int parentItemId, std::vector<std::string>& list, const std::string& catalogCode,
                         TAbstractDBConnection& connection, bool onlyOriginals);
    // The items that have children of the type.
    void GetParentIdsOfItemType(int itemType, std::vector<std::string>& list, const std::string& catalogCode,
                                TAbstractDBConnection& connection);
    // Whether an object of the item holds Value in the member; the
    // InstanceIds are added to List when it is given.
    bool FindInstancesByNumber(int itemId, int classId, int memberId, double value, const std::string& catalogCode,
                               const std::string& langCode, TAbstractDBConnection& connection,
                               std::vector<std::string>* list);
    std::string GetExpandedImageCode(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    void SetExpandedImageCode(const std::string& code, int itemId, const std::string& catalogCode,
                              TAbstractDBConnection& connection);
    // The alternative file name of the item or of the item it shows.
    std::string GetAltFileName(int itemId, TAbstractDBConnection* connection, const std::string& catalogCode);
    // The item with that alternative file name (of the type, 0 = any).
    int FindItemByAltFileName(const std::string& name, TAbstractDBConnection& connection,
                              const std::string& catalogCode, int itemType);
    bool AltFileNameExists(const std::string& name, int exceptItemId, TAbstractDBConnection& connection,
                           const std::string& catalogCode);
    // The item imported from that address.
    int FindItemBySourceUrl(const std::string& value, TAbstractDBConnection& connection,
                            const std::string& catalogCode);

    // ---- creating and deleting items (CatalogItemsCreate.cpp, CatalogItemsDelete.cpp) ----
    // Creates an item (ItemId 0: a new id from the sequence "Items") placed
    // after its siblings of the same sort group; OrderNum receives the order
    // number used. Empty code: the open catalog (0, nothing created, when
    // none is open).
    int CreateItem(int itemType, int parentItemId, int linkedItemId, const std::string& catalogCode,
                   TAbstractDBConnection& connection, int itemId, std::int64_t* orderNum = nullptr);
    // Creates an item with the next free id strictly between MinId and MaxId
    // (a sequence id when the range is full).
    int CreateItemInRange(int minId, int maxId, int itemType, int parentItemId, int linkedItemId,
                          const std::string& catalogCode, TAbstractDBConnection& connection,
                          std::int64_t* orderNum = nullptr);
    // Deletes the item with its link copies, their objects and values, as one
    // unit of work. CheckReferences refuses an item that anything refers to
    // (asking when only page texts name it). Children decides about the
    // items below: Refuse answers false for an item with children, Cascade
    // deletes the whole subtree. WriteTombstones records published ids in
    // DeletedItems. True when deleted (and for item 0).
    bool DeleteItem(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                    bool checkReferences, bool writeTombstones, TDeleteChildren children);
    // Deletes the rows of one object instance, as one unit of work.
    void DeleteObjectInstance(int itemId, int instanceId, const std::string& catalogCode,
                              TAbstractDBConnection& connection);
    // Flags of what refers to the item: 1 children, 2 link copies, 4 a
    // member value, 8 a link in a page text. Checks 0 tests 1, 4 and 2 until
    // one is found, and always 8; otherwise the bits of Checks are tested.
    std::uint8_t GetItemReferences(int itemId, std::uint8_t checks, const std::string& catalogCode,
                                   TAbstractDBConnection& connection);

    // ---- names and addresses (CatalogItemsNames.cpp) ---------------------------------
    // The page's file name from its alternative file name, DefaultName when it has none.
    std::string GetPageFileNameByAltName(int itemId, int itemType, int pageNo, const std::string& defaultName,
                                         TAbstractDBConnection* connection, const std::string& catalogCode,
                                         const std::string& altName);
    TPreviewUrl ParsePreviewUrl(const std::string& url, TAbstractDBConnection& connection,
                                const std::string& catalogCode);
    // Appends the names of the items in the open catalog's default language
    // (with WithIds: name "===" id), sorted when asked.
    void GetItemNamesList(const std::vector<int>& idList, std::vector<std::string>& names,
                          const std::string& catalogCode, TAbstractDBConnection& connection, bool sorted,
                          bool withIds);

private:
    std::string Translate(const std::string& text) const;
    std::string Format(const std::string& text, const std::string& arg) const;
    // Code, or the open catalog's code when it is empty.
    std::string CodeOrOpenCatalog(const std::string& catalogCode);
    std::string DatabaseDir() const;

    // Steps of the opening.
    void RunStartSequence(TAbstractCatalogData& data);
    void UpgradeDefinition(TTolvexCatalog& catalog);
    void WriteDefaultCustomXsl();
    void OfferConversion(const std::string& dbPath, const std::string& dbParams, const std::string& catalogCode,
                         std::string& error);
    void UpdateRecentList(const std::string& closedCode);

    // Steps of the item operations.
    std::int64_t NextOrderNum(int itemType, int parentItemId, int itemId, const std::string& catalogCode,
                              TAbstractDBConnection& connection);
    bool MayDelete(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                   bool checkReferences, TDeleteChildren children);
    std::vector<int> ItemsToDelete(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                                   TDeleteChildren children);
    void DeleteItemRows(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                        bool writeTombstones);
    bool IsNamedInPageTexts(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);

    TServices services_;
    std::unique_ptr<TTolvexObjectFactory> objectFactory_;
    std::unique_ptr<TCatalogDefinition> definition_;
    std::unique_ptr<TAbstractCatalogData> data_;
    std::string oldInstallFolder_;
};
