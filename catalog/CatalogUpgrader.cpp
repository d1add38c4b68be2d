#include "catalog/CatalogUpgrader.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogDefinitionItems.h"
#include "catalog/UpgradeDeletionRule.h"
#include "common/Exceptions.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"

TCatalog& TCatalogUpgrader::Catalog() const
{
    if (!catalog_)
        throw EDeveloperTolvexException("The catalog upgrades are not bound to the catalog object");
    return *catalog_;
}

int TCatalogUpgrader::GetCatalogTypeVersion(int catalogType)
{
    return globalDefinition_.GetCatalogTypeVersion(catalogType);
}

void TCatalogUpgrader::UpgradeDefinition(const std::string& catalogCode, int catalogType, int currentVersion,
                                         TAbstractDBConnection& connection)
{
    Catalog().GetDefinition().UpgradeDefinition(catalogCode, catalogType, currentVersion, connection);
}

bool TCatalogUpgrader::IsConvertibleOldCatalog(const std::string&, const std::string&)
{
    return false;  // the conversion is not part of this program
}

bool TCatalogUpgrader::ConvertOldCatalog(std::string&, const std::string&, std::string&, std::string&)
{
    return false;  // the conversion is not part of this program
}

void TCatalogUpgrader::CopyStyleItems(const std::string& targetCode, const std::string& sourceCode,
                                      const std::vector<std::string>& itemIds, TAbstractDBConnection& target,
                                      TAbstractDBConnection& source, const std::string& params, bool onlyMissing,
                                      bool newDates)
{
    TCatalogDefinitionItems(Catalog(), targetCode, sourceCode)
        .CopyItems(itemIds, target, source, params, onlyMissing, newDates);
}

void TCatalogUpgrader::DeleteStyleItems(const std::string& targetCode, const std::string& sourceCode,
                                        const std::vector<std::string>& itemIds, TAbstractDBConnection& target)
{
    // A definition never deletes a root or a well-known item with its subtree
    // from the user's catalog, whatever its list says.
    std::vector<std::string> deletable;
    for (const std::string& text : itemIds)
        if (TUpgradeDeletionRule::MayDelete(TMemberValueText::ReadInteger(text), globalDefinition_))
            deletable.push_back(text);
    TCatalogDefinitionItems(Catalog(), targetCode, sourceCode).DeleteItems(deletable, target);
}
