// The bounded walks along ParentItemId: up to the first root, down through
// a subtree, over a tree in memory and over the Items table, never caught
// by a loop of a damaged catalog.
#include "catalog/TreeWalk.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A tree in memory: parent of each item (items without an entry have no row).
TTreeWalk::TParentOf ParentsIn(const std::map<int, int>& parents)
{
    return [&parents](int itemId) -> std::optional<int> {
        const auto found = parents.find(itemId);
        if (found == parents.end())
            return std::nullopt;
        return found->second;
    };
}

TTreeWalk::TChildrenOf ChildrenIn(const std::map<int, int>& parents)
{
    return [&parents](int itemId) {
        std::vector<int> children;
        for (const auto& [child, parent] : parents)
            if (parent == itemId)
                children.push_back(child);
        return children;
    };
}

}  // namespace

TEST(CatalogTreeWalkTest, AncestorsStopAtTheFirstRootAtALoopAndAtAMissingRow)
{
    const std::map<int, int> tree = {
        {1000, 1}, {1001, 1000}, {1002, 1001},  // a branch of the web tree
        {50, 1}, {1100, 50},                    // below a root that is itself below root 1
        {2000, 2002}, {2001, 2000}, {2002, 2001},  // a loop
        {3000, 999},                            // below an item without a row
    };
    struct TCase {
        int itemId;
        std::vector<int> ancestors;
        bool reachesRoot;
    } cases[] = {
        {1002, {1001, 1000, 1}, true},
        {1100, {50}, true},  // the first root ends the walk
        {1, {}, true},
        {2001, {2000, 2002}, false},
        {3000, {999}, false},
        {4000, {}, false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(TTreeWalk::Ancestors(c.itemId, ParentsIn(tree)), c.ancestors) << c.itemId;
        EXPECT_EQ(TTreeWalk::ReachesRoot(c.itemId, ParentsIn(tree)), c.reachesRoot) << c.itemId;
    }
}

TEST(CatalogTreeWalkTest, DescendantsVisitEachItemOnceBreadthFirstAndSurviveLoops)
{
    const std::map<int, int> tree = {{1000, 1}, {1001, 1000}, {1002, 1000}, {1003, 1001}, {1, 1003}};
    EXPECT_EQ(TTreeWalk::Descendants(1000, ChildrenIn(tree)), (std::vector<int>{1001, 1002, 1003}))
        << "root 1 hung below 1003 is not entered";
    EXPECT_EQ(TTreeWalk::Descendants(1, ChildrenIn(tree)), (std::vector<int>{1000, 1001, 1002, 1003}))
        << "the loop back to the start ends there";
    EXPECT_EQ(TTreeWalk::Descendants(1002, ChildrenIn(tree)), std::vector<int>{});

    int calls = 0;
    const TTreeWalk::TChildrenOf everyoneIsAChild = [&calls](int itemId) {
        ++calls;
        return std::vector<int>{itemId, 7, 8};
    };
    EXPECT_EQ(TTreeWalk::Descendants(7, everyoneIsAChild), std::vector<int>{8});
    EXPECT_EQ(calls, 2);
}

TEST(CatalogTreeWalkTest, WalksOverTheItemsTableOfOneCatalog)
{
    TCatalogFixture catalog;
    catalog.AddItem(1000, 100, 1);
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 100, 1001);
    catalog.AddItem(2000, 100, 2001);
    catalog.AddItem(2001, 100, 2000);
    catalog.Exec("INSERT INTO Items (CatalogCode, ItemId, ParentItemId) VALUES ('other', 1003, 1002)");
    catalog.Exec("INSERT INTO Items (CatalogCode, ItemId, ParentItemId) VALUES ('shop', 1004, NULL)");

    EXPECT_EQ(TTreeWalk::Ancestors(catalog.Connection(), "shop", 1002), (std::vector<int>{1001, 1000, 1}));
    EXPECT_EQ(TTreeWalk::Ancestors(catalog.Connection(), "shop", 2000), std::vector<int>{2001});
    EXPECT_EQ(TTreeWalk::Ancestors(catalog.Connection(), "shop", 1004), std::vector<int>{0}) << "no parent: root 0";
    EXPECT_EQ(TTreeWalk::Descendants(catalog.Connection(), "shop", 1000), (std::vector<int>{1001, 1002}))
        << "rows of another catalog are not children";
    EXPECT_EQ(TTreeWalk::Descendants(catalog.Connection(), "shop", 2000), std::vector<int>{2001});
}
