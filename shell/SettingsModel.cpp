#include "shell/SettingsModel.h"

#include "common/CommonFunctionsDetail.h"
#include "common/IniSettings.h"
#include "shell/HelpFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string UpperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix)
{
    return text.size() > suffix.size() &&
           common_detail::LowerCase(text.substr(text.size() - suffix.size())) == suffix;
}

}  // namespace

TSettingsModel::TSettingsModel(TIniSettings& ini, std::string programFolder, TLanguageName languageName)
    : ini_(ini), programFolder_(std::move(programFolder)), languageName_(std::move(languageName))
{
}

std::vector<std::string> TSettingsModel::Entries(const std::vector<std::string>& codes) const
{
    std::vector<std::string> entries;
    for (const std::string& code : codes)
        entries.push_back((languageName_ ? languageName_(code) : code) + "===" + code);
    return entries;
}

std::vector<std::string> TSettingsModel::ProgramLanguages() const
{
    // The built-in English comes first; a language file of its own for
    // English gives a second entry.
    std::vector<std::string> codes{"EN"};
    std::error_code error;
    for (fs::directory_iterator it(programFolder_, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(error) && EndsWithIgnoringCase(name, ".lng"))
            codes.push_back(UpperCase(name.substr(0, name.find('.'))));
    }
    std::sort(codes.begin(), codes.end());
    return Entries(codes);
}

std::vector<std::string> TSettingsModel::HelpLanguages() const
{
    std::vector<std::string> codes;
    const std::string helpFolder = HelpFiles::HelpFolder(programFolder_);
    std::error_code error;
    if (!helpFolder.empty()) {
        for (fs::directory_iterator it(helpFolder, error), end; !error && it != end; it.increment(error))
            if (it->is_directory(error))
                codes.push_back(UpperCase(it->path().filename().string()));
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return Entries(codes);
}

TProgramSettingsValues TSettingsModel::Load() const
{
    TProgramSettingsValues values;
    values.ProxyName = ini_.GetString(siProxyName);
    values.ProxyPort = ini_.GetString(siProxyPort);
    values.FixedFontName = ini_.GetString(siFixedFontName);
    values.FixedFontSize = ini_.GetString(siFixedFontSize);
    values.FontName = ini_.GetString(siFontName);
    values.FontSize = ini_.GetString(siFontSize);
    values.BackupRemind = ini_.GetString(siBackupRemind);
    values.BackupKeep = ini_.GetString(siBackupKeep);
    values.DontRemindBackup = ini_.GetBool(siBackupDontRemind, false);
    values.AdvancedVersion = ini_.ReadValue("Key", "advanced", "") == "1";
    values.DatabasePath = ini_.GetString(siDatabaseDefaultPath);
    values.HelpLanguage = ini_.GetString(siDefaultHelpLanguageCode);
    values.Language = ini_.GetString(siDefaultLanguageCode);
    return values;
}

void TSettingsModel::Save(const TProgramSettingsValues& values)
{
    ini_.SetString(siFontName, values.FontName);
    ini_.SetString(siFontSize, values.FontSize);
    ini_.SetString(siFixedFontName, values.FixedFontName);
    ini_.SetString(siFixedFontSize, values.FixedFontSize);
    ini_.SetString(siProxyName, values.ProxyName);
    ini_.SetString(siProxyPort, values.ProxyPort);
    ini_.SetString(siBackupRemind, values.BackupRemind);
    ini_.SetString(siBackupKeep, values.BackupKeep);
    ini_.SetString(siDefaultLanguageCode, values.Language);
    ini_.SetString(siDefaultHelpLanguageCode, values.HelpLanguage);
    ini_.SetString(siDatabaseDefaultPath, values.DatabasePath);
    ini_.SetBool(siBackupDontRemind, values.DontRemindBackup);
    ini_.WriteValue("Key", "advanced", values.AdvancedVersion ? "1" : "0");
}
