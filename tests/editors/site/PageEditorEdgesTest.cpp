// A page just added in the main window's editor pane, offscreen: it shows
// its new name in its properties tab and in the editor's caption, keeps it
// when saved untouched, refuses to be saved without a name, the caption
// follows a rename typed into the properties or made in the tree, and a very
// long name neither widens the window nor pushes Save out of sight.
#include "EditorPaneHelpers.h"

#include "catalog/CatalogData.h"
#include "catalog/ui/CatalogTreeView.h"
#include "editors/framework/Registration.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "shell/CatalogWindowUI.h"
#include "shell/MainWindow.h"

#include <QAbstractItemDelegate>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

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

TEST_F(NewPageTest, AVeryLongNameKeepsTheWindowOnTheScreenAndSaveInSight)
{
    AddPage();
    QLineEdit* name = PropertiesName();
    ASSERT_NE(name, nullptr);
    const int screenWidth = f.Window().screen()->availableGeometry().width();
    f.Window().resize(screenWidth, 600);
    QCoreApplication::processEvents();
    auto saveInSight = [&] {
        QPushButton* save = f.SaveButton();
        const QPoint right = save->mapTo(&f.Window(), QPoint(save->width(), 0));
        return save->isVisible() && right.x() <= f.Window().width();
    };
    ASSERT_TRUE(saveInSight());

    // Typed (a paste too): the name edit keeps what a stored name can hold.
    const QString longName = QString("Handmade kites for every wind and weather ").repeated(8).left(299);
    name->selectAll();
    name->insert(longName);
    EXPECT_EQ(name->text().toStdString(), longName.left(255).toStdString());
    PressSave(f);
    EXPECT_EQ(StoredName(f, page), longName.left(255).toStdString());
    // So does a caption typed in place in the web tree.
    TCatalogTreeView* tree = f.Shell().CatalogUI()->WebTreeView();
    std::unique_ptr<QWidget> inPlace(
        tree->itemDelegate()->createEditor(tree->viewport(), QStyleOptionViewItem(), tree->currentIndex()));
    ASSERT_NE(qobject_cast<QLineEdit*>(inPlace.get()), nullptr);
    EXPECT_EQ(qobject_cast<QLineEdit*>(inPlace.get())->maxLength(), 255);

    // Stored longer by another way (an import): shown whole nowhere that would widen the window.
    auto names = f.Root().Catalog().GetObjectFactory().GetObjectTyped(page, 1, f.Main(), f.Data().GetCatalogCode());
    names->SetLangString("ItemName", "EN", longName.toStdString(), 0);
    names->Save();
    f.Shell().CatalogUI()->SelectWebTreeItem(kHome);
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(page, 0, "", "Action=MainPageEditor"));
    QCoreApplication::processEvents();
    ASSERT_EQ(f.Editor().Context()->GetItemId(), page);
    for (QTabWidget* tabs : f.EditorPane()->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            tabs->setCurrentIndex(i), QCoreApplication::processEvents();
    EXPECT_TRUE(Caption(f).contains(longName)) << "the caption keeps the whole name, drawn shortened";
    EXPECT_LE(f.Window().minimumSizeHint().width(), screenWidth);
    EXPECT_LE(f.Window().width(), screenWidth);
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("PagePropertiesEditor-properties"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(saveInSight());
    Shoot(f, "long-page-name");

    // In an editor window of its own: a title of a hundred characters at most, the window on the screen.
    bool shown = false;
    WhenShown([&](TfrmFrameContainer& window) {
        shown = true;
        EXPECT_TRUE(window.windowTitle().contains("Handmade kites")) << window.windowTitle().toStdString();
        EXPECT_LE(window.windowTitle().size(), 100);
        EXPECT_LE(window.minimumSizeHint().width(), screenWidth);
        EXPECT_TRUE(window.btnContainerOk->isVisible());
        window.btnContainerCancel->click();
    });
    f.Shell().ExecuteAction("Action=NewWindowEditor&ItemId=" + std::to_string(page), false);
    EXPECT_TRUE(shown);
}

}  // namespace
