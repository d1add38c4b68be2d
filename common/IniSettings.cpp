#include "common/IniSettings.h"

#include "common/Deployment.h"

#include <array>
#include <charconv>
#include <optional>

namespace {

// The database module every database setting names by default.
const char* const kDatabaseModule = "SQLite";

struct TSettingEntry {
    std::string section;  // empty: the id has no entry
    std::string key;
    std::optional<std::string> def;  // the built-in default, when the id has one
};

constexpr int kIdCount = 128;
using TSettingsTable = std::array<TSettingEntry, kIdCount>;

// The five settings of one database: module, parameters, name, user, password.
void AddDatabase(TSettingsTable& t, int first, const std::string& section, const std::string& name)
{
    t[first] = {section, "DatabaseType", kDatabaseModule};
    t[first + 1] = {section, "DatabaseParams", std::nullopt};
    t[first + 2] = {section, "DatabaseName", name};
    t[first + 3] = {section, "UserName", ""};
    t[first + 4] = {section, "Password", ""};
}

void AddDatabases(TSettingsTable& t)
{
    AddDatabase(t, siCatalogDatabaseType, "Catalog", "catalogs");
    AddDatabase(t, siStylesDatabaseType, "Styles", "catalog_$CatalogType$");
    AddDatabase(t, siReferencesDatabaseType, "References", "tolvex");
    AddDatabase(t, siUnspscDatabaseType, "Unspsc", "unspsc");
    AddDatabase(t, siHarmonizedDatabaseType, "Harmonized", "harmonized");
    AddDatabase(t, siEBayDatabaseType, "EBay", "ebay");
    AddDatabase(t, siZarivuroDatabaseType, "Zarivuro", "zarivuro");
}

void AddProgramState(TSettingsTable& t)
{
    t[siComputerId] = {"Computer", "Id", std::nullopt};
    t[siSessionId] = {"Computer", "SessionId", std::nullopt};
    const char* const recent[] = {"n1", "n2", "n3", "n4", "n5"};
    for (int i = 0; i < 5; ++i)
        t[siLastUsed1 + i] = {"LastUsed", recent[i], std::nullopt};
    t[siDatabaseDefaultType] = {"Database", "DefaultType", kDatabaseModule};
    t[siDatabaseDefaultPath] = {"Database", "DefaultPath", std::nullopt};
    t[siCatalogPreferable] = {"Catalog", "Preferable", "1"};
    t[siLastSessionDatabaseName] = {"LastSession", "DatabaseName", std::nullopt};
    t[siWindowTop] = {"Window", "Top", std::nullopt};
    t[siWindowLeft] = {"Window", "Left", std::nullopt};
    t[siWindowWidth] = {"Window", "Width", std::nullopt};
    t[siWindowHeight] = {"Window", "Height", std::nullopt};
}

void AddUserInterface(TSettingsTable& t)
{
    t[siWebTree] = {"UI", "WebTree", "true"};
    t[siTemplatesTree] = {"UI", "TemplatesTree", "false"};
    t[siToolbar] = {"UI", "Toolbar", "true"};
    t[siStatusbar] = {"UI", "Statusbar", "true"};
    t[siAutohide] = {"UI", "Autohide", "false"};
    t[siLeftPanelWidth] = {"UI", "LeftPanelWidth", ""};  // computed, see GetDefaultValue
    // Fonts every Linux desktop has (DejaVu comes with the fontconfig of
    // every distribution); a missing one is replaced by the desktop's own.
    t[siFontName] = {"UI", "FontName", "DejaVu Sans"};
    t[siFontSize] = {"UI", "FontSize", "9"};
    t[siFixedFontName] = {"UI", "FixedFontName", "DejaVu Sans Mono"};
    t[siFixedFontSize] = {"UI", "FixedFontSize", "10"};
    t[siDefaultLanguageCode] = {"UI", "DefaultLanguageCode", "EN"};
    t[siDefaultHelpLanguageCode] = {"UI", "DefaultHelpLanguageCode", "EN"};
    t[siProxyName] = {"Proxy", "Name", std::nullopt};
    t[siProxyPort] = {"Proxy", "Port", std::nullopt};
    t[siBackupRemind] = {"Backup", "Remind", "7"};
    t[siBackupKeep] = {"Backup", "Keep", "5"};
    t[siBackupDirectory] = {"Backup", "Directory", std::nullopt};
    t[siBackupDontRemind] = {"Backup", "DontRemind", "false"};
    t[siHtmlEditorShowBorders] = {"HtmlEditor", "ShowBorders", "true"};
    t[siHtmlEditorShowAllAttributes] = {"HtmlEditor", "ShowAllAttributes", "false"};
    t[siLoadStylesPreview] = {"LoadStyles", "Preview", "true"};
    t[siPreviewForUser] = {"Preview", "ForUser", std::nullopt};
    t[siPreviewPreview] = {"Preview", "Preview", "true"};
}

void AddPublishing(TSettingsTable& t)
{
    using namespace Deployment;
    t[siSoftwareUpdateURL] = {"SoftwareUpdate", "URL", kUpdateSite + "/softwareupdate/update.xml"};
    t[siPublishOnTolvexHost] = {"PublishOnTolvex", "Host", kHostingSite};
    t[siPublishOnTolvexProcessScript] = {"PublishOnTolvex", "ProcessScript", "/tolvex3/sync.jsp"};
    t[siPublishOnTolvexGetXmlDataScript] = {"PublishOnTolvex", "GetXmlDataScript", "/tolvex3/getXml.jsp"};
    t[siPublishOnTolvexBulkSend] = {"PublishOnTolvex", "BulkSend", "true"};
    t[siPublishOnTolvexPacketSize] = {"PublishOnTolvex", "PacketSize", "100"};
    t[siPublishStartPagesGeneration] = {"Publish", "StartPagesGeneration", "true"};
    t[siPublishApplyImmediatelyToHost] = {"Publish", "ApplyImmediatelyToHost", "true"};
    t[siPublishApplyImmediatelyLocally] = {"Publish", "ApplyImmediatelyLocally", "true"};
    t[siPublishPrepareBeforeUpload] = {"Publish", "PrepareBeforeUpload", "true"};
    t[siPublishShowInfo] = {"Publish", "ShowInfo", "true"};
    t[siPublishCoCManagementScript] = {"Publish", "CoCManagementScript", "/tolvex3/cocmgnt.jsp"};
    t[siKeyDeveloper] = {"Key", "Developer", std::nullopt};
    t[siKeyDebug] = {"Key", "Debug", std::nullopt};
    const std::string services = kMakerSite + "/tolvex/EN/execservice.jsp?servicename=redirectservice&redirect=";
    t[siURLAccessServices] = {"URL", "AccessServices", services + "1"};
    t[siURLPreviewCatalog] = {"URL", "PreviewCatalog", services + "2"};
    t[siURLOnlineSupport] = {"URL", "OnlineSupport", kMakerSite + "/tolvex/EN/support.jsp"};
    t[siURLRegistration] = {"URL", "Registration", kMakerSite + "/tolvex/EN/registercatalog.jsp"};
    t[siCookieHost] = {"Cookie", "Host", kMakerDomain};
    t[siCookieName] = {"Cookie", "Name", "TOLVEX3REGISTRATION"};
    t[siConvertDontAskFromOld] = {"Convert", "DontAskFromOld", std::nullopt};
}

TSettingsTable BuildTable()
{
    TSettingsTable t;
    AddProgramState(t);
    AddDatabases(t);
    AddUserInterface(t);
    AddPublishing(t);
    return t;
}

const TSettingEntry& EntryOf(int id)
{
    static const TSettingsTable table = BuildTable();
    return table[id & 0x7F];
}

// The marker that tells a missing Boolean setting without a default.
const char* const kUndefined = "_undef_";

}  // namespace

TIniSettings::TIniSettings(const std::string& fileName) : file_(fileName) {}

bool TIniSettings::GetSectionAndKey(int id, std::string& section, std::string& key)
{
    const TSettingEntry& entry = EntryOf(id);
    section = entry.section;
    key = entry.key;
    return !section.empty();
}

std::string TIniSettings::GetDefaultValue(int id, const std::string& callerDefault) const
{
    if ((id & 0x7F) == siLeftPanelWidth)
        return mainWindowWidth_ ? std::to_string(mainWindowWidth_() / 4) : std::string();
    const TSettingEntry& entry = EntryOf(id);
    return entry.def ? *entry.def : callerDefault;
}

std::string TIniSettings::GetString(int id, const std::string& callerDefault) const
{
    std::string section, key, value;
    if (!GetSectionAndKey(id, section, key))
        return {};
    if (file_.ReadValue(section, key, value))
        return value;
    return GetDefaultValue(id, callerDefault);
}

void TIniSettings::SetString(int id, const std::string& value)
{
    std::string section, key;
    if (GetSectionAndKey(id, section, key))
        file_.WriteString(section, key, value);
}

void TIniSettings::DeleteValue(int id)
{
    std::string section, key;
    if (GetSectionAndKey(id, section, key))
        file_.DeleteKey(section, key);
}

bool TIniSettings::GetBool(int id, bool callerDefault) const
{
    std::string value = GetString(id, kUndefined);
    if (value == kUndefined)
        return callerDefault;
    return value == "1" || value == "true";
}

void TIniSettings::SetBool(int id, bool value)
{
    SetString(id, value ? "1" : "0");
}

int TIniSettings::GetInteger(int id, int callerDefault) const
{
    std::string value = GetString(id, "");
    const char* first = value.data();
    const char* last = first + value.size();
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-')
        ++first;
    int result = 0;
    auto [end, error] = std::from_chars(first, last, result);
    if (error != std::errc() || end != last || first == last)
        return callerDefault;
    return result;
}

void TIniSettings::SetInteger(int id, int value)
{
    SetString(id, std::to_string(value));
}

std::string TIniSettings::ReadValue(const std::string& section, const std::string& key,
                                    const std::string& def) const
{
    return file_.ReadString(section, key, def);
}

void TIniSettings::WriteValue(const std::string& section, const std::string& key,
                              const std::string& value)
{
    file_.WriteString(section, key, value);
}

void TIniSettings::DeleteKey(const std::string& section, const std::string& key)
{
    file_.DeleteKey(section, key);
}

const std::string& TIniSettings::FileName() const
{
    return file_.FileName();
}

void TIniSettings::SetMainWindowWidthSource(std::function<int()> source)
{
    mainWindowWidth_ = std::move(source);
}
