// The hotel editors in the main window on a real hotel catalog: a new
// user's path through the windows (the hotel's name and payment forms, two
// seasons through the season dialog, a room priced for both through the
// price dialog) reaching the generated room page; seasons created and
// cancelled disappear; a restaurant's payment forms survive a language
// switch and a save.
#include "BusinessPaneHelpers.h"

#include "editors/framework/PlaceholderFrame.h"
#include "editors/framework/Registration.h"
#include "support/TempFolder.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/frmFrameContainer.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

constexpr int kHotelItem = 2001;
constexpr int kSeasonType = 6009;

// With TOLVEX_SCREENSHOT_DIR set, a picture of the dialog as site-<name>.png there.
void ShootDialog(QWidget& dialog, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        dialog.grab().save(QString("%1/site-%2.png").arg(dir, name));
}

// Adds a season through the grid's "New..." and its dialog.
void AddSeason(TMainWindowFixture& f, const QString& name, QDate from, QDate to)
{
    WhenShown([=](TfrmFrameContainer& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("edtSeasonName");
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, name);
        dialog.findChild<QDateEdit*>("dtFrom")->setDate(from);
        dialog.findChild<QDateEdit*>("dtTo")->setDate(to);
        EXPECT_TRUE(dialog.btnContainerOk->isEnabled());
        ShootDialog(dialog, "hotel-season-dialog");
        dialog.btnContainerOk->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnNewSeason"), Qt::LeftButton);
}

// Adds a price through the room's "New..." and the price dialog.
void AddPrice(TMainWindowFixture& f, const QString& season, const char* single, const char* twice)
{
    WhenShown([=](TfrmFrameContainer& dialog) {
        auto* seasons = dialog.findChild<QComboBox*>("cbSeason");
        ASSERT_NE(seasons, nullptr);
        seasons->setCurrentIndex(seasons->findText(season));
        auto* currency = dialog.findChild<QComboBox*>("cbCurrency");
        if (currency->currentIndex() < 0)
            currency->setCurrentIndex(currency->findData("EUR"));
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edtSingle"), single);
        EXPECT_FALSE(dialog.btnContainerOk->isEnabled()) << "no double price yet";
        ShootDialog(dialog, "hotel-price-dialog");
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edtDouble"), twice);
        EXPECT_TRUE(dialog.btnContainerOk->isEnabled()) << dialog.findChild<QLabel*>("lblProblem")->text().toStdString();
        dialog.btnContainerOk->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnNewPrice"), Qt::LeftButton);
}

class HotelEditors : public ::testing::Test {
protected:
    HotelEditors() : f(RegisterFrameworkClasses, false) {}
    TMainWindowFixture f;
};

TEST_F(HotelEditors, ANewUserPricesARoomForTwoSeasonsAndThePageShowsBothRates)
{
    ASSERT_EQ(f.CreateAndOpen("hotel", 5), "");
    OpenItem(f, kHotelItem, "Hotel-info");
    auto* name = Find<QLineEdit>(f, "edtHotelName");
    ASSERT_NE(name, nullptr);
    TypeOver(name, "Seaside Inn");
    ShowTab(f, "Hotel-payments");
    auto* payments = Find<QListWidget>(f, "lvPayments");
    ASSERT_NE(payments, nullptr);
    ASSERT_GT(payments->count(), 0) << "the payment forms are the member's allowed values";
    payments->item(0)->setCheckState(Qt::Checked);
    AddSeason(f, "High season", QDate(2027, 6, 1), QDate(2027, 8, 31));
    AddSeason(f, "Low season", QDate(2027, 9, 1), QDate(2027, 12, 15));
    auto* seasons = Find<QTableWidget>(f, "sgSeasons");
    ASSERT_EQ(seasons->rowCount(), 2);
    EXPECT_EQ(seasons->item(0, 0)->text(), "High season");
    Shoot(f, "hotel-payments");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(ChildrenOfType(f, 21, kSeasonType).size(), 2u);
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = 2001 "
                           "AND ClassId = 3"),
              "Seaside Inn");

    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-2&ItemType=6003&ParentItemId=100002", false);
    QCoreApplication::processEvents();
    auto* roomName = Find<QLineEdit>(f, "edtRoomName");
    ASSERT_NE(roomName, nullptr);
    TypeOver(roomName, "Sea view double");
    AddPrice(f, "High season", "120", "150");
    AddPrice(f, "Low season", "80.5", "100");
    auto* prices = Find<QTableWidget>(f, "sgPrices");
    ASSERT_EQ(prices->rowCount(), 2);
    EXPECT_EQ(prices->item(1, 2)->text(), "80.50");
    Shoot(f, "hotel-room-prices");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    const int room = f.Editor().GetItemId();
    const std::string page = GeneratePage(f, room);
    EXPECT_NE(page.find("High season"), std::string::npos);
    EXPECT_NE(page.find("Low season"), std::string::npos);
    EXPECT_NE(page.find("120"), std::string::npos);
    EXPECT_NE(page.find("80.5"), std::string::npos);

    // The published room page shows both rates too.
    TTempFolder site;
    PublishLocally(f, site.Path());
    std::string published;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(site.Path()))
        if (entry.path().extension() == ".html") {
            const std::string text = ReadFile(entry.path());
            if (text.find("Sea view double") != std::string::npos && text.find("Low season") != std::string::npos)
                published = text;
        }
    ASSERT_FALSE(published.empty()) << "no published page shows the room's season prices";
    EXPECT_NE(published.find("High season"), std::string::npos);
    EXPECT_NE(published.find("150.00"), std::string::npos);
    EXPECT_NE(published.find("80.50"), std::string::npos);
}

TEST_F(HotelEditors, ASeasonCreatedAndCancelledDisappears)
{
    ASSERT_EQ(f.CreateAndOpen("hotel", 5), "");
    OpenItem(f, kHotelItem, "Hotel-payments");
    AddSeason(f, "Winter", QDate(2027, 1, 1), QDate(2027, 2, 28));
    ASSERT_EQ(Find<QTableWidget>(f, "sgSeasons")->rowCount(), 1);
    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(ChildrenOfType(f, 21, kSeasonType).size(), 0u);
}

}  // namespace

namespace {

constexpr int kRestaurantType = 6010;

// What the pane's placeholder pages stand for ("Name (TClass)").
std::set<std::string> Placeholders(TMainWindowFixture& f)
{
    const std::string marker = "@@";
    const std::string pattern = TPlaceholderFrame::MessageFor(marker);
    const std::string before = pattern.substr(0, pattern.find(marker));
    const std::string after = pattern.substr(pattern.find(marker) + marker.size());
    std::set<std::string> found;
    for (QLabel* label : f.EditorPane()->findChildren<QLabel*>()) {
        const std::string text = label->text().toStdString();
        if (text.starts_with(before) && text.ends_with(after) && text.size() > before.size() + after.size())
            found.insert(text.substr(before.size(), text.size() - before.size() - after.size()));
    }
    return found;
}

// Visits every tab of the open editor; the placeholders they showed.
std::set<std::string> VisitTabs(TMainWindowFixture& f, const std::string& shotPrefix)
{
    auto* tabs = f.EditorPane()->findChild<QTabWidget*>();
    if (tabs)
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            Shoot(f, (shotPrefix + "-" + std::to_string(i)).c_str());
        }
    return Placeholders(f);
}

// Only the pictures' editors, which come with the pictures, may still stand in.
const std::set<std::string> kPictureEditors = {"CommonImageEditor (TCommonImageEditor)",
                                               "Additional Photos (TFrameRoomAdditionalPhotos)"};

struct THotelCase {
    int CatalogType;
    const char* Name;
};

class HotelOfEveryType : public ::testing::TestWithParam<THotelCase> {};

TEST_P(HotelOfEveryType, OpensEveryTabWithRealEditors)
{
    TMainWindowFixture f(RegisterFrameworkClasses, true);
    ASSERT_EQ(f.CreateAndOpen("hotel", GetParam().CatalogType), "");
    OpenItem(f, kHotelItem);
    for (const std::string& shown : VisitTabs(f, std::string("hotel-type") + GetParam().Name))
        EXPECT_TRUE(kPictureEditors.count(shown)) << shown;
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(HotelCatalogTypes, HotelOfEveryType,
                         testing::Values(THotelCase{3, "3"}, THotelCase{5, "5"}, THotelCase{8, "8"}),
                         [](const auto& info) { return std::string("Type") + info.param.Name; });

TEST(HotelCatalogOfType3, PeriodRatesOfARoomReachItsPage)
{
    TMainWindowFixture f(RegisterFrameworkClasses, false);
    ASSERT_EQ(f.CreateAndOpen("hotel", 3), "");
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-2&ItemType=6003&ParentItemId=100002", false);
    QCoreApplication::processEvents();
    TypeOver(Find<QLineEdit>(f, "edtRoomName"), "Garden room");
    ShowTab(f, "Room-price");
    auto* high = Find<QLineEdit>(f, "edtPrice1");
    ASSERT_NE(high, nullptr);
    TypeOver(high, "1234.5");
    TypeOver(Find<QLineEdit>(f, "edtPriceAdd2"), "12.5");
    Shoot(f, "hotel-room-period-prices");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    const int room = f.Editor().GetItemId();
    EXPECT_EQ(Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(room) + " AND ClassId = 6003 AND NumberValue = 1234.5"),
              "1234.5");
    OpenItem(f, 100002);
    OpenItem(f, room, "Room-price");
    EXPECT_EQ(Find<QLineEdit>(f, "edtPriceAdd2")->text(), "12.5");
    const std::string page = GeneratePage(f, room);
    EXPECT_NE(page.find("1,234.50"), std::string::npos);
}

TEST(HotelCatalogOfType8, TheTwinPriceIsStoredAsTheExtraPriceAndShownInItsColumn)
{
    TMainWindowFixture f(RegisterFrameworkClasses, false);
    ASSERT_EQ(f.CreateAndOpen("hotel", 8), "");
    OpenItem(f, kHotelItem, "Hotel-payments");
    EXPECT_FALSE(Find<QWidget>(f, "pnlSeasons")->isVisibleTo(f.EditorPane()))
        << "the association's payments tab shows the payment forms alone";
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=21", false);
    PressCancel(f);
    // The seasons come from the hotel booking site's grid; here one is made directly.
    {
        TObjectCollection objects(f.Root().ObjectContext());
        objects.Open("hotel", f.Main());
        const int season = f.Root().Catalog().CreateItem(kSeasonType, 21, 0, "hotel", f.Main(), 0);
        objects.GetObject(season, "CommonNames")->SetLangString("ItemName", "EN", "Summer", 0);
        ASSERT_TRUE(objects.SaveAll());
    }
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-2&ItemType=6003&ParentItemId=100002", false);
    QCoreApplication::processEvents();
    ShowTab(f, "Room-price");
    auto* grid = Find<QTableWidget>(f, "sgPrices");
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->columnCount(), 7);
    EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), "Twin");
    WhenShown([](TfrmFrameContainer& dialog) {
        auto* seasons = dialog.findChild<QComboBox*>("cbSeason");
        seasons->setCurrentIndex(seasons->findText("Summer"));
        auto* currency = dialog.findChild<QComboBox*>("cbCurrency");
        currency->setCurrentIndex(currency->findData("EUR"));
        EXPECT_TRUE(dialog.findChild<QLineEdit*>("edtTriple")->isVisibleTo(&dialog));
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edtExtra"), "95");
        EXPECT_TRUE(dialog.btnContainerOk->isEnabled()) << "any prices will do here";
        dialog.btnContainerOk->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnNewPrice"), Qt::LeftButton);
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->item(0, 3)->text(), "95.00");
    EXPECT_EQ(grid->item(0, 2)->text(), "") << "a price of 0 shows an empty cell";
    Shoot(f, "hotel-type8-room-prices");
    PressSave(f);
    const int room = f.Editor().GetItemId();
    EXPECT_EQ(Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(room) + " AND ClassId = 6004 AND NumberValue = 95"),
              "95");
    EXPECT_NE(GeneratePage(f, room).find("95"), std::string::npos);
}

TEST(RestaurantCatalog, PaymentFormsSurviveALanguageSwitchAndASave)
{
    TMainWindowFixture f(RegisterFrameworkClasses, false);
    ASSERT_EQ(f.CreateAndOpen("food", 7), "");
    AddDataLanguage(f, "DE");
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-2&ItemType=6010&ParentItemId=100001", false);
    QCoreApplication::processEvents();
    auto* payments = Find<QListWidget>(f, "lvPayments");
    ASSERT_NE(payments, nullptr);
    ASSERT_GT(payments->count(), 1);
    payments->item(1)->setCheckState(Qt::Checked);
    auto* name = Find<QLineEdit>(f, "edtRestaurantName");
    ASSERT_NE(name, nullptr);
    TypeOver(name, "Trattoria");
    for (const std::string& shown : VisitTabs(f, "restaurant"))
        EXPECT_TRUE(kPictureEditors.count(shown)) << shown;
    PressSave(f);
    const int restaurant = f.Editor().GetItemId();

    // Ticked again in the other language, saved there: the first language keeps them.
    f.Shell().ActionHost().SetCurrentLangCode("DE");
    QCoreApplication::processEvents();
    OpenItem(f, restaurant, "Restaurant-basic");
    payments = Find<QListWidget>(f, "lvPayments");
    ASSERT_NE(payments, nullptr);
    ASSERT_GT(payments->count(), 1) << "the list's texts of the default language";
    EXPECT_EQ(payments->item(1)->checkState(), Qt::Checked) << "shown from the default language";
    payments->item(0)->setCheckState(Qt::Checked);
    PressSave(f);
    f.Shell().ActionHost().SetCurrentLangCode("EN");
    QCoreApplication::processEvents();
    OpenItem(f, restaurant, "Restaurant-basic");
    payments = Find<QListWidget>(f, "lvPayments");
    ASSERT_NE(payments, nullptr);
    EXPECT_EQ(payments->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(payments->item(1)->checkState(), Qt::Checked);
    Shoot(f, "restaurant-info");
}

}  // namespace

namespace {

TEST(HotelCatalogOfType3, TheRoomsListOpensAndDeletesRoomsAndANewRoomIsNamedAsSuch)
{
    TMainWindowFixture f(RegisterFrameworkClasses, false);
    ASSERT_EQ(f.CreateAndOpen("hotel", 3), "");
    OpenItem(f, 100002, "AllRooms-list");
    auto* rooms = Find<QTreeWidget>(f, "tvRooms");
    ASSERT_NE(rooms, nullptr);
    EXPECT_EQ(rooms->topLevelItemCount(), 0);
    EXPECT_FALSE(Find<QPushButton>(f, "btnEditRoom")->isEnabled());
    QTest::mouseClick(Find<QPushButton>(f, "btnNewRoom"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return Find<QLineEdit>(f, "edtRoomName") != nullptr; }));
    EXPECT_EQ(Find<QLineEdit>(f, "edtRoomName")->text(), "New Room");
    // A stored currency the references do not know is shown as itself and kept.
    ShowTab(f, "Room-price");
    const int room = f.Editor().GetItemId();
    f.Editor().Context()->GetObjectCollection().GetObject(room, "RoomInfo")->SetLangString("Currency", "EN", "XTS", 0);
    f.Editor().ReloadEditors();
    auto* currency = Find<QComboBox>(f, "cbCurrency");
    EXPECT_EQ(currency->currentData().toString(), "XTS");
    TypeOver(Find<QLineEdit>(f, "edtRates"), "two adults");
    PressSave(f);
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(room) + " AND StringValue = 'XTS'"),
              "XTS");

    OpenItem(f, 100002, "AllRooms-list");
    rooms = Find<QTreeWidget>(f, "tvRooms");
    ASSERT_EQ(rooms->topLevelItemCount(), 1);
    rooms->setCurrentItem(rooms->topLevelItem(0));
    Shoot(f, "hotel-all-rooms");
    // The list needs no Save bar; the page's other tabs do.
    EXPECT_FALSE(f.SaveButton()->isVisibleTo(&f.Window()));
    auto* tabs = f.EditorPane()->findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.SaveButton()->isVisibleTo(&f.Window()));
    tabs->setCurrentIndex(0);
    QCoreApplication::processEvents();
    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnDeleteRoom"), Qt::LeftButton);
    EXPECT_EQ(rooms->topLevelItemCount(), 0);
    EXPECT_EQ(ChildrenOfType(f, 100002, 6003).size(), 0u);
}

}  // namespace

namespace {

TEST(HotelCatalogOfType5, TheAllotmentGoesWithInstantConfirmation)
{
    TMainWindowFixture f(RegisterFrameworkClasses, false);
    ASSERT_EQ(f.CreateAndOpen("hotel", 5), "");
    OpenItem(f, kHotelItem, "Hotel-info");
    auto* instant = Find<QCheckBox>(f, "chkInstantConfirmation");
    auto* allotment = Find<QLineEdit>(f, "edtAllotment");
    ASSERT_TRUE(instant && allotment);
    EXPECT_FALSE(allotment->isEnabled());
    instant->click();
    ASSERT_TRUE(allotment->isEnabled());
    TypeOver(allotment, "4");
    PressSave(f);
    const std::string stored = "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = 2001 "
                               "AND ClassId = 6001 AND NumberValue = 4";
    EXPECT_EQ(Committed(f, stored), "4") << "a change of the allotment alone is saved";
    instant->click();
    EXPECT_EQ(allotment->text(), "") << "unticked, the allotment is emptied";
    EXPECT_FALSE(allotment->isEnabled());
    PressSave(f);
    EXPECT_EQ(Committed(f, stored), "(none)");
}

TEST(HotelCatalogOfType8, TheFacilitiesOfARoomEditTheHouse)
{
    TMainWindowFixture f(RegisterFrameworkClasses, true);
    ASSERT_EQ(f.CreateAndOpen("hotel", 8), "");
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=-2&ItemType=6003&ParentItemId=100002", false);
    QCoreApplication::processEvents();
    PressSave(f);
    ShowTab(f, "Hotel-facilites");
    auto* facilities = Find<QListWidget>(f, "lvFacilities");
    ASSERT_NE(facilities, nullptr);
    ASSERT_GT(facilities->count(), 0);
    facilities->item(0)->setCheckState(Qt::Checked);
    PressSave(f);
    EXPECT_NE(Committed(f, "SELECT COUNT(*) FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = 2001 AND "
                           "ClassId = 6001"),
              "0");
}

}  // namespace
