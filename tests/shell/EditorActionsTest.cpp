// The action strings that open, empty and refresh the editor pane, on a real
// catalog and the main window: the tree placement, the parent and the tab
// an action names reach the item editor.
#include "ShellFixture.h"

#include "catalog/TreeManager.h"
#include "catalog/TreeNode.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "editors/framework/EditorPages.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "shell/TreeCommands.h"
#include "gui/FindReplace.h"
#include "gui/UiText.h"
#include "support/RecordingHelp.h"

#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QToolBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TTreeManager& WebTree(TShellFixture& f)
{
    return f.Window().findChild<TCatalogTreeView*>("tvMainWebTreeView")->Manager();
}

// The tab names of the item open in the editor pane, in order.
std::vector<std::string> TabNames(TShellFixture& f)
{
    std::vector<std::string> names;
    TItemEditorContainer* container = f.Editor().Container();
    TEditorPages* pages = container ? container->GetPageControl() : nullptr;
    if (!pages)
        return names;
    const int active = pages->ActivePage();
    for (int i = 0; i < pages->PageCount(); ++i) {
        pages->ActivatePage(i);
        names.push_back(f.Editor().GetTabName());
    }
    pages->ActivatePage(active);
    return names;
}

// A top page of the web tree placed a second time below another top page:
// {the page, the further placement}.
std::pair<int, int> PlacePageTwice(TShellFixture& f)
{
    TTreeManager& tree = WebTree(f);
    std::vector<TTreeNode*> pages;
    for (auto& child : tree.Root().Children)
        if (child->IsItem() && child->Data->ItemId == child->Data->LinkedItemId)
            pages.push_back(child.get());
    for (TTreeNode* target : pages)
        for (TTreeNode* page : pages)
            if (target != page && tree.CanPlaceItem(target, page->ItemId(), page->Data->ItemType, true)) {
                const int pageId = page->ItemId();
                std::unique_ptr<TTreeCommands> commands = f.Shell().Trees().MakeTreeCommands();
                if (commands->Place(target, {{pageId, page->Data->ItemType, page->Caption}}) != 1)
                    return {0, 0};
                for (auto& child : target->Children)
                    if (child->IsItem() && child->Data->LinkedItemId == pageId && child->ItemId() != pageId)
                        return {pageId, child->ItemId()};
            }
    return {0, 0};
}

}  // namespace

TEST(EditorActions, AnItemOpensAtThePlacementAndOnTheTabTheActionNames)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    const auto [pageId, placementId] = PlacePageTwice(f);
    ASSERT_NE(placementId, 0) << "no page may hold another one";
    WebTree(f).SetSelected(nullptr);

    // The home page first, on its first tab.
    const int home = f.Root().GetHomePageId();
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(home), false);
    ASSERT_EQ(f.Editor().GetTreeItemId(), home);

    // The page at its further placement, on its last tab (a tab name is
    // URL-encoded like every value).
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(pageId) +
                                "&TreeItemId=" + std::to_string(placementId), false);
    const std::vector<std::string> tabs = TabNames(f);
    ASSERT_GE(tabs.size(), 2u);
    EXPECT_EQ(f.Editor().GetItemId(), pageId);
    EXPECT_EQ(f.Editor().GetTreeItemId(), placementId);
    EXPECT_EQ(f.Editor().Context()->GetTreeItemId(), placementId);
    ASSERT_NE(WebTree(f).GetSelectedNode(), nullptr);
    EXPECT_EQ(WebTree(f).GetSelectedNode()->ItemId(), placementId);

    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(home), false);
    f.Shell().ExecuteAction("Action=MainPageEditor&TabName=" + tabs.back() + "&ItemId=" + std::to_string(pageId) +
                                "&TreeItemId=" + std::to_string(placementId), false);
    EXPECT_EQ(f.Editor().GetTreeItemId(), placementId);
    EXPECT_EQ(f.Editor().GetTabName(), tabs.back());

    // The item open already shows the tab asked for; a queued action the same.
    f.Shell().Processor().QueueAction("Action=MainPageEditor&TabName=" + tabs.front() + "&ItemId=" +
                                          std::to_string(pageId) + "&TreeItemId=" + std::to_string(placementId),
                                      true);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Editor().GetTabName(), tabs.front());
}

TEST(EditorActions, ItemMinusOneEmptiesThePaneOnceTheItemMayBeLeft)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    const int home = f.Root().GetHomePageId();
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(home), false);
    ASSERT_NE(f.Editor().Context(), nullptr);
    QLabel* empty = f.Window().findChild<QLabel*>("lblMainEditorEmpty");
    EXPECT_FALSE(empty->isVisibleTo(&f.Window()));

    // Changed data: the user is asked, and Cancel keeps the item.
    f.Editor().SetModified();
    f.Boxes().QueueAnswer(mrCancel);
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-1", true);
    EXPECT_NE(f.Editor().Context(), nullptr);
    EXPECT_EQ(f.Boxes().Messages("question").size(), 1u);

    // Discarded: the pane is empty and says what to do.
    f.Boxes().QueueAnswer(mrNo);
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-1", true);
    EXPECT_EQ(f.Editor().Context(), nullptr);
    EXPECT_EQ(f.Editor().Container(), nullptr);
    EXPECT_TRUE(empty->isVisibleTo(&f.Window()));
    EXPECT_FALSE(f.SaveButton()->isVisibleTo(&f.Window()));
    f.Screenshot("editor-pane-emptied");

    // The same item opens again afresh.
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(home), false);
    EXPECT_NE(f.Editor().Container(), nullptr);
}

TEST(EditorActions, RefreshWithModifiedOffersTheItemForSaving)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(f.Root().GetHomePageId()), false);
    ASSERT_NE(f.Editor().Context(), nullptr);
    f.Shell().ExecuteAction("Action=RefreshMainPageEditor", false);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    // What a received record set queues after writing under the editor.
    f.Shell().Processor().QueueAction("Action=RefreshMainPageEditor&Modified=yes", false);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_TRUE(f.SaveButton()->isEnabled());
}

namespace {

// A user's click on a node of a tree view.
void ClickNode(TCatalogTreeView& view, TTreeNode* node)
{
    const QModelIndex index = view.Model().IndexOf(node);
    view.scrollTo(index);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(index).center());
    QCoreApplication::processEvents();
}

}  // namespace

TEST(EditorActions, ClickingTheSelectedPageOpensItAgainWhenThePaneShowsSomethingElse)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Window().resize(1000, 800);
    auto* web = f.Window().findChild<TCatalogTreeView*>("tvMainWebTreeView");
    auto* templates = f.Window().findChild<TCatalogTreeView*>("tvMainTemplatesView");
    ASSERT_TRUE(web && templates);
    TTreeNode* page = web->Manager().Root().FirstChild();
    ASSERT_TRUE(page && page->IsItem());
    const int pageId = page->ItemId();
    ClickNode(*web, page);
    ASSERT_EQ(f.Editor().GetTreeItemId(), pageId);

    // A template from the other tree takes the pane; the page is clicked again.
    TTreeNode* folder = templates->Manager().Root().FirstChild();
    ASSERT_TRUE(folder && folder->IsItem());
    ClickNode(*templates, folder);  // a folder opens its first template
    ASSERT_NE(f.Editor().GetTreeItemId(), pageId);
    ClickNode(*web, web->Manager().Root().FirstChild());
    EXPECT_EQ(f.Editor().GetTreeItemId(), pageId);

    // The same after the pane was emptied.
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-1", true);
    ASSERT_EQ(f.Editor().Context(), nullptr);
    ClickNode(*web, web->Manager().Root().FirstChild());
    EXPECT_EQ(f.Editor().GetTreeItemId(), pageId);
    EXPECT_NE(f.Editor().Context(), nullptr);
}

TEST(EditorActions, FindInATreeSelectsTheNextItemByName)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    auto* web = f.Window().findChild<TCatalogTreeView*>("tvMainWebTreeView");
    ASSERT_NE(web, nullptr);
    TTreeNode* last = web->Manager().Root().Children.back().get();
    ASSERT_TRUE(last->IsItem());
    const std::string name = last->Caption;
    ASSERT_GE(name.size(), 4u);
    web->Manager().SetSelected(web->Manager().Root().FirstChild());
    QCoreApplication::processEvents();

    // Edit / Find with the focus in the tree: a part of the name, in other letter case.
    TFindReplace& find = f.Shell().FindReplace();
    find.ShowFindDialog(web);
    ASSERT_NE(find.FindDialog(), nullptr);
    find.FindDialog()->FindEdit()->setText(UiText::Q(name.substr(1, 3)).toUpper());
    find.FindDialog()->FindNextButton()->click();
    QCoreApplication::processEvents();
    ASSERT_NE(web->Manager().GetSelectedNode(), nullptr);
    EXPECT_EQ(web->Manager().GetSelectedNode()->Caption, name);
    EXPECT_EQ(f.Editor().GetTreeItemId(), last->ItemId());  // the found page opens
    EXPECT_TRUE(f.Boxes().Messages("error").empty());

    // A name nobody has: the tree says so, and the selection stays.
    find.Find("zzqq no such page", true, false);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Cannot find \"zzqq no such page\""});
    EXPECT_TRUE(f.Boxes().Messages("warning").empty());
    EXPECT_EQ(web->Manager().GetSelectedNode()->Caption, name);
    find.FindDialog()->hide();
}

TEST(EditorActions, ContextHelpAsksForTheEditorsKeyword)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(f.Root().GetHomePageId()), false);
    ASSERT_NE(f.Editor().Context(), nullptr);
    const std::string keyword = f.Editor().GetHelpKeyword(0);
    ASSERT_FALSE(keyword.empty());
    TRecordingHelp help;
    f.Gui().ShowContextHelp(help);
    const std::vector<std::string> aliases = help.Last();
    EXPECT_NE(std::find(aliases.begin(), aliases.end(), keyword), aliases.end());
    EXPECT_EQ(aliases.back(), "frmMain");
}

TEST(EditorActions, EditUndoFollowsTheFocusIntoTheEditorPane)
{
    TShellFixture f(true, RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Window().resize(1100, 800);
    f.Window().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.Window()));
    f.Shell().ExecuteAction("Action=MainPageEditor&TabName=PagePropertiesEditor-properties&ItemId=" +
                                std::to_string(f.Root().GetHomePageId()),
                            false);
    QCoreApplication::processEvents();
    auto* name = f.EditorPane()->findChild<QLineEdit*>("edtName");
    ASSERT_TRUE(name && name->isVisible());
    const QString before = name->text();
    auto* undo = f.Window().findChild<QAction*>("actMainEditUndo");
    name->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(undo->isEnabled());
    QTest::keyClicks(name, " and more");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(f.SaveButton()->isEnabled());
    f.Screenshot("edit-undo-in-editor");
    undo->trigger();
    EXPECT_EQ(name->text(), before);
    EXPECT_FALSE(undo->isEnabled());
}

// The tree's own buttons of a selected page: every one shows in a pane of
// the usual width (captions only while they all fit), none behind the
// tool bar's overflow arrow.
TEST(EditorActions, TreeButtonsOfAPageAllShowInTheLeftPane)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Window().resize(1100, 800);
    f.Window().show();
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(f.Root().GetHomePageId()), false);
    QCoreApplication::processEvents();
    QToolBar* bar = nullptr;
    std::vector<QAction*> buttons;
    for (QAction* action : f.Window().findChildren<QAction*>())
        if (action->objectName().startsWith("tbtnTreeCustom") && action->isVisible()) {
            buttons.push_back(action);
            bar = qobject_cast<QToolBar*>(action->parent());
        }
    ASSERT_GE(buttons.size(), 2u) << "the home page offers new pages of two kinds";
    ASSERT_NE(bar, nullptr);
    const auto allShown = [&] {
        QCoreApplication::processEvents();
        for (QAction* action : buttons)
            if (!bar->widgetForAction(action) || !bar->widgetForAction(action)->isVisible())
                return false;
        return true;
    };
    const auto captioned = [&] { return bar->toolButtonStyle() == Qt::ToolButtonTextBesideIcon; };
    for (const int width : {150, 250, 600}) {
        SCOPED_TRACE(width);
        f.Gui().LeftPaneWidthChosen(width);
        f.Window().findChild<QSplitter*>("pnlMain")->setSizes({width, 1100 - width});
        EXPECT_TRUE(allShown());
        EXPECT_EQ(captioned(), width == 600);
    }
}
