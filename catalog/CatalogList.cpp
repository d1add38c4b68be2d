// The catalog object's list of catalog files that can be opened (login
// dialog and File menu) and the menu entries made from it.
#include "catalog/Catalog.h"

#include "catalog/CatalogDefinition.h"
#include "catalog/PluginLoader.h"
#include "catalog/PluginsManager.h"
#include "common/CaptionValue.h"
#include "common/CommonFunctionsDetail.h"
#include "common/GlobalSettings.h"
#include "storage/DBManager.h"
#include "storage/SQLiteModule.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;
using common_detail::LowerCase;

namespace {

const char* const kOldInstallPrefix = "Tolvex 2.50";

// Whether two folder names name the same folder (whatever separators,
// trailing separators or "." and ".." parts they are written with).
bool SameFolder(const std::string& a, const std::string& b)
{
    std::error_code error;
    const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
    const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
    return (first / "").lexically_normal() == (second / "").lexically_normal();
}

// The regular files of Dir with the extension Ext (any letter case), by name.
std::vector<std::string> FilesWithExtension(const std::string& dir, const std::string& ext)
{
    std::string suffix(1, '.');
    suffix += LowerCase(ext);
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        const std::string lower = LowerCase(name);
        if (entry.is_regular_file(error) && lower.size() > suffix.size() &&
            lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Copies Source to Target through a temporary name.
void CopyFileInto(const std::string& source, const std::string& target)
{
    const std::string temporary = target + ".tmp";
    std::error_code error;
    if (fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, error))
        fs::rename(temporary, target, error);
    if (error)
        fs::remove(temporary, error);
}

}  // namespace

void TCatalog::GetCatalogList(std::vector<TListEntry>& list)
{
    list.clear();
    const std::string programDir = services_.Settings.AppDir();
    const std::string dbDir = DatabaseDir();
    const bool both = !SameFolder(programDir, dbDir);
    TPluginsManager& modules = services_.DBManager.GetPluginsManager();
    for (int i = 0; i < modules.GetCount(); ++i) {
        const TPluginLoader* module = modules.GetPlugin(i);
        const std::string ext = module->GetParam("FileExt");
        const std::string prefix = module->GetParam("OpenPrefix");
        AddCatalogFiles(dbDir, list, ext, prefix, i, true);
        if (both)
            AddCatalogFiles(programDir, list, ext, prefix, i, true);
    }
    AddOldInstallCatalogs(list);
}

void TCatalog::AddCatalogFiles(const std::string& dir, std::vector<TListEntry>& list, const std::string& ext,
                               const std::string& prefix, int tag, bool allowDuplicates)
{
    std::error_code error;
    if (ext.empty() || !fs::is_directory(dir, error))
        return;
    for (const std::string& fileName : FilesWithExtension(dir, ext)) {
        const std::string name = LowerCase(fileName.substr(0, fileName.find('.')));
        if (IsCreationWorkName(name))
            continue;  // a creation cut short left it: no catalog
        const bool listed = std::any_of(list.begin(), list.end(), [&](const TListEntry& entry) {
            return entry.Text.substr(0, entry.Text.find('=')) == name;
        });
        if (!allowDuplicates && listed)
            continue;
        list.push_back({(prefix.empty() ? "" : prefix + " / ") + name + CaptionValue::kSeparator + dir + "/" + fileName, tag});
    }
}

void TCatalog::AddOldInstallCatalogs(std::vector<TListEntry>& list)
{
    std::error_code error;
    if (oldInstallFolder_.empty() || !fs::is_directory(oldInstallFolder_, error) ||
        SameFolder(oldInstallFolder_, services_.Settings.AppDir()))
        return;
    AddCatalogFiles(oldInstallFolder_, list, SQLiteFileExt, kOldInstallPrefix, kOldInstallCatalogTag, false);
}

std::vector<TCatalog::TMenuEntry> TCatalog::FillCatalogsMenu()
{
    std::vector<TListEntry> list;
    GetCatalogList(list);
    const auto lowerText = [](const TListEntry& entry) { return LowerCase(entry.Text); };
    std::stable_sort(list.begin(), list.end(),
                     [&](const TListEntry& a, const TListEntry& b) { return lowerText(a) < lowerText(b); });
    list.erase(std::unique(list.begin(), list.end(),
                           [&](const TListEntry& a, const TListEntry& b) { return lowerText(a) == lowerText(b); }),
               list.end());
    std::vector<TMenuEntry> entries;
    for (const TListEntry& entry : list)
        entries.push_back({CaptionValue::CaptionOf(entry.Text),
                           CaptionValue::HasValue(entry.Text) ? CaptionValue::ValueOf(entry.Text) : std::string(),
                           entry.Tag});
    return entries;
}

void TCatalog::CatalogMenuItemClick(const TMenuEntry& entry)
{
    std::string name = entry.Caption;
    if (const std::size_t slash = name.find('/'); slash != std::string::npos)
        name = common_detail::Trim(name.substr(slash + 1));
    const std::size_t lastSeparator = entry.File.find_last_of("/\\");
    const std::string dir = lastSeparator == std::string::npos ? std::string() : entry.File.substr(0, lastSeparator);

    TPluginsManager& modules = services_.DBManager.GetPluginsManager();
    const TPluginLoader* module = nullptr;
    if (entry.Tag == kOldInstallCatalogTag) {
        CopyOldInstallCatalog(entry.File);
        module = modules.FindPlugin(SQLiteModuleName);
    } else {
        module = modules.GetPlugin(entry.Tag);
    }
    if (module)
        OpenFileWithLogin(dir, name, module->GetName());
}

std::string TCatalog::CopyOldInstallCatalog(const std::string& file)
{
    const std::size_t lastSeparator = file.find_last_of("/\\");
    const std::string fileName = lastSeparator == std::string::npos ? file : file.substr(lastSeparator + 1);
    const std::string target = DatabaseDir() + "/" + fileName;
    std::error_code error;
    if (!fs::exists(target, error))
        CopyFileInto(file, target);
    return target;
}

bool TCatalog::CatalogFileExists(const std::string& catalogName) const
{
    std::error_code error;
    return fs::exists(SQLiteDatabaseFileName(DatabaseDir(), catalogName), error);
}
