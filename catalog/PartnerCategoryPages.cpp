#include "catalog/PartnerCategoryPages.h"

#include "storage/AbstractCatalog.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogBookkeeping.h"
#include "catalog/CatalogItemsSql.h"
#include "common/WellKnownIds.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"
#include "storage/UnitOfWorkScope.h"

#include <vector>

using namespace catalog_sql;
using std::to_string;

namespace {

constexpr int kPageIdBase = 110000;
constexpr int kPageIdSpan = 10000;
constexpr int kPageItemType = 8006;
constexpr int kPagesParentId = 100002;
constexpr int kCategoriesClassId = 8001;
constexpr int kCategoryMemberId = 2;

}  // namespace

void TBTCA::UpdatePages(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    std::vector<TCategory> leaves;
    {
        TQueryGuard query(categories_);
        query->SetSQL("SELECT * FROM ZUDICategories WHERE LeafCategory = 1");
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            leaves.push_back({IntOf(rows.Field("CategoryId")), TextOf(rows.Field("CategoryName"))});
    }
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    for (const TCategory& category : leaves)
        UpdatePage(category, catalogCode, connection);
    unit.Commit();
}

void TBTCA::UpdatePage(const TCategory& category, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    const int pageId = category.id % kPageIdSpan + kPageIdBase;
    const bool assigned = CountAssignedItems(category.id, catalogCode, connection) > 0;
    if (!catalog_.ItemExists(pageId, catalogCode, connection)) {
        if (assigned)
            CreatePage(pageId, category.name, catalogCode, connection);
        return;
    }
    TCatalogBookkeeping bookkeeping(openCatalog_, catalog_.GetGui());
    // Only a change of visibility is written: a page that stays as it is is
    // not marked for publishing again.
    if (bookkeeping.IsItemVisible(pageId, connection) != assigned)
        bookkeeping.SetItemVisible(pageId, assigned, connection);
}

int TBTCA::CountAssignedItems(int categoryId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return IntOf(FirstField(connection,
                            "SELECT COUNT(*) AS NumProducts FROM CNumbers WHERE CatalogCode = :CatalogCode AND "
                            "ItemId <> " + to_string(kCompanyItemId) + " AND NumberValue = " + to_string(categoryId) +
                                " AND ClassId = " + to_string(kCategoriesClassId) +
                                " AND MemberId = " + to_string(kCategoryMemberId),
                            catalogCode, "NumProducts"));
}

void TBTCA::CreatePage(int pageId, const std::string& name, const std::string& catalogCode,
                       TAbstractDBConnection& connection)
{
    catalog_.CreateItem(kPageItemType, kPagesParentId, 0, catalogCode, connection, pageId);
    std::unique_ptr<TTolvexObject> names =
        catalog_.GetObjectFactory().CreateObjectTyped(pageId, kNamesClassId, 0, connection, catalogCode);
    names->SetLangString("ItemName", openCatalog_.GetDefaultLangCode(), name, 0);
    names->Save();
}
