// The initialisation lists editor in the style catalog opened through File /
// Styles (its menu command "Initialisation Lists..." opens item 521): an
// item added to "Insert Initialy" is in a catalog of the type created
// afterwards; the home page and the company item are refused for "Delete
// From Existing" with a warning.
#include "../../site/EditorPaneHelpers.h"

#include "catalog/Catalog.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeNode.h"
#include "editors/framework/Registration.h"
#include "editors/media/definitions/FrameInitializeEditor.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

constexpr int kMeadowColours = 600113;

QStringList Rows(QTreeWidget* list)
{
    QStringList ids;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        ids << list->topLevelItem(i)->data(0, Qt::UserRole).toString();
    return ids;
}

int SelectedId(TFrameInitializeEditor& frame)
{
    const TTreeNode* node = frame.Tree()->GetSelectedNode();
    return node ? node->ItemId() : 0;
}

TEST(InitializationListsFrame, AnInsertedItemReachesANewCatalogAndWellKnownItemsAreNeverDeleted)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    // A window of the size users have: every control of the frames shows.
    f.Window().resize(1100, 720);
    f.OpenStyleCatalog(1);
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=521&Check=yes", false);
    QCoreApplication::processEvents();
    auto* frame = FrameOfTab<TFrameInitializeEditor>(f, "Initialize-basic");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->findChild<QLineEdit*>("edtDataVersion")->text(), "1");
    auto* lists = frame->findChild<QTabWidget*>("pcLists");
    auto* insert = frame->findChild<QTreeWidget*>("lvInsert");
    auto* remove = frame->findChild<QTreeWidget*>("lvDelete");
    ASSERT_EQ(lists->currentWidget(), insert) << "\"Insert Initialy\" shows first";
    ASSERT_FALSE(Rows(insert).contains(QString::number(kMeadowColours)));

    // Meadow's colour sheet into "Insert Initialy", twice: it is listed once.
    frame->Tree()->LocateItem(kMeadowColours, nullptr);
    QCoreApplication::processEvents();
    ASSERT_EQ(SelectedId(*frame), kMeadowColours);
    QTest::mouseClick(frame->findChild<QPushButton*>("btnAdd"), Qt::LeftButton);
    QTest::mouseClick(frame->findChild<QPushButton*>("btnAdd"), Qt::LeftButton);
    EXPECT_EQ(Rows(insert).count(QString::number(kMeadowColours)), 1);
    Shoot(f, "initialize-insert");

    // The home page and the company item are refused for "Delete From Existing".
    lists->setCurrentWidget(remove);
    for (int wellKnown : {100001, 2001}) {
        frame->Tree()->LocateItem(wellKnown, nullptr);
        QCoreApplication::processEvents();
        ASSERT_EQ(SelectedId(*frame), wellKnown);
        QTest::mouseClick(frame->findChild<QPushButton*>("btnAdd"), Qt::LeftButton);
    }
    EXPECT_EQ(remove->topLevelItemCount(), 0);
    EXPECT_EQ(f.Boxes().Messages("warning").size(), 2u);
    Shoot(f, "initialize-delete");

    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    ASSERT_TRUE(f.Root().CloseCatalog());

    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    EXPECT_TRUE(f.Root().Catalog().ItemExists(kMeadowColours, "shop", f.Main()));
}

}  // namespace
