#pragma once
// A connection to one SQLite database file with its pool of queries.
//
// How units of work map onto SQLite, which lets one writer in at a time:
//
//  - Every connection runs in WAL mode with synchronous FULL: readers never
//    wait for the writer, and a crash at any moment keeps every committed
//    unit of work and a database that passes its integrity check.
//  - The main connection of a database module works without a unit of work:
//    each statement commits by itself and holds the write lock only while it
//    runs.
//  - BeginTrans starts a *logical* unit of work; nothing is locked yet, and
//    reads see what others have committed (read-committed). The
//    first statement of the unit that writes issues BEGIN IMMEDIATE, taking
//    the write lock; from then on the unit sees its own uncommitted writes and
//    nobody else sees them. CommitTrans commits them, RollbackTrans undoes all
//    of them; either way the lock is given up and the unit ends (callers then
//    begin the next one). A unit that only reads never holds the write lock,
//    so an editor with unsaved changes in its frames blocks nobody while it
//    waits for the user.
//  - A unit that has written holds the write lock until it ends. An editor
//    that writes its unsaved values for the preview and then waits for the
//    user therefore blocks the writes of other connections until the user
//    saves or cancels: never longer than that one unit of work.
//  - A write that cannot get the lock within the busy timeout raises
//    ECriticalTolvexException with SQLiteBusyMessage: never a hang, never a
//    silent loss. When the lock is held by another connection of the same
//    thread the wait could never end, so the exception comes at once.
//  - SQLite may cancel a whole transaction after some errors (disk full, I/O
//    error). The unit then counts as aborted: its statements and CommitTrans
//    raise until RollbackTrans ends it, so that the rest of a half-lost unit
//    can never be committed as if it were whole.
//  - Sequence numbers drawn while this connection holds the write lock are
//    written inside its unit (the factory routes them here, see
//    TSQLiteConnectionFactory::NextSequenceId); a rollback of the unit keeps
//    them used: it undoes the unit's writes to a savepoint, writes the
//    sequences' last numbers again and commits just that.
//
// The isolation level asked for at open (read-uncommitted for the main
// connection) has no SQLite counterpart between connections: no connection
// sees the uncommitted work of another.
#include "storage/AbstractDBConnection.h"
#include "storage/SQLiteStatementCache.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;
class TSQLiteConnectionFactory;
class TSQLiteDBQuery;
class TSQLiteStatement;

class TSQLiteDBConnection : public TAbstractDBConnection {
public:
    // Factory may be null for a connection without sequences.
    TSQLiteDBConnection(TSQLiteConnectionFactory* factory, int busyTimeoutMs);
    ~TSQLiteDBConnection() override;
    TSQLiteDBConnection(const TSQLiteDBConnection&) = delete;
    TSQLiteDBConnection& operator=(const TSQLiteDBConnection&) = delete;

    TAbstractDBQuery& AcquireQuery() override;
    void ReleaseQuery(TAbstractDBQuery& query) override;
    void Reconnect() override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override { return inUnit_; }
    void Connect() override;
    void Disconnect() override;
    int NextSequenceId(const std::string& catalogCode, const std::string& sequenceName) override;
    // A read transaction held open between the two: every statement would
    // otherwise begin and end one of its own, each time taking the shared
    // WAL index's locks, which all connections of the process to the same
    // file take through one mutex. Nothing is held while the unit writes.
    void HoldReadSnapshot() override;
    void ReleaseReadSnapshot() override;
    // SQLite's page cache of this connection (2 MB unless set), kept on reconnecting.
    void SetReadCacheSize(std::size_t bytes) override;

    // Opens Dir/Name.sqlite; false (nothing opened) when the file does not
    // exist: a missing database is never created here. Errors of the open
    // itself (not a database, no access) raise. A non-empty User is
    // remembered with Password; SQLite itself has no log-in.
    bool OpenConnection(const std::string& dir, const std::string& serverName, const std::string& name,
                        const std::string& user, const std::string& password, bool readUncommitted);
    // Opens Dir/Name.sqlite for reading only, to look into a file before it
    // is taken as a database of this program: nothing in the file is
    // changed (its journal mode stays, an empty file stays empty). False when
    // the file does not exist; a file that is no database raises.
    bool OpenForReading(const std::string& dir, const std::string& name);
    static bool DatabaseExists(const std::string& dir, const std::string& name);

    bool IsConnected() const { return db_ != nullptr; }
    sqlite3* Handle() const;
    // The key of the open file in TSQLiteFileRegistry.
    const std::string& FileKey() const { return fileKey_; }
    // True while the current unit of work holds the write lock.
    bool HoldsWriteLock() const { return writing_; }
    const std::string& User() const { return user_; }
    const std::string& Password() const { return password_; }

    // Called by this connection's queries before a statement runs: applies
    // the unit-of-work rules above to it.
    void BeforeStatement(const TSQLiteStatement& statement);
    // Records a sequence number drawn inside this connection's unit of work.
    void RememberDrawnNumber(const std::string& catalogCode, const std::string& sequenceName, int number);
    // The prepared statements of this connection, kept for re-use.
    TSQLiteStatementCache& StatementCache() { return statementCache_; }
    // A statement of this connection changed the schema: cached statements
    // are prepared anew.
    void SchemaChanged() { statementCache_.Clear(); }
    // The factory is going away; sequences are no longer available.
    void DetachFactory() { factory_ = nullptr; }

private:
    struct TCachedQuery {
        bool released = false;
        std::unique_ptr<TSQLiteDBQuery> query;
    };
    using TSequenceKey = std::pair<std::string, std::string>;

    void RequireConnected() const;
    void RequireUnit() const;
    void DetectAbortedUnit();
    void FailIfLockedByThisThread() const;
    void BeginWriting();
    void ApplyReadCacheSize();
    void EndWriting();
    void RollbackWrites();
    void KeepDrawnNumbersAfterRollback();
    void KeepDrawnNumbers();
    void CloseHandle();
    bool Open(const std::string& dir, const std::string& name, bool readOnly);

    TSQLiteConnectionFactory* factory_;
    int busyTimeoutMs_;
    std::size_t readCacheBytes_ = 0;  // 0: SQLite's own size
    sqlite3* db_ = nullptr;
    std::string fileKey_;
    std::string dir_, serverName_, name_, user_, password_;
    bool readUncommitted_ = false;
    bool inUnit_ = false;
    bool writing_ = false;
    bool aborted_ = false;
    bool snapshot_ = false;
    std::map<TSequenceKey, int> drawnNumbers_;
    TSQLiteStatementCache statementCache_;  // before pool_: its queries give statements back
    std::vector<TCachedQuery> pool_;
};
