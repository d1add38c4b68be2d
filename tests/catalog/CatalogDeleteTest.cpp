// Deleting items on a real catalog database: link copies, values and
// tombstones go with the item; children are refused or deleted with it; a
// delete is all or nothing; damaged trees with loops do not hang it; and
// what refers to an item holds it back.
#include "catalog/Catalog.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

namespace {

class CatalogDeleteTest : public ::testing::Test {
protected:
    // An item with one value in each value table and an object instance.
    void AddItemWithValues(int itemId, int parentItemId = 1, int linkedItemId = 0)
    {
        env.Db().AddItem(itemId, 100, parentItemId, linkedItemId);
        const std::vector<std::pair<std::string, std::string>> tables = {
            {"CStrings", "StringValue"}, {"CText", "TextValue"}, {"CNumbers", "NumberValue"},
            {"CDates", "DateValue"}, {"CBinary", "DataBlob"}};
        for (const auto& [table, column] : tables)
            env.Db().Exec("INSERT INTO " + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                          "IndexId, MemberType, " + column + ") VALUES ('shop', :ItemId, 10, 1, 1, 'XXX', 0, 1, '1')",
                          {{"ItemId", itemId}});
        env.Db().Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                      "VALUES ('shop', :ItemId, 10, 0, 1)",
                      {{"ItemId", itemId}});
    }
    // Rows of the item in Items and in every value table.
    int RowsOf(int itemId)
    {
        int rows = 0;
        for (const char* table : {"Items", "CStrings", "CText", "CNumbers", "CDates", "CBinary", "CObjectInstances"})
            rows += env.Db().Count(table, "ItemId = " + std::to_string(itemId));
        return rows;
    }
    bool Delete(int itemId, TDeleteChildren children = TDeleteChildren::Refuse, bool checkReferences = false,
                bool tombstones = true)
    {
        return env.Catalog().DeleteItem(itemId, "shop", env.Connection(), checkReferences, tombstones, children);
    }
    int Tombstones(const std::string& condition = "") { return env.Db().Count("DeletedItems", condition); }
    void AddPageText(int itemId, const std::string& html)
    {
        env.Db().Exec("INSERT INTO CText (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, TextValue) VALUES ('shop', :ItemId, 4, 1, 1, 'EN', 0, 50, :Html)",
                      {{"ItemId", itemId}, {"Html", html}});
    }
    void ClearCatalog()
    {
        for (const char* table : {"Items", "CStrings", "CText", "CNumbers", "CDates", "CBinary", "CObjectInstances"})
            env.Db().Exec(std::string("DELETE FROM ") + table);
    }
    // Makes every delete of the item's Items row fail.
    void RefuseDeletingRowOf(int itemId)
    {
        env.Db().Exec("CREATE TRIGGER refuse_" + std::to_string(itemId) + " BEFORE DELETE ON Items WHEN old.ItemId = " +
                      std::to_string(itemId) + " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }

    TCatalogEnvironment env;
};

}  // namespace

// ---- rows, link copies and tombstones ------------------------------------------------------------

TEST_F(CatalogDeleteTest, APublishedItemGoesWithItsLinkCopiesValuesAndTombstones)
{
    AddItemWithValues(5000);
    AddItemWithValues(5001, 1, 5000);  // link copy
    AddItemWithValues(6000);           // unrelated
    env.Db().Exec("INSERT INTO DeletedItems (CatalogCode, ItemId, DateModified) VALUES ('shop', 5000, 1.0)");

    EXPECT_TRUE(Delete(5000));
    EXPECT_EQ(RowsOf(5000), 0);
    EXPECT_EQ(RowsOf(5001), 0);
    EXPECT_EQ(RowsOf(6000), 7) << "other items keep their rows";
    EXPECT_EQ(Tombstones(), 2) << "one row per deleted published id, the older one replaced";
    EXPECT_EQ(Tombstones("ItemId = 5000 AND DateModified > 1.0"), 1);
}

TEST_F(CatalogDeleteTest, TombstonesOnlyForPublishedIdsAndOnlyWhenAsked)
{
    AddItemWithValues(1000005);
    EXPECT_TRUE(Delete(1000005));
    EXPECT_EQ(Tombstones(), 0) << "a local id was never published";

    AddItemWithValues(5000);
    EXPECT_TRUE(Delete(5000, TDeleteChildren::Refuse, false, false));
    EXPECT_EQ(Tombstones(), 0);
    EXPECT_EQ(RowsOf(5000), 0);

    EXPECT_TRUE(Delete(0)) << "item 0: nothing to do";
}

TEST_F(CatalogDeleteTest, DeleteObjectInstanceRemovesOnlyThatInstance)
{
    AddItemWithValues(5000);
    env.Db().Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, StringValue) VALUES ('shop', 5000, 10, 2, 1, 'XXX', 0, 1, 'other')");
    env.Catalog().DeleteObjectInstance(5000, 1, "shop", env.Connection());
    EXPECT_EQ(env.Db().Count("CStrings", "ItemId = 5000"), 1);
    EXPECT_EQ(env.Db().Count("CObjectInstances", "ItemId = 5000"), 0);
    EXPECT_EQ(env.Db().Count("Items", "ItemId = 5000"), 1);
}

// ---- children ----------------------------------------------------------------------------------

TEST_F(CatalogDeleteTest, RefuseKeepsAnItemWithChildrenOfItselfOrOfItsPlacements)
{
    struct TCase {
        const char* what;
        int parentOfChild;
    } cases[] = {{"child of the item", 5000}, {"child of a link copy", 5001}};
    for (const TCase& c : cases) {
        AddItemWithValues(5000);
        env.Db().AddItem(5001, 100, 1, 5000);
        env.Db().AddItem(5100, 100, c.parentOfChild);
        EXPECT_FALSE(Delete(5000)) << c.what;
        EXPECT_FALSE(Delete(5000, TDeleteChildren::Refuse, true)) << c.what << " (checking references)";
        EXPECT_EQ(RowsOf(5000), 7) << c.what;
        ClearCatalog();
    }

    // A link copy with children of its own: the copy is refused, the original is not concerned.
    env.Db().AddItem(5000, 100, 1);
    env.Db().AddItem(5001, 100, 1, 5000);
    env.Db().AddItem(5100, 100, 5001);
    EXPECT_FALSE(Delete(5001));
    EXPECT_EQ(env.Db().Count("Items"), 3);
}

TEST_F(CatalogDeleteTest, CascadeDeletesTheSubtreeAndNothingElse)
{
    AddItemWithValues(5000);
    env.Db().AddItem(5001, 100, 1, 5000);       // link copy of the item
    AddItemWithValues(5100, 5000);              // child
    AddItemWithValues(5110, 5100);              // grandchild
    env.Db().AddItem(5200, 100, 5001);          // child of the link copy
    env.Db().AddItem(7000, 100, 1, 5110);       // a placement of the grandchild elsewhere
    env.Db().AddItem(7100, 100, 7000);          // and its child
    env.Db().AddItem(8, 100, 5100);             // a damaged root below the subtree
    AddItemWithValues(6000);

    EXPECT_TRUE(Delete(5000, TDeleteChildren::Cascade));
    for (int id : {5000, 5001, 5100, 5110, 5200, 7000, 7100})
        EXPECT_EQ(RowsOf(id), 0) << id;
    EXPECT_EQ(env.Db().Count("Items", "ItemId = 8"), 1) << "tree roots never go with a subtree";
    EXPECT_EQ(RowsOf(6000), 7);
    EXPECT_EQ(Tombstones(), 7);
}

TEST_F(CatalogDeleteTest, ALoopOfParentsDoesNotHangACascade)
{
    env.Db().AddItem(5000, 100, 5200);
    env.Db().AddItem(5100, 100, 5000);
    env.Db().AddItem(5200, 100, 5100);  // 5000 -> 5100 -> 5200 -> 5000
    env.Db().AddItem(5300, 100, 5100, 5000);
    AddItemWithValues(6000);

    EXPECT_FALSE(Delete(5000)) << "a loop has children";
    EXPECT_TRUE(Delete(5000, TDeleteChildren::Cascade));
    EXPECT_EQ(env.Db().Count("Items"), 1);
}

// ---- all or nothing --------------------------------------------------------------------------------

TEST_F(CatalogDeleteTest, AFailedDeleteOnTheMainConnectionLeavesEverything)
{
    AddItemWithValues(5000);
    AddItemWithValues(5001, 1, 5000);
    RefuseDeletingRowOf(5001);

    EXPECT_THROW(Delete(5000), ETolvexException);
    EXPECT_EQ(RowsOf(5000), 7) << "the values deleted before the failure are back";
    EXPECT_EQ(RowsOf(5001), 7);
    EXPECT_EQ(Tombstones(), 0);
    EXPECT_FALSE(env.Connection().InTransaction()) << "the main connection is left as it was";
}

TEST_F(CatalogDeleteTest, AFailedCascadeInsideAUnitOfWorkUndoesOnlyItself)
{
    AddItemWithValues(5000);
    AddItemWithValues(5100, 5000);
    AddItemWithValues(5110, 5100);
    RefuseDeletingRowOf(5110);

    std::unique_ptr<TAbstractDBConnection> unit = env.Db().OpenSecondConnection();
    env.Catalog().CreateItem(100, 1, 0, "shop", *unit, 9000);  // earlier work of the unit
    EXPECT_THROW(env.Catalog().DeleteItem(5000, "shop", *unit, false, true, TDeleteChildren::Cascade),
                 ETolvexException);
    ASSERT_TRUE(unit->InTransaction()) << "the caller's unit goes on";
    unit->CommitTrans();

    for (int id : {5000, 5100, 5110})
        EXPECT_EQ(RowsOf(id), 7) << id;
    EXPECT_EQ(env.Db().Count("Items", "ItemId = 9000"), 1) << "the unit's earlier work is kept";
    EXPECT_EQ(Tombstones(), 0);
}

// ---- references ---------------------------------------------------------------------------------

TEST_F(CatalogDeleteTest, ReferenceFlags)
{
    TCatalog& catalog = env.Catalog();
    env.Db().AddItem(5000, 100, 1);
    env.Db().AddItem(5001, 100, 1, 5000);
    env.Db().AddItem(5100, 100, 5001);
    env.Db().Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, NumberValue) VALUES ('shop', 6000, 2, 1, 1, 'XXX', 0, 102, 5000)");
    AddPageText(6000, "<a href=\"5001.html\">copy</a>");

    struct TCase {
        std::uint8_t checks, expected;
        const char* why;
    } cases[] = {
        {0, 1 | 8, "children found first, the page text always tested"},
        {1, 1, "children of a link copy"},
        {2, 2, "link copies"},
        {4, 4, "a member value naming the item"},
        {8, 8, "a page linking to a placement"},
        {2 | 4, 2 | 4, "each asked bit"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(catalog.GetItemReferences(5000, c.checks, "shop", env.Connection()), c.expected) << c.why;
    EXPECT_EQ(catalog.GetItemReferences(5100, 0, "shop", env.Connection()), 0);
}

TEST_F(CatalogDeleteTest, AnItemNamedOnlyInPageTextsIsDeletedAfterTheQuestion)
{
    AddItemWithValues(5000);
    env.Db().AddItem(5001, 100, 1);
    env.Db().Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, StringValue) VALUES ('shop', 5000, 1, 1, 2, 'DE', 0, 1, 'Ueber')");
    AddPageText(5001, "<IMG SRC=ueber.jpg><a href=ueber.html>About</a>");

    EXPECT_FALSE(Delete(5000, TDeleteChildren::Refuse, true)) << "the question is answered No";
    EXPECT_EQ(env.Gui().Messages("question"),
              std::vector<std::string>{"There are hyperlinks to the item. Do you want to delete it anyway?"});
    EXPECT_EQ(RowsOf(5000), 8) << "nothing deleted";

    env.Gui().QueueAnswer(mrYes);
    EXPECT_TRUE(Delete(5000, TDeleteChildren::Refuse, true));
    EXPECT_EQ(RowsOf(5000), 0);
}

TEST_F(CatalogDeleteTest, OtherReferencesRefuseWithoutAQuestion)
{
    env.Db().AddItem(5000, 100, 1);
    env.Db().AddItem(5001, 100, 1, 5000);
    AddPageText(6000, "<a href=5000.html>x</a>");
    EXPECT_FALSE(Delete(5000, TDeleteChildren::Cascade, true)) << "link copies hold the item even in a cascade";
    EXPECT_TRUE(env.Gui().Shown().empty());

    env.Db().Exec("DELETE FROM CText");
    env.Db().AddItem(5100, 100, 5000);
    EXPECT_TRUE(Delete(5100, TDeleteChildren::Refuse, true));
    env.Db().AddItem(5100, 100, 5000);
    env.Db().Exec("DELETE FROM Items WHERE ItemId = 5001");
    EXPECT_TRUE(Delete(5000, TDeleteChildren::Cascade, true)) << "children that go with the item do not hold it";
    EXPECT_EQ(env.Db().Count("Items"), 0);
}
