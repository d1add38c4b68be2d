// The GUI controller on the real main window: catalog-defined menu items,
// catalog-action buttons, the image cache, the status bar.
#include "ShellFixture.h"

#include "shell/TolvexToolbarItem.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QComboBox>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

QStringList Captions(QMenu* menu)
{
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << (a->isSeparator() ? "-" : a->text());
    return captions;
}

TEST(GuiControl, BeforePlacementGoesAboveBuiltInsButBelowEarlierDynamicItems)
{
    TShellFixture f;
    TGUIControl& gui = f.Gui();
    QMenu* file = f.Window().Menu(TMainMenu::Import);
    const QStringList builtIn = Captions(file);
    gui.AddMenuItem(1, "First", "MenuPath=Import&Placement=before", "", "", "");
    gui.AddMenuItem(2, "Second", "MenuPath=Import&Placement=before", "", "", "");
    gui.AddMenuItem(3, "Last", "MenuPath=Import", "", "", "");
    QStringList expected{"First", "Second"};
    expected << builtIn << "Last";
    EXPECT_EQ(Captions(file), expected);

    gui.RemoveCatalogMenuItems();
    EXPECT_EQ(Captions(file), builtIn);
}

TEST(GuiControl, NamedItemsBecomeSubmenusAtAnyDepth)
{
    TShellFixture f;
    TGUIControl& gui = f.Gui();
    gui.AddMenuItem(1, "Tools", "MenuPath=Help&Name=tools", "", "", "");
    gui.AddMenuItem(2, "More", "MenuPath=tools&Name=more", "", "", "");
    gui.AddMenuItem(3, "Deep", "MenuPath=more", "", "", "");
    gui.AddMenuItem(4, "Lost", "MenuPath=nowhere", "", "", "");
    gui.AddMenuItem(5, "NoPath", "", "", "", "");
    TTolvexMenuItem* tools = gui.FindMenuItemByName("tools", f.Window().Menu(TMainMenu::Help));
    ASSERT_NE(tools, nullptr);
    ASSERT_NE(tools->menu(), nullptr);
    TTolvexMenuItem* more = gui.FindMenuItemByName("more", f.Window().Menu(TMainMenu::Help));
    ASSERT_NE(more, nullptr);
    ASSERT_NE(more->menu(), nullptr);
    EXPECT_EQ(Captions(more->menu()), QStringList{"Deep"});
    EXPECT_EQ(gui.FindMenuItemByName("", f.Window().Menu(TMainMenu::Help)), nullptr);
    int lost = 0;
    for (QAction* top : f.Window().menuBar()->actions())
        for (QAction* a : top->menu()->actions())
            lost += a->text() == "Lost" || a->text() == "NoPath";
    EXPECT_EQ(lost, 0);
    gui.RemoveCatalogMenuItems();
    EXPECT_EQ(gui.FindMenuItemByName("tools", f.Window().Menu(TMainMenu::Help)), nullptr);
}

TEST(GuiControl, MenuConditionsDecideWhetherAnItemIsAdded)
{
    TShellFixture f;
    TGUIControl& gui = f.Gui();
    gui.AddMenuItem(1, "Always", "MenuPath=Help", "", "ItemId=0", "");
    gui.AddMenuItem(2, "Never", "MenuPath=Help", "", "ItemId=12,15", "");
    gui.AddMenuItem(3, "OtherCatalog", "MenuPath=Help", "", "CatalogCode=shop", "");
    const QStringList captions = Captions(f.Window().Menu(TMainMenu::Help));
    EXPECT_TRUE(captions.contains("Always"));
    EXPECT_FALSE(captions.contains("Never"));
    EXPECT_FALSE(captions.contains("OtherCatalog"));  // no catalog open
}

TEST(GuiControl, NineCatalogActionSlotsAndParamsKeepAnElementOff)
{
    TShellFixture f;
    TGUIControl& gui = f.Gui();
    gui.ClearActionToolbars();
    gui.AddToolbarSlot(99, "With params", "", "MenuPath=Catalog");
    for (int i = 1; i <= 10; ++i)
        gui.AddToolbarSlot(i, "Action " + std::to_string(i), "", "");
    gui.RebuildActionToolbar();
    int shown = 0;
    for (QAction* button : f.Window().CatalogActionButtons())
        shown += button->isVisible();
    EXPECT_EQ(shown, 9);
    EXPECT_EQ(f.Window().CatalogActionButtons()[0]->text(), "Action 1");
    EXPECT_EQ(f.Window().CatalogActionButtons()[8]->text(), "Action 9");
    EXPECT_TRUE(f.Window().Toolbar(TMainToolbar::CatalogActions)->isVisible());
    gui.ClearActionToolbars();
    EXPECT_FALSE(f.Window().Toolbar(TMainToolbar::CatalogActions)->isVisible());
}

std::string Bitmap(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

TEST(GuiControl, ImageCacheKeepsBitmapsByExactName)
{
    TShellFixture f;
    TGUIControl& gui = f.Gui();
    gui.ClearCachedImages();
    gui.AddCachedImage("folder", Bitmap(16, 16), "image/bmp");
    gui.AddCachedImage("page", Bitmap(16, 16), "image/bmp");
    gui.AddCachedImage("photo", Bitmap(16, 16), "image/jpeg");  // not a bitmap
    gui.AddCachedImage("broken", "not an image", "image/bmp");
    gui.AddCachedImage("product", Bitmap(16, 16), "image/bmp");
    EXPECT_EQ(gui.CachedImageCount(), 3);
    EXPECT_EQ(gui.FindCachedImage("page"), 1);
    EXPECT_EQ(gui.FindCachedImage("Page"), -1);
    EXPECT_EQ(gui.FindCachedImage("photo"), -1);
    EXPECT_FALSE(gui.CachedIcon(0).isNull());
    gui.ClearCachedImages();
    EXPECT_EQ(gui.CachedImageCount(), 0);
}

TEST(GuiControl, OpeningACatalogLoadsItsImagesIntoTheCache)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    EXPECT_GT(f.Gui().CachedImageCount(), 0);
}

TEST(GuiControl, StatusTextNeverGoesIntoTheLastPanel)
{
    TShellFixture f;
    TGUIControl& gui = f.Gui();
    gui.SetStatusText("Ready", false, 0);
    gui.SetStatusText("Two", false, 2);
    gui.SetStatusText("Language", false, 3);
    gui.SetStatusText("Beyond", false, 7);
    EXPECT_EQ(gui.StatusText(0), "Ready");
    EXPECT_EQ(gui.StatusText(2), "Two");
    EXPECT_NE(gui.StatusText(3), "Language");
}

TEST(GuiControl, NoticeShowsItsHighestKind)
{
    TShellFixture f;
    TGUIControl& gui = f.Gui();
    QLabel* panel = f.Window().StatusPanel(1);
    gui.SetStatusNotice("Name missing", 6);
    EXPECT_EQ(panel->accessibleName(), "Error");
    gui.ShowStatusNotice();
    EXPECT_EQ(f.Boxes().Messages("error"), (std::vector<std::string>{"Name missing"}));
    gui.SetStatusNotice("Check price", 3);
    EXPECT_EQ(panel->accessibleName(), "Warning");
    gui.SetStatusNotice("", 0);
    EXPECT_TRUE(panel->accessibleName().isEmpty());
}

TEST(GuiControl, SearchRunsTheCheckedKindAndKeepsFiveDistinctKeywords)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Boxes().Clear();
    TfrmMain& w = f.Window();
    if (w.Menu(TMainMenu::SearchKinds)->isEmpty())
        GTEST_SKIP() << "the type declares no search kinds";
    EXPECT_TRUE(f.Gui().CheckedSearchKind() == w.Menu(TMainMenu::SearchKinds)->actions().first());

    w.SearchBox()->setEditText("");
    f.Shell().Search().RunSearch();
    EXPECT_EQ(f.Boxes().Messages("error"), (std::vector<std::string>{"Enter search keyword"}));

    for (const char* keyword : {"Apple", "pear", "plum", "fig", "kiwi", "apple", "lime"}) {
        w.SearchBox()->setEditText(keyword);
        f.Shell().Search().RunSearch();
        EXPECT_EQ(::SearchText, keyword);
    }
    QStringList history;
    for (int i = 0; i < w.SearchBox()->count(); ++i)
        history << w.SearchBox()->itemText(i);
    EXPECT_EQ(history, (QStringList{"lime", "apple", "kiwi", "fig", "plum"}));
}

}  // namespace

namespace {

TEST(GuiControl, LanguageMenuListsTheCatalogsLanguagesWithTheDefaultInBold)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    QMenu menu;
    std::vector<std::string> chosen;
    f.Gui().FillLanguageMenu(&menu, [&](const std::string& code) { chosen.push_back(code); });
    ASSERT_FALSE(menu.isEmpty());
    int bold = 0;
    for (QAction* a : menu.actions())
        bold += a->font().bold();
    EXPECT_EQ(bold, 1);
    menu.actions().first()->trigger();
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_FALSE(chosen[0].empty());

    // Without a handler the entry carries the language change for the action processor.
    f.Gui().FillLanguageMenu(&menu);
    auto* item = dynamic_cast<TTolvexMenuItem*>(menu.actions().first());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Command.ActionString.rfind("Action=ChangeLang&LangCode=", 0), 0u);
}

}  // namespace

#include "shell/TreeNodeData.h"

#include <QTreeWidget>

namespace {

TEST(GuiControl, WebTreeButtonsForANodeUnderASortedParent)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TfrmMain& w = f.Window();
    TItemDescription parent, first, second;
    parent.ItemId = 10;
    parent.ItemType = 1;
    parent.OrderNum = 1;  // children sorted alphabetically (no manual order)
    first.ItemId = 11;
    first.ItemType = 7;
    first.OrderNum = 1;
    second = first;
    second.ItemId = 12;
    second.OrderNum = 2;
    auto* top = new QTreeWidgetItem(w.findChild<QTreeWidget*>("tvMainWebTree"), QStringList{"Home"});
    auto* a = new QTreeWidgetItem(top, QStringList{"A"});
    auto* b = new QTreeWidgetItem(top, QStringList{"B"});
    SetDescription(top, &parent);
    SetDescription(a, &first);
    SetDescription(b, &second);

    f.Gui().UpdateWebTreeButtons(b);
    EXPECT_FALSE(w.Actions().WebTreeMoveUp->isEnabled());
    EXPECT_EQ(w.Actions().WebTreeMoveUp->toolTip(), "Sorted Alphabetically");
    EXPECT_TRUE(w.Actions().WebTreeDelete->isEnabled());

    parent.Flags = ifManualOrder;
    f.Gui().UpdateWebTreeButtons(b);
    EXPECT_TRUE(w.Actions().WebTreeMoveUp->isEnabled());
    EXPECT_FALSE(w.Actions().WebTreeMoveDown->isEnabled());  // the last child
    EXPECT_EQ(w.Actions().WebTreeMoveUp->toolTip(), "Move Up");

    f.Gui().UpdateWebTreeButtons(top);  // top level: moves hidden, Sort shown
    EXPECT_FALSE(w.Actions().WebTreeMoveUp->isVisible());
    EXPECT_FALSE(w.Actions().WebTreeDelete->isEnabled());
    w.findChild<QTreeWidget*>("tvMainWebTree")->clear();
}

}  // namespace
