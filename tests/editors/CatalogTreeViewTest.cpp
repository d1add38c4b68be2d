// The Qt model and view over a tree manager, offscreen on a real catalog:
// rows follow the manager (checked by Qt's model tester through loading,
// collapsing, sorting, moving and deleting), the drawing state reaches the
// view's roles, and expanding and selecting go both ways.
#include "catalog/TreeManagerFixture.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>

using namespace tree_test;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "tests_editors";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class CatalogTreeViewTest : public TreeManagerTest {
protected:
    CatalogTreeViewTest()
    {
        App();
        Item(1000, 2, 1, "Shop");
        Item(1001, 100, 1000, "Shoes");
        Item(1002, 100, 1000, "Socks");
        Item(1003, 100, 1001, "Boots");
        Item(1010, 2, 1, "Archive");
        Set(1010, "IsSynchronized = 0, NotVisible = 1");
    }
    // The view, built after the manager is set up (it reads the options).
    void Show(std::uint16_t options = 0)
    {
        Open(options);
        view = std::make_unique<TCatalogTreeView>(tree, [this](const QString& name) {
            iconsAsked.push_back(name.toStdString());
            return QIcon();
        });
        tester = std::make_unique<QAbstractItemModelTester>(
            &view->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        view->show();
    }
    QModelIndex IndexOf(int itemId) { return view->Model().IndexOf(Node(itemId)); }
    QString Text(const QModelIndex& index) { return index.data(Qt::DisplayRole).toString(); }

    std::vector<std::string> iconsAsked;
    std::unique_ptr<TCatalogTreeView> view;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

TEST_F(CatalogTreeViewTest, RowsAndRolesFollowTheManager)
{
    Show();
    TTreeModel& model = view->Model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(Text(model.index(0, 0)), "Archive");
    EXPECT_EQ(Text(model.index(1, 0)), "Shop");
    EXPECT_TRUE(model.hasChildren(model.index(1, 0))) << "the placeholder gives the expand button";
    EXPECT_FALSE(model.hasChildren(model.index(0, 0)));

    const QModelIndex archive = model.index(0, 0);
    EXPECT_EQ(archive.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_TRUE(archive.data(Qt::FontRole).value<QFont>().strikeOut());
    EXPECT_FALSE(model.index(1, 0).data(Qt::ForegroundRole).isValid());
    iconsAsked.clear();
    model.index(1, 0).data(Qt::DecorationRole);
    EXPECT_EQ(iconsAsked, (std::vector<std::string>{"Folder"}));
}

TEST_F(CatalogTreeViewTest, ExpandingInTheViewLoadsAndCollapsingDiscards)
{
    Show();
    const QModelIndex shop = IndexOf(1000);
    view->expand(shop);
    EXPECT_TRUE(Node(1000)->Expanded);
    ASSERT_EQ(view->Model().rowCount(shop), 2);
    EXPECT_EQ(Text(view->Model().index(0, 0, shop)), "Shoes");

    view->collapse(shop);
    EXPECT_FALSE(Node(1000)->Expanded);
    EXPECT_EQ(view->Model().rowCount(shop), 1);
    EXPECT_EQ(Node(1001), nullptr);
}

TEST_F(CatalogTreeViewTest, LocatingInTheManagerExpandsAndSelectsInTheView)
{
    Show();
    tree.LocateItem(1003, nullptr);
    const QModelIndex boots = IndexOf(1003);
    ASSERT_TRUE(boots.isValid());
    EXPECT_TRUE(view->isExpanded(IndexOf(1000)));
    EXPECT_TRUE(view->isExpanded(IndexOf(1001)));
    EXPECT_TRUE(view->selectionModel()->isSelected(boots));
    EXPECT_EQ(view->currentIndex(), boots);

    // And the user's selection reaches the manager.
    view->selectionModel()->setCurrentIndex(IndexOf(1002), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(SelectedId(), 1002);
    EXPECT_EQ(tree.GetCurrentItemId(), 1002);
}

TEST_F(CatalogTreeViewTest, PersistentRowsSurviveMovesSortsAndDeletes)
{
    Manual(1000);
    Set(1001, "OrderNum = 100");
    Set(1002, "OrderNum = 200");
    Show(toExpandTopLevel);
    QPersistentModelIndex socks(IndexOf(1002));
    ASSERT_EQ(socks.row(), 1);

    ASSERT_TRUE(tree.MoveUp(Node(1002)));
    EXPECT_EQ(socks.row(), 0);
    EXPECT_EQ(Text(socks), "Socks");

    tree.ToggleSort(Node(1000));
    EXPECT_EQ(socks.row(), 1) << "by name again";

    tree.DeleteNode(Node(1002));
    EXPECT_FALSE(socks.isValid());
    EXPECT_EQ(view->Model().rowCount(IndexOf(1000)), 1);
}

TEST_F(CatalogTreeViewTest, DraggingMovesTheItemThroughTheManager)
{
    Show(toExpandTopLevel);
    tree.Expand(Node(1001));
    // What a drop runs: refused below the item itself, done elsewhere.
    EXPECT_FALSE(tree.MoveNode(Node(1003), Node(1001)));
    ASSERT_TRUE(tree.MoveNode(Node(1010), Node(1001)));
    EXPECT_EQ(Column(1001, "ParentItemId"), 1010);
    EXPECT_TRUE(view->isExpanded(IndexOf(1010)));
    EXPECT_EQ(view->currentIndex(), IndexOf(1001));
}
