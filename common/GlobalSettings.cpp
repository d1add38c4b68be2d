#include "common/GlobalSettings.h"

#include "common/Exceptions.h"
#include "common/Translation.h"

#include <filesystem>

namespace {

const char* const kSettingsFileName = "tolvex.ini";
const char* const kDatabasePathWord = ":dbpath";

// Replaces the value only when the setting is stored.
void ReadDefined(const TIniSettings& settings, int id, int& value)
{
    int stored = settings.GetInteger(id, UndefinedInteger);
    if (stored != UndefinedInteger)
        value = stored;
}

}  // namespace

TGlobalSettings::TGlobalSettings(const std::string& appDir, TTranslation* translation)
    : appDir_(appDir), iniSettings_(appDir + "/" + kSettingsFileName)
{
    CreateFolder(GetTempDir());
    CreateFolder(GetPreviewDir());
    if (translation)
        SetUpTranslation(*translation);
}

void TGlobalSettings::CreateFolder(const std::string& folder) const
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder))
        throw EFatalTolvexException("Cannot create the folder \"" + folder + "\"");
}

void TGlobalSettings::SetUpTranslation(TTranslation& translation) const
{
    translation.SetFont(iniSettings_.GetString(siFontName), iniSettings_.GetInteger(siFontSize, 9));
    translation.SetFixedFont(iniSettings_.GetString(siFixedFontName),
                             iniSettings_.GetInteger(siFixedFontSize, 10));
    translation.SetAppDir(appDir_);
    translation.LoadLanguage(iniSettings_.GetString(siDefaultLanguageCode));
}

std::string TGlobalSettings::GetDatabasePath() const
{
    std::string path = iniSettings_.GetString(siDatabaseDefaultPath);
    return path.empty() ? appDir_ + "/UserData" : path;
}

// The program folder's separators are already "/" here, so the temp,
// preview and report folders need no separator conversion.
std::string TGlobalSettings::GetTempDir() const
{
    return appDir_ + "/temp";
}

std::string TGlobalSettings::GetPreviewDir() const
{
    return appDir_ + "/preview";
}

std::string TGlobalSettings::GetReportDir() const
{
    return appDir_ + "/report";
}

std::string TGlobalSettings::ExpandPath(const std::string& value) const
{
    return value == kDatabasePathWord ? GetDatabasePath() : value;
}

void TGlobalSettings::RestoreWindowPlacement(TWindowPlacement& placement) const
{
    int left = iniSettings_.GetInteger(siWindowLeft, UndefinedInteger);
    if (left == UndefinedInteger) {
        placement.maximised = true;
        return;
    }
    placement.maximised = false;
    placement.left = left;
    ReadDefined(iniSettings_, siWindowTop, placement.top);
    ReadDefined(iniSettings_, siWindowWidth, placement.width);
    ReadDefined(iniSettings_, siWindowHeight, placement.height);
}

void TGlobalSettings::SaveWindowPlacement(const TWindowPlacement& placement)
{
    iniSettings_.SetInteger(siWindowLeft, placement.left);
    iniSettings_.SetInteger(siWindowTop, placement.top);
    iniSettings_.SetInteger(siWindowWidth, placement.width);
    iniSettings_.SetInteger(siWindowHeight, placement.height);
}
