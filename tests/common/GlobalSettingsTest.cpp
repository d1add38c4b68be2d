#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "common/Translation.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(GlobalSettings, StartCreatesTempAndPreviewButNotReportFolder)
{
    TTempFolder folder;
    std::string app = folder.File("deep/program");
    TGlobalSettings settings(app, nullptr);
    EXPECT_TRUE(fs::is_directory(app + "/temp"));
    EXPECT_TRUE(fs::is_directory(app + "/preview"));
    EXPECT_FALSE(fs::exists(app + "/report"));
    EXPECT_FALSE(fs::exists(app + "/tolvex.ini"));
    EXPECT_EQ(settings.GetTempDir(), app + "/temp");
    EXPECT_EQ(settings.GetPreviewDir(), app + "/preview");
    EXPECT_EQ(settings.GetReportDir(), app + "/report");
    EXPECT_EQ(settings.IniSettings().FileName(), app + "/tolvex.ini");
}

TEST(GlobalSettings, FolderThatCannotBeCreatedIsFatal)
{
    TTempFolder folder;
    std::string app = folder.Write("not-a-folder", "x");
    EXPECT_THROW(TGlobalSettings(app, nullptr), EFatalTolvexException);
}

TEST(GlobalSettings, DatabasePathAndItsPlaceholder)
{
    TTempFolder folder;
    TGlobalSettings settings(folder.Path(), nullptr);
    EXPECT_EQ(settings.GetDatabasePath(), folder.Path() + "/UserData");
    settings.IniSettings().SetString(siDatabaseDefaultPath, "C:\\Data\\Catalogs");
    EXPECT_EQ(settings.GetDatabasePath(), "C:\\Data\\Catalogs");  // no separator conversion

    struct Case {
        const char* value;
        std::string expected;
    };
    const Case cases[] = {
        {":dbpath", "C:\\Data\\Catalogs"},
        {":DBPATH", ":DBPATH"},
        {":dbpath/x", ":dbpath/x"},
        {" :dbpath", " :dbpath"},
        {"", ""},
        {"/srv/catalogs", "/srv/catalogs"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settings.ExpandPath(c.value), c.expected) << c.value;
}

TEST(GlobalSettings, HandsFontsFolderAndLanguageToTheTranslation)
{
    TTempFolder folder;
    TTranslation defaults;
    TGlobalSettings(folder.Path(), &defaults);
    EXPECT_EQ(defaults.FontName(), "DejaVu Sans");
    EXPECT_EQ(defaults.FontSize(), 9);
    EXPECT_EQ(defaults.FixedFontName(), "DejaVu Sans Mono");
    EXPECT_EQ(defaults.FixedFontSize(), 10);
    EXPECT_EQ(defaults.DictionarySize(), 0u);

    folder.Write("tolvex.ini",
                 "[UI]\nFontName=Tahoma\nFontSize=11\nFixedFontName=Mono\nFixedFontSize=12\n"
                 "DefaultLanguageCode=DE\n");
    folder.Write("DE.lng", "Save=Speichern\n");
    TTranslation translation;
    TGlobalSettings(folder.Path(), &translation);
    EXPECT_EQ(translation.FontName(), "Tahoma");
    EXPECT_EQ(translation.FontSize(), 11);
    EXPECT_EQ(translation.FixedFontName(), "Mono");
    EXPECT_EQ(translation.FixedFontSize(), 12);
    EXPECT_EQ(translation.AppDir(), folder.Path());
    EXPECT_EQ(translation.Translate("Save"), "Speichern");
}

TEST(GlobalSettings, WindowPlacement)
{
    TTempFolder folder;
    TGlobalSettings settings(folder.Path(), nullptr);
    const TWindowPlacement designed{10, 20, 640, 480, false};

    TWindowPlacement placement = designed;
    settings.RestoreWindowPlacement(placement);  // nothing stored: maximised
    EXPECT_TRUE(placement.maximised);
    EXPECT_EQ(placement.left, 10);
    EXPECT_EQ(placement.width, 640);

    settings.IniSettings().SetInteger(siWindowLeft, 300);  // only the left edge
    placement = designed;
    settings.RestoreWindowPlacement(placement);
    EXPECT_FALSE(placement.maximised);
    EXPECT_EQ(placement.left, 300);
    EXPECT_EQ(placement.top, 20);
    EXPECT_EQ(placement.width, 640);
    EXPECT_EQ(placement.height, 480);

    settings.SaveWindowPlacement({-5, 7, 1024, 768, false});
    TGlobalSettings reopened(folder.Path(), nullptr);
    placement = designed;
    reopened.RestoreWindowPlacement(placement);
    EXPECT_FALSE(placement.maximised);
    EXPECT_EQ(placement.left, -5);
    EXPECT_EQ(placement.top, 7);
    EXPECT_EQ(placement.width, 1024);
    EXPECT_EQ(placement.height, 768);
}
