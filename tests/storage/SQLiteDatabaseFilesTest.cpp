// The module's file operations: create, open, check, delete, rename, the
// open warning, backups (by hand and rotating), restore and compaction.
#include "SQLiteFixture.h"

#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteFiles.h"

#include <sqlite3.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class SQLiteDatabaseFilesTest : public SQLiteFixture {
protected:
    std::string DbFile(const std::string& name = "shop") const { return SQLiteDatabaseFileName(dir, name); }
    std::string BackupDir() const { return folder.Path() + "/backup"; }

    // Opens a database file on its own and counts the rows of Items.
    static std::int64_t ItemsIn(const std::string& fileName)
    {
        TSQLiteConnectionFactory probe("SQLite", "", {});
        fs::path path(fileName);
        std::string name = path.stem().string();
        if (!probe.OpenDatabase(path.parent_path().string(), name, "", ""))
            return -1;
        return Count(probe.GetConnection(), "Items");
    }

    static bool IntegrityOk(const std::string& fileName)
    {
        TSQLiteConnectionFactory probe("SQLite", "", {});
        fs::path path(fileName);
        probe.OpenDatabase(path.parent_path().string(), path.stem().string(), "", "");
        return Scalar(probe.GetConnection(), "PRAGMA integrity_check") == TVariant("ok");
    }

    void MakeShopWithItems(int count)
    {
        auto factory = CreateAndOpen();
        for (int i = 1; i <= count; ++i)
            Exec(factory->GetConnection(), "INSERT INTO Items (ItemId, Name) VALUES (:Id, 'item')", {{"Id", i}});
    }
};

// ---- create, open, check, delete, rename ------------------------------------------------

TEST_F(SQLiteDatabaseFilesTest, CreateMakesAnEmptyWalDatabaseOnlyWhereItMay)
{
    auto factory = MakeFactory();
    EXPECT_FALSE(factory->CreateDatabase(folder.File("missing"), "", "shop", "", "", 0));
    EXPECT_FALSE(fs::exists(folder.File("missing")));

    ASSERT_TRUE(factory->CreateDatabase(dir, "", "shop", "", "", 0));
    EXPECT_EQ(gui.WaitDepth(), 0) << "the hourglass is gone again";
    std::string header = TTempFolder::Read(DbFile()).substr(18, 2);
    EXPECT_EQ(header, std::string("\x02\x02", 2)) << "WAL mode is recorded in the file";
    EXPECT_FALSE(fs::exists(DbFile() + ".tmp"));

    auto other = CreateAndOpen("other");  // a second, unrelated database is fine
    ASSERT_TRUE(factory->OpenDatabase(dir, "shop", "", ""));
    Exec(factory->GetConnection(), "CREATE TABLE Marker (X)");
    EXPECT_FALSE(factory->CreateDatabase(dir, "", "shop", "", "", 0)) << "an existing file is kept";
    EXPECT_EQ(Count(factory->GetConnection(), "Marker"), 0);
}

TEST_F(SQLiteDatabaseFilesTest, OpenNeverCreatesAMissingFileAndRejectsNonDatabases)
{
    auto factory = MakeFactory();
    EXPECT_FALSE(factory->OpenDatabase(dir, "shop", "", ""));
    EXPECT_FALSE(fs::exists(DbFile()));
    EXPECT_THROW(factory->OpenSecondConnection(), ECriticalTolvexException);

    folder.Write("db/notes.sqlite", "this is no database, just some text of a file");
    EXPECT_THROW(factory->OpenDatabase(dir, "notes", "", ""), ECriticalTolvexException);
}

TEST_F(SQLiteDatabaseFilesTest, CredentialsAreRememberedOnlyWhenAUserIsGiven)
{
    CreateAndOpen();
    TSQLiteDBConnection connection(nullptr, 200);
    ASSERT_TRUE(connection.OpenConnection(dir, "", "shop", "admin", "secret", false));
    ASSERT_TRUE(connection.OpenConnection(dir, "", "shop", "", "", false));
    EXPECT_EQ(connection.User(), "admin");
    EXPECT_EQ(connection.Password(), "secret");
    connection.Reconnect();
    EXPECT_TRUE(connection.IsConnected());
    EXPECT_FALSE(connection.InTransaction()) << "no unit of work is begun after a reconnect";
}

TEST_F(SQLiteDatabaseFilesTest, CheckNewDatabaseReportsFolderAndFile)
{
    CreateAndOpen();
    struct Case {
        std::string dir, name;
        int code;
        std::string message;
    };
    const Case cases[] = {
        {folder.File("missing"), "shop", 2, "Directory \"" + folder.File("missing") + "\" not exists"},
        {dir, "shop", 1, "Database \"" + DbFile() + "\" already exists"},
        {dir, "free", 0, ""},
    };
    auto factory = MakeFactory();
    for (const Case& c : cases) {
        std::string message = "stale";
        int code = -1;
        factory->CheckNewDatabase(c.dir, "", c.name, "", "", message, code);
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_EQ(message, c.message);
    }
}

TEST_F(SQLiteDatabaseFilesTest, DeleteRemovesTheFileWithItsSideFilesButNeverAnOpenOne)
{
    auto factory = CreateAndOpen();
    EXPECT_FALSE(factory->DeleteDatabase(dir, "", "shop", "", "")) << "the database is open";
    EXPECT_TRUE(fs::exists(DbFile()));
    factory.reset();

    folder.Write("db/shop.sqlite-wal", "stale log");
    folder.Write("db/shop.sqlite-shm", "stale");
    auto other = MakeFactory();
    EXPECT_TRUE(other->DeleteDatabase(dir, "", "shop", "", ""));
    EXPECT_FALSE(fs::exists(DbFile()));
    EXPECT_FALSE(fs::exists(DbFile() + "-wal"));
    EXPECT_FALSE(fs::exists(DbFile() + "-shm"));
    EXPECT_FALSE(other->DeleteDatabase(dir, "", "shop", "", ""));
}

TEST_F(SQLiteDatabaseFilesTest, NamesAndWarningsUseTheFolderOfTheLastOpen)
{
    auto factory = CreateAndOpen();
    EXPECT_EQ(factory->GetDatabaseFileName("next"), dir + "/next.sqlite");
    EXPECT_FALSE(factory->IsNameFree("shop"));
    EXPECT_TRUE(factory->IsNameFree("next"));
    EXPECT_EQ(factory->GetOpenWarning(), "");
    fs::permissions(DbFile(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(factory->GetOpenWarning(), "Catalog is in read-only mode");
    fs::permissions(DbFile(), fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(SQLiteDatabaseFilesTest, RenameMovesAClosedDatabaseOnly)
{
    MakeShopWithItems(2);
    auto factory = CreateAndOpen("taken");
    EXPECT_FALSE(factory->RenameDatabase(dir, DbFile(), DbFile("taken"))) << "never over another database";
    EXPECT_FALSE(factory->RenameDatabase(dir, DbFile("taken"), DbFile("new"))) << "an open database stays";
    EXPECT_TRUE(factory->RenameDatabase(dir, DbFile(), DbFile("new")));
    EXPECT_FALSE(fs::exists(DbFile()));
    EXPECT_EQ(ItemsIn(DbFile("new")), 2);
}

// ---- backups ----------------------------------------------------------------------------

TEST(SQLiteFiles, BackupTimeStampsAndDayNumbers)
{
    struct Case {
        int hour, minute;
        const char* stamp;
    };
    const Case cases[] = {
        {14, 30, "2004-03-15 0230pm"}, {0, 5, "2004-03-15 1205am"},
        {12, 0, "2004-03-15 1200pm"},  {9, 7, "2004-03-15 0907am"},
    };
    for (const Case& c : cases) {
        std::tm time{};
        time.tm_year = 104;
        time.tm_mon = 2;
        time.tm_mday = 15;
        time.tm_hour = c.hour;
        time.tm_min = c.minute;
        EXPECT_EQ(BackupTimeStamp(time), c.stamp);
        EXPECT_EQ(DayNumber(time), 38061);
    }
}

TEST_F(SQLiteDatabaseFilesTest, ManualBackupCopiesCommittedDataOfTheOpenDatabase)
{
    auto factory = CreateAndOpen();
    Exec(factory->GetConnection(), "INSERT INTO Items (ItemId) VALUES (1)");
    auto editor = factory->OpenSecondConnection();
    Exec(*editor, "INSERT INTO Items (ItemId) VALUES (2)");  // unsaved: not in the backup
    const std::string chosen = BackupDir() + "/mine.sqlite";
    gui.QueueInput(chosen);

    factory->BackupDatabase(dir, "", "shop", "", "");

    ASSERT_EQ(gui.Shown().front().kind, "save");
    EXPECT_EQ(gui.Shown().front().message, "shop 2004-03-15 0230pm.sqlite");
    EXPECT_EQ(gui.Shown().front().initialDir, BackupDir()) << "the default folder, created";
    EXPECT_EQ(gui.Messages("information"),
              std::vector<std::string>{"Backup of database \"shop\" was made to \"" + chosen + "\" file"});
    EXPECT_EQ(backupSetting, BackupDir());
    editor.reset();
    EXPECT_EQ(ItemsIn(chosen), 1);
    EXPECT_FALSE(fs::exists(chosen + ".tmp"));
}

TEST_F(SQLiteDatabaseFilesTest, ManualBackupAsksBeforeCreatingFoldersAndOverwriting)
{
    MakeShopWithItems(1);
    auto factory = MakeFactory();
    const std::string newFolder = folder.File("elsewhere");
    gui.QueueInput(newFolder + "/copy.sqlite");
    gui.QueueAnswer(mrNo);
    factory->BackupDatabase(dir, "", "shop", "", "");
    EXPECT_EQ(gui.Messages("question"),
              std::vector<std::string>{"Directory \"" + newFolder + "\" doesn\\`t exist. Create it?"});
    EXPECT_FALSE(fs::exists(newFolder));

    const std::string existing = folder.Write("backup/old.sqlite", "keep me");
    gui.Clear();
    gui.QueueInput(existing);
    gui.QueueAnswer(mrNo);
    factory->BackupDatabase(dir, "", "shop", "", "");
    EXPECT_EQ(gui.Messages("question"), std::vector<std::string>{"File \"" + existing + "\" exists. Overwrite it?"});
    EXPECT_EQ(TTempFolder::Read(existing), "keep me");

    gui.Clear();
    gui.QueueInput(existing);
    gui.QueueAnswer(mrYes);
    factory->BackupDatabase(dir, "", "shop", "", "");
    EXPECT_EQ(ItemsIn(existing), 1);
}

TEST_F(SQLiteDatabaseFilesTest, BackupFailuresAreReportedNeverSilent)
{
    auto factory = MakeFactory();
    folder.Write("blocker", "a file where the backup folder should be");
    backupSetting = folder.File("blocker") + "/backup";
    factory->AutoBackup(dir, "", "shop", "", "");
    factory->BackupDatabase(dir, "", "shop", "", "");
    EXPECT_EQ(gui.Messages("error"), (std::vector<std::string>{"Cannot create \"" + backupSetting + "\" directory",
                                                               "Cannot create \"" + backupSetting + "\" directory"}));

    backupSetting.clear();
    gui.Clear();
    gui.QueueInput(BackupDir() + "/copy.sqlite");
    factory->BackupDatabase(dir, "", "shop", "", "");  // there is no database "shop" to copy
    EXPECT_EQ(gui.Messages("error"), std::vector<std::string>{"Cannot backup \"shop.sqlite\" database file to \"" +
                                                              BackupDir() + "/copy.sqlite\""});
    EXPECT_TRUE(gui.Messages("information").empty());
    EXPECT_FALSE(fs::exists(BackupDir() + "/copy.sqlite"));
}

TEST_F(SQLiteDatabaseFilesTest, AutoBackupKeepsTheNewestAndRotatesTheList)
{
    MakeShopWithItems(1);
    keep = 3;
    const std::string section = "backup_shop/";
    for (int i = 1; i <= 4; ++i) {
        std::string name = "shop old" + std::to_string(i) + ".sqlite";
        folder.Write("backup/" + name, "old");
        ini[section + "BackupFileName_" + std::to_string(i)] = name;
    }
    fs::remove(BackupDir() + "/shop old4.sqlite");  // beyond Keep: listed, already gone

    MakeFactory()->AutoBackup(dir, "", "shop", "", "");

    const std::string newName = "shop 2004-03-15 0230pm.sqlite";
    EXPECT_EQ(ItemsIn(BackupDir() + "/" + newName), 1);
    EXPECT_FALSE(fs::exists(BackupDir() + "/shop old3.sqlite"));
    EXPECT_TRUE(fs::exists(BackupDir() + "/shop old2.sqlite"));
    EXPECT_EQ(ini[section + "BackupFileName_1"], newName);
    EXPECT_EQ(ini[section + "BackupFileName_2"], "shop old1.sqlite");
    EXPECT_EQ(ini[section + "BackupFileName_3"], "shop old2.sqlite");
    EXPECT_EQ(ini[section + "BackupFileName_4"], "shop old4.sqlite") << "entries beyond Keep stay";
    EXPECT_EQ(ini[section + "LastBackup"], "38061");
    EXPECT_TRUE(gui.Shown().empty());
}

TEST_F(SQLiteDatabaseFilesTest, AutoBackupWithKeepZeroCopiesButRecordsNothing)
{
    MakeShopWithItems(1);
    keep = 0;
    ini["backup_shop/LastBackup"] = "37000";
    MakeFactory()->AutoBackup(dir, "", "shop", "", "");
    EXPECT_EQ(ItemsIn(BackupDir() + "/shop 2004-03-15 0230pm.sqlite"), 1);
    EXPECT_EQ(ini["backup_shop/LastBackup"], "37000");
    EXPECT_EQ(ini.count("backup_shop/BackupFileName_1"), 0u);
}

TEST_F(SQLiteDatabaseFilesTest, SecondAutoBackupInTheSameMinuteAsksAndIsNeverRotatedAway)
{
    MakeShopWithItems(1);
    keep = 1;
    auto factory = MakeFactory();
    factory->AutoBackup(dir, "", "shop", "", "");
    const std::string newName = "shop 2004-03-15 0230pm.sqlite";

    gui.QueueAnswer(mrNo);
    factory->AutoBackup(dir, "", "shop", "", "");
    EXPECT_EQ(gui.Messages("question"), std::vector<std::string>{"File \"" + newName + "\" exists. Overwrite it?"});

    gui.QueueAnswer(mrYes);
    factory->AutoBackup(dir, "", "shop", "", "");
    EXPECT_EQ(ItemsIn(BackupDir() + "/" + newName), 1) << "the fresh backup was not deleted as surplus";
    EXPECT_EQ(ini["backup_shop/BackupFileName_1"], newName);
}

// ---- restore and compaction ------------------------------------------------------------------

TEST_F(SQLiteDatabaseFilesTest, RestoreRefusesAnOpenDatabaseAndReplacesAClosedOne)
{
    MakeShopWithItems(1);
    keep = 5;
    MakeFactory()->AutoBackup(dir, "", "shop", "", "");
    const std::string backup = BackupDir() + "/shop 2004-03-15 0230pm.sqlite";
    {
        auto factory = MakeFactory();
        ASSERT_TRUE(factory->OpenDatabase(dir, "shop", "", ""));
        Exec(factory->GetConnection(), "INSERT INTO Items (ItemId) VALUES (2)");
        fs::copy_file(DbFile() + "-wal", folder.File("old-wal"));  // a valid log of the old file
        gui.QueueInput(backup);
        factory->RestoreDatabase(dir, "", "shop", "", "");
        EXPECT_EQ(gui.Messages("error"),
                  std::vector<std::string>{"Database \"shop\" is in use. Close it and try again."});
        EXPECT_EQ(Count(factory->GetConnection(), "Items"), 2);
    }
    gui.Clear();
    fs::copy_file(folder.File("old-wal"), DbFile() + "-wal");  // must not be applied to the restored file
    gui.QueueInput(backup);
    MakeFactory()->RestoreDatabase(dir, "", "shop", "", "");
    EXPECT_TRUE(gui.Messages("error").empty());
    EXPECT_EQ(gui.Shown().front().initialDir, BackupDir());
    EXPECT_EQ(ItemsIn(DbFile()), 1);
    EXPECT_TRUE(IntegrityOk(DbFile()));
}

TEST_F(SQLiteDatabaseFilesTest, FailedRestoreIsReportedAndLeavesTheDatabase)
{
    MakeShopWithItems(2);
    const std::string bogus = folder.Write("backup/bogus.sqlite", std::string(8192, 'x'));
    gui.QueueInput(bogus);
    MakeFactory()->RestoreDatabase(dir, "", "shop", "", "");
    EXPECT_EQ(gui.Messages("error"),
              std::vector<std::string>{"Cannot restore database \"shop\" from \"" + bogus + "\""});
    EXPECT_EQ(ItemsIn(DbFile()), 2);

    gui.Clear();
    gui.QueueInput("", false);  // cancelled
    MakeFactory()->RestoreDatabase(dir, "", "shop", "", "");
    EXPECT_TRUE(gui.Messages("error").empty());
}

TEST_F(SQLiteDatabaseFilesTest, CompactShrinksAClosedDatabaseAndKeepsItsData)
{
    {
        auto factory = CreateAndOpen();
        Exec(factory->GetConnection(), "INSERT INTO Items (ItemId, Picture) VALUES (1, zeroblob(200000))");
        Exec(factory->GetConnection(), "INSERT INTO Items (ItemId, Name) VALUES (2, 'kept')");
        Exec(factory->GetConnection(), "DELETE FROM Items WHERE ItemId = 1");
        EXPECT_FALSE(factory->CompactDatabase(dir, "", "shop", "", ""));
        EXPECT_EQ(gui.Messages("error"),
                  std::vector<std::string>{"Database \"shop\" is in use. Close it and try again."});
    }
    gui.Clear();
    const auto before = fs::file_size(DbFile());
    EXPECT_TRUE(MakeFactory()->CompactDatabase(dir, "", "shop", "", ""));
    EXPECT_LT(fs::file_size(DbFile()), before);
    EXPECT_TRUE(gui.Shown().empty());
    EXPECT_EQ(gui.WaitDepth(), 0);
    EXPECT_FALSE(fs::exists(context.tempFolder + "/temp.sqlite"));
    EXPECT_EQ(ItemsIn(DbFile()), 1);
    EXPECT_TRUE(IntegrityOk(DbFile()));

    EXPECT_FALSE(MakeFactory()->CompactDatabase(dir, "", "missing", "", ""));
    EXPECT_EQ(gui.Messages("error"),
              std::vector<std::string>{"Cannot compress database file \"" + DbFile("missing") + "\""});
}

// ---- the module -------------------------------------------------------------------------------

TEST(SQLiteModule, DescriptorAndCreationFunction)
{
    TSQLiteModuleDescriptor descriptor = SQLiteModuleDescriptor();
    EXPECT_EQ(descriptor.name, "SQLite");
    EXPECT_EQ(descriptor.description, "SQLite databases");
    EXPECT_EQ(descriptor.properties,
              (std::map<std::string, std::string>{{"FileExt", "sqlite"}, {"DeleteDatabase", "yes"},
                                                  {"CompressDatabase", "yes"}}));
    auto factory = CreateSQLiteConnectionFactory("SQLite*", "a=1&b=2");
    EXPECT_EQ(factory->GetKind(), pkDatabase);
    EXPECT_EQ(factory->GetName(), "SQLite*");
    EXPECT_EQ(factory->GetParams(), "a=1&b=2");
    EXPECT_EQ(TSQLiteConnectionFactory::PluginName(), "SQLite");
}

}  // namespace
