// The GUI controller's rules that need no window.
#include "shell/GuiControlRules.h"

#include <gtest/gtest.h>

using namespace GuiControlRules;

namespace {

TEST(GuiControlRules, ConditionsHoldAsTheirFieldsSay)
{
    const int node12 = 12, node13 = 13, node15 = 15;
    struct Case {
        const char* condition;
        const int* node;
        const char* catalog;
        bool holds;
    };
    const Case cases[] = {
        {"", nullptr, "", true},
        {"ItemId=12,15", &node12, "", true},
        {"ItemId=12,15", &node15, "", true},
        {"ItemId=12,15", &node13, "", false},
        {"ItemId=12,15", nullptr, "", false},    // as a main-menu condition it never holds
        {"ItemId=0", nullptr, "", true},         // ... while ItemId=0 always holds there
        {"ItemId=abc", nullptr, "", true},       // a malformed entry reads as 0
        {"CatalogCode=shop", nullptr, "shop", true},
        {"CatalogCode=shop", nullptr, "Shop", false},
        {"CatalogCode=shop", nullptr, "", false},
        {"CatalogCode=a,shop", nullptr, "shop", true},
        {"ItemId=12&CatalogCode=shop", &node12, "shop", true},
        {"ItemId=12&CatalogCode=shop", &node12, "other", false},
        {"ItemId=12&CatalogCode=shop", &node13, "shop", false},
        {"plainword", nullptr, "", true},
        {"itemid=12", &node13, "", true},        // the prefix is exact: any other field holds
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckCondition(c.condition, c.node, c.catalog), c.holds)
            << c.condition << " node " << (c.node ? *c.node : -1) << " catalog " << c.catalog;
}

TEST(GuiControlRules, StatusPanelWidths)
{
    EXPECT_EQ(StatusPanelWidths(710, 4), (std::vector<int>{400, 100, 100, 110}));
    EXPECT_EQ(StatusPanelWidths(710, 2), (std::vector<int>{600, 110}));
    EXPECT_EQ(StatusPanelWidths(710, 3), (std::vector<int>{400, 200, 110}));
    EXPECT_TRUE(StatusPanelWidths(710, 0).empty());
}

TEST(GuiControlRules, WebTreeHeightRoundsHalvesToEven)
{
    EXPECT_EQ(WebTreePanelHeight(300, 0, 0, 2.0 / 3.0), 200);
    EXPECT_EQ(WebTreePanelHeight(5, 0, 0, 0.5), 2);  // 2.5 -> 2
    EXPECT_EQ(WebTreePanelHeight(7, 0, 0, 0.5), 4);  // 3.5 -> 4
    EXPECT_EQ(WebTreePanelHeight(310, 6, 4, 1.0), 300);
}

TEST(GuiControlRules, BeforePlacementGoesAfterEarlierDynamicEntries)
{
    EXPECT_EQ(BeforePlacementIndex({}), 0);
    EXPECT_EQ(BeforePlacementIndex({false, false}), 0);
    EXPECT_EQ(BeforePlacementIndex({true, true, false, true}), 2);
    EXPECT_EQ(BeforePlacementIndex({true, true}), 2);
}

TEST(GuiControlRules, LanguageCodeOfMenuEntry)
{
    EXPECT_EQ(LanguageCodeOfMenuEntry("Action=ChangeLang&LangCode=DE"), "DE");
    EXPECT_EQ(LanguageCodeOfMenuEntry("FR"), "FR");
    EXPECT_EQ(LanguageCodeOfMenuEntry("x=ABCDEFGHIJ"), "ABCDEFGH");
}

}  // namespace

#include "common/ItemDescription.h"

namespace {

TItemDescription Item(int orderNum, std::uint8_t flags)
{
    TItemDescription d;
    d.ItemId = 100;
    d.OrderNum = orderNum;
    d.Flags = flags;
    return d;
}

TEST(GuiControlRules, WebTreeButtonsFollowTheNodeAndItsParent)
{
    const TItemDescription manualParent = Item(1, ifManualOrder);
    const TItemDescription sortedParent = Item(1, 0);
    const TItemDescription node = Item(5, 0);
    const TItemDescription locked = Item(5, ifNotDeletable);
    const TItemDescription unordered = Item(0, 0);

    // A middle child of a parent in manual order: everything possible.
    TTreeNodeFacts f{&node, &manualParent, &unordered, true, false, false, false};
    TWebTreeButtons b = WebTreeButtons(f);
    EXPECT_TRUE(b.DeleteEnabled);
    EXPECT_TRUE(b.MoveShown);
    EXPECT_FALSE(b.MoveUpEnabled);  // the previous sibling has no order number
    EXPECT_TRUE(b.MoveDownEnabled);
    EXPECT_EQ(b.MoveUpHint, "Move Up");
    EXPECT_FALSE(b.SortShown);

    f.Previous = nullptr;  // previous sibling is no item node
    EXPECT_TRUE(WebTreeButtons(f).MoveUpEnabled);

    // Under a parent sorted alphabetically: both moves off, with the hint.
    f.Parent = &sortedParent;
    b = WebTreeButtons(f);
    EXPECT_FALSE(b.MoveUpEnabled);
    EXPECT_FALSE(b.MoveDownEnabled);
    EXPECT_EQ(b.MoveUpHint, "Sorted Alphabetically");
    EXPECT_EQ(b.MoveDownHint, "Sorted Alphabetically");

    // At the top level: the moves are hidden.
    f.Parent = nullptr;
    EXPECT_FALSE(WebTreeButtons(f).MoveShown);

    // Not deletable, or with children: no Delete; children show Sort.
    f.Node = &locked;
    EXPECT_FALSE(WebTreeButtons(f).DeleteEnabled);
    f.Node = &node;
    f.HasChildren = true;
    b = WebTreeButtons(f);
    EXPECT_FALSE(b.DeleteEnabled);
    EXPECT_TRUE(b.SortShown);
    EXPECT_TRUE(b.SortPressed);  // children sorted alphabetically

    // First and last children.
    f = {&node, &manualParent, nullptr, true, false, true, true};
    b = WebTreeButtons(f);
    EXPECT_FALSE(b.MoveUpEnabled);
    EXPECT_FALSE(b.MoveDownEnabled);
}

TEST(GuiControlRules, WebTreePopupUsesTheNodesOwnOrder)
{
    const TItemDescription manual = Item(3, ifManualOrder);
    const TItemDescription sorted = Item(3, 0);
    TTreeNodeFacts f{&manual, nullptr, nullptr, true, true, false, false};
    TWebTreePopup p = WebTreePopup(f);
    EXPECT_TRUE(p.DeletePage);
    EXPECT_TRUE(p.MovePageUp);
    EXPECT_TRUE(p.MovePageDown);
    EXPECT_TRUE(p.Sort);
    f.Node = &sorted;
    p = WebTreePopup(f);
    EXPECT_FALSE(p.MovePageUp);
    EXPECT_FALSE(p.MovePageDown);
    EXPECT_FALSE(p.Sort);
}

TEST(GuiControlRules, ContextHelpTriesTheControlThenTheEditorsKeyword)
{
    struct TCase {
        const char* control;
        const char* parent;
        bool hasControl;
        const char* keyword;
        std::vector<std::string> aliases;
    };
    const TCase cases[] = {
        {"edtName", "FramePage", true, "Product.basic",
         {"FramePage.edtName", "Product.basic.edtName", "Product.basic", "basic"}},
        {"edtName", "FramePage", true, "", {"FramePage.edtName"}},
        {"", "FramePage", true, "Page", {"FramePage", "Page"}},  // a control without a name
        {"", "", false, "InfoPage.WebPage-properties",
         {"InfoPage.WebPage-properties", "WebPage-properties"}},  // no control had the focus
        {"edtName", "", true, "", {}},  // a parent without a name adds nothing
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ContextHelpAliases(c.control, c.parent, c.hasControl, c.keyword), c.aliases)
            << c.control << " / " << c.parent << " / " << c.keyword;
}

}  // namespace
