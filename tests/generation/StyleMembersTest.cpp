// Applying the current style of every member catalog of a catalog network:
// each member is handled on its own, every failure is logged and counted,
// and the operation reports success only when no member failed.
#include "StyleFixture.h"

#include "generation/StyleMultipleLoader.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <fstream>

namespace {

// The runner as the operation sees it: a second connection of the open
// catalog, a log, and the user's cancel.
class TRecordingRun : public TStyleOperation::TRun {
public:
    explicit TRecordingRun(TAbstractDBConnectionFactory& factory) : connection_(factory.OpenSecondConnection()) {}
    TAbstractDBConnection& Connection() override { return *connection_; }
    void Log(const std::string& line) override { lines.push_back(line); }
    bool Cancelled() override { return cancelled; }

    std::vector<std::string> lines;
    bool cancelled = false;

private:
    std::unique_ptr<TAbstractDBConnection> connection_;
};

class StyleMembers : public ::testing::Test {
protected:
    StyleMembers()
    {
        // The members beside the network, created before it is opened.
        EXPECT_TRUE(program.fixture.CreateCatalog("m1", 1));
        EXPECT_TRUE(program.fixture.CreateCatalog("m2", 8));
        std::ofstream(SQLiteDatabaseFileName(program.fixture.DatabaseDir(), "broken"), std::ios::binary)
            << "this is no database file at all, just text that is long enough to look like one";
        if (!program.fixture.Data()) {
            EXPECT_EQ(program.fixture.Open("net", "admin", "secret"), "");
        }
    }

    std::string MemberFile(const std::string& code)
    {
        return SQLiteDatabaseFileName(program.fixture.DatabaseDir(), code);
    }
    // A member item of the network naming the catalog Code ("" : no member object).
    void AddMember(const std::string& code)
    {
        TCatalog& catalog = program.Root().Catalog();
        const int id = catalog.CreateItem(5002, 20, 0, "net", program.Connection(), 0);
        ASSERT_NE(id, 0);
        if (code.empty())
            return;
        std::unique_ptr<TTolvexObject> member =
            catalog.GetObjectFactory().CreateObjectTyped(id, 606, 0, program.Connection(), "net");
        member->SetString("CatalogCode", code, 0);
        member->Save();
    }
    bool Run(TRecordingRun& run, TStyleMultipleLoader& loader)
    {
        const bool succeeded = loader.Execute(run);
        run.Connection().RollbackTrans();
        return succeeded;
    }

    TStyleProgram program{2, "net"};
};

}  // namespace

TEST_F(StyleMembers, EachMemberGetsItsOwnStyleBackAndEveryFailureIsLogged)
{
    // m1: a stale common template and a colour of its own choice.
    ExecOnFile(MemberFile("m1"), "UPDATE CText SET TextValue = 'stale' WHERE ItemId = 600301 AND ClassId = 503;"
                                 "UPDATE CNumbers SET NumberValue = 600113 WHERE ItemId = 600101 AND ClassId = 501 "
                                 "AND MemberId = 1;");
    // m2: its copy fails half way.
    ExecOnFile(MemberFile("m2"), "UPDATE CText SET TextValue = 'stale' WHERE ItemId = 600301 AND ClassId = 503;"
                                 "CREATE TRIGGER injected BEFORE INSERT ON CText WHEN NEW.ItemId = 600302 "
                                 "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;");
    const std::string m2Before = DumpDatabase(MemberFile("m2"));
    AddMember("m1");
    AddMember("ghost");  // no such catalog here: skipped without a word
    AddMember("");       // no member object: skipped
    AddMember("broken");
    AddMember("m2");

    TRecordingRun run(program.Data().GetConnectionFactory());
    TStyleMultipleLoader loader(program.Manager(), program.Root().Catalog(), nullptr);
    EXPECT_FALSE(Run(run, loader)) << "no success over a failed member";
    EXPECT_EQ(loader.ErrorCount(), 2);
    ASSERT_EQ(run.lines.size(), 6u);
    EXPECT_EQ(run.lines[0], "Catalog \"m1\"");
    EXPECT_EQ(run.lines[1], "Style is applied to the catalog.");
    EXPECT_EQ(run.lines[2], "Catalog \"broken\"");
    EXPECT_EQ(run.lines[3].rfind("Cannot ", 0), 0u) << run.lines[3];
    EXPECT_EQ(run.lines[4], "Catalog \"m2\"");
    EXPECT_EQ(run.lines[5].rfind("Cannot apply style. Error occurs: \"", 0), 0u) << run.lines[5];
    EXPECT_NE(run.lines[5].find("injected fault"), std::string::npos);

    // m1 has its style's items again, with its own colour kept.
    const std::vector<std::string> text =
        ColumnOfFile(MemberFile("m1"), "SELECT TextValue FROM CText WHERE ItemId = 600301 AND ClassId = 503");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_NE(text.front(), "stale");
    EXPECT_EQ(ColumnOfFile(MemberFile("m1"), "SELECT CAST(NumberValue AS INTEGER) FROM CNumbers WHERE ItemId = "
                                             "600101 AND ClassId = 501 AND MemberId = 1"),
              std::vector<std::string>{"600113"});
    EXPECT_EQ(ColumnOfFile(MemberFile("m1"), "SELECT CAST(NumberValue AS INTEGER) FROM CNumbers WHERE ItemId = "
                                             "600001 AND ClassId = 513"),
              std::vector<std::string>{"600101"})
        << "its default master stays";
    // m2 is exactly as it was.
    EXPECT_TRUE(DumpDatabase(MemberFile("m2")) == m2Before) << "a failed member is rolled back whole";
}

TEST_F(StyleMembers, AllMembersWellIsSuccessAndCancellingStopsBeforeTheNext)
{
    AddMember("m1");
    AddMember("m2");
    TStyleMultipleLoader loader(program.Manager(), program.Root().Catalog(), nullptr);
    {
        TRecordingRun run(program.Data().GetConnectionFactory());
        EXPECT_TRUE(Run(run, loader));
        EXPECT_EQ(run.lines, (std::vector<std::string>{"Catalog \"m1\"", "Style is applied to the catalog.",
                                                       "Catalog \"m2\"", "Style is applied to the catalog."}));
    }
    {
        TRecordingRun run(program.Data().GetConnectionFactory());
        run.cancelled = true;
        EXPECT_FALSE(Run(run, loader));
        EXPECT_TRUE(run.lines.empty());
    }
}

TEST_F(StyleMembers, ManagerStartsTheOperationInARunnerWithItsTexts)
{
    program.Manager().ApplyStyleToMembers();
    EXPECT_TRUE(program.fixture.Log().Has("StartStyleOperation"));
    TStyleOperation* operation = program.fixture.Shell().styleOperation.get();
    ASSERT_NE(operation, nullptr);
    const std::vector<std::string> texts = {"",
                                            "Do you want to cancel uploading styles process?",
                                            "Start applying styles",
                                            "Successfully applied.",
                                            "Operation was canceled by user.",
                                            "Applied and $1 error(s) occur",
                                            "Process cancelled by user",
                                            "Errors occurred during the applying styles operation",
                                            ""};
    for (int kind = 0; kind < static_cast<int>(texts.size()); ++kind)
        EXPECT_EQ(operation->GetText(kind), texts[kind]) << kind;
    EXPECT_EQ(operation->GetText(-1), "");
}
