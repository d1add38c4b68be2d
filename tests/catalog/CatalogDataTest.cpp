// Opening a catalog: structure version, login and roles, catalog type,
// style check and the catalog-type hook, on real catalog files opened
// through the root object.
#include "catalog/CatalogDataFixture.h"

#include "catalog/CatalogDefinition.h"
#include "common/CommonFunctions.h"
#include "common/IniSettings.h"
#include "storage/SQLiteFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const char* const kStyleQuestion = "Your database contains old styles. Do want to update them now?";

std::vector<std::string> Declined(const std::string& file)
{
    return ColumnOfFile(file, "SELECT StringValue FROM CStrings WHERE ItemId = 600101 AND ClassId = 505 AND "
                              "MemberId = 2");
}

std::string BytesOf(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(CatalogDataTest, EveryRoleWordGivesItsRole)
{
    struct Case {
        const char* user;
        const char* roleWord;
        std::uint8_t role;
    } cases[] = {
        {"anna", "admin", urAdministrator}, {"bert", "Admin", urAdministrator}, {"carl", "power", urPowerUser},
        {"dora", "publisher", urPublisher}, {"emil", "user", urUser},          {"fay", "CLERK", urClerk},
        {"gus", "", urOther},               {"hal", "boss", urOther},
    };
    TRootFixture fixture;
    TTestCatalog layout;
    layout.users.clear();
    for (const Case& c : cases)
        layout.users.push_back({c.user, "pw", c.roleWord});
    fixture.MakeCatalog(layout);
    for (const Case& c : cases) {
        ASSERT_EQ(fixture.Open("shop", c.user, "pw"), "") << c.user;
        ASSERT_NE(fixture.Data(), nullptr);
        EXPECT_EQ(fixture.Data()->GetUserRole(), c.role) << "role word '" << c.roleWord << "'";
        ASSERT_TRUE(fixture.Root().CloseCatalog());
    }
}

TEST(CatalogDataTest, LoginComparesThePasswordUnscrambledAndExactly)
{
    TRootFixture fixture;
    TCommonFunctions functions;
    const std::string scrambled = functions.ScramblePassword("secret");
    TTestCatalog layout;
    layout.users = {{"bob", scrambled, "user"}, {"plain", "Secret", "clerk"}, {"nopass", "", "user"}};
    fixture.MakeCatalog(layout);

    const std::string wrongBob = "Wrong password for user \"bob\" in catalog \"shop\"";
    struct Case {
        const char* user;
        std::string password;
        std::string error;
    } cases[] = {
        {"bob", "secret", ""},
        {"BOB", "secret", ""},  // the database compares names without regard to case
        {"bob", "Secret", wrongBob},
        {"bob", scrambled, wrongBob},  // the stored form itself is no password
        {"plain", "Secret", ""},       // a value without the scrambled form is the password
        {"plain", "secret", "Wrong password for user \"plain\" in catalog \"shop\""},
        {"nopass", "", ""},
        {"nobody", "secret", "User \"nobody\" in catalog \"shop\" not exists"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fixture.Open("shop", c.user, c.password), c.error) << c.user << " / " << c.password;
        EXPECT_EQ(fixture.Root().Catalog().IsOpen(), c.error.empty()) << "a failed login leaves nothing open";
        fixture.Root().CloseCatalog();
    }
}

TEST(CatalogDataTest, OnlyStructureVersion300Opens)
{
    TRootFixture fixture;
    const std::pair<const char*, bool> versions[] = {
        {"3.0.0", true}, {"-", false}, {"3.0", false}, {"3.0.0 ", false}, {"2.5", false}};
    int n = 0;
    for (const auto& [version, opens] : versions) {
        TTestCatalog layout;
        layout.code = "v" + std::to_string(n++);
        layout.structureVersion = version;
        fixture.MakeCatalog(layout);
        EXPECT_EQ(fixture.Open(layout.code, "admin", "secret"), opens ? "" : "Not correct Tolvex database structure.")
            << "version '" << version << "'";
        fixture.Root().CloseCatalog();
    }

    // A database without the catalog tables: the failed read gives the same answer.
    auto factory = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
    ASSERT_TRUE(factory->CreateDatabase(fixture.DatabaseDir(), "", "empty", "", "", 0));
    EXPECT_EQ(fixture.Open("empty", "admin", "secret"), "Not correct Tolvex database structure.");
    EXPECT_EQ(fixture.Open("missing", "admin", "secret"), "Cannot connect to database");
    EXPECT_FALSE(fixture.Root().Catalog().IsOpen());
}

TEST(CatalogDataTest, AFileThatIsRefusedIsLeftAsItWas)
{
    TRootFixture fixture;
    const std::string dir = fixture.DatabaseDir();
    std::filesystem::create_directories(dir);
    // Another program's database, in its own journal mode.
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((dir + "/foreign.sqlite").c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE Notes (Id INTEGER PRIMARY KEY, Text TEXT);"
                                   "INSERT INTO Notes (Text) VALUES ('kept');", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    TCommonFunctions::SaveStringToFile("", dir + "/blank.sqlite");
    // A catalog's tables without the structure version.
    TTestCatalog noVersion;
    noVersion.code = "noversion";
    noVersion.structureVersion = "-";
    fixture.MakeCatalog(noVersion);

    for (const char* code : {"foreign", "blank", "noversion"}) {
        const std::string file = dir + "/" + code + ".sqlite";
        const std::string before = BytesOf(file);
        EXPECT_EQ(fixture.Open(code, "admin", "secret"), "Not correct Tolvex database structure.") << code;
        EXPECT_FALSE(fixture.Root().Catalog().IsOpen());
        EXPECT_EQ(BytesOf(file), before) << code << ": the bytes are unchanged";
        EXPECT_FALSE(std::filesystem::exists(file + "-wal")) << code;
    }
}

TEST(CatalogDataTest, CatalogTypeMustBeKnownUnlessFlagsAcceptTypeZero)
{
    TRootFixture fixture;
    TTestCatalog noInfo;
    noInfo.code = "noinfo";
    noInfo.withCatalogInfo = false;
    fixture.MakeCatalog(noInfo);
    EXPECT_EQ(fixture.Open("noinfo", "admin", "secret"), "Cannot read catalog information");

    TTestCatalog typeZero;
    typeZero.code = "zero";
    typeZero.type = 0;
    typeZero.styleVersion = "-";
    fixture.MakeCatalog(typeZero);
    EXPECT_EQ(fixture.Open("zero", "admin", "secret"), "Unknown catalog type");

    // Flags 3: no user check (an unknown user opens), no style check, role administrator.
    EXPECT_EQ(fixture.Open("zero", "stranger", "", kOpenAcceptTypeZero | kOpenSkipUserCheck), "");
    ASSERT_NE(fixture.Data(), nullptr);
    EXPECT_EQ(fixture.Data()->GetCatalogType(), 0);
    EXPECT_EQ(fixture.Data()->GetUserRole(), urAdministrator);
    EXPECT_FALSE(fixture.Log().Has("StyleDialog mode 0"));
}

TEST(CatalogDataTest, ACatalogTypeWithoutDefinitionIsRefusedAndTheProgramGoesOn)
{
    TRootFixture fixture;
    TTestCatalog foreign;
    foreign.code = "foreign";
    foreign.type = 987;  // no definition database for this type
    foreign.styleVersion = "-";
    fixture.MakeCatalog(foreign);
    fixture.MakeCatalog(TTestCatalog{});

    std::string error;
    ASSERT_NO_THROW(error = fixture.Open("foreign", "admin", "secret"));
    EXPECT_EQ(error, "Unknown catalog type");
    EXPECT_FALSE(fixture.Root().Catalog().IsOpen());
    EXPECT_EQ(fixture.Open("shop", "admin", "secret"), "") << "another catalog opens afterwards";
    ASSERT_NE(fixture.Data(), nullptr);
    EXPECT_EQ(fixture.Data()->GetCatalogType(), 1);
}

TEST(CatalogDataTest, OpeningLoadsTheTypeDefinitionLanguagesAndMenus)
{
    TRootFixture fixture;
    TTestCatalog layout;
    layout.code = "Shop";
    layout.languages = {"EN", "DE"};
    layout.defaultLanguage = "DE";
    fixture.MakeCatalog(layout);
    fixture.Log().Clear();
    ASSERT_EQ(fixture.Open("Shop", "admin", "secret"), "");
    TCatalogData& data = *fixture.Data();
    EXPECT_EQ(data.GetCatalogCode(), "shop");
    EXPECT_EQ(data.GetCatalogType(), 1);
    EXPECT_EQ(fixture.Root().Catalog().GetDefinition().GetLoadedCatalogType(), 1);
    EXPECT_EQ(data.GetDefaultLangCode(), "DE");
    EXPECT_EQ(data.GetCurrentLangCode(), "DE") << "the current language starts as the default one";
    EXPECT_EQ(data.GetLanguages(), (std::vector<std::string>{"EN", "DE"}));
    EXPECT_EQ(fixture.Log().Matching("Remove"), std::vector<std::string>{"RemoveCatalogMenuItems"});
    const std::vector<std::string> added = fixture.Log().Matching("Add");
    EXPECT_EQ(added, (std::vector<std::string>{"AddMenuActions", "AddSearchItems", "AddToolbarActions"}));
}

TEST(CatalogDataTest, StyleCatalogCodeOpensTheTypesDefinitionDatabase)
{
    TRootFixture fixture;
    // Setting 14 names the database; the code stays "t#1" in every query.
    const std::string dir = fixture.Home().File("styles");
    std::filesystem::create_directories(dir);
    const std::string file = SQLiteDatabaseFileName(dir, "catalog_1");
    std::filesystem::copy_file(fixture.Home().File("databases/catalog_1.sqlite"), file);
    const int version = fixture.Root().GlobalDefinition().GetCatalogTypeVersion(4);
    // The shipped definition database carries the structure version already.
    ExecOnFile(file, "INSERT OR REPLACE INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                     "IndexId, MemberType, StringValue) VALUES ('t#1', 733, 603, 1, 1, 'XXX', 0, 1, '" +
                         std::to_string(version) + "')");

    EXPECT_EQ(fixture.Open("t#1", "", "", kOpenAcceptTypeZero | kOpenSkipUserCheck, dir), "");
    ASSERT_NE(fixture.Data(), nullptr);
    EXPECT_EQ(fixture.Data()->GetCatalogCode(), "t#1");
    EXPECT_EQ(fixture.Data()->GetCatalogType(), 4) << "a style catalog opens as a catalog-type definition";
    TIniSettings& ini = fixture.Root().Settings().IniSettings();
    EXPECT_EQ(TCatalogData::DatabaseNameOf("t#12", ini), "catalog_12");
    EXPECT_EQ(TCatalogData::DatabaseNameOf("T#12", ini), "T#12") << "the prefix is case-sensitive";
    ini.SetString(siStylesDatabaseName, "defs_$CatalogType$_$CatalogType$");
    EXPECT_EQ(TCatalogData::DatabaseNameOf("t#3", ini), "defs_3_$CatalogType$") << "only the first is replaced";
}

TEST(CatalogDataTest, CatalogWithoutStyleAsksForTheFirstOne)
{
    TRootFixture fixture;
    TTestCatalog layout;
    layout.styleVersion = "-";
    fixture.MakeCatalog(layout);

    // Cancelled: the catalog is closed again and nothing is reported.
    EXPECT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_TRUE(fixture.Log().Has("StyleDialog mode 0"));
    EXPECT_FALSE(fixture.Root().Catalog().IsOpen());

    // Chosen: the login is remembered and the catalog opens again afterwards.
    fixture.Log().Clear();
    fixture.Shell().style.answers = {true};
    EXPECT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(fixture.Log().Matching("StyleDialog"), std::vector<std::string>{"StyleDialog mode 0"});
    EXPECT_TRUE(fixture.Log().Has("PostReopenCatalog"));
    EXPECT_EQ(fixture.Root().GetLoginParams().CatalogCode, "shop");
    EXPECT_EQ(fixture.Root().GetLoginParams().Password, "secret");

    // Without the check (flags bit 1) no style is asked for.
    fixture.Log().Clear();
    EXPECT_EQ(fixture.Open("shop", "admin", "secret", kOpenAcceptTypeZero), "");
    EXPECT_TRUE(fixture.Root().Catalog().IsOpen());
    EXPECT_TRUE(fixture.Log().Matching("StyleDialog").empty());
}

TEST(CatalogDataTest, OutdatedStylesAreOfferedByNumberUnlessDeclined)
{
    // The definition offers version 1.0 of the master template.
    struct Case {
        const char* version;
        const char* declined;
        bool offered;
    } cases[] = {
        {"0.5", "", true},  {"abc", "", true},       // unreadable counts as 0
        {"1.0", "", false}, {"1.00", "", false},     // equal as numbers
        {"2.0", "", false}, {"0.5", "1.0", false},   // declined up to the offered version
        {"0.5", "1.00", true},                       // declined text must equal the offered text
    };
    TRootFixture fixture;
    int n = 0;
    for (const Case& c : cases) {
        TTestCatalog layout;
        layout.code = "s" + std::to_string(n++);
        layout.styleVersion = c.version;
        layout.declinedStyleVersion = c.declined;
        fixture.MakeCatalog(layout);
        fixture.Gui().Clear();
        fixture.Log().Clear();
        if (c.offered)
            fixture.Gui().QueueAnswer(mrYes);
        ASSERT_EQ(fixture.Open(layout.code, "admin", "secret"), "");
        const bool asked = !fixture.Gui().Messages("question").empty();
        EXPECT_EQ(asked, c.offered) << c.version << " declined '" << c.declined << "'";
        if (asked) {
            EXPECT_EQ(fixture.Gui().Shown().front().caption, "New Visual Styles Available");
            EXPECT_TRUE(fixture.Log().Has("StyleDialog mode 1")) << "Yes runs the optional style dialog";
        }
        EXPECT_TRUE(fixture.Root().Catalog().IsOpen()) << "an update not taken keeps the catalog's styles";
        fixture.Root().CloseCatalog();
    }
}

TEST(CatalogDataTest, DecliningAStyleUpdateForGoodStopsTheQuestion)
{
    TRootFixture fixture;
    TTestCatalog layout;
    layout.styleVersion = "0.5";
    const std::string file = fixture.MakeCatalog(layout);

    // No, then Yes to "next time": nothing is recorded.
    fixture.Gui().QueueAnswer(mrNo);
    fixture.Gui().QueueAnswer(mrYes);
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(fixture.Gui().Messages("question").size(), 2u);
    EXPECT_TRUE(fixture.Log().Matching("StyleDialog").empty());
    EXPECT_TRUE(Declined(file).empty());
    fixture.Root().CloseCatalog();

    // No and No: the offered version is recorded as declined.
    fixture.Gui().Clear();
    fixture.Gui().QueueAnswer(mrNo);
    fixture.Gui().QueueAnswer(mrNo);
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(fixture.Gui().Messages("question"),
              (std::vector<std::string>{kStyleQuestion,
                                        "Propose to update styles next time you open the database?"}));
    EXPECT_EQ(Declined(file), std::vector<std::string>{"1.0"});
    fixture.Root().CloseCatalog();

    fixture.Gui().Clear();
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_TRUE(fixture.Gui().Messages("question").empty());
}

TEST(CatalogDataTest, PartnerPortalCatalogsBuildTheirCategoryPagesWhenTheyOpen)
{
    TRootFixture fixture;
    const std::string categories = fixture.Home().File("databases/zarivuro.sqlite");
    const std::string leaf = ColumnOfFile(categories, "SELECT CategoryId FROM ZUDICategories WHERE LeafCategory = 1 "
                                                      "ORDER BY CategoryId LIMIT 1").front();
    const std::string page = std::to_string(std::stoi(leaf) % 10000 + 110000);
    const std::string assign = "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId) VALUES "
                               "('$', 1000001, 3001, 100002, 1000001); INSERT INTO CNumbers (CatalogCode, ItemId, "
                               "ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, NumberValue) VALUES "
                               "('$', 1000001, 8001, 1, 2, 'XXX', 0, 101, " + leaf + ")";
    const auto assignIn = [&](const std::string& code) {
        std::string sql = assign;
        for (std::size_t at = sql.find('$'); at != std::string::npos; at = sql.find('$'))
            sql.replace(at, 1, code);
        ExecOnFile(SQLiteDatabaseFileName(fixture.DatabaseDir(), code), sql);
    };
    const auto pages = [&](const std::string& code) {
        return ColumnOfFile(SQLiteDatabaseFileName(fixture.DatabaseDir(), code),
                            "SELECT ItemId FROM Items WHERE ItemType = 8006");
    };

    ASSERT_TRUE(fixture.CreateCatalog("portal", 12));
    ASSERT_TRUE(fixture.CreateCatalog("shop", 1));
    assignIn("portal");
    assignIn("shop");
    ASSERT_EQ(fixture.Open("portal", "admin", "secret"), "");
    EXPECT_EQ(pages("portal"), std::vector<std::string>{page}) << "the page of the product's category";
    fixture.Root().CloseCatalog();

    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_TRUE(pages("shop").empty()) << "only partner-portal catalogs have category pages";
}

TEST(CatalogDataTest, PageBuilderReadsTheOpenCatalogThroughIt)
{
    TRootFixture fixture;
    const std::string file = fixture.MakeCatalog({});
    ExecOnFile(file, "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, "
                     "OrderNum) VALUES ('shop', 100001, 100, 1, 100001, 0, 1), ('shop', 100002, 100, 100001, "
                     "100002, 0, 1), ('shop', 100003, 100, 100001, 100003, 0, 2);"
                     "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                     "MemberType, StringValue) VALUES ('shop', 100001, 1, 1, 1, 'XXX', 0, 1, 'Home')");
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    TCatalogData& data = *fixture.Data();
    TGenerationCatalog& catalog = data;
    TAbstractDBConnection& connection = data.GetConnectionFactory().GetConnection();

    EXPECT_EQ(catalog.ResolveItemId("current", 100002, 0), 100002);
    EXPECT_EQ(catalog.ResolveItemId("Home", 0, 0), 100001);
    EXPECT_EQ(catalog.GetParentItemId(100002, "shop", connection), 100001);
    EXPECT_EQ(catalog.GetItemDescription(100003, "shop", connection).ParentItemId, 100001);
    EXPECT_EQ(catalog.GetNextSiblingId(100002, "shop", connection, false), 100003);
    EXPECT_EQ(catalog.GetPreviousSiblingId(100002, "shop", connection, false), 0);
    EXPECT_EQ(catalog.GetItemPath(100002, {}, "shop", connection), (std::vector<int>{100002, 100001}));
    EXPECT_EQ(catalog.CountItemsOfType(100001, 100, "shop", connection), 2);
    EXPECT_NE(catalog.GetCategoryConnection(), nullptr);
    EXPECT_EQ(data.GetItemName(100001, connection, ""), "Home");
}
