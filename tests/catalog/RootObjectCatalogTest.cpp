// The root object's catalog operations on real catalog files: opening,
// closing, reopening, deleting, backup with its reminder, restore and
// compaction.
#include "catalog/CatalogDataFixture.h"

#include "catalog/CatalogDefinition.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "storage/SQLiteFiles.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

namespace {

int ItemCount(const std::string& file)
{
    return std::stoi(ColumnOfFile(file, "SELECT COUNT(*) FROM Items").front());
}

// A catalog in a folder of its own (not the database folder), opened.
struct TOpenCatalog {
    explicit TOpenCatalog(TRootFixture& fixture) : dir(fixture.Home().File("elsewhere"))
    {
        TTestCatalog layout;
        layout.dir = dir;
        file = fixture.MakeCatalog(layout);
        EXPECT_EQ(fixture.Open("shop", "admin", "secret", 0, dir), "");
    }
    std::string dir;
    std::string file;
};

}  // namespace

TEST(RootObjectCatalogTest, OpeningLaysTheWindowOutAndRemembersTheLogin)
{
    TRootFixture fixture;
    fixture.MakeCatalog({});
    TTolvex& root = fixture.Root();

    EXPECT_EQ(fixture.Open("", "admin", "secret"), "") << "an empty code does nothing";
    EXPECT_FALSE(root.Catalog().IsOpen());
    EXPECT_EQ(fixture.Open("shop", "admin", "wrong"), "Wrong password for user \"admin\" in catalog \"shop\"");
    EXPECT_FALSE(root.Catalog().IsOpen());
    EXPECT_EQ(root.GetLoginParams().CatalogCode, "") << "a failed open remembers nothing";
    std::string error;
    EXPECT_THROW(root.OpenCatalog("", "NoSuchModule", "", "shop", "admin", "secret", 0, error),
                 EFatalTolvexException);
    EXPECT_FALSE(root.Catalog().IsOpen()) << "an opening that raised leaves nothing half open";

    fixture.Log().Clear();
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    const TLoginParams login = root.GetLoginParams();
    EXPECT_EQ(login.DbPath, "");
    EXPECT_EQ(login.DbType, SQLiteModuleName);
    EXPECT_EQ(login.CatalogCode, "shop");
    EXPECT_EQ(login.UserName, "admin");
    EXPECT_EQ(login.Password, "secret");
    // The start sequence, then the window.
    const Calls& calls = fixture.Log().calls;
    const auto built = std::find(calls.begin(), calls.end(), "BuildUI");
    const auto laidOut = std::find(calls.begin(), calls.end(), "UpdateCatalogState open");
    ASSERT_NE(built, calls.end());
    ASSERT_NE(laidOut, calls.end());
    EXPECT_LT(built, laidOut);
    EXPECT_TRUE(fixture.Log().Has("Status 0 Catalog \"shop\" opened"));
    EXPECT_EQ(fixture.Shell().caption,
              "shop " + root.GlobalDefinition().GetCatalogTypeName(1) + " <Tolvex>");
    const std::string customXsl = TTempFolder::Read(root.Settings().GetPreviewDir() + "/custom.xsl");
    EXPECT_NE(customXsl.find("<xsl:template name=\"custom5\"/>"), std::string::npos)
        << "the preview folder gets the default custom templates";
}

TEST(RootObjectCatalogTest, ClosingStoresTheSessionAndReturnsToTypeZero)
{
    TRootFixture fixture;
    fixture.MakeCatalog({});
    TTolvex& root = fixture.Root();
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");

    // The item being edited refuses: nothing closes.
    fixture.Shell().canLeave = false;
    const std::string caption = fixture.Shell().caption;
    fixture.Log().Clear();
    EXPECT_FALSE(root.CloseCatalog());
    EXPECT_TRUE(root.Catalog().IsOpen());
    EXPECT_EQ(fixture.Shell().caption, caption);
    EXPECT_EQ(fixture.Log().calls, Calls{"CanLeave"});

    fixture.Shell().canLeave = true;
    fixture.Log().Clear();
    EXPECT_TRUE(root.CloseCatalog());
    EXPECT_FALSE(root.Catalog().IsOpen());
    EXPECT_EQ(fixture.Log().calls, (Calls{"CanLeave", "RemoveCatalogActions", "ClearCatalogUI", "FreeCatalogUI",
                                          "AddMenuActions", "AddSearchItems", "UpdateCatalogState closed"}));
    EXPECT_EQ(fixture.Shell().caption, "Tolvex");
    EXPECT_EQ(root.Catalog().GetDefinition().GetLoadedCatalogType(), 0);
    TIniSettings& ini = root.Settings().IniSettings();
    EXPECT_EQ(ini.GetString(siLastSessionDatabaseName), "shop");
    EXPECT_EQ(ini.ReadValue("catalog-shop", "UserName", ""), "admin");
    EXPECT_EQ(root.GetLoginParams().CatalogCode, "shop") << "a closed catalog can still be reopened or deleted";

    // Closing with no catalog open only lays the window out again.
    fixture.Log().Clear();
    EXPECT_TRUE(root.CloseCatalog());
    EXPECT_FALSE(fixture.Log().Has("CanLeave"));
    EXPECT_TRUE(fixture.Log().Has("UpdateCatalogState closed"));
}

TEST(RootObjectCatalogTest, ReopeningOpensTheRememberedCatalogAgain)
{
    TRootFixture fixture;
    TOpenCatalog open(fixture);
    TTolvex& root = fixture.Root();

    fixture.Shell().canLeave = false;
    fixture.Log().Clear();
    root.ReopenCatalog();
    EXPECT_FALSE(fixture.Log().Has("BuildUI")) << "refused: nothing reopened";

    fixture.Shell().canLeave = true;
    root.ReopenCatalog();
    EXPECT_TRUE(fixture.Log().Has("FreeCatalogUI"));
    EXPECT_TRUE(fixture.Log().Has("BuildUI"));
    ASSERT_TRUE(root.Catalog().IsOpen());
    EXPECT_EQ(root.GetLoginParams().DbPath, open.dir);
}

TEST(RootObjectCatalogTest, DeletingRemovesOnlyTheRememberedClosedCatalog)
{
    TRootFixture fixture;
    const std::string file = fixture.MakeCatalog({});
    TTestCatalog other;
    other.code = "other";
    const std::string otherFile = fixture.MakeCatalog(other);
    TTolvex& root = fixture.Root();
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");

    EXPECT_FALSE(root.DeleteCatalog("")) << "a database still open is never deleted";
    EXPECT_TRUE(fs::exists(file));
    ASSERT_TRUE(root.CloseCatalog());
    EXPECT_FALSE(root.DeleteCatalog("other"));
    EXPECT_TRUE(fs::exists(otherFile));

    fixture.Gui().Clear();
    EXPECT_TRUE(root.DeleteCatalog(""));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(fixture.Gui().Messages("error").empty());
    const TLoginParams login = root.GetLoginParams();
    EXPECT_EQ(login.CatalogCode + login.DbType + login.UserName + login.Password, "") << "all six values cleared";

    EXPECT_FALSE(root.DeleteCatalog(""));
    EXPECT_EQ(fixture.Gui().Messages("error"), Calls{"Catalog \"\" cannot be deleted."});
}

TEST(RootObjectCatalogTest, BackupCopiesTheCatalogFromItsOwnFolder)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    root.BackupCatalog();
    root.AutoBackupCatalog();
    EXPECT_TRUE(fixture.Gui().Shown().empty()) << "nothing happens while no catalog is open";

    TOpenCatalog open(fixture);
    const std::string chosen = fixture.Home().File("backup/by hand.sqlite");
    fixture.Gui().QueueInput(chosen);
    root.BackupCatalog();
    ASSERT_TRUE(fs::exists(chosen));
    EXPECT_EQ(ItemCount(chosen), ItemCount(open.file));
    EXPECT_EQ(fixture.Gui().Messages("information").size(), 1u);

    root.AutoBackupCatalog();
    const std::string kept = root.Settings().IniSettings().ReadValue("backup_shop", "BackupFileName_1", "");
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(ItemCount(fixture.Home().File("backup/" + kept)), ItemCount(open.file));
}

TEST(RootObjectCatalogTest, RestoreReplacesTheClosedCatalogAndReopensIt)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    TOpenCatalog open(fixture);
    const std::string backup = fixture.Home().File("backup/saved.sqlite");
    fixture.Gui().QueueInput(backup);
    root.BackupCatalog();
    const int items = ItemCount(open.file);
    ExecOnFile(open.file, "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId) "
                          "VALUES ('shop', 100099, 100, 1, 100099)");
    ASSERT_EQ(ItemCount(open.file), items + 1);

    // The item being edited refuses: no dialog, nothing replaced, no reopen.
    fixture.Shell().canLeave = false;
    fixture.Gui().Clear();
    root.RestoreCatalog();
    EXPECT_TRUE(fixture.Gui().Shown().empty());
    EXPECT_FALSE(fixture.Log().Has("PostReopenCatalog"));
    EXPECT_TRUE(root.Catalog().IsOpen());
    EXPECT_EQ(ItemCount(open.file), items + 1);

    fixture.Shell().canLeave = true;
    fixture.Gui().QueueInput(backup);
    root.RestoreCatalog();
    EXPECT_FALSE(root.Catalog().IsOpen());
    EXPECT_TRUE(fixture.Log().Has("PostReopenCatalog"));
    EXPECT_TRUE(fixture.Gui().Messages("error").empty());
    EXPECT_EQ(ItemCount(open.file), items) << "the catalog's own file was restored";

    root.ReopenCatalog();
    EXPECT_TRUE(root.Catalog().IsOpen());
}

TEST(RootObjectCatalogTest, CompactionRunsOnTheClosedCatalogAndReopensIt)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    TOpenCatalog open(fixture);
    const int items = ItemCount(open.file);

    fixture.Shell().canLeave = false;
    root.CompactCatalog();
    EXPECT_TRUE(root.Catalog().IsOpen());
    EXPECT_FALSE(fixture.Log().Has("PostReopenCatalog"));
    EXPECT_TRUE(fixture.Gui().Shown().empty());

    fixture.Shell().canLeave = true;
    root.CompactCatalog();
    EXPECT_EQ(fixture.Gui().Messages("information"), Calls{"Database has been successfully compressed"});
    EXPECT_TRUE(fixture.Log().Has("PostReopenCatalog"));
    EXPECT_EQ(ItemCount(open.file), items);
    root.ReopenCatalog();
    EXPECT_TRUE(root.Catalog().IsOpen());
}

TEST(RootObjectCatalogTest, BackupReminderAsksOnceTheIntervalHasPassed)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    TIniSettings& ini = root.Settings().IniSettings();

    // The first time only the day is recorded.
    EXPECT_FALSE(root.AskBackupReminder("shop"));
    const std::string first = ini.ReadValue("backup_shop", "LastBackup", "");
    EXPECT_FALSE(first.empty());
    fixture.AddDays(6);
    EXPECT_FALSE(root.AskBackupReminder("shop"));
    EXPECT_TRUE(fixture.Gui().Shown().empty());

    fixture.AddDays(1);
    fixture.Gui().QueueAnswer(mrYes);
    EXPECT_TRUE(root.AskBackupReminder("shop"));
    ASSERT_EQ(fixture.Gui().Shown().size(), 1u);
    const TShownBox& box = fixture.Gui().Shown().front();
    EXPECT_EQ(box.message, "You have not backed-up your catalog database in more than 7 days. Backup now?");
    EXPECT_EQ(box.caption, "Process backup?");
    EXPECT_EQ(box.checkBoxText, "Don't remind me again");
    EXPECT_EQ(ini.ReadValue("backup_shop", "LastBackup", ""), first) << "asking never records a backup";

    // Ticking the box stops the reminder for every catalog.
    fixture.Gui().QueueAnswer(mrNo);
    fixture.Gui().QueueCheckBox(true);
    EXPECT_FALSE(root.AskBackupReminder("shop"));
    EXPECT_TRUE(ini.GetBool(siBackupDontRemind, false));
    ini.WriteValue("backup_other", "LastBackup", "1");
    fixture.Gui().Clear();
    EXPECT_FALSE(root.AskBackupReminder("other"));
    EXPECT_TRUE(fixture.Gui().Shown().empty());

    // A catalog of its own switched off, and an interval of 0, never ask.
    ini.SetBool(siBackupDontRemind, false);
    ini.WriteValue("backup_other", "DontRemind", "1");
    EXPECT_FALSE(root.AskBackupReminder("other"));
    ini.SetInteger(siBackupRemind, 0);
    EXPECT_FALSE(root.AskBackupReminder("shop"));
    EXPECT_TRUE(fixture.Gui().Shown().empty());
}

TEST(RootObjectCatalogTest, OpeningAfterTheIntervalOffersTheAutomaticBackup)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    fixture.MakeCatalog({});
    root.Settings().IniSettings().WriteValue("backup_shop", "LastBackup", "1");
    fixture.Gui().QueueAnswer(mrYes);
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    const std::string kept = root.Settings().IniSettings().ReadValue("backup_shop", "BackupFileName_1", "");
    ASSERT_FALSE(kept.empty());
    EXPECT_TRUE(fs::exists(fixture.Home().File("backup/" + kept)));
}

TEST(RootObjectCatalogTest, AStyleCatalogsReminderReadsTheDateItsBackupWrites)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    const std::string dir = fixture.Home().File("styles");
    fs::create_directories(dir);
    const std::string file = SQLiteDatabaseFileName(dir, "catalog_1");
    fs::copy_file(fixture.Home().File("databases/catalog_1.sqlite"), file);
    const int version = root.GlobalDefinition().GetCatalogTypeVersion(4);
    // The shipped definition database carries the structure version already.
    ExecOnFile(file, "INSERT OR REPLACE INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                     "IndexId, MemberType, StringValue) VALUES ('t#1', 733, 603, 1, 1, 'XXX', 0, 1, '" +
                         std::to_string(version) + "')");
    TIniSettings& ini = root.Settings().IniSettings();
    ini.WriteValue("backup_catalog_1", "LastBackup", "1");  // long ago

    fixture.Gui().QueueAnswer(mrYes);
    ASSERT_EQ(fixture.Open("t#1", "", "", kOpenAcceptTypeZero | kOpenSkipUserCheck, dir), "");
    EXPECT_EQ(fixture.Gui().Shown().size(), 1u) << "the reminder asks";
    EXPECT_FALSE(ini.ReadValue("backup_catalog_1", "BackupFileName_1", "").empty()) << "the backup ran";
    EXPECT_EQ(ini.ReadValue("backup_t#1", "LastBackup", ""), "") << "one section for both";

    ASSERT_TRUE(root.CloseCatalog());
    fixture.Gui().Clear();
    ASSERT_EQ(fixture.Open("t#1", "", "", kOpenAcceptTypeZero | kOpenSkipUserCheck, dir), "");
    EXPECT_TRUE(fixture.Gui().Shown().empty()) << "no reminder right after a backup";
}
