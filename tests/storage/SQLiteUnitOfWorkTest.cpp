// How units of work on several connections of one database file behave:
// isolation, rollback, when the write lock is held, and what a writer that
// cannot get it is told.
#include "SQLiteFixture.h"

#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteErrors.h"

#include <sqlite3.h>

namespace {

class SQLiteUnitOfWorkTest : public SQLiteFixture {
protected:
    void SetUp() override
    {
        factory = CreateAndOpen();
        Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (1, 'committed')");
    }

    TAbstractDBConnection& Main() { return factory->GetConnection(); }

    static void InsertItem(TAbstractDBConnection& connection, int id)
    {
        Exec(connection, "INSERT INTO Items (ItemId, Name) VALUES (:Id, :Name)",
             {{"Id", id}, {"Name", "item " + std::to_string(id)}});
    }

    // Runs a write and returns the message it raised ("" when it succeeded).
    static std::string TryInsert(TAbstractDBConnection& connection, int id)
    {
        try {
            InsertItem(connection, id);
            return "";
        } catch (const ECriticalTolvexException& e) {
            return e.what();
        }
    }

    std::unique_ptr<TSQLiteConnectionFactory> factory;
};

TEST_F(SQLiteUnitOfWorkTest, UnitSeesItsOwnWritesAndNobodyElseDoesBeforeCommit)
{
    auto editor = factory->OpenSecondConnection();
    auto runner = factory->OpenSecondConnection();
    InsertItem(*editor, 2);
    Exec(*editor, "UPDATE Items SET Name = 'changed' WHERE ItemId = 1");

    EXPECT_EQ(Count(*editor, "Items"), 2);
    EXPECT_EQ(Scalar(*editor, "SELECT Name FROM Items WHERE ItemId = 1"), TVariant("changed"));
    EXPECT_EQ(Count(*runner, "Items"), 1);
    EXPECT_EQ(Count(Main(), "Items"), 1);
    EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = 1"), TVariant("committed"));

    editor->CommitTrans();
    editor->BeginTrans();
    EXPECT_EQ(Count(*runner, "Items"), 2);
    EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = 1"), TVariant("changed"));
}

TEST_F(SQLiteUnitOfWorkTest, RollbackUndoesEveryWriteOfTheUnit)
{
    auto editor = factory->OpenSecondConnection();
    InsertItem(*editor, 2);
    InsertItem(*editor, 3);
    Exec(*editor, "UPDATE Items SET Name = 'changed' WHERE ItemId = 1");
    Exec(*editor, "DELETE FROM Items WHERE ItemId = 1");
    ASSERT_EQ(Count(*editor, "Items"), 2);

    editor->RollbackTrans();
    EXPECT_FALSE(editor->InTransaction());
    editor->BeginTrans();
    EXPECT_EQ(Count(*editor, "Items"), 1);
    EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = 1"), TVariant("committed"));
}

TEST_F(SQLiteUnitOfWorkTest, UnitThatOnlyReadsHoldsNoLockAndSeesNewCommits)
{
    auto editor = factory->OpenSecondConnection();
    auto runner = factory->OpenSecondConnection();
    ASSERT_EQ(Count(*editor, "Items"), 1);  // the editor reads and then "waits for the user"

    EXPECT_EQ(TryInsert(Main(), 2), "");
    EXPECT_EQ(TryInsert(*runner, 3), "");
    runner->CommitTrans();
    runner->BeginTrans();

    EXPECT_FALSE(static_cast<TSQLiteDBConnection&>(*editor).HoldsWriteLock());
    EXPECT_EQ(Count(*editor, "Items"), 3);
}

TEST_F(SQLiteUnitOfWorkTest, WritingUnitBlocksOtherWritersOnlyUntilItEnds)
{
    auto editor = factory->OpenSecondConnection();
    auto runner = factory->OpenSecondConnection();
    InsertItem(*editor, 2);  // unsaved preview values: the editor now holds the lock

    EXPECT_EQ(TryInsert(Main(), 10), SQLiteBusyMessage);
    EXPECT_EQ(TryInsert(*runner, 11), SQLiteBusyMessage);
    EXPECT_EQ(Count(*runner, "Items"), 1) << "reads go on while the lock is held";

    editor->CommitTrans();  // save
    editor->BeginTrans();
    EXPECT_EQ(TryInsert(*runner, 11), "") << "the runner's unit is still usable after the busy error";
    EXPECT_EQ(TryInsert(*editor, 12), SQLiteBusyMessage) << "now the runner holds the lock";
    runner->RollbackTrans();
    runner->BeginTrans();
    EXPECT_EQ(TryInsert(Main(), 10), "");
    EXPECT_EQ(TryInsert(*editor, 12), "");
    editor->CommitTrans();
    editor->BeginTrans();

    std::vector<std::int64_t> ids;
    TQueryGuard query(Main());
    query->SetSQL("SELECT ItemId FROM Items ORDER BY ItemId");
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        ids.push_back(rows.Field("ItemId").AsInteger());
    EXPECT_EQ(ids, (std::vector<std::int64_t>{1, 2, 10, 12}));
}

TEST_F(SQLiteUnitOfWorkTest, DisconnectAndDestructionRollBackAndGiveUpTheLock)
{
    auto editor = factory->OpenSecondConnection();
    InsertItem(*editor, 2);
    editor->Disconnect();
    EXPECT_FALSE(editor->InTransaction());
    EXPECT_EQ(TryInsert(Main(), 3), "");

    auto runner = factory->OpenSecondConnection();
    InsertItem(*runner, 4);
    runner.reset();
    EXPECT_EQ(TryInsert(Main(), 5), "");
    EXPECT_EQ(Count(Main(), "Items"), 3);
}

TEST_F(SQLiteUnitOfWorkTest, TransactionCallsOutOfOrderAreDeveloperErrors)
{
    auto editor = factory->OpenSecondConnection();
    EXPECT_THROW(editor->BeginTrans(), EDeveloperTolvexException);
    editor->CommitTrans();
    EXPECT_THROW(editor->CommitTrans(), EDeveloperTolvexException);
    EXPECT_THROW(editor->RollbackTrans(), EDeveloperTolvexException);
}

// A writer outside this program (here a plain SQLite connection) holds the
// lock: the program waits the busy timeout, then gets the busy message.
class SQLiteBusyTest : public SQLiteUnitOfWorkTest {
protected:
    void SetUp() override
    {
        SQLiteUnitOfWorkTest::SetUp();
        ASSERT_EQ(sqlite3_open(SQLiteDatabaseFileName(dir, "shop").c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO Items (ItemId) VALUES (100)", nullptr,
                               nullptr, nullptr),
                  SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(other); }

    void ReleaseOther() { ASSERT_EQ(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK); }

    sqlite3* other = nullptr;
};

TEST_F(SQLiteBusyTest, WritesFailWithTheBusyMessageAndSucceedOnceTheLockIsFree)
{
    auto editor = factory->OpenSecondConnection();
    EXPECT_EQ(TryInsert(Main(), 2), SQLiteBusyMessage);
    EXPECT_EQ(TryInsert(*editor, 3), SQLiteBusyMessage);
    EXPECT_TRUE(editor->InTransaction());
    try {
        factory->NextSequenceId("shop", "Items");
        ADD_FAILURE() << "a sequence number was drawn while the catalog was locked";
    } catch (const ECriticalTolvexException& e) {
        EXPECT_STREQ(e.what(), SQLiteBusyMessage);
    }

    ReleaseOther();
    EXPECT_EQ(TryInsert(Main(), 2), "");
    EXPECT_EQ(TryInsert(*editor, 3), "");
    editor->CommitTrans();
    editor->BeginTrans();
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 1) << "the failed draw used no number";
    EXPECT_EQ(Count(Main(), "Items"), 4);
}

TEST_F(SQLiteBusyTest, ReadsAreNeverBlockedByTheWriter)
{
    auto editor = factory->OpenSecondConnection();
    EXPECT_EQ(Count(*editor, "Items"), 1);
    EXPECT_EQ(Count(Main(), "Items"), 1);
}

}  // namespace
