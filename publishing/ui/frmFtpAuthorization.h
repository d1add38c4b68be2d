#pragma once
// The login question of FTP publishing, "Ftp Authorization": the server
// address, the login name, the password (hidden) and "Save Password". Each
// Execute shows a fresh modal dialog over the parent (the runner window),
// filled with what the operation gives, and hands back what was typed.
#include "publishing/FtpAuthorization.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TTranslation;

class TfrmFtpAuthorization : public QDialog {
    Q_OBJECT
public:
    TfrmFtpAuthorization(const TFtpLogin& login, const TTranslation* translation, QWidget* parent = nullptr);

    // The login as typed.
    TFtpLogin Login() const;

    QLabel* AddressLabel() const { return address_; }
    QLineEdit* LoginEdit() const { return login_; }
    QLineEdit* PasswordEdit() const { return password_; }
    QCheckBox* SavePasswordBox() const { return save_; }
    QPushButton* OkButton() const { return ok_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TFtpLogin given_;
    QLabel* address_ = nullptr;
    QLineEdit* login_ = nullptr;
    QLineEdit* password_ = nullptr;
    QCheckBox* save_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// TFtpAuthorizationDialog on Qt: the dialog above, over the parent widget,
// which also owns this object (the runner window of the FTP publishing).
class TQtFtpAuthorization : public QObject, public TFtpAuthorizationDialog {
    Q_OBJECT
public:
    TQtFtpAuthorization(const TTranslation* translation, QWidget* parent)
        : QObject(parent), translation_(translation), parent_(parent)
    {
    }
    bool Execute(TFtpLogin& login) override;

private:
    const TTranslation* translation_;
    QPointer<QWidget> parent_;
};
