#include "storage/SQLiteDatabaseFiles.h"

#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "storage/SQLiteFileRegistry.h"
#include "storage/SQLiteFiles.h"
#include "storage/SQLiteLibrary.h"
#include "storage/SQLiteModule.h"
#include "storage/SQLiteStatement.h"

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const char* const FileFilter = "SQLite Files (*.sqlite)|*.sqlite";
const char* const InUseMessage = "Database \"$1\" is in use. Close it and try again.";

std::string FileNamePart(const std::string& path)
{
    return fs::path(path).filename().string();
}

std::string FolderPart(const std::string& path)
{
    return fs::path(path).parent_path().string();
}

bool IsFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool IsFolder(const std::string& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

std::string DatabaseFileNameOnly(const std::string& name)
{
    return name + "." + SQLiteFileExt;
}

}  // namespace

// ---- context helpers -------------------------------------------------------------

TCommonGui& TSQLiteDatabaseFiles::Gui() const
{
    if (!context_.gui)
        throw EDeveloperTolvexException("The database module has no user interface");
    return *context_.gui;
}

std::string TSQLiteDatabaseFiles::Format(const std::string& text, const std::vector<std::string>& args) const
{
    if (!context_.formatMessage)
        throw EDeveloperTolvexException("The database module has no message formatter");
    return context_.formatMessage(text, args);
}

void TSQLiteDatabaseFiles::ShowError(const std::string& text, const std::vector<std::string>& args) const
{
    Gui().ShowError(Format(text, args), false);
}

bool TSQLiteDatabaseFiles::Ask(const std::string& text, const std::vector<std::string>& args) const
{
    return Gui().AskQuestion(Format(text, args), "", false) == mrYes;
}

std::tm TSQLiteDatabaseFiles::Now() const
{
    if (context_.now)
        return context_.now();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string TSQLiteDatabaseFiles::BackupFolder() const
{
    std::string folder = context_.backupFolder ? context_.backupFolder() : "";
    if (!folder.empty())
        return folder;
    if (context_.programFolder.empty())
        throw EDeveloperTolvexException("The database module has no program folder");
    return context_.programFolder + "/backup";
}

bool TSQLiteDatabaseFiles::EnsureBackupFolder(const std::string& folder) const
{
    std::error_code ec;
    if (IsFolder(folder) || (fs::create_directories(folder, ec) && !ec) || IsFolder(folder))
        return true;
    ShowError("Cannot create \"$1\" directory", {folder});
    return false;
}

bool TSQLiteDatabaseFiles::IsOpen(const std::string& fileName) const
{
    return TSQLiteFileRegistry::IsOpen(TSQLiteFileRegistry::Key(fileName));
}

// Copies the database through a temporary file beside Target, checks the
// copy and only then puts it in place of Target.
void TSQLiteDatabaseFiles::CopyDatabase(const std::string& sourceFile, sqlite3* liveSource,
                                        const std::string& target) const
{
    std::unique_ptr<sqlite3, TSQLiteHandleCloser> own;
    sqlite3* source = liveSource;
    if (!source) {
        own.reset(OpenSQLiteFile(sourceFile, context_.busyTimeoutMs));
        source = own.get();
    }
    const std::string temporary = target + ".tmp";
    WriteSQLiteCopy(source, temporary, context_.busyTimeoutMs);
    own.reset();
    try {
        CheckSQLiteFile(temporary, context_.busyTimeoutMs);
        RemoveSQLiteSideFiles(temporary);
        RemoveSQLiteSideFiles(target);
        ReplaceFile(temporary, target);
    } catch (...) {
        std::error_code ec;
        fs::remove(temporary, ec);
        throw;
    }
}

// ---- creating, checking, deleting, renaming ---------------------------------------

bool TSQLiteDatabaseFiles::Create(const std::string& dir, const std::string& name) const
{
    if (!IsFolder(dir))
        return false;
    std::optional<TWaitCursor> wait;
    if (context_.gui)
        wait.emplace(*context_.gui);
    const std::string fileName = SQLiteDatabaseFileName(dir, name);
    const std::string temporary = fileName + ".tmp";
    std::error_code ec;
    if (fs::exists(fileName, ec))
        return false;
    try {
        RemoveSQLiteSideFiles(temporary);
        fs::remove(temporary, ec);
        sqlite3* raw = nullptr;
        ConfigureSQLiteLibrary();
        int rc = sqlite3_open_v2(temporary.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        std::unique_ptr<sqlite3, TSQLiteHandleCloser> db(raw);
        if (rc != SQLITE_OK)
            return false;
        TSQLiteStatement walMode(raw, "PRAGMA journal_mode=WAL");
        walMode.Step();
        db.reset();
        SyncPath(temporary);
        RemoveSQLiteSideFiles(temporary);
        RemoveSQLiteSideFiles(fileName);
        ReplaceFile(temporary, fileName);
        return true;
    } catch (const std::exception&) {
        fs::remove(temporary, ec);
        return false;
    }
}

void TSQLiteDatabaseFiles::Check(const std::string& dir, const std::string& name, std::string& message,
                                 int& code) const
{
    code = 0;
    message.clear();
    if (!IsFolder(dir)) {
        message = Format("Directory \"$1\" not exists", {dir});
        code = 2;
    }
    const std::string fileName = SQLiteDatabaseFileName(dir, name);
    if (IsFile(fileName)) {
        message += Format("Database \"$1\" already exists", {fileName});
        code |= 1;
    }
}

bool TSQLiteDatabaseFiles::Delete(const std::string& dir, const std::string& name) const
{
    const std::string fileName = SQLiteDatabaseFileName(dir, name);
    if (!IsFile(fileName) || IsOpen(fileName))
        return false;
    try {
        RemoveSQLiteSideFiles(fileName);
    } catch (const ECriticalTolvexException&) {
        return false;
    }
    std::error_code ec;
    return fs::remove(fileName, ec) && !ec;
}

bool TSQLiteDatabaseFiles::Rename(const std::string& oldFileName, const std::string& newFileName) const
{
    std::error_code ec;
    if (!IsFile(oldFileName) || fs::exists(newFileName, ec) || IsOpen(oldFileName))
        return false;
    // A log left by a crash belongs to the file: it moves with it.
    const std::string oldWal = SQLiteWalFileName(oldFileName);
    const std::string newWal = SQLiteWalFileName(newFileName);
    fs::remove(SQLiteShmFileName(oldFileName), ec);
    bool movedWal = IsFile(oldWal);
    if (movedWal) {
        fs::rename(oldWal, newWal, ec);
        if (ec)
            return false;
    }
    fs::rename(oldFileName, newFileName, ec);
    if (ec && movedWal)
        fs::rename(newWal, oldWal, ec);
    return !ec && IsFile(newFileName);
}

// ---- backups ------------------------------------------------------------------------

bool TSQLiteDatabaseFiles::AskForBackupFile(const std::string& name, const std::string& folder,
                                            std::string& chosen) const
{
    const std::string proposed = name + " " + BackupTimeStamp(Now()) + "." + SQLiteFileExt;
    if (!Gui().SelectSaveFile(Format("Backup Database"), folder, proposed, FileFilter, chosen))
        return false;
    const std::string chosenFolder = FolderPart(chosen);
    if (!chosenFolder.empty() && !IsFolder(chosenFolder)) {
        if (!Ask("Directory \"$1\" doesn\\`t exist. Create it?", {chosenFolder}))
            return false;
        std::error_code ec;
        fs::create_directories(chosenFolder, ec);
        if (!IsFolder(chosenFolder)) {
            ShowError("Cannot create the directory");
            return false;
        }
    }
    if (context_.setBackupFolder)
        context_.setBackupFolder(chosenFolder);
    return !IsFile(chosen) || Ask("File \"$1\" exists. Overwrite it?", {chosen});
}

void TSQLiteDatabaseFiles::Backup(const std::string& dir, const std::string& name, sqlite3* liveSource) const
{
    const std::string folder = BackupFolder();
    if (!EnsureBackupFolder(folder))
        return;
    std::string chosen;
    if (!AskForBackupFile(name, folder, chosen))
        return;
    try {
        CopyDatabase(SQLiteDatabaseFileName(dir, name), liveSource, chosen);
    } catch (const std::exception&) {
        ShowError("Cannot backup \"$1\" database file to \"$2\"", {DatabaseFileNameOnly(name), chosen});
        return;
    }
    Gui().ShowInformation(Format("Backup of database \"$1\" was made to \"$2\" file", {name, chosen}), false);
}

void TSQLiteDatabaseFiles::AutoBackup(const std::string& dir, const std::string& name,
                                      sqlite3* liveSource) const
{
    const std::string folder = BackupFolder();
    if (!EnsureBackupFolder(folder))
        return;
    const std::string targetName = name + " " + BackupTimeStamp(Now()) + "." + SQLiteFileExt;
    const std::string target = folder + "/" + targetName;
    if (IsFile(target) && !Ask("File \"$1\" exists. Overwrite it?", {targetName}))
        return;
    try {
        CopyDatabase(SQLiteDatabaseFileName(dir, name), liveSource, target);
    } catch (const std::exception&) {
        ShowError("Cannot backup \"$1\" database file to \"$2\"", {DatabaseFileNameOnly(name), target});
        return;
    }
    RotateBackups(name, folder, targetName);
}

// Keeps the newest backups: the list in the backup section of Name names
// the kept files, newest first. A file named twice (a second backup in the
// same minute overwrote the first) counts once and is never deleted here.
void TSQLiteDatabaseFiles::RotateBackups(const std::string& name, const std::string& folder,
                                         const std::string& targetName) const
{
    const int keep = context_.backupKeep ? context_.backupKeep() : 5;
    if (keep <= 0)
        return;
    const std::string section = DatabaseBackupSection(name);
    auto key = [](int i) { return "BackupFileName_" + std::to_string(i); };
    auto read = [&](int i) { return context_.readIni ? context_.readIni(section, key(i)) : std::string(); };
    auto write = [&](const std::string& k, const std::string& v) {
        if (context_.writeIni)
            context_.writeIni(section, k, v);
    };
    std::vector<std::string> kept;
    for (int i = 1; i <= keep + 101; ++i) {
        std::string file = FileNamePart(read(i));
        if (file != targetName)
            kept.push_back(file);
    }
    const std::size_t firstSurplus = static_cast<std::size_t>(keep) - 1;
    for (std::size_t i = firstSurplus; i < firstSurplus + 101 && i < kept.size(); ++i) {
        if (kept[i].empty() || !IsFile(folder + "/" + kept[i]))
            break;
        std::error_code ec;
        fs::remove(folder + "/" + kept[i], ec);
    }
    for (int i = keep - 1; i >= 1; --i)
        write(key(i + 1), kept[static_cast<std::size_t>(i) - 1]);
    write(key(1), targetName);
    write("LastBackup", std::to_string(DayNumber(Now())));
}

// ---- restore and compaction --------------------------------------------------------

void TSQLiteDatabaseFiles::Restore(const std::string& dir, const std::string& name) const
{
    std::string chosen;
    if (!Gui().SelectOpenFile(Format("Restore Database"), BackupFolder(), FileFilter, chosen))
        return;
    const std::string target = SQLiteDatabaseFileName(dir, name);
    if (IsOpen(target)) {
        ShowError(InUseMessage, {name});
        return;
    }
    try {
        if (!IsFile(chosen))
            throw ECriticalTolvexException("missing file " + chosen);
        CopyDatabase(chosen, nullptr, target);
    } catch (const std::exception&) {
        ShowError("Cannot restore database \"$1\" from \"$2\"", {name, chosen});
    }
}

bool TSQLiteDatabaseFiles::Compact(const std::string& dir, const std::string& name) const
{
    TWaitCursor wait(Gui());
    const std::string fileName = SQLiteDatabaseFileName(dir, name);
    if (IsOpen(fileName)) {
        ShowError(InUseMessage, {name});
        return false;
    }
    const std::string tempFolder = context_.tempFolder.empty() ? dir : context_.tempFolder;
    const std::string temporary = tempFolder + "/temp." + SQLiteFileExt;
    std::error_code ec;
    try {
        RemoveSQLiteSideFiles(temporary);
        fs::remove(temporary, ec);
        {
            std::unique_ptr<sqlite3, TSQLiteHandleCloser> db(OpenSQLiteFile(fileName, context_.busyTimeoutMs));
            TSQLiteStatement vacuum(db.get(), "VACUUM INTO ?");
            vacuum.Bind(1, temporary);
            vacuum.Step();
        }
        // Closing the last connection folds the log into the file and removes
        // it; a log that is still there means another program has the file open.
        if (IsFile(SQLiteWalFileName(fileName)))
            throw ECriticalTolvexException("the database is open in another program");
        SyncPath(temporary);
        RemoveSQLiteSideFiles(fileName);
        ReplaceFile(temporary, fileName);
        return true;
    } catch (const std::exception&) {
        fs::remove(temporary, ec);
        ShowError("Cannot compress database file \"$1\"", {fileName});
        return false;
    }
}
