// A page just added in the main window's editor pane, offscreen: it shows
// its new name in its properties tab and in the editor's caption, keeps it
// when saved untouched, refuses to be saved without a name, and the caption
// follows a rename typed into the properties or made in the tree.
#include "EditorPaneHelpers.h"

#include "catalog/CatalogData.h"
#include "editors/framework/Registration.h"
#include "shell/CatalogWindowUI.h"
#include "shell/MainWindow.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

constexpr int kHome = 100001;
// What Catalog / New / Page adds.
constexpr int kInformationPageType = 3001;

// The page's stored name, read through the main connection.
std::string StoredName(TMainWindowFixture& f, int itemId) { return f.Data().GetItemName(itemId, f.Main(), "EN"); }

QString Caption(TMainWindowFixture& f) { return f.Window().findChild<QLabel*>("pnlMainClientCaption")->text(); }

class NewPageTest : public ::testing::Test {
protected:
    NewPageTest() : f(RegisterFrameworkClasses) { EXPECT_EQ(f.CreateAndOpen(), ""); }

    // A new page under the home page, as Catalog / New / Page adds it.
    void AddPage()
    {
        f.Shell().CatalogUI()->SelectWebTreeItem(kHome);
        QCoreApplication::processEvents();
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(-2, kInformationPageType, "", "ParentItemId=100001"));
        QCoreApplication::processEvents();
        ASSERT_TRUE(f.Editor().Context() && f.Editor().Context()->IsNewItem());
        page = f.Editor().Context()->GetItemId();
    }
    QLineEdit* PropertiesName()
    {
        if (!f.Editor().Container()->ActivateTabByName("PagePropertiesEditor-properties"))
            return nullptr;
        return Find<QLineEdit>(f, "edtName");
    }

    TMainWindowFixture f;
    int page = 0;
};

TEST_F(NewPageTest, ShowsItsNewNameInThePropertiesAndTheCaption)
{
    AddPage();
    EXPECT_TRUE(Caption(f).contains("New Page")) << Caption(f).toStdString();
    QLineEdit* name = PropertiesName();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "New Page");
    Shoot(f, "new-page-properties");

    // The caption follows the name typed, before any save.
    TypeOver(name, "Our Kites");
    EXPECT_TRUE(Caption(f).contains("Our Kites")) << Caption(f).toStdString();

    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(StoredName(f, page), "Our Kites");
    EXPECT_TRUE(Caption(f).contains("Our Kites")) << Caption(f).toStdString();
}

TEST_F(NewPageTest, SavedWithoutTouchingItsTabsKeepsTheNewName)
{
    AddPage();
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(StoredName(f, page), "New Page");
}

TEST_F(NewPageTest, AnEmptyNameIsRefused)
{
    AddPage();
    QLineEdit* name = PropertiesName();
    ASSERT_NE(name, nullptr);
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    PressSave(f);
    EXPECT_FALSE(f.Boxes().Messages("error").empty()) << "no \"Enter page name\"";
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_EQ(StoredName(f, page), "");
}

TEST_F(NewPageTest, TheCaptionFollowsARenameInTheTree)
{
    AddPage();
    ASSERT_NE(PropertiesName(), nullptr);
    f.Editor().NameChanged(page, "Wind Chimes");
    EXPECT_TRUE(Caption(f).contains("Wind Chimes")) << Caption(f).toStdString();
    EXPECT_EQ(PropertiesName()->text(), "Wind Chimes");
}

}  // namespace
