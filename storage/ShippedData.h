#pragma once
// Builds the databases that ship with the program from their text sources
// (the repository's data/ folder) into a program folder's "databases"
// folder:
//  - "catalogs": the catalog description, its tables created by
//    catalogsxml/SCHEMA.sql and filled from the record-set XML files of
//    catalogsxml/, plus GlobalTables, written from the catalog tables'
//    definitions in the code (TCatalogTables);
//  - "tolvex": the reference database, every references/*.sql;
//  - "unspsc", "harmonized", "ebay", "zarivuro": the code databases, each
//    from codes/<name>.sql;
//  - "catalog_<N>": the definition database of catalog type N, from
//    catalogtypes/catalog_<N>.xml (BuildCatalogTypeDatabase).
// Every database is built completely in a temporary folder beside the
// target and only then renamed into place: a failed or interrupted build
// never leaves half a database where the program looks for one.
#include <string>
#include <vector>

class TAbstractDBConnection;

class TShippedData {
public:
    // DataDir: the folder of the data sources.
    explicit TShippedData(std::string dataDir);

    // The databases of the data folder, in building order: the six above,
    // then one per catalog-type definition.
    std::vector<std::string> DatabaseNames() const;
    // The catalog types that have a definition (catalogtypes/catalog_<N>.xml),
    // in ascending order.
    std::vector<int> CatalogTypes() const;
    // The data sources of the build tree this program was built from.
    static std::string BuildTreeDataDir();

    // Builds every database into DatabasesDir (created when missing),
    // replacing the ones there. Raises on any failure of a source; the
    // databases already in DatabasesDir then stay as they were.
    void Build(const std::string& databasesDir) const;
    // Builds the databases that DatabasesDir lacks; returns their names.
    std::vector<std::string> BuildMissing(const std::string& databasesDir) const;

private:
    void BuildInto(const std::string& databasesDir, const std::vector<std::string>& names) const;
    void BuildDatabase(const std::string& dir, const std::string& name) const;
    void FillDatabase(TAbstractDBConnection& connection, const std::string& name) const;
    void FillCatalogs(TAbstractDBConnection& connection) const;
    std::vector<std::string> SqlSources(const std::string& name) const;
    // The definition file of a catalog-type database; empty for another name.
    std::string CatalogTypeSource(const std::string& name) const;

    std::string dataDir_;
};

// At the start of the program: fills the "databases" folder of
// ProgramFolder with the shipped databases it lacks, built from the sources
// in DataDir. Returns the names of the databases built (none when all are
// there).
std::vector<std::string> EnsureShippedDatabases(const std::string& programFolder, const std::string& dataDir);
