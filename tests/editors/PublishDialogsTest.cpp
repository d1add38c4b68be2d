// The publishing dialogs driven as a user would: the page field takes the
// page the program's chooser gives, the FTP parameters select the answers of
// the last run and refuse to start without a host, and the FTP login hands
// back what was typed, or nothing when cancelled.
#include "QtTestApplication.h"

#include "publishing/ui/frmFtpAuthorization.h"
#include "publishing/ui/frmFtpPublishParameters.h"
#include "publishing/ui/frmPublishParameters.h"
#include "support/ScriptedGui.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Runs Act on the login dialog once it shows.
void WhenLoginShows(std::function<void(TfrmFtpAuthorization&)> act)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, poll] {
        auto* dialog = qobject_cast<TfrmFtpAuthorization*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            act(*dialog);
            *poll = nullptr;
        } else {
            QTimer::singleShot(10, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

TPublishParameters LocalChoices()
{
    TPublishParameters choices;
    choices.Languages = {"[All possible]===", "English===EN", "Deutsch===DE"};
    choices.IndexFileName = "start.html";
    return choices;
}

TEST(PublishDialogs, PublishParametersReadBackLanguageNameScriptsAndPage)
{
    EnsureQtApplication();
    int asked = 0;
    TfrmPublishParameters dialog(LocalChoices(),
                                 [&](int& id, std::string& name) {
                                     // The first time the user cancels the page selection.
                                     if (++asked == 1)
                                         return false;
                                     id = 100003;
                                     name = "About Us";
                                     return true;
                                 },
                                 nullptr);
    dialog.show();
    EXPECT_EQ(dialog.LangCode(), "");
    EXPECT_EQ(dialog.IndexFileName(), "start.html");
    EXPECT_EQ(dialog.LanguageBox()->itemText(2), "Deutsch");

    QTest::mouseClick(dialog.PageField()->ChooseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.PageId(), 0);
    EXPECT_EQ(dialog.PageField()->NameField()->text(), "(All Pages)");
    QTest::mouseClick(dialog.PageField()->ChooseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.PageId(), 100003);
    EXPECT_EQ(dialog.PageField()->NameField()->text(), "About Us");

    dialog.LanguageBox()->setCurrentIndex(2);
    dialog.IndexEdit()->clear();
    QTest::keyClicks(dialog.IndexEdit(), " home.html");
    QTest::mouseClick(dialog.ScriptsBox(), Qt::LeftButton);
    EXPECT_EQ(dialog.LangCode(), "DE");
    EXPECT_EQ(dialog.IndexFileName(), " home.html");
    EXPECT_TRUE(dialog.ScriptsBox()->isChecked());
}

TEST(PublishDialogs, FtpParametersShowTheLastRunAndWantAHost)
{
    EnsureQtApplication();
    TScriptedGui gui;
    TFtpPublishParameters answers;
    answers.Languages = LocalChoices().Languages;
    answers.Methods = {"Update all files===all", "Update changed files===changed"};
    answers.LangCode = "DE";
    answers.UpdateMethod = "all";
    answers.IndexFileName = "index.html";
    answers.DefaultDirectory = "www";
    TfrmFtpPublishParameters dialog(answers, {}, gui, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.LanguageBox()->currentText(), "Deutsch");
    EXPECT_EQ(dialog.MethodBox()->currentText(), "Update all files");
    EXPECT_EQ(dialog.DirectoryEdit()->text(), "www");

    QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    EXPECT_EQ(gui.Messages("error"), std::vector<std::string>{"Enter FTP host name"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    QTest::keyClicks(dialog.HostEdit(), "ftp.example.com");
    dialog.MethodBox()->setCurrentIndex(1);
    QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const TFtpPublishParameters read = dialog.Answers();
    EXPECT_EQ(read.HostName, "ftp.example.com");
    EXPECT_EQ(read.UpdateMethod, "changed");
    EXPECT_EQ(read.LangCode, "DE");
    SaveWidgetPicture(dialog, QStringLiteral("ftp-parameters"));
}

TEST(PublishDialogs, FtpLoginHandsBackWhatWasTyped)
{
    EnsureQtApplication();
    TQtFtpAuthorization authorization(nullptr, nullptr);
    TFtpLogin login{"ftp://ftp.example.com/www", "webmaster", "", false};

    WhenLoginShows([](TfrmFtpAuthorization& shown) {
        TfrmFtpAuthorization* dialog = &shown;
        EXPECT_EQ(dialog->AddressLabel()->text(), "ftp://ftp.example.com/www");
        EXPECT_EQ(dialog->LoginEdit()->text(), "webmaster");
        EXPECT_EQ(dialog->PasswordEdit()->echoMode(), QLineEdit::Password);
        EXPECT_FALSE(dialog->SavePasswordBox()->isChecked());
        // The focus waits in the password field; Enter there logs in.
        QTest::keyClicks(dialog->PasswordEdit(), "s3cret");
        dialog->SavePasswordBox()->setChecked(true);
        QTest::keyClick(dialog->PasswordEdit(), Qt::Key_Return);
    });
    ASSERT_TRUE(authorization.Execute(login));
    EXPECT_EQ(login.LoginName, "webmaster");
    EXPECT_EQ(login.Password, "s3cret");
    EXPECT_TRUE(login.SavePassword);
    EXPECT_EQ(login.Address, "ftp://ftp.example.com/www");

    WhenLoginShows([](TfrmFtpAuthorization& dialog) {
        QTest::keyClicks(dialog.LoginEdit(), "x");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(authorization.Execute(login));
    EXPECT_EQ(login.LoginName, "webmaster");
}

}  // namespace
