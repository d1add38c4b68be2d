// The site editors in the main window's editor pane: users, company and
// the other frames opened on a real catalog, edited through their controls,
// saved and cancelled.
#include "EditorPaneHelpers.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/options/frmAddNewUser.h"
#include "storage/AbstractCObject.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Fills the "Add New User" window once it shows, and accepts it.
void AnswerAddUser(const QString& name, const QString& password, const QString& check)
{
    auto fill = std::make_shared<std::function<void()>>();
    *fill = [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != "frmAddNewUser") {
            QTimer::singleShot(5, *fill);
            return;
        }
        dialog->findChild<QLineEdit*>("edtUserName")->setText(name);
        dialog->findChild<QLineEdit*>("edtDescription")->setText("Shop clerk");
        dialog->findChild<QLineEdit*>("edtPassword")->setText(password);
        dialog->findChild<QLineEdit*>("edtPasswordCheck")->setText(check);
        dialog->accept();
        *fill = nullptr;  // ends the cycle of owners (this call runs on the timer's copy)
    };
    QTimer::singleShot(0, *fill);
}

int CountUsers(TMainWindowFixture& f)
{
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT COUNT(*) AS N FROM Items WHERE CatalogCode = :Code AND ItemType = 602");
    query->SetParam("Code", std::string("shop"));
    TAbstractRecordset& r = query->Open(true);
    return std::stoi(FieldText(r, "N"));
}

QTreeWidget* OpenUsersTab(TMainWindowFixture& f)
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=1001", false);
    QCoreApplication::processEvents();
    if (!f.Editor().Container()->ActivateTabByName("OptionsEditor-users"))
        return nullptr;
    return Find<QTreeWidget>(f, "lvUsers");
}

constexpr int kHome = 100001;

std::string GenerateHome(TMainWindowFixture& f) { return GeneratePage(f, kHome); }

// Whether a tree outside the editor pane shows a node with the text.
bool TreeShows(TMainWindowFixture& f, const QString& text)
{
    for (QTreeView* tree : f.Window().findChildren<QTreeView*>()) {
        if (f.EditorPane()->isAncestorOf(tree) || !tree->model())
            continue;
        QAbstractItemModel* model = tree->model();
        if (!model->match(model->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchRecursive | Qt::MatchExactly).isEmpty())
            return true;
    }
    return false;
}

}  // namespace

TEST(SiteEditorsPane, CompanyEditorSavesWhatTheGeneratedPagesShow)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=2001&ItemType=2001", false);
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("CompanyEditor-basic"));
    auto* name = Find<QLineEdit>(f, "edtCompanyName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Acme Ltd");
    name->selectAll();
    QTest::keyClicks(name, "Zephyr Widgets");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("CompanyEditor-contact"));
    auto* phone = Find<QLineEdit>(f, "edtCompanyPhone");
    ASSERT_NE(phone, nullptr);
    QTest::keyClicks(phone, "+1 555 0100");
    Shoot(f, "company-contact");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("CompanyEditor-address"));
    Shoot(f, "company-address");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("CompanyEditor-basic"));
    Shoot(f, "company-basic");

    // Cancel first: the name comes back.
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(name->text(), "Acme Ltd");
    EXPECT_EQ(GenerateHome(f).find("Zephyr Widgets"), std::string::npos);

    name->selectAll();
    QTest::keyClicks(name, "Zephyr Widgets");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_NE(GenerateHome(f).find("Zephyr Widgets"), std::string::npos);
}

TEST(SiteEditorsPane, PagePropertiesRenameRenamesTheTreeNode)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    QCoreApplication::processEvents();
    f.Shell().CatalogUI()->SelectWebTreeItem(kHome);
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("PagePropertiesEditor-properties"));
    auto* name = Find<QLineEdit>(f, "edtName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Home");

    // An empty name is refused and nothing is stored.
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    ASSERT_FALSE(f.Boxes().Messages("error").empty());
    EXPECT_TRUE(f.Editor().Context()->IsModified());

    QTest::keyClicks(name, "Welcome Renamed");
    Shoot(f, "page-properties");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    QCoreApplication::processEvents();
    EXPECT_TRUE(TreeShows(f, "Welcome Renamed"));
    EXPECT_FALSE(TreeShows(f, "Home"));
}

TEST(SiteEditorsPane, MetaTagsTabStoresTheTitleAndCancelDropsIt)
{
    // The title is in the advanced meta tags frame.
    TMainWindowFixture f(RegisterFrameworkClasses, true);
    ASSERT_EQ(f.CreateAndOpen(), "");
    QCoreApplication::processEvents();
    constexpr int kAboutUs = 100003;
    auto openTitle = [&] {
        // The meta tags show in the advanced mode's editor list: open that editor by name.
        EXPECT_TRUE(f.Editor().OpenItemWithEditor(kAboutUs, kAboutUs, 3001, "CommonWebPageMetaTags", "", nullptr));
        QCoreApplication::processEvents();
        f.Editor().Container()->ActivateTabByName("WebPageMetaTagsEditor-properties");
        return Find<QLineEdit>(f, "edtTitle");
    };
    QLineEdit* title = openTitle();
    ASSERT_NE(title, nullptr);
    QTest::keyClicks(title, "About the shop");
    Shoot(f, "meta-tags");
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(title->text(), "");
    QTest::keyClicks(title, "About the shop");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT COUNT(*) AS N FROM CStrings WHERE StringValue = 'About the shop'");
        EXPECT_EQ(FieldText(query->Open(true), "N"), "1");
        query->Close();
    }
    // Another item, then the page again: the stored title comes back.
    EXPECT_TRUE(f.Editor().OpenItemWithEditor(100001, 100001, 3001, "CommonWebPageMetaTags", "", nullptr));
    title = openTitle();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "About the shop");
}

TEST(SiteEditorsPane, UsersTabAddsAUserWhoCanLogInAfterSave)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    QTreeWidget* users = OpenUsersTab(f);
    ASSERT_NE(users, nullptr);
    ASSERT_EQ(users->topLevelItemCount(), 1);
    EXPECT_EQ(users->topLevelItem(0)->text(0), "admin");
    // The last administrator cannot go.
    EXPECT_FALSE(Find<QPushButton>(f, "btnRemove")->isEnabled());
    const int before = CountUsers(f);

    // A mismatched check is refused and the window comes back; then the right one is taken.
    AnswerAddUser("bob", "pass123", "pass124");
    QTimer::singleShot(50, [] { AnswerAddUser("bob", "pass123", "pass123"); });
    Find<QPushButton>(f, "btnAddUser")->click();
    ASSERT_EQ(f.Boxes().Messages("error").size(), 1u);
    EXPECT_NE(f.Boxes().Messages("error")[0].find("match"), std::string::npos);
    ASSERT_EQ(users->topLevelItemCount(), 2);
    EXPECT_TRUE(f.SaveButton()->isEnabled());
    Shoot(f, "users");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(CountUsers(f), before + 1);

    // The password is never kept in clear text, and the new user logs in.
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT COUNT(*) AS N FROM CStrings WHERE StringValue = 'pass123'");
        EXPECT_EQ(FieldText(query->Open(true), "N"), "0");
        query->Close();
    }
    ASSERT_TRUE(f.Root().CloseCatalog());
    std::string error;
    f.Root().OpenCatalog("", SQLiteModuleName, "", "shop", "bob", "pass123", 0, error);
    EXPECT_EQ(error, "");
}

TEST(SiteEditorsPane, UsersTabCancelDropsTheAddedUser)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    QTreeWidget* users = OpenUsersTab(f);
    ASSERT_NE(users, nullptr);
    const int before = CountUsers(f);
    AnswerAddUser("carol", "secret9", "secret9");
    Find<QPushButton>(f, "btnAddUser")->click();
    ASSERT_EQ(users->topLevelItemCount(), 2);
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(CountUsers(f), before);
    EXPECT_EQ(users->topLevelItemCount(), 1);
}

TEST(SiteEditorsPane, UsersAddedAndRemovedSurviveAPreview)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    QTreeWidget* users = OpenUsersTab(f);
    ASSERT_NE(users, nullptr);
    const int before = CountUsers(f);
    // A preview writes the unsaved values and rolls them back; the save must still make the user.
    AnswerAddUser("dave", "secret9", "secret9");
    Find<QPushButton>(f, "btnAddUser")->click();
    ASSERT_EQ(users->topLevelItemCount(), 2);
    GeneratePage(f, kHome);
    EXPECT_EQ(CountUsers(f), before) << "nothing is committed by a preview";
    f.Data().SetCatalogProperty(707, "free", f.Main());  // nothing holds the lock
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(CountUsers(f), before + 1);
    Shoot(f, "users-saved");

    // The same for a removal, and the removed user is gone once.
    const QList<QTreeWidgetItem*> dave = users->findItems("dave", Qt::MatchExactly);
    ASSERT_EQ(dave.size(), 1);
    users->setCurrentItem(dave.front());
    Find<QPushButton>(f, "btnRemove")->click();
    ASSERT_EQ(users->topLevelItemCount(), 1);
    GeneratePage(f, kHome);
    GeneratePage(f, kHome);
    PressSave(f);
    EXPECT_TRUE(f.Boxes().Messages("error").empty());
    EXPECT_EQ(CountUsers(f), before);
    EXPECT_EQ(users->topLevelItemCount(), 1);
}

TEST(SiteEditorsPane, VisiblePageSurvivesAPreviewALanguageSwitchAndARefusedSave)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    AddDataLanguage(f, "DE");
    constexpr int kAboutUs = 100003;
    auto visibleOnMain = [&] { return f.Data().GetBookkeeping().IsItemVisible(kAboutUs, f.Main()); };
    ASSERT_TRUE(visibleOnMain());
    f.Shell().CatalogUI()->SelectWebTreeItem(kAboutUs);
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("PagePropertiesEditor-properties"));
    auto* visible = Find<QCheckBox>(f, "chkVisible");
    auto* name = Find<QLineEdit>(f, "edtName");
    ASSERT_TRUE(visible && name);
    ASSERT_TRUE(visible->isChecked());

    QTest::mouseClick(visible, Qt::LeftButton);
    ASSERT_FALSE(visible->isChecked());
    GeneratePage(f, kAboutUs);
    EXPECT_TRUE(visibleOnMain()) << "nothing is committed by a preview";
    f.Data().SetCatalogProperty(707, "free", f.Main());  // nothing holds the lock

    // Another language shows the same page, still hidden.
    f.Shell().ActionHost().SetCurrentLangCode("DE");
    QCoreApplication::processEvents();
    EXPECT_FALSE(visible->isChecked());
    // A refused save keeps it for the next one.
    TypeOver(name, "");
    PressSave(f);
    ASSERT_FALSE(f.Boxes().Messages("error").empty());
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_TRUE(visibleOnMain());
    TypeOver(name, "Uber uns");
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_FALSE(visibleOnMain());
    EXPECT_FALSE(visible->isChecked());
    Shoot(f, "page-hidden-saved");
}
