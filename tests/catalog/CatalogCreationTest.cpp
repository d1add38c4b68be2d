// Creating catalogs from the shipped catalog-type definitions: what a new
// catalog holds, the questions about an existing database, and the failures
// that must leave no part-made catalog behind.
#include "CatalogCreationFixture.h"
#include "support/TestPaths.h"

#include "catalog/Catalog.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "storage/CatalogTables.h"
#include "storage/GlobalDefinition.h"
#include "storage/SQLiteConnectionFactory.h"
#include "storage/ShippedData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

// The catalog types shipped as data/catalogtypes/catalog_<N>.xml.
std::vector<int> ShippedTypes()
{
    return TShippedData(ShippedDataSourceDir()).CatalogTypes();
}

// The tables of a catalog database.
std::vector<std::string> CatalogTableNames()
{
    std::vector<std::string> names;
    for (const TCatalogTableDefinition& definition : TCatalogTables::Definitions())
        if (definition.DataType == "table")
            names.push_back(definition.TableName);
    return names;
}

// Ids as an SQL list: "(1, 3, 5)".
std::string SqlList(const std::vector<std::string>& ids)
{
    std::string list;
    for (const std::string& id : ids)
        list += (list.empty() ? "" : ", ") + id;
    return "(" + list + ")";
}

std::vector<std::string> DatabaseFilesOnly(const std::vector<std::string>& names)
{
    std::vector<std::string> files;
    for (const std::string& name : names)
        if (name.size() > 7 && name.compare(name.size() - 7, 7, ".sqlite") == 0)
            files.push_back(name);
    return files;
}

class CatalogCreation : public ::testing::Test {
protected:
    // The string value of a member of a record item, instance 1, "XXX".
    std::string Record(const std::string& code, int itemId, int classId, int memberId)
    {
        return env.Value(code, "SELECT StringValue FROM CStrings WHERE ItemId = " + std::to_string(itemId) +
                                   " AND ClassId = " + std::to_string(classId) + " AND MemberId = " +
                                   std::to_string(memberId) + " AND InstanceId = 1 AND LangCode = 'XXX'");
    }

    TCreationEnvironment env;
};

// ---- every shipped type -------------------------------------------------------------------

class CatalogCreationOfType : public CatalogCreation, public ::testing::WithParamInterface<int> {
protected:
    // The values of one initialisation list of the type's definition.
    std::vector<std::string> DefinitionList(int catalogType, int member)
    {
        return ColumnOfFile(env.DefinitionFile(catalogType),
                            "SELECT StringValue FROM CStrings WHERE CatalogCode = 't#" + std::to_string(catalogType) +
                                "' AND ItemId = 521 AND ClassId = 521 AND LangCode = 'XXX' AND MemberId = " +
                                std::to_string(member) + " ORDER BY IndexId");
    }
    std::string DefinitionCount(int catalogType, const std::string& table, const std::string& ids)
    {
        return ColumnOfFile(env.DefinitionFile(catalogType), "SELECT COUNT(*) FROM " + table +
                                                                 " WHERE CatalogCode = 't#" +
                                                                 std::to_string(catalogType) + "' AND ItemId IN " + ids)
            .front();
    }
};

TEST_P(CatalogCreationOfType, HoldsTablesRecordsAdministratorAndTheDefinitionsItems)
{
    const int type = GetParam();
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("shop", type)));
    EXPECT_EQ(DatabaseFilesOnly(env.DatabaseFiles()), std::vector<std::string>{"shop.sqlite"}) << "no work file left";
    EXPECT_TRUE(env.Gui().Shown().empty());

    // Every catalog table, and no row of another code.
    const std::vector<std::string> tables = env.Values("shop", "SELECT name FROM sqlite_master WHERE type = 'table'");
    for (const std::string& table : CatalogTableNames()) {
        ASSERT_NE(std::find(tables.begin(), tables.end(), table), tables.end()) << table;
        EXPECT_EQ(env.Value("shop", "SELECT COUNT(*) FROM " + table + " WHERE CatalogCode <> 'shop'"), "0") << table;
    }
    EXPECT_EQ(env.Values("shop", "SELECT DataKey || '=' || DataValue FROM LocalSettings"),
              std::vector<std::string>{"TolvexVersion=3.0.0"});
    EXPECT_EQ(env.Values("shop", "SELECT UserName || '|' || Description || '|' || LogLevel FROM LocalLog"),
              std::vector<std::string>{"admin|Catalog created|0"});

    // The administrator, with the password scrambled, and the catalog records.
    EXPECT_EQ(Record("shop", 602, 602, 1), "admin");
    const std::string stored = Record("shop", 602, 602, 2);
    EXPECT_NE(stored, "secret");
    EXPECT_EQ(TCommonFunctions::UnscramblePassword(stored), "secret");
    EXPECT_EQ(env.Value("shop", "SELECT MemberType FROM CStrings WHERE ItemId = 602 AND MemberId = 2"), "9");
    EXPECT_EQ(Record("shop", 602, 602, 3), "Administrator user");
    EXPECT_EQ(Record("shop", 602, 602, 4), "Admin");
    EXPECT_EQ(Record("shop", 2001, 3, 1), "Acme Ltd");
    EXPECT_EQ(Record("shop", 2001, 3, 13), "info@acme.test");
    EXPECT_EQ(env.Values("shop", "SELECT CAST(NumberValue AS INTEGER) FROM CNumbers WHERE ItemId = 604 AND "
                                 "ClassId = 604 AND MemberId = 1"),
              type == 0 ? std::vector<std::string>{} : std::vector<std::string>{std::to_string(type)});
    EXPECT_EQ(env.Values("shop", "SELECT ItemId || '/' || ClassId || '/' || MemberId || '/' || MemberType FROM CDates"),
              std::vector<std::string>{"613/613/613001/203"})
        << "copies carry no dates; creation writes its own";
    EXPECT_EQ(env.Value("shop", "SELECT StringValue FROM CStrings WHERE ItemId = 733 AND ClassId = 603"),
              std::to_string(env.GlobalDefinition().GetCatalogTypeVersion(type)));
    EXPECT_EQ(env.CheckLoginOnFile("shop", "admin", "secret"), "");

    // The definition's items with all their objects and values, waiting to be published.
    std::vector<std::string> listed = DefinitionList(type, 1);
    const std::vector<std::string> pages = DefinitionList(type, 2);
    listed.insert(listed.end(), pages.begin(), pages.end());
    ASSERT_FALSE(listed.empty());
    const std::string ids = SqlList(listed);
    EXPECT_EQ(env.Value("shop", "SELECT COUNT(*) FROM Items WHERE ItemId IN " + ids),
              std::to_string(std::set<std::string>(listed.begin(), listed.end()).size()));
    for (const char* table : {"CObjectInstances", "CText", "CBinary"})
        EXPECT_EQ(env.Value("shop", std::string("SELECT COUNT(*) FROM ") + table + " WHERE ItemId IN " + ids),
                  DefinitionCount(type, table, ids))
            << table;
    EXPECT_EQ(env.Value("shop", "SELECT COUNT(*) FROM Items WHERE ItemId IN " + ids + " AND IsSynchronized <> 0"), "0");

    // Template folders and templates, each folder's default template with them.
    EXPECT_NE(env.Value("shop", "SELECT COUNT(*) FROM Items WHERE ItemType = 2 AND ParentItemId = 5"), "0");
    EXPECT_NE(env.Value("shop", "SELECT COUNT(*) FROM Items WHERE ItemType = 501"), "0");
    EXPECT_EQ(env.Value("shop", "SELECT COUNT(*) FROM CNumbers n WHERE ClassId = 513 AND MemberId = 1 AND NOT EXISTS "
                                "(SELECT 1 FROM Items i WHERE i.ItemId = n.NumberValue)"),
              "0");
    // The home page comes with the first pages.
    const bool withHome = std::find(pages.begin(), pages.end(), "100001") != pages.end();
    EXPECT_EQ(env.Value("shop", "SELECT COUNT(*) FROM Items WHERE ItemId = 100001 AND ParentItemId = 1"),
              withHome ? "1" : "0");

    // A catalog of a real type opens with the administrator's login.
    if (type != 0) {
        ASSERT_EQ(env.Open("shop", "admin", "secret"), "");
        ASSERT_NE(env.Catalog().GetOpenCatalog(), nullptr);
        EXPECT_EQ(env.Catalog().GetOpenCatalog()->GetCatalogType(), type);
        EXPECT_EQ(env.Catalog().GetOpenCatalog()->GetCatalogCode(), "shop");
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, CatalogCreationOfType, ::testing::ValuesIn(ShippedTypes()),
                         [](const ::testing::TestParamInfo<int>& info) { return "Type" + std::to_string(info.param); });

}  // namespace

namespace {

// ---- codes, records and the initial structure ------------------------------------------------

TEST_F(CatalogCreation, CodeIsLowerCasedAndMustBeACatalogCode)
{
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("My-Shop_2", 1)));
    EXPECT_TRUE(fs::exists(env.CatalogFile("my-shop_2")));
    EXPECT_EQ(env.Value("my-shop_2", "SELECT DISTINCT CatalogCode FROM Items"), "my-shop_2");

    for (const std::string code : {"", "../shop", "shop/x", "my shop", "shop~new", "caf\xc3\xa9"}) {
        env.Gui().Clear();
        EXPECT_FALSE(env.Definition().CreateCatalog(env.Request(code, 1))) << code;
        EXPECT_EQ(env.Gui().Messages("error"), std::vector<std::string>{"Catalog code contains not allowed symbols"})
            << code;
    }
    EXPECT_EQ(DatabaseFilesOnly(env.DatabaseFiles()), std::vector<std::string>{"my-shop_2.sqlite"});
    EXPECT_FALSE(fs::exists(env.DatabaseFolder() + "/../shop.sqlite"));
}

TEST_F(CatalogCreation, WithoutInitialStructureOnlyTablesLogAndVersion)
{
    TCatalogDefinition::TNewCatalog request = env.Request("bare", 1);
    request.InitStructure = false;
    ASSERT_TRUE(env.Definition().CreateCatalog(request));
    EXPECT_EQ(env.Value("bare", "SELECT COUNT(*) FROM Items"), "0");
    EXPECT_EQ(env.Value("bare", "SELECT COUNT(*) FROM CStrings"), "0");
    EXPECT_EQ(env.Value("bare", "SELECT DataValue FROM LocalSettings WHERE DataKey = 'TolvexVersion'"), "3.0.0");
    EXPECT_EQ(env.Value("bare", "SELECT Description FROM LocalLog"), "Catalog created");
}

TEST_F(CatalogCreation, RecordsSkipBlankTextsButAlwaysWriteThePassword)
{
    TCatalogDefinition::TNewCatalog request = env.Request("shop", 1);
    request.AdminPassword = "";
    request.CompanyName = " \t ";
    request.Email = "";
    ASSERT_TRUE(env.Definition().CreateCatalog(request));
    EXPECT_EQ(env.Value("shop", "SELECT COUNT(*) FROM CStrings WHERE ItemId = 2001 AND ClassId = 3"), "0");
    EXPECT_EQ(env.Values("shop", "SELECT StringValue FROM CStrings WHERE ItemId = 602 AND ClassId = 602 AND "
                                 "MemberId = 2"),
              std::vector<std::string>{""});
    EXPECT_EQ(env.CheckLoginOnFile("shop", "admin", ""), "");
    EXPECT_EQ(env.CheckLoginOnFile("shop", "admin", "x"), "Wrong password");
}

TEST_F(CatalogCreation, ControlCharactersOfRecordTextsBecomeBlanks)
{
    TCatalogDefinition::TNewCatalog request = env.Request("shop", 1);
    request.CompanyName = "Acme\x01Ltd\tand\r\nSons";
    ASSERT_TRUE(env.Definition().CreateCatalog(request));
    EXPECT_EQ(Record("shop", 2001, 3, 1), "Acme Ltd\tand\r\nSons");
}

// ---- an existing database ------------------------------------------------------------------------

class CatalogCreationOverExisting : public CatalogCreation {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("shop", 1)));
        env.Exec("shop", "INSERT INTO LocalSettings (CatalogCode, DataKey, DataValue) VALUES ('shop', 'Marker', 'old')");
        env.Gui().Clear();
    }
    std::string Marker() { return env.Value("shop", "SELECT DataValue FROM LocalSettings WHERE DataKey = 'Marker'"); }
};

TEST_F(CatalogCreationOverExisting, NoKeepsItAndShowsTheModulesMessage)
{
    env.Gui().QueueAnswer(mrNo);
    EXPECT_FALSE(env.Definition().CreateCatalog(env.Request("shop", 2)));
    const std::string exists = "Database \"" + env.CatalogFile("shop") + "\" already exists";
    EXPECT_EQ(env.Gui().Messages("question"),
              std::vector<std::string>{exists + "\nDo you want to overwrite existing catalog?"});
    EXPECT_EQ(env.Gui().Messages("error"), std::vector<std::string>{exists});
    EXPECT_EQ(Marker(), "old");
}

TEST_F(CatalogCreationOverExisting, YesReplacesIt)
{
    env.Gui().QueueAnswer(mrYes);
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("shop", 2)));
    EXPECT_EQ(Marker(), "");
    EXPECT_EQ(env.Value("shop", "SELECT CAST(NumberValue AS INTEGER) FROM CNumbers WHERE ItemId = 604"), "2");
    EXPECT_TRUE(env.Gui().Messages("error").empty());
}

TEST_F(CatalogCreationOverExisting, YesButInUseKeepsIt)
{
    ASSERT_EQ(env.Open("shop", "admin", "secret"), "");
    env.Gui().QueueAnswer(mrYes);
    EXPECT_FALSE(env.Definition().CreateCatalog(env.Request("shop", 2)));
    EXPECT_EQ(env.Gui().Messages("error"), std::vector<std::string>{"Cannot delete the catalog \"shop\""});
    env.Catalog().Close();
    EXPECT_EQ(Marker(), "old");
}

// ---- failures leave nothing behind ----------------------------------------------------------------

TEST_F(CatalogCreation, MissingDatabaseFolderIsRefused)
{
    fs::remove_all(env.DatabaseFolder());
    EXPECT_FALSE(env.Definition().CreateCatalog(env.Request("shop", 1)));
    EXPECT_EQ(env.Gui().Messages("error"),
              std::vector<std::string>{"Directory \"" + env.DatabaseFolder() + "\" not exists"});
    EXPECT_FALSE(fs::exists(env.DatabaseFolder()));
}

TEST_F(CatalogCreation, AFailureAtAnyStepLeavesNoCatalog)
{
    // No definition database for the type: the failure comes early.
    EXPECT_THROW(env.Definition().CreateCatalog(env.Request("early", 99)), EFatalTolvexException);
    // The import fails after everything else is in place.
    env.Definition().SetWebSiteImport("http://www.example.test/", 1, 10, false, 100001, 1);
    env.Host().importThrows = true;
    EXPECT_THROW(env.Definition().CreateCatalog(env.Request("late", 1)), ECriticalTolvexException);
    EXPECT_TRUE(env.DatabaseFiles().empty());
    EXPECT_TRUE(env.Definition().GetWebSiteImport().Url.empty()) << "a failed creation uses up the pending import";

    // Nothing stands in the way of creating them now.
    env.Host().importThrows = false;
    EXPECT_TRUE(env.Definition().CreateCatalog(env.Request("late", 1)));
    EXPECT_EQ(env.Host().imports.size(), 1u);
}

TEST_F(CatalogCreation, AWorkFileLeftByAnInterruptedCreationIsReplaced)
{
    ExecOnFile(env.CatalogFile("shop~new"), "CREATE TABLE Junk (x)");
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("shop", 1)));
    EXPECT_EQ(DatabaseFilesOnly(env.DatabaseFiles()), std::vector<std::string>{"shop.sqlite"});
    EXPECT_EQ(env.Value("shop", "SELECT COUNT(*) FROM sqlite_master WHERE name = 'Junk'"), "0");
}

TEST_F(CatalogCreation, WorkFilesLeftByCreationsOfOtherCodesGoAtTheNextCreation)
{
    ExecOnFile(env.CatalogFile("old~new"), "CREATE TABLE Junk (x)");
    std::ofstream(env.CatalogFile("old~new") + "-wal") << "log";
    std::ofstream(env.CatalogFile("old~new") + "-shm") << "shm";
    std::ofstream(env.CatalogFile("Other~NEW")) << "";
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("shop", 1)));
    EXPECT_EQ(env.DatabaseFiles(), std::vector<std::string>{"shop.sqlite"});
}

// ---- the web-site import ----------------------------------------------------------------------------

TEST_F(CatalogCreation, AWebSiteImportReplacesTheFirstPagesAndRunsOnce)
{
    env.Definition().SetWebSiteImport("http://www.example.test/", 2, 50, true, 100001, 1);
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("imported", 1)));
    EXPECT_EQ(env.Value("imported", "SELECT COUNT(*) FROM Items WHERE ItemId = 100001"), "0");
    EXPECT_EQ(env.Value("imported", "SELECT COUNT(*) FROM Items WHERE ItemId = 600001"), "1");
    ASSERT_EQ(env.Host().imports.size(), 1u);
    EXPECT_EQ(env.Host().imports.front(),
              (std::vector<std::string>{"URL=http://www.example.test/", "DownloadDepth=2", "MaxPages=50",
                                        "StartItemId=100001", "ParentItemId=1", "CatalogCode=imported",
                                        "OnlyUnderlying=yes"}));
    EXPECT_TRUE(env.Definition().GetWebSiteImport().Url.empty());

    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("plain", 1)));
    EXPECT_EQ(env.Host().imports.size(), 1u);
    EXPECT_EQ(env.Value("plain", "SELECT COUNT(*) FROM Items WHERE ItemId = 100001"), "1");
}

TEST_F(CatalogCreation, ImportAnswersWhetherPagesWereDownloaded)
{
    const struct {
        std::string url;
        bool windowOk;
        int pages;
        bool answer;
        std::size_t runs;
    } cases[] = {
        {"http://www.example.test/", true, 3, true, 1},
        {"http://www.example.test/", true, 0, false, 1},    // nothing downloaded
        {"http://www.example.test/", false, 3, false, 1},   // the runner window was cancelled
        {"not an address", true, 3, false, 0},              // no valid URL: nothing runs
        {"", true, 3, false, 0},
    };
    TCatalogFixture target("shop");
    for (const auto& c : cases) {
        env.Host().imports.clear();
        env.Host().importAnswer = c.windowOk;
        env.Host().downloadedPages = c.pages;
        env.Definition().SetWebSiteImport(c.url, 1, 10, false, 100001, 1);
        EXPECT_EQ(env.Definition().ImportWebSite("shop", target.Connection()), c.answer) << c.url << " " << c.pages;
        EXPECT_EQ(env.Host().imports.size(), c.runs) << c.url;
    }
}

}  // namespace
