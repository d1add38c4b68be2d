#pragma once
// The process-wide register of open SQLite database files: which files have
// open connections, and which connection holds a file's write lock.
//
// It lets the module refuse to restore, compact, rename or delete a file that
// is still open, and lets a connection that is about to write fail at once
// with the busy message when another connection of the same thread holds the
// write lock (waiting would be pointless: that lock cannot be given up while
// this thread waits). NextSequenceId uses it to draw inside the unit of work
// that holds the lock instead of deadlocking against it.
#include <string>

class TSQLiteDBConnection;

class TSQLiteFileRegistry {
public:
    // The key of a database file: its absolute, normalised path.
    static std::string Key(const std::string& fileName);

    static void AddConnection(const std::string& key);
    static void RemoveConnection(const std::string& key);
    static bool IsOpen(const std::string& key);

    static void SetWriteLockHolder(const std::string& key, TSQLiteDBConnection* connection);
    // Clears the holder when it is Connection.
    static void ClearWriteLockHolder(const std::string& key, const TSQLiteDBConnection* connection);
    // The connection of the calling thread that holds the file's write lock;
    // null when none does (or a connection of another thread holds it).
    static TSQLiteDBConnection* WriteLockHolderOfThisThread(const std::string& key);
};
