// The catalog options' Basic, Locale and Advanced tabs in the main window's
// editor pane on a real catalog: loaded from the catalog, edited through
// their controls, written only by Save (also after a preview wrote and undid
// them), left as they were by Cancel, with the rules of sizes, carts,
// passwords, languages and effect times.
#include "EditorPaneHelpers.h"

#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "common/IniSettings.h"
#include "common/WellKnownIds.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/html/dialogs/SelectPageFrame.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

constexpr const char* kCode = "shop";


// The program in the advanced mode, as its settings file says before it starts.
void RegisterAdvanced(TInternalPluginsManager& registry)
{
    TIniSettings(CommonProcedures->App().GetAppDir() + "/tolvex.ini").WriteValue("Key", "advanced", "1");
    RegisterFrameworkClasses(registry);
}

std::string Committed(TMainWindowFixture& f, int property)
{
    return TCatalog::GetCatalogProperty(property, f.Main(), kCode);
}

std::unique_ptr<TTolvexObject> CommittedObject(TMainWindowFixture& f, int itemId, int classId)
{
    return f.Root().Catalog().GetObjectFactory().GetObjectTyped(itemId, classId, f.Main(), kCode);
}

// Opens the catalog options on the tab; false when the tab is not there.
bool OpenTab(TMainWindowFixture& f, const char* tabName)
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=1001", false);
    QCoreApplication::processEvents();
    return f.Editor().Container()->ActivateTabByName(tabName);
}


// A preview as the editor runs one: the unsaved values written and undone.
void Preview(TMainWindowFixture& f)
{
    f.Editor().Context()->WithUnsavedValues([](TAbstractDBConnection&) {});
}

TEST(OptionsFrames, BasicTabStoresValidSizesAndTheCartOnlyWithTheSave)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const std::string mainSize = Committed(f, 702);
    const std::string logoSize = Committed(f, 704);
    ASSERT_TRUE(OpenTab(f, "OptionsEditor-options"));
    auto* main = Find<QLineEdit>(f, "edtMainImageSize");
    auto* logo = Find<QLineEdit>(f, "edtLogoImageSize");
    auto* defaultSize = Find<QCheckBox>(f, "chkDefaultSize");
    auto* originalSize = Find<QCheckBox>(f, "chkOriginalSize");
    auto* fullSize = Find<QLineEdit>(f, "edtFullImageSize");
    ASSERT_TRUE(main && logo && defaultSize && originalSize && fullSize);
    EXPECT_EQ(main->text().toStdString(), mainSize);
    EXPECT_NE(Find<QLineEdit>(f, "edtDefaultPage")->text(), "") << "the home page's name shows";
    // Outside the advanced mode only "no cart" and PayPal are offered.
    EXPECT_NE(Find<QRadioButton>(f, "rbPayPal"), nullptr);
    EXPECT_EQ(Find<QRadioButton>(f, "rbRequestForQuote"), nullptr);
    EXPECT_EQ(Find<QRadioButton>(f, "rbOtherCart"), nullptr);
    auto* payPal = Find<QLineEdit>(f, "edtPayPalAccount");

    // Cancel first: nothing reaches the catalog and the controls come back.
    TypeOver(logo, "321");
    PressCancel(f);
    EXPECT_EQ(logo->text().toStdString(), logoSize);
    EXPECT_EQ(Committed(f, 704), logoSize);

    TypeOver(main, "abc");
    TypeOver(logo, "150");
    defaultSize->setChecked(true);
    EXPECT_TRUE(fullSize->isEnabled());
    TypeOver(fullSize, "900");
    originalSize->setChecked(true);
    EXPECT_FALSE(defaultSize->isChecked()) << "the two full-size choices exclude each other";
    EXPECT_FALSE(fullSize->isEnabled());
    EXPECT_FALSE(payPal->isEnabled());
    Find<QRadioButton>(f, "rbPayPal")->setChecked(true);
    EXPECT_TRUE(payPal->isEnabled());
    TypeOver(payPal, "pay@acme.test");
    Shoot(f, "options-basic");
    // A preview writes the values and undoes them; the save still has them.
    Preview(f);
    EXPECT_EQ(Committed(f, 704), logoSize);
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(Committed(f, 702), mainSize) << "letters are not a size";
    EXPECT_EQ(Committed(f, 704), "150");
    EXPECT_EQ(Committed(f, 703), "0") << "not stored at a default size";
    EXPECT_EQ(Committed(f, 732), "yes");
    EXPECT_EQ(Committed(f, 731), "paypal");
    EXPECT_EQ(Committed(f, 734), "pay@acme.test");
}

TEST(OptionsFrames, TheDefaultPageIsChosenInThePagePicker)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    constexpr int kAboutUs = 100003;
    ASSERT_TRUE(OpenTab(f, "OptionsEditor-options"));
    auto* page = Find<QLineEdit>(f, "edtDefaultPage");
    EXPECT_EQ(page->text(), "Home") << "the first page when none is set";

    // Cancelling the picker changes nothing.
    WhenShown([](TfrmFrameContainer& window) { window.btnContainerCancel->click(); });
    Find<QToolButton>(f, "btnSelectPage")->click();
    EXPECT_FALSE(f.Editor().Context()->IsModified());

    WhenShown([](TfrmFrameContainer& window) {
        auto* picker = window.findChild<TSelectPageFrame*>();
        ASSERT_NE(picker, nullptr);
        for (TTreeNode* node : picker->Manager().AllNodes())
            if (node->ItemId() == kAboutUs)
                picker->Tree()->setCurrentIndex(picker->Tree()->Model().IndexOf(node));
        window.btnContainerOk->click();
    });
    Find<QToolButton>(f, "btnSelectPage")->click();
    EXPECT_EQ(page->text(), "About Us");
    PressSave(f);
    EXPECT_EQ(Committed(f, 708), std::to_string(kAboutUs));
    EXPECT_EQ(f.Root().GetHomePageId(), kAboutUs) << "the cached home page was forgotten";
}

TEST(OptionsFrames, AdvancedModeShowsAnOtherCartByItsNameAndSavesItBack)
{
    TMainWindowFixture f(RegisterAdvanced);
    ASSERT_EQ(f.CreateAndOpen(), "");
    ASSERT_TRUE(f.Root().IsAdvancedMode());
    f.Root().Catalog().SetCatalogProperty(731, "mycart", f.Main(), kCode);
    ASSERT_TRUE(OpenTab(f, "OptionsEditor-options"));
    auto* other = Find<QRadioButton>(f, "rbOtherCart");
    auto* name = Find<QLineEdit>(f, "edtOtherCart");
    ASSERT_TRUE(other && name);
    EXPECT_TRUE(other->isChecked());
    EXPECT_EQ(name->text(), "mycart");
    EXPECT_TRUE(name->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(f, "edtPayPalAccount")->isEnabled());
    Shoot(f, "options-basic-advanced");
    TypeOver(Find<QLineEdit>(f, "edtThumbnailImageSize"), "90");
    PressSave(f);
    EXPECT_EQ(Committed(f, 731), "mycart");
    EXPECT_EQ(Committed(f, 705), "90");

    Find<QRadioButton>(f, "rbRequestForQuote")->setChecked(true);
    EXPECT_FALSE(name->isEnabled());
    PressSave(f);
    EXPECT_EQ(Committed(f, 731), "rfq");
}

TEST(OptionsFrames, AChangedPasswordLogsInOnlyAfterTheSave)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    ASSERT_TRUE(OpenTab(f, "OptionsEditor-options"));
    auto* button = Find<QPushButton>(f, "btnChangePassword");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), "Change password for user \"admin\"");

    f.Boxes().QueueInput("abc");
    button->click();
    ASSERT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Password must be at least 5 chars"});
    EXPECT_FALSE(f.Editor().Context()->IsModified());

    f.Boxes().QueueInput("better1");
    button->click();
    ASSERT_EQ(f.Boxes().Messages("information").size(), 1u);
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    PressCancel(f);
    EXPECT_EQ(f.Root().GetPassword(), "secret") << "a cancelled change is forgotten";

    f.Boxes().QueueInput("better1");
    button->click();
    PressSave(f);
    EXPECT_EQ(f.Root().GetPassword(), "better1");
    ASSERT_TRUE(f.Root().CloseCatalog());
    std::string error;
    f.Root().OpenCatalog("", SQLiteModuleName, "", kCode, "admin", "better1", 0, error);
    EXPECT_EQ(error, "");
}

TEST(OptionsFrames, APowerUserSavesWithoutUsersTabOrPasswordButton)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    // A power user, made as the users tab makes one, then logged in.
    const int user = f.Root().Catalog().CreateItem(602, 7, 0, kCode, f.Main(), 0);
    auto object = f.Root().Catalog().GetObjectFactory().GetObjectTyped(user, 602, f.Main(), kCode);
    object->SetString("UserName", "paula", 0);
    object->SetString("Role", "Power", 0);
    object->SetString("Passwd", "paula99", 0);
    ASSERT_TRUE(object->Save());
    ASSERT_TRUE(f.Root().CloseCatalog());
    std::string error;
    f.Root().OpenCatalog("", SQLiteModuleName, "", kCode, "paula", "paula99", 0, error);
    ASSERT_EQ(error, "");

    ASSERT_TRUE(OpenTab(f, "OptionsEditor-options"));
    EXPECT_FALSE(f.Editor().Container()->ActivateTabByName("OptionsEditor-users"));
    EXPECT_FALSE(Find<QPushButton>(f, "btnChangePassword")->isEnabled());
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("OptionsEditor-options"));
    TypeOver(Find<QLineEdit>(f, "edtLogoImageSize"), "140");
    PressSave(f);
    EXPECT_EQ(Committed(f, 704), "140");
}

// The rows of the languages list: code and whether it carries the mark.
std::vector<std::pair<std::string, bool>> Rows(QTreeWidget* list)
{
    std::vector<std::pair<std::string, bool>> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.emplace_back(list->topLevelItem(i)->data(0, Qt::UserRole).toString().toStdString(),
                          !list->topLevelItem(i)->text(1).isEmpty());
    return rows;
}

void SelectCode(QTreeWidget* list, const char* code)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->data(0, Qt::UserRole).toString() == code)
            list->setCurrentItem(list->topLevelItem(i));
}

TEST(OptionsFrames, LocaleTabKeepsOneDefaultInTheListAndTheCatalogReloadsItsLanguages)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    ASSERT_TRUE(OpenTab(f, "OptionsEditor-localize"));
    auto* list = Find<QTreeWidget>(f, "lvLanguages");
    auto* language = Find<QComboBox>(f, "cbLanguage");
    auto* add = Find<QPushButton>(f, "btnAdd");
    auto* remove = Find<QPushButton>(f, "btnRemove");
    auto* setDefault = Find<QPushButton>(f, "btnSetDefault");
    ASSERT_TRUE(list && language && add && remove && setDefault);
    const std::string first = f.Data().GetDefaultLangCode();
    ASSERT_EQ(Rows(list), (std::vector<std::pair<std::string, bool>>{{first, true}}));
    EXPECT_EQ(language->currentData().toString(), "XXX");
    EXPECT_FALSE(add->isEnabled()) << "nothing chosen to add";

    language->setCurrentIndex(language->findData("DE"));
    add->click();
    SelectCode(list, "DE");
    EXPECT_EQ(list->currentItem()->data(0, Qt::UserRole + 1).toString(), "Deutsch") << "the native name, decoded";
    language->setCurrentIndex(language->findData(QString::fromStdString(first)));
    add->click();
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"The language already available"});
    ASSERT_EQ(list->topLevelItemCount(), 2);

    // Cancel: the list comes back as stored.
    PressCancel(f);
    EXPECT_EQ(list->topLevelItemCount(), 1);

    language->setCurrentIndex(language->findData("DE"));
    add->click();
    language->setCurrentIndex(language->findData("FR"));
    add->click();
    SelectCode(list, "FR");
    EXPECT_TRUE(setDefault->isEnabled());
    setDefault->click();
    SelectCode(list, "FR");
    EXPECT_FALSE(setDefault->isEnabled()) << "already the default";
    EXPECT_TRUE(remove->isEnabled());
    remove->click();
    // The removed default's mark went to the first row.
    const auto rows = Rows(list);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0].second);
    EXPECT_FALSE(rows[1].second);
    auto* currency = Find<QComboBox>(f, "cbCurrency");
    currency->setCurrentIndex(currency->findData("EUR"));
    Shoot(f, "options-locale");
    PressSave(f);

    auto languages = CommittedObject(f, 601, 601);
    std::vector<std::string> codes;
    languages->GetValues("LangCode", nullptr, codes);
    std::vector<std::string> shown;
    for (const auto& [code, isDefault] : rows)
        shown.push_back(code);
    EXPECT_EQ(codes, shown) << "stored in the order shown";
    EXPECT_EQ(languages->GetString("DefaultLangCode", 0), rows[0].first);
    EXPECT_EQ(Committed(f, 706), "EUR");
    EXPECT_EQ(f.Data().GetDefaultLangCode(), rows[0].first) << "the catalog read its languages again";
}

TEST(OptionsFrames, AdvancedTabStoresChatAndEffectTimes)
{
    TMainWindowFixture f(RegisterAdvanced);
    ASSERT_EQ(f.CreateAndOpen(), "");
    ASSERT_TRUE(OpenTab(f, "OptionsEditor-advanced"));
    auto* chat = Find<QComboBox>(f, "cbChat");
    auto* chatId = Find<QLineEdit>(f, "edtChatId");
    auto* enter = Find<QComboBox>(f, "cbEnterEffect");
    auto* enterTime = Find<QComboBox>(f, "cbEnterTime");
    auto* exitTime = Find<QComboBox>(f, "cbExitTime");
    ASSERT_TRUE(chat && chatId && enter && enterTime && exitTime);
    EXPECT_EQ(chat->currentIndex(), 0);
    EXPECT_FALSE(chatId->isEnabled());

    chat->setCurrentIndex(1);
    EXPECT_TRUE(chatId->isEnabled());
    QTest::keyClicks(chatId, "12345");
    enter->setCurrentIndex(enter->findData(3));
    enterTime->setCurrentText("3.5");
    exitTime->setCurrentText("Long");
    Shoot(f, "options-advanced");
    PressSave(f);
    EXPECT_EQ(CommittedObject(f, kCompanyItemId, 14)->GetNumber("EnterTime", 0), 3.5) << "stored as typed";
    EXPECT_EQ(CommittedObject(f, kCompanyItemId, 15)->GetString("ChatName", 0), "boldchat");
    // Another item, then the options again: the whole seconds only, and the
    // words for the known times.
    f.Shell().CatalogUI()->SelectWebTreeItem(100001);
    QCoreApplication::processEvents();
    ASSERT_TRUE(OpenTab(f, "OptionsEditor-advanced"));
    chat = Find<QComboBox>(f, "cbChat");
    EXPECT_EQ(chat->currentIndex(), 1);
    EXPECT_EQ(Find<QLineEdit>(f, "edtChatId")->text(), "12345");
    EXPECT_EQ(Find<QComboBox>(f, "cbEnterEffect")->currentData().toInt(), 3);
    EXPECT_EQ(Find<QComboBox>(f, "cbEnterTime")->currentText(), "3");
    EXPECT_EQ(Find<QComboBox>(f, "cbExitTime")->currentText(), "Long");

    // None clears the chat id.
    chat->setCurrentIndex(0);
    EXPECT_EQ(Find<QLineEdit>(f, "edtChatId")->text(), "");
    PressSave(f);
    EXPECT_EQ(CommittedObject(f, kCompanyItemId, 15)->GetString("ChatName", 0), "");
    EXPECT_EQ(CommittedObject(f, kCompanyItemId, 15)->GetString("ChatId", 0), "");
}

}  // namespace
