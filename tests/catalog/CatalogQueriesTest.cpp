// The catalog queries on a real catalog database: single lookups, names
// with their fall-backs, names of many items, children, subtrees, counts,
// siblings, ancestors (also over parents that form a circle) and member
// values already used by another item.
#include "catalog/CatalogQueries.h"
#include "storage/AbstractCClassDefinition.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

namespace {

using TLines = std::vector<std::string>;

class CatalogQueriesTest : public ::testing::Test {
protected:
    CatalogQueriesTest()
    {
        catalog.DeclareClass(1, "CommonNames").Member(1, "ItemName", 1, mfIsMultiLang | mfUseDefLangForNull);
        catalog.DeclareClass(10, "Product")
            .Member(1, "Code", 1)
            .Member(2, "Price", 102)
            .Member(3, "Notes", 52)
            .Member(4, "Plain", 100);
    }

    void Value(const std::string& table, int itemId, int classId, int memberId, const TVariant& value,
               const std::string& lang = "XXX", int index = 0, int instanceId = 1)
    {
        const std::string column = table == "CStrings" ? "StringValue" : "NumberValue";
        catalog.Exec("INSERT INTO " + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                     "IndexId, MemberType, " + column + ") VALUES ('shop', :ItemId, :ClassId, :InstanceId, "
                     ":MemberId, :Lang, :IndexId, 1, :Value)",
                     {{"ItemId", itemId}, {"ClassId", classId}, {"InstanceId", instanceId}, {"MemberId", memberId},
                      {"Lang", lang}, {"IndexId", index}, {"Value", value}});
    }
    void Name(int itemId, const std::string& lang, const std::string& name) { Value("CStrings", itemId, 1, 1, name, lang); }
    void Order(int itemId, int orderNum)
    {
        catalog.Exec("UPDATE Items SET OrderNum = :Order WHERE ItemId = :Id", {{"Order", orderNum}, {"Id", itemId}});
    }
    void Parent(int itemId, int parentId)
    {
        catalog.Exec("UPDATE Items SET ParentItemId = :P WHERE ItemId = :Id", {{"P", parentId}, {"Id", itemId}});
    }
    TAbstractDBConnection& Db() { return catalog.Connection(); }

    TCatalogFixture catalog;  // code "shop", languages EN and DE, default EN
    TCatalogQueries queries{catalog, catalog.Context()};
};

}  // namespace

// ---- single lookups -----------------------------------------------------------------------

TEST_F(CatalogQueriesTest, SingleLookupsAnswerTheFirstRowOrNothing)
{
    catalog.AddItem(1000, 2, 1);
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 200, 1000);
    Name(1001, "EN", "Shoes");
    Value("CStrings", 1500, 602, 1, "Admin");
    Value("CStrings", 1001, 10, 1, "A-1", "XXX", 0, 7);

    EXPECT_EQ(queries.GetItemType(1002, "", Db()), 200);
    EXPECT_EQ(queries.GetItemType(999, "", Db()), 0);
    EXPECT_EQ(queries.FindItemByName("shoes", "", Db()), 1001) << "names compare without case";
    EXPECT_EQ(queries.FindItemByName("Boots", "", Db()), 0);
    EXPECT_EQ(queries.FindChildByName("Shoes", "", Db(), 1000), 1001);
    EXPECT_EQ(queries.FindChildByName("Shoes", "", Db(), 1), 0) << "not a child of 1";
    EXPECT_EQ(queries.FindUserItem("Admin", Db()), 1500);
    EXPECT_EQ(queries.FindInstanceByValue(1001, 10, 1, Db(), "XXX", "A-1"), 7);
    EXPECT_EQ(queries.FindInstanceByValue(1001, 10, 1, Db(), "EN", "A-1"), 0) << "another language";
    EXPECT_EQ(queries.FindChildOfType(1000, 200, Db(), ""), 1002);
    EXPECT_EQ(queries.FindChildOfType(1000, 300, Db(), ""), 0);
    EXPECT_EQ(queries.ReadStringMember(1001, 1, 1, "EN", Db()), "Shoes");
    EXPECT_EQ(queries.ReadStringMember(1001, 1, 1, "DE", Db()), "") << "no fall-backs";
    EXPECT_EQ(queries.ReadStringMemberOfCatalog(1001, 1, 1, "EN", Db(), "other"), "") << "another catalog";
}

TEST_F(CatalogQueriesTest, SearchedNamesHaveControlCharactersTurnedIntoBlanks)
{
    catalog.AddItem(1000, 100, 1);
    Name(1000, "EN", "Red Shoes");
    EXPECT_EQ(queries.FindItemByName(std::string("Red\x01Shoes"), "", Db()), 1000);
}

TEST_F(CatalogQueriesTest, ItemDescriptionOfARowAndOfNothing)
{
    catalog.AddItem(1000, 100, 1);
    catalog.AddItem(1001, 100, 1000, 1000, true);
    catalog.Exec("UPDATE Items SET OrderNum = 300, ExpandedImageCode = 'open', CollapsedImageCode = 'shut', "
                 "UserPriority = 4, NotVisible = NULL WHERE ItemId = 1000");

    const TItemDescription item = queries.GetItemDescription(1000, "", Db());
    EXPECT_EQ(item.ItemId, 1000);
    EXPECT_EQ(item.ParentItemId, 1);
    EXPECT_EQ(item.LinkedItemId, 1000);
    EXPECT_EQ(item.ItemType, 100);
    EXPECT_EQ(item.OrderNum, 300);
    EXPECT_EQ(item.ExpandedImageCode, "open");
    EXPECT_EQ(item.CollapsedImageCode, "shut");
    EXPECT_EQ(item.UserPriority, 4);
    EXPECT_TRUE(item.Visible) << "an empty NotVisible is visible";
    EXPECT_FALSE(queries.GetItemDescription(1001, "", Db()).Visible);

    for (int id : {0, 999}) {
        const TItemDescription none = queries.GetItemDescription(id, "", Db());
        EXPECT_EQ(none.ItemId, 0);
        EXPECT_EQ(none.ItemType, 0);
        EXPECT_FALSE(none.Visible) << id;
    }
}

TEST_F(CatalogQueriesTest, SimpleListsOfIdsAndValues)
{
    catalog.AddItem(1000, 2, 1);
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 200, 1000);
    catalog.AddItem(1003, 100, 1000, 1001);  // a placement of 1001
    Order(1001, 300);
    Order(1002, 100);
    Order(1003, 200);
    Value("CStrings", 1001, 10, 1, "second", "XXX", 1);
    Value("CStrings", 1001, 10, 1, "first", "XXX", 0);
    catalog.Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, InstanceId) VALUES "
                 "('shop', 1001, 10, 1), ('shop', 1001, 10, 2), ('shop', 1001, 11, 3)");

    TLines list{"stale"};
    queries.GetChildIds(1000, list, Db());
    EXPECT_EQ(list, (TLines{"1002", "1003", "1001"})) << "in order numbers";
    queries.GetChildIdsOfType(1000, 100, Db(), list);
    EXPECT_EQ(list, (TLines{"1003", "1001"}));
    queries.GetChildIds(0, list, Db());
    EXPECT_TRUE(list.empty()) << "nothing for parent 0";

    queries.GetItemIdsOfType(100, list, true, Db(), "");
    EXPECT_EQ(list, (TLines{"1001"})) << "data items only";
    queries.GetItemIdsOfType(100, list, false, Db(), "");
    EXPECT_EQ(list.size(), 2u);

    queries.ReadStringMemberList(list, 1001, 10, 1, "", "XXX", Db());
    EXPECT_EQ(list, (TLines{"first", "second"})) << "in index order";

    list = {"kept"};
    queries.ListInstanceIds(1001, 10, Db(), "", list);
    EXPECT_EQ(list, (TLines{"kept", "1", "2"})) << "appended";
}

// ---- names ----------------------------------------------------------------------------------

TEST_F(CatalogQueriesTest, ItemNameFallsBackToTheDefaultLanguageAndToTheDataItem)
{
    catalog.AddItem(1000, 100, 1);
    Name(1000, "EN", "Shoes");
    Name(1000, "DE", "Schuhe");
    catalog.AddItem(1001, 100, 1);
    Name(1001, "EN", "Boots");
    catalog.AddItem(1002, 100, 1);
    Name(1002, "XXX", "Logo");
    catalog.AddItem(1003, 100, 5, 1000);  // a placement without names of its own
    catalog.AddItem(1004, 100, 1, 1005);  // two placements linked in a circle
    catalog.AddItem(1005, 100, 1, 1004);

    struct TCase {
        int itemId;
        std::string lang;
        std::string name;
        const char* why;
    } cases[] = {
        {1000, "DE", "Schuhe", "its own name in the language"},
        {1001, "DE", "Boots", "named only in the default language"},
        {1002, "DE", "Logo", "a name under XXX serves every language"},
        {1002, "EN", "Logo", "a name under XXX serves every language"},
        {1003, "DE", "Schuhe", "a placement shows its data item's name"},
        {1004, "EN", "", "links in a circle end"},
        {0, "EN", "", "id 0"},
        {1000, "", "Shoes", "the current language"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(queries.GetItemName(c.itemId, Db(), c.lang), c.name) << c.why;
}

TEST_F(CatalogQueriesTest, NamesOfManyItemsPreferTheRequestedThenTheDefaultLanguage)
{
    catalog.SetLanguages({"EN", "DE", "FR"}, "EN");
    // Rows inserted in an order that the choice must not depend on.
    Name(1000, "DE", "Schuhe");
    Name(1000, "EN", "Shoes");
    Name(1001, "EN", "Boots");
    Name(1001, "FR", "Bottes");
    Name(1002, "FR", "Chapeau");
    Name(1003, "DE", "Mantel");
    Name(1003, "FR", "Manteau");

    TLines names{"stale"};
    queries.GetItemNames({1000, 0, 1001, 1002, 1003, 1004, 1000}, names, Db(), "DE");
    EXPECT_EQ(names, (TLines{"1000=Schuhe", "1001=Boots", "1002=Chapeau", "1003=Mantel"}));
    queries.GetItemNames({1001, 1000}, names, Db(), "FR");
    EXPECT_EQ(names, (TLines{"1001=Bottes", "1000=Shoes"}));
    queries.GetItemNames({0}, names, Db(), "FR");
    EXPECT_TRUE(names.empty());
}

TEST_F(CatalogQueriesTest, NamesInOneLanguageAreReadInBatchesAndKeepEveryEntry)
{
    std::vector<int> ids;
    for (int id = 2001; id <= 2070; ++id) {
        catalog.AddItem(id, 100, 1);
        if (id % 2 == 0)
            Name(id, "DE", "n" + std::to_string(id));
        Name(id, "EN", "english");
        ids.push_back(id);
    }
    ids.insert(ids.begin() + 40, 0);  // entries that are no ids keep their line
    ids.push_back(-5);

    TLines names;
    queries.GetItemNamesInLanguage(ids, names, Db(), "DE", "");
    ASSERT_EQ(names.size(), ids.size());
    EXPECT_EQ(names.front(), "2001=") << "no name in that language: empty, no fall-back";
    EXPECT_EQ(names[1], "2002=n2002");
    EXPECT_EQ(names[40], "0=");
    EXPECT_EQ(names[64], "2064=n2064") << "an id of the third batch";
    EXPECT_EQ(names.back(), "-5=");
    queries.GetItemNamesInLanguage({}, names, Db(), "DE", "");
    EXPECT_TRUE(names.empty());
}

// ---- children, subtrees and counts ------------------------------------------------------

TEST_F(CatalogQueriesTest, SubtreeIsListedInPreOrderWithIndentation)
{
    catalog.AddItem(1000, 2, 1);
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 100, 1000);
    catalog.AddItem(1003, 100, 1001);
    Name(1000, "EN", "Top");
    Name(1001, "EN", "Beta");
    Name(1002, "EN", "Alpha");
    Name(1003, "XXX", "Leaf");

    TLines list{"kept"};
    queries.ListSubtree(1, list, 0, Db());
    EXPECT_EQ(list, (TLines{"kept", " Top===1000", "    Alpha===1002", "    Beta===1001", "       Leaf===1003"}))
        << "same order numbers sort by name";
}

TEST_F(CatalogQueriesTest, SubtreeAndCountOverParentsInACircleEnd)
{
    catalog.AddItem(1000, 100, 1002);
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 100, 1001);  // 1000 -> 1001 -> 1002 -> 1000

    TLines list;
    queries.ListSubtree(1000, list, 0, Db());
    EXPECT_EQ(list.size(), 3u) << "1001, 1002 and 1000 below it, none of them expanded twice";
    EXPECT_EQ(queries.CountItemsOfType(1000, 100, Db(), ""), 3) << "the walk ends where it began";
}

TEST_F(CatalogQueriesTest, ChildrenWithNamesAndVisibleChildren)
{
    catalog.AddItem(1000, 2, 1);
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 200, 1000);
    catalog.AddItem(1003, 100, 1000, 0, true);  // hidden
    catalog.AddItem(1004, 100, 1000, 1009);     // a placement of 1009
    catalog.AddItem(1009, 100, 7);
    Order(1001, 100);
    Order(1002, 200);
    Order(1004, 300);
    Name(1001, "EN", "Shoes");
    Name(1002, "DE", "Hut");
    Name(1009, "EN", "Coat");
    catalog.Exec("UPDATE Items SET NotVisible = NULL WHERE ItemId = 1002");  // visible too

    TLines list{"kept"};
    queries.ListChildren(1000, list, 0, Db(), "DE", "");
    EXPECT_EQ(list, (TLines{"kept", "1003=", "1001=Shoes", "1002=Hut", "1004=Coat"}))
        << "an unnamed child takes its name in the default language";
    list.clear();
    queries.ListChildren(1000, list, 100, Db(), "EN", "");
    EXPECT_EQ(list, (TLines{"1003=", "1001=Shoes", "1004="})) << "of one type; no fall-back in the default";

    queries.ListVisibleChildren(1000, list, 0, "EN", Db());
    EXPECT_EQ(list, (TLines{"1001=Shoes", "1002=(No name for the language)", "1004=Coat"}));
    queries.ListVisibleChildren(1000, list, 100, "DE", Db());
    EXPECT_EQ(list, (TLines{"1001=Shoes", "1004=Coat"}));
    queries.ListVisibleChildren(0, list, 0, "EN", Db());
    EXPECT_TRUE(list.empty());
}

TEST_F(CatalogQueriesTest, CountsItemsOfATypeBelowChildrenWithoutHiddenPlacements)
{
    catalog.AddItem(1000, 2, 1);
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 2, 1000);
    catalog.AddItem(1003, 100, 1002);
    catalog.AddItem(1004, 100, 1002);
    catalog.AddItem(1005, 100, 1000);
    catalog.AddItem(1006, 100, 5, 1005, true);  // a hidden placement of 1005
    catalog.AddItem(1007, 2, 1000, 0, true);    // a hidden folder
    catalog.AddItem(1008, 100, 1007);

    EXPECT_EQ(queries.CountItemsOfType(1000, 100, Db(), ""), 3) << "1001, 1003 and 1004";
    EXPECT_EQ(queries.CountItemsOfType(1000, 2, Db(), ""), 1);
    EXPECT_EQ(queries.CountItemsOfType(1000, 100, Db(), "other"), 0);
}

TEST_F(CatalogQueriesTest, VisibleSiblingsBeforeAndAfter)
{
    catalog.AddItem(1000, 2, 1);
    const int ids[] = {1001, 1002, 1003, 1004, 1005};
    const int types[] = {100, 200, 100, 100, 100};
    for (int i = 0; i < 5; ++i) {
        catalog.AddItem(ids[i], types[i], 1000, 0, ids[i] == 1004);
        Order(ids[i], (i + 1) * 100);
    }

    struct TCase {
        int itemId;
        bool sameType;
        int previous;
        int next;
    } cases[] = {
        {1001, false, 0, 1002},
        {1003, false, 1002, 1005},  // 1004 is hidden
        {1003, true, 1001, 1005},
        {1005, false, 1003, 0},
        {1004, false, 0, 0},        // a hidden item is not among them
        {0, false, 0, 0},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(queries.GetPreviousSiblingId(c.itemId, "", Db(), c.sameType), c.previous) << c.itemId;
        EXPECT_EQ(queries.GetNextSiblingId(c.itemId, "", Db(), c.sameType), c.next) << c.itemId;
    }
}

// ---- ancestors ----------------------------------------------------------------------------

TEST_F(CatalogQueriesTest, AncestorsContinueAboveItem100AndEndAtTheFirstRoot)
{
    catalog.AddItem(100, 2, 5);
    catalog.AddItem(1000, 2, 100);
    catalog.AddItem(1001, 3, 1000, 0, true);  // hidden
    catalog.AddItem(1002, 4, 1001);

    EXPECT_EQ(queries.GetParentChain(1002, Db()), (std::vector<int>{1001, 100, 5}))
        << "the parent of the hidden item 1001 is left out";
    EXPECT_EQ(queries.GetItemPath(1002, {}, Db()), (std::vector<int>{1002, 1000, 100}));
    EXPECT_EQ(queries.GetItemPath(1002, {2, 4}, Db()), (std::vector<int>{1002, 1000, 100}));
    EXPECT_EQ(queries.GetItemPath(1002, {2}, Db()), (std::vector<int>{1000, 100}));
    EXPECT_TRUE(queries.GetParentChain(0, Db()).empty());
    EXPECT_TRUE(queries.GetParentChain(5, Db()).empty()) << "a root has no ancestors";
    EXPECT_TRUE(queries.GetItemPath(999, {}, Db()).empty()) << "no row";
}

TEST_F(CatalogQueriesTest, AncestorsOverParentsInACircleEnd)
{
    catalog.AddItem(1000, 2, 1002);
    catalog.AddItem(1001, 2, 1000);
    catalog.AddItem(1002, 2, 1001);

    EXPECT_EQ(queries.GetParentChain(1000, Db()), (std::vector<int>{1002, 1001}));
    EXPECT_EQ(queries.GetItemPath(1000, {}, Db()), (std::vector<int>{1000, 1002, 1001}));
}

// ---- member values already used ------------------------------------------------------------

TEST_F(CatalogQueriesTest, MemberValueUsedByAnotherItem)
{
    catalog.AddItem(1000, 2, 1);
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 200, 1);
    Value("CStrings", 1001, 10, 1, "A-1");
    Value("CNumbers", 1002, 10, 2, 12.5, "XXX", 3);
    Value("CNumbers", 1001, 10, 4, 7.0);

    struct TCase {
        int itemType;
        int parentId;
        int itemId;
        std::string value;
        std::string member;
        std::string classTag;
        bool used;
        const char* why;
    } cases[] = {
        {0, 0, 1999, "a-1", "Code", "Product", true, "string members compare without case"},
        {0, 0, 1001, "A-1", "Code", "Product", false, "the item's own value does not count"},
        {0, 1000, 1999, "A-1", "Code", "Product", true, "below the parent"},
        {0, 1, 1999, "A-1", "Code", "Product", false, "not below that parent"},
        {0, 0, 1999, "12.5", "Price", "Product", true, "numbers, any index"},
        {200, 0, 1999, "12.5", "Price", "Product", true, "of the item type"},
        {100, 0, 1999, "12.5", "Price", "Product", false, "not of the item type"},
        {0, 0, 1999, "twelve", "Price", "Product", false, "unreadable numbers are 0"},
        {0, 0, 1999, "x", "Notes", "Product", false, "text members are never compared"},
        {0, 0, 1999, "7", "Plain", "Product", false, "nor members of type 100"},
        {0, 0, 1999, "A-1", "Code", "Unknown", false, "an unknown class"},
        {0, 0, 1999, "A-1", "Missing", "Product", false, "an unknown member"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(queries.MemberValueExistsIn(c.itemType, c.parentId, Db(), c.itemId, c.value, c.member, c.classTag),
                  c.used)
            << c.why;
    EXPECT_TRUE(queries.MemberValueExists(Db(), 1999, "A-1", "Code", "product"));
}
