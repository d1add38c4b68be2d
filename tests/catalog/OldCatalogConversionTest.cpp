// Converting catalogs of the previous program generation when they are
// opened: old files built from SQL text in fixtures/old-catalogs, converted
// over the shipped catalog types through the catalog object, then read back
// with plain queries and opened with the converted login.
#include "CatalogCreationFixture.h"
#include "support/TestPaths.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogUpgrader.h"
#include "catalog/conversion/ConversionProgress.h"
#include "catalog/conversion/OldCatalogConversion.h"
#include "catalog/conversion/ProductCatalogConverter.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/FileContent.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/CatalogTables.h"

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <thread>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Fixture(const std::string& name)
{
    return ReadFileContent(TestSourceDir() + "/catalog/fixtures/old-catalogs/" + name).value();
}

// Stops the conversion at the first log line that begins with Prefix.
class TCancelAt : public TConversionProgress {
public:
    explicit TCancelAt(std::string prefix) : prefix_(std::move(prefix)) {}
    void Log(const std::string& line) override
    {
        if (line.rfind(prefix_, 0) == 0)
            cancelled_ = true;
    }
    bool Cancelled() override { return cancelled_; }

private:
    std::string prefix_;
    bool cancelled_ = false;
};

// A conversion window that runs the conversion on another thread, as the
// program's does, and cancels it like TCancelAt (never with an empty prefix).
class TThreadWindow : public TConversionWindow {
public:
    explicit TThreadWindow(std::string prefix) : prefix_(std::move(prefix)) {}
    void Run(const std::string&, const std::function<void(TConversionProgress&)>& work) override
    {
        TCancelAt progress(prefix_.empty() ? std::string(1, '\0') : prefix_);
        std::exception_ptr failure;
        std::thread worker([&] {
            try {
                work(progress);
            } catch (...) {
                failure = std::current_exception();
            }
        });
        worker.join();
        if (failure)
            std::rethrow_exception(failure);
    }

private:
    std::string prefix_;
};

class OldCatalogConversion : public ::testing::Test {
protected:
    // Writes the old catalog Code from the table definitions and Data.
    void MakeOldCatalog(const std::string& code, const std::string& data)
    {
        env.Exec(code, Fixture("tables.sql") + Fixture(data));
    }

    // Opens Code as the user does; a yes to the offer to convert.
    std::string OpenAndConvert(const std::string& code, const std::string& password)
    {
        env.Gui().QueueAnswer(mrYes);
        return env.Open(code, "someone", password);
    }

    std::string BackupFile(const std::string& code) const
    {
        const fs::path programFolder = fs::path(env.ProgramDatabase("x")).parent_path().parent_path();
        return (programFolder / "backup" / (code + "_bak.sqlite")).string();
    }

    std::vector<std::string> Errors()
    {
        std::vector<std::string> errors;
        for (const TShownBox& box : env.Gui().Shown())
            if (box.kind == "error")
                errors.push_back(box.message);
        return errors;
    }

    // The values of a member (class and member by tag) as "a|b|c", in the
    // order of item, language and index; Where narrows the rows.
    std::string Values(const std::string& classTag, const std::string& memberTag, const std::string& where = "1 = 1",
                       const std::string& code = "acme")
    {
        const int classId = env.Context().GetClassId(classTag);
        TAbstractCClassDefinition* definition = env.Context().GetClassDefinition(classId);
        const int memberId = definition ? definition->GetMemberId(memberTag) : 0;
        const int type = definition ? definition->GetMemberType(memberId) : 0;
        const std::string table = TCatalogTables::ValueTable(type);
        const std::string column = table == "CStrings" ? "StringValue" : table == "CText" ? "TextValue"
                                 : table == "CNumbers" ? "NumberValue" : "DataMimeType";
        // Whole numbers read without a fraction.
        return env.Value(code, "SELECT GROUP_CONCAT(CASE WHEN typeof(x) = 'real' AND x = CAST(x AS INTEGER) THEN "
                               "CAST(x AS INTEGER) ELSE x END, '|') FROM (SELECT " + column + " AS x FROM " + table +
                                   " WHERE ClassId = " + std::to_string(classId) + " AND MemberId = " +
                                   std::to_string(memberId) + " AND (" + where +
                                   ") ORDER BY ItemId, LangCode, IndexId)");
    }

    std::string Value(const std::string& sql) { return env.Value("acme", sql); }

    TCreationEnvironment env;
};

TEST_F(OldCatalogConversion, AProductCatalogConvertsOnOpenAndOpensWithTheOldPassword)
{
    MakeOldCatalog("acme", "products.sql");
    EXPECT_EQ(OpenAndConvert("acme", "old-secret"), "reopen");
    EXPECT_EQ(Errors(), std::vector<std::string>{});
    ASSERT_EQ(env.Host().login.CatalogCode, "acme");
    EXPECT_EQ(env.Host().login.UserName, "Administrator");
    EXPECT_EQ(env.Host().login.Password, "old-secret");
    // The old file went to the backup folder; nothing else is left beside the new one.
    EXPECT_TRUE(fs::exists(BackupFile("acme")));
    EXPECT_EQ(env.DatabaseFiles(), std::vector<std::string>{"acme.sqlite"});

    // The password is kept scrambled, as the login reads it.
    EXPECT_EQ(env.Open("acme", "Administrator", "old-secret"), "");
    env.Catalog().Close();
    EXPECT_NE(Value("SELECT StringValue FROM CStrings WHERE ItemId = 602 AND ClassId = 602 AND MemberId = 2"),
              "old-secret");
}

TEST_F(OldCatalogConversion, TheNewCatalogHoldsTheOldContent)
{
    MakeOldCatalog("acme", "products.sql");
    ASSERT_EQ(OpenAndConvert("acme", "old-secret"), "reopen");

    // Languages: "0" leaves the third slot unused; no default gives the first code.
    EXPECT_EQ(Values("Languages", "LangCode"), "EN|DE");
    EXPECT_EQ(Values("Languages", "DefaultLangCode"), "EN");
    EXPECT_EQ(Values("CatalogInfo", "CatalogType"), "1");
    // A column without a second-language column fills both languages.
    EXPECT_EQ(Values("CommonCompanyInfo", "CompanyName"), "Acme Tools|Acme Tools");
    EXPECT_EQ(Values("CommonCompanyInfo", "CompanyEmail"), "shop@acme.test");

    // Settings: UnitWeight "2" is grams, FullSizeImage "0" is no, the rest defaults.
    const auto property = [&](int id) {
        return Value("SELECT StringValue FROM CStrings WHERE ItemId = " + std::to_string(id) + " AND MemberId = 1");
    };
    EXPECT_EQ(property(724), "g");
    EXPECT_EQ(property(725), "cm");
    EXPECT_EQ(property(732), "no");
    EXPECT_EQ(property(702), "240");
    EXPECT_EQ(property(706), "USD");
    EXPECT_EQ(property(731), "yes");

    // The logo, also a product's thumbnail, is converted once, into "Logo images".
    EXPECT_EQ(Values("Image", "ImageData", "ItemId > 1000000"), "image/png|image/png|image/png");
    const std::string logo = Values("CommonCompanyInfo", "CompanyLogoImage");
    EXPECT_EQ(Values("CommonNames", "ItemName",
                     "ItemId = (SELECT ParentItemId FROM Items WHERE ItemId = " + logo + ")"),
              "Logo images");
    EXPECT_EQ(Values("ProductImages", "ThumbnailImage"), logo);
    EXPECT_EQ(Values("ProductImages", "LargeImage"), "") << "an unknown picture code is left out";
    EXPECT_EQ(Values("BinaryObject", "BinaryData"), "application/pdf");

    // Products: codes trimmed, a blank code skipped, a missing name made of the code.
    EXPECT_EQ(Values("Product", "Code"), "H1|S1");
    EXPECT_EQ(Values("Product", "Name"), "Hammer DE|Hammer");
    EXPECT_EQ(Values("CommonNames", "ItemName", "ItemId IN (SELECT ItemId FROM CStrings WHERE StringValue = 'S1')"),
              "(S1)");
    EXPECT_EQ(Values("ProductSpecs", "DimensionsUnit"), "in") << "an unknown unit code gives no unit";
    EXPECT_EQ(Values("ProductSpecs", "WeightUnit"), "lbs");
    EXPECT_EQ(Values("ProductAdditionalField", "FieldData"), "2 years|2 years");
    EXPECT_EQ(Values("AdditionalField", "XmlTag"), "Warranty");

    // Prices keep every digit; the row of two options names both values.
    EXPECT_EQ(Values("Price", "PriceValue"), "12499.99|1000000");
    EXPECT_EQ(Values("Price", "MinimumQuantity"), "5");
    EXPECT_EQ(Values("Price", "QuantityAtStock"), "7");
    const std::string options = Values("ProductOptions", "Options");
    EXPECT_EQ(std::count(options.begin(), options.end(), '|'), 1) << options;
    EXPECT_EQ(env.Value("acme", "SELECT COUNT(*) FROM CNumbers WHERE ClassId = " +
                                    std::to_string(env.Context().GetClassId("Price")) + " AND MemberId = 8"),
              "2");
    // The later of two schedules with one id is the one prices point at.
    EXPECT_EQ(Values("CommonNames", "ItemName",
                     "ItemId = (" + std::string("SELECT CAST(MAX(NumberValue) AS INTEGER) FROM CNumbers WHERE ClassId = ") +
                         std::to_string(env.Context().GetClassId("Price")) + " AND MemberId = 2)"),
              "Dealers|Dealers");
}

TEST_F(OldCatalogConversion, AProductDoesNotTakeTheOptionsOfAProductWhoseCodeBeginsWithItsOwn)
{
    env.Exec("tools", Fixture("tables.sql") + R"(
        INSERT INTO LocalSettings VALUES ('VersionDatabase', '2.51');
        INSERT INTO Vendors (VendorCode, Passw, VendorName, DataLanguageCode1, CatalogType)
            VALUES ('TOOLS', 'pw', 'Tools', 'en', 1);
        INSERT INTO Products (VendorCode, ProductCode, ProductName) VALUES ('TOOLS', 'T', 'Plain'),
            ('TOOLS', 'T_2', 'With option');
        INSERT INTO ProductOptionNames VALUES ('TOOLS', 'T_2', 1, 'Size');
        INSERT INTO ProductSKUs VALUES ('TOOLS', 'T', 1, 0), ('TOOLS', 'T_2', 1, 0);
        INSERT INTO ProductSKUPrices VALUES ('TOOLS', 'T', 1, 1, 5, 0), ('TOOLS', 'T_2', 1, 1, 9, 0);
    )");
    ASSERT_EQ(OpenAndConvert("tools", "pw"), "reopen");
    const std::string withOption =
        "ItemId IN (SELECT ItemId FROM CStrings WHERE StringValue = 'T_2' AND ClassId = " +
        std::to_string(env.Context().GetClassId("Product")) + ")";
    EXPECT_EQ(Values("Prices", "HasPricesForEachOption", "1 = 1", "tools"), "1");
    EXPECT_EQ(Values("Prices", "HasPricesForEachOption", withOption, "tools"), "1");
    EXPECT_EQ(Values("ProductOptions", "HasOptions", "1 = 1", "tools"), "1");
}

TEST_F(OldCatalogConversion, TheWebTreeKeepsItsPagesAndItsLinksLeadToTheNewItems)
{
    MakeOldCatalog("acme", "products.sql");
    ASSERT_EQ(OpenAndConvert("acme", "old-secret"), "reopen");
    const auto type = [&](const std::string& name) { return env.GlobalDefinition().GetItemTypeByName(name); };
    const auto named = [&](const std::string& name) {
        return Value("SELECT MIN(ItemId) FROM CStrings WHERE StringValue = '" + name + "'");
    };
    const auto row = [&](const std::string& itemId) {
        return Value("SELECT ItemType || ' ' || ParentItemId || ' ' || (LinkedItemId = ItemId) || ' ' || NotVisible "
                     "FROM Items WHERE ItemId = " + itemId);
    };
    const std::string home = "100001";
    EXPECT_EQ(row(home), std::to_string(type("ProductLinePage")) + " 1 1 0");
    EXPECT_EQ(Values("CommonNames", "ItemName", "ItemId = 100001"), "Willkommen|Welcome");
    const std::string contact = named("Contact us");
    EXPECT_EQ(row(contact), std::to_string(type("ContactPage")) + " " + home + " 1 0");
    // A place of a known product shows the product; of an unknown one, a page of its own.
    const std::string hammer = Value("SELECT ItemId FROM Items WHERE ParentItemId = " + home + " AND ItemType = " +
                                     std::to_string(type("ProductPage")) + " AND LinkedItemId <> ItemId");
    ASSERT_NE(hammer, "");
    EXPECT_EQ(Value("SELECT LinkedItemId FROM Items WHERE ItemId = " + hammer),
              Values("Product", "Code", "StringValue = 'H1'").empty() ? "" : Value("SELECT ItemId FROM CStrings "
              "WHERE StringValue = 'H1' AND ClassId = " + std::to_string(env.Context().GetClassId("Product"))));
    EXPECT_EQ(row(named("Gone product")), std::to_string(type("ProductPage")) + " " + home + " 1 0");
    // The page below a page without a row goes under the nearest converted page, hidden as it was.
    EXPECT_EQ(row(named("Care")), std::to_string(type("InfoPage")) + " " + hammer + " 1 1");
    // The story's place shows the story.
    const std::string story = Value("SELECT ItemId FROM Items WHERE ItemType = " + std::to_string(type("StoryPage")) +
                                    " AND ParentItemId = 10");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Items WHERE ParentItemId = " + home + " AND LinkedItemId = " + story), "1");
    // An id that is no number makes no page (and reaches no statement).
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Items WHERE ParentItemId = " + home), "4");

    // Links in the converted texts name the new items.
    const std::string top = Values("CommonDesign", "TopHTMLValue", "ItemId = 100001");
    const std::string logo = Values("CommonCompanyInfo", "CompanyLogoImage");
    const std::string manual = Value("SELECT ItemId FROM Items WHERE ItemType = " + std::to_string(type("BinaryObject")));
    EXPECT_NE(top.find("../images/" + logo + ".gif"), std::string::npos) << top;
    EXPECT_NE(top.find("../objects/" + manual + ".pdf"), std::string::npos) << top;
    EXPECT_NE(top.find("\"" + Value("SELECT ItemId FROM Items WHERE ParentItemId = " + home + " AND LinkedItemId = " +
                                    story) + ".html"), std::string::npos) << top;
    EXPECT_EQ(Values("CommonWebPage", "MetaDescription", "ItemId = 100001"), "Tools|Tools");

    // Nothing points at an item the catalog lacks: tree places, parents, picture and item members.
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Items i WHERE NOT EXISTS (SELECT 1 FROM Items d WHERE d.ItemId = "
                    "i.LinkedItemId) OR (i.ParentItemId <> 0 AND NOT EXISTS (SELECT 1 FROM Items p WHERE "
                    "p.ItemId = i.ParentItemId))"),
              "0");
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(n.ItemId || ' ' || n.ClassId || ' ' || n.MemberId || ' ' || n.NumberValue) "
                    "FROM CNumbers n WHERE n.MemberType IN (102, 106) AND NOT EXISTS "
                    "(SELECT 1 FROM Items d WHERE d.ItemId = n.NumberValue)"),
              "");
}

TEST_F(OldCatalogConversion, ACatalogOfCatalogsGivesItsMemberCatalogs)
{
    MakeOldCatalog("mall", "catalogs.sql");
    ASSERT_EQ(OpenAndConvert("mall", "mall-pass"), "reopen");
    EXPECT_EQ(env.Open("mall", "Administrator", "mall-pass"), "");
    env.Catalog().Close();
    EXPECT_EQ(Values("CatalogInfo", "CatalogType", "1 = 1", "mall"), "2");
    // Two page rows of one member make one member.
    EXPECT_EQ(Values("CoCMember", "CatalogCode", "1 = 1", "mall"), "acme|bolts");
    EXPECT_EQ(env.Value("mall", "SELECT ItemType FROM Items WHERE ItemId = 100001"),
              std::to_string(env.GlobalDefinition().GetItemTypeByName("VendorListPage")));
    const std::string member = env.Value("mall", "SELECT ItemId FROM CStrings WHERE StringValue = 'acme'");
    EXPECT_EQ(env.Value("mall", "SELECT COUNT(*) FROM Items WHERE ParentItemId = 100001 AND LinkedItemId = " + member),
              "1");
}

TEST_F(OldCatalogConversion, AWrongPasswordOrCatalogTypeIsRefusedAndChangesNothing)
{
    MakeOldCatalog("acme", "products.sql");
    EXPECT_EQ(env.Open("acme", "someone", "guess"), "Not correct Tolvex database structure.");
    env.Exec("acme", "UPDATE Vendors SET CatalogType = 3");
    EXPECT_EQ(env.Open("acme", "someone", "old-secret"), "Not correct Tolvex database structure.");
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Wrong password", "Can convert only product's and CoC catalogs"}));
    EXPECT_FALSE(fs::exists(TOldCatalogConversion::WorkFolder(env.DatabaseFolder(), "acme")));
    EXPECT_FALSE(fs::exists(BackupFile("acme")));
    EXPECT_EQ(env.Value("acme", "SELECT Passw FROM Vendors"), "old-secret");
}

TEST_F(OldCatalogConversion, AFailureOrACancelLeavesTheOldFileInPlaceAndNoNewOne)
{
    MakeOldCatalog("acme", "products.sql");
    // The old file in WAL mode with its companions, as a catalog that is in use leaves it.
    env.Exec("acme", "PRAGMA journal_mode = WAL");
    const auto oldContent = [&] {
        return env.Value("acme", "SELECT COUNT(*) || ' ' || (SELECT Passw FROM Vendors) FROM Products");
    };
    ASSERT_EQ(oldContent(), "3 old-secret");

    // A table the conversion needs is missing half-way.
    env.Exec("acme", "ALTER TABLE ProductSKUPrices RENAME TO Lost");
    EXPECT_EQ(OpenAndConvert("acme", "old-secret"), "Not correct Tolvex database structure.");
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors().front().find("ProductSKUPrices"), std::string::npos) << Errors().front();
    EXPECT_EQ(env.DatabaseFiles(), std::vector<std::string>{"acme.sqlite"});
    EXPECT_FALSE(fs::exists(BackupFile("acme")));
    EXPECT_EQ(oldContent(), "3 old-secret");
    env.Exec("acme", "ALTER TABLE Lost RENAME TO ProductSKUPrices");

    // A cancel while the products convert.
    TCancelAt cancel("Product \"");
    env.Upgrader().SetConversionProgress(&cancel);
    EXPECT_EQ(OpenAndConvert("acme", "old-secret"), "Not correct Tolvex database structure.");
    env.Upgrader().SetConversionProgress(nullptr);
    EXPECT_EQ(env.DatabaseFiles(), std::vector<std::string>{"acme.sqlite"});
    EXPECT_FALSE(fs::exists(BackupFile("acme")));
    EXPECT_EQ(oldContent(), "3 old-secret");

    // The same cancel through the program's conversion window, which runs
    // the conversion on a thread of its own.
    env.Upgrader().SetConversionWindow(std::make_unique<TThreadWindow>("Product \""));
    EXPECT_EQ(OpenAndConvert("acme", "old-secret"), "Not correct Tolvex database structure.");
    EXPECT_EQ(env.DatabaseFiles(), std::vector<std::string>{"acme.sqlite"});
    EXPECT_FALSE(fs::exists(BackupFile("acme")));
    EXPECT_EQ(oldContent(), "3 old-secret");

    // And the next try converts, through the window too.
    env.Upgrader().SetConversionWindow(std::make_unique<TThreadWindow>(""));
    EXPECT_EQ(OpenAndConvert("acme", "old-secret"), "reopen");
    env.Upgrader().SetConversionWindow(nullptr);
    EXPECT_EQ(env.Open("acme", "Administrator", "old-secret"), "");
}

TEST_F(OldCatalogConversion, AWebTreeOfExpandingEntitiesIsRefusedAndTheRestConverts)
{
    MakeOldCatalog("acme", "products.sql");
    // Entities that would grow to ten billion characters.
    std::string tree = "<!DOCTYPE WebTree [<!ENTITY a \"aaaaaaaaaa\">";
    for (char name = 'b'; name <= 'k'; ++name) {
        std::string text;
        for (int k = 0; k < 10; ++k)
            text += "&" + std::string(1, static_cast<char>(name - 1)) + ";";
        tree += std::string("<!ENTITY ") + name + " \"" + text + "\">";
    }
    tree += "]><WebTree><Page id=\"0\"><Page id=\"2\" title=\"&k;\">&k;</Page></Page></WebTree>";
    env.Exec("acme", "UPDATE Vendors SET WebTreeXml = '" + tree + "'");
    ASSERT_EQ(OpenAndConvert("acme", "old-secret"), "reopen");
    EXPECT_EQ(Values("Product", "Code"), "H1|S1");
    // The site keeps a home page, without the pages of the refused tree.
    EXPECT_EQ(Value("SELECT ParentItemId FROM Items WHERE ItemId = 100001"), "1");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Items WHERE ParentItemId = 100001"), "0");
}

TEST_F(OldCatalogConversion, AWebTreeNestedDeeperThanTheBoundKeepsEveryPage)
{
    MakeOldCatalog("acme", "products.sql");
    std::string nested;
    std::string closing;
    for (int level = 0; level < 100; ++level) {
        nested += "<Page id=\"11\">";
        closing += "</Page>";
    }
    env.Exec("acme", "UPDATE Vendors SET WebTreeXml = '<WebTree><Page id=\"0\">" + nested + closing +
                         "</Page></WebTree>'");
    ASSERT_EQ(OpenAndConvert("acme", "old-secret"), "reopen");
    // Every nested page has an item; none lies deeper than the bound below the home page.
    const std::string infoPage = std::to_string(env.GlobalDefinition().GetItemTypeByName("InfoPage"));
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Items WHERE ItemType = " + infoPage), "100");
    EXPECT_EQ(Value("WITH RECURSIVE d(id, depth) AS (SELECT 100001, 1 UNION ALL SELECT i.ItemId, d.depth + 1 FROM "
                    "Items i JOIN d ON i.ParentItemId = d.id AND i.ItemId <> d.id) SELECT MAX(depth) FROM d"),
              std::to_string(TProductCatalogConverter::kMaxWebTreeDepth));
}

}  // namespace
