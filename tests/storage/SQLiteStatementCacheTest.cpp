// The prepared-statement cache of an SQLite connection: statements are re-used
// by their text, come back without bindings or an open cursor, the least
// recently used text goes beyond the capacity, and a schema change or a
// closed connection prepares them anew.
#include "SQLiteFixture.h"

#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteStatementCache.h"

#include <sqlite3.h>

namespace {

// ---- the cache on its own -------------------------------------------------------

class StatementCacheTest : public ::testing::Test {
protected:
    StatementCacheTest() { sqlite3_open(":memory:", &db); }
    ~StatementCacheTest() override
    {
        cache.Clear();
        sqlite3_close(db);
    }

    void Give(const std::string& sql) { cache.Give(sql, cache.Take(db, sql), cache.Generation()); }

    sqlite3* db = nullptr;
    TSQLiteStatementCache cache{3};
};

TEST_F(StatementCacheTest, AStatementComesBackResetAndWithoutItsBindings)
{
    const std::string sql = "SELECT :Value UNION ALL SELECT 2";
    auto statements = cache.Take(db, sql);
    ASSERT_EQ(statements.size(), 1u);
    sqlite3_stmt* handle = statements[0].Handle();
    statements[0].Bind("Value", 42);
    ASSERT_TRUE(statements[0].Step());  // left with a row pending
    cache.Give(sql, std::move(statements), cache.Generation());

    auto again = cache.Take(db, sql);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].Handle(), handle) << "the cached statement is re-used";
    EXPECT_EQ(sqlite3_stmt_busy(handle), 0) << "no open cursor";
    ASSERT_TRUE(again[0].Step());
    EXPECT_EQ(sqlite3_column_type(handle, 0), SQLITE_NULL) << "no old binding";
    EXPECT_FALSE(cache.Contains(sql)) << "a taken statement is out of the cache";
    cache.Give(sql, std::move(again), cache.Generation());
}

TEST_F(StatementCacheTest, TheLeastRecentlyUsedTextGoesBeyondTheCapacity)
{
    for (const char* sql : {"SELECT 1", "SELECT 2", "SELECT 3"})
        Give(sql);
    Give("SELECT 1");  // used again: now the most recent
    Give("SELECT 4");
    EXPECT_EQ(cache.Size(), 3u);
    EXPECT_FALSE(cache.Contains("SELECT 2"));
    for (const char* sql : {"SELECT 1", "SELECT 3", "SELECT 4"})
        EXPECT_TRUE(cache.Contains(sql)) << sql;
}

TEST_F(StatementCacheTest, OneTextTakenTwiceGivesTwoStatementsAndKeepsOne)
{
    auto first = cache.Take(db, "SELECT 1");
    auto second = cache.Take(db, "SELECT 1");
    EXPECT_NE(first[0].Handle(), second[0].Handle()) << "two users never share a statement";
    cache.Give("SELECT 1", std::move(first), cache.Generation());
    cache.Give("SELECT 1", std::move(second), cache.Generation());
    EXPECT_EQ(cache.Size(), 1u);
}

TEST_F(StatementCacheTest, StatementsTakenBeforeAClearAreNotKept)
{
    const auto generation = cache.Generation();
    auto statements = cache.Take(db, "SELECT 1; SELECT 2");
    EXPECT_EQ(statements.size(), 2u);
    Give("SELECT 3");
    cache.Clear();
    EXPECT_EQ(cache.Size(), 0u);
    cache.Give("SELECT 1; SELECT 2", std::move(statements), generation);
    EXPECT_FALSE(cache.Contains("SELECT 1; SELECT 2"));
    EXPECT_TRUE(cache.Take(db, " -- nothing\n").empty());
}

TEST(SQLiteStatementSchemaTest, CreateDropAndAlterChangeTheSchema)
{
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db, "CREATE TABLE t (a)", nullptr, nullptr, nullptr);
    const std::pair<const char*, bool> cases[] = {
        {"CREATE INDEX a_t ON t (a)", true},
        {"  /* note */ -- line\n drop TABLE t", true},
        {"ALTER TABLE t ADD COLUMN b", true},
        {"SELECT 'CREATE'", false},
        {"INSERT INTO t (a) VALUES ('DROP')", false},
        {"CREATE TEMP VIEW v AS SELECT 1", true},
    };
    for (const auto& [sql, changes] : cases) {
        TSQLiteStatement statement(db, sql);
        EXPECT_EQ(statement.ChangesSchema(), changes) << sql;
    }
    sqlite3_close(db);
}

// ---- the cache of a connection ----------------------------------------------------

class ConnectionStatementCacheTest : public SQLiteFixture {
protected:
    void SetUp() override
    {
        factory = CreateAndOpen();
        Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (1, 'one'), (2, 'two')");
    }
    TAbstractDBConnection& Main() { return factory->GetConnection(); }
    TSQLiteStatementCache& Cache() { return dynamic_cast<TSQLiteDBConnection&>(Main()).StatementCache(); }

    std::unique_ptr<TSQLiteConnectionFactory> factory;
};

TEST_F(ConnectionStatementCacheTest, ATextRunByAnyQueryIsPreparedOnce)
{
    const std::string select = "SELECT Name FROM Items WHERE ItemId = :Id";
    {
        TQueryGuard query(Main());
        query->SetSQL(select);
        query->SetParam("Id", 1);
        EXPECT_EQ(query->Open(true).Field("Name"), TVariant("one"));
        query->SetSQL("SELECT 1");  // another text gives the statement back
        EXPECT_TRUE(Cache().Contains(select));
    }
    TQueryGuard first(Main());
    TQueryGuard second(Main());  // a pooled query that never ran the text
    second->SetSQL(select);
    second->SetParam("Id", 2);
    EXPECT_EQ(second->Open(true).Field("Name"), TVariant("two"));
    EXPECT_FALSE(Cache().Contains(select)) << "in use by the second query";

    second->SetSQL(select);  // same text, old values dropped: the cached statement is unbound too
    try {
        second->Open(true);
        ADD_FAILURE() << "a parameter without value was accepted";
    } catch (const ECriticalTolvexException& e) {
        EXPECT_NE(std::string(e.what()).find("no value for parameter :Id"), std::string::npos) << e.what();
    }
}

TEST_F(ConnectionStatementCacheTest, SchemaChangesOfThisOrAnotherConnectionAreSeen)
{
    const std::string selectAll = "SELECT * FROM Items WHERE ItemId = 1";
    auto fieldCount = [&](TAbstractDBConnection& connection) {
        TQueryGuard query(connection);
        query->SetSQL(selectAll);
        const int count = query->Open(true).FieldCount();
        query->SetSQL("SELECT 0");  // gives the statement back to the cache
        return count;
    };
    const int before = fieldCount(Main());
    EXPECT_TRUE(Cache().Contains(selectAll));

    Exec(Main(), "ALTER TABLE Items ADD COLUMN Note TEXT");
    EXPECT_FALSE(Cache().Contains(selectAll)) << "DDL empties the cache";
    EXPECT_EQ(fieldCount(Main()), before + 1);

    auto editor = factory->OpenSecondConnection();
    Exec(*editor, "ALTER TABLE Items ADD COLUMN Extra TEXT");
    editor->CommitTrans();
    ASSERT_TRUE(Cache().Contains(selectAll));
    EXPECT_EQ(fieldCount(Main()), before + 2) << "a statement cached before another connection's change";

    Exec(Main(), "DROP TABLE Items");  // cached statements on the table hold no cursor that blocks it
    EXPECT_EQ(Scalar(Main(), "SELECT COUNT(*) FROM sqlite_master WHERE name = 'Items'"), TVariant(0));
}

TEST_F(ConnectionStatementCacheTest, UpdatableRecordSetsAndReconnectsUseFreshStatements)
{
    for (const char* name : {"first", "second"}) {
        TQueryGuard query(Main());
        query->SetSQL("SELECT ItemId, Name FROM Items WHERE ItemId = 1");
        TAbstractRecordset& rows = query->Open(false);
        rows.Edit();
        rows.SetField("Name", name);
        rows.Post();
        EXPECT_EQ(rows.Field("Name"), TVariant(name));
        rows.Append();
        rows.SetField("Name", name);
        rows.Post();
    }
    EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = 1"), TVariant("second"));
    EXPECT_EQ(Count(Main(), "Items"), 4);

    Main().Reconnect();
    EXPECT_EQ(Cache().Size(), 0u) << "closing finalises the cached statements";
    EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = 1"), TVariant("second"));
}

}  // namespace
