// Localising windows: texts from their English source, the untranslated
// tag, the kept font size; the frames' tr() captions from the language file.
#include "QtApplication.h"
#include "ShellFixture.h"

#include "common/Translation.h"
#include "editors/framework/Registration.h"
#include "gui/TranslateControl.h"
#include "support/TempFolder.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(TranslateControl, TranslatesFromTheEnglishSourceAndSkipsUntranslatedControls)
{
    TTempFolder home;
    std::ofstream(home.File("DE.lng")) << "Save=Speichern\nName=Name DE\nOptions=Optionen\nSettings=Einstellungen\n";
    std::ofstream(home.File("FR.lng")) << "Save=Enregistrer\n";
    TTranslation translation(home.Path());
    translation.LoadLanguage("DE");

    QDialog window;
    window.setWindowTitle("Settings");
    auto* layout = new QVBoxLayout(&window);
    auto* save = new QPushButton("Save", &window);
    save->setToolTip("Save");
    auto* label = new QLabel("Name", &window);
    label->setProperty(kTagProperty, kTagKeepFontSize);
    auto* group = new QGroupBox("Options", &window);
    auto* inner = new QLabel("Save", group);
    group->setProperty(kTagProperty, kTagUntranslated);
    layout->addWidget(save);
    layout->addWidget(label);
    layout->addWidget(group);
    const int labelSize = label->font().pointSize();

    TranslateControl(&window, translation, "DejaVu Sans", 13);
    EXPECT_EQ(window.windowTitle(), "Einstellungen");
    EXPECT_EQ(save->text(), "Speichern");
    EXPECT_EQ(save->toolTip(), "Speichern");
    EXPECT_EQ(save->font().pointSize(), 13);
    EXPECT_EQ(label->text(), "Name DE");
    EXPECT_EQ(label->font().pointSize(), labelSize);  // kept
    EXPECT_EQ(group->title(), "Options");              // untranslated, with what it holds
    EXPECT_EQ(inner->text(), "Save");

    // Again in another language: from the English source, not from German.
    translation.LoadLanguage("FR");
    TranslateControl(&window, translation, "", 0);
    EXPECT_EQ(save->text(), "Enregistrer");
    EXPECT_EQ(label->text(), "Name");
    EXPECT_EQ(window.windowTitle(), "Settings");
}

// The initial settings frame builds its captions with tr(): the program's
// translator answers them from the loaded language, and Qt's own texts
// without a translation stay as they are.
TEST(TranslateControl, AFramesTrCaptionsComeFromTheLoadedLanguage)
{
    TShellFixture f(true, RegisterFrameworkClasses);
    std::ofstream(f.Home().File("DE.lng")) << "Company &Name:=&Firmenname:\nC&ountry:=&Land:\n";
    ::Translation->LoadLanguage("DE");

    QString nameCaption;
    QString countryCaption;
    ASSERT_EQ(f.CreateAndOpen("shop", 1, [&](TfrmFrameContainer& window) {
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (!label->buddy())
                continue;
            if (label->buddy()->objectName() == "edtInitCompanyName")
                nameCaption = label->text();
            else if (label->buddy()->objectName() == "cbInitCountry")
                countryCaption = label->text();
        }
        window.btnContainerOk->click();
    }), "");
    EXPECT_EQ(nameCaption.toStdString(), "&Firmenname:");
    EXPECT_EQ(countryCaption.toStdString(), "&Land:");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Cancel");
}

}  // namespace
