// The root object: its start and end order, the session count, the
// application error handler, a program without a main window, the home
// page and the names and addresses of page files.
#include "catalog/CatalogDataFixture.h"

#include "catalog/CatalogDefinition.h"
#include "common/Deployment.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "common/TolvexException.h"
#include "storage/TolvexObjectContext.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

TEST(RootObjectTest, StartCreatesAndDestroyFreesInFixedOrder)
{
    TRootFixture fixture(false);
    fixture.Root().Start();
    EXPECT_EQ(fixture.Log().calls, (Calls{"SetExceptionHandler", "CreateGuiControl", "GuiControl.Initialize",
                                          "CreateHelpSystem", "HelpSystem.Initialize"}));
    TTolvex& root = fixture.Root();
    EXPECT_TRUE(fs::is_directory(root.Settings().GetTempDir()));
    EXPECT_TRUE(fs::is_directory(root.Settings().GetPreviewDir()));
    EXPECT_TRUE(fs::exists(fixture.Home().File("databases/catalogs.sqlite"))) << "shipped databases built at start";
    EXPECT_EQ(DefaultDatabaseModuleContext().programFolder, fixture.Home().Path());
    EXPECT_EQ(root.Catalog().GetDefinition().GetLoadedCatalogType(), 0) << "menus come from type 0 at first";
    EXPECT_EQ(root.ObjectContext().GetClassId("CommonNames"), 1) << "the object model reads the classes list";
    EXPECT_NE(fixture.Shell().handler, nullptr);

    // With a catalog open, its window side goes with the catalog object,
    // after the GUI parts and before the error handler.
    fixture.MakeCatalog({});
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    fixture.Log().Clear();
    root.Destroy();
    EXPECT_EQ(fixture.Log().calls, (Calls{"FreeHelpSystem", "FreeGuiControl", "ClearCatalogUI",
                                          "FreeCatalogUI", "RemoveExceptionHandler"}));
    EXPECT_TRUE(DefaultDatabaseModuleContext().programFolder.empty()) << "the module context left with the settings";
    root.Destroy();
    EXPECT_EQ(fixture.Log().calls.size(), 5u) << "a second Destroy does nothing";
}

TEST(RootObjectTest, EveryStartCountsASessionOnOneComputerId)
{
    TRootFixture fixture(false);
    fixture.Home().Write("tolvex.ini", "[Key]\nadvanced=1\n");
    fixture.Root().Start();
    TIniSettings& first = fixture.Root().Settings().IniSettings();
    const std::string computerId = first.GetString(siComputerId);
    EXPECT_FALSE(computerId.empty());
    EXPECT_EQ(first.GetInteger(siSessionId, 0), 1);
    EXPECT_TRUE(fixture.Root().IsAdvancedMode());

    fixture.Root().Settings().IniSettings().WriteValue("Key", "advanced", "yes");
    fixture.Restart();
    TIniSettings& second = fixture.Root().Settings().IniSettings();
    EXPECT_EQ(second.GetString(siComputerId), computerId);
    EXPECT_EQ(second.GetInteger(siSessionId, 0), 2);
    EXPECT_FALSE(fixture.Root().IsAdvancedMode()) << "only \"1\" switches the advanced version on";
}

TEST(RootObjectTest, ErrorHandlerEndsTheProgramOnlyAfterFatalErrors)
{
    TRootFixture fixture;
    TTolvexException& handler = *fixture.Shell().handler;
    handler.HandleException(ECriticalTolvexException("Cannot open the database"));
    EXPECT_FALSE(fixture.Log().Has("Terminate"));
    handler.HandleException(EFatalTolvexException("Cannot open reference database"));
    EXPECT_TRUE(fixture.Log().Has("Terminate"));
    const std::vector<std::string> errors = fixture.Gui().Messages("error");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[1].find(Deployment::kSupportAddress), std::string::npos);
    EXPECT_NE(errors[1].find("Error message: Cannot open reference database"), std::string::npos);
}

TEST(RootObjectTest, ProgramWithoutMainWindowOpensAndClosesCatalogs)
{
    TRootFixture fixture(false);
    fixture.Shell().withWindow = false;
    fixture.Root().Start();
    EXPECT_EQ(fixture.Root().GuiControl(), nullptr);
    fixture.MakeCatalog({});
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_TRUE(fixture.Root().Catalog().IsOpen());
    EXPECT_TRUE(fixture.Root().CloseCatalog());
    EXPECT_FALSE(fixture.Root().Catalog().IsOpen());

    // Without a style dialog a catalog without style cannot get one.
    TTestCatalog noStyle;
    noStyle.code = "bare";
    noStyle.styleVersion = "-";
    fixture.MakeCatalog(noStyle);
    EXPECT_EQ(fixture.Open("bare", "admin", "secret"), "");
    EXPECT_FALSE(fixture.Root().Catalog().IsOpen());
}

TEST(RootObjectTest, HomePageIsTheCatalogPropertyOr100001)
{
    TRootFixture fixture;
    EXPECT_EQ(fixture.Root().GetHomePageId(), 100001) << "no catalog open";
    TTestCatalog withHome;
    withHome.code = "home";
    withHome.homePage = "100005";
    fixture.MakeCatalog(withHome);
    TTestCatalog zeroHome;
    zeroHome.code = "zero";
    zeroHome.homePage = "0";
    fixture.MakeCatalog(zeroHome);

    ASSERT_EQ(fixture.Open("home", "admin", "secret"), "");
    EXPECT_EQ(fixture.Root().GetHomePageId(), 100005);
    EXPECT_TRUE(fixture.Log().Has("Select 100005")) << "opening selects the home page";
    EXPECT_EQ(fixture.Root().GetPageFileName(100005, 9999, 0, true, nullptr, ""), "index.html");

    ASSERT_EQ(fixture.Open("zero", "admin", "secret"), "");
    EXPECT_EQ(fixture.Root().GetHomePageId(), 100001) << "each opening reads the property again";
}

TEST(RootObjectTest, PageFileNamesFollowTypePageAndHomePage)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    // 9999 is no item type of the definition: no flags, ".html".
    struct Case {
        int itemId, itemType, pageNo;
        bool index;
        const char* name;
    } cases[] = {
        {100001, 9999, 0, true, "index.html"}, {100001, 9999, 2, true, "index-2.html"},
        {100001, 9999, 0, false, "100001.html"}, {4711, 403, 2, false, "4711-2.jsp"},
        {4711, 403, 1, false, "4711.jsp"},     {4711, 403, 0, false, "4711.jsp"},
        {4711, 403, -1, false, "4711--1.jsp"},  {4711, 402, 3, false, "4711-3.asp"},
        {4711, 404, 0, false, "4711.php"},     {4711, 405, 0, false, "4711.shtml"},
        {4711, 7001, 0, false, "4711.pdf"},    {4711, 401, 0, false, "4711.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(root.GetPageFileName(c.itemId, c.itemType, c.pageNo, c.index, nullptr, ""), c.name)
            << c.itemId << " type " << c.itemType << " page " << c.pageNo;
    EXPECT_EQ(root.GetPageFileNameWithExt(100001, 9999, 0, "jsp", true, nullptr), "index.jsp");
    EXPECT_EQ(root.GetPageFileNameWithExt(4711, 403, 0, "php", false, nullptr), "4711.jsp") << "no .html: unchanged";
}

TEST(RootObjectTest, HostedAddressesOnlyForPublishedIds)
{
    TRootFixture fixture;
    fixture.MakeCatalog({});
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    TTolvex& root = fixture.Root();
    const std::string site = Deployment::kHostingSite + "/shop/pages/";
    EXPECT_EQ(root.GetHostedPageUrl(1000000, 9999, 0, "pages", nullptr, ""), "Will be assigned after publishing");
    EXPECT_EQ(root.GetHostedPageUrl(50000000, 9999, 0, "pages", nullptr, ""), "Will be assigned after publishing");
    EXPECT_EQ(root.GetHostedPageUrl(999999, 9999, 0, "pages", nullptr, ""), site + "999999.html");
    EXPECT_EQ(root.GetHostedPageUrl(50000001, 403, 2, "pages", nullptr, ""), site + "50000001-2.jsp");
    EXPECT_EQ(root.GetHostedPageUrl(100001, 9999, 0, "pages", nullptr, ""), site + "index.html");
}

// Once the catalog has a site address of its own, every page's address is
// on it (whatever its id), with the file name percent-encoded.
TEST(RootObjectTest, PageAddressesFollowTheSiteAddressOnceSet)
{
    TRootFixture fixture;
    fixture.MakeCatalog({});
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    TTolvex& root = fixture.Root();
    TAbstractDBConnection& connection = fixture.Data()->GetConnectionFactory().GetConnection();
    EXPECT_EQ(root.GetHostedPageUrl(1000000, 9999, 0, "EN", &connection, ""), "Will be assigned after publishing");
    fixture.Data()->SetCatalogProperty(kPropertyWebSiteUrl, " http://shop.example.com/ ", connection);
    EXPECT_EQ(root.GetHostedPageUrl(1000000, 9999, 0, "EN", &connection, ""), "http://shop.example.com/EN/1000000.html");
    EXPECT_EQ(root.GetHostedPageUrl(100001, 9999, 0, "DE", &connection, ""), "http://shop.example.com/DE/index.html");
    EXPECT_EQ(root.GetHostedPageUrl(4711, 9999, 2, "EN", &connection, "\xc3\x9c" "ber uns"),
              "http://shop.example.com/EN/%C3%9Cber%20uns-2.html");
}
