#include "storage/SQLiteFiles.h"

#include "common/Exceptions.h"
#include "storage/SQLiteErrors.h"
#include "storage/SQLiteLibrary.h"
#include "storage/SQLiteStatement.h"

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

std::string SQLiteWalFileName(const std::string& databaseFile)
{
    return databaseFile + "-wal";
}

std::string SQLiteShmFileName(const std::string& databaseFile)
{
    return databaseFile + "-shm";
}

void TSQLiteHandleCloser::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

void RemoveSQLiteSideFiles(const std::string& databaseFile)
{
    for (const std::string& side : {SQLiteWalFileName(databaseFile), SQLiteShmFileName(databaseFile)}) {
        std::error_code ec;
        fs::remove(side, ec);
        if (ec)
            throw ECriticalTolvexException("Cannot remove " + side + ": " + ec.message());
    }
}

void SyncPath(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw ECriticalTolvexException("Cannot open " + path + ": " + std::strerror(errno));
    int rc = ::fsync(fd);
    int error = errno;
    ::close(fd);
    if (rc != 0)
        throw ECriticalTolvexException("Cannot write " + path + " to the disk: " + std::strerror(error));
}

namespace {

std::string FolderOf(const std::string& path)
{
    std::string folder = fs::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

void RenameFile(const std::string& source, const std::string& target)
{
    if (std::rename(source.c_str(), target.c_str()) != 0)
        throw ECriticalTolvexException("Cannot rename " + source + " to " + target + ": " +
                                       std::strerror(errno));
}

}  // namespace

void ReplaceFile(const std::string& source, const std::string& target)
{
    if (std::rename(source.c_str(), target.c_str()) == 0) {
        SyncPath(FolderOf(target));
        return;
    }
    if (errno != EXDEV)
        throw ECriticalTolvexException("Cannot rename " + source + " to " + target + ": " +
                                       std::strerror(errno));
    const std::string staged = target + ".tmp";
    std::error_code ec;
    fs::copy_file(source, staged, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        fs::remove(staged, ec);
        throw ECriticalTolvexException("Cannot copy " + source + " to " + staged);
    }
    try {
        SyncPath(staged);
        RenameFile(staged, target);
    } catch (...) {
        fs::remove(staged, ec);
        throw;
    }
    SyncPath(FolderOf(target));
    fs::remove(source, ec);
}

sqlite3* OpenSQLiteFile(const std::string& fileName, int busyTimeoutMs)
{
    sqlite3* db = nullptr;
    ConfigureSQLiteLibrary();
    int rc = sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<sqlite3, TSQLiteHandleCloser> guard(db);
    if (rc != SQLITE_OK)
        RaiseSQLiteError(db, rc, "");
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    ExecSQLiteScript(db, "PRAGMA schema_version");  // fails at once on a file that is no database
    return guard.release();
}

namespace {

void RunBackup(sqlite3* source, sqlite3* target, int busyTimeoutMs)
{
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup)
        RaiseSQLiteError(target, sqlite3_errcode(target), "");
    int rc = SQLITE_OK;
    const int pauseMs = 50;
    for (int waited = 0;; waited += pauseMs) {
        rc = sqlite3_backup_step(backup, -1);
        bool retry = (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited < busyTimeoutMs;
        if (!retry)
            break;
        sqlite3_sleep(pauseMs);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        RaiseSQLiteError(target, rc, "");
}

}  // namespace

void WriteSQLiteCopy(sqlite3* source, const std::string& target, int busyTimeoutMs)
{
    std::error_code ec;
    try {
        RemoveSQLiteSideFiles(target);
        fs::remove(target, ec);
        sqlite3* raw = nullptr;
        int rc = sqlite3_open_v2(target.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        std::unique_ptr<sqlite3, TSQLiteHandleCloser> copy(raw);
        if (rc != SQLITE_OK)
            RaiseSQLiteError(raw, rc, "");
        sqlite3_extended_result_codes(raw, 1);
        RunBackup(source, raw, busyTimeoutMs);
        ExecSQLiteScript(raw, "PRAGMA journal_mode=DELETE");
        copy.reset();
        SyncPath(target);
    } catch (...) {
        fs::remove(target, ec);
        fs::remove(SQLiteWalFileName(target), ec);
        fs::remove(SQLiteShmFileName(target), ec);
        throw;
    }
}

void CheckSQLiteFile(const std::string& fileName, int busyTimeoutMs)
{
    std::unique_ptr<sqlite3, TSQLiteHandleCloser> db(OpenSQLiteFile(fileName, busyTimeoutMs));
    TSQLiteStatement check(db.get(), "PRAGMA quick_check");
    check.Step();
    const auto* result = reinterpret_cast<const char*>(sqlite3_column_text(check.Handle(), 0));
    if (!result || std::strcmp(result, "ok") != 0)
        throw ECriticalTolvexException("The database file " + fileName + " is damaged");
}

std::string BackupTimeStamp(const std::tm& time)
{
    int hour12 = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d%02d%s", time.tm_year + 1900, time.tm_mon + 1,
                  time.tm_mday, hour12, time.tm_min, time.tm_hour < 12 ? "am" : "pm");
    return text;
}

int DayNumber(const std::tm& time)
{
    using namespace std::chrono;
    year_month_day date{year{time.tm_year + 1900}, month{static_cast<unsigned>(time.tm_mon + 1)},
                        day{static_cast<unsigned>(time.tm_mday)}};
    return static_cast<int>((sys_days{date} - sys_days{year{1899} / December / 30}).count());
}
