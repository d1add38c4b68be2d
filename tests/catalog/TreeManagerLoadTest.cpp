// The tree manager's loading and display on a real catalog: lazy levels,
// captions per language with their fall-backs, order, filters, drawing and
// refreshing.
#include "TreeManagerFixture.h"

#include "common/Exceptions.h"

using namespace tree_test;
using TCaptions = std::vector<std::string>;

TEST_F(TreeManagerTest, LoadsOnlyTheTopLevelUntilANodeIsExpanded)
{
    Item(1000, 2, 1, "Shop");
    Item(1001, 100, 1000, "Shoes");
    Item(1002, 100, 1001, "Boots");
    Item(1010, 2, 1, "Empty");
    Open();

    EXPECT_EQ(Captions(), (TCaptions{"Empty", "Shop"}));
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"-"})) << "a placeholder gives the expand button";
    EXPECT_TRUE(Node(1010)->Children.empty());
    EXPECT_EQ(Node(1001), nullptr) << "children are not read before the expansion";

    tree.Expand(Node(1000));
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"Shoes"}));
    EXPECT_EQ(Captions(Node(1001)), (TCaptions{"-"}));

    // Collapsing discards the subtree; the next expansion reads the database again.
    Item(1003, 100, 1000, "Apron");
    tree.Collapse(Node(1000));
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"-"}));
    tree.Expand(Node(1000));
    EXPECT_EQ(Captions(Node(1000)), (TCaptions{"Apron", "Shoes"}));
    EXPECT_EQ(env.Gui().WaitDepth(), 0);
}

TEST_F(TreeManagerTest, CaptionsFollowTheLanguageWithTheirFallBacks)
{
    env.Db().SetLanguages({"EN", "DE"}, "EN");
    Item(1000, 100, 1);
    Name(1000, "XXX", "Alpha");  // only under "XXX": every language
    Item(1001, 100, 1);
    Name(1001, "DE", "Beta");
    Name(1001, "XXX", "Aaa");  // both: the greater text
    Item(1002, 100, 1);
    Name(1002, "EN", "Gamma");  // only in the default language
    Item(1003, 100, 1);         // no name at all

    tree.SetLangCode("DE");
    Open();
    EXPECT_EQ(Node(1000)->Caption, "Alpha");
    EXPECT_EQ(Node(1001)->Caption, "Beta");
    EXPECT_EQ(Node(1002)->Caption, "Gamma") << "fall-back to the default language";
    EXPECT_EQ(Node(1003)->Caption, "(No name for the language)");

    Open(toNoNameFallback);
    EXPECT_EQ(Node(1002)->Caption, "(No name for the language)");
}

TEST_F(TreeManagerTest, SiblingsByOrderNumberThenCaptionIgnoringCase)
{
    Item(1000, 100, 1, "delta");
    Item(1001, 100, 1, "Charlie");
    Item(1002, 100, 1, "bravo");
    Item(1003, 100, 1, "alpha");
    Set(1000, "OrderNum = 100");
    Set(1001, "OrderNum = 100");
    Set(1003, "OrderNum = 300");
    Open();
    EXPECT_EQ(Captions(), (TCaptions{"bravo", "Charlie", "delta", "alpha"}));

    // The in-memory sort agrees with the query.
    tree.SortChildren(nullptr);
    EXPECT_EQ(Captions(), (TCaptions{"bravo", "Charlie", "delta", "alpha"}));
}

TEST_F(TreeManagerTest, FiltersOfTheOptions)
{
    Item(1000, 2, 1, "Empty folder");
    Item(1001, 2, 1, "Full folder");
    Item(1002, 200, 1001, "Product");
    Item(1003, 100, 1, "Page");
    Item(1004, 200, 1, "Placement", 1002);

    Open();
    EXPECT_EQ(Captions(), (TCaptions{"Empty folder", "Full folder", "Page", "Product"}));
    Open(toHideEmptyFolders);
    EXPECT_EQ(Captions(), (TCaptions{"Full folder", "Page", "Product"}));
    Open(toPageTypesOnly);
    EXPECT_EQ(Captions(), (TCaptions{"Page"}));
    Open(toDataItemsOnly);
    EXPECT_EQ(Captions(), (TCaptions{"Empty folder", "Full folder", "Page"}));

    const std::vector<std::string> parameters{"AllowItemType=2", "AllowItemType=1); DROP TABLE Items; --"};
    tree.Setup(1, toAllowedTypesOnly, 0, &parameters);
    EXPECT_EQ(Captions(), (TCaptions{"Empty folder", "Full folder"})) << "a parameter that is no number is left out";

    tree.SetHiddenItemTypes({2});
    Open();
    EXPECT_EQ(Captions(), (TCaptions{"Page", "Product"}));
}

TEST_F(TreeManagerTest, ReloadOptionsExpandAndSelect)
{
    Item(1000, 2, 1, "A");
    Item(1001, 100, 1000, "A1");
    Item(1002, 100, 1001, "A11");
    Item(1010, 2, 1, "B");
    Item(1011, 100, 1010, "B1");

    Open(toExpandFirst);
    EXPECT_TRUE(Node(1000)->Expanded);
    EXPECT_FALSE(Node(1010)->Expanded);

    Open(toExpandTopLevel);
    EXPECT_TRUE(Node(1000)->Expanded && Node(1010)->Expanded);
    EXPECT_FALSE(Node(1001)->Expanded);

    Open(toExpandAll);
    ASSERT_NE(Node(1002), nullptr);

    tree.Setup(1, toSelectInitial, 1011, nullptr);
    EXPECT_EQ(SelectedId(), 1000) << "an initial item that is not loaded selects the first node";
    tree.Setup(1, toSelectInitial | toExpandTopLevel, 1010, nullptr);
    EXPECT_EQ(SelectedId(), 1010);

    // An empty tree reloads without error.
    Open(toExpandFirst | toSelectInitial, 5);
    EXPECT_TRUE(tree.Root().Children.empty());
    EXPECT_EQ(tree.GetCurrentItemId(), 0);
}

TEST_F(TreeManagerTest, DrawingShowsStateOfTheItem)
{
    Item(1000, 200, 3000, "Data item");
    Set(1000, "NotVisible = 1");
    Item(1001, 100, 1, "Placement", 1000);
    Set(1001, "IsSynchronized = 0");
    Item(1002, 100, 1, "Warning");
    Set(1002, "UserPriority = 2");
    Item(1003, 100, 1, "Error");
    Set(1003, "UserPriority = 4");
    Open();

    const TNodeStyle placement = tree.CustomDrawItem(Node(1001), false);
    EXPECT_TRUE(placement.StrikeOut) << "visibility comes from the data item's row";
    EXPECT_EQ(placement.FontColor, kUnpublishedColor) << "red follows the placement's own row";
    const TNodeStyle warning = tree.CustomDrawItem(Node(1002), false);
    EXPECT_FALSE(warning.StrikeOut);
    EXPECT_FALSE(warning.FontColor.has_value());
    EXPECT_EQ(warning.Background, kWarningBackground);
    EXPECT_EQ(tree.CustomDrawItem(Node(1003), false).Background, kErrorBackground);
    EXPECT_FALSE(tree.CustomDrawItem(Node(1003), true).Background.has_value()) << "not while drawn selected";

    Open(toNoUnpublishedColor);
    EXPECT_FALSE(tree.CustomDrawItem(Node(1001), false).FontColor.has_value());
}

TEST_F(TreeManagerTest, TemplateFoldersDrawTheirDefaultTemplateBold)
{
    Item(1000, 2, 5, "Templates");
    Item(1001, 100, 1000, "Main");
    Item(1002, 100, 1000, "Other");
    env.Db().Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, NumberValue) VALUES ('shop', 1000, 513, 1, 1, 'XXX', 0, 101, 1001)");
    Open(0x1962, 5);
    ASSERT_TRUE(Node(1000)->Expanded);
    EXPECT_EQ(Node(1000)->Data->DefaultTemplateId, 1001);
    EXPECT_TRUE(tree.CustomDrawItem(Node(1001), false).Bold);
    EXPECT_FALSE(tree.CustomDrawItem(Node(1002), false).Bold);
}

TEST_F(TreeManagerTest, ImagesFromTheRowThenTheItemTypeThenDotLine)
{
    Item(1000, 2, 1, "Folder");
    Item(1001, 100, 1, "Own image");
    Set(1001, "ExpandedImageCode = 'Folder'");
    Item(1002, 200, 1, "Product");
    Item(1003, 100, 1, "Missing image");
    Set(1003, "ExpandedImageCode = 'Nowhere'");
    Open();
    EXPECT_EQ(Node(1000)->ImageName, "Folder");
    EXPECT_EQ(Node(1001)->ImageName, "Folder");
    EXPECT_EQ(Node(1002)->ImageName, "DotLine") << "the type's image is not cached";
    EXPECT_EQ(Node(1003)->ImageName, "DotLine");
}

TEST_F(TreeManagerTest, RefreshingFollowsTheDatabase)
{
    Item(1000, 2, 1, "Folder");
    Item(1001, 100, 1000, "Page");
    Item(1002, 100, 1000, "Gone");
    Item(1003, 100, 1001, "Deep");
    Open(toExpandFirst);
    tree.SetSelected(Node(1002));

    env.Db().Exec("UPDATE CStrings SET StringValue = 'Renamed' WHERE ItemId = 1001");
    Set(1001, "NotVisible = 1");
    tree.Expand(Node(1001));
    EXPECT_TRUE(tree.RefreshItem(1001, env.Connection()));
    EXPECT_EQ(Node(1001)->Caption, "Renamed");
    EXPECT_FALSE(Node(1001)->Data->Visible);
    EXPECT_TRUE(Node(1001)->Expanded) << "an expanded node is expanded again";
    EXPECT_EQ(Captions(Node(1001)), (TCaptions{"Deep"}));

    env.Db().Exec("DELETE FROM Items WHERE ItemId = 1002");
    EXPECT_TRUE(tree.RefreshItemNodes(1002, env.Connection()));
    EXPECT_EQ(Node(1002), nullptr) << "an item deleted from the database loses its node";
    EXPECT_EQ(SelectedId(), 0);
    EXPECT_FALSE(tree.RefreshItem(4242, env.Connection()));

    env.Db().Exec("UPDATE CStrings SET StringValue = 'Shop' WHERE ItemId = 1000");
    tree.InvalidateAll();
    EXPECT_EQ(Node(1000)->Caption, "Folder");
    tree.CustomDrawItem(Node(1000), false);
    EXPECT_EQ(Node(1000)->Caption, "Shop") << "a stale caption is read at the next paint";
}

TEST_F(TreeManagerTest, AFolderThatLosesItsChildrenLeavesATreeWithoutEmptyFolders)
{
    Item(1000, 2, 5, "Folder");
    Item(1001, 100, 1000, "Template");
    Open(toHideEmptyFolders, 5);
    env.Db().Exec("DELETE FROM Items WHERE ItemId = 1001");
    tree.RefreshNode(Node(1000), nullptr);
    EXPECT_EQ(Node(1000), nullptr);
}

TEST_F(TreeManagerTest, ExpandingTheWholeTreeEndsInACatalogWithALoop)
{
    // The tree's root hangs below its own child: every level shows the other again.
    Item(600001, 2, 600002, "Root");
    Item(600002, 2, 600001, "Child");
    Item(600003, 100, 600002, "Page");
    Open(toExpandAll, 600001);
    ASSERT_NE(Node(600003), nullptr);
    EXPECT_LT(tree.AllNodes().size(), 10U);

    EXPECT_FALSE(tree.FindNext("nothing like this")) << "the search ends too";
}

TEST_F(TreeManagerTest, SelectedCaptionTakesTheOwnNameWithoutFallBacks)
{
    env.Db().SetLanguages({"EN", "DE"}, "EN");
    Item(1000, 100, 1, "Shared");
    Open();
    tree.SetSelected(Node(1000));
    Name(1000, "EN", "English");
    tree.UpdateSelectedCaption(1000, env.Connection());
    EXPECT_EQ(Node(1000)->Caption, "English");
    env.Db().SetCurrentLangCode("DE");
    tree.UpdateSelectedCaption(1000, env.Connection());
    EXPECT_EQ(Node(1000)->Caption, "") << "no name of its own in German";
    tree.UpdateSelectedCaption(4242, env.Connection());
    EXPECT_EQ(Node(1000)->Caption, "");
}

TEST_F(TreeManagerTest, UnnamedItemShowsTheTagNameOfItsGlobalIdWhenAsked)
{
    struct TNamingHost : TCatalogTreeHost {
        using TCatalogTreeHost::TCatalogTreeHost;
        std::string GetItemIdName(int itemId) override { return itemId == 8 ? "Settings" : ""; }
    };
    TNamingHost naming{{env.Db(), env.Catalog(), queries, copier, bookkeeping, env.Gui(), nullptr, nullptr, {}}};
    TTreeManager named(naming);
    named.Attach(env.Connection(), "", "shop");
    Item(8, 2, 1);
    Item(1000, 100, 1);

    named.Setup(1, toGlobalIdNames, 0, nullptr);
    ASSERT_EQ(named.Root().Children.size(), 2U);
    EXPECT_EQ(named.Root().Children[0]->Caption, "Settings");
    EXPECT_EQ(named.Root().Children[1]->Caption, "(No name for the language)");
    named.Setup(1, 0, 0, nullptr);
    EXPECT_EQ(named.Root().Children[0]->Caption, "(No name for the language)");
}

TEST_F(TreeManagerTest, DatabaseErrorReachesTheCallerAndTheHourglassEnds)
{
    Item(1000, 100, 1, "Page");
    env.Db().Exec("DROP TABLE CStrings");
    EXPECT_THROW(Open(), ECriticalTolvexException);
    EXPECT_EQ(env.Gui().WaitDepth(), 0);
    EXPECT_TRUE(tree.Root().Children.empty());
}
