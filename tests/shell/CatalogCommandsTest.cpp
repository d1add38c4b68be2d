// The main window's commands on a real catalog: the search box and its
// results, adding, ordering, placing and deleting pages from the web
// tree's commands, the templates tree's delete, the Report menu, and the
// menus that follow the user's role.
#include "ShellFixture.h"
#include "publishing/ui/frmDetailProcess.h"
#include "shell/PublishingCommands.h"
#include "storage/QueryGuard.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/TreeManager.h"
#include "editors/framework/TolvexControlClass.h"
#include "catalog/ui/CatalogTreeView.h"
#include "shell/FrameSearchResult.h"
#include "shell/SearchResults.h"
#include "shell/TreeCommands.h"
#include "gui/UiText.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/GlobalDefinition.h"
#include "storage/SQLiteModule.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TCatalogTreeView* WebView(TShellFixture& f)
{
    return f.Window().findChild<TCatalogTreeView*>("tvMainWebTreeView");
}

TTreeManager& WebTree(TShellFixture& f)
{
    return WebView(f)->Manager();
}

TCatalogData& Data(TShellFixture& f)
{
    return *f.Root().GetCatalogData();
}

TAbstractDBConnection& Main(TShellFixture& f)
{
    return Data(f).GetConnectionFactory().GetConnection();
}

// The Items row of an id: its parent and order number; {-1, -1} when there is none.
std::pair<int, int> Row(TShellFixture& f, int itemId)
{
    const std::vector<TVariant> row = catalog_sql::FirstRow(
        Main(f), "SELECT ParentItemId, OrderNum FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " +
                     std::to_string(itemId),
        Data(f).GetCatalogCode(), {"ParentItemId", "OrderNum"});
    if (row.empty())
        return {-1, -1};
    return {catalog_sql::IntOf(row[0]), catalog_sql::IntOf(row[1])};
}

void Search(TShellFixture& f, const QString& keyword)
{
    QComboBox* box = f.Window().SearchBox();
    box->setEditText(QString());
    QTest::keyClicks(box->lineEdit(), keyword);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Checks the search kind whose action searches items of the type; false without one.
bool ChooseKindFor(TShellFixture& f, int itemType)
{
    for (QAction* kind : f.Window().Menu(TMainMenu::SearchKinds)->actions()) {
        const std::string action = f.Shell().Processor().GetActionString(kind->data().toInt());
        const TSearchResults::TRequest request = TSearchResults::ParseRequest(
            action, [&](const std::string& name) { return f.Root().GlobalDefinition().GetItemTypeByName(name); },
            [](const std::string&) { return 1; });
        if (request.ItemType == itemType) {
            kind->trigger();
            return true;
        }
    }
    return false;
}

void Click(TShellFixture& f, QAction* TMainWindowActions::*action)
{
    (f.Window().Actions().*action)->trigger();
    QCoreApplication::processEvents();
}

}  // namespace

// ---- search ---------------------------------------------------------------------------------------

TEST(CatalogCommands, SearchListsTheMatchingItemsAndEditSelectsTheFoundPageInTheWebTree)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    ASSERT_FALSE(f.Window().Toolbar(TMainToolbar::Search)->isHidden());
    TTreeNode* page = nullptr;
    for (auto& child : WebTree(f).Root().Children)
        if (child->IsItem() && child->Caption.size() > 4 && ChooseKindFor(f, child->Data->ItemType)) {
            page = child.get();
            break;
        }
    ASSERT_NE(page, nullptr) << "no top page with a search kind of its type";
    const int pageId = page->ItemId();
    const QString caption = UiText::Q(page->Caption);

    // A part of the caption in other letter case finds the page.
    Search(f, caption.mid(1, 4).toUpper());
    TFrameSearchResult* results = f.Shell().Search().SearchResult();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisibleTo(&f.Window()));
    EXPECT_FALSE(f.Window().findChild<QLabel*>("lblMainEditorEmpty")->isVisibleTo(&f.Window()));
    QList<QTreeWidgetItem*> hits = results->List()->findItems(caption, Qt::MatchExactly);
    ASSERT_EQ(hits.size(), 1) << caption.toStdString();
    EXPECT_TRUE(results->EditButton()->isEnabled());  // the first entry is selected
    f.Screenshot("search-results");

    // Edit selects the page in the web tree, which takes the results' place.
    results->List()->setCurrentItem(hits.first());
    QTest::mouseClick(results->EditButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(WebTree(f).GetSelectedNode(), nullptr);
    EXPECT_EQ(WebTree(f).GetSelectedNode()->ItemId(), pageId);
    EXPECT_EQ(f.Shell().Search().SearchResult(), nullptr);

    // A keyword nobody has: the "no match" panel, no list, no Edit.
    Search(f, "zzqqxx no such text");
    results = f.Shell().Search().SearchResult();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->NoMatchLabel()->isVisibleTo(results));
    EXPECT_FALSE(results->List()->isVisibleTo(results));
    EXPECT_FALSE(results->EditButton()->isVisibleTo(results));
    f.Screenshot("search-no-match");

    // "%" passes to LIKE as a wildcard.
    Search(f, "%");
    results = f.Shell().Search().SearchResult();
    ASSERT_NE(results, nullptr);
    EXPECT_GE(results->List()->topLevelItemCount(), 1);
}

TEST(CatalogCommands, APageOpenedFromTheTreeTakesThePaneFromTheResults)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    std::vector<int> pages;
    for (auto& child : WebTree(f).Root().Children)
        if (child->IsItem())
            pages.push_back(child->ItemId());
    ASSERT_GE(pages.size(), 3u);
    // A page in the editor, then results over it, then other pages from the tree.
    WebTree(f).SelectItem(pages[0]);
    QCoreApplication::processEvents();
    Search(f, "o");
    ASSERT_NE(f.Shell().Search().SearchResult(), nullptr);
    for (int page : {pages[1], pages[2]}) {
        WebTree(f).SelectItem(page);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        ASSERT_NE(f.Editor().Context(), nullptr);
        EXPECT_EQ(f.Editor().Context()->GetTreeItemId(), page);
        EXPECT_EQ(f.Shell().Search().SearchResult(), nullptr);
        EXPECT_FALSE(f.Window().findChild<QLabel*>("lblMainEditorEmpty")->isVisibleTo(&f.Window()))
            << "the label of an empty pane shows under the page's editor";
    }
}

TEST(CatalogCommands, SearchFindsAPageByItsOwnTextAndLeavesTheEditedItemFirst)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    const int infoPage = f.Root().GlobalDefinition().GetItemTypeByName("InfoPage");
    ASSERT_TRUE(ChooseKindFor(f, infoPage));
    TTreeNode* page = nullptr;
    for (auto& child : WebTree(f).Root().Children)
        if (child->IsItem() && child->Data->ItemType == infoPage)
            page = child.get();
    ASSERT_NE(page, nullptr);
    const int pageId = page->ItemId();
    const QString caption = UiText::Q(page->Caption);
    // Words of the page's own text (its design part, an object of its own), not of its name.
    const std::string id = std::to_string(pageId);
    const int instance = catalog_sql::IntOf(catalog_sql::FirstField(
                             Main(f), "SELECT MAX(InstanceId) AS Last FROM CObjectInstances WHERE CatalogCode = "
                                      ":CatalogCode AND ItemId = " + id,
                             Data(f).GetCatalogCode(), "Last")) + 1;
    catalog_sql::Exec(Main(f),
                      "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                      "VALUES (:CatalogCode, " + id + ", 4, 0, " + std::to_string(instance) + ")",
                      Data(f).GetCatalogCode());
    catalog_sql::Exec(Main(f),
                      "INSERT INTO CText (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, TextValue) VALUES (:CatalogCode, " + id + ", 4, " + std::to_string(instance) +
                          ", 1, :Lang, 0, 52, '<p>Our quokka tours</p>')",
                      Data(f).GetCatalogCode(), {{"Lang", TVariant(Data(f).GetCurrentLangCode())}});

    // The item being edited has changes: the user is asked first; Cancel keeps it and shows nothing.
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(f.Root().GetHomePageId()), false);
    ASSERT_NE(f.Editor().Context(), nullptr);
    f.Editor().SetModified();
    f.Boxes().QueueAnswer(mrCancel);
    Search(f, "QUOKKA");
    EXPECT_EQ(f.Boxes().Messages("question").size(), 1u);
    EXPECT_EQ(f.Shell().Search().SearchResult(), nullptr);
    EXPECT_NE(f.Editor().Container(), nullptr);

    // Discarded: the editor is gone before the results show, alone in the pane.
    f.Boxes().QueueAnswer(mrNo);
    Search(f, "QUOKKA");
    TFrameSearchResult* results = f.Shell().Search().SearchResult();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(f.Editor().Container(), nullptr);
    EXPECT_EQ(f.Editor().Context(), nullptr);
    EXPECT_EQ(f.EditorPane()->findChildren<QTabWidget*>().size(), 0);
    EXPECT_EQ(results->List()->findItems(caption, Qt::MatchExactly).size(), 1);
    f.Screenshot("search-page-text");
}

TEST(CatalogCommands, SearchHistoryKeepsFiveDistinctKeywordsMostRecentFirst)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    for (const char* keyword : {"Alpha", "beta", "gamma", "delta", "epsilon", "alpha", "zeta"})
        Search(f, keyword);
    QComboBox* box = f.Window().SearchBox();
    QStringList history;
    for (int i = 0; i < box->count(); ++i)
        history << box->itemText(i);
    EXPECT_EQ(history, (QStringList{"zeta", "alpha", "epsilon", "delta", "gamma"}));
    EXPECT_EQ(::SearchText, "zeta");

    // An empty keyword only says so.
    const size_t errors = f.Boxes().Messages("error").size();
    box->setEditText(QString());
    f.Window().findChild<QToolButton*>("tbsiMainSearch")->click();
    ASSERT_EQ(f.Boxes().Messages("error").size(), errors + 1);
    EXPECT_EQ(f.Boxes().Messages("error").back(), "Enter search keyword");
}

TEST(CatalogCommands, SearchRequestsReadTheirKeysAndBuildTheirStatement)
{
    auto types = [](const std::string& name) { return name == "ProductPage" ? 4002 : 0; };
    auto classes = [](const std::string& tag) { return tag == "Product" ? 4004 : tag == "CommonNames" ? 1 : 0; };
    const TSearchResults::TRequest two = TSearchResults::ParseRequest(
        "Action=MainPageEditor&EditorName=SearchResult&ByItemType=ProductPage&ByClassId=Product&byclassid=CommonNames",
        types, classes);
    EXPECT_TRUE(two.Runs);
    EXPECT_EQ(two.ItemType, 4002);
    EXPECT_EQ(two.ClassIds, (std::vector<int>{4004, 1}));
    const std::string sql = TSearchResults::BuildSearchQuery(two);
    // Short and long texts, each of the two classes.
    const size_t strings = sql.find("FROM CStrings WHERE");
    const size_t texts = sql.find("FROM CText WHERE");
    ASSERT_TRUE(strings != std::string::npos && texts != std::string::npos) << sql;
    EXPECT_NE(sql.find("AND (ClassId = 4004 OR ClassId = 1)", strings), std::string::npos) << sql;
    EXPECT_NE(sql.find("AND (ClassId = 4004 OR ClassId = 1)", texts), std::string::npos) << sql;
    EXPECT_NE(sql.find("AND ItemType = 4002"), std::string::npos) << sql;

    EXPECT_FALSE(TSearchResults::ParseRequest("Action=MainPageEditor&ByClassId=Product", types, classes).Runs);
    const TSearchResults::TRequest unknown = TSearchResults::ParseRequest("ByItemType=Nothing", types, classes);
    EXPECT_TRUE(unknown.Runs);
    EXPECT_EQ(TSearchResults::BuildSearchQuery(unknown).find("ItemType ="), std::string::npos);

    // The own placement opens at its visible further placement when there is one.
    TItemDescription own;
    own.ItemId = own.LinkedItemId = 40;
    TItemDescription placement;
    placement.ItemId = 41;
    placement.LinkedItemId = 40;
    EXPECT_EQ(TSearchResults::OpenTargetId(own, [](int) { return 77; }), 77);
    EXPECT_EQ(TSearchResults::OpenTargetId(own, [](int) { return 0; }), 40);
    EXPECT_EQ(TSearchResults::OpenTargetId(placement, [](int) { return 77; }), 41);
    EXPECT_EQ(TSearchResults::OpenAction("Product basic", 77), "Action=MainPageEditor&TabName=Product+basic&ItemId=77");
}

// ---- web tree -------------------------------------------------------------------------------------

TEST(CatalogCommands, AddMoveAndDeletePagesFromTheCommands)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTreeManager& tree = WebTree(f);
    TTreeNode* home = tree.Root().FirstChild();
    ASSERT_TRUE(home && home->IsItem());
    const int homeId = home->ItemId();
    tree.SetSelected(home);
    tree.SetCurrentNode(home);
    const int pageType = f.Root().GlobalDefinition().GetItemTypeByName("InfoPage");
    ASSERT_NE(pageType, 0);

    // Two stored pages below the home page, from an add-new action with an id range.
    const std::string add = "Action=AddNewChildItem&ItemType=" + std::to_string(pageType) +
                            "&ParentItemId=" + std::to_string(homeId) + "&BetweenStart=900000&BetweenEnd=900100";
    EXPECT_TRUE(f.Shell().Processor().IsActionPossible(add));
    f.Shell().ExecuteAction(add, false);
    TTreeNode* first = tree.GetSelectedNode();
    ASSERT_NE(first, nullptr);
    const int firstId = first->ItemId();
    EXPECT_EQ(Row(f, firstId).first, homeId);
    tree.SetSelected(home);
    f.Shell().ExecuteAction(add, false);
    TTreeNode* second = tree.GetSelectedNode();
    ASSERT_NE(second, nullptr);
    const int secondId = second->ItemId();
    EXPECT_NE(secondId, firstId);
    EXPECT_GE(secondId, 900000);
    EXPECT_LE(secondId, 900100);

    // Sorted by name, then in manual order (which numbers the children), then
    // the second page moves up past the first.
    tree.SetSelected(home);
    if (home->Data->Flags & ifManualOrder)
        Click(f, &TMainWindowActions::WebTreeSort);
    ASSERT_FALSE(home->Data->Flags & ifManualOrder);
    Click(f, &TMainWindowActions::WebTreeSort);
    ASSERT_TRUE(home->Data->Flags & ifManualOrder);
    tree.SetSelected(second);
    QCoreApplication::processEvents();
    const int before = second->Index();
    ASSERT_GT(before, 0);
    Click(f, &TMainWindowActions::WebTreeMoveUp);
    EXPECT_EQ(second->Index(), before - 1);
    EXPECT_LT(Row(f, secondId).second, Row(f, second->NextSibling()->ItemId()).second);
    f.Screenshot("web-tree-after-add-and-move");

    // Deleting: No keeps the page, Yes removes it from the tree and the database.
    tree.SetSelected(second);
    f.Boxes().QueueAnswer(mrNo);
    Click(f, &TMainWindowActions::WebTreeDelete);
    EXPECT_EQ(Row(f, secondId).first, homeId);
    f.Boxes().QueueAnswer(mrYes);
    Click(f, &TMainWindowActions::WebTreeDelete);
    EXPECT_EQ(Row(f, secondId).first, -1);
    for (TTreeNode* node : tree.AllNodes())
        EXPECT_NE(node->ItemId(), secondId);
    const std::vector<std::string> questions = f.Boxes().Messages("question");
    ASSERT_FALSE(questions.empty());
    EXPECT_NE(questions.back().find("Do you really want to delete \""), std::string::npos) << questions.back();
}

TEST(CatalogCommands, AddNewItemWithoutRangeAddsANodeForTheEditorToStore)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTreeManager& tree = WebTree(f);
    TTreeNode* home = tree.Root().FirstChild();
    tree.SetSelected(home);
    const int pageType = f.Root().GlobalDefinition().GetItemTypeByName("InfoPage");
    f.Shell().ExecuteAction("Action=AddNewChildItem&ItemType=" + std::to_string(pageType), false);
    TTreeNode* added = tree.GetSelectedNode();
    ASSERT_TRUE(added && added->IsItem());
    EXPECT_TRUE(added->Data->Flags & ifNew);
    EXPECT_EQ(added->Parent, home);
    // Selected, the new node opened in the item editor, which stored the new item for it.
    EXPECT_GT(added->ItemId(), 0);
    EXPECT_EQ(added->ItemId(), f.Editor().GetTreeItemId());
    EXPECT_EQ(f.Editor().GetItemType(), pageType);

    // Without a selected page nothing can be added, and the user is told why.
    tree.SetSelected(nullptr);
    EXPECT_FALSE(f.Shell().Processor().IsActionPossible("Action=AddNewChildItem&ItemType=" + std::to_string(pageType)));
    f.Shell().ExecuteAction("Action=AddNewChildItem&ItemType=" + std::to_string(pageType), false);
    EXPECT_EQ(f.Boxes().Messages("error").back(), "You cannot create a new item without first saving your current one.");
}

TEST(CatalogCommands, FoundItemsArePlacedUnderAPageAndAFurtherPlacementDeletesAlone)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTreeManager& tree = WebTree(f);
    // Two top pages: one is placed again below the other.
    std::vector<TTreeNode*> pages;
    for (auto& child : tree.Root().Children)
        if (child->IsItem() && child->Data->ItemId == child->Data->LinkedItemId)
            pages.push_back(child.get());
    ASSERT_GE(pages.size(), 2u);
    TTreeNode* target = nullptr;
    TTreeNode* placed = nullptr;
    for (TTreeNode* a : pages)
        for (TTreeNode* b : pages)
            if (!target && a != b && tree.CanPlaceItem(a, b->ItemId(), b->Data->ItemType, true)) {
                target = a;
                placed = b;
            }
    ASSERT_NE(target, nullptr) << "no page may hold another one";
    const int placedId = placed->ItemId();
    const std::string placedCaption = placed->Caption;
    std::unique_ptr<TTreeCommands> commands = f.Shell().Trees().MakeTreeCommands();
    ASSERT_NE(commands, nullptr);
    const std::vector<TTreeCommands::TEntry> entries{{placedId, placed->Data->ItemType, placedCaption}};
    EXPECT_TRUE(commands->CanPlace(target, entries));
    EXPECT_FALSE(commands->CanPlace(placed, entries));  // not under itself
    EXPECT_EQ(commands->Place(target, entries), 1);
    EXPECT_FALSE(commands->CanPlace(target, entries));  // not twice under the same page

    TTreeNode* copy = nullptr;
    for (auto& child : target->Children)
        if (child->IsItem() && child->Data->LinkedItemId == placedId && child->ItemId() != placedId)
            copy = child.get();
    ASSERT_NE(copy, nullptr);
    const int copyId = copy->ItemId();
    EXPECT_EQ(Row(f, copyId).first, target->ItemId());

    // Deleting the further placement offers two choices; the first removes the placement only.
    tree.SetSelected(copy);
    f.Boxes().QueueAnswer(101);
    Click(f, &TMainWindowActions::WebTreeDelete);
    EXPECT_EQ(Row(f, copyId).first, -1);
    EXPECT_EQ(Row(f, placedId).first, 1);  // the page itself stays where it was
}

TEST(CatalogCommands, DeletingAPageFirstAsksWhetherTheEditorMayBeLeft)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTreeManager& tree = WebTree(f);
    TTreeNode* home = tree.Root().FirstChild();
    tree.SetSelected(home);
    TTreeCommands::TServices services;
    services.WebTree = &tree;
    services.Data = &Data(f);
    services.Gui = &f.Boxes();
    int asked = 0;
    services.CanLeave = [&] {
        ++asked;
        return false;
    };
    bool cancelled = false;
    services.CancelEditor = [&](bool) { cancelled = true; };
    TTreeCommands commands(services);
    const size_t questions = f.Boxes().Messages("question").size();
    EXPECT_FALSE(commands.DeletePage());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(cancelled);  // the editor's unsaved work is not dropped
    EXPECT_EQ(f.Boxes().Messages("question").size(), questions);
    EXPECT_EQ(Row(f, home->ItemId()).first, 1);
}

// Leaving the editor may save it, and a save may load the web tree anew:
// the page is deleted only if it is still the selected node afterwards.
TEST(CatalogCommands, DeletingAPageAfterTheEditorsSaveLoadedTheTreeAnew)
{
    struct TCase {
        const char* name;
        bool selectedAgain;
    };
    for (const TCase& c : {TCase{"the page selected again", true}, TCase{"the selection lost", false}}) {
        SCOPED_TRACE(c.name);
        TShellFixture f;
        ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
        TTreeManager& tree = WebTree(f);
        TTreeNode* home = tree.Root().FirstChild();
        const int homeId = home->ItemId();
        tree.SetSelected(home);
        const int pageType = f.Root().GlobalDefinition().GetItemTypeByName("InfoPage");
        f.Shell().ExecuteAction("Action=AddNewChildItem&ItemType=" + std::to_string(pageType) + "&ParentItemId=" +
                                    std::to_string(homeId) + "&BetweenStart=900000&BetweenEnd=900100",
                                false);
        TTreeNode* page = tree.GetSelectedNode();
        ASSERT_TRUE(page && page->ItemId() >= 900000);
        const int pageId = page->ItemId();

        TTreeCommands::TServices services;
        services.WebTree = &tree;
        services.Data = &Data(f);
        services.Gui = &f.Boxes();
        services.CanLeave = [&] {
            tree.Reload(&Main(f));
            if (c.selectedAgain)
                tree.LocateItem(pageId, nullptr);
            return true;
        };
        TTreeCommands commands(services);
        f.Boxes().QueueAnswer(mrYes);
        EXPECT_EQ(commands.DeletePage(), c.selectedAgain);
        EXPECT_EQ(Row(f, pageId).first, c.selectedAgain ? -1 : homeId);
        for (TTreeNode* node : tree.AllNodes())
            EXPECT_TRUE(!c.selectedAgain || node->ItemId() != pageId);
    }
}

// The web tree's pop-up has rules of its own: a page with children keeps
// its Delete button disabled, while the pop-up's "Delete Page" still asks.
TEST(CatalogCommands, WebTreePopUpRunsItsEntriesWhereTheButtonIsDisabled)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTreeManager& tree = WebTree(f);
    // The home page with a page below it.
    TTreeNode* page = tree.Root().FirstChild();
    ASSERT_TRUE(page && page->IsItem());
    tree.SetSelected(page);
    tree.SetCurrentNode(page);
    const int pageType = f.Root().GlobalDefinition().GetItemTypeByName("InfoPage");
    f.Shell().ExecuteAction("Action=AddNewChildItem&ItemType=" + std::to_string(pageType) + "&ParentItemId=" +
                                std::to_string(page->ItemId()) + "&BetweenStart=900000&BetweenEnd=900100",
                            false);
    ASSERT_FALSE(page->Children.empty());
    tree.SetSelected(page);
    QCoreApplication::processEvents();
    f.Gui().UpdateWebTreeButtons(page);
    EXPECT_FALSE(f.Window().Actions().WebTreeDelete->isEnabled());

    QStringList entries;
    bool deleteEnabled = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* remove = nullptr;
        for (QAction* entry : menu->actions()) {
            entries << entry->text();
            if (entry->text() == "Delete Page")
                remove = entry;
        }
        ASSERT_NE(remove, nullptr);
        deleteEnabled = remove->isEnabled();
        menu->close();
        remove->trigger();
    });
    const size_t questions = f.Boxes().Messages("question").size();
    f.Boxes().QueueAnswer(mrNo);
    emit WebView(f)->customContextMenuRequested(QPoint(5, 5));
    QCoreApplication::processEvents();
    // The built-in entries close the menu, below the definition's own.
    ASSERT_GE(entries.size(), 4);
    EXPECT_EQ(entries.mid(entries.size() - 4), (QStringList{"Delete Page", "Move Page Up", "Move Page Down", "Sort"}));
    EXPECT_TRUE(deleteEnabled);
    ASSERT_EQ(f.Boxes().Messages("question").size(), questions + 1);
    EXPECT_NE(f.Boxes().Messages("question").back().find("Do you really want to delete \""), std::string::npos);
    EXPECT_EQ(Row(f, page->ItemId()).first, 1) << "No keeps the page";
}

TEST(CatalogCommands, WebTreePopUpOffersTheDefinitionsEntriesForTheNodesType)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTreeManager& tree = WebTree(f);
    const int pageType = f.Root().GlobalDefinition().GetItemTypeByName("InfoPage");
    TTreeNode* page = nullptr;
    for (auto& child : tree.Root().Children)
        if (child->IsItem() && child->Data->ItemType == pageType)
            page = child.get();
    ASSERT_NE(page, nullptr);
    tree.SetSelected(page);
    QCoreApplication::processEvents();
    const size_t children = page->Children.size();

    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* newPage = nullptr;
        for (QAction* entry : menu->actions()) {
            entries << entry->text();
            if (entry->text() == "New Page")
                newPage = entry;
        }
        menu->close();
        if (newPage)
            newPage->trigger();
    });
    emit WebView(f)->customContextMenuRequested(QPoint(5, 5));
    QCoreApplication::processEvents();
    // The definition's entry first, then a separator and the built-in entries.
    ASSERT_GE(entries.size(), 6);
    EXPECT_EQ(entries.front(), "New Page");
    EXPECT_EQ(entries.at(entries.size() - 5), "");
    // Its action ran: a new page below the selected one, open in the editor.
    ASSERT_EQ(page->Children.size(), children + 1);
    ASSERT_NE(tree.GetSelectedNode(), nullptr);
    EXPECT_EQ(tree.GetSelectedNode()->Parent, page);
    EXPECT_EQ(f.Editor().GetItemType(), pageType);
}

TEST(CatalogCommands, NodeInfoListsTheIdsOfAnItemNode)
{
    TTreeNode node;
    EXPECT_EQ(TTreeCommands::NodeInfo(&node), "");
    node.Data = std::make_unique<TItemDescription>();
    node.Data->ItemId = 12;
    node.Data->LinkedItemId = 10;
    node.Data->ParentItemId = 1;
    node.Data->ItemType = 3002;
    node.Data->OrderNum = 300;
    EXPECT_EQ(TTreeCommands::NodeInfo(&node),
              "TreeItemId: 12\r\nLinkedItemId: 10\r\nParentItemId: 1\r\nItemType: 3002\r\nOrderNum: 300");
}

// ---- menus ----------------------------------------------------------------------------------------

TEST(CatalogCommands, MenusFollowTheUsersRole)
{
    struct Case {
        const char* roleWord;
        bool applyStyle, importExport, changeCode, utilities, deleteCatalog, web;
    };
    const Case cases[] = {
        // role word   style  imp/exp code   utils  delete web
        {"admin", true, true, true, true, true, true},
        {"power", true, true, true, true, false, true},
        {"publisher", false, true, false, false, false, true},
        {"user", false, true, false, false, false, false},
        {"clerk", false, false, false, false, false, false},
    };
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    for (const Case& c : cases) {
        catalog_sql::Exec(Main(f),
                          "UPDATE CStrings SET StringValue = :Word WHERE CatalogCode = :CatalogCode AND ClassId = 602 "
                          "AND MemberId = 4",
                          "shop", {{"Word", std::string(c.roleWord)}});
        ASSERT_TRUE(f.Root().CloseCatalog());
        std::string error;
        f.Root().OpenCatalog("", SQLiteModuleName, "", "shop", "admin", "secret", 0, error);
        QCoreApplication::processEvents();
        ASSERT_EQ(error, "") << c.roleWord;
        TfrmMain& w = f.Window();
        EXPECT_EQ(w.Actions().ApplyNewStyle->isEnabled(), c.applyStyle) << c.roleWord;
        EXPECT_EQ(w.Menu(TMainMenu::Import)->isEnabled(), c.importExport) << c.roleWord;
        EXPECT_EQ(w.Menu(TMainMenu::Export)->isEnabled(), c.importExport) << c.roleWord;
        EXPECT_EQ(w.Actions().ChangeCatalogCode->isEnabled(), c.changeCode) << c.roleWord;
        EXPECT_EQ(w.Menu(TMainMenu::DatabaseUtilities)->isEnabled(), c.utilities) << c.roleWord;
        EXPECT_EQ(w.Actions().Backup->isEnabled(), c.utilities) << c.roleWord;
        EXPECT_EQ(w.Actions().DeleteCatalog->isEnabled(), c.deleteCatalog) << c.roleWord;
        EXPECT_EQ(w.Menu(TMainMenu::Publish)->isEnabled(), c.web) << c.roleWord;
        EXPECT_TRUE(w.Menu(TMainMenu::Catalog)->isEnabled()) << c.roleWord;
        EXPECT_TRUE(w.Actions().CloseCatalog->isEnabled()) << c.roleWord;
    }
    ASSERT_TRUE(f.Root().CloseCatalog());
    EXPECT_FALSE(f.Window().Menu(TMainMenu::Catalog)->isEnabled());
    EXPECT_FALSE(f.Window().Actions().CloseCatalog->isEnabled());
}

namespace {

// An Items row with its name (class 1, member 1, for every language; none when Name is empty).
void AddItem(TShellFixture& f, int itemId, int itemType, int parentId, int orderNum, const std::string& name)
{
    catalog_sql::Exec(Main(f),
                      "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, OrderNum, "
                      "DontSort, DontDelete, NotVisible, IsSynchronized) VALUES (:CatalogCode, " +
                          std::to_string(itemId) + ", " + std::to_string(itemType) + ", " + std::to_string(parentId) +
                          ", " + std::to_string(itemId) + ", " + std::to_string(orderNum) + ", 0, 0, 0, 0)",
                      "shop");
    if (!name.empty())
        catalog_sql::Exec(Main(f),
                          "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                          "IndexId, StringValue) VALUES (:CatalogCode, " + std::to_string(itemId) +
                              ", 1, 1, 1, 'XXX', 0, :Name)",
                          "shop", {{"Name", name}});
}

// A report item of a report type: number member 1 of class 7001.
void AddReport(TShellFixture& f, int itemId, int reportType, int orderNum, const std::string& name)
{
    AddItem(f, itemId, 7001, reportType, orderNum, name);
    catalog_sql::Exec(Main(f),
                      "INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "NumberValue) VALUES (:CatalogCode, " + std::to_string(itemId) + ", 7001, 2, 1, 'XXX', 0, " +
                          std::to_string(reportType) + ")",
                      "shop");
}

QStringList Texts(QMenu* menu)
{
    QStringList texts;
    for (QAction* entry : menu->actions())
        texts << (entry->isSeparator() ? "-" : entry->text());
    return texts;
}

}  // namespace

TEST(CatalogCommands, ReportMenuListsReportTypesWithTheirReports)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    const int root = f.Root().Catalog().GetDefinition().GetItemTypeTemplateId(514, 4);
    ASSERT_NE(root, 0);
    // A new catalog has the shipped report types.
    EXPECT_TRUE(f.Window().Menu(TMainMenu::Report)->menuAction()->isVisible());
    // A report root without report types hides the menu.
    {
        TCatalogData* data = f.Root().GetCatalogData();
        TQueryGuard query(data->GetConnectionFactory().GetConnection());
        query->SetSQL("DELETE FROM Items WHERE CatalogCode = :CatalogCode AND ParentItemId = " + std::to_string(root) +
                      " AND ItemType = 514");
        query->SetParam("CatalogCode", std::string("shop"));
        query->ExecSQL();
    }
    f.Shell().ExecuteAction("Action=UpdateReportMenu", false);
    EXPECT_FALSE(f.Window().Menu(TMainMenu::Report)->menuAction()->isVisible());

    AddItem(f, 950001, 514, root, 100, "Sales");
    AddItem(f, 950002, 521, root, 200, "Empty group");
    AddReport(f, 950011, 950001, 200, "Monthly");
    AddReport(f, 950012, 950001, 100, "");  // no name in any language
    f.Shell().ExecuteAction("Action=UpdateReportMenu", false);

    QMenu* menu = f.Window().Menu(TMainMenu::Report);
    EXPECT_TRUE(menu->menuAction()->isVisible());
    ASSERT_EQ(Texts(menu), (QStringList{"Sales", "Empty group"}));
    QMenu* sales = menu->actions()[0]->menu();
    QMenu* empty = menu->actions()[1]->menu();
    ASSERT_TRUE(sales && empty);
    EXPECT_EQ(Texts(sales), (QStringList{"(No name for the language)", "Monthly", "-", "New Report", "Delete"}));
    EXPECT_EQ(Texts(empty), (QStringList{"New Report"}));  // no separator, no "Delete"
    QMenu* deleteMenu = sales->actions().last()->menu();
    ASSERT_NE(deleteMenu, nullptr);
    EXPECT_EQ(Texts(deleteMenu), (QStringList{"(No name for the language)", "Monthly"}));

    // A report asks where to save itself; cancelled, nothing runs.
    f.Shell().Publishing().SetReportFileDialog([](const std::string&) { return std::string(); });
    const std::size_t before = f.Boxes().Messages("information").size();
    sales->actions()[1]->trigger();
    EXPECT_EQ(f.Boxes().Messages("information").size(), before);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
    f.Shell().Publishing().SetReportFileDialog({});

    // Deleting a report asks, deletes, and rebuilds the menu afterwards.
    f.Boxes().QueueAnswer(mrYes);
    deleteMenu->actions()[1]->trigger();
    EXPECT_EQ(f.Boxes().Messages("question").back(), "Do you really want to delete \"Monthly\" report");
    EXPECT_EQ(Row(f, 950011).first, -1);
    QCoreApplication::processEvents();
    sales = f.Window().Menu(TMainMenu::Report)->actions()[0]->menu();
    EXPECT_EQ(Texts(sales), (QStringList{"(No name for the language)", "-", "New Report", "Delete"}));
}

TEST(CatalogCommands, TemplatesAreCopiedAndDeletedAndTheTreeKeysWork)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    auto* view = f.Window().findChild<TCatalogTreeView*>("tvMainTemplatesView");
    ASSERT_NE(view, nullptr);
    TTreeManager& templates = view->Manager();
    // The first template below a folder.
    TTreeNode* original = nullptr;
    for (int depth = 0; depth < 3 && !original; ++depth)
        for (TTreeNode* node : templates.AllNodes()) {
            if (node->IsItem() && node->Data->ItemType != 2 && node->Data->ItemType != 0 && node->Parent &&
                node->Parent->Parent) {
                original = node;
                break;
            }
            templates.Expand(node);
        }
    ASSERT_NE(original, nullptr);
    const int parentId = original->Data->ParentItemId;
    const int originalId = original->ItemId();
    templates.SetSelected(original);
    f.Window().Actions().TemplatesCopyToNew->trigger();
    // The copy rereads the folder: the nodes below it are new ones.
    TTreeNode* copy = templates.GetSelectedNode();
    ASSERT_NE(copy, nullptr);
    const int copyId = copy->ItemId();
    EXPECT_NE(copyId, originalId);
    EXPECT_EQ(Row(f, copyId).first, parentId);

    // The copy goes again: Delete asks first.
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Window().Actions().TemplatesDelete->isEnabled());
    f.Boxes().QueueAnswer(mrYes);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    QCoreApplication::processEvents();
    EXPECT_EQ(Row(f, copyId).first, -1);
    for (TTreeNode* node : templates.AllNodes())
        EXPECT_NE(node->ItemId(), copyId);

    // Ctrl+Alt+I on a web-tree page tells its ids.
    TCatalogTreeView* web = WebView(f);
    web->Manager().SetSelected(web->Manager().Root().FirstChild());
    web->setFocus();
    QTest::keyClick(web, Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_FALSE(f.Boxes().Messages("information").empty());
    EXPECT_EQ(f.Boxes().Messages("information").back().rfind("TreeItemId: ", 0), 0u);
}

TEST(CatalogCommands, TreeVerbsOfActionStringsWorkOnTheOpenCatalogsTrees)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTreeManager& web = WebTree(f);
    TTreeManager& templates = f.Window().findChild<TCatalogTreeView*>("tvMainTemplatesView")->Manager();
    const int homeId = f.Root().GetHomePageId();
    TTreeNode* last = web.Root().Children.back().get();

    // SelectFirstItem selects the home page; LastWebTreeItem goes back to the current node.
    web.SetSelected(last);
    web.SetCurrentNode(last);
    f.Shell().ExecuteAction("Action=SelectFirstItem", false);
    ASSERT_NE(web.GetSelectedNode(), nullptr);
    EXPECT_EQ(web.GetSelectedNode()->ItemId(), homeId);
    f.Shell().ExecuteAction("Action=LastWebTreeItem", false);
    EXPECT_EQ(web.GetSelectedNode(), last);

    // NewFromSelected copies the selected web-tree page under the id typed.
    f.Boxes().QueueInput("950500");
    f.Shell().ExecuteAction("Action=NewFromSelected", false);
    EXPECT_EQ(Row(f, 950500).first, Row(f, last->ItemId()).first);

    // SelectTree builds the templates tree on another root, with the caption asked for.
    TTreeNode* folder = templates.Root().FirstChild();
    ASSERT_TRUE(folder && folder->IsItem());
    const int folderId = folder->ItemId();
    f.Shell().ExecuteAction("Action=SelectTree&ItemId=" + std::to_string(folderId) + "&Caption=Mail", false);
    EXPECT_EQ(templates.GetRootItemId(), folderId);
    EXPECT_EQ(templates.GetOptions(), TTreeCommands::kSelectedTreeOptions);
    EXPECT_EQ(f.Window().findChild<QLabel*>("pnlMainLeftTemplatesCaptionText")->text(), "Mail");

    // Refresh re-reads a node's caption; no message for either tree.
    const size_t messages = f.Boxes().Shown().size();
    f.Shell().ExecuteAction("Action=Refresh&Name=WebTree&ItemId=" + std::to_string(homeId), false);
    f.Shell().ExecuteAction("Action=Refresh&Name=TermplatesTree&ItemId=" + std::to_string(folderId), false);
    EXPECT_EQ(f.Boxes().Shown().size(), messages);
}

TEST(CatalogCommands, DeleteCatalogAsksWithItsCodeAndSaysWhenItIsGone)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Boxes().QueueAnswer(mrNo);
    f.Window().Actions().DeleteCatalog->trigger();
    EXPECT_EQ(f.Boxes().Messages("question").back(), "Do you really want to delete \"shop\" catalog?");
    EXPECT_TRUE(f.Root().Catalog().IsOpen());

    f.Boxes().QueueAnswer(mrYes);
    f.Window().Actions().DeleteCatalog->trigger();
    EXPECT_FALSE(f.Root().Catalog().IsOpen());
    ASSERT_FALSE(f.Boxes().Messages("information").empty());
    EXPECT_EQ(f.Boxes().Messages("information").back(), "Catalog \"shop\" successfully deleted.");
    std::string error;
    f.Root().OpenCatalog("", SQLiteModuleName, "", "shop", "admin", "secret", 0, error);
    EXPECT_NE(error, "");
}

TEST(CatalogCommands, DatabaseUtilitiesLeaveTheEditedItemAndCompressAsksFirst)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(f.Root().GetHomePageId()), false);
    ASSERT_NE(f.Editor().Context(), nullptr);

    // Changed data and Cancel: neither runs; the question was the only message.
    for (QAction* TMainWindowActions::*command : {&TMainWindowActions::Backup, &TMainWindowActions::Compress}) {
        f.Editor().SetModified();
        f.Boxes().Clear();
        f.Boxes().QueueAnswer(mrCancel);
        Click(f, command);
        ASSERT_EQ(f.Boxes().Shown().size(), 1u);
        EXPECT_EQ(f.Boxes().Messages("question").front(), "Changed data wasn\\`t saved. Save it now?");
        EXPECT_TRUE(f.Editor().Context()->IsModified());
    }

    // Compress asks; No keeps the catalog open and does nothing.
    f.Boxes().Clear();
    f.Boxes().QueueAnswer(mrNo);  // drop the changes
    f.Boxes().QueueAnswer(mrNo);  // do not compact
    Click(f, &TMainWindowActions::Compress);
    EXPECT_EQ(f.Boxes().Messages("question"),
              (std::vector<std::string>{"Changed data wasn\\`t saved. Save it now?", "Compact the database?"}));
    EXPECT_TRUE(f.Root().Catalog().IsOpen());
    EXPECT_TRUE(f.Boxes().Messages("information").empty());

    // Yes compacts it.
    f.Boxes().Clear();
    f.Boxes().QueueAnswer(mrYes);
    Click(f, &TMainWindowActions::Compress);
    EXPECT_EQ(f.Boxes().Messages("information"), std::vector<std::string>{"Database has been successfully compressed"});
}
