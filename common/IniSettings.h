#pragma once
// The numbered program settings: typed access to the settings file through
// small integer ids. Every id is bound to one fixed section and key; many
// carry a built-in default that applies while the key is absent. Only the
// low 7 bits of an id count; an id without an entry reads as empty text and
// is not written. Every write reaches the disk before the call returns.
#include "common/IniFile.h"

#include <functional>
#include <string>

// The ids of the numbered settings.
enum TSettingId : int {
    siComputerId = 0,
    siSessionId = 1,
    siLastUsed1 = 2,
    siLastUsed2 = 3,
    siLastUsed3 = 4,
    siLastUsed4 = 5,
    siLastUsed5 = 6,
    siCatalogDatabaseType = 7,
    siCatalogDatabaseParams = 8,
    siCatalogDatabaseName = 9,
    siCatalogUserName = 10,
    siCatalogPassword = 11,
    siStylesDatabaseType = 12,
    siStylesDatabaseParams = 13,
    siStylesDatabaseName = 14,
    siStylesUserName = 15,
    siStylesPassword = 16,
    siReferencesDatabaseType = 17,
    siReferencesDatabaseParams = 18,
    siReferencesDatabaseName = 19,
    siReferencesUserName = 20,
    siReferencesPassword = 21,
    siUnspscDatabaseType = 22,
    siUnspscDatabaseParams = 23,
    siUnspscDatabaseName = 24,
    siUnspscUserName = 25,
    siUnspscPassword = 26,
    siHarmonizedDatabaseType = 27,
    siHarmonizedDatabaseParams = 28,
    siHarmonizedDatabaseName = 29,
    siHarmonizedUserName = 30,
    siHarmonizedPassword = 31,
    siEBayDatabaseType = 32,
    siEBayDatabaseParams = 33,
    siEBayDatabaseName = 34,
    siEBayUserName = 35,
    siEBayPassword = 36,
    siZarivuroDatabaseType = 37,
    siZarivuroDatabaseParams = 38,
    siZarivuroDatabaseName = 39,
    siZarivuroUserName = 40,
    siZarivuroPassword = 41,
    siDatabaseDefaultType = 42,
    siDatabaseDefaultPath = 43,
    siCatalogPreferable = 44,
    siLastSessionDatabaseName = 45,
    siWindowTop = 46,
    siWindowLeft = 47,
    siWindowWidth = 48,
    siWindowHeight = 49,
    siWebTree = 50,
    siTemplatesTree = 51,
    siToolbar = 52,
    siStatusbar = 53,
    siAutohide = 54,
    siLeftPanelWidth = 55,
    siFontName = 56,
    siFontSize = 57,
    siFixedFontName = 58,
    siFixedFontSize = 59,
    siDefaultLanguageCode = 60,
    siDefaultHelpLanguageCode = 61,
    siProxyName = 62,
    siProxyPort = 63,
    siBackupRemind = 64,
    siBackupKeep = 65,
    siBackupDirectory = 66,
    siBackupDontRemind = 67,
    siHtmlEditorShowBorders = 68,
    siHtmlEditorShowAllAttributes = 69,
    siSoftwareUpdateURL = 70,
    siPublishOnTolvexHost = 71,
    siPublishOnTolvexProcessScript = 72,
    siPublishOnTolvexGetXmlDataScript = 73,
    siPublishOnTolvexBulkSend = 74,
    siPublishOnTolvexPacketSize = 75,
    siPublishStartPagesGeneration = 76,
    siPublishApplyImmediatelyToHost = 77,
    siPublishApplyImmediatelyLocally = 78,
    siPublishPrepareBeforeUpload = 79,
    siPublishShowInfo = 80,
    siPublishCoCManagementScript = 81,
    siLoadStylesPreview = 82,
    siKeyDeveloper = 85,
    siKeyDebug = 86,
    siURLAccessServices = 88,
    siURLPreviewCatalog = 89,
    siURLOnlineSupport = 90,
    siURLRegistration = 91,
    siCookieHost = 92,
    siCookieName = 93,
    siConvertDontAskFromOld = 94,
    siPreviewForUser = 95,
    siPreviewPreview = 96,
};

class TIniSettings {
public:
    explicit TIniSettings(const std::string& fileName);

    // Section and key of the id; both empty (false) for an id without an entry.
    static bool GetSectionAndKey(int id, std::string& section, std::string& key);
    // The built-in default of the id, or CallerDefault when it has none.
    std::string GetDefaultValue(int id, const std::string& callerDefault) const;

    // The stored text, or the default when the key is absent.
    std::string GetString(int id, const std::string& callerDefault = "") const;
    void SetString(int id, const std::string& value);
    void DeleteValue(int id);
    // "1" and "true" (exactly) are true, any other stored text false.
    bool GetBool(int id, bool callerDefault) const;
    void SetBool(int id, bool value);
    // A missing or non-decimal value gives CallerDefault.
    int GetInteger(int id, int callerDefault) const;
    void SetInteger(int id, int value);

    // Any section and key; these writes reach the disk at once as well.
    std::string ReadValue(const std::string& section, const std::string& key, const std::string& def) const;
    void WriteValue(const std::string& section, const std::string& key, const std::string& value);
    void DeleteKey(const std::string& section, const std::string& key);

    const std::string& FileName() const;

    // The default of the left panel's width (setting 55) is a quarter of
    // the main window's current width; the shell supplies that width here.
    // Without a source the default is empty.
    void SetMainWindowWidthSource(std::function<int()> source);

private:
    TIniFile file_;
    std::function<int()> mainWindowWidth_;
};
