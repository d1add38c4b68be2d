#pragma once
// The category pages of a partner-portal supplier catalog (catalog type
// 12): one page item per leaf category of the partner's category tree,
// existing and visible exactly while at least one item of the catalog is
// assigned to that category.
//
// The page of category C is item (C mod 10000) + 110000, of type 8006,
// under the "Product Categories" page 100002, named (class 1 "ItemName", in
// the catalog's default language) after the category when it is created.
// An item is assigned to C when it has the number C in class 8001, member 2;
// the catalog's company item 2001 does not count. Pages are never deleted,
// only hidden and shown again (their names stay as they are).
#include <string>

class TAbstractCatalog;
class TAbstractDBConnection;
class TCatalog;

// The catalog type whose catalogs have category pages.
inline constexpr int kPartnerCatalogType = 12;

class TBTCA {
public:
    // Catalog: the catalog object (items and objects); OpenCatalog: the open
    // catalog (its default language, the visibility of its items);
    // Categories: a connection to the partner's category database (table
    // ZUDICategories). None is owned.
    TBTCA(TCatalog& catalog, TAbstractCatalog& openCatalog, TAbstractDBConnection& categories)
        : catalog_(catalog), openCatalog_(openCatalog), categories_(categories)
    {
    }

    // Brings the category pages of CatalogCode in step with its items, as one
    // unit of work on Connection.
    void UpdatePages(const std::string& catalogCode, TAbstractDBConnection& connection);

private:
    struct TCategory {
        int id;
        std::string name;
    };

    void UpdatePage(const TCategory& category, const std::string& catalogCode, TAbstractDBConnection& connection);
    int CountAssignedItems(int categoryId, const std::string& catalogCode, TAbstractDBConnection& connection);
    void CreatePage(int pageId, const std::string& name, const std::string& catalogCode,
                    TAbstractDBConnection& connection);

    TCatalog& catalog_;
    TAbstractCatalog& openCatalog_;
    TAbstractDBConnection& categories_;
};
