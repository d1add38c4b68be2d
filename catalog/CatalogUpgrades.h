#pragma once
// The services that bring a catalog's data up to its catalog type's
// definition and that convert catalogs of the previous generation: the
// definition versions of the catalog description, the definition upgrade,
// the conversion, and the style loader that copies items of a definition
// catalog into a catalog. TCatalogUpgrader (CatalogUpgrader.h) implements it
// for the program; the root object hands that to the catalog object.
#include <string>
#include <vector>

class TAbstractDBConnection;

class TCatalogUpgrades {
public:
    virtual ~TCatalogUpgrades() = default;

    // The definition version of a catalog type; 0 when the type is unknown.
    virtual int GetCatalogTypeVersion(int catalogType) = 0;
    // Adds the definition's new items to the catalog and removes its dropped
    // ones (the caller records the new version).
    virtual void UpgradeDefinition(const std::string& catalogCode, int catalogType, int currentVersion,
                                   TAbstractDBConnection& connection) = 0;

    // Whether the catalog file in DbPath (the database folder when empty) is
    // one of the previous generation that can be converted (messages about
    // wrong passwords are shown here).
    virtual bool IsConvertibleOldCatalog(const std::string& dbPath, const std::string& catalogCode,
                                         const std::string& password) = 0;
    // Converts it; on success the folder, user and password of the converted
    // catalog come back in DbPath, UserName and Password.
    virtual bool ConvertOldCatalog(std::string& dbPath, const std::string& catalogCode, std::string& userName,
                                   std::string& password) = 0;

    // Copies items of the catalog SourceCode (on Source) into TargetCode (on
    // Target). OnlyMissing: only items that the target lacks are added,
    // otherwise existing ones are replaced; NewDates: the copies get the
    // current date as modification date, otherwise they keep the source's.
    virtual void CopyStyleItems(const std::string& targetCode, const std::string& sourceCode,
                                const std::vector<std::string>& itemIds, TAbstractDBConnection& target,
                                TAbstractDBConnection& source, const std::string& params, bool onlyMissing,
                                bool newDates) = 0;
    // Deletes the items from TargetCode.
    virtual void DeleteStyleItems(const std::string& targetCode, const std::string& sourceCode,
                                  const std::vector<std::string>& itemIds, TAbstractDBConnection& target) = 0;
};
