// The users tab's model on a real catalog: users added, changed and removed
// reach the catalog only with the save, log in with the passwords set here,
// never hold a password in clear text, and the last administrator stays.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/options/FrameUsersEditorModel.h"

#include <gtest/gtest.h>

namespace {

class UsersModel : public ::testing::Test {
protected:
    // The login's answer for the committed users; empty when accepted.
    std::string Login(const std::string& user, const std::string& password)
    {
        std::string error;
        site.Data().CheckUser(TSiteModelFixture::kCode, user, password, site.MainConnection(), error);
        return error;
    }
    int UserItems() { return site.CountOnMain("SELECT COUNT(*) FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = 602"); }
    int Row(TFrameUsersEditorModel& model, const std::string& name)
    {
        const auto rows = model.Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].Name == name)
                return static_cast<int>(i);
        return -1;
    }

    TSiteModelFixture site;
};

TEST_F(UsersModel, AddedUserLogsInAfterTheSaveAndItsPasswordIsNeverStoredPlain)
{
    TFrameUsersEditorModel model(site.Context(8));
    model.Load();
    ASSERT_EQ(model.RowCount(), 1);
    EXPECT_EQ(model.Rows()[0].Name, "admin");
    EXPECT_EQ(model.Rows()[0].Role, "Admin");

    const int before = UserItems();
    int row = -1;
    ASSERT_EQ(model.AddUser("  Bob ", "shop clerk", "Clerk", "pw123", "pw123", &row), "");
    EXPECT_EQ(model.Rows()[row].Name, "Bob") << "the name is trimmed and the row selected";
    EXPECT_EQ(UserItems(), before) << "nothing reaches the catalog before the save";
    EXPECT_NE(Login("Bob", "pw123"), "");

    model.Store();
    site.Save();
    EXPECT_EQ(UserItems(), before + 1);
    EXPECT_EQ(Login("Bob", "pw123"), "");
    EXPECT_EQ(site.Data().GetUserRole(), urClerk);
    EXPECT_EQ(site.CountOnMain("SELECT COUNT(*) FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = 602 "
                               "AND MemberId = 2 AND StringValue LIKE '%pw123%'"), 0);

    // A new password replaces the old one; a description change keeps the password.
    TFrameUsersEditorModel again(site.Context(8));
    again.Load();
    const int bob = Row(again, "Bob");
    EXPECT_EQ(again.SetPassword(bob, "abcd"), "Password must be at least 5 chars");
    ASSERT_EQ(again.SetPassword(bob, "abcde"), "");
    again.Store();
    site.Save();
    TFrameUsersEditorModel third(site.Context(8));
    third.Load();
    ASSERT_EQ(third.Update(Row(third, "Bob"), "head clerk", "Clerk"), "");
    ASSERT_EQ(third.Update(Row(third, "admin"), "Administrator user", "Admin"), "");
    third.Store();
    site.Save();
    EXPECT_NE(Login("Bob", "pw123"), "");
    EXPECT_EQ(Login("Bob", "abcde"), "");
    EXPECT_EQ(Login("admin", "secret"), "") << "a password scrambled at the creation still logs in";
}

TEST_F(UsersModel, TheDialogRefusesAnEmptyNameAndDifferentPasswordsTogether)
{
    TFrameUsersEditorModel model(site.Context(8));
    model.Load();
    EXPECT_EQ(model.AddUser("  ", "", "User", "one", "two"), "Enter user name\nPasswords don't match");
    EXPECT_EQ(model.AddUser("x", "", "User", "one", "two"), "Passwords don't match");
    EXPECT_EQ(model.RowCount(), 1);
    EXPECT_FALSE(model.IsModified());
    EXPECT_EQ(model.AddUser("short", "", "User", "1", "1"), "") << "adding sets no minimum length";
}

TEST_F(UsersModel, TheLastAdministratorCanNeitherGoNorLoseTheRole)
{
    TFrameUsersEditorModel model(site.Context(8));
    model.Load();
    ASSERT_EQ(model.AddUser("ann", "", "User", "xxxxx", "xxxxx"), "");
    const int admin = Row(model, "admin");
    EXPECT_EQ(model.Remove(admin), "Cannot remove the administrator user");
    EXPECT_EQ(model.Update(admin, "", "Power"), "Cannot change role for the administrator user");

    // With a second administrator each may go once.
    ASSERT_EQ(model.Update(Row(model, "ann"), "", "Admin"), "");
    ASSERT_EQ(model.Update(Row(model, "admin"), "", "Power"), "");
    EXPECT_EQ(model.Remove(Row(model, "ann")), "Cannot remove the administrator user");
    ASSERT_EQ(model.Update(Row(model, "admin"), "", "Admin"), "");
    ASSERT_EQ(model.Remove(Row(model, "admin")), "");
    EXPECT_FALSE(model.CanRemove(0)) << "a single row cannot be removed";
    model.Store();
    site.Save();
    EXPECT_NE(Login("admin", "secret"), "");
    EXPECT_EQ(Login("ann", "xxxxx"), "");
    EXPECT_EQ(site.Data().GetUserRole(), urAdministrator);
}

TEST_F(UsersModel, CancelLeavesTheUsersAsTheyWere)
{
    const int before = UserItems();
    {
        TFrameUsersEditorModel model(site.Context(8));
        model.Load();
        ASSERT_EQ(model.AddUser("temp", "", "User", "xxxxx", "xxxxx"), "");
        model.Store();
        site.Cancel();
    }
    EXPECT_EQ(UserItems(), before);
    TFrameUsersEditorModel model(site.Context(8));
    model.Load();
    EXPECT_EQ(model.RowCount(), 1);
    EXPECT_NE(Login("temp", "xxxxx"), "");
}

TEST_F(UsersModel, AUserWithoutANameIsNotListed)
{
    const int id = site.AddItem(602, 7);
    std::unique_ptr<TTolvexObject> user = site.Catalog().GetObjectFactory().CreateObjectTyped(
        id, 602, 0, site.MainConnection(), TSiteModelFixture::kCode);
    user->SetString("Role", "User", 0);
    user->Save();
    TFrameUsersEditorModel model(site.Context(8));
    model.Load();
    EXPECT_EQ(model.RowCount(), 1);
}

}  // namespace
