#pragma once
// The program's settings service: opens the numbered settings on
// "tolvex.ini" in the program folder, makes sure the temp and preview
// folders exist, hands the interface fonts and language to the translation
// service, and answers where the program's folders are.
#include "common/IniSettings.h"

#include <string>

class TTranslation;

// Marks an integer setting that is not defined (the caller's default when
// reading the window placement).
constexpr int UndefinedInteger = -1010101;

// The main window's placement as the settings keep it.
struct TWindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximised = false;
};

class TGlobalSettings {
public:
    // AppDir is the program folder (no trailing separator). Translation may
    // be null; otherwise it gets the fonts, the folder of the dictionary
    // files and the interface language, whose dictionary it loads.
    // EFatalTolvexException when the temp or preview folder cannot be created.
    TGlobalSettings(const std::string& appDir, TTranslation* translation);
    TGlobalSettings(const TGlobalSettings&) = delete;
    TGlobalSettings& operator=(const TGlobalSettings&) = delete;

    TIniSettings& IniSettings() { return iniSettings_; }
    const TIniSettings& IniSettings() const { return iniSettings_; }
    const std::string& AppDir() const { return appDir_; }

    // Folder of the catalog databases: setting 43, or "UserData" in the
    // program folder when that is empty.
    std::string GetDatabasePath() const;
    std::string GetTempDir() const;
    std::string GetPreviewDir() const;
    std::string GetReportDir() const;
    // The database folder for exactly ":dbpath", any other value unchanged.
    std::string ExpandPath(const std::string& value) const;

    // Fills in the stored placement: without a stored left edge the window
    // is maximised and the rest is left as it is; otherwise the left edge
    // and each of top, width and height that is stored replace the values
    // passed in (the window's designed ones).
    void RestoreWindowPlacement(TWindowPlacement& placement) const;
    // Stores left, top, width and height.
    void SaveWindowPlacement(const TWindowPlacement& placement);

private:
    void CreateFolder(const std::string& folder) const;
    void SetUpTranslation(TTranslation& translation) const;

    std::string appDir_;
    TIniSettings iniSettings_;
};
