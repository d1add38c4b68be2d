#pragma once
// The file operations of the SQLite module: creating, checking, deleting,
// backing up (by hand and rotating), restoring, compacting and renaming
// database files. They depend only on their arguments and the module
// context, so the program can run them without an opened factory.
//
// A database file that is open anywhere in this program is never
// overwritten, compacted, renamed or deleted (TSQLiteFileRegistry); restore
// and compaction say so to the user. Copies of a database are made with
// SQLite's online backup into a temporary name and then renamed into place;
// a database file is replaced only by a complete, checked copy.
#include "storage/DatabaseModuleContext.h"

#include <ctime>
#include <string>
#include <vector>

struct sqlite3;

class TSQLiteDatabaseFiles {
public:
    explicit TSQLiteDatabaseFiles(const TDatabaseModuleContext& context) : context_(context) {}

    // An empty database file Dir/Name.sqlite in WAL mode; false when Dir is
    // missing, the file exists already, or it cannot be made.
    bool Create(const std::string& dir, const std::string& name) const;
    // Code 2 with a message for a missing folder, bit 1 for an existing file.
    void Check(const std::string& dir, const std::string& name, std::string& message, int& code) const;
    bool Delete(const std::string& dir, const std::string& name) const;
    // Backups copy from LiveSource when it is given (the open main connection
    // of the same file), else from a connection of their own.
    void Backup(const std::string& dir, const std::string& name, sqlite3* liveSource) const;
    void AutoBackup(const std::string& dir, const std::string& name, sqlite3* liveSource) const;
    void Restore(const std::string& dir, const std::string& name) const;
    bool Compact(const std::string& dir, const std::string& name) const;
    bool Rename(const std::string& oldFileName, const std::string& newFileName) const;

private:
    TCommonGui& Gui() const;
    std::string Format(const std::string& text, const std::vector<std::string>& args = {}) const;
    void ShowError(const std::string& text, const std::vector<std::string>& args = {}) const;
    bool Ask(const std::string& text, const std::vector<std::string>& args) const;
    std::tm Now() const;
    std::string BackupFolder() const;
    bool EnsureBackupFolder(const std::string& folder) const;
    bool IsOpen(const std::string& fileName) const;
    void CopyDatabase(const std::string& sourceFile, sqlite3* liveSource, const std::string& target) const;
    void RotateBackups(const std::string& name, const std::string& folder, const std::string& target) const;
    bool AskForBackupFile(const std::string& name, const std::string& folder, std::string& chosen) const;

    const TDatabaseModuleContext& context_;
};
