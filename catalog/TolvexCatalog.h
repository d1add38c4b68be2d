#pragma once
// A catalog bound to its database (see TAbstractCatalog): a catalog code
// and type, the connection factory of a database module, the data
// languages, the catalog properties and default templates, the deletion of
// items and the upgrade of the catalog's style data. The open catalog's
// data derives from it; the style loader binds its own to catalogs it opens
// by file. The catalog-level work goes through the catalog object.
#include "storage/AbstractCatalog.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TCatalog;

class TTolvexCatalog : public TAbstractCatalog {
public:
    // Catalog: the catalog object; not owned, it must outlive this one.
    explicit TTolvexCatalog(TCatalog& catalog);
    ~TTolvexCatalog() override;
    TTolvexCatalog(const TTolvexCatalog&) = delete;
    TTolvexCatalog& operator=(const TTolvexCatalog&) = delete;

    // ---- TAbstractCatalog ------------------------------------------------------
    void Close() override;
    // Raises EDeveloperTolvexException while no database is bound.
    TAbstractDBConnectionFactory& GetConnectionFactory() override;
    std::string GetCatalogCode() const override { return catalogCode_; }
    int GetCatalogType() const override { return catalogType_; }
    void UpgradeStyles(TAbstractDBConnection& target, TAbstractDBConnection& source) override;
    bool ApplyIncludedStyles(int itemId, TAbstractDBConnection& target, TAbstractDBConnection& source,
                             const std::string& params) override;
    std::string GetCatalogProperty(int propertyId, TAbstractDBConnection& connection) override;
    void SetCatalogProperty(int propertyId, const std::string& value, TAbstractDBConnection& connection) override;
    int GetDefaultTemplateId(int folderItemId, TAbstractDBConnection& connection) override;
    void ListDefaultTemplateIds(std::vector<std::string>& list, TAbstractDBConnection& connection) override;
    void MakeDefaultTemplate(int templateItemId, TAbstractDBConnection& connection) override;
    bool DeleteItem(int itemId, TAbstractDBConnection& connection, bool checkReferences, bool writeTombstones,
                    TDeleteChildren children) override;
    void LoadLanguages(TAbstractDBConnection& connection) override;
    std::string GetDefaultLangCode() const override { return defaultLangCode_; }
    const std::vector<std::string>& GetLanguages() const override { return languages_; }
    bool IsMultilingual() const override { return languages_.size() > 1; }
    bool HasLanguage(const std::string& langCode) const override;
    // A catalog that nobody edits has its default language as current language.
    std::string GetCurrentLangCode() const override { return defaultLangCode_; }

    void SetCatalogCode(const std::string& catalogCode) { catalogCode_ = catalogCode; }
    void SetCatalogType(int catalogType) { catalogType_ = catalogType; }

    // ---- binding to a database --------------------------------------------------
    // Opens the database CatalogName in DbPath through the named database
    // module (an unknown module raises EFatalTolvexException "Cannot load
    // database module"); the answer of the open.
    bool ConnectDatabase(const std::string& dbType, const std::string& dbParams, const std::string& dbPath,
                         const std::string& catalogName);
    // Looks into the database CatalogName in DbPath before ConnectDatabase
    // opens it (which may prepare the file for this program's use), through
    // a connection that changes nothing in it; Check reads it and decides.
    // True without a look when the database does not exist or the module
    // cannot open it that way.
    bool CheckDatabaseUnchanged(const std::string& dbType, const std::string& dbParams, const std::string& dbPath,
                                const std::string& catalogName,
                                const std::function<bool(TAbstractDBConnection&)>& check);
    // Opens a catalog database by its file path, through the database module
    // whose "FileExt" is the file's extension (any letter case).
    bool OpenDatabaseFile(const std::string& filePath);
    bool HasConnectionFactory() const { return factory_ != nullptr; }
    // Sets code (lower case) and type from the catalog information of
    // CatalogCode; false (nothing changed) when the catalog has none.
    bool ReadCatalogInfo(const std::string& catalogCode, TAbstractDBConnection& connection);
    // The catalog type in the catalog information of CatalogCode; nothing
    // when the catalog has none.
    static std::optional<int> ReadCatalogType(TAbstractDBConnection& connection, const std::string& catalogCode);

private:
    std::string DefinitionCatalogCode() const;

    TCatalog& catalog_;
    std::string catalogCode_;
    int catalogType_ = 0;
    std::unique_ptr<TAbstractDBConnectionFactory> factory_;
    std::string defaultLangCode_;
    std::vector<std::string> languages_;
};
