// The catalog object's item operations on a real catalog database: items
// created in their sort ranges and id ranges, looked up by link, parent,
// type and alternative file name, page file names and preview addresses.
#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "storage/IdRanges.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

namespace {

// A definition in which item type 101 sorts in group 2 and 102 in group 1;
// every other type has no group.
const char* const kSortGroups = R"(
  <Item id="310001" type="810" parent="31" order="1">
    <Object class="810" instance="1"><Number member="1">101</Number></Object>
    <Object class="803" instance="2"><Number member="5">2</Number></Object>
  </Item>
  <Item id="310002" type="810" parent="31" order="2">
    <Object class="810" instance="1"><Number member="1">102</Number></Object>
    <Object class="803" instance="2"><Number member="5">1</Number></Object>
  </Item>
)";

class CatalogItemsTest : public ::testing::Test {
protected:
    void AddString(int itemId, int classId, int memberId, const std::string& value, const std::string& lang = "XXX")
    {
        env.Db().Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, StringValue) VALUES ('shop', :ItemId, :ClassId, 1, :MemberId, :Lang, 0, 1, :Value)",
                      {{"ItemId", itemId}, {"ClassId", classId}, {"MemberId", memberId}, {"Lang", lang},
                       {"Value", value}});
    }
    std::int64_t OrderNumOf(int itemId)
    {
        return env.Db().Scalar("SELECT OrderNum FROM Items WHERE ItemId = :Id", {{"Id", itemId}}).AsInteger();
    }
    int Create(int itemType, int parentItemId, int itemId = 0, std::int64_t* orderNum = nullptr)
    {
        return env.Catalog().CreateItem(itemType, parentItemId, 0, "shop", env.Connection(), itemId, orderNum);
    }

    TCatalogEnvironment env;
};

}  // namespace

// ---- creating items --------------------------------------------------------------------------

TEST_F(CatalogItemsTest, OrderNumbersFollowTheSortGroupOfTheType)
{
    env.BuildDefinition(77, kSortGroups);
    env.Catalog().GetDefinition().Load(77);
    env.Db().AddItem(1000, 100, 1);

    std::int64_t order = 0;
    Create(101, 1000, 0, &order);
    EXPECT_EQ(order, 2 * kSortGroupSpan + 100) << "first child of group 2";
    Create(101, 1000, 0, &order);
    EXPECT_EQ(order, 2 * kSortGroupSpan + 200);
    Create(102, 1000, 0, &order);
    EXPECT_EQ(order, 1 * kSortGroupSpan + 100) << "group 1 starts its own range";
    Create(100, 1000, 0, &order);
    EXPECT_EQ(order, 2 * kSortGroupSpan + 300) << "a type without group goes after the largest of all";

    Create(100, 1, 0, &order);
    EXPECT_EQ(order, 100) << "the first child without group gets 100";
}

TEST_F(CatalogItemsTest, ParentInManualOrderAndItemsWithoutParentGetOrderZero)
{
    env.Db().AddItem(1000, 100, 1);
    env.Db().Exec("UPDATE Items SET DontSort = 1 WHERE ItemId = 1000");
    env.Db().AddItem(1001, 100, 1000);
    env.Db().Exec("UPDATE Items SET OrderNum = 500 WHERE ItemId = 1001");

    std::int64_t order = -1;
    const int child = Create(100, 1000, 0, &order);
    EXPECT_EQ(order, 0);
    EXPECT_EQ(OrderNumOf(child), 0);
    Create(100, 0, 0, &order);
    EXPECT_EQ(order, 0);
}

TEST_F(CatalogItemsTest, NewRowsTakeSequenceIdsLinkToThemselvesAndEndOldTombstones)
{
    const int first = Create(100, 1);
    const int second = Create(100, 1);
    EXPECT_GT(first, kLocalIdOffset);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(env.Db().Scalar("SELECT LinkedItemId FROM Items WHERE ItemId = :Id", {{"Id", first}}).AsInteger(), first);
    EXPECT_EQ(env.Db().Scalar("SELECT IsSynchronized FROM Items WHERE ItemId = :Id", {{"Id", first}}).AsInteger(), 0);

    const int copy = env.Catalog().CreateItem(100, 1, first, "shop", env.Connection(), 0);
    EXPECT_EQ(env.Db().Scalar("SELECT LinkedItemId FROM Items WHERE ItemId = :Id", {{"Id", copy}}).AsInteger(), first);

    env.Db().Exec("INSERT INTO DeletedItems (CatalogCode, ItemId) VALUES ('shop', 5000)");
    EXPECT_EQ(Create(100, 1, 5000), 5000);
    EXPECT_EQ(env.Db().Count("DeletedItems"), 0) << "an id that comes back is no longer deleted";
}

TEST_F(CatalogItemsTest, CreateItemInRangeTakesTheNextFreeIdOrTheSequenceWhenTheRangeIsFull)
{
    const auto inRange = [&] {
        return env.Catalog().CreateItemInRange(kTemplateImageIdLow, kTemplateImageIdHigh, 501, 5, 0, "shop",
                                               env.Connection());
    };
    EXPECT_EQ(inRange(), kTemplateImageIdLow + 1);
    EXPECT_EQ(inRange(), kTemplateImageIdLow + 2);
    env.Db().AddItem(kTemplateImageIdHigh - 1, 501, 5);
    EXPECT_GT(inRange(), kLocalIdOffset) << "the range is full";
}

TEST_F(CatalogItemsTest, AnEmptyCodeNeedsAnOpenCatalog)
{
    env.Db().AddItem(1000, 100, 1);
    EXPECT_EQ(env.Catalog().GetParentItemId(1000, "", env.Connection()), 0) << "no catalog is open";
    EXPECT_EQ(env.Catalog().CreateItem(100, 1000, 0, "", env.Connection(), 0), 0);
    EXPECT_EQ(env.Db().Count("Items"), 1) << "nothing created";
    ASSERT_EQ(env.OpenCatalog(1), "");
    EXPECT_EQ(env.Catalog().GetParentItemId(1000, "", env.Connection()), 1);
    const int created = env.Catalog().CreateItem(100, 1000, 0, "", env.Connection(), 0);
    EXPECT_EQ(env.Db().Scalar("SELECT CatalogCode FROM Items WHERE ItemId = :Id", {{"Id", created}}).AsText(), "shop");
}

// ---- lookups ------------------------------------------------------------------------------------

TEST_F(CatalogItemsTest, LookupsByIdLinkParentAndType)
{
    TCatalog& catalog = env.Catalog();
    TAbstractDBConnection& connection = env.Connection();
    env.Db().AddItem(1000, 100, 1);
    env.Db().AddItem(1001, 100, 1000);
    env.Db().AddItem(1002, 200, 1000, 1001, true);  // hidden copy of 1001
    env.Db().AddItem(1003, 200, 1, 1001);           // visible copy of 1001
    env.Db().AddItem(1004, 300, 1001);

    EXPECT_TRUE(catalog.ItemExists(1000, "shop", connection));
    EXPECT_FALSE(catalog.ItemExists(999, "shop", connection));
    EXPECT_FALSE(catalog.ItemExists(1000, "other", connection)) << "every statement is restricted to its catalog";
    EXPECT_EQ(catalog.GetLinkedItemId(1003, "shop", connection), 1001);
    EXPECT_EQ(catalog.GetParentItemId(1001, "shop", connection), 1000);
    EXPECT_EQ(catalog.GetParentItemId(0, "shop", connection), 0);
    EXPECT_EQ(catalog.FindVisibleLinkCopy(1001, "shop", connection), 1003);
    EXPECT_EQ(catalog.FindFirstItemOfType(200, "shop", connection), 1002);
    EXPECT_EQ(catalog.FindOtherItemOfType(200, 1002, "shop", connection), 1003);
    EXPECT_EQ(catalog.FindOtherItemOfType(0, 1002, "shop", connection), 0);

    std::vector<std::string> list{"stale"};
    catalog.GetChildItemIds(1000, list, "shop", connection, false);
    EXPECT_EQ(list, (std::vector<std::string>{"1001", "1002"}));
    catalog.GetChildItemIds(1000, list, "shop", connection, true);
    EXPECT_EQ(list, std::vector<std::string>{"1001"}) << "only originals";
    catalog.GetParentIdsOfItemType(200, list, "shop", connection);
    EXPECT_EQ(list, std::vector<std::string>{"1000"}) << "root 1 has no row here";
}

TEST_F(CatalogItemsTest, InstancesByNumberAndExpandedImageCode)
{
    TCatalog& catalog = env.Catalog();
    TAbstractDBConnection& connection = env.Connection();
    env.Db().AddItem(1000, 100, 1);
    env.Db().Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, NumberValue) VALUES ('shop', 1000, 20, 3, 1, 'XXX', 0, 100, 2.5), "
                  "('shop', 1000, 20, 4, 1, 'EN', 0, 100, 2.5)");
    std::vector<std::string> instances;
    EXPECT_TRUE(catalog.FindInstancesByNumber(1000, 20, 1, 2.5, "shop", "", connection, &instances));
    EXPECT_EQ(instances, (std::vector<std::string>{"3", "4"}));
    instances.clear();
    EXPECT_TRUE(catalog.FindInstancesByNumber(1000, 20, 1, 2.5, "shop", "EN", connection, &instances));
    EXPECT_EQ(instances, std::vector<std::string>{"4"});
    EXPECT_FALSE(catalog.FindInstancesByNumber(1000, 20, 1, 2.6, "shop", "", connection, nullptr));

    catalog.SetExpandedImageCode("folder-open", 1000, "shop", connection);
    EXPECT_EQ(catalog.GetExpandedImageCode(1000, "shop", connection), "folder-open");
    EXPECT_EQ(env.Db().Count("Items", "ItemId = 1000 AND IsSynchronized = 0 AND DateModified > 0"), 1);
    EXPECT_EQ(catalog.GetExpandedImageCode(999, "shop", connection), "");
}

TEST_F(CatalogItemsTest, AlternativeFileNamesAndSourceAddresses)
{
    TCatalog& catalog = env.Catalog();
    TAbstractDBConnection& connection = env.Connection();
    env.Db().AddItem(1000, 100, 1);
    env.Db().AddItem(1001, 100, 1, 1000);  // a copy shows the original's name
    env.Db().AddItem(2000, 404, 1);
    AddString(1000, 1, 2, "about");
    AddString(2000, 1, 2, "shop");
    AddString(2000, 7, 1, "http://example.com/shop.php");

    EXPECT_EQ(catalog.GetAltFileName(1000, &connection, "shop"), "about");
    EXPECT_EQ(catalog.GetAltFileName(1001, &connection, "shop"), "about");
    EXPECT_EQ(catalog.GetAltFileName(1000, nullptr, "shop"), "");
    EXPECT_EQ(catalog.FindItemByAltFileName("ABOUT", connection, "shop", 0), 1000) << "names compare without case";
    EXPECT_EQ(catalog.FindItemByAltFileName("about", connection, "shop", 404), 0);
    EXPECT_EQ(catalog.FindItemByAltFileName("shop", connection, "shop", 404), 2000);
    EXPECT_TRUE(catalog.AltFileNameExists("about", 0, connection, "shop"));
    EXPECT_FALSE(catalog.AltFileNameExists("about", 1000, connection, "shop")) << "the item itself does not count";
    EXPECT_EQ(catalog.FindItemBySourceUrl("http://example.com/shop.php", connection, "shop"), 2000);

    // A name of blanks only is never looked up: not even a blank stored name matches.
    AddString(1001, 1, 2, "   ");
    EXPECT_EQ(catalog.FindItemByAltFileName("   ", connection, "shop", 0), 0);
    EXPECT_FALSE(catalog.AltFileNameExists("   ", 0, connection, "shop"));
}

// ---- names and addresses ---------------------------------------------------------------------------

TEST_F(CatalogItemsTest, PageFileNamesComeFromAlternativeNames)
{
    TCatalog& catalog = env.Catalog();
    TAbstractDBConnection& connection = env.Connection();
    env.Db().AddItem(2000, 404, 1);
    AddString(2000, 1, 2, "shop");

    struct TCase {
        int itemId, itemType, pageNo;
        std::string altName, expected;
    } cases[] = {
        {2000, 404, 1, "", "shop.php"},
        {2000, 404, 3, "", "shop-3.php"},
        {2000, 100, 0, "given", "given.html"},
        {3000, 100, 1, "", "3000.html"},  // no alternative name: the default
        {0, 100, 1, "given", "3000.html"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(catalog.GetPageFileNameByAltName(c.itemId, c.itemType, c.pageNo, "3000.html", &connection, "shop",
                                                   c.altName),
                  c.expected)
            << c.itemId << " page " << c.pageNo;
    EXPECT_EQ(catalog.GetPageFileNameByAltName(2000, 404, 1, "x.html", nullptr, "shop", ""), "x.html");
}

TEST_F(CatalogItemsTest, PreviewAddressesAreTakenApart)
{
    env.Db().AddItem(1000, 100, 1);
    AddString(1000, 1, 2, "about");

    auto parsed = env.Catalog().ParsePreviewUrl("http://preview.tolvex/en/4711-2.html?print=yes#top",
                                                env.Connection(), "shop");
    EXPECT_EQ(parsed.Kind, 1);
    EXPECT_EQ(parsed.CleanUrl, "http://preview.tolvex/en/4711-2.html?print=yes") << "cut at the last # or ?";
    EXPECT_EQ(parsed.ItemId, 4711);
    EXPECT_EQ(parsed.PageNo, 2);
    EXPECT_EQ(parsed.Ext, "html");
    EXPECT_EQ(parsed.Dir, "en");
    EXPECT_EQ(parsed.FileName, "4711-2.html");

    parsed = env.Catalog().ParsePreviewUrl("http://stylepreview.tolvex/de/about.html", env.Connection(), "shop");
    EXPECT_EQ(parsed.Kind, 2);
    EXPECT_EQ(parsed.ItemId, 1000) << "a name that is no number is an alternative file name";
    EXPECT_EQ(parsed.PageNo, 0);

    parsed = env.Catalog().ParsePreviewUrl("http://elsewhere.example/en/4711.html", env.Connection(), "shop");
    EXPECT_EQ(parsed.Kind, 0);
    EXPECT_EQ(parsed.ItemId, 0);
    EXPECT_EQ(parsed.FileName, "");
}

TEST_F(CatalogItemsTest, ItemNamesListInTheDefaultLanguage)
{
    std::vector<std::string> names{"kept"};
    env.Catalog().GetItemNamesList({1000}, names, "shop", env.Connection(), false, false);
    EXPECT_EQ(names, std::vector<std::string>{"kept"}) << "nothing without an open catalog";

    ASSERT_EQ(env.OpenCatalog(1), "");
    AddString(1000, 1, 1, "zebra", "EN");
    AddString(1001, 1, 1, "Apple", "EN");
    AddString(1001, 1, 1, "Apfel", "DE");
    env.Catalog().GetItemNamesList({1000, 1001}, names, "shop", env.Connection(), true, true);
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "Apple===1001", "zebra===1000"}));
}
