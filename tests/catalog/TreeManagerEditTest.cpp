// The tree manager's editing operations on a real catalog: adding and
// creating items, further placements, moves (never below the item itself),
// manual order, copying, deleting and republishing.
#include "TreeManagerFixture.h"

#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBQuery.h"

using namespace tree_test;
using TCaptions = std::vector<std::string>;

namespace {

class TreeManagerEditTest : public TreeManagerTest {
protected:
    // Folder 1000 with pages 1001 (holding 1003) and 1002; folder 1010 empty.
    void Shop(std::uint16_t options = 0)
    {
        Item(1000, 2, 1, "Shop");
        Item(1001, 100, 1000, "Shoes");
        Item(1002, 100, 1000, "Socks");
        Item(1003, 100, 1001, "Boots");
        Item(1010, 2, 1, "Archive");
        Open(options);
    }
    std::string Modified(int itemId)
    {
        return env.Db().Scalar("SELECT DateModified FROM Items WHERE ItemId = :Id", {{"Id", itemId}}).IsNull()
                   ? "null"
                   : "set";
    }
};

}  // namespace

TEST_F(TreeManagerEditTest, CanAddChildNeedsAShownSelectedItem)
{
    Shop();
    EXPECT_FALSE(tree.CanAddChild(100, false)) << "nothing selected";
    tree.Expand(Node(1000));
    tree.SetSelected(Node(1002));
    EXPECT_TRUE(tree.CanAddChild(2, false)) << "any type without the search of ancestors";
    EXPECT_TRUE(tree.CanAddChild(200, true)) << "a page may hold products";
    EXPECT_TRUE(tree.CanAddChild(2, true)) << "the folder above may hold folders";
    EXPECT_FALSE(tree.CanAddChild(999, true));
    EXPECT_TRUE(tree.CanAddChildEx(1, 2, 2, 0, false));
    view.showing = false;
    EXPECT_FALSE(tree.CanAddChild(100, false));
}

TEST_F(TreeManagerEditTest, CreatedChildIsStoredAndShownOnceUnderACollapsedParent)
{
    Shop(toEditNewCaption);
    tree.SetSelected(Node(1000));
    ASSERT_TRUE(tree.CreateChildItem(0, 100, 0, 0, false));

    const int newId = SelectedId();
    ASSERT_GT(newId, 1010);
    EXPECT_EQ(Column(newId, "ParentItemId"), 1000);
    EXPECT_EQ(Column(newId, "LinkedItemId"), newId);
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"Shoes", "Socks", "New Item"}));
    EXPECT_TRUE(Node(newId)->Data->Flags & ifNew);
    ASSERT_EQ(view.edited.size(), 1U);
    EXPECT_EQ(view.edited[0], Node(newId));

    // Nothing selected, or a parent that may not hold the type: nothing created.
    tree.SetSelected(nullptr);
    EXPECT_FALSE(tree.CreateChildItem(0, 100, 0, 0, false));
    tree.SetSelected(Node(1010));
    EXPECT_FALSE(tree.CreateChildItem(0, 999, 0, 0, true));
    EXPECT_EQ(env.Db().Count("Items", "ParentItemId = 1010"), 0);
}

TEST_F(TreeManagerEditTest, CreatedPlacementGetsItsDataItemUnderTheTypesParent)
{
    Item(3000, 2, 1, "Products");
    Shop();
    tree.Expand(Node(1000));
    tree.SetSelected(Node(1002));
    ASSERT_TRUE(tree.CreateChildItem(5000, 200, -2, 0, false));

    const int placement = SelectedId();
    EXPECT_EQ(Column(5000, "ParentItemId"), 3000) << "the wanted id goes to the data item";
    EXPECT_EQ(Column(placement, "ParentItemId"), 1002);
    EXPECT_EQ(Column(placement, "LinkedItemId"), 5000);
    EXPECT_NE(placement, 5000);

    // In a range, to the nearest ancestor that may hold a folder.
    tree.SetSelected(Node(1001));
    ASSERT_TRUE(tree.CreateChildItemInRange(7000, 7100, 2, 0, 0, true));
    EXPECT_GT(SelectedId(), 7000);
    EXPECT_LT(SelectedId(), 7100);
    EXPECT_EQ(Column(SelectedId(), "ParentItemId"), 1000);
}

TEST_F(TreeManagerEditTest, NodeAddedBeforeTheFirstExpansionIsNotLoadedTwice)
{
    Shop();
    Item(1004, 100, 1000, "Hats");
    tree.AddNode(1004, 100, 1000, "New Item", Node(1000), false);
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"New Item", "Shoes", "Socks"}));
    EXPECT_EQ(SelectedId(), 1004);

    // An item not stored yet: a node only.
    ASSERT_TRUE(tree.AddNewItemNode(100, 0, 0, false));
    EXPECT_EQ(tree.GetSelectedNode()->Data->ItemId, -2);
    EXPECT_EQ(env.Db().Count("Items", "ParentItemId = 1004"), 0);
}

TEST_F(TreeManagerEditTest, PlacingRefusesCyclesDuplicatesAndForeignTypes)
{
    Shop(toExpandAll);
    EXPECT_FALSE(tree.CanPlaceItem(Node(1003), 1001, 100)) << "under its own descendant";
    EXPECT_FALSE(tree.CanPlaceItem(Node(1000), 1002, 100)) << "a second time under the same parent";
    EXPECT_FALSE(tree.CanPlaceItem(Node(1001), 1010, 2)) << "a page may not hold folders";
    EXPECT_TRUE(tree.CanPlaceItem(Node(1001), 1002, 100));

    tree.LinkItemUnderNode(Node(1003), 1002, 100, "Socks");
    ASSERT_EQ(Captions(Node(1003)), (TCaptions{"Socks"}));
    const TTreeNode* link = Node(1003)->FirstChild();
    EXPECT_EQ(link->Data->LinkedItemId, 1002);
    EXPECT_EQ(Column(link->ItemId(), "LinkedItemId"), 1002);
    EXPECT_EQ(Column(link->ItemId(), "ParentItemId"), 1003);

    tree.LinkItemUnderNode(Node(1003), 1002, 100, "Socks");
    EXPECT_EQ(env.Db().Count("Items", "LinkedItemId = 1002"), 2) << "refused the second time";
}

TEST_F(TreeManagerEditTest, MovingChangesTheParentButNeverBelowTheItemItself)
{
    Shop(toExpandAll);
    EXPECT_FALSE(tree.MoveNode(Node(1003), Node(1001))) << "a drop onto the item's own descendant";
    EXPECT_FALSE(tree.MoveNode(Node(1001), Node(1001)));
    EXPECT_EQ(Column(1001, "ParentItemId"), 1000);

    ASSERT_TRUE(tree.MoveNode(Node(1010), Node(1001)));
    EXPECT_EQ(Column(1001, "ParentItemId"), 1010);
    EXPECT_EQ(Column(1001, "IsSynchronized"), 0);
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"Socks"}));
    EXPECT_EQ(Captions(Node(1010)), (TCaptions{"Shoes"}));
    EXPECT_EQ(SelectedId(), 1001);
    tree.Expand(Node(1001));
    EXPECT_EQ(Captions(Node(1001)), (TCaptions{"Boots"}));

    // The database decides too: an item never goes below its own descendant,
    // whatever the tree shows.
    EXPECT_FALSE(tree.MoveItemInDatabase(1001, 1003));
    EXPECT_FALSE(tree.MoveItemInDatabase(1001, 1001));
    EXPECT_EQ(Column(1001, "ParentItemId"), 1010);
}

TEST_F(TreeManagerEditTest, MovingUpAndDownExchangesOrderNumbers)
{
    Item(1000, 2, 1, "Shop");
    Manual(1000);
    Item(1001, 100, 1000, "A");
    Item(1002, 100, 1000, "B");
    Item(1003, 100, 1000, "C");
    Set(1001, "OrderNum = 100");
    Set(1002, "OrderNum = 100");
    Set(1003, "OrderNum = 300");
    Open(toExpandFirst);
    ASSERT_EQ(Captions(Node(1000)), (TCaptions{"A", "B", "C"}));

    EXPECT_FALSE(tree.MoveUp(Node(1001))) << "the first child";
    EXPECT_FALSE(tree.MoveDown(Node(1003))) << "the last child";
    EXPECT_EQ(Modified(1001), "null");

    // Equal numbers are renumbered 100, 200, ... before the exchange.
    ASSERT_TRUE(tree.MoveUp(Node(1002)));
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"B", "A", "C"}));
    EXPECT_EQ(Column(1002, "OrderNum"), 100);
    EXPECT_EQ(Column(1001, "OrderNum"), 200);
    EXPECT_EQ(Column(1003, "OrderNum"), 300);
    EXPECT_EQ(Column(1002, "IsSynchronized"), 1);
    EXPECT_EQ(Modified(1002), "set");

    ASSERT_TRUE(tree.MoveDown(Node(1002)));
    ASSERT_TRUE(tree.MoveDown(Node(1002)));
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"A", "C", "B"}));
    EXPECT_EQ(Column(1002, "OrderNum"), 300);
    // What the tree shows is what a reload shows.
    Open(toExpandFirst);
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"A", "C", "B"}));
}

TEST_F(TreeManagerEditTest, MovingUpAboveAnUnorderedSiblingOrInAutomaticOrderDoesNothing)
{
    Item(1000, 2, 1, "Shop");
    Manual(1000);
    Item(1001, 100, 1000, "A");
    Item(1002, 100, 1000, "B");
    Set(1002, "OrderNum = 100");
    Item(1010, 2, 1, "Sorted");
    Item(1011, 100, 1010, "X");
    Item(1012, 100, 1010, "Y");
    Open(toExpandTopLevel);
    EXPECT_FALSE(tree.MoveUp(Node(1002)));
    EXPECT_FALSE(tree.MoveUp(Node(1012)));
    EXPECT_EQ(Captions(Node(1010)), (TCaptions{"X", "Y"}));
}

TEST_F(TreeManagerEditTest, ReorderingInsideACallersUnitCommitsNothingOfIt)
{
    Item(1000, 2, 1, "Shop");
    Manual(1000);
    Item(1001, 100, 1000, "A");
    Item(1002, 100, 1000, "B");
    Set(1001, "OrderNum = 100");
    Set(1002, "OrderNum = 200");
    std::unique_ptr<TAbstractDBConnection> editor = env.Db().OpenSecondConnection();
    tree.Attach(*editor, "", "shop");
    Open(toExpandFirst);

    // The editor's unsaved name change, then a reorder on the same connection.
    TAbstractDBQuery& query = editor->AcquireQuery();
    query.SetSQL("UPDATE CStrings SET StringValue = 'Unsaved' WHERE ItemId = 1001");
    query.ExecSQL();
    editor->ReleaseQuery(query);
    ASSERT_TRUE(tree.MoveUp(Node(1002)));

    EXPECT_EQ(env.Db().Scalar("SELECT StringValue FROM CStrings WHERE ItemId = 1001").AsText(), "A")
        << "the unsaved edit stays the editor's";
    EXPECT_EQ(Column(1002, "OrderNum"), 200);
    editor->RollbackTrans();
    EXPECT_EQ(env.Db().Scalar("SELECT StringValue FROM CStrings WHERE ItemId = 1001").AsText(), "A");
    EXPECT_EQ(Column(1002, "OrderNum"), 200);
}

TEST_F(TreeManagerEditTest, SwitchingTheOrderMode)
{
    Item(1000, 2, 1, "Shop");
    Item(1001, 100, 1000, "B");
    Item(1002, 100, 1000, "A");
    Open();

    // Collapsed: no child is numbered.
    tree.ToggleSort(Node(1000));
    EXPECT_EQ(Column(1000, "DontSort"), 0);
    EXPECT_TRUE(Node(1000)->Data->Flags & ifManualOrder);
    EXPECT_EQ(env.Db().Count("Items", "ParentItemId = 1000 AND OrderNum > 0"), 0);

    // Back to automatic and again to manual with the children loaded.
    tree.ToggleSort(Node(1000));
    EXPECT_EQ(Column(1000, "DontSort"), 1);
    tree.Expand(Node(1000));
    tree.ToggleSort(Node(1000));
    EXPECT_EQ(Column(1002, "OrderNum"), 100);
    EXPECT_EQ(Column(1001, "OrderNum"), 200);
    ASSERT_TRUE(tree.MoveUp(Node(1001)));
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"B", "A"}));

    tree.ToggleSort(Node(1000));
    EXPECT_EQ(env.Db().Count("Items", "ParentItemId = 1000 AND OrderNum > 0"), 0);
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"A", "B"})) << "by name again";
}

TEST_F(TreeManagerEditTest, CopyingShowsAndSelectsTheCopy)
{
    Shop(toExpandTopLevel);
    const int copy = tree.CopyItemNode(Node(1002), 0);
    ASSERT_NE(copy, 0);
    EXPECT_EQ(SelectedId(), copy);
    EXPECT_EQ(Node(copy)->Parent, Node(1000));
    EXPECT_EQ(Captions(Node(1000)).size(), 3U);

    // A top-level item: the new id, no node refreshed.
    const int inserts = view.inserts;
    const int topCopy = tree.CopyItemNode(Node(1010), 0);
    EXPECT_NE(topCopy, 0);
    EXPECT_EQ(Column(topCopy, "ParentItemId"), 1);
    EXPECT_EQ(Node(topCopy), nullptr);
    EXPECT_EQ(view.inserts, inserts);
}

TEST_F(TreeManagerEditTest, DeletingANodeSelectsItsParentOrNeighbour)
{
    Shop(toExpandTopLevel);
    tree.SetSelected(Node(1002));
    tree.DeleteNode(Node(1002));
    EXPECT_EQ(SelectedId(), 1000);
    EXPECT_EQ(Column(1002, "ParentItemId"), 1000) << "the database is not touched";

    // "Archive" comes before "Shop" at the top level.
    tree.SetSelected(Node(1000));
    tree.DeleteNode(Node(1000));
    EXPECT_EQ(SelectedId(), 1010) << "the previous node when no next one exists";
    EXPECT_EQ(Node(1001), nullptr) << "the subtree goes with the node";
    tree.DeleteNode(nullptr);
}

TEST_F(TreeManagerEditTest, RepublishingAsksAboutTheChildren)
{
    Shop(toExpandTopLevel);
    env.Gui().QueueAnswer(2);
    tree.ForceRepublish(Node(1001));
    EXPECT_EQ(Column(1001, "IsSynchronized"), 1) << "cancelled";

    env.Gui().QueueAnswer(6);
    tree.ForceRepublish(Node(1001));
    EXPECT_EQ(Column(1001, "IsSynchronized"), 0);
    EXPECT_EQ(Column(1003, "IsSynchronized"), 0) << "the subtree too";

    tree.ForceRepublish(Node(1002));
    EXPECT_EQ(Column(1002, "IsSynchronized"), 0);
    EXPECT_EQ(env.Gui().Messages("question").size(), 2U) << "no question without children";
}
