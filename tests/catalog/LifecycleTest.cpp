// The whole life of a catalog through the root object, over the shipped
// databases in a temporary program folder: created from each shipped type,
// logged in to with every role, opened, closed, reopened, backed up,
// restored, compacted, given a new code and deleted; and the failures that
// must leave every catalog whole.
#include "catalog/CatalogDataFixture.h"

#include "catalog/CatalogDefinition.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "storage/DBManager.h"
#include "storage/ObjectFactory.h"
#include "storage/SQLiteFiles.h"
#include "storage/TolvexObject.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The role words of the users editor and the role each gives.
struct TRoleCase {
    const char* word;
    std::uint8_t role;
};
const TRoleCase kRoles[] = {{"Admin", urAdministrator}, {"Power", urPowerUser}, {"Publisher", urPublisher},
                            {"User", urUser},           {"Clerk", urClerk},     {"Guest", urOther}};

class Lifecycle : public ::testing::Test {
protected:
    TTolvex& Root() { return fixture.Root(); }
    std::string File(const std::string& code) { return SQLiteDatabaseFileName(fixture.DatabaseDir(), code); }
    std::string Value(const std::string& code, const std::string& sql)
    {
        const std::vector<std::string> values = ColumnOfFile(File(code), sql);
        return values.empty() ? std::string() : values.front();
    }
    int ItemCount(const std::string& code) { return std::stoi(Value(code, "SELECT COUNT(*) FROM Items")); }
    bool IsOpen() { return Root().Catalog().IsOpen(); }
    TAbstractDBConnection& Connection() { return fixture.Data()->GetConnectionFactory().GetConnection(); }

    // A user item under item 7 of the open catalog, password stored scrambled.
    void AddUser(const std::string& name, const std::string& password, const std::string& roleWord)
    {
        TCatalog& catalog = Root().Catalog();
        const std::string code = fixture.Data()->GetCatalogCode();
        const int itemId = catalog.CreateItem(602, 7, 0, code, Connection(), 0);
        ASSERT_NE(itemId, 0);
        std::unique_ptr<TTolvexObject> user =
            catalog.GetObjectFactory().CreateObjectTyped(itemId, 602, 0, Connection(), code);
        user->SetString("UserName", name, 0);
        user->SetString("Passwd", TCommonFunctions().ScramblePassword(password), 0);
        user->SetString("Role", roleWord, 0);
        user->Save();
    }

    // The main window's reopen message, handled.
    void HandlePostedReopen()
    {
        ASSERT_TRUE(fixture.Log().Has("PostReopenCatalog"));
        fixture.Log().Clear();
        Root().ReopenCatalog();
    }

    TRootFixture fixture;
};

class LifecycleOfType : public Lifecycle, public ::testing::WithParamInterface<int> {};

}  // namespace

TEST_P(LifecycleOfType, CreateLoginReopenBackupRestoreCompactRenameDelete)
{
    const int type = GetParam();
    const std::string code = "life" + std::to_string(type);
    ASSERT_TRUE(fixture.CreateCatalog(code, type));

    // The administrator of the creation logs in.
    ASSERT_EQ(fixture.Open(code, "admin", "secret"), "");
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(fixture.Data()->GetCatalogType(), type);
    EXPECT_EQ(fixture.Data()->GetUserRole(), urAdministrator);
    for (const TRoleCase& role : kRoles)
        AddUser(std::string("u_") + role.word, std::string("pw-") + role.word, role.word);
    EXPECT_EQ(Value(code, "SELECT COUNT(*) FROM CStrings WHERE ClassId = 602 AND MemberId = 2 AND StringValue "
                          "LIKE 'pw-%'"), "0") << "no password is stored plain";

    // Every role logs in with its own password; a wrong one is refused.
    for (const TRoleCase& role : kRoles) {
        ASSERT_TRUE(Root().CloseCatalog());
        const std::string user = std::string("u_") + role.word;
        EXPECT_EQ(fixture.Open(code, user, "wrong"), "Wrong password for user \"" + user + "\" in catalog \"" +
                                                          code + "\"");
        EXPECT_FALSE(IsOpen());
        ASSERT_EQ(fixture.Open(code, user, std::string("pw-") + role.word), "") << user;
        EXPECT_EQ(fixture.Data()->GetUserRole(), role.role) << user;
    }

    // Closed and reopened with the remembered login.
    Root().ReopenCatalog();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(fixture.Data()->GetUserRole(), urOther);
    ASSERT_TRUE(Root().CloseCatalog());
    ASSERT_EQ(fixture.Open(code, "admin", "secret"), "");

    // A backup, a change, and the restore takes the change back.
    const std::string backup = fixture.Home().File(code + "-backup.sqlite");
    fixture.Gui().QueueInput(backup);
    Root().BackupCatalog();
    ASSERT_TRUE(fs::exists(backup));
    const int items = ItemCount(code);
    ASSERT_NE(Root().Catalog().CreateItem(2, 1, 0, code, Connection(), 0), 0);
    EXPECT_EQ(ItemCount(code), items + 1);
    fixture.Gui().QueueInput(backup);
    fixture.Log().Clear();
    Root().RestoreCatalog();
    EXPECT_FALSE(IsOpen()) << "closed for the restore";
    HandlePostedReopen();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(ItemCount(code), items);

    // Compaction keeps every row.
    fixture.Log().Clear();
    fixture.Gui().Clear();
    Root().CompactCatalog();
    EXPECT_EQ(fixture.Gui().Messages("information"),
              std::vector<std::string>{"Database has been successfully compressed"});
    HandlePostedReopen();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(ItemCount(code), items);

    // A new code: the file and every row take it, and the catalog opens under it.
    const std::string renamed = code + "-new";
    fixture.Shell().newCatalogCode = renamed;
    fixture.Log().Clear();
    Root().Catalog().GetDefinition().ChangeCatalogCode(code);
    HandlePostedReopen();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(fixture.Data()->GetCatalogCode(), renamed);
    EXPECT_FALSE(fs::exists(File(code)));
    EXPECT_EQ(ColumnOfFile(File(renamed), "SELECT DISTINCT CatalogCode FROM Items"),
              std::vector<std::string>{renamed});

    // Deleted: the file goes, and nothing is left to delete.
    ASSERT_TRUE(Root().CloseCatalog());
    EXPECT_TRUE(Root().DeleteCatalog(""));
    EXPECT_FALSE(fs::exists(File(renamed)));
    EXPECT_FALSE(Root().DeleteCatalog(""));
}

// Type 0 is the definition in force while no catalog is open: creation
// writes no catalog type for it (a type of 0 is an absent value), so such a
// catalog has no catalog information and does not open.
INSTANTIATE_TEST_SUITE_P(ShippedTypes, LifecycleOfType, ::testing::Values(1, 2, 3, 4, 5, 7, 8, 12),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Type" + std::to_string(info.param);
                         });

TEST_F(Lifecycle, AFailedCreationLeavesNoHalfMadeCatalog)
{
    // No definition for the type: the creation fails before anything is written.
    EXPECT_THROW(fixture.CreateCatalog("early", 99), EFatalTolvexException);
    // The web-site import fails once everything else is in the catalog.
    Root().Catalog().GetDefinition().SetWebSiteImport("http://www.example.test/", 1, 10, false, 100001, 1);
    fixture.Shell().importThrows = true;
    EXPECT_THROW(fixture.CreateCatalog("late", 1), ECriticalTolvexException);
    EXPECT_TRUE(fixture.Log().Has("RunWebSiteImport"));
    EXPECT_TRUE(fs::is_empty(fixture.DatabaseDir())) << "no catalog file and no work file";
    EXPECT_FALSE(IsOpen());
    EXPECT_NE(fixture.Open("late", "admin", "secret"), "");

    // An existing catalog that the user keeps stays as it was.
    ASSERT_TRUE(fixture.CreateCatalog("kept", 1));
    ASSERT_EQ(fixture.Open("kept", "admin", "secret"), "");
    const int items = ItemCount("kept");
    ASSERT_TRUE(Root().CloseCatalog());
    fixture.Gui().QueueAnswer(mrNo);
    EXPECT_FALSE(fixture.CreateCatalog("kept", 2));
    EXPECT_EQ(ItemCount("kept"), items);
    ASSERT_EQ(fixture.Open("kept", "admin", "secret"), "");
    EXPECT_EQ(fixture.Data()->GetCatalogType(), 1);
}

TEST_F(Lifecycle, ACodeChangeNeverLeavesACatalogThatCannotBeOpened)
{
    ASSERT_TRUE(fixture.CreateCatalog("shop", 1));
    ASSERT_TRUE(fixture.CreateCatalog("taken", 1));
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    TCatalogDefinition& definition = Root().Catalog().GetDefinition();

    // Cancelled, or a code that is taken or not a code: the catalog stays open as it was.
    for (const std::string newCode : {"", "taken", "no way"}) {
        fixture.Shell().newCatalogCode = newCode;
        fixture.Log().Clear();
        definition.ChangeCatalogCode("shop");
        EXPECT_TRUE(IsOpen()) << newCode;
        EXPECT_TRUE(fixture.Log().Has("QueueAction Action=LastWebTreeItem")) << newCode;
        EXPECT_FALSE(fixture.Log().Has("PostReopenCatalog")) << newCode;
    }
    // The item being edited may not be left: nothing changes.
    fixture.Shell().canLeave = false;
    fixture.Shell().newCatalogCode = "market";
    definition.ChangeCatalogCode("shop");
    EXPECT_TRUE(IsOpen());
    EXPECT_FALSE(fs::exists(File("market")));
    fixture.Shell().canLeave = true;

    // Another part of the program holds the file: it keeps its name and code.
    {
        std::unique_ptr<TAbstractDBConnectionFactory> other = DBManager->CreateDatabasePlugin(SQLiteModuleName, "");
        ASSERT_TRUE(other->OpenDatabase(fixture.DatabaseDir(), "shop", "", ""));
        fixture.Log().Clear();
        definition.ChangeCatalogCode("shop");
        EXPECT_FALSE(fixture.Log().Has("PostReopenCatalog"));
    }
    EXPECT_EQ(Root().GetLoginParams().CatalogCode, "shop");
    Root().ReopenCatalog();
    ASSERT_TRUE(IsOpen()) << "opens under its old code";
    EXPECT_FALSE(fs::exists(File("market")));

    // The rows cannot all take the new code: the file gets its old name back.
    ExecOnFile(File("shop"), "DROP TABLE DeletedItems");
    EXPECT_THROW(definition.ChangeCatalogCode("shop"), ECriticalTolvexException);
    EXPECT_FALSE(fs::exists(File("market")));
    EXPECT_EQ(ColumnOfFile(File("shop"), "SELECT DISTINCT CatalogCode FROM Items"), std::vector<std::string>{"shop"});
    Root().ReopenCatalog();
    EXPECT_TRUE(IsOpen()) << "opens under its old code";
    EXPECT_EQ(fixture.Data()->GetCatalogCode(), "shop");
}

TEST_F(Lifecycle, RestoreAndCompactionStopWhenTheEditorRefusesToClose)
{
    ASSERT_TRUE(fixture.CreateCatalog("shop", 1));
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    const std::string backup = fixture.Home().File("shop-backup.sqlite");
    fixture.Gui().QueueInput(backup);
    Root().BackupCatalog();
    ASSERT_TRUE(fs::exists(backup));
    const int items = ItemCount("shop");
    ASSERT_NE(Root().Catalog().CreateItem(2, 1, 0, "shop", Connection(), 0), 0);

    fixture.Shell().canLeave = false;
    fixture.Log().Clear();
    fixture.Gui().Clear();
    fixture.Gui().QueueInput(backup);
    Root().RestoreCatalog();
    Root().CompactCatalog();
    EXPECT_TRUE(IsOpen());
    EXPECT_TRUE(fixture.Gui().Shown().empty()) << "no file dialog, no message";
    EXPECT_FALSE(fixture.Log().Has("PostReopenCatalog"));
    EXPECT_EQ(ItemCount("shop"), items + 1) << "the catalog was not restored";

    // Once the editor may be left, the restore goes ahead.
    fixture.Shell().canLeave = true;
    Root().RestoreCatalog();
    HandlePostedReopen();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(ItemCount("shop"), items);
}

TEST_F(Lifecycle, AnOutdatedCatalogIsBroughtUpToItsDefinitionWhenItOpens)
{
    ASSERT_TRUE(fixture.CreateCatalog("shop", 1));
    const std::string current = Value("shop", "SELECT StringValue FROM CStrings WHERE ItemId = 733 AND ClassId = 603");
    ASSERT_EQ(current, std::to_string(Root().GlobalDefinition().GetCatalogTypeVersion(1)));
    ASSERT_NE(current, "0");
    ExecOnFile(File("shop"), "UPDATE CStrings SET StringValue = '0' WHERE ItemId = 733 AND ClassId = 603");
    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(Value("shop", "SELECT StringValue FROM CStrings WHERE ItemId = 733 AND ClassId = 603"), current);
}
