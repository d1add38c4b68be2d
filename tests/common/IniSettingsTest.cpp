#include "common/IniSettings.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr int kUndefined = -1010101;

class IniSettingsTest : public ::testing::Test {
protected:
    std::string Path() const { return folder.File("tolvex.ini"); }
    // Settings over a file with the given content.
    TIniSettings With(const std::string& content) { return TIniSettings(folder.Write("tolvex.ini", content)); }

    TTempFolder folder;
};

}  // namespace

TEST_F(IniSettingsTest, BuiltInDefaultsOfAnEmptyFile)
{
    TIniSettings settings(Path());
    EXPECT_TRUE(settings.GetBool(siWebTree, false));
    EXPECT_FALSE(settings.GetBool(siTemplatesTree, true));
    EXPECT_TRUE(settings.GetBool(siKeyDeveloper, true));  // no default: the caller's applies
    EXPECT_FALSE(settings.GetBool(siKeyDeveloper, false));
    EXPECT_EQ(settings.GetInteger(siFontSize, 0), 9);      // built-in default wins
    EXPECT_EQ(settings.GetInteger(siWindowTop, kUndefined), kUndefined);
    EXPECT_EQ(settings.GetInteger(siBackupKeep, 0), 5);
    EXPECT_EQ(settings.GetString(siCatalogUserName, "x"), "");  // empty built-in default wins
    EXPECT_EQ(settings.GetString(siCatalogDatabaseParams, "x"), "x");
    EXPECT_EQ(settings.GetString(siStylesDatabaseName), "catalog_$CatalogType$");
    EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(IniSettingsTest, EveryDatabaseDefaultsToTheSQLiteModule)
{
    TIniSettings settings(Path());
    for (int id : {siCatalogDatabaseType, siStylesDatabaseType, siReferencesDatabaseType, siUnspscDatabaseType,
                   siHarmonizedDatabaseType, siEBayDatabaseType, siZarivuroDatabaseType, siDatabaseDefaultType})
        EXPECT_EQ(settings.GetString(id), "SQLite") << id;
}

TEST_F(IniSettingsTest, AddressDefaultsKeepTheirPathsAndQueries)
{
    TIniSettings settings(Path());
    EXPECT_EQ(settings.GetString(siSoftwareUpdateURL), "http://www.example.com/softwareupdate/update.xml");
    EXPECT_EQ(settings.GetString(siPublishOnTolvexHost), "http://www.example.com");
    EXPECT_EQ(settings.GetString(siURLAccessServices),
              "http://www.example.com/tolvex/EN/execservice.jsp?servicename=redirectservice&redirect=1");
    EXPECT_EQ(settings.GetString(siURLPreviewCatalog),
              "http://www.example.com/tolvex/EN/execservice.jsp?servicename=redirectservice&redirect=2");
    EXPECT_EQ(settings.GetString(siURLOnlineSupport), "http://www.example.com/tolvex/EN/support.jsp");
    EXPECT_EQ(settings.GetString(siURLRegistration), "http://www.example.com/tolvex/EN/registercatalog.jsp");
    EXPECT_EQ(settings.GetString(siCookieHost), "example.com");
    EXPECT_EQ(settings.GetString(siCookieName), "TOLVEX3REGISTRATION");
}

TEST_F(IniSettingsTest, StoredBooleans)
{
    struct Case {
        const char* stored;
        bool expected;
    };
    const Case cases[] = {
        {"1", true}, {"true", true}, {"TRUE", false}, {"True", false}, {"yes", false}, {"0", false}, {"", false},
    };
    for (const Case& c : cases) {
        TIniSettings settings = With(std::string("[UI]\nWebTree=") + c.stored + "\n[Key]\nDeveloper=" + c.stored + "\n");
        EXPECT_EQ(settings.GetBool(siWebTree, !c.expected), c.expected) << c.stored;
        EXPECT_EQ(settings.GetBool(siKeyDeveloper, !c.expected), c.expected) << c.stored;
    }
}

TEST_F(IniSettingsTest, StoredIntegers)
{
    struct Case {
        const char* stored;
        int expected;  // with the caller default 77
    };
    const Case cases[] = {
        {"12", 12}, {"-3", -3}, {"+5", 5}, {" 42 ", 42}, {"", 77}, {"12abc", 77}, {"abc", 77},
        {"1.5", 77}, {"+-5", 77}, {"99999999999", 77}, {"0x10", 77},
    };
    for (const Case& c : cases) {
        TIniSettings settings = With(std::string("[Window]\nTop=") + c.stored + "\n");
        EXPECT_EQ(settings.GetInteger(siWindowTop, 77), c.expected) << c.stored;
    }
    // A built-in default applies only to a missing key, not to a bad value.
    EXPECT_EQ(With("[UI]\nFontSize=big\n").GetInteger(siFontSize, 11), 11);
}

TEST_F(IniSettingsTest, WritesReachTheFileAndAnotherReaderAtOnce)
{
    TIniSettings writer(Path());
    TIniSettings reader(Path());
    writer.SetString(siComputerId, "12345");
    writer.SetBool(siAutohide, true);
    writer.SetInteger(siSessionId, -7);
    EXPECT_EQ(TTempFolder::Read(Path()), "[Computer]\nId=12345\nSessionId=-7\n\n[UI]\nAutohide=1\n");
    EXPECT_EQ(reader.GetString(siComputerId), "12345");
    EXPECT_TRUE(reader.GetBool(siAutohide, false));
    EXPECT_EQ(reader.GetInteger(siSessionId, 0), -7);
    writer.SetBool(siAutohide, false);
    EXPECT_FALSE(reader.GetBool(siAutohide, true));
    writer.DeleteValue(siSessionId);
    EXPECT_EQ(reader.GetInteger(siSessionId, 99), 99);
}

TEST_F(IniSettingsTest, UnmappedIdsAndTheHighBit)
{
    TIniSettings settings = With("[UI]\nFontName=Verdana\n");
    for (int id : {83, 84, 87, 97, 110, 127}) {
        std::string section = "x", key = "x";
        EXPECT_FALSE(TIniSettings::GetSectionAndKey(id, section, key)) << id;
        EXPECT_EQ(section, "");
        EXPECT_EQ(settings.GetString(id, "caller"), "") << id;
        EXPECT_EQ(settings.GetDefaultValue(id, "caller"), "caller") << id;
        settings.SetString(id, "v");
        settings.DeleteValue(id);
    }
    EXPECT_EQ(TTempFolder::Read(Path()), "[UI]\nFontName=Verdana\n");
    EXPECT_EQ(settings.GetString(128 + siFontName), "Verdana");
    settings.SetInteger(128 + siFontSize, 12);
    EXPECT_EQ(settings.GetInteger(siFontSize, 0), 12);
}

TEST_F(IniSettingsTest, SectionsAndKeysOfTheTable)
{
    struct Case {
        int id;
        const char* section;
        const char* key;
    };
    const Case cases[] = {
        {siComputerId, "Computer", "Id"},         {siLastUsed1, "LastUsed", "n1"},
        {siLastUsed5, "LastUsed", "n5"},          {siZarivuroPassword, "Zarivuro", "Password"},
        {siCatalogPreferable, "Catalog", "Preferable"}, {siWindowLeft, "Window", "Left"},
        {siBackupDirectory, "Backup", "Directory"}, {siPublishOnTolvexPacketSize, "PublishOnTolvex", "PacketSize"},
        {siPublishCoCManagementScript, "Publish", "CoCManagementScript"}, {siKeyDebug, "Key", "Debug"},
        {siConvertDontAskFromOld, "Convert", "DontAskFromOld"}, {siPreviewPreview, "Preview", "Preview"},
    };
    for (const Case& c : cases) {
        std::string section, key;
        EXPECT_TRUE(TIniSettings::GetSectionAndKey(c.id, section, key));
        EXPECT_EQ(section + "/" + key, std::string(c.section) + "/" + c.key) << c.id;
    }
}

TEST_F(IniSettingsTest, LeftPanelWidthDefaultsToAQuarterOfTheMainWindow)
{
    TIniSettings settings(Path());
    EXPECT_EQ(settings.GetString(siLeftPanelWidth, "caller"), "");
    EXPECT_EQ(settings.GetInteger(siLeftPanelWidth, 200), 200);
    int width = 1001;
    settings.SetMainWindowWidthSource([&width] { return width; });
    EXPECT_EQ(settings.GetInteger(siLeftPanelWidth, 200), 250);
    width = 800;
    EXPECT_EQ(settings.GetInteger(siLeftPanelWidth, 200), 200);
    settings.SetInteger(siLeftPanelWidth, 321);
    EXPECT_EQ(settings.GetInteger(siLeftPanelWidth, 0), 321);
}

TEST_F(IniSettingsTest, RawSectionsAndKeys)
{
    TIniSettings writer(Path());
    TIniSettings reader(Path());
    writer.WriteValue("catalog-shop", "UserName", "admin");
    writer.WriteValue("backup_shop", "BackupFileName_1", "/b/shop1.sqlite");
    EXPECT_EQ(reader.ReadValue("CATALOG-SHOP", "username", "?"), "admin");
    EXPECT_EQ(reader.ReadValue("backup_shop", "BackupFileName_2", "?"), "?");
    writer.DeleteKey("catalog-shop", "UserName");
    EXPECT_EQ(reader.ReadValue("catalog-shop", "UserName", "?"), "?");
    EXPECT_EQ(reader.FileName(), Path());
}
