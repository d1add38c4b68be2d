#pragma once
// The program's TCatalogUpgrades: the definition versions come from the
// global definition, the definition upgrade is the catalog definition's,
// and items travel between a definition catalog and a catalog through
// TCatalogDefinitionItems.
//
// Catalogs of the previous program generation are recognised and converted
// by TOldCatalogConversion (catalog/conversion): the messages of a wrong
// password or catalog type and of a failed conversion go to the catalog
// object's message boxes; the run reports to the progress set here.
//
// The root object creates it before the catalog object (which is handed it
// among its services) and binds it to that catalog object afterwards.
#include "catalog/CatalogUpgrades.h"

#include <memory>

class TCatalog;
class TConversionProgress;
class TConversionWindow;
class TGlobalDefinition;

class TCatalogUpgrader : public TCatalogUpgrades {
public:
    // GlobalDefinition: not owned, must outlive the upgrader.
    explicit TCatalogUpgrader(TGlobalDefinition& globalDefinition);
    ~TCatalogUpgrader() override;

    // The catalog object whose definition, items and objects the upgrades
    // use; not owned. Everything but the versions and the conversion raises
    // EDeveloperTolvexException until it is bound.
    void Bind(TCatalog& catalog) { catalog_ = &catalog; }

    int GetCatalogTypeVersion(int catalogType) override;
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
    // Deletes the listed items that the upgrade may delete (TUpgradeDeletionRule).
    void DeleteStyleItems(const std::string& targetCode, const std::string& sourceCode,
                          const std::vector<std::string>& itemIds, TAbstractDBConnection& target) override;

    // Where conversions report and ask for a cancel; not owned, null for
    // none (the run is then silent and never stopped).
    void SetConversionProgress(TConversionProgress* progress) { progress_ = progress; }
    // Where conversions are shown when no progress is set; null for none.
    void SetConversionWindow(std::unique_ptr<TConversionWindow> window);
    TConversionWindow* ConversionWindow() const { return window_.get(); }

private:
    TCatalog& Catalog() const;
    std::string DatabaseFolder(const std::string& dbPath) const;

    TGlobalDefinition& globalDefinition_;
    TCatalog* catalog_ = nullptr;
    TConversionProgress* progress_ = nullptr;
    std::unique_ptr<TConversionWindow> window_;
};
