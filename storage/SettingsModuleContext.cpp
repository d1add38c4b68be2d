#include "storage/SettingsModuleContext.h"

#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/Translation.h"

TDatabaseModuleContext MakeSettingsModuleContext(TGlobalSettings& settings, TTranslation& translation,
                                                 TCommonGui* gui)
{
    TDatabaseModuleContext context;
    context.gui = gui;
    context.formatMessage = [&translation](const std::string& text, const std::vector<std::string>& args) {
        std::vector<TFormatArg> formatArgs(args.begin(), args.end());
        return translation.FormatMessage(text, formatArgs, true);
    };
    context.programFolder = settings.AppDir();
    context.tempFolder = settings.GetTempDir();
    TIniSettings& ini = settings.IniSettings();
    context.backupFolder = [&ini] { return ini.GetString(siBackupDirectory, ""); };
    context.setBackupFolder = [&ini](const std::string& folder) { ini.SetString(siBackupDirectory, folder); };
    context.backupKeep = [&ini] { return ini.GetInteger(siBackupKeep, 5); };
    context.readIni = [&ini](const std::string& section, const std::string& key) {
        return ini.ReadValue(section, key, "");
    };
    context.writeIni = [&ini](const std::string& section, const std::string& key, const std::string& value) {
        ini.WriteValue(section, key, value);
    };
    return context;
}
