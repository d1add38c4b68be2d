// The category pages of a partner-portal supplier catalog: one per leaf
// category that items of the catalog are assigned to.
#include "CatalogCreationFixture.h"

#include "catalog/Catalog.h"
#include "catalog/PartnerCategoryPages.h"
#include "catalog/TolvexCatalog.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/GlobalDefinition.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

namespace {

class PartnerCategoryPages : public ::testing::Test {
protected:
    PartnerCategoryPages()
    {
        categories.Exec("CREATE TABLE ZUDICategories (CategoryId INTEGER PRIMARY KEY, CategoryName TEXT, "
                        "CategoryParentId INTEGER, CategoryLevel INTEGER, LeafCategory INTEGER)");
        AddCategory(1, "All Categories", 0);
        AddCategory(100, "Machines", 0);
        AddCategory(1234, "Pumps", 1);
        AddCategory(2000, "Valves", 1);
        AddCategory(3000, "Seals", 1);
        AddCategory(11234, "Pumps, used", 1);  // shares the page of 1234
        env.Db().AddItem(100002, 4001, 1);
        env.Db().AddItem(5001, 3001, 100002);
        env.Db().AddItem(5002, 3001, 100002);
        env.Db().AddItem(2001, 2001, 9);
    }

    void AddCategory(int id, const std::string& name, int leaf)
    {
        categories.Exec("INSERT INTO ZUDICategories (CategoryId, CategoryName, CategoryParentId, CategoryLevel, "
                        "LeafCategory) VALUES (:Id, :Name, 1, 2, :Leaf)",
                        {{"Id", id}, {"Name", name}, {"Leaf", leaf}});
    }
    void Assign(int itemId, int categoryId)
    {
        env.Db().Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, NumberValue) VALUES ('shop', :ItemId, 8001, 1, 2, 'XXX', "
                      "(SELECT COUNT(*) FROM CNumbers WHERE ItemId = :ItemId AND ClassId = 8001), 101, :Category)",
                      {{"ItemId", itemId}, {"Category", categoryId}});
    }
    void Unassign(int itemId) { env.Db().Exec("DELETE FROM CNumbers WHERE ItemId = :ItemId", {{"ItemId", itemId}}); }
    void Update() { TBTCA(env.Catalog(), env.Db(), categories.Connection()).UpdatePages("shop", env.Connection()); }

    // "visible" or "hidden" (with "*" when marked for publishing), "none" without the page.
    std::string Page(int pageId)
    {
        const TVariant hidden = env.Db().Scalar("SELECT NotVisible FROM Items WHERE ItemId = :Id", {{"Id", pageId}});
        if (hidden.IsNull())
            return "none";
        const TVariant synced = env.Db().Scalar("SELECT IsSynchronized FROM Items WHERE ItemId = :Id", {{"Id", pageId}});
        return std::string(hidden.AsInteger() == 1 ? "hidden" : "visible") + (synced.AsInteger() == 0 ? "*" : "");
    }
    std::string Name(int pageId, const std::string& lang)
    {
        const TVariant name = env.Db().Scalar("SELECT StringValue FROM CStrings WHERE ItemId = :Id AND ClassId = 1 "
                                              "AND MemberId = 1 AND LangCode = :Lang",
                                              {{"Id", pageId}, {"Lang", lang}});
        return name.IsNull() ? "" : name.AsText();
    }
    void MarkPublished(int pageId)
    {
        env.Db().Exec("UPDATE Items SET IsSynchronized = 1 WHERE ItemId = :Id", {{"Id", pageId}});
    }

    TCatalogEnvironment env;
    TCatalogFixture categories{"zudi"};
};

TEST_F(PartnerCategoryPages, APageForEveryLeafCategoryWithAssignedItems)
{
    env.Db().SetLanguages({"DE", "EN"}, "DE");
    Assign(5001, 2000);
    Assign(5001, 100);   // not a leaf
    Assign(2001, 3000);  // the company item does not count
    Update();
    EXPECT_EQ(Page(112000), "visible*");
    EXPECT_EQ(env.Db().Scalar("SELECT ItemType || '/' || ParentItemId FROM Items WHERE ItemId = 112000"),
              TVariant("8006/100002"));
    EXPECT_EQ(Name(112000, "DE"), "Valves") << "named in the default language";
    EXPECT_EQ(Name(112000, "EN"), "");
    EXPECT_EQ(Page(110100), "none");
    EXPECT_EQ(Page(113000), "none");
    EXPECT_EQ(Page(111234), "none");
}

TEST_F(PartnerCategoryPages, PagesAreHiddenAndShownAgainButNeverRenamedOrDeleted)
{
    Assign(5001, 2000);
    Update();
    MarkPublished(112000);

    Unassign(5001);
    Update();
    EXPECT_EQ(Page(112000), "hidden*");

    categories.Exec("UPDATE ZUDICategories SET CategoryName = 'Gate valves' WHERE CategoryId = 2000");
    Assign(5002, 2000);
    Update();
    EXPECT_EQ(Page(112000), "visible*");
    EXPECT_EQ(Name(112000, "EN"), "Valves");
}

TEST_F(PartnerCategoryPages, APageThatStaysAsItIsIsNotMarkedForPublishingAgain)
{
    Assign(5001, 2000);
    Update();
    MarkPublished(112000);
    Update();
    EXPECT_EQ(Page(112000), "visible");

    Unassign(5001);
    Update();
    MarkPublished(112000);
    Update();
    EXPECT_EQ(Page(112000), "hidden");
}

TEST_F(PartnerCategoryPages, CategoriesWithTheSameRemainderShareAPageTheLastOneDecides)
{
    Assign(5001, 1234);
    Update();
    EXPECT_EQ(Page(111234), "hidden*") << "created for 1234, then hidden for 11234, which has no items";
    EXPECT_EQ(Name(111234, "EN"), "Pumps");

    Unassign(5001);
    Assign(5001, 11234);
    Update();
    EXPECT_EQ(Page(111234), "visible*");
}

// A supplier catalog made from the shipped definition, with the shipped categories.
TEST(PartnerCategoryPagesShipped, ASupplierCatalogGetsThePageOfItsProductsCategory)
{
    TCreationEnvironment env;
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("supplier", kPartnerCatalogType)));
    TAbstractDBConnection& categories = env.GlobalDefinition().GetZarivuroDatabase().GetConnection();
    const std::string shipped = env.ProgramDatabase("zarivuro");
    const std::string leaf = ColumnOfFile(shipped, "SELECT CategoryId FROM ZUDICategories WHERE LeafCategory = 1 "
                                                   "ORDER BY CategoryId LIMIT 1").front();
    const std::string name =
        ColumnOfFile(shipped, "SELECT CategoryName FROM ZUDICategories WHERE CategoryId = " + leaf).front();
    env.Exec("supplier", "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId) VALUES "
                         "('supplier', 1000001, 3001, 100002, 1000001)");
    env.Exec("supplier", "INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                         "IndexId, MemberType, NumberValue) VALUES ('supplier', 1000001, 8001, 1, 2, 'XXX', 0, 101, " +
                             leaf + ")");
    ASSERT_EQ(env.Open("supplier", "admin", "secret"), "");
    TTolvexCatalog& open = *env.Catalog().GetOpenCatalog();
    TBTCA(env.Catalog(), open, categories).UpdatePages("supplier", open.GetConnectionFactory().GetConnection());

    const std::string page = std::to_string(std::stoi(leaf) % 10000 + 110000);
    EXPECT_EQ(env.Values("supplier", "SELECT ItemId FROM Items WHERE ItemType = 8006"), std::vector<std::string>{page});
    EXPECT_EQ(env.Value("supplier", "SELECT StringValue FROM CStrings WHERE ClassId = 1 AND LangCode = 'EN' AND "
                                    "ItemId = " + page),
              name);
}

}  // namespace
