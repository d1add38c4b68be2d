#pragma once
// Turning SQLite result codes into the program's exceptions.
//  - SQLITE_BUSY (the catalog stayed locked by another writer past the busy
//    timeout) becomes ECriticalTolvexException with SQLiteBusyMessage, so the
//    user learns that the catalog is busy instead of waiting forever.
//  - every other error becomes ECriticalTolvexException with SQLite's own text
//    and the statement that failed.
#include <string>

struct sqlite3;

inline constexpr const char* SQLiteBusyMessage =
    "The catalog is busy: another operation is writing to it. Try again in a moment.";

// True for SQLITE_BUSY and its extended codes.
bool IsSQLiteBusy(int resultCode);

// Raises the exception for a failed call on a connection. Sql may be empty.
[[noreturn]] void RaiseSQLiteError(sqlite3* db, int resultCode, const std::string& sql);

// Raises the busy exception.
[[noreturn]] void RaiseSQLiteBusy();

// Runs statements without parameters or rows (BEGIN, COMMIT, PRAGMA ...).
void ExecSQLiteScript(sqlite3* db, const std::string& sql);
