#pragma once
// The databases that describe catalogs in general and the lists drawn from
// them: the catalog description (global item ids, item types, the catalog
// tables with their keys and creation statements; the classes live there
// too), the four code databases (UNSPSC, Harmonized System, eBay and
// Zarivuro categories) and the catalog types offered for new catalogs, each
// read from its own definition database. Everything is opened or read on
// first use and kept for the run. The catalog-description tables can be
// exported to record-set XML files and imported from them.
#include "storage/CatalogTypes.h"
#include "storage/ConfiguredDatabase.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnectionFactory;
class TAbstractDBQuery;
class TCommonFunctions;
class TCommonGui;
class TGlobalSettings;
struct TRecordsetXmlContext;

class TGlobalDefinition {
public:
    // Settings, Functions, Gui: not owned. The databases lie in the
    // "databases" folder of the program folder.
    TGlobalDefinition(const TGlobalSettings& settings, TDatabaseModuleCreator createModule,
                      const TCommonFunctions& functions, TCommonGui& gui);
    ~TGlobalDefinition();
    TGlobalDefinition(const TGlobalDefinition&) = delete;
    TGlobalDefinition& operator=(const TGlobalDefinition&) = delete;

    // The databases, opened on first use. One that cannot be opened raises
    // EFatalTolvexException with its message: the program cannot go on.
    TAbstractDBConnectionFactory& GetCatalogsDatabase();
    TAbstractDBConnectionFactory& GetUnspscDatabase();
    TAbstractDBConnectionFactory& GetHarmonizedDatabase();
    TAbstractDBConnectionFactory& GetEBayDatabase();
    TAbstractDBConnectionFactory& GetZarivuroDatabase();

    // The id of a global item name (any letter case); 0 when none.
    int GetItemIdByName(const std::string& name);
    // The name of an id; empty when none.
    std::string GetItemIdName(int id);
    // The item type of a name (any letter case); 0 when none.
    int GetItemTypeByName(const std::string& name);
    // The name of an item type; the number as decimal text when none.
    std::string GetItemTypeName(int itemType);
    // Lines XmlTagName=ItemType in the order of the types.
    const std::vector<std::string>& GetItemTypes();
    // The description of an item type; the number as decimal text when none.
    std::string GetItemTypeDescription(int itemType);

    // The primary key (field names joined by ",") of a table of the catalog
    // tables (any letter case); empty when it is not listed.
    std::string GetTablePrimaryKey(const std::string& table);
    // Lines tablename=PrimaryKeyInfo, table names in lower case.
    const std::vector<std::string>& GetTables();
    // Runs on Query (of another database) the creation statements of the
    // table TableName, or of every table when it is empty, then those of
    // their indexes. Returns true.
    bool CreateTables(TAbstractDBQuery& query, const std::string& tableName);

    // Lines Name===CatalogType in sort order; with All false only the types
    // with a name that are offered for new catalogs.
    void FillCatalogTypes(std::vector<std::string>& strings, bool all);
    // The name of a type; empty when it is not found.
    std::string GetCatalogTypeName(int catalogType);
    // The body template of a type; the first type's when the type is not
    // found or has none; empty without types.
    std::string GetCatalogTypeBodyTemplate(int catalogType);
    // The definition version of a type; 0 when it is not found.
    int GetCatalogTypeVersion(int catalogType);
    // The catalog types in sort order.
    const std::vector<std::unique_ptr<TCatalogTypes>>& GetCatalogTypes();

    // Writes every catalog-description table to "<table>.xml" in the folder
    // "databases/catalogsxml" (created when missing), replacing the files.
    void ExportCatalogsTables();
    // Applies every "*.xml" file of that folder to the catalog description,
    // file by file (each one replaces its table). The lists read before stay
    // as they were.
    void ImportCatalogsTables();
    // What the record-set XML writer and reader need for the program's
    // databases: the value conversions, the tables' primary keys, the debug folder.
    TRecordsetXmlContext RecordsetContext();

private:
    enum TDatabaseSlot { dbCatalogs, dbUnspsc, dbHarmonized, dbEBay, dbZarivuro, dbCount };

    TAbstractDBConnectionFactory& Database(TDatabaseSlot slot);
    std::string DatabasesDir() const;
    std::string ExportDir() const;
    void ExportTable(const std::string& table, const std::string& orderBy);
    void LoadItemLists();
    void LoadTables();
    std::vector<std::string> CreateStatements(const std::string& dataType, const std::string& tableName);
    void LoadCatalogTypes();
    const TCatalogTypes* FindCatalogType(int catalogType);

    const TGlobalSettings& settings_;
    TDatabaseModuleCreator createModule_;
    const TCommonFunctions& functions_;
    TCommonGui& gui_;

    std::array<std::unique_ptr<TAbstractDBConnectionFactory>, dbCount> databases_;
    std::vector<std::unique_ptr<TCatalogTypes>> catalogTypes_;
    bool catalogTypesLoaded_ = false;
    std::vector<std::string> itemIds_;           // XmlTagName=ItemId
    std::vector<std::string> itemTypes_;         // XmlTagName=ItemType
    std::vector<std::string> itemDescriptions_;  // ItemType=Description
    bool itemListsLoaded_ = false;
    std::vector<std::string> tables_;            // tablename=PrimaryKeyInfo
    bool tablesLoaded_ = false;
};
