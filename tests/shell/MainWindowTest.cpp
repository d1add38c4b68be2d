// The main window over a real program folder: start, layout for a closed
// and an open catalog, private messages, view choices, closing.
#include "ShellFixture.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "shell/MainWindowEvent.h"
#include "shell/frmLogin.h"
#include "support/RecordingOpener.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include "gui/FindReplace.h"
#include <QTest>
#include <QToolButton>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <fstream>

#include <filesystem>

namespace {

QStringList MenuTitles(QMenuBar* bar)
{
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    return titles;
}

int DynamicItems(QMenu* menu)
{
    int count = 0;
    for (QAction* a : menu->actions()) {
        if (a->menu() && a->menu()->objectName() == "miFileStyles")
            continue;  // the catalog types, not the definition's elements
        count += dynamic_cast<TTolvexMenuItem*>(a) != nullptr;
        if (a->menu())
            count += DynamicItems(a->menu());
    }
    return count;
}

TEST(MainWindow, StartsWithTheMenusOfTypeZeroAndNoCatalog)
{
    TShellFixture f;
    TfrmMain& w = f.Window();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Tolvex");
    EXPECT_EQ(MenuTitles(w.menuBar()),
              (QStringList{"&File", "&Edit", "&View", "&Catalog", "&Web", "&Report", "&Help"}));
    EXPECT_EQ(static_cast<QStackedWidget*>(w.centralWidget())->currentWidget(), w.findChild<QWidget*>("pnlMainWelcome"));
    EXPECT_FALSE(w.Menu(TMainMenu::Catalog)->isEnabled());
    EXPECT_FALSE(w.Actions().CloseCatalog->isEnabled());
    EXPECT_TRUE(w.Toolbar(TMainToolbar::Actions)->isVisible());
    EXPECT_FALSE(w.Toolbar(TMainToolbar::CatalogActions)->isVisible());
    EXPECT_TRUE(w.statusBar()->isVisible());
    EXPECT_EQ(f.Root().Catalog().GetDefinition().GetLoadedCatalogType(), 0);
    // File / Styles lists the catalog types.
    EXPECT_FALSE(w.Menu(TMainMenu::Styles)->isEmpty());
    // Every type-0 menu element whose place exists is in the menus.
    int menuElements = 0;
    const TCatalogDefinition& definition = f.Root().Catalog().GetDefinition();
    for (int i = 0; i < definition.GetUIDetailCount(); ++i)
        menuElements += definition.GetUIDetail(i)->Kind == uikMenuItem && definition.GetUIDetail(i)->ItemType == 0;
    int shown = 0;
    for (QAction* top : w.menuBar()->actions())
        shown += DynamicItems(top->menu());
    EXPECT_LE(shown, menuElements);
    f.Screenshot("main-no-catalog");
}

TEST(MainWindow, StartMessageOpensTheLogin)
{
    TShellFixture f;
    QString shown;
    OnNextModal([&shown](QWidget* w) {
        shown = w->objectName();
        static_cast<QDialog*>(w)->reject();
    });
    f.Window().PostMessage(WM_START_PROCESS, 0, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, "frmLogin");
    EXPECT_TRUE(f.Boxes().Shown().empty());
    EXPECT_FALSE(f.Root().Catalog().IsOpen());
}

TEST(MainWindow, MessagesThatNeedACatalogDoNothingWithoutOne)
{
    TShellFixture f;
    f.Shell().Processor().QueueAction("Action=ProgramSettings", false);  // nothing queued: no catalog
    EXPECT_EQ(f.Shell().Processor().QueuedCount(), 0u);
    for (int message : {WM_EDIT_ITEM, WM_EXECUTE_ACTION_ID, WM_RUN_QUEUED_ACTION, WM_OBJECT_CHANGED, WM_FOCUS_EDITOR,
                        WM_FREE_PROCESS_WINDOWS})
        f.Window().PostMessage(message, 1, 1);
    f.Window().PostMessage(WM_DELETE_CATALOG, 0, 0);  // only 1042 deletes
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.Boxes().Shown().empty());
    EXPECT_TRUE(f.Window().isVisible());
}

TEST(MainWindow, PrivateMessagesAreUserEventsWithTheSameOffsets)
{
    EXPECT_EQ(TMainWindowEvent::EventType(WM_START_PROCESS), QEvent::User + 11);
    EXPECT_EQ(TMainWindowEvent::EventType(WM_FOCUS_EDITOR), QEvent::User + 21);
    EXPECT_EQ(TMainWindowEvent::MessageOf(static_cast<QEvent::Type>(QEvent::User + 14)), WM_RUN_QUEUED_ACTION);
    EXPECT_EQ(TMainWindowEvent::MessageOf(static_cast<QEvent::Type>(QEvent::User + 30)), 0);
}

TEST(MainWindow, OpensACatalogAndLaysTheWindowOut)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    ASSERT_TRUE(f.Root().Catalog().IsOpen());
    TfrmMain& w = f.Window();
    EXPECT_EQ(static_cast<QStackedWidget*>(w.centralWidget())->currentWidget(), static_cast<QWidget*>(w.findChild<QSplitter*>("pnlMain")));
    EXPECT_TRUE(w.Menu(TMainMenu::Catalog)->isEnabled());
    EXPECT_TRUE(w.Actions().CloseCatalog->isEnabled());
    EXPECT_NE(w.windowTitle(), "Tolvex");
    EXPECT_TRUE(w.findChild<QWidget*>("pnlMainLeft")->isVisible());
    EXPECT_TRUE(w.Toolbar(TMainToolbar::Languages)->isVisible());
    EXPECT_GT(w.LanguageCombo()->count(), 0);
    EXPECT_FALSE(w.StatusPanel(3)->text().isEmpty());
    f.Screenshot("main-catalog-open");

    // Closing restores the closed layout and the type-0 menus.
    w.Actions().CloseCatalog->trigger();
    EXPECT_FALSE(f.Root().Catalog().IsOpen());
    EXPECT_EQ(static_cast<QStackedWidget*>(w.centralWidget())->currentWidget(), w.findChild<QWidget*>("pnlMainWelcome"));
    EXPECT_FALSE(w.Toolbar(TMainToolbar::Languages)->isVisible());
    EXPECT_EQ(w.windowTitle(), "Tolvex");
}

TEST(MainWindow, ClosingClosesTheCatalogAndStoresThePlacement)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Window().showNormal();
    f.Window().setGeometry(40, 50, 900, 600);
    EXPECT_TRUE(f.Window().close());
    EXPECT_FALSE(f.Root().Catalog().IsOpen());
    TWindowPlacement placement;
    f.Root().Settings().RestoreWindowPlacement(placement);
    EXPECT_FALSE(placement.maximised);
    EXPECT_EQ(placement.width, 900);
    EXPECT_EQ(placement.height, 600);
}

TEST(MainWindow, HidingBothTreesSwitchesAutoHideOffAndRemembersTheChoices)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TGUIControl& gui = f.Gui();
    TfrmMain& w = f.Window();
    gui.SetAutoHide(true);
    EXPECT_TRUE(gui.IsAutoHide());
    gui.SetAutoHide(false);
    gui.SetWebTreeVisible(false);
    EXPECT_TRUE(w.findChild<QToolButton*>("sbtnMainClientShowWebTree")->isVisible());
    gui.SetAutoHide(true);
    gui.SetTemplatesVisible(false);
    EXPECT_FALSE(gui.IsAutoHide());
    EXPECT_FALSE(w.findChild<QWidget*>("pnlMainLeft")->isVisible());
    EXPECT_FALSE(w.Actions().ViewAutoHide->isEnabled());
    const TIniSettings& ini = f.Root().Settings().IniSettings();
    EXPECT_FALSE(ini.GetBool(siWebTree, true));
    EXPECT_FALSE(ini.GetBool(siTemplatesTree, true));
    gui.SetWebTreeVisible(true);
    EXPECT_TRUE(w.findChild<QWidget*>("pnlMainLeft")->isVisible());
    EXPECT_TRUE(w.Actions().ViewAutoHide->isEnabled());
    EXPECT_FALSE(w.findChild<QToolButton*>("sbtnMainClientShowWebTree")->isVisible());

    gui.SetToolbarVisible(false);
    EXPECT_FALSE(w.Toolbar(TMainToolbar::Actions)->isVisible());
    gui.SetStatusBarVisible(false);
    EXPECT_FALSE(w.statusBar()->isVisible());
    EXPECT_FALSE(ini.GetBool(siStatusbar, true));
}

// The caption bars' buttons and the View menu run the same commands of the
// controller; the View menu's check marks follow.
TEST(MainWindow, CaptionBarButtonsAndTheViewMenuShowAndHideThePanes)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TGUIControl& gui = f.Gui();
    TfrmMain& w = f.Window();
    const TMainWindowActions& view = w.Actions();
    const auto click = [&w](const char* button) {
        QTest::mouseClick(w.findChild<QToolButton*>(button), Qt::LeftButton);
        QCoreApplication::processEvents();
    };
    gui.SetWebTreeVisible(true);
    gui.SetTemplatesVisible(true);
    gui.SetAutoHide(false);

    click("sbtnWebTreeClose");
    EXPECT_FALSE(gui.IsWebTreeVisible());
    EXPECT_FALSE(view.ViewWebTree->isChecked());
    click("sbtnMainClientShowWebTree");
    EXPECT_TRUE(gui.IsWebTreeVisible());
    EXPECT_TRUE(view.ViewWebTree->isChecked());
    click("sbtnMainTemplatesClose");
    EXPECT_FALSE(gui.IsTemplatesVisible());
    view.ViewTemplates->trigger();
    EXPECT_TRUE(gui.IsTemplatesVisible());
    EXPECT_TRUE(view.ViewTemplates->isChecked());
    click("sbtnWebTreeAutoHide");
    EXPECT_TRUE(gui.IsAutoHide());
    EXPECT_TRUE(view.ViewAutoHide->isChecked());
    view.ViewAutoHide->trigger();
    EXPECT_FALSE(gui.IsAutoHide());
    view.ViewToolbar->trigger();
    EXPECT_FALSE(gui.IsToolbarVisible());
    view.ViewToolbar->trigger();
    EXPECT_TRUE(gui.IsToolbarVisible());
    view.ViewStatusBar->trigger();
    EXPECT_FALSE(w.statusBar()->isVisible());
}

// A style catalog that cannot be opened says why in one message and leaves
// no catalog open.
TEST(MainWindow, StylesMenuShowsAnOpeningErrorAsAMessage)
{
    TShellFixture f;
    const std::filesystem::path file = std::filesystem::path(f.Home().Path()) / "databases" / "catalog_1.sqlite";
    ASSERT_TRUE(std::filesystem::is_regular_file(file) && !std::filesystem::is_symlink(file)) << file;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "not a database";
    f.OpenStyleCatalog(1);
    EXPECT_FALSE(f.Root().Catalog().IsOpen());
    EXPECT_EQ(f.Boxes().Messages("error").size(), 1u);
}

TEST(MainWindow, AboutBoxNamesTheFolders)
{
    TShellFixture f;
    QString folders;
    OnNextModal([&folders](QWidget* w) {
        if (auto* label = w->findChild<QLabel*>("lblFolders"))
            folders = label->text();
        static_cast<QDialog*>(w)->accept();
    });
    f.Window().Actions().About->trigger();
    EXPECT_TRUE(folders.contains(QString::fromStdString(f.Home().Path())));
}

TEST(MainWindow, NewCatalogAndProgramSettingsOpenTheirDialogs)
{
    TShellFixture f;
    QStringList shown;
    const auto closeNext = [&shown] {
        OnNextModal([&shown](QWidget* w) {
            shown << w->objectName();
            static_cast<QDialog*>(w)->reject();
        });
    };
    closeNext();
    f.Window().Actions().NewCatalog->trigger();
    closeNext();
    f.Window().Actions().ProgramSettings->trigger();
    EXPECT_EQ(shown, (QStringList{"frmLogin", "frmSettings"}));
    EXPECT_TRUE(f.Boxes().Shown().empty());
}

}  // namespace

namespace {

TEST(MainWindow, EnterInTheSearchBoxSearchesAndEmptyTextDoesNot)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Boxes().Clear();
    TfrmMain& w = f.Window();
    if (w.Menu(TMainMenu::SearchKinds)->isEmpty())
        GTEST_SKIP() << "the type declares no search kinds";
    ::SearchText.clear();
    w.SearchBox()->setEditText("");
    QTest::keyClick(w.SearchBox()->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(f.Boxes().Messages("error").empty());
    EXPECT_EQ(::SearchText, "");
    w.SearchBox()->setEditText("apple");
    QTest::keyClick(w.SearchBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(::SearchText, "apple");
}

}  // namespace

namespace {

TEST(MainWindow, AutoHidePaneLeavesWithTheMouseAndReturnsAtTheLeftEdge)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TfrmMain& w = f.Window();
    w.showNormal();
    w.resize(1000, 700);
    QCoreApplication::processEvents();
    TGUIControl& gui = f.Gui();
    gui.SetAutoHide(true);
    QWidget* pane = w.findChild<QWidget*>("pnlMainLeft");
    const QPoint origin = w.findChild<QSplitter*>("pnlMain")->mapToGlobal(QPoint(0, 0));
    const int middle = origin.y() + w.findChild<QSplitter*>("pnlMain")->height() / 2;

    gui.CheckAutoHide(QPoint(origin.x() + 5, middle));  // in the strip: shown
    ASSERT_TRUE(pane->isVisible());
    const QPoint inside = pane->mapToGlobal(QPoint(pane->width() / 2, pane->height() / 2));
    gui.CheckAutoHide(inside);
    EXPECT_TRUE(pane->isVisible());
    gui.CheckAutoHide(QPoint(origin.x() + w.findChild<QSplitter*>("pnlMain")->width() - 10, middle));  // over the editor
    EXPECT_FALSE(pane->isVisible());
    gui.CheckAutoHide(QPoint(origin.x() + 40, middle));  // not yet at the edge
    EXPECT_FALSE(pane->isVisible());
    gui.CheckAutoHide(QPoint(origin.x() + 3, middle));
    EXPECT_TRUE(pane->isVisible());

    gui.SetAutoHide(false);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_FALSE(f.Root().Settings().IniSettings().GetBool(siAutohide, true));
}

}  // namespace

namespace {

TEST(MainWindow, LastUsedCatalogsShowOnlyWhereASettingIsStored)
{
    TShellFixture f;
    TIniSettings& ini = f.Root().Settings().IniSettings();
    for (int id = siLastUsed1; id <= siLastUsed5; ++id)
        ini.SetString(id, "");
    f.Gui().UpdateRecentCatalogs();
    EXPECT_FALSE(f.Window().Actions().LastUsedSeparator->isVisible());
    ini.SetString(siLastUsed1, "shop");
    ini.SetString(siLastUsed3, "hotel");
    f.Gui().UpdateRecentCatalogs();
    const auto& items = f.Window().Actions().LastUsed;
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_EQ(items[0]->text(), "shop");
    EXPECT_FALSE(items[1]->isVisible());
    EXPECT_TRUE(items[2]->isVisible());
    EXPECT_EQ(items[2]->text(), "hotel");
    EXPECT_FALSE(items[3]->isVisible());
    EXPECT_FALSE(items[4]->isVisible());
    EXPECT_TRUE(f.Window().Actions().LastUsedSeparator->isVisible());
}

}  // namespace

namespace {

TEST(MainWindow, FindCommandsFollowTheFocusedControl)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TfrmMain& w = f.Window();
    w.activateWindow();
    QPlainTextEdit memo(&w);
    memo.setPlainText("red green");
    memo.show();
    memo.setFocus();
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != &memo)
        GTEST_SKIP() << "no focus on this platform";
    f.Gui().UpdateFindMenu();
    EXPECT_TRUE(w.Actions().Find->isEnabled());
    EXPECT_TRUE(w.Actions().Replace->isEnabled());
    EXPECT_FALSE(w.Actions().FindNext->isEnabled());  // nothing searched yet
    f.Shell().FindReplace().ShowFindDialog(&memo);
    f.Shell().FindReplace().Find("green", true, false);
    f.Shell().FindReplace().FindDialog()->hide();
    w.activateWindow();
    memo.setFocus();
    QCoreApplication::processEvents();
    f.Gui().UpdateFindMenu();
    EXPECT_TRUE(w.Actions().FindNext->isEnabled());

    f.Shell().FindReplace().FindDialog()->hide();
    w.activateWindow();
    // The open catalog's web tree view stands in the web-tree pane.
    QWidget* webTree = w.findChild<QTreeView*>("tvMainWebTreeView");
    ASSERT_NE(webTree, nullptr);
    webTree->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), webTree);
    f.Gui().UpdateFindMenu();
    EXPECT_TRUE(w.Actions().Find->isEnabled());
    EXPECT_FALSE(w.Actions().Replace->isEnabled());
    EXPECT_FALSE(w.Actions().FindNext->isEnabled());
}

}  // namespace

TEST(MainWindow, OpenCatalogMenuListsTheCatalogsAndOpensOneThroughTheLogin)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    ASSERT_TRUE(f.Root().CloseCatalog());
    QMenu* open = f.Window().Menu(TMainMenu::OpenCatalog);
    // The File menu and the toolbar's Open Catalog share the menu: it is filled each time it opens.
    for (int shown = 0; shown < 2; ++shown)
        emit open->aboutToShow();
    QStringList captions;
    QAction* shop = nullptr;
    for (QAction* entry : open->actions()) {
        captions << entry->text();
        if (entry->text() == "shop")
            shop = entry;
    }
    EXPECT_EQ(captions.count("shop"), 1) << captions.join(", ").toStdString();
    EXPECT_EQ(captions.last(), f.Window().Actions().OpenCatalogList->text());  // the login's list stays last
    ASSERT_NE(shop, nullptr);
    EXPECT_TRUE(open->isEnabled());

    // The entry opens the login on that catalog.
    QString page;
    QString code;
    OnNextModal([&](QWidget* w) {
        if (auto* login = qobject_cast<TfrmLogin*>(w)) {
            page = login->Pages()->currentWidget()->objectName();
            code = login->edtLoginOpenCatalogCode->text();
        }
        static_cast<QDialog*>(w)->reject();
    });
    shop->trigger();
    for (int i = 0; i < 200 && page.isEmpty(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(code, "shop");
    EXPECT_FALSE(page.isEmpty());
}

TEST(MainWindow, OnlineSupportOpensTheSupportAddressOfTheSettings)
{
    TShellFixture f;
    TRecordingOpener opener;
    f.Root().Settings().IniSettings().SetString(siURLOnlineSupport, "http://support.example.test/help?lang=EN");
    QAction* support = f.Window().findChild<QAction*>("miHelpOnlineSupport");
    ASSERT_NE(support, nullptr);
    EXPECT_TRUE(f.Window().Menu(TMainMenu::Help)->actions().contains(support));
    EXPECT_EQ(support->text(), "Tolvex Online Support");
    support->trigger();
    EXPECT_EQ(opener.Opened(), "http://support.example.test/help?lang=EN");
}

TEST(MainWindow, LeftPaneKeepsTheWidthTheUserGaveItForTheNextStart)
{
    TShellFixture f;
    TIniSettings& ini = f.Root().Settings().IniSettings();
    // The width an earlier run kept is given to the pane when a catalog opens.
    ini.SetInteger(siLeftPanelWidth, 333);
    f.Window().resize(1100, 700);
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    auto* panes = f.Window().findChild<QSplitter*>("pnlMain");
    ASSERT_NE(panes, nullptr);
    QWidget* left = f.Window().findChild<QWidget*>("pnlMainLeft");
    EXPECT_EQ(left->width(), 333);

    // Dragging the pane's edge keeps the new width.
    QSplitterHandle* handle = panes->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(60, 0)), handle->mapToGlobal(QPointF(grip + QPoint(60, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(60, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(left->width(), 393);
    EXPECT_EQ(ini.GetInteger(siLeftPanelWidth, 0), 393);

    // A pane dragged away (5 pixels or less) hides both trees and forgets the width.
    f.Gui().LeftPaneWidthChosen(4);
    EXPECT_FALSE(f.Gui().IsWebTreeVisible());
    EXPECT_FALSE(f.Gui().IsTemplatesVisible());
    EXPECT_EQ(ini.ReadValue("UI", "LeftPanelWidth", "none"), "none");
}

namespace {

// Qt's warnings while it lives.
class TWarnings {
public:
    TWarnings() { previous_ = qInstallMessageHandler(&TWarnings::Record); }
    ~TWarnings() { qInstallMessageHandler(previous_); }
    TWarnings(const TWarnings&) = delete;
    TWarnings& operator=(const TWarnings&) = delete;
    static QStringList& All()
    {
        static QStringList warnings;
        return warnings;
    }

private:
    static void Record(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            All().push_back(message);
    }
    QtMessageHandler previous_ = nullptr;
};

// Edit's Cut, Copy, Paste and Select All reach the focused control when it
// has them, and do nothing where it has not (a tree).
TEST(MainWindow, EditCommandsActOnTheFocusedControlAndLeaveATreeAlone)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TfrmMain& w = f.Window();
    w.activateWindow();
    QApplication::clipboard()->setText("kites");
    auto* tree = w.findChild<QTreeView*>("tvMainWebTreeView");
    ASSERT_NE(tree, nullptr);
    tree->setFocus();
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != tree)
        GTEST_SKIP() << "no focus on this platform";
    const QModelIndex current = tree->currentIndex();
    const int rows = tree->model()->rowCount();
    TWarnings warnings;
    TWarnings::All().clear();
    for (QAction* action : {w.Actions().Cut, w.Actions().Copy, w.Actions().Paste, w.Actions().SelectAll})
        action->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(TWarnings::All().isEmpty()) << TWarnings::All().join('\n').toStdString();
    EXPECT_EQ(tree->currentIndex(), current);
    EXPECT_EQ(tree->model()->rowCount(), rows);

    // The search box keeps the focus itself and pastes into its line edit.
    QLineEdit* search = w.SearchBox()->lineEdit();
    search->clear();
    w.SearchBox()->setFocus();
    QCoreApplication::processEvents();
    w.Actions().Paste->trigger();
    EXPECT_EQ(search->text(), "kites");
    EXPECT_EQ(QApplication::clipboard()->text(), "kites") << "the tree's Cut and Copy put nothing there";
}

}  // namespace
