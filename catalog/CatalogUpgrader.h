#pragma once
// The program's TCatalogUpgrades: the definition versions come from the
// global definition, the definition upgrade is the catalog definition's,
// and items travel between a definition catalog and a catalog through
// TCatalogDefinitionItems.
//
// Converting catalogs of the previous program generation belongs to the
// publishing subsystem and is not offered here: no file counts as
// convertible, and a conversion asked for anyway does nothing and answers
// false.
//
// The root object creates it before the catalog object (which is handed it
// among its services) and binds it to that catalog object afterwards.
#include "catalog/CatalogUpgrades.h"

class TCatalog;
class TGlobalDefinition;

class TCatalogUpgrader : public TCatalogUpgrades {
public:
    // GlobalDefinition: not owned, must outlive the upgrader.
    explicit TCatalogUpgrader(TGlobalDefinition& globalDefinition) : globalDefinition_(globalDefinition) {}

    // The catalog object whose definition, items and objects the upgrades
    // use; not owned. Everything but the versions and the conversion raises
    // EDeveloperTolvexException until it is bound.
    void Bind(TCatalog& catalog) { catalog_ = &catalog; }

    int GetCatalogTypeVersion(int catalogType) override;
    void UpgradeDefinition(const std::string& catalogCode, int catalogType, int currentVersion,
                           TAbstractDBConnection& connection) override;
    bool IsConvertibleOldCatalog(const std::string& catalogCode, const std::string& password) override;
    bool ConvertOldCatalog(std::string& dbPath, const std::string& catalogCode, std::string& userName,
                           std::string& password) override;
    void CopyStyleItems(const std::string& targetCode, const std::string& sourceCode,
                        const std::vector<std::string>& itemIds, TAbstractDBConnection& target,
                        TAbstractDBConnection& source, const std::string& params, bool onlyMissing,
                        bool newDates) override;
    // Deletes the listed items that the upgrade may delete (TUpgradeDeletionRule).
    void DeleteStyleItems(const std::string& targetCode, const std::string& sourceCode,
                          const std::vector<std::string>& itemIds, TAbstractDBConnection& target) override;

private:
    TCatalog& Catalog() const;

    TGlobalDefinition& globalDefinition_;
    TCatalog* catalog_ = nullptr;
};
