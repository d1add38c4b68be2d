#pragma once
// The login dialog: one page a step (start page with the catalog list, new
// catalog, open catalog, new catalog from the hosting service, the hosting
// service's account), one page showing at a time. Every decision is the
// login model's; the dialog shows its state and hands it what was typed.
#include "shell/LoginModel.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class THelpRequests;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;

class TfrmLogin : public QDialog {
    Q_OBJECT
public:
    using TOpenUrl = std::function<void(const std::string&)>;

    // Model (and Help, which may be null) must outlive the dialog. OpenUrl shows a web page.
    TfrmLogin(TLoginModel& model, THelpRequests* help, TOpenUrl openUrl, QWidget* parent = nullptr);

    // Shows the model's current page with its values.
    void ShowModelPage();
    // The start page's "Ok", as the user presses it.
    void PressWelcomeOk();

    // ---- controls (named as the user sees them) -----------------------------------------
    QStackedWidget* Pages() const { return pages_; }
    QWidget* tabLoginWelcome;
    QWidget* tabLoginNew;
    QWidget* tabLoginOpen;
    QWidget* tabNewCatalogFromHost;
    QWidget* tabLoginHostAuth;

    QRadioButton* rbLoginWelcomeNew;
    QRadioButton* rbLoginWelcomeOpen;
    QListWidget* lbLoginWelcomeDatabases;
    QPushButton* btnLoginWelcomeOk;

    QComboBox* cbLoginNewCatalogType;
    QLineEdit* edtLoginNewCatalogCode;
    QLineEdit* edtLoginNewPassword;
    QLineEdit* edtLoginNewConfirm;
    QCheckBox* cbLoginNewSavePassword;
    QLabel* lblLoginNewUserName;
    QLineEdit* edtLoginNewUserName;
    QPushButton* btnLoginNewRegister;
    QPushButton* btnLoginNewWebSite;
    QLabel* lblLoginNewWebSite;
    QPushButton* btnLoginNewContinue;

    QLineEdit* edtLoginOpenCatalogCode;
    QLineEdit* edtLoginOpenUserName;
    QLineEdit* edtLoginOpenPassword;
    QCheckBox* cbLoginOpenSave;
    QPushButton* btnLoginOpenOk;

    QLineEdit* edtFromHostCatalogCode;
    QLineEdit* edtFromHostUserName;
    QLineEdit* edtFromHostPassword;
    QPushButton* btnFromHostOk;

    QLineEdit* edtHostAuthUserName;
    QLineEdit* edtHostAuthPassword;
    QCheckBox* cbHostAuthSave;
    QPushButton* btnHostAuthOk;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildWelcome();
    QWidget* BuildNew();
    QWidget* BuildOpen();
    QWidget* BuildFromHost();
    QWidget* BuildHostAuth();
    // Ok (or Continue), Cancel and Help of a page; Ok is returned.
    QPushButton* AddButtons(QWidget* page, const std::string& okText, const char* helpAlias);
    void ShowPage(QWidget* page, const std::string& caption, int height, int width);
    void FillWelcome();
    void FillNew();
    void FillOpen();
    void FocusForPage();
    void NewContinue();
    void OpenOk();
    void FromHostOk();

    TLoginModel& model_;
    THelpRequests* help_;
    TOpenUrl openUrl_;
    QStackedWidget* pages_;
};
