// The partner category table kept from the codes tab in the maker's
// definitions catalog (type 4): "Add" refuses a taken id and shows the dialog
// again with what was typed, "Edit" changes the row it read, "Delete" refuses
// a category with subcategories, and the tree shows each change at once.
#include "../BusinessPaneHelpers.h"

#include "editors/business/codes/CodesTreeModel.h"
#include "editors/framework/Registration.h"
#include "editors/framework/ui/frmFrameContainer.h"

#include <QLineEdit>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

class CodesUpkeep : public ::testing::Test {
protected:
    CodesUpkeep() : f(RegisterFrameworkClasses, true)
    {
        EXPECT_EQ(f.CreateAndOpen("defs", 4), "");
        // The company item of the definitions catalog carries the partner categories' tab.
        OpenItem(f, 2001);
        ShowTab(f, "CodesEditor-zarivuro");
    }
    QTreeView* Tree() { return Find<QTreeView>(f, "tvCodesAllCodes"); }
    TCodesTreeModel* Model() { return static_cast<TCodesTreeModel*>(Tree()->model()); }
    void Select(const std::string& code)
    {
        const QModelIndex index = Model()->Locate(code);
        ASSERT_TRUE(index.isValid()) << code;
        Tree()->setCurrentIndex(index);
        QCoreApplication::processEvents();
    }
    std::string Selected() { return Tree()->currentIndex().data(Qt::UserRole).toString().toStdString(); }
    void Click(const char* button)
    {
        QTest::mouseClick(Find<QPushButton>(f, button), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    TMainWindowFixture f;
};

TEST_F(CodesUpkeep, AddRefusesATakenIdAndShowsTheDialogAgainWithWhatWasTyped)
{
    ASSERT_NE(Tree(), nullptr);
    EXPECT_TRUE(Find<QWidget>(f, "pnlCodesUpkeep")->isVisibleTo(f.EditorPane()));
    EXPECT_FALSE(Find<QWidget>(f, "pnlCodesChosen")->isVisibleTo(f.EditorPane()));
    Select("100");
    std::string reopenedWith;
    WhenShown([&](TfrmFrameContainer& window) {
        EXPECT_EQ(window.findChild<QLineEdit*>("edtCategoryParentId")->text(), "100") << "below the selected one";
        TypeOver(window.findChild<QLineEdit*>("edtCategoryId"), "101");
        TypeOver(window.findChild<QLineEdit*>("edtName"), "Honey");
        window.btnContainerOk->click();
        WhenShown([&](TfrmFrameContainer& again) {
            reopenedWith = again.findChild<QLineEdit*>("edtCategoryId")->text().toStdString() + " " +
                           again.findChild<QLineEdit*>("edtName")->text().toStdString();
            TypeOver(again.findChild<QLineEdit*>("edtCategoryId"), "105");
            again.btnContainerOk->click();
        });
    });
    Click("btnCodesAddNew");
    ASSERT_TRUE(WaitFor([&] { return Selected() == "105"; }));
    EXPECT_EQ(reopenedWith, "101 Honey");
    Shoot(f, "codes-upkeep");
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"A category with the id 101 exists already."});
    EXPECT_EQ(Tree()->currentIndex().data().toString().toStdString(), "Honey (105)") << "the tree was read again";
    EXPECT_EQ(Model()->Locate("101").data().toString().toStdString(), "Coffee & Tea (101)") << "left as it was";
    PressSave(f);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Model()->Locate("105").isValid()) << "saved, it stays";
    EXPECT_EQ(f.Boxes().Messages("error").size(), 1u);
}

TEST_F(CodesUpkeep, EditChangesTheRowItReadAndDeleteRefusesACategoryWithSubcategories)
{
    ASSERT_NE(Tree(), nullptr);
    Select("101");
    WhenShown([&](TfrmFrameContainer& window) {
        EXPECT_EQ(window.findChild<QLineEdit*>("edtName")->text(), "Coffee & Tea");
        TypeOver(window.findChild<QLineEdit*>("edtName"), "Coffee, Tea & Cocoa");
        window.btnContainerOk->click();
    });
    Click("btnCodesEdit");
    ASSERT_TRUE(WaitFor([&] { return Tree()->currentIndex().data().toString() == "Coffee, Tea & Cocoa (101)"; }));

    Select("100");
    f.Boxes().QueueAnswer(mrYes);
    Click("btnCodesDelete");
    EXPECT_EQ(f.Boxes().Messages("error"),
              std::vector<std::string>{"The category has subcategories: delete them first."});
    EXPECT_TRUE(Model()->Locate("100").isValid());

    Select("101");
    f.Boxes().QueueAnswer(mrYes);
    Click("btnCodesDelete");
    EXPECT_FALSE(Model()->Locate("101").isValid());
    EXPECT_TRUE(Model()->Locate("102").isValid());
}

TEST_F(CodesUpkeep, CancelPutsTheTableBackAsItWas)
{
    ASSERT_NE(Tree(), nullptr);
    Select("101");
    WhenShown([&](TfrmFrameContainer& window) {
        TypeOver(window.findChild<QLineEdit*>("edtName"), "Coffee only");
        window.btnContainerOk->click();
    });
    Click("btnCodesEdit");
    ASSERT_TRUE(WaitFor([&] { return Tree()->currentIndex().data().toString() == "Coffee only (101)"; }));
    Select("102");
    f.Boxes().QueueAnswer(mrYes);
    Click("btnCodesDelete");
    ASSERT_FALSE(Model()->Locate("102").isValid());
    Select("100");
    WhenShown([&](TfrmFrameContainer& window) {
        TypeOver(window.findChild<QLineEdit*>("edtCategoryId"), "105");
        TypeOver(window.findChild<QLineEdit*>("edtName"), "Honey");
        window.btnContainerOk->click();
    });
    Click("btnCodesAddNew");
    ASSERT_TRUE(WaitFor([&] { return Selected() == "105"; }));

    ASSERT_TRUE(f.CancelButton()->isEnabled());
    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(Model()->Locate("101").data().toString().toStdString(), "Coffee & Tea (101)");
    EXPECT_EQ(Model()->Locate("102").data().toString().toStdString(), "Fruit & Vegetables (102)");
    EXPECT_FALSE(Model()->Locate("105").isValid());
}

}  // namespace
