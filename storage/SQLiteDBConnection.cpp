#include "storage/SQLiteDBConnection.h"

#include "common/Exceptions.h"
#include "storage/SQLiteConnectionFactory.h"
#include "storage/SQLiteDBQuery.h"
#include "storage/SQLiteErrors.h"
#include "storage/SQLiteFileRegistry.h"
#include "storage/SQLiteLibrary.h"
#include "storage/SQLiteModule.h"
#include "storage/SQLiteSequenceTable.h"
#include "storage/SQLiteStatement.h"

#include <sqlite3.h>

#include <filesystem>

namespace {

const char* const UnitAbortedMessage =
    "The database cancelled the current transaction after an error; its changes are lost. "
    "Cancel the changes and try again.";
const char* const UnitSavepoint = "tolvex_unit";

}  // namespace

TSQLiteDBConnection::TSQLiteDBConnection(TSQLiteConnectionFactory* factory, int busyTimeoutMs)
    : factory_(factory), busyTimeoutMs_(busyTimeoutMs)
{
}

TSQLiteDBConnection::~TSQLiteDBConnection()
{
    try {
        Disconnect();
    } catch (...) {
        // A destructor cannot report; the unit's writes are undone by closing.
    }
    CloseHandle();
    pool_.clear();
    if (factory_)
        factory_->ConnectionDestroyed(this);
}

sqlite3* TSQLiteDBConnection::Handle() const
{
    RequireConnected();
    return db_;
}

void TSQLiteDBConnection::RequireConnected() const
{
    if (!db_)
        throw ECriticalTolvexException("The database connection is closed");
}

void TSQLiteDBConnection::RequireUnit() const
{
    if (!inUnit_)
        throw EDeveloperTolvexException("No transaction is open on this connection");
}

// ---- the pool ---------------------------------------------------------------

TAbstractDBQuery& TSQLiteDBConnection::AcquireQuery()
{
    for (auto& entry : pool_) {
        if (entry.released) {
            entry.released = false;
            return *entry.query;
        }
    }
    pool_.push_back({false, std::make_unique<TSQLiteDBQuery>(*this)});
    return *pool_.back().query;
}

void TSQLiteDBConnection::ReleaseQuery(TAbstractDBQuery& query)
{
    for (auto& entry : pool_) {
        if (entry.query.get() != &query)
            continue;
        if (entry.released)
            throw EDeveloperTolvexException("DB Query already has been released");
        entry.query->Close();
        entry.released = true;
        return;
    }
    throw EDeveloperTolvexException("DB Query does not exists");
}

// ---- opening and closing ------------------------------------------------------

bool TSQLiteDBConnection::DatabaseExists(const std::string& dir, const std::string& name)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(SQLiteDatabaseFileName(dir, name), ec);
}

bool TSQLiteDBConnection::OpenConnection(const std::string& dir, const std::string& serverName,
                                         const std::string& name, const std::string& user,
                                         const std::string& password, bool readUncommitted)
{
    if (!Open(dir, name, false))
        return false;
    dir_ = dir;
    serverName_ = serverName;
    name_ = name;
    readUncommitted_ = readUncommitted;
    if (!user.empty()) {
        user_ = user;
        password_ = password;
    }
    return true;
}

bool TSQLiteDBConnection::OpenForReading(const std::string& dir, const std::string& name)
{
    // Connect reopens nothing: this connection is for one look only.
    name_.clear();
    return Open(dir, name, true);
}

bool TSQLiteDBConnection::Open(const std::string& dir, const std::string& name, bool readOnly)
{
    if (!DatabaseExists(dir, name))
        return false;
    Disconnect();
    CloseHandle();
    const std::string fileName = SQLiteDatabaseFileName(dir, name);
    ConfigureSQLiteLibrary();
    int rc = sqlite3_open_v2(fileName.c_str(), &db_, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE,
                             nullptr);
    try {
        if (rc != SQLITE_OK)
            RaiseSQLiteError(db_, rc, "");
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, busyTimeoutMs_);
        ExecSQLiteScript(db_, "PRAGMA schema_version");  // fails at once on a file that is no database
        ApplyReadCacheSize();
        if (!readOnly) {
            if (!sqlite3_db_readonly(db_, "main"))
                ExecSQLiteScript(db_, "PRAGMA journal_mode=WAL");
            ExecSQLiteScript(db_, "PRAGMA synchronous=FULL");
        }
    } catch (...) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw;
    }
    fileKey_ = TSQLiteFileRegistry::Key(fileName);
    TSQLiteFileRegistry::AddConnection(fileKey_);
    return true;
}

void TSQLiteDBConnection::Connect()
{
    if (!db_ && !name_.empty())
        OpenConnection(dir_, serverName_, name_, user_, password_, readUncommitted_);
}

void TSQLiteDBConnection::Disconnect()
{
    if (!db_)
        return;
    if (inUnit_)
        RollbackTrans();
    CloseHandle();
}

void TSQLiteDBConnection::Reconnect()
{
    if (!db_)
        return;
    Disconnect();
    Connect();
}

void TSQLiteDBConnection::CloseHandle()
{
    if (!db_)
        return;
    for (auto& entry : pool_)
        entry.query->Unprepare();
    statementCache_.Clear();
    if (writing_)
        EndWriting();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    snapshot_ = false;
    inUnit_ = false;
    aborted_ = false;
    drawnNumbers_.clear();
    TSQLiteFileRegistry::RemoveConnection(fileKey_);
}

// ---- units of work --------------------------------------------------------------

void TSQLiteDBConnection::BeginTrans()
{
    RequireConnected();
    if (inUnit_)
        throw EDeveloperTolvexException("A transaction is already open on this connection");
    inUnit_ = true;
}

void TSQLiteDBConnection::DetectAbortedUnit()
{
    if (writing_ && sqlite3_get_autocommit(db_))
        aborted_ = true;
}

void TSQLiteDBConnection::FailIfLockedByThisThread() const
{
    TSQLiteDBConnection* holder = TSQLiteFileRegistry::WriteLockHolderOfThisThread(fileKey_);
    if (holder && holder != this)
        RaiseSQLiteBusy();
}

void TSQLiteDBConnection::BeforeStatement(const TSQLiteStatement& statement)
{
    RequireConnected();
    DetectAbortedUnit();
    if (aborted_)
        throw ECriticalTolvexException(UnitAbortedMessage);
    if (statement.IsReadOnly() || writing_)
        return;
    ReleaseReadSnapshot();
    FailIfLockedByThisThread();
    if (inUnit_)
        BeginWriting();
}

void TSQLiteDBConnection::SetReadCacheSize(std::size_t bytes)
{
    readCacheBytes_ = bytes;
    if (db_)
        ApplyReadCacheSize();
}

void TSQLiteDBConnection::ApplyReadCacheSize()
{
    // A negative size counts kibibytes.
    if (readCacheBytes_ > 0)
        ExecSQLiteScript(db_, "PRAGMA cache_size = -" + std::to_string(readCacheBytes_ / 1024));
}

void TSQLiteDBConnection::HoldReadSnapshot()
{
    // Only outside SQLite's own transactions: never while the unit writes.
    if (!db_ || snapshot_ || writing_ || !sqlite3_get_autocommit(db_))
        return;
    ExecSQLiteScript(db_, "BEGIN");
    snapshot_ = true;
}

void TSQLiteDBConnection::ReleaseReadSnapshot()
{
    if (!snapshot_)
        return;
    snapshot_ = false;
    if (db_ && !sqlite3_get_autocommit(db_) && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void TSQLiteDBConnection::BeginWriting()
{
    ExecSQLiteScript(db_, "BEGIN IMMEDIATE");
    try {
        ExecSQLiteScript(db_, std::string("SAVEPOINT ") + UnitSavepoint);
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    writing_ = true;
    TSQLiteFileRegistry::SetWriteLockHolder(fileKey_, this);
}

void TSQLiteDBConnection::EndWriting()
{
    writing_ = false;
    TSQLiteFileRegistry::ClearWriteLockHolder(fileKey_, this);
}

void TSQLiteDBConnection::CommitTrans()
{
    RequireUnit();
    DetectAbortedUnit();
    if (aborted_)
        throw ECriticalTolvexException(UnitAbortedMessage);
    if (writing_) {
        ExecSQLiteScript(db_, "COMMIT");
        EndWriting();
    }
    drawnNumbers_.clear();
    inUnit_ = false;
}

void TSQLiteDBConnection::RollbackTrans()
{
    RequireUnit();
    struct TEndUnit {
        TSQLiteDBConnection& self;
        ~TEndUnit()
        {
            self.inUnit_ = false;
            self.aborted_ = false;
            self.drawnNumbers_.clear();
        }
    } endUnit{*this};
    RollbackWrites();
}

void TSQLiteDBConnection::RollbackWrites()
{
    if (!writing_)
        return;
    const bool transactionOpen = !sqlite3_get_autocommit(db_);
    if (transactionOpen && drawnNumbers_.empty()) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        EndWriting();
        return;
    }
    if (transactionOpen) {
        try {
            ExecSQLiteScript(db_, std::string("ROLLBACK TO ") + UnitSavepoint);
            KeepDrawnNumbers();
            ExecSQLiteScript(db_, "COMMIT");
            EndWriting();
            return;
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    EndWriting();
    KeepDrawnNumbersAfterRollback();
}

// The unit's transaction is gone (cancelled by SQLite, or its savepoint could
// not be used): the drawn numbers are recorded in a transaction of their own.
void TSQLiteDBConnection::KeepDrawnNumbersAfterRollback()
{
    if (drawnNumbers_.empty())
        return;
    aborted_ = false;
    FailIfLockedByThisThread();
    ExecSQLiteScript(db_, "BEGIN IMMEDIATE");
    writing_ = true;
    TSQLiteFileRegistry::SetWriteLockHolder(fileKey_, this);
    try {
        KeepDrawnNumbers();
        ExecSQLiteScript(db_, "COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        EndWriting();
        throw;
    }
    EndWriting();
}

void TSQLiteDBConnection::KeepDrawnNumbers()
{
    for (const auto& [key, number] : drawnNumbers_)
        TSQLiteSequenceTable::KeepAtLeast(*this, key.first, key.second, number);
}

// ---- sequences ------------------------------------------------------------------

int TSQLiteDBConnection::NextSequenceId(const std::string& catalogCode, const std::string& sequenceName)
{
    if (!factory_)
        throw EDeveloperTolvexException("The connection has no database module for its sequences");
    return factory_->NextSequenceId(catalogCode, sequenceName);
}

void TSQLiteDBConnection::RememberDrawnNumber(const std::string& catalogCode, const std::string& sequenceName,
                                              int number)
{
    int& kept = drawnNumbers_[{catalogCode, sequenceName}];
    if (number > kept)
        kept = number;
}
