// A user's way to each definition editor: File / Styles opens the style
// catalog of a catalog type; its Catalog menu opens the catalog-type record
// and the initialisation lists; its toolbar and the templates tree's "Select
// Tree" drop-down show the item types, actions, key values, styles and
// catalog properties, whose items open their editors when clicked; Catalog /
// New / Style makes a style the style editor edits.
#include "../../site/EditorPaneHelpers.h"

#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "editors/framework/Registration.h"
#include "editors/media/styles/FramePreDefinedStyle.h"

#include <QComboBox>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// The entry of a menu or of one of its submenus, by its caption.
QAction* Entry(const QList<QAction*>& actions, const QString& caption)
{
    for (QAction* action : actions) {
        if (action->text().remove('&') == caption)
            return action;
        if (action->menu())
            if (QAction* inner = Entry(action->menu()->actions(), caption))
                return inner;
    }
    return nullptr;
}

TCatalogTreeView* TemplatesView(TMainWindowFixture& f)
{
    return f.Window().findChild<TCatalogTreeView*>("tvMainTemplatesView");
}

// Clicks the first item of the templates tree; the type of the item the editor pane opened.
int OpenFirstItem(TMainWindowFixture& f)
{
    TCatalogTreeView* view = TemplatesView(f);
    if (!view || view->model()->rowCount() == 0)
        return 0;
    view->setCurrentIndex(view->model()->index(0, 0));
    QCoreApplication::processEvents();
    return f.Editor().Context() ? f.Editor().Context()->GetItemType() : 0;
}

TEST(DefinitionEditorsFromTheMenus, EachEditorOpensFromTheStyleCatalogsMenusToolbarAndTrees)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    f.Window().resize(1100, 720);
    f.OpenStyleCatalog(1);
    ASSERT_TRUE(f.Root().Catalog().IsOpen());
    ASSERT_EQ(f.Data().GetCatalogCode(), "t#1");

    const QList<QAction*> catalogMenu = f.Window().Menu(TMainMenu::Catalog)->actions();

    // A new style (Catalog / New / Style) has the values the style editor edits.
    QAction* newStyle = Entry(catalogMenu, "Style");
    ASSERT_NE(newStyle, nullptr);
    newStyle->trigger();
    QCoreApplication::processEvents();
    auto* style = FrameOfTab<TFramePreDefinedStyle>(f, "Style-properties");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(f.Editor().Context()->GetItemType(), 510);
    EXPECT_EQ(style->findChild<QComboBox*>("cbColorCss")->itemText(0), "(none)")
        << "the colour sheets are offered, so the style has its values";
    PressCancel(f);
    QCoreApplication::processEvents();

    for (const auto& [caption, tab] : {std::pair{"Catalog Type...", "CatalogType-basic"},
                                       std::pair{"Initialisation Lists...", "Initialize-basic"}}) {
        QAction* entry = Entry(catalogMenu, caption);
        ASSERT_NE(entry, nullptr) << caption;
        entry->trigger();
        QCoreApplication::processEvents();
        EXPECT_NE(FrameOfTab<QWidget>(f, tab), nullptr) << caption;
    }

    // The toolbar's "Item Types" shows the templates tree on the item types,
    // though the user has that tree hidden.
    QAction* itemTypes = Entry(f.Window().Toolbar(TMainToolbar::CatalogActions)->actions(), "Item Types");
    ASSERT_NE(itemTypes, nullptr);
    itemTypes->trigger();
    QCoreApplication::processEvents();
    ASSERT_NE(TemplatesView(f), nullptr);
    EXPECT_TRUE(TemplatesView(f)->isVisibleTo(&f.Window()));
    EXPECT_EQ(TemplatesView(f)->Manager().GetRootItemId(), 31);
    EXPECT_EQ(OpenFirstItem(f), 810);
    EXPECT_NE(FrameOfTab<QWidget>(f, "ItemType-basic"), nullptr);

    const struct {
        const char* Tree;
        int ItemType;
        const char* Tab;
    } kTrees[] = {{"Actions", 801, "ActionProperties-basic"},
                  {"Key Values", 804, "KeyValue-basic"},
                  {"Styles", 510, "Style-properties"},
                  {"Catalog Type", 603, "ObjectEditor-basic"}};
    for (const auto& tree : kTrees) {
        QAction* entry = Entry(f.Window().Menu(TMainMenu::SelectTree)->actions(), tree.Tree);
        ASSERT_NE(entry, nullptr) << tree.Tree;
        entry->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(OpenFirstItem(f), tree.ItemType) << tree.Tree;
        EXPECT_NE(FrameOfTab<QWidget>(f, tree.Tab), nullptr) << tree.Tree;
        EXPECT_FALSE(f.Editor().Context()->IsModified()) << tree.Tree << ": opening changes nothing";
    }
    Shoot(f, "definitions-catalog-properties");

}

}  // namespace
