#include "catalog/CatalogUpgrader.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogDefinitionItems.h"
#include "catalog/UpgradeDeletionRule.h"
#include "catalog/conversion/ConversionProgress.h"
#include "catalog/conversion/OldCatalogConversion.h"
#include "common/GlobalSettings.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "storage/DBManager.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"
#include "storage/SQLiteModule.h"

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

TCatalogUpgrader::TCatalogUpgrader(TGlobalDefinition& globalDefinition) : globalDefinition_(globalDefinition) {}

TCatalogUpgrader::~TCatalogUpgrader() = default;

void TCatalogUpgrader::SetConversionWindow(std::unique_ptr<TConversionWindow> window)
{
    window_ = std::move(window);
}

void TCatalogUpgrader::UpgradeDefinition(const std::string& catalogCode, int catalogType, int currentVersion,
                                         TAbstractDBConnection& connection)
{
    Catalog().GetDefinition().UpgradeDefinition(catalogCode, catalogType, currentVersion, connection);
}

std::string TCatalogUpgrader::DatabaseFolder(const std::string& dbPath) const
{
    return dbPath.empty() ? Catalog().GetSettings().GetDatabasePath() : dbPath;
}

bool TCatalogUpgrader::IsConvertibleOldCatalog(const std::string& dbPath, const std::string& catalogCode,
                                               const std::string& password)
{
    using TCheck = TOldCatalogConversion::TCheck;
    switch (TOldCatalogConversion::Check(Catalog().GetDBManager(), SQLiteModuleName, DatabaseFolder(dbPath),
                                         catalogCode, password)) {
    case TCheck::Convertible: return true;
    case TCheck::WrongPassword: Catalog().GetGui().ShowError("Wrong password"); return false;
    case TCheck::WrongCatalogType:
        Catalog().GetGui().ShowError("Can convert only product's and CoC catalogs");
        return false;
    case TCheck::NotOldCatalog: break;
    }
    return false;
}

bool TCatalogUpgrader::ConvertOldCatalog(std::string& dbPath, const std::string& catalogCode, std::string& userName,
                                         std::string& password)
{
    TCatalog& catalog = Catalog();
    const TOldCatalogConversion::TServices services{catalog.GetDBManager(), catalog.GetDefinition(),
                                                    globalDefinition_, catalog.GetObjectContext()};
    const TOldCatalogConversion::TRequest request{SQLiteModuleName, DatabaseFolder(dbPath),
                                                  catalog.GetSettings().AppDir() + "/backup", catalogCode};
    TSilentConversionProgress silent;
    try {
        TOldCatalogConversion::TResult result;
        if (!progress_ && window_)
            window_->Run(catalogCode, [&](TConversionProgress& progress) {
                result = TOldCatalogConversion::Run(services, request, progress);
            });
        else
            result = TOldCatalogConversion::Run(services, request, progress_ ? *progress_ : silent);
        if (!result.Success)
            return false;
        dbPath = result.DirName;
        userName = result.UserName;
        password = result.Password;
        return true;
    } catch (const std::exception& error) {
        catalog.GetGui().ShowError(error.what(), false);
        return false;
    }
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
