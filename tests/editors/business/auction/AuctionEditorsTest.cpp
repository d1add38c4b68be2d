// The auction listing in the running program (advanced mode): the catalog's
// "eBay Options" refuse a bad account and store good ones as catalog
// properties; a product's listing refuses a minimum bid of 0, stores its
// own site with that site's currency and warns while the catalog's defaults
// are incomplete; the gallery picture is kept by Save and taken back by Cancel.
#include "../BusinessPaneHelpers.h"
#include "../../media/ImageDialogFixture.h"

#include "editors/framework/Registration.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>

using namespace business_test;

namespace {

constexpr int kCompany = 2001;

class AuctionEditors : public ::testing::Test {
protected:
    AuctionEditors() : f(RegisterFrameworkClasses, true) { EXPECT_EQ(f.CreateAndOpen(), ""); }

    void OpenOptions()
    {
        OpenItem(f, kHome);
        OpenItem(f, kCompany, "Options-eBay");
    }
    std::string Property(int id) { return TCatalog::GetCatalogProperty(id, f.Main(), f.Data().GetCatalogCode()); }
    std::string StoredListing(int item, int classId, int memberId)
    {
        return Committed(f, "SELECT COALESCE((SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode "
                            "AND ItemId = " + std::to_string(item) + " AND ClassId = " + std::to_string(classId) +
                                " AND MemberId = " + std::to_string(memberId) +
                                "), (SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                std::to_string(item) + " AND ClassId = " + std::to_string(classId) +
                                " AND MemberId = " + std::to_string(memberId) + "), '(none)')");
    }
    void AddImage(const char* button, const std::string& file)
    {
        f.Boxes().QueueInput(file);
        WhenShown([&](TfrmFrameContainer& window) {
            if (auto* search = window.findChild<QPushButton*>("btnSearch"))
                search->click();
            QCoreApplication::processEvents();
            window.btnContainerOk->click();
        });
        QTest::mouseClick(Find<QPushButton>(f, button), Qt::LeftButton);
    }
    int Images()
    {
        return std::stoi(Committed(f, "SELECT COUNT(*) FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = 301"));
    }

    TMainWindowFixture f;
    TTempFolder folder;
};

}  // namespace

TEST_F(AuctionEditors, TheCatalogOptionsRefuseABadAccountAndStoreGoodOnes)
{
    OpenOptions();
    auto* site = Find<QComboBox>(f, "cbSite");
    ASSERT_NE(site, nullptr);
    EXPECT_GE(site->findData("3"), 0) << "the sites are the listing's allowed values";
    EXPECT_FALSE(Find<QLineEdit>(f, "edtAccount")->isEnabled()) << "no account without the payment service";
    QTest::mouseClick(Find<QCheckBox>(f, "chkPayPal"), Qt::LeftButton);
    ASSERT_TRUE(Find<QLineEdit>(f, "edtAccount")->isEnabled());
    TypeOver(Find<QLineEdit>(f, "edtAccount"), "seller@shop.example1");
    ChooseData(site, "3");
    Shoot(f, "auction-options");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Invalid PayPal account email address"});
    EXPECT_EQ(Property(741), "") << "a refused save writes nothing";
    EXPECT_EQ(Property(737), "");

    TypeOver(Find<QLineEdit>(f, "edtAccount"), "seller@shop.example");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Invalid PayPal account email address"})
        << "nothing more";
    EXPECT_EQ(Property(741), "yes");
    EXPECT_EQ(Property(740), "seller@shop.example");
    EXPECT_EQ(Property(737), "3");
    EXPECT_EQ(Property(742), "");

    OpenOptions();
    QTest::mouseClick(Find<QCheckBox>(f, "chkPayPal"), Qt::LeftButton);
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error").back(), "At least one payment method should be choosen");
    EXPECT_EQ(Property(741), "yes");
}

TEST_F(AuctionEditors, AProductListingRefusesANullBidAndStoresItsOwnSite)
{
    // Defaults with a site and the payment service, but no counter or duration.
    OpenOptions();
    QTest::mouseClick(Find<QCheckBox>(f, "chkPayPal"), Qt::LeftButton);
    TypeOver(Find<QLineEdit>(f, "edtAccount"), "seller@shop.example");
    ChooseData(Find<QComboBox>(f, "cbSite"), "3");
    PressSave(f);
    ASSERT_EQ(Property(737), "3");

    const TProduct product = AddProduct(f, "C-1", "Chair");
    OpenItem(f, product.Placement, "eBay-main");
    auto* bid = Find<QLineEdit>(f, "edtMinimalBid");
    ASSERT_NE(bid, nullptr);
    EXPECT_EQ(bid->text(), "1");
    auto* useDefaults = Find<QCheckBox>(f, "chkUseDefaults");
    EXPECT_TRUE(useDefaults->isChecked());
    auto* site = Find<QComboBox>(f, "cbSite");
    EXPECT_EQ(site->currentData().toString(), "3") << "the catalog's default shows";
    EXPECT_FALSE(site->isEnabled());
    EXPECT_EQ(Find<QComboBox>(f, "cbCurrency")->currentData().toString(), "GBP");
    EXPECT_FALSE(Find<QLineEdit>(f, "edtReserved")->isEnabled());

    TypeOver(bid, "0");
    PressSave(f);
    std::vector<std::string> errors = f.Boxes().Messages("error");
    ASSERT_EQ(errors.size(), 2u) << "the refusal, then the warning of the incomplete defaults";
    EXPECT_EQ(errors[0], "Minimum Bid must be above zero");
    EXPECT_EQ(errors[1], "Country must be specified in Company Info\neBay Default Counter must be specified\n"
                         "eBay Default Duration must be specified\nYou can change eBay default settings at "
                         "\"Catalog\" -> \"Catalog Options\" -> \"eBay Options\"");
    EXPECT_EQ(StoredListing(product.Data, 4014, 1), "(none)");

    TypeOver(bid, "2,5");
    QTest::mouseClick(useDefaults, Qt::LeftButton);
    ASSERT_TRUE(site->isEnabled());
    site->setCurrentIndex(site->findData("77"));
    emit site->activated(site->currentIndex());
    EXPECT_EQ(Find<QComboBox>(f, "cbCurrency")->currentData().toString(), "EUR");
    Shoot(f, "auction-prices");
    PressSave(f);
    errors = f.Boxes().Messages("error");
    ASSERT_EQ(errors.size(), 3u) << "each save warns while the defaults stay incomplete";
    EXPECT_EQ(errors[2], errors[1]);
    EXPECT_EQ(StoredListing(product.Data, 4014, 1), "2.5");
    EXPECT_EQ(StoredListing(product.Data, 4014, 5), "1") << "own settings";
    EXPECT_EQ(StoredListing(product.Data, 4014, 9), "77");
    EXPECT_EQ(StoredListing(product.Data, 4014, 10), "EUR");

    // A listing on the defaults keeps no settings of its own.
    OpenItem(f, product.Placement, "eBay-main");
    QTest::mouseClick(Find<QCheckBox>(f, "chkUseDefaults"), Qt::LeftButton);
    EXPECT_EQ(Find<QComboBox>(f, "cbSite")->currentData().toString(), "3") << "the defaults show again";
    PressSave(f);
    EXPECT_EQ(StoredListing(product.Data, 4014, 1), "2.5");
    EXPECT_EQ(StoredListing(product.Data, 4014, 5), "(none)");
    EXPECT_EQ(StoredListing(product.Data, 4014, 9), "(none)");
    for (const int member : {6, 10, 11}) {
        const std::string value = StoredListing(product.Data, 4014, member);
        EXPECT_TRUE(value == "(none)" || value.empty()) << member << ": " << value;
    }
}

TEST_F(AuctionEditors, TheGalleryPictureIsKeptBySaveAndTakenBackByCancel)
{
    const TProduct product = AddProduct(f, "C-2", "Table");
    OpenItem(f, product.Placement, "eBay-main");
    EXPECT_TRUE(ShowNestedTab(f, "Gallery"));
    AddImage("btnSelect", folder.Write("gallery.png", TImageDialogFixture::Png(200, 150)));
    QTest::mouseClick(Find<QCheckBox>(f, "chkFeatured"), Qt::LeftButton);
    Shoot(f, "auction-gallery");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    const std::string gallery = StoredListing(product.Data, 4015, 1);
    ASSERT_NE(gallery, "(none)");
    EXPECT_EQ(StoredListing(product.Data, 4015, 2), "1");

    OpenItem(f, product.Placement, "eBay-main");
    EXPECT_TRUE(ShowNestedTab(f, "Gallery"));
    AddImage("btnSelect", folder.Write("other.png", TImageDialogFixture::Png(90, 90)));
    const int images = Images();
    PressCancel(f);
    EXPECT_EQ(StoredListing(product.Data, 4015, 1), gallery);
    EXPECT_EQ(Images(), images - 1);

    OpenItem(f, product.Placement, "eBay-main");
    EXPECT_TRUE(ShowNestedTab(f, "Gallery"));
    QTest::mouseClick(Find<QPushButton>(f, "btnDelete"), Qt::LeftButton);
    PressSave(f);
    EXPECT_EQ(StoredListing(product.Data, 4015, 1), "(none)") << "0, which is no value";
}
