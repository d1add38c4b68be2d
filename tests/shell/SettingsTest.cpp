// "Program Settings" over a real settings file: the languages offered,
// what loading and saving read and write, and the dialog driven offscreen.
#include "QtApplication.h"

#include "common/IniSettings.h"
#include "shell/HelpFiles.h"
#include "shell/SettingsModel.h"
#include "shell/frmSettings.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class Settings : public ::testing::Test {
protected:
    void Touch(const std::string& name) { std::ofstream(home.File(name)) << ""; }
    std::string FileText() const
    {
        std::ifstream file(home.File("tolvex.ini"));
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    TTempFolder home;
    TIniSettings ini{home.File("tolvex.ini")};
    TSettingsModel model{ini, home.Path(), [](const std::string& code) { return "Lang " + code; }};
    TScriptedGui gui;
};

// A fresh program folder's fonts are ones this desktop has: the program's
// windows do not fall back to whatever the desktop finds for a font it lacks.
TEST_F(Settings, TheDefaultFontsAreInstalledOnTheDesktop)
{
    const QStringList families = QFontDatabase::families();
    for (const TSettingId setting : {siFontName, siFixedFontName}) {
        const QString family = QString::fromStdString(ini.GetString(setting));
        EXPECT_TRUE(families.contains(family)) << family.toStdString();
    }
    EXPECT_TRUE(QFontDatabase::isFixedPitch(QString::fromStdString(ini.GetString(siFixedFontName))));
}

TEST_F(Settings, OffersTheLanguageFilesAndTheHelpFolders)
{
    Touch("de.lng");
    Touch("en.lng");  // beside the built-in English: a second entry
    Touch("fr.extra.lng");
    Touch("notes.txt");
    EXPECT_EQ(model.ProgramLanguages(), (std::vector<std::string>{"Lang DE===DE", "Lang EN===EN", "Lang EN===EN",
                                                                  "Lang FR===FR"}));
    EXPECT_TRUE(model.HelpLanguages().empty()) << "no help folder";
    for (const char* language : {"en", "de"})
        std::filesystem::create_directories(home.File(std::string("Help/") + language));
    EXPECT_EQ(model.HelpLanguages(), (std::vector<std::string>{"Lang DE===DE", "Lang EN===EN"}));
}

TEST_F(Settings, SavesTextsAsTypedAndTheAdvancedKeyAsOneOrZero)
{
    TProgramSettingsValues values = model.Load();
    EXPECT_FALSE(values.AdvancedVersion);
    values.ProxyPort = "eighty";
    values.BackupRemind = "7";
    values.Language = "DE";
    values.DontRemindBackup = true;
    values.AdvancedVersion = true;
    model.Save(values);
    EXPECT_EQ(ini.GetString(siProxyPort), "eighty");
    EXPECT_EQ(ini.ReadValue("Key", "advanced", ""), "1");
    EXPECT_EQ(TIniSettings(home.File("tolvex.ini")).GetString(siDefaultLanguageCode), "DE") << "on disk at once";
    EXPECT_EQ(model.Load(), values);
    ini.WriteValue("Key", "advanced", "yes");
    EXPECT_FALSE(model.Load().AdvancedVersion) << "only \"1\" counts";
}

TEST_F(Settings, CancelWritesNothingAndOkWaitsForAChange)
{
    Touch("de.lng");
    ini.SetString(siDefaultLanguageCode, "DE");
    const std::string before = FileText();
    {
        TfrmSettings dialog(model, gui, {}, {});
        dialog.show();
        EXPECT_FALSE(dialog.btnOk->isEnabled());
        EXPECT_EQ(dialog.cbSettingsLanguage->currentText(), "Lang DE");
        if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
            dialog.grab().save(QString("%1/settings.png").arg(dir));
        QTest::keyClicks(dialog.edtSettingsProxyName, "proxy.test");
        EXPECT_TRUE(dialog.btnOk->isEnabled());
        dialog.reject();
    }
    EXPECT_EQ(FileText(), before);
    EXPECT_TRUE(gui.Shown().empty());
}

TEST_F(Settings, OkStoresAChangedCheckBoxFontAndFolderThenSaysARestartIsNeeded)
{
    std::vector<std::string> folderRequests;
    ini.SetString(siFixedFontSize, "big");
    TfrmSettings dialog(
        model, gui, {},
        [&](const std::string& initial, const std::string& alias) {
            folderRequests.push_back(initial + "|" + alias);
            return std::string("/data/catalogs");
        },
        [](std::string& name, int& size, bool fixedPitch) {
            EXPECT_EQ(size, 9) << "no number: size 9";
            name = fixedPitch ? "Mono" : "Sans";
            size = 11;
            return true;
        });
    dialog.show();
    dialog.cbSettingsBackupDontRemind->click();
    dialog.btnSettingsFontFixed->click();
    dialog.btnSettingsDatabasePath->click();
    ASSERT_TRUE(dialog.btnOk->isEnabled());
    dialog.btnOk->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(ini.GetBool(siBackupDontRemind, false));
    EXPECT_EQ(ini.GetString(siFixedFontName), "Mono");
    EXPECT_EQ(ini.GetString(siFixedFontSize), "11");
    EXPECT_EQ(ini.GetString(siDatabaseDefaultPath), "/data/catalogs");
    EXPECT_EQ(folderRequests, std::vector<std::string>{"|SettingsDatabasePath"});
    EXPECT_EQ(gui.Messages("warning"), std::vector<std::string>{"The change will be active after restart"});
}

}  // namespace
