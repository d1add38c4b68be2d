#pragma once
// "Change Password": the password typed twice (masked, prefilled with the
// current one). "Ok" closes only when both are equal (case-sensitive);
// otherwise the error "Passwords don`t match" shows and the dialog stays.
#include <QDialog>

#include <functional>

class QLineEdit;

class TfrmChangePassword : public QDialog {
    Q_OBJECT
public:
    // ShowMismatch shows the error box (the common GUI's).
    TfrmChangePassword(const QString& current, std::function<void()> showMismatch, QWidget* parent = nullptr);
    QLineEdit* PasswordEdit() const { return password_; }
    QLineEdit* RetypeEdit() const { return retype_; }
    QString Password() const;
    void accept() override;

private:
    QLineEdit* password_;
    QLineEdit* retype_;
    std::function<void()> showMismatch_;
};
