// The product feed of a created catalog: exactly the expected bytes, the
// choice of prices, cleaned texts, category paths, and the catalogs that
// give no feed.
#include "PublishSiteFixture.h"

#include "publishing/ExportFroogle.h"
#include "publishing/FroogleSettings.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class TFeedCatalog {
public:
    TFeedCatalog()
    {
        // Only the schedules of the test.
        TQueryGuard query(site.Connection());
        query->SetSQL("DELETE FROM Items WHERE ItemType = 2002");
        query->ExecSQL();
    }

    int AddSchedule(const std::string& currency, int visibility)
    {
        const int id = site.AddItem(2002, 12);
        auto schedule = Object(id, "CommonPriceSchedule");
        schedule->SetString("CurrencyCode", currency, 0);
        schedule->SetNumber("PriceVisibility", visibility, 0);
        schedule->Save();
        return id;
    }

    int AddCategory(int parentId, const std::string& name)
    {
        const int id = site.AddItem(4001, parentId);
        site.SetName(id, name, name);
        return id;
    }

    // A product page with its name and description in English and its price rows (schedule, value).
    int AddProduct(int parentId, const std::string& name, const std::string& description,
                   const std::vector<std::pair<int, double>>& prices, const std::string& imageMember = "", int imageId = 0)
    {
        const int id = site.AddItem(4002, parentId);
        auto product = Object(id, "Product");
        product->SetLangString("Name", "EN", name, 0);
        product->SetLangString("Description", "EN", description, 0);
        product->Save();
        if (!imageMember.empty()) {
            auto images = Object(id, "ProductImages");
            images->SetNumber(imageMember, imageId, 0);
            images->Save();
        }
        auto rows = Object(id, "Prices");
        for (const auto& [schedule, value] : prices) {
            std::unique_ptr<TTolvexObject> price = Factory().CreateObjectTyped(
                id, ClassId("Price"), rows->GetInstanceId(), site.Connection(), TPublishSite::kCode);
            price->SetNumber("PriceSchedule", schedule, 0);
            price->SetNumber("PriceValue", value, 0);
            price->Save();
        }
        return id;
    }

    int AddImage()
    {
        const int id = site.AddItem(301, 3);
        site.AddBinary(id, 5, "image/jpeg", "jpeg-bytes");
        return id;
    }

    std::unique_ptr<TExportFroogle> Make(std::vector<std::string>& params)
    {
        return std::make_unique<TExportFroogle>(params, site.Connection(),
                                                TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(),
                                                                      &site.Program().Root(), nullptr});
    }

    TPublishSite site;

private:
    TTolvexObjectFactory& Factory() { return site.Program().Root().Catalog().GetObjectFactory(); }
    int ClassId(const std::string& tag) { return site.Program().Root().ObjectContext().GetClassId(tag); }
    std::unique_ptr<TTolvexObject> Object(int itemId, const std::string& tag)
    {
        return Factory().CreateObjectTyped(itemId, ClassId(tag), 0, site.Connection(), TPublishSite::kCode);
    }
};

TEST(ExportFroogle, TheFeedIsTheExpectedBytes)
{
    TFeedCatalog catalog;
    const int usd = catalog.AddSchedule("USD", 0);
    const int hidden = catalog.AddSchedule("USD", 3);
    const int eur = catalog.AddSchedule("EUR", 0);
    const int image = catalog.AddImage();
    const int tools = catalog.AddCategory(catalog.site.HomePageId(), "Tools");
    const int saws = catalog.AddCategory(tools, "Saws & Blades");
    const int saw = catalog.AddProduct(saws, "Saw \"Deluxe\" caf\xc3\xa9", "Sharp.\tCuts wood;\r\nfast", {{usd, 12.5}},
                                       "MainImage", image);
    catalog.AddProduct(saws, "Hidden saw", "", {{hidden, 9}});
    const int blade = catalog.AddProduct(tools, "Blade 10/20", "", {{eur, 10}, {usd, 0}, {usd, 7}},
                                         "ThumbnailImage", image);
    const int file = catalog.AddProduct(catalog.site.HomePageId(), "File", "Fine", {{usd, 1234.567}});
    catalog.AddProduct(tools, "", "no name", {{usd, 3}});

    TTempFolder folder;
    std::vector<std::string> params{"FileName=" + folder.File("feed.txt")};
    auto exporter = catalog.Make(params);
    exporter->Run();
    const std::string site = "http://www.example.com/shop";
    const std::string imageUrl = site + "/images/" + std::to_string(image) + ".jpeg";
    const std::string expected =
        "product_url\tname\tdescription\timage_url\tcategory\tprice\r\n" +
        site + "/EN/" + std::to_string(saw) + ".html\tSaw Deluxe caf\tSharp.Cuts woodfast\t" + imageUrl +
        "\tTools > Saws  Blades\t12.50\r\n" +
        site + "/EN/" + std::to_string(blade) + ".html\tBlade 10/20\t\t" + imageUrl + "\tTools\t7.00\r\n" +
        site + "/EN/" + std::to_string(file) + ".html\tFile\tFine\t\t\t1234.57\r\n";
    EXPECT_EQ(TTempFolder::Read(folder.File("feed.txt")), expected);
    EXPECT_TRUE(exporter->Succeeded());
    EXPECT_TRUE(catalog.site.Runner().Has("Added: Saw Deluxe caf"));
    EXPECT_EQ(catalog.site.Runner().Last(), "Successfully exported.");
}

TEST(ExportFroogle, CatalogsWithoutDollarPricesOrProductsGiveNoFile)
{
    struct TCase {
        const char* name;
        std::vector<std::string> currencies;  // public schedules
        bool withProduct;
        const char* boxKind;
        const char* message;
    };
    // The currency code must be exactly "USD".
    const TCase cases[] = {
        {"OnlyEuroAndLowerCaseDollar", {"EUR", "usd"}, true, "error", "Only prices in USD are valid at Froogle"},
        {"NoProducts", {"USD"}, false, "information", "There is no products to export"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFeedCatalog catalog;
        int schedule = 0;
        for (const std::string& currency : c.currencies)
            schedule = catalog.AddSchedule(currency, 0);
        if (c.withProduct)
            catalog.AddProduct(catalog.site.HomePageId(), "Saw", "", {{schedule, 10}});
        TTempFolder folder;
        std::vector<std::string> params{"FileName=" + folder.File("feed.txt")};
        auto exporter = catalog.Make(params);
        exporter->Run();
        EXPECT_FALSE(fs::exists(folder.File("feed.txt")));
        EXPECT_FALSE(exporter->Succeeded());
        const std::vector<std::string> shown = catalog.site.Program().Gui().Messages(c.boxKind);
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.front(), c.message);
    }
}

TEST(ExportFroogle, CleaningKeepsOnlyTheFeedsCharacters)
{
    EXPECT_EQ(TExportFroogle::CleanText("a\tb\r\nc \"d\" 'e' caf\xc3\xa9 *+,-./\\_ 09 AZ az <>&;:!?#"),
              "abc d e caf *+,-./\\_ 09 AZ az ");
}

}  // namespace

namespace {

TEST(FroogleSettings, AreStoredInItem1511AndLoadedBack)
{
    TPublishSite site;
    TTolvex& root = site.Program().Root();
    const TFroogleSettings initial = TFroogleSettings::Load(root, site.Connection(), "EN");
    EXPECT_EQ(initial.FTPSite, TFroogleSettings::kDefaultFtpSite);
    EXPECT_EQ(initial.UserName, "");
    EXPECT_FALSE(root.Catalog().ItemExists(1511, TPublishSite::kCode, site.Connection()));

    TFroogleSettings settings{"ftp://upload.test", "shop-user", "p\"w d"};
    settings.Store(root, site.Connection(), "EN");
    settings.UserName = "second";
    settings.Store(root, site.Connection(), "EN");
    const TItemDescription item = site.Data().GetItemDescription(1511, TPublishSite::kCode, site.Connection());
    EXPECT_EQ(item.ItemType, 1511);
    EXPECT_EQ(item.ParentItemId, 0);
    const TFroogleSettings loaded = TFroogleSettings::Load(root, site.Connection(), "EN");
    EXPECT_EQ(loaded.FTPSite, "ftp://upload.test");
    EXPECT_EQ(loaded.UserName, "second");
    EXPECT_EQ(loaded.Password, "p\"w d");
}

}  // namespace
