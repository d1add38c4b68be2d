#include "shell/Login.h"

#include "gui/UiText.h"

#include <QCheckBox>
#include <QLineEdit>

using UiText::Q;
using UiText::S;

TLogin::TLogin(TEnvironment environment) : environment_(std::move(environment)) {}

void TLogin::Run(TLoginModel& model, TfrmLogin& dialog)
{
    model.SetHostDownload(environment_.HostDownload);
    dialog.ShowModelPage();
    bool done = false;
    while (!done) {
        if (model.AutoPressOk())
            dialog.PressWelcomeOk();
        const bool accepted = dialog.exec() == QDialog::Accepted;
        done = model.ProcessLogin(accepted);
    }
}

void TLogin::ShowWelcome(const std::string& catalogCode, bool autoOpen)
{
    TLoginModel model(environment_.Root, environment_.Gui, environment_.Translation);
    TfrmLogin dialog(model, environment_.Help, environment_.OpenUrl, environment_.Parent);
    model.StartWelcome(catalogCode, autoOpen);
    Run(model, dialog);
}

void TLogin::NewCatalog()
{
    TLoginModel model(environment_.Root, environment_.Gui, environment_.Translation);
    TfrmLogin dialog(model, environment_.Help, environment_.OpenUrl, environment_.Parent);
    model.StartNewCatalog();
    Run(model, dialog);
}

void TLogin::NewCatalogFromHost()
{
    TLoginModel model(environment_.Root, environment_.Gui, environment_.Translation);
    TfrmLogin dialog(model, environment_.Help, environment_.OpenUrl, environment_.Parent);
    model.StartNewCatalogFromHost();
    Run(model, dialog);
}

void TLogin::OpenCatalog(const std::string& dbDir, const std::string& catalogCode, const std::string& dbType)
{
    TLoginModel model(environment_.Root, environment_.Gui, environment_.Translation);
    TfrmLogin dialog(model, environment_.Help, environment_.OpenUrl, environment_.Parent);
    model.StartOpenCatalog(dbDir, catalogCode, dbType);
    Run(model, dialog);
}

bool TLogin::AskHostAccount(std::string& userName, std::string& password)
{
    TLoginModel model(environment_.Root, environment_.Gui, environment_.Translation);
    TfrmLogin dialog(model, environment_.Help, environment_.OpenUrl, environment_.Parent);
    const TRememberedLogin login = model.StartHostAccount();
    dialog.edtHostAuthUserName->setText(Q(login.UserName));
    dialog.edtHostAuthPassword->setText(Q(login.Password));
    dialog.cbHostAuthSave->setChecked(login.PasswordSaved);
    dialog.ShowModelPage();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    userName = S(dialog.edtHostAuthUserName->text());
    password = S(dialog.edtHostAuthPassword->text());
    model.ConfirmHostAccount(userName, password, dialog.cbHostAuthSave->isChecked());
    return true;
}
