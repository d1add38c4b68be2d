#pragma once
// What the "Program Settings" dialog decides, without a widget: the program
// and help languages offered, the values it shows (read from the numbered
// settings and the raw key "advanced" of section "Key") and their writing.
// Texts are stored as typed, numbers or not.
#include <functional>
#include <string>
#include <vector>

class TIniSettings;

struct TProgramSettingsValues {
    std::string FontName;
    std::string FontSize;
    std::string FixedFontName;
    std::string FixedFontSize;
    std::string Language;      // a language code, empty for none
    std::string HelpLanguage;  // a language code, empty for none
    std::string DatabasePath;
    std::string ProxyName;
    std::string ProxyPort;
    std::string BackupRemind;
    std::string BackupKeep;
    bool DontRemindBackup = false;
    bool AdvancedVersion = false;
    bool operator==(const TProgramSettingsValues&) const = default;
};

class TSettingsModel {
public:
    // The name of a language code.
    using TLanguageName = std::function<std::string(const std::string&)>;

    // Ini must outlive the model. ProgramFolder holds the language files
    // (*.lng) and the help folder with one folder of pages per language.
    TSettingsModel(TIniSettings& ini, std::string programFolder, TLanguageName languageName);

    // Entries name===code: "EN" and the code of every language file, sorted.
    std::vector<std::string> ProgramLanguages() const;
    // Entries name===code of the help languages, each once, sorted by code.
    std::vector<std::string> HelpLanguages() const;

    TProgramSettingsValues Load() const;
    // Writes every value; each reaches the file at once.
    void Save(const TProgramSettingsValues& values);

private:
    std::vector<std::string> Entries(const std::vector<std::string>& codes) const;

    TIniSettings& ini_;
    std::string programFolder_;
    TLanguageName languageName_;
};
