// Changing the code of the open catalog: the database file and every row
// take the new code together, or neither does.
#include "CatalogCreationFixture.h"

#include "catalog/Catalog.h"
#include "catalog/Singletons.h"
#include "catalog/TolvexCatalog.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class CatalogCodeChange : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("shop", 1)));
        ASSERT_EQ(env.Open("shop", "admin", "secret"), "");
        env.Host().calls.clear();
        env.Gui().Clear();
    }

    // The codes of the rows of every catalog table of the catalog's file.
    std::vector<std::string> CodesInFile(const std::string& code)
    {
        std::vector<std::string> codes;
        for (const std::string& table : env.Values(code, "SELECT name FROM sqlite_master WHERE type = 'table'"))
            for (const std::string& found : env.Values(code, "SELECT DISTINCT CatalogCode FROM " + table))
                if (std::find(codes.begin(), codes.end(), found) == codes.end())
                    codes.push_back(found + (found == code ? "" : " in " + table));
        return codes;
    }
    bool IsOpen() { return env.Catalog().GetOpenCatalog() != nullptr; }

    TCreationEnvironment env;
};

TEST_F(CatalogCodeChange, TheFileAndEveryRowTakeTheNewCodeAndTheCatalogIsReopened)
{
    env.Host().newCode = "Market";
    env.Definition().ChangeCatalogCode("shop");
    EXPECT_EQ(env.Host().calls,
              (std::vector<std::string>{"AskNewCatalogCode shop", "ExecuteAction Action=MainPageEditor&ItemId=-1 check",
                                        "CloseCatalog", "StopImageServer", "SetCatalogCode market",
                                        "PostReopenCatalog"}));
    EXPECT_TRUE(env.Gui().Shown().empty());
    EXPECT_FALSE(fs::exists(env.CatalogFile("shop")));
    EXPECT_EQ(CodesInFile("market"), std::vector<std::string>{"market"});
    EXPECT_EQ(env.Open("market", "admin", "secret"), "");
}

TEST_F(CatalogCodeChange, NothingChangesWithoutANewCodeThatIsFree)
{
    env.Catalog().Close();
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("market", 1)));
    ASSERT_EQ(env.Open("shop", "admin", "secret"), "");
    const struct {
        bool dialogOk;
        std::string newCode;
        std::vector<std::string> errors;
        const char* why;
    } cases[] = {
        {false, "other", {}, "the dialog was cancelled"},
        {true, "market", {"Cannot change \"shop\" catalog code to \"market\""}, "the name is taken"},
        {true, "shop", {"Cannot change \"shop\" catalog code to \"shop\""}, "the same code"},
        {true, "", {"Cannot change \"shop\" catalog code to \"\""}, "an empty code"},
        {true, "a/b", {"Cannot change \"shop\" catalog code to \"a/b\""}, "not a catalog code"},
    };
    for (const auto& c : cases) {
        env.Host().calls.clear();
        env.Gui().Clear();
        env.Host().dialogAnswer = c.dialogOk;
        env.Host().newCode = c.newCode;
        env.Definition().ChangeCatalogCode("shop");
        EXPECT_EQ(env.Gui().Messages("error"), c.errors) << c.why;
        EXPECT_EQ(env.Host().calls.back(), "QueueAction Action=LastWebTreeItem check") << c.why;
        EXPECT_TRUE(IsOpen()) << c.why;
    }
    env.Catalog().Close();
    EXPECT_EQ(CodesInFile("shop"), std::vector<std::string>{"shop"});
    EXPECT_EQ(CodesInFile("market"), std::vector<std::string>{"market"});
}

TEST_F(CatalogCodeChange, AnEditorThatMayNotBeLeftKeepsTheCatalog)
{
    env.Host().newCode = "market";
    env.Host().closeCatalogAnswer = false;
    env.Definition().ChangeCatalogCode("shop");
    EXPECT_EQ(env.Host().calls.back(), "QueueAction Action=LastWebTreeItem check");
    EXPECT_TRUE(IsOpen());
    EXPECT_FALSE(fs::exists(env.CatalogFile("market")));
}

TEST_F(CatalogCodeChange, AFileThatCannotBeRenamedKeepsItsCode)
{
    // Another part of the program still has the file open.
    std::unique_ptr<TAbstractDBConnectionFactory> other = DBManager->CreateDatabasePlugin(SQLiteModuleName, "");
    ASSERT_TRUE(other->OpenDatabase(env.DatabaseFolder(), "shop", "", ""));
    env.Host().newCode = "market";
    env.Definition().ChangeCatalogCode("shop");
    EXPECT_EQ(env.Gui().Messages("error"), std::vector<std::string>{"Cannot change database catalog code."});
    EXPECT_EQ(env.Host().calls.back(), "StopImageServer") << "closed; the remembered code stays the old one";
    other.reset();
    EXPECT_FALSE(fs::exists(env.CatalogFile("market")));
    EXPECT_EQ(CodesInFile("shop"), std::vector<std::string>{"shop"});
    EXPECT_EQ(env.Open("shop", "admin", "secret"), "");
}

TEST_F(CatalogCodeChange, RowsThatCannotBeChangedGiveTheFileItsOldNameBack)
{
    env.Exec("shop", "DROP TABLE DeletedItems");  // listed among the catalog tables, so the change fails
    env.Host().newCode = "market";
    EXPECT_THROW(env.Definition().ChangeCatalogCode("shop"), ECriticalTolvexException);
    EXPECT_EQ(env.Host().calls.back(), "StopImageServer") << "closed; the remembered code stays the old one";
    EXPECT_FALSE(fs::exists(env.CatalogFile("market")));
    EXPECT_EQ(CodesInFile("shop"), std::vector<std::string>{"shop"}) << "the rows changed so far are undone";
    EXPECT_EQ(env.Open("shop", "admin", "secret"), "");
}

}  // namespace
