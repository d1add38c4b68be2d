// Sequence numbers: committed at once, never handed out twice, never
// committing the caller's unit of work.
#include "SQLiteFixture.h"

#include "storage/SQLiteDBConnection.h"

#include <sqlite3.h>

namespace {

class SQLiteSequenceTest : public SQLiteFixture {
protected:
    void SetUp() override { factory = CreateAndOpen(); }

    TAbstractDBConnection& Main() { return factory->GetConnection(); }

    TVariant LastId(const std::string& catalog, const std::string& sequence)
    {
        TQueryGuard query(Main());
        query->SetSQL("SELECT LastId FROM LocalSequences WHERE CatalogCode = :C AND SequenceName = :S");
        query->SetParam("C", catalog);
        query->SetParam("S", sequence);
        TAbstractRecordset& rows = query->Open(true);
        return rows.Eof() ? TVariant() : rows.Field(0);
    }

    std::unique_ptr<TSQLiteConnectionFactory> factory;
};

TEST_F(SQLiteSequenceTest, FirstNumberIsOneAndCatalogsAndNamesAreIndependent)
{
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 1);
    EXPECT_EQ(LastId("shop", "Items"), TVariant(1));
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 2);
    EXPECT_EQ(Main().NextSequenceId("shop", "Items"), 3) << "a connection draws from its factory";
    EXPECT_EQ(factory->NextSequenceId("other", "Items"), 1);
    EXPECT_EQ(factory->NextSequenceId("shop", "Item"), 1);
    EXPECT_EQ(factory->NextSequenceId("shop", "Instance"), 1);
    EXPECT_EQ(LastId("shop", "Items"), TVariant(3));
}

TEST_F(SQLiteSequenceTest, NumberDrawnInAUnitThatIsRolledBackStaysUsed)
{
    struct Case {
        const char* why;
        bool unitHasWritten;  // the unit holds the write lock when it draws
    };
    const Case cases[] = {
        {"a unit that only read: drawn and committed on the sequence connection", false},
        {"a unit holding the write lock: drawn inside it, kept after rollback", true},
    };
    int expected = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto editor = factory->OpenSecondConnection();
        if (c.unitHasWritten)
            Exec(*editor, "INSERT INTO Items (ItemId, Name) VALUES (:Id, 'new')", {{"Id", 1000 + expected}});
        EXPECT_EQ(editor->NextSequenceId("shop", "Items"), expected);
        EXPECT_TRUE(editor->InTransaction()) << "drawing never ends the caller's unit";
        editor->RollbackTrans();
        editor->BeginTrans();
        EXPECT_EQ(Count(Main(), "Items"), 0) << "the unit's writes were not committed by the draw";
        EXPECT_EQ(LastId("shop", "Items"), TVariant(expected));
        ++expected;
        EXPECT_EQ(factory->NextSequenceId("shop", "Items"), expected) << "never handed out twice";
        ++expected;
    }
}

TEST_F(SQLiteSequenceTest, DrawWhileAnotherConnectionHoldsTheLockNeitherBlocksNorCommitsIt)
{
    auto editor = factory->OpenSecondConnection();
    auto runner = factory->OpenSecondConnection();
    Exec(*editor, "INSERT INTO Items (ItemId, Name) VALUES (1, 'preview')");

    EXPECT_EQ(runner->NextSequenceId("shop", "Items"), 1);
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 2);
    EXPECT_EQ(Count(Main(), "Items"), 0) << "the editor's unit is still uncommitted";

    editor->RollbackTrans();
    editor->BeginTrans();
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 3);

    Exec(*editor, "INSERT INTO Items (ItemId, Name) VALUES (2, 'saved')");
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 4);
    editor->CommitTrans();
    editor->BeginTrans();
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 5);
    EXPECT_EQ(Count(Main(), "Items"), 1);
}

TEST_F(SQLiteSequenceTest, NumbersStayUsedWhenSQLiteCancelsTheWholeUnit)
{
    auto editor = factory->OpenSecondConnection();
    Exec(*editor, "INSERT INTO Items (ItemId, Name) VALUES (1, 'x')");
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 1);
    // Simulate SQLite cancelling the transaction after an error (disk full, I/O).
    sqlite3* handle = static_cast<TSQLiteDBConnection&>(*editor).Handle();
    ASSERT_EQ(sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);

    EXPECT_THROW(Exec(*editor, "INSERT INTO Items (ItemId, Name) VALUES (2, 'y')"), ECriticalTolvexException)
        << "the rest of a half-lost unit is refused";
    EXPECT_THROW(editor->CommitTrans(), ECriticalTolvexException);
    editor->RollbackTrans();
    editor->BeginTrans();
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 2);
    EXPECT_EQ(Count(Main(), "Items"), 0);
}

// A nested draw (for example from a window message handled while a number
// is being drawn) is refused; the flag is cleared on every way out.
TEST_F(SQLiteSequenceTest, NestedDrawIsRefusedAndTheFlagIsClearedAfterAFailure)
{
    auto editor = factory->OpenSecondConnection();
    Exec(*editor, "INSERT INTO Items (ItemId, Name) VALUES (1, 'x')");  // draws will run on the editor
    struct Reentry {
        TSQLiteConnectionFactory* factory;
        std::string message;
    } reentry{factory.get(), ""};
    auto reenter = [](sqlite3_context* ctx, int, sqlite3_value**) {
        auto* r = static_cast<Reentry*>(sqlite3_user_data(ctx));
        try {
            r->factory->NextSequenceId("shop", "Items");
        } catch (const EDeveloperTolvexException& e) {
            r->message = e.what();
        }
        sqlite3_result_error(ctx, "nested draw", -1);
    };
    sqlite3* handle = static_cast<TSQLiteDBConnection&>(*editor).Handle();
    ASSERT_EQ(sqlite3_create_function(handle, "reenter", 0, SQLITE_UTF8, &reentry, reenter, nullptr, nullptr),
              SQLITE_OK);
    Exec(*editor, "CREATE TEMP TRIGGER Nested AFTER INSERT ON LocalSequences BEGIN SELECT reenter(); END");

    EXPECT_THROW(factory->NextSequenceId("shop", "Items"), ECriticalTolvexException);
    EXPECT_EQ(reentry.message, "UID generation function already locked");

    Exec(*editor, "DROP TRIGGER Nested");
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 1);
}

}  // namespace

namespace {

TEST_F(SQLiteSequenceTest, ReopeningTheFactoryDrawsFromTheNewDatabase)
{
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 1);
    auto other = CreateAndOpen("other");
    other.reset();
    ASSERT_TRUE(factory->OpenDatabase(dir, "other", "", ""));
    EXPECT_EQ(factory->NextSequenceId("shop", "Items"), 1);
    EXPECT_EQ(LastId("shop", "Items"), TVariant(1));
}

}  // namespace
