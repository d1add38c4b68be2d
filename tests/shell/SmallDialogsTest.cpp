// The environment check and its window, the change-code dialog and the
// about box, offscreen.
#include "ShellFixture.h"

#include "shell/EnvironmentCheck.h"
#include "shell/frmAbout.h"
#include "shell/frmChangeCatalogCode.h"
#include "shell/frmTextMessage.h"
#include "support/RecordingHelp.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

void Screenshot(QWidget& window, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
        window.show();
        QCoreApplication::processEvents();
        window.grab().save(QString("%1/%2.png").arg(dir, name));
    }
}

TEnvironmentCheck::TStep Step(const std::string& name, bool passes)
{
    return [name, passes](TEnvironmentCheck& check) {
        check.AddStatus("$1 checked", name);
        if (!passes) {
            check.AddProblem("$1 is missing", name);
            check.AddProblem("");
        }
        return passes;
    };
}

TEST(EnvironmentCheck, StopsAtTheFirstFailureAndKeepsProblemsAcrossRuns)
{
    TEnvironmentCheck check;
    check.SetSteps({Step("one", true), Step("two", false), Step("three", true)});
    EXPECT_FALSE(check.Check());
    EXPECT_EQ(check.GetStatusLines(), (std::vector<std::string>{"one checked", "two checked"}));
    EXPECT_EQ(check.GetProblemLines(), (std::vector<std::string>{"two is missing", ""}));
    EXPECT_FALSE(check.Check());
    EXPECT_EQ(check.GetStatusLines().size(), 2u) << "status lines start afresh";
    EXPECT_EQ(check.GetProblemLines().size(), 4u) << "problem lines are kept";
    EXPECT_EQ(check.InformationText(), "one checked\n\ntwo checked\n\ntwo is missing\n\n\n\n"
                                       "two is missing\n\n\n\n");
}

TEST(EnvironmentCheck, TheProgramsOwnChecks)
{
    TTempFolder home;
    // This machine builds and runs the program: its libraries and web engine are there,
    // and the databases of a fresh folder are built from the data sources.
    TEnvironmentCheck check;
    check.UseProgramChecks(home.Path(), TShippedData::BuildTreeDataDir());
    EXPECT_TRUE(check.Check()) << check.InformationText();

    struct TCase {
        const char* name;
        TEnvironmentCheck::TStep step;
        std::string status;
    };
    const TCase failures[] = {
        {"library", TEnvironmentCheck::LibrariesCheck({"libsqlite3.so.0", "libnothere.so.9"}),
         "Library \"libnothere.so.9\" not found"},
        {"web engine", TEnvironmentCheck::WebEngineCheck(home.File("QtWebEngineProcess")),
         "Web engine cannot be started"},
        {"databases", TEnvironmentCheck::DatabasesCheck(home.Path(), ""), "Shipped databases not installed"},
    };
    for (const TCase& c : failures) {
        TEnvironmentCheck failing;
        failing.SetSteps({c.step});
        EXPECT_FALSE(failing.Check()) << c.name;
        EXPECT_EQ(failing.GetStatusLines().back(), c.status) << c.name;
        EXPECT_FALSE(failing.GetProblemLines().empty()) << c.name;
    }
}

TEST(EnvironmentCheck, SystemInformationGoesOnOnlyWithContinueAnywayTicked)
{
    TEnvironmentCheck check;
    check.SetSteps({Step("web engine", false)});
    check.Check();
    for (const bool tick : {false, true}) {
        OnNextModal([tick](QWidget* w) {
            auto& window = *static_cast<TfrmTextMessage*>(w);
            EXPECT_EQ(window.lblTextMessage->text(), "System Information");
            EXPECT_TRUE(window.memoTextMessage->toPlainText().contains("web engine is missing"));
            EXPECT_TRUE(window.cbTextMessageDontShowAgain->isVisible());
            EXPECT_EQ(window.cbTextMessageDontShowAgain->text(), "Continue anyway");
            if (tick)
                Screenshot(window, "system-information");
            window.cbTextMessageDontShowAgain->setChecked(tick);
            window.accept();
        });
        EXPECT_EQ(TfrmTextMessage::ShowContinueDialog(check), tick);
    }
}

TEST(ChangeCatalogCode, FiltersTypingAndRefusesAPastedCodeWithABlank)
{
    TScriptedGui gui;
    TRecordingHelp help;
    TfrmChangeCatalogCode dialog("shop", gui, &help);
    dialog.show();
    EXPECT_FALSE(dialog.edtChangeCatalogCodeOld->isEnabled());
    EXPECT_EQ(dialog.edtChangeCatalogCodeOld->text(), "shop");
    QTest::keyClicks(dialog.edtChangeCatalogCodeNew, "New_Shop-2");
    EXPECT_EQ(dialog.edtChangeCatalogCodeNew->text(), "newshop-2");
    Screenshot(dialog, "change-catalog-code");

    dialog.edtChangeCatalogCodeNew->setText("new shop");
    dialog.btnOk->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(gui.Messages("error"), std::vector<std::string>{"Catalog code contains not allowed symbols"});
    EXPECT_EQ(dialog.edtChangeCatalogCodeNew->selectedText(), "new shop");

    dialog.edtChangeCatalogCodeNew->setText("new_shop");  // pasted: the underscore is a code character
    dialog.btnOk->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.NewCode(), "new_shop");
}

TEST(ChangeCatalogCode, RenamesTheOpenCatalogThroughTheDialog)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    OnNextModal([](QWidget* w) {
        auto& dialog = *static_cast<TfrmChangeCatalogCode*>(w);
        QTest::keyClicks(dialog.edtChangeCatalogCodeNew, "Market");
        dialog.btnOk->click();
    });
    std::string newCode;
    ASSERT_TRUE(f.Shell().AskNewCatalogCode("shop", newCode));
    EXPECT_EQ(newCode, "market");
    OnNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(f.Shell().AskNewCatalogCode("shop", newCode));
}

TEST(About, ShowsTheVersionFoldersAndSystemInformation)
{
    TEnvironmentCheck check;
    check.SetSteps({Step("libraries", true)});
    check.Check();
    std::vector<std::string> urls;
    TRecordingHelp help;
    TfrmAbout::TContent content;
    content.Version = "4.0.12";
    content.HomePage = "http://www.example.com";
    content.SupportAddress = "support@example.com";
    content.Folders = "Program folder: /tmp/x";
    content.Environment = &check;
    content.Help = &help;
    content.OpenUrl = [&urls](const std::string& url) { urls.push_back(url); };
    TfrmAbout about(content);
    about.show();
    EXPECT_EQ(about.lblVersion->text(), "Version 4.0.12");
    EXPECT_TRUE(about.btnOk->hasFocus() || about.btnOk->isDefault());
    Screenshot(about, "about");

    QString information;
    OnNextModal([&information](QWidget* w) {
        information = static_cast<TfrmTextMessage*>(w)->memoTextMessage->toPlainText();
        EXPECT_FALSE(static_cast<TfrmTextMessage*>(w)->cbTextMessageDontShowAgain->isVisible());
        static_cast<QDialog*>(w)->accept();
    });
    about.btnSystemInformation->click();
    EXPECT_TRUE(information.contains("libraries checked"));

    QTest::keyClick(&about, Qt::Key_F1);
    EXPECT_EQ(help.Last(), std::vector<std::string>{"Context_299"});
    for (QLabel* label : about.findChildren<QLabel*>())
        if (label->text().contains("mailto:"))
            emit label->linkActivated("mailto:support@example.com");
    EXPECT_EQ(urls, std::vector<std::string>{"mailto:support@example.com"});
}

}  // namespace
