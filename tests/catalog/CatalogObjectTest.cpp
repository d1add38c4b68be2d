// The catalog object over a real program folder and catalog database:
// opening with its start sequence, closing with the recent list, the login
// entry points, the catalog list and menu, deleting a catalog database and
// the catalog information.
#include "catalog/Catalog.h"
#include "support/TestPaths.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogTypeData.h"
#include "catalog/PluginLoader.h"
#include "catalog/PluginsManager.h"
#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/SQLiteModule.h"
#include "storage/TolvexObjectContext.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using TCalls = std::vector<std::string>;

// The index of the SQLite module in the database-module list.
int SQLiteModuleIndex()
{
    TPluginsManager& modules = DBManager->GetPluginsManager();
    for (int i = 0; i < modules.GetCount(); ++i)
        if (modules.GetPlugin(i)->GetName() == SQLiteModuleName)
            return i;
    return -1;
}

void SetProperty(TCatalogEnvironment& env, int propertyId, const std::string& value)
{
    env.Catalog().SetCatalogProperty(propertyId, value, env.Connection(), env.Db().GetCatalogCode());
}

}  // namespace

// ---- opening --------------------------------------------------------------------------------------

TEST(CatalogObjectTest, TheStartSequenceDependsOnTheStartActionAndTheProperties)
{
    struct TCase {
        const char* what;
        std::string initialised, startOnAbout, actionString;
        TCalls calls;
    } cases[] = {
        {"a start action runs before the interface is built", "", "", "Action=Welcome",
         {"StartImageServer", "ExecuteAction 7 check", "BuildUI", "Select 100001"}},
        {"an initialised catalog opens on its home page", "yes", "", "Action=Welcome",
         {"StartImageServer", "BuildUI", "Select 100001"}},
        {"a posted start action runs after the interface exists", "", "", "Action=Welcome&Post=yes",
         {"StartImageServer", "BuildUI", "PostAction 7 check"}},
        {"the about page instead of the home page", "yes", "yes", "Action=Welcome",
         {"StartImageServer", "BuildUI", "PostAction 10"}},
    };
    for (const TCase& c : cases) {
        TCatalogEnvironment env;
        SetProperty(env, kPropertyInitialised, c.initialised);
        SetProperty(env, kPropertyStartOnAbout, c.startOnAbout);
        env.Host().startActionId = 7;
        env.Host().actions[7] = c.actionString;

        EXPECT_EQ(env.OpenCatalog(1), "") << c.what;
        EXPECT_EQ(env.Host().calls, c.calls) << c.what;
        EXPECT_TRUE(env.Catalog().IsOpen());
        EXPECT_EQ(env.Db().Context().GetOpenCatalog(), env.Catalog().GetOpenCatalog())
            << "the object model sees the open catalog";
        EXPECT_EQ(TTempFolder::Read(env.Settings().GetPreviewDir() + "/custom.xsl"), "<xsl:stylesheet/>\r\n");
    }
}

TEST(CatalogObjectTest, TheDefinitionUpgradeRunsOnceUpToTheTypesVersion)
{
    TCatalogEnvironment env;
    env.Host().typeVersions[1] = 3;
    ASSERT_EQ(env.OpenCatalog(1), "");
    EXPECT_EQ(env.Host().calls, (TCalls{"StartImageServer", "UpgradeDefinition shop 1 from 0", "BuildUI",
                                        "Select 100001"}));
    EXPECT_EQ(TCatalog::GetCatalogProperty(kPropertyDefinitionVersion, env.Connection(), "shop"), "3");

    env.Catalog().Close();
    env.Host().calls.clear();
    ASSERT_EQ(env.OpenCatalog(1), "");
    EXPECT_EQ(env.Host().calls, (TCalls{"StartImageServer", "BuildUI", "Select 100001"})) << "already up to date";
}

TEST(CatalogObjectTest, ACatalogWithoutTypeOpensWithoutTheStartSequence)
{
    TCatalogEnvironment env;
    ASSERT_EQ(env.OpenCatalog(0, 1), "");
    EXPECT_TRUE(env.Host().calls.empty());
    EXPECT_TRUE(env.Catalog().IsOpen());
    EXPECT_FALSE(fs::exists(env.Settings().GetPreviewDir() + "/custom.xsl"));
}

TEST(CatalogObjectTest, AFailedOpenKeepsItsDataUntilClosed)
{
    TCatalogEnvironment env;
    env.Host().openError = "Cannot connect to database";
    EXPECT_EQ(env.OpenCatalog(1), "Cannot connect to database");
    EXPECT_TRUE(env.Catalog().IsOpen());
    EXPECT_NE(env.Db().Context().GetOpenCatalog(), env.Catalog().GetOpenCatalog());

    env.Settings().IniSettings().SetString(siLastUsed1, "a");
    env.Catalog().Close();
    EXPECT_FALSE(env.Catalog().IsOpen());
    EXPECT_EQ(env.Settings().IniSettings().GetString(siLastUsed1), "a") << "a catalog without code is not listed";
    EXPECT_EQ(env.Settings().IniSettings().GetString(siLastUsed2), "");
}

TEST(CatalogObjectTest, ACatalogOfThePreviousGenerationIsConvertedWhenTheUserAgrees)
{
    for (int answer : {mrNo, mrYes}) {
        TCatalogEnvironment env;
        env.Host().openError = "Not correct Tolvex database structure.";
        env.Host().convertible = true;
        env.Gui().QueueAnswer(answer);
        const std::string error = env.OpenCatalog(1);
        EXPECT_EQ(env.Gui().Messages("question"),
                  TCalls{"Do you want to convert \"shop\" database to Tolvex 3?"});
        if (answer == mrNo) {
            EXPECT_EQ(error, "Not correct Tolvex database structure.");
            continue;
        }
        EXPECT_EQ(error, "reopen");
        EXPECT_FALSE(env.Catalog().IsOpen());
        EXPECT_EQ(env.Host().calls, (TCalls{"IsConvertibleOldCatalog shop", "StopImageServer",
                                            "ConvertOldCatalog shop user ''",
                                            "SetLoginParams /converted SQLite shop"}));
        EXPECT_EQ(env.Host().login.UserName, "admin");
    }

    TCatalogEnvironment env;
    env.Host().openError = "Not correct Tolvex database structure.";
    EXPECT_EQ(env.OpenCatalog(1), "Not correct Tolvex database structure.");
    EXPECT_TRUE(env.Gui().Shown().empty()) << "a file that cannot be converted asks nothing";
}

TEST(CatalogObjectTest, InitializeLoadsTheDefinitionOfTypeZero)
{
    TCatalogEnvironment env;
    BuildCatalogTypeDatabase(ShippedDataSourceDir() + "/catalogtypes/catalog_0.xml",
                             env.Home().File("databases/catalog_0.sqlite"));
    env.Catalog().Initialize();
    EXPECT_EQ(env.Catalog().GetDefinition().GetLoadedCatalogType(), 0);
}

// ---- closing and the recent list ---------------------------------------------------------------

TEST(CatalogObjectTest, ClosingPutsTheCatalogFirstInTheRecentList)
{
    struct TCase {
        std::string code;
        TCalls before, after;
    } cases[] = {
        {"c", {"a", "b", "c", "d", "e"}, {"c", "a", "b", "", "d"}},
        {"a", {"a", "b", "c", "d", "e"}, {"a", "b", "c", "d", "e"}},
        {"x", {"a", "b", "c", "d", "e"}, {"x", "a", "b", "c", "d"}},
    };
    for (const TCase& c : cases) {
        TCatalogEnvironment env(c.code);
        for (int i = 0; i < 5; ++i)
            env.Settings().IniSettings().SetString(siLastUsed1 + i, c.before[i]);
        ASSERT_EQ(env.OpenCatalog(1), "");
        env.Catalog().Close();
        EXPECT_EQ(env.Host().calls.back(), "StopImageServer");
        EXPECT_EQ(env.Db().Context().GetOpenCatalog(), nullptr);
        TCalls after;
        for (int i = 0; i < 5; ++i)
            after.push_back(env.Settings().IniSettings().GetString(siLastUsed1 + i));
        EXPECT_EQ(after, c.after) << "closing " << c.code;
    }
}

TEST(CatalogObjectTest, QueryCloseAsksAboutAnOpenCatalogAndLeavesTheRestToTheRootObject)
{
    TCatalogEnvironment env;
    EXPECT_TRUE(env.Catalog().QueryClose());
    EXPECT_EQ(env.Host().calls, TCalls{"CloseCatalog"});

    ASSERT_EQ(env.OpenCatalog(1), "");
    env.Host().calls.clear();
    EXPECT_FALSE(env.Catalog().QueryClose()) << "the question is answered No";
    EXPECT_EQ(env.Gui().Messages("question"), TCalls{"Do you want to close \"shop\" catalog?"});
    EXPECT_TRUE(env.Host().calls.empty());

    env.Gui().QueueAnswer(mrYes);
    env.Host().closeCatalogAnswer = false;  // the editor refuses to be left
    EXPECT_FALSE(env.Catalog().QueryClose());
    EXPECT_EQ(env.Host().calls, TCalls{"CloseCatalog"});
}

TEST(CatalogObjectTest, LoginEntryPointsRunOnlyAfterTheCatalogMayBeClosed)
{
    TCatalogEnvironment env;
    TIniSettings& settings = env.Settings().IniSettings();
    settings.SetString(siLastUsed2, "beta");

    env.Catalog().OpenRecentCatalog(2);
    env.Catalog().OpenRecentCatalog(3);  // empty
    env.Catalog().OpenRecentCatalog(6);  // no such entry
    env.Catalog().NewCatalog();
    env.Catalog().NewCatalogFromHost();
    env.Catalog().OpenFileWithLogin("/data", "shop", SQLiteModuleName);
    EXPECT_EQ(env.Host().calls,
              (TCalls{"CloseCatalog", "LoginShowWelcome beta auto", "CloseCatalog", "LoginNewCatalog", "CloseCatalog",
                      "LoginNewCatalogFromHost", "CloseCatalog", "LoginOpenCatalog /data shop SQLite"}));

    env.Host().calls.clear();
    env.Host().closeCatalogAnswer = false;
    env.Catalog().OpenWithLogin("shop", false);
    EXPECT_EQ(env.Host().calls, TCalls{"CloseCatalog"});
}

TEST(CatalogObjectTest, OnlyTheRememberedCatalogsDatabaseIsDeleted)
{
    TCatalogEnvironment env;
    const std::string dbDir = env.Settings().GetDatabasePath();
    fs::create_directories(dbDir);
    auto factory = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
    ASSERT_TRUE(factory->CreateDatabase(dbDir, "", "other", "", "", 0));
    env.Host().login = {"", SQLiteModuleName, "", "other", "", ""};

    EXPECT_FALSE(env.Catalog().DeleteCatalogDatabase("shop"));
    EXPECT_TRUE(fs::exists(SQLiteDatabaseFileName(dbDir, "other")));
    EXPECT_TRUE(env.Catalog().DeleteCatalogDatabase("other")) << "an empty path is the database folder";
    EXPECT_FALSE(fs::exists(SQLiteDatabaseFileName(dbDir, "other")));
}

// ---- the catalog list ------------------------------------------------------------------------------

TEST(CatalogObjectTest, TheCatalogListHoldsTheFilesOfTheDatabaseAndProgramFolders)
{
    TCatalogEnvironment env;
    const std::string dbDir = env.Settings().GetDatabasePath();
    const std::string programDir = env.Home().Path();
    const int tag = SQLiteModuleIndex();
    env.Home().Write("UserData/shop.sqlite", "");
    env.Home().Write("UserData/Beta.Backup.SQLITE", "");
    env.Home().Write("UserData/notes.txt", "");
    env.Home().Write("UserData/half~new.sqlite", "");  // a creation that was cut short
    env.Home().Write("UserData/Half~NEW.sqlite", "");
    env.Home().Write("shop.sqlite", "");

    std::vector<TCatalog::TListEntry> list{{"stale", 0}};
    env.Catalog().GetCatalogList(list);
    std::vector<TCatalog::TListEntry> expected = {{"beta===" + dbDir + "/Beta.Backup.SQLITE", tag},
                                                  {"shop===" + dbDir + "/shop.sqlite", tag},
                                                  {"shop===" + programDir + "/shop.sqlite", tag}};
    EXPECT_EQ(list, expected) << "a catalog in both folders is listed twice";

    env.Settings().IniSettings().SetString(siDatabaseDefaultPath, programDir + "//.");
    env.Catalog().GetCatalogList(list);
    EXPECT_EQ(list, (std::vector<TCatalog::TListEntry>{{"shop===" + programDir + "//./shop.sqlite", tag}}))
        << "the same folder written otherwise is listed once";
    EXPECT_TRUE(env.Catalog().CatalogFileExists("shop"));
    EXPECT_FALSE(env.Catalog().CatalogFileExists("beta"));
}

TEST(CatalogObjectTest, CatalogsOfAPreviousInstallationAreListedOnceAndCopiedWhenChosen)
{
    TCatalogEnvironment env;
    TTempFolder oldInstall;
    const std::string dbDir = env.Settings().GetDatabasePath();
    env.Home().Write("UserData/shop.sqlite", "");
    oldInstall.Write("shop.sqlite", "");
    oldInstall.Write("old.sqlite", "old catalog");
    env.Catalog().SetOldInstallFolder(oldInstall.Path());

    const std::vector<TCatalog::TMenuEntry> menu = env.Catalog().FillCatalogsMenu();
    const std::vector<TCatalog::TMenuEntry> expected = {
        {"shop", dbDir + "/shop.sqlite", SQLiteModuleIndex()},
        {"Tolvex 2.50 / old", oldInstall.File("old.sqlite"), kOldInstallCatalogTag},
    };
    EXPECT_EQ(menu, expected) << "sorted; the old shop is hidden by the listed one";

    env.Catalog().CatalogMenuItemClick(menu[1]);
    EXPECT_EQ(TTempFolder::Read(dbDir + "/old.sqlite"), "old catalog");
    EXPECT_EQ(env.Host().calls.back(), "LoginOpenCatalog " + oldInstall.Path() + " old SQLite")
        << "opened from the folder it was listed from";

    env.Catalog().CatalogMenuItemClick(menu[0]);
    EXPECT_EQ(env.Host().calls.back(), "LoginOpenCatalog " + dbDir + " shop SQLite");
}

// ---- catalog information ---------------------------------------------------------------------------

TEST(CatalogObjectTest, CatalogInformation)
{
    TCatalogEnvironment env;
    ASSERT_EQ(env.OpenCatalog(3), "");
    struct TCase {
        std::string code;
        bool found;
        int type;
        std::string lowerCode;
    } cases[] = {
        {"t#7", true, 4, "t#7"},     // a catalog-type definition
        {"T#7", false, -1, "-"},     // the prefix is tested with its case: looked up, not found
        {"SHOP", true, 3, "shop"},
    };
    for (const TCase& c : cases) {
        std::string lowerCode = "-";
        int type = -1;
        std::string error = "old";
        EXPECT_EQ(env.Catalog().GetCatalogInfo(c.code, env.Connection(), lowerCode, type, error), c.found) << c.code;
        EXPECT_EQ(type, c.type) << c.code;
        EXPECT_EQ(lowerCode, c.lowerCode) << c.code;
        if (!c.found) {
            EXPECT_EQ(error, "Cannot read catalog information");
        }
    }
}
