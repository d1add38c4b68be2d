#pragma once
// File-level helpers of the SQLite module: the side files of a database,
// durable replacing of files, and copies of a database made with SQLite's
// online backup (a consistent snapshot, also of a database in use, never a
// byte copy of a live file).
#include <ctime>
#include <string>

struct sqlite3;

// The write-ahead log and shared-memory files beside a database file.
std::string SQLiteWalFileName(const std::string& databaseFile);
std::string SQLiteShmFileName(const std::string& databaseFile);

// Removes the -wal and -shm files of a database that nobody has open (the
// log first, so that a stale log can never be applied to another file).
// Raises ECriticalTolvexException when one of them cannot be removed.
void RemoveSQLiteSideFiles(const std::string& databaseFile);

// Flushes a file, or a folder's entries, to the disk.
void SyncPath(const std::string& path);

// Moves Source over Target in one step (rename), across file systems by a
// copy to a temporary name beside Target first. Raises on failure; Target is
// then unchanged.
void ReplaceFile(const std::string& source, const std::string& target);

// Opens an existing database file for reading and writing (read-only when
// the file is), never creating it. Raises on failure.
sqlite3* OpenSQLiteFile(const std::string& fileName, int busyTimeoutMs);

// Writes a copy of the database open on Source into the new file Target
// (a single file in rollback-journal mode, synced to disk). Raises on failure,
// leaving no Target behind.
void WriteSQLiteCopy(sqlite3* source, const std::string& target, int busyTimeoutMs);

// Raises when the database file fails SQLite's quick structural check.
void CheckSQLiteFile(const std::string& fileName, int busyTimeoutMs);

// The time stamp of backup file names, "yyyy-mm-dd hhnnam/pm": 14:30 on
// 15 March 2004 gives "2004-03-15 0230pm".
std::string BackupTimeStamp(const std::tm& time);

// The day number of a date: days since 30 December 1899.
int DayNumber(const std::tm& time);

// Closes a connection handle when it goes out of scope.
struct TSQLiteHandleCloser {
    void operator()(sqlite3* db) const;
};
