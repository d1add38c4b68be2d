// The hotel editors in the main window on a real hotel catalog: a new
// user's path through the windows (the hotel's name and payment forms, two
// seasons through the season dialog, a room priced for both through the
// price dialog) reaching the generated room page; seasons created and
// cancelled disappear; a restaurant's payment forms survive a language
// switch and a save.
#include "BusinessPaneHelpers.h"

#include "editors/framework/Registration.h"
#include "editors/framework/ui/frmFrameContainer.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

constexpr int kHotelItem = 2001;
constexpr int kSeasonType = 6009;

void OpenItem(TMainWindowFixture& f, int itemId, const std::string& tab = {})
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(itemId) +
                                (tab.empty() ? std::string() : "&TabName=" + tab),
                            false);
    QCoreApplication::processEvents();
}

void ShowTab(TMainWindowFixture& f, const char* tab)
{
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName(tab)) << tab;
    QCoreApplication::processEvents();
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
