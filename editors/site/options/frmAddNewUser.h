#pragma once
// The "Add New User" window of the users tab: name, description, role
// (preset to "User"), password and its check, both masked. What it refuses
// is decided by the users model when the frame adds the user.
#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;

class TfrmAddNewUser : public QDialog {
public:
    explicit TfrmAddNewUser(QWidget* parent = nullptr);

    std::string UserName() const;
    std::string Description() const;
    std::string Role() const;  // the stored role word
    std::string Password() const;
    std::string PasswordCheck() const;

private:
    QLineEdit* edtUserName_;
    QLineEdit* edtDescription_;
    QComboBox* cbRole_;
    QLineEdit* edtPassword_;
    QLineEdit* edtPasswordCheck_;
};
