#pragma once
// What a database module needs from the rest of the program for its file
// operations (backup, restore, compaction): the user interface, message
// formatting, folders, backup settings and the per-database ini sections.
// Plain callbacks, so that the program wires in its settings and translation
// and tests use lambdas.
#include <ctime>
#include <functional>
#include <string>
#include <vector>

class TCommonGui;

struct TDatabaseModuleContext {
    // Message boxes, file dialogs and the hourglass.
    TCommonGui* gui = nullptr;
    // Translates a message and fills in its "$1", "$2" ... with Args.
    std::function<std::string(const std::string& text, const std::vector<std::string>& args)> formatMessage;

    // The program folder (default backup folder: its "backup" folder) and
    // the program's temp folder.
    std::string programFolder;
    std::string tempFolder;

    // Setting 66 [Backup] Directory (empty: the default folder) and its update.
    std::function<std::string()> backupFolder;
    std::function<void(const std::string& folder)> setBackupFolder;
    // Setting 65 [Backup] Keep: how many automatic backups are kept.
    std::function<int()> backupKeep;

    // Values of the ini file's per-database sections (DatabaseBackupSection).
    std::function<std::string(const std::string& section, const std::string& key)> readIni;
    std::function<void(const std::string& section, const std::string& key, const std::string& value)> writeIni;

    // The local date and time now; empty: the clock.
    std::function<std::tm()> now;

    // How long a write waits for another writer before the busy message.
    int busyTimeoutMs = 5000;
};

// The ini file's section of a database's backups (its kept files and the
// day of its last backup), by database name: the backups write it and the
// backup reminder reads it.
inline std::string DatabaseBackupSection(const std::string& databaseName)
{
    return "backup_" + databaseName;
}
