#include "storage/SQLiteConnectionFactory.h"

#include "common/Exceptions.h"
#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteDatabaseFiles.h"
#include "storage/SQLiteFileRegistry.h"
#include "storage/SQLiteModule.h"
#include "storage/SQLiteSequenceTable.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

// Whether the file starts with the header of an SQLite database in WAL mode
// (file format version numbers 2 at offsets 18 and 19).
bool IsWalDatabaseFile(const std::string& fileName)
{
    static const char kMagic[] = "SQLite format 3";
    char header[20] = {};
    std::ifstream in(fileName, std::ios::binary);
    if (!in.read(header, sizeof header))
        return false;
    return std::memcmp(header, kMagic, sizeof kMagic) == 0 && header[18] == 2 && header[19] == 2;
}

}  // namespace

TSQLiteConnectionFactory::TSQLiteConnectionFactory(const std::string& name, const std::string& params,
                                                   const TDatabaseModuleContext& context)
    : pluginName_(name), params_(params), context_(context), mainConnection_(CreateConnection())
{
}

TSQLiteConnectionFactory::~TSQLiteConnectionFactory()
{
    sequenceConnection_.reset();
    mainConnection_.reset();
    // Connections still held by their owners lose their sequences, not their data.
    for (TSQLiteDBConnection* connection : connections_)
        connection->DetachFactory();
}

std::string TSQLiteConnectionFactory::PluginName()
{
    return SQLiteModuleName;
}

std::unique_ptr<TSQLiteDBConnection> TSQLiteConnectionFactory::CreateConnection()
{
    auto connection = std::make_unique<TSQLiteDBConnection>(this, context_.busyTimeoutMs);
    connections_.push_back(connection.get());
    return connection;
}

void TSQLiteConnectionFactory::ConnectionDestroyed(TSQLiteDBConnection* connection)
{
    connections_.erase(std::remove(connections_.begin(), connections_.end(), connection), connections_.end());
}

// ---- connections ------------------------------------------------------------------

bool TSQLiteConnectionFactory::OpenDatabase(const std::string& dir, const std::string& name,
                                            const std::string& user, const std::string& password)
{
    dir_ = dir;
    name_ = name;
    user_ = user;
    password_ = password;
    serverName_.clear();
    sequenceConnection_.reset();  // it belongs to the database opened before
    return mainConnection_->OpenConnection(dir_, serverName_, name_, user_, password_, true);
}

TAbstractDBConnection& TSQLiteConnectionFactory::GetConnection()
{
    return *mainConnection_;
}

std::unique_ptr<TAbstractDBConnection> TSQLiteConnectionFactory::OpenSecondConnection()
{
    auto connection = CreateConnection();
    if (!connection->OpenConnection(dir_, serverName_, name_, user_, password_, false))
        throw ECriticalTolvexException("Cannot open the database");
    connection->BeginTrans();
    return connection;
}

std::unique_ptr<TAbstractDBConnection> TSQLiteConnectionFactory::OpenReadOnlyConnection(const std::string& dir,
                                                                                        const std::string& name)
{
    // A database already in WAL mode is opened as it is: OpenDatabase
    // changes nothing in it, whereas a reader alone would leave the WAL
    // files behind, which only a writer removes.
    if (IsWalDatabaseFile(SQLiteDatabaseFileName(dir, name)))
        return nullptr;
    // No sequences: a connection that only reads never draws a number.
    auto connection = std::make_unique<TSQLiteDBConnection>(nullptr, context_.busyTimeoutMs);
    if (!connection->OpenForReading(dir, name))
        return nullptr;
    return connection;
}

// ---- sequences ----------------------------------------------------------------------

TSQLiteDBConnection& TSQLiteConnectionFactory::SequenceConnection()
{
    if (!sequenceConnection_) {
        auto connection = CreateConnection();
        if (!connection->OpenConnection(dir_, serverName_, name_, user_, password_, false))
            throw ECriticalTolvexException("Cannot open the database");
        connection->BeginTrans();
        sequenceConnection_ = std::move(connection);
    }
    return *sequenceConnection_;
}

int TSQLiteConnectionFactory::NextSequenceId(const std::string& catalogCode, const std::string& sequenceName)
{
    if (sequenceBusy_)
        throw EDeveloperTolvexException("UID generation function already locked");
    sequenceBusy_ = true;
    struct TClearBusy {
        bool& flag;
        ~TClearBusy() { flag = false; }
    } clearBusy{sequenceBusy_};

    const std::string key = TSQLiteFileRegistry::Key(SQLiteDatabaseFileName(dir_, name_));
    if (TSQLiteDBConnection* holder = TSQLiteFileRegistry::WriteLockHolderOfThisThread(key)) {
        int number = TSQLiteSequenceTable::Draw(*holder, catalogCode, sequenceName);
        holder->RememberDrawnNumber(catalogCode, sequenceName, number);
        return number;
    }
    return DrawOnSequenceConnection(catalogCode, sequenceName);
}

int TSQLiteConnectionFactory::DrawOnSequenceConnection(const std::string& catalogCode,
                                                       const std::string& sequenceName)
{
    TSQLiteDBConnection& connection = SequenceConnection();
    try {
        int number = TSQLiteSequenceTable::Draw(connection, catalogCode, sequenceName);
        connection.CommitTrans();
        connection.BeginTrans();
        return number;
    } catch (...) {
        // Never keep the write lock after a failed draw: undo and start afresh.
        if (connection.InTransaction())
            connection.RollbackTrans();
        connection.BeginTrans();
        throw;
    }
}

// ---- file operations ------------------------------------------------------------------

sqlite3* TSQLiteConnectionFactory::LiveSource(const std::string& dir, const std::string& name) const
{
    if (!mainConnection_->IsConnected() || mainConnection_->HoldsWriteLock())
        return nullptr;
    const std::string key = TSQLiteFileRegistry::Key(SQLiteDatabaseFileName(dir, name));
    return key == mainConnection_->FileKey() ? mainConnection_->Handle() : nullptr;
}

bool TSQLiteConnectionFactory::CreateDatabase(const std::string& dir, const std::string&, const std::string& name,
                                              const std::string&, const std::string&, int)
{
    return TSQLiteDatabaseFiles(context_).Create(dir, name);
}

void TSQLiteConnectionFactory::CheckNewDatabase(const std::string& dir, const std::string&,
                                                const std::string& name, const std::string&,
                                                const std::string&, std::string& message, int& code)
{
    TSQLiteDatabaseFiles(context_).Check(dir, name, message, code);
}

std::string TSQLiteConnectionFactory::GetOpenWarning() const
{
    struct stat info{};
    const std::string fileName = SQLiteDatabaseFileName(dir_, name_);
    bool noWriteBits = ::stat(fileName.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    bool readOnlyConnection = mainConnection_->IsConnected() && sqlite3_db_readonly(mainConnection_->Handle(), "main") == 1;
    return noWriteBits || readOnlyConnection ? "Catalog is in read-only mode" : "";
}

bool TSQLiteConnectionFactory::DeleteDatabase(const std::string& dir, const std::string&, const std::string& name,
                                              const std::string&, const std::string&)
{
    return TSQLiteDatabaseFiles(context_).Delete(dir, name);
}

void TSQLiteConnectionFactory::BackupDatabase(const std::string& dir, const std::string&, const std::string& name,
                                              const std::string&, const std::string&)
{
    TSQLiteDatabaseFiles(context_).Backup(dir, name, LiveSource(dir, name));
}

void TSQLiteConnectionFactory::AutoBackup(const std::string& dir, const std::string&, const std::string& name,
                                          const std::string&, const std::string&)
{
    TSQLiteDatabaseFiles(context_).AutoBackup(dir, name, LiveSource(dir, name));
}

void TSQLiteConnectionFactory::RestoreDatabase(const std::string& dir, const std::string&, const std::string& name,
                                               const std::string&, const std::string&)
{
    TSQLiteDatabaseFiles(context_).Restore(dir, name);
}

bool TSQLiteConnectionFactory::CompactDatabase(const std::string& dir, const std::string&, const std::string& name,
                                               const std::string&, const std::string&)
{
    return TSQLiteDatabaseFiles(context_).Compact(dir, name);
}

bool TSQLiteConnectionFactory::IsNameFree(const std::string& name) const
{
    std::error_code ec;
    return !std::filesystem::exists(GetDatabaseFileName(name), ec);
}

std::string TSQLiteConnectionFactory::GetDatabaseFileName(const std::string& name) const
{
    return SQLiteDatabaseFileName(dir_, name);
}

bool TSQLiteConnectionFactory::RenameDatabase(const std::string&, const std::string& oldFileName,
                                              const std::string& newFileName)
{
    return TSQLiteDatabaseFiles(context_).Rename(oldFileName, newFileName);
}
