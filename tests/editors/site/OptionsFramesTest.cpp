// The catalog options' Basic, Locale, Advanced and product feed tabs in the
// main window's editor pane on a real catalog: loaded from the catalog,
// edited through their controls, written only by Save (also after a preview
// wrote and undid them), left as they were by Cancel, with the rules of
// sizes, carts, passwords, languages and effect times; and the product feed
// exported from the File menu once its tab has the user name.
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
#include "publishing/FroogleSettings.h"
#include "publishing/AbstractPublisher.h"
#include "publishing/ui/frmDetailProcess.h"
#include "gui/MainWindowMessages.h"
#include "support/TempFolder.h"
#include "storage/TolvexObjectContext.h"
#include "storage/ObjectFactory.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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

TFroogleSettings CommittedFeed(TMainWindowFixture& f, const std::string& lang)
{
    return TFroogleSettings::Load(f.Root(), f.Main(), lang);
}

int CountSettingsItems(TMainWindowFixture& f)
{
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT COUNT(*) AS Found FROM Items WHERE CatalogCode = :Code AND ItemId = 1511");
    query->SetParam("Code", std::string(kCode));
    TAbstractRecordset& rows = query->Open(true);
    const int count = FieldInteger(rows, "Found");
    query->Close();
    return count;
}

// The feed tab of a new catalog, in the simple mode a new user starts in.
TEST(OptionsFrames, FeedTabWritesItsItemOnlyWithTheSave)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    AddDataLanguage(f, "DE");
    ASSERT_EQ(CountSettingsItems(f), 0);
    ASSERT_TRUE(OpenTab(f, "FroogleOptions-basic"));
    auto* tabs = f.EditorPane()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Froogle Options");
    auto* ftp = Find<QLineEdit>(f, "edtFtpSite");
    auto* user = Find<QLineEdit>(f, "edtUserName");
    auto* password = Find<QLineEdit>(f, "edtPassword");
    ASSERT_TRUE(ftp && user && password);
    EXPECT_EQ(ftp->text().toStdString(), TFroogleSettings::kDefaultFtpSite);
    EXPECT_EQ(user->text(), "");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);

    // Cancel first: the edits come back empty and nothing is written.
    TypeOver(user, "typo");
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    PressCancel(f);
    EXPECT_EQ(user->text(), "");
    EXPECT_EQ(CountSettingsItems(f), 0);

    TypeOver(user, "acme");
    TypeOver(password, "s3cret");
    Shoot(f, "options-feed");
    // The settings are the same in every language: a switch keeps what was typed.
    f.Shell().ActionHost().SetCurrentLangCode("DE");
    QCoreApplication::processEvents();
    EXPECT_EQ(user->text(), "acme");
    EXPECT_EQ(password->text(), "s3cret");
    // A preview writes the settings item and undoes it; the save still has it.
    Preview(f);
    EXPECT_EQ(CountSettingsItems(f), 0);
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(CountSettingsItems(f), 1);
    EXPECT_EQ(CommittedFeed(f, "EN").UserName, "acme");
    EXPECT_EQ(CommittedFeed(f, "EN").Password, "s3cret");
    EXPECT_EQ(CommittedFeed(f, "EN").FTPSite, TFroogleSettings::kDefaultFtpSite);
    EXPECT_EQ(CommittedFeed(f, "DE").UserName, "acme");
}

QAction* MenuAction(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

// A product page under the web tree's root with a price of a public schedule in US dollars.
void AddDollarProduct(TMainWindowFixture& f, const std::string& name, double price)
{
    TCatalog& catalog = f.Root().Catalog();
    TTolvexObjectFactory& factory = catalog.GetObjectFactory();
    auto classId = [&](const char* tag) { return f.Root().ObjectContext().GetClassId(tag); };
    const int schedule = catalog.CreateItem(2002, 12, 0, kCode, f.Main(), 0);
    auto prices = factory.CreateObjectTyped(schedule, classId("CommonPriceSchedule"), 0, f.Main(), kCode);
    prices->SetString("CurrencyCode", "USD", 0);
    prices->SetNumber("PriceVisibility", 0, 0);
    prices->Save();
    const int product = catalog.CreateItem(4002, 1, 0, kCode, f.Main(), 0);
    auto object = factory.CreateObjectTyped(product, classId("Product"), 0, f.Main(), kCode);
    object->SetLangString("Name", "EN", name, 0);
    object->Save();
    auto rows = factory.CreateObjectTyped(product, classId("Prices"), 0, f.Main(), kCode);
    rows->Save();
    auto row = factory.CreateObjectTyped(product, classId("Price"), rows->GetInstanceId(), f.Main(), kCode);
    row->SetNumber("PriceSchedule", schedule, 0);
    row->SetNumber("PriceValue", price, 0);
    row->Save();
}

TEST(OptionsFrames, ProductFeedOfANewCatalogIsExportedOnceItsTabHasTheUserName)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    AddDollarProduct(f, "Garden Chair", 12.5);
    QAction* feed = MenuAction(f.Window().Menu(TMainMenu::Export), "Product Feed...");
    ASSERT_NE(feed, nullptr) << "File / Export / Product Feed...";

    // Without a user name: the error, then the options open on the feed tab.
    feed->trigger();
    ASSERT_FALSE(f.Boxes().Messages("error").empty());
    EXPECT_NE(f.Boxes().Messages("error").back().find("Froogle user name"), std::string::npos);
    ASSERT_TRUE(WaitFor([&] { return Find<QLineEdit>(f, "edtUserName") != nullptr; }));
    auto* tabs = f.EditorPane()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Froogle Options");
    TypeOver(Find<QLineEdit>(f, "edtUserName"), "acme");
    PressSave(f);

    // With it: the feed goes into the file chosen, named after the user.
    TTempFolder folder;
    f.Boxes().QueueInput(folder.Path() + "/acme");
    feed->trigger();
    EXPECT_EQ(f.Boxes().Shown().back().message, "acme.txt") << "the file name proposed";
    std::vector<TfrmDetailProcess*> runners;
    ASSERT_TRUE(WaitFor([&] {
        runners = TfrmDetailProcess::ProcessWindows();
        return runners.size() == 1 && runners.front()->IsFinished();
    }));
    EXPECT_TRUE(runners.front()->GetPublisher()->Succeeded()) << runners.front()->LogView()->toPlainText().toStdString();
    std::ifstream in(folder.Path() + "/acme.txt", std::ios::binary);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str().substr(0, written.str().find("\r\n")),
              "product_url\tname\tdescription\timage_url\tcategory\tprice");
    EXPECT_NE(written.str().find("\tGarden Chair\t"), std::string::npos) << written.str();
    EXPECT_NE(written.str().find("\t12.50\r\n"), std::string::npos) << written.str();
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    EXPECT_TRUE(WaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); }));
}

}  // namespace
