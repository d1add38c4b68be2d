#include "shell/ChangePassword.h"

#include "gui/UiText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Tr;

TfrmChangePassword::TfrmChangePassword(const QString& current, std::function<void()> showMismatch,
                                       QWidget* parent)
    : QDialog(parent), showMismatch_(std::move(showMismatch))
{
    setObjectName("frmChangePassword");
    setWindowTitle(Tr("Change Password"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    password_ = new QLineEdit(current, this);
    retype_ = new QLineEdit(current, this);
    for (QLineEdit* edit : {password_, retype_})
        edit->setEchoMode(QLineEdit::Password);
    form->addRow(Tr("Enter password:"), password_);
    form->addRow(Tr("Retype password:"), retype_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmChangePassword::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmChangePassword::reject);
    layout->addWidget(buttons);
}

QString TfrmChangePassword::Password() const
{
    return password_->text();
}

void TfrmChangePassword::accept()
{
    if (password_->text() != retype_->text()) {
        if (showMismatch_)
            showMismatch_();
        return;
    }
    QDialog::accept();
}
