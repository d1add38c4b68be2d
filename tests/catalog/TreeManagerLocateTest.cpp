// The tree manager's locating, searching and selection on a real catalog:
// items below levels never expanded are found through the database.
#include "TreeManagerFixture.h"

using namespace tree_test;
using TIds = std::vector<std::string>;

namespace {

class TreeManagerLocateTest : public TreeManagerTest {
protected:
    // Two branches: 1000 "Clothes" > 1001 "Shoes" > 1002 "Red boots", and
    // 1010 "Garden" > 1011 "Tools" > 1012 "Spade", 1013 "Boot scraper".
    void Branches(std::uint16_t options = 0)
    {
        Item(1000, 2, 1, "Clothes");
        Item(1001, 100, 1000, "Shoes");
        Item(1002, 100, 1001, "Red boots");
        Item(1010, 2, 1, "Garden");
        Item(1011, 100, 1010, "Tools");
        Item(1012, 100, 1011, "Spade");
        Item(1013, 100, 1011, "Boot scraper");
        Open(options);
    }
    int LoadedNodes() { return static_cast<int>(tree.AllNodes().size()); }
};

}  // namespace

TEST_F(TreeManagerLocateTest, LocatingExpandsExactlyThePathToTheItem)
{
    Branches();
    tree.LocateItem(1012, nullptr);
    EXPECT_EQ(SelectedId(), 1012);
    EXPECT_TRUE(Node(1010)->Expanded && Node(1011)->Expanded);
    EXPECT_FALSE(Node(1000)->Expanded) << "the other branch stays collapsed";
    EXPECT_FALSE(view.revealed.empty());
    EXPECT_EQ(view.revealed.back(), Node(1012));

    // The selected item again: nothing changes.
    const int nodes = LoadedNodes();
    const int inserts = view.inserts;
    tree.LocateItem(1012, nullptr);
    EXPECT_EQ(view.inserts, inserts);
    EXPECT_EQ(LoadedNodes(), nodes);

    // An item that does not exist: nothing selected, nothing loaded.
    tree.SetSelected(nullptr);
    tree.LocateItem(4242, nullptr);
    EXPECT_EQ(SelectedId(), 0);
    EXPECT_EQ(LoadedNodes(), nodes);

    // A given path is walked instead of the database's.
    const std::vector<int> path{1001, 1000};
    tree.LocateItem(1002, &path);
    EXPECT_EQ(SelectedId(), 1002);
}

TEST_F(TreeManagerLocateTest, LocatingInATreeWhoseRootIsAnItem)
{
    Item(600001, 2, 5, "Templates");
    Item(600002, 2, 600001, "Pages");
    Item(600003, 100, 600002, "Product page");
    Open(0, 600001);
    tree.LocateItem(600003, nullptr);
    EXPECT_EQ(SelectedId(), 600003);
}

TEST_F(TreeManagerLocateTest, LocatingInATreeOfTheWholeCatalog)
{
    // Root 0: the roots themselves are the top-level nodes.
    Item(1, 2, 0, "Web Pages");
    Item(5, 2, 0, "Templates");
    Item(600001, 2, 5, "Master Templates");
    Item(600101, 100, 600001, "Harbor");
    Open(0, 0);
    tree.LocateItem(600101, nullptr);
    EXPECT_EQ(SelectedId(), 600101);
    EXPECT_TRUE(Node(5)->Expanded && Node(600001)->Expanded);
}

TEST_F(TreeManagerLocateTest, FindNextSearchesNodesNeverExpandedAndStopsAtTheEnd)
{
    Branches();
    ASSERT_TRUE(tree.FindNext("BOOT"));
    EXPECT_EQ(SelectedId(), 1002);
    ASSERT_TRUE(tree.FindNext("boot"));
    EXPECT_EQ(SelectedId(), 1013) << "on after the selected node, into the next branch";
    EXPECT_TRUE(Node(1011)->Expanded);

    EXPECT_FALSE(tree.FindNext("boot")) << "the last match: no wrap-around";
    EXPECT_EQ(SelectedId(), 1013);
    EXPECT_FALSE(tree.FindNext("nothing like this"));
}

TEST_F(TreeManagerLocateTest, FindNextMatchesNamesNotFallBackCaptions)
{
    Item(1000, 100, 1);
    Item(1001, 100, 1, "Named");
    Open();
    ASSERT_EQ(Node(1000)->Caption, "(No name for the language)");
    tree.SetSelected(Node(1000));
    EXPECT_FALSE(tree.FindNext("no name"));
    tree.SetSelected(nullptr);
    EXPECT_FALSE(tree.FindNext("no name"));
}

TEST_F(TreeManagerLocateTest, OtherPlaceOfAnItemIsExpandedAndHighlighted)
{
    Branches();
    Item(1020, 100, 1011, "", 1002);  // a second placement of "Red boots" under "Tools"
    tree.LocateItem(1002, nullptr);
    tree.LocateOtherPlace(1002);

    ASSERT_NE(Node(1020), nullptr);
    EXPECT_TRUE(Node(1010)->Expanded && Node(1011)->Expanded);
    EXPECT_EQ(tree.GetLocatedItemId(), 1002);
    EXPECT_TRUE(tree.CustomDrawItem(Node(1020), false).ButtonFace);
    EXPECT_TRUE(tree.CustomDrawItem(Node(1002), false).ButtonFace);
    EXPECT_FALSE(tree.CustomDrawItem(Node(1012), false).ButtonFace);
    EXPECT_EQ(SelectedId(), 1002) << "the other place is shown, not selected";
    EXPECT_EQ(Node(1020)->Caption, "Red boots") << "named after its data item";

    // An item with no other placement: its own place is shown.
    tree.Collapse(Node(1010));
    tree.LocateOtherPlace(1012);
    ASSERT_NE(Node(1012), nullptr);
    EXPECT_TRUE(Node(1011)->Expanded);
}

TEST_F(TreeManagerLocateTest, SelectionReport)
{
    Branches(toMultiSelect | toExpandTopLevel);
    tree.SetSelected(Node(1011));
    tree.SetSelected(Node(1000), true);
    TIds ids{"stale"};
    tree.GetSelectedItemIds(ids);
    EXPECT_EQ(ids, (TIds{"1000", "1011"})) << "in view order";

    Open(toExpandTopLevel);
    tree.SetSelected(Node(1011));
    tree.SetSelected(Node(1000), true);
    tree.GetSelectedItemIds(ids);
    EXPECT_EQ(ids, (TIds{"1000"}));

    tree.SelectItem(0);
    EXPECT_EQ(SelectedId(), 1000);
    tree.SelectItem(1011);
    EXPECT_EQ(SelectedId(), 1011);
    EXPECT_EQ(tree.SetCurrentNode(Node(1011)), 1011);
    EXPECT_EQ(tree.GetCurrentItemId(), 1011);
}
