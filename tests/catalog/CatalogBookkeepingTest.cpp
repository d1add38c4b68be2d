// The open catalog's bookkeeping on a real catalog database: visibility,
// publishing marks (with loops in the tree), validation flags, a new
// catalog code, local settings, the action log and instance ids.
#include "catalog/CatalogBookkeeping.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "support/CatalogFixture.h"
#include "support/ScriptedGui.h"

#include <gtest/gtest.h>

namespace {

class CatalogBookkeepingTest : public ::testing::Test {
protected:
    int Synchronized(int itemId)
    {
        return catalog.Count("Items", "ItemId = " + std::to_string(itemId) + " AND IsSynchronized = 1");
    }

    TCatalogFixture catalog;
    TScriptedGui gui;
    TCatalogBookkeeping bookkeeping{catalog, gui};
};

}  // namespace

TEST_F(CatalogBookkeepingTest, VisibilityOfTheDataItemAndItsPlacements)
{
    catalog.AddItem(1000, 100, 1);
    catalog.AddItem(1001, 100, 5, 1000);  // a placement
    catalog.AddItem(1002, 100, 1, 0, true);
    catalog.Exec("UPDATE Items SET NotVisible = NULL WHERE ItemId = 1000");

    struct TCase {
        int itemId;
        bool visible;
    } cases[] = {{1000, true}, {1002, false}, {0, false}, {999, false}};
    for (const TCase& c : cases)
        EXPECT_EQ(bookkeeping.IsItemVisible(c.itemId, catalog.Connection()), c.visible) << c.itemId;

    bookkeeping.SetItemVisible(1001, false, catalog.Connection());
    EXPECT_EQ(catalog.Count("Items", "NotVisible = 1"), 1) << "hiding a placement's id changes no row";

    bookkeeping.SetItemVisible(1000, false, catalog.Connection());
    EXPECT_FALSE(bookkeeping.IsItemVisible(1000, catalog.Connection()));
    EXPECT_FALSE(bookkeeping.IsItemVisible(1001, catalog.Connection()));
    EXPECT_EQ(catalog.Count("Items", "ItemId IN (1000, 1001) AND IsSynchronized = 0 AND DateModified > 0"), 2);
    bookkeeping.SetItemVisible(1000, true, catalog.Connection());
    EXPECT_TRUE(bookkeeping.IsItemVisible(1001, catalog.Connection()));
}

TEST_F(CatalogBookkeepingTest, TouchAndValidationFlags)
{
    catalog.AddItem(1000, 100, 1);
    catalog.AddItem(1001, 100, 5, 1000);
    catalog.AddItem(1002, 100, 1);
    {
        TQueryGuard query(catalog.Connection());
        bookkeeping.TouchItem(*query, 1000);
    }
    EXPECT_EQ(catalog.Count("Items", "DateModified > 0"), 1);
    EXPECT_EQ(Synchronized(1000), 1) << "touching does not unpublish";

    bookkeeping.SetUserPriority(1000, 4, catalog.Connection());
    EXPECT_EQ(catalog.Count("Items", "UserPriority = 4"), 2) << "the item and its placement";
}

TEST_F(CatalogBookkeepingTest, MarkingForRepublishingReachesPlacementsAndTheWholeSubtree)
{
    catalog.AddItem(1000, 100, 1);
    catalog.AddItem(1001, 100, 5, 1000);  // placement of the item
    catalog.AddItem(2000, 100, 1);
    catalog.AddItem(2001, 100, 5, 2000);  // placement of the second id
    catalog.AddItem(1100, 100, 1000);     // child with children
    catalog.AddItem(1110, 100, 1100);     // grandchild with children
    catalog.AddItem(1111, 100, 1110);     // leaf
    catalog.AddItem(1200, 100, 1000);     // leaf child
    catalog.AddItem(3000, 100, 1);        // elsewhere

    bookkeeping.MarkUnsynchronized(1000, 2000, catalog.Connection(), false);
    for (int id : {1000, 1001, 2000, 2001})
        EXPECT_EQ(Synchronized(id), 0) << id << ": the item, the second id's data item and their placements";
    EXPECT_EQ(Synchronized(1100), 1) << "no subtree asked for";

    bookkeeping.MarkUnsynchronized(1000, 1000, catalog.Connection(), true);
    for (int id : {1100, 1110, 1111, 1200})
        EXPECT_EQ(Synchronized(id), 0) << id;
    EXPECT_EQ(Synchronized(3000), 1);
    EXPECT_EQ(gui.WaitDepth(), 0) << "the hourglass is gone again";
}

TEST_F(CatalogBookkeepingTest, MarkingThatFailsInTheSubtreeMarksNothing)
{
    catalog.AddItem(1000, 100, 1);
    catalog.AddItem(1100, 100, 1000);
    catalog.AddItem(1110, 100, 1100);
    catalog.AddItem(1111, 100, 1110);
    catalog.Exec("CREATE TRIGGER RefuseMark BEFORE UPDATE ON Items WHEN OLD.ItemId = 1111 "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(bookkeeping.MarkUnsynchronized(1000, 1000, catalog.Connection(), true), ETolvexException);
    for (int id : {1000, 1100, 1110, 1111})
        EXPECT_EQ(Synchronized(id), 1) << id;
    EXPECT_EQ(gui.WaitDepth(), 0);
}

TEST_F(CatalogBookkeepingTest, MarkingALoopOfParentsEnds)
{
    catalog.AddItem(1000, 100, 1200);
    catalog.AddItem(1100, 100, 1000);
    catalog.AddItem(1200, 100, 1100);
    bookkeeping.MarkChildrenUnsynchronized(1000, catalog.Connection());
    EXPECT_EQ(catalog.Count("Items", "IsSynchronized = 0"), 3);
}

TEST_F(CatalogBookkeepingTest, ChangeCatalogCodeMovesEveryListedTableAsOneUnit)
{
    catalog.AddItem(1000, 100, 1);
    catalog.Exec("INSERT INTO Items (CatalogCode, ItemId) VALUES ('other', 1000)");
    TCatalogBookkeeping::WriteLocalSetting(catalog.Connection(), "shop", "TolvexVersion", "3.0.0");
    TCatalogBookkeeping::AddLogEntry(catalog.Connection(), "shop", "admin", "Catalog created");
    catalog.Exec("INSERT INTO DeletedItems (CatalogCode, ItemId) VALUES ('shop', 5000)");
    const std::vector<std::string> tables = {"items=CatalogCode,ItemId", "localsettings", "locallog",
                                             "deleteditems=CatalogCode,ItemId"};

    // A table that does not exist makes the whole change fail.
    EXPECT_THROW(bookkeeping.ChangeCatalogCode("shop2", catalog.Connection(),
                                               {"items", "localsettings", "nosuchtable"}),
                 ETolvexException);
    EXPECT_EQ(catalog.Count("Items"), 1);
    EXPECT_EQ(catalog.Count("LocalSettings"), 1);

    bookkeeping.ChangeCatalogCode("shop2", catalog.Connection(), tables);
    for (const char* table : {"Items", "LocalSettings", "LocalLog", "DeletedItems"}) {
        EXPECT_EQ(catalog.Count(table), 0) << table;
        EXPECT_EQ(catalog.Scalar(std::string("SELECT COUNT(*) FROM ") + table + " WHERE CatalogCode = 'shop2'")
                      .AsInteger(),
                  1)
            << table;
    }
    EXPECT_EQ(catalog.Scalar("SELECT COUNT(*) FROM Items WHERE CatalogCode = 'other'").AsInteger(), 1);
}

TEST_F(CatalogBookkeepingTest, LocalSettingsAndTheActionLogRoundTrip)
{
    EXPECT_EQ(bookkeeping.GetLocalSetting("LocateOnWebTree"), "");
    bookkeeping.SetLocalSetting("LocateOnWebTree", "yes");
    bookkeeping.SetLocalSetting("LocateOnWebTree", "no");
    TCatalogBookkeeping::WriteLocalSetting(catalog.Connection(), "other", "LocateOnWebTree", "yes");
    EXPECT_EQ(catalog.Count("LocalSettings"), 1) << "one row per catalog and key";
    EXPECT_EQ(bookkeeping.GetLocalSetting("locateonwebtree"), "no") << "keys compare without case";
    EXPECT_EQ(TCatalogBookkeeping::ReadLocalSetting(catalog.Connection(), "other", "LocateOnWebTree"), "yes");

    TCatalogBookkeeping::AddLogEntry(catalog.Connection(), "shop", "admin", "Catalog created");
    EXPECT_EQ(catalog.Count("LocalLog", "LogLevel = 0 AND UserName = 'admin' AND Description = 'Catalog created' "
                                        "AND ActionDate > 0"),
              1);
}

TEST_F(CatalogBookkeepingTest, InstanceIdsComeFromTheCatalogsSequence)
{
    const int first = bookkeeping.NewInstanceId("shop");
    EXPECT_GT(first, kLocalIdOffset);
    EXPECT_EQ(bookkeeping.NewInstanceId("shop"), first + 1);
}
