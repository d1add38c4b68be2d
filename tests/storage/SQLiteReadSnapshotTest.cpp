// A connection's read snapshot: its reads see one state of the database
// until it is released, and a write of its own ends it first, so that the
// write sees (and may change) what others committed meanwhile. Also the
// size of a reading connection's page cache.
#include "SQLiteFixture.h"

#include "storage/ReadSnapshotScope.h"
#include "storage/SQLiteDBConnection.h"

namespace {

class SQLiteReadSnapshotTest : public SQLiteFixture {
protected:
    void SetUp() override
    {
        factory = CreateAndOpen();
        Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (1, 'first')");
    }
    TAbstractDBConnection& Main() { return factory->GetConnection(); }
    void CommitElsewhere(int id)
    {
        Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (:Id, 'other')", {{"Id", id}});
    }

    std::unique_ptr<TSQLiteConnectionFactory> factory;
};

TEST_F(SQLiteReadSnapshotTest, ReadsSeeOneStateUntilReleased)
{
    auto reader = factory->OpenSecondConnection();
    {
        const TReadSnapshotScope snapshot(*reader);
        EXPECT_EQ(Count(*reader, "Items"), 1);
        CommitElsewhere(2);
        EXPECT_EQ(Count(*reader, "Items"), 1) << "the state of the first read";
    }
    EXPECT_EQ(Count(*reader, "Items"), 2);
}

TEST_F(SQLiteReadSnapshotTest, AWriteEndsTheSnapshotAndSeesOthersCommits)
{
    for (const bool inUnit : {true, false}) {
        SCOPED_TRACE(inUnit ? "in a unit of work" : "statement by statement");
        auto writer = factory->OpenSecondConnection();
        if (!inUnit)
            writer->CommitTrans();
        const int id = inUnit ? 10 : 20;
        {
            const TReadSnapshotScope snapshot(*writer);
            const std::int64_t before = Count(*writer, "Items");
            CommitElsewhere(id);
            Exec(*writer, "UPDATE Items SET Name = 'seen' WHERE ItemId = :Id", {{"Id", id}});
            EXPECT_EQ(Count(*writer, "Items"), before + 1);
            Exec(*writer, "INSERT INTO Items (ItemId, Name) VALUES (:Id, 'mine')", {{"Id", id + 1}});
        }
        if (inUnit)
            writer->CommitTrans();
        EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = " + std::to_string(id)), TVariant("seen"));
        EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = " + std::to_string(id + 1)), TVariant("mine"));
    }
}

// A connection that reads much (a publishing worker) keeps more of the
// database in memory; the size stays when it connects again.
TEST_F(SQLiteReadSnapshotTest, AReadCacheSizeIsTheConnectionsPageCacheAlsoAfterReconnecting)
{
    auto reader = factory->OpenSecondConnection();
    EXPECT_EQ(Scalar(*reader, "PRAGMA cache_size"), TVariant(-2000)) << "SQLite's own size";
    reader->SetReadCacheSize(16u << 20);
    EXPECT_EQ(Scalar(*reader, "PRAGMA cache_size"), TVariant(-16384));
    reader->Reconnect();
    EXPECT_EQ(Scalar(*reader, "PRAGMA cache_size"), TVariant(-16384));
    EXPECT_EQ(Count(*reader, "Items"), 1);
}

}  // namespace
