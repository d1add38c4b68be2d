#include "publishing/ui/frmFtpAuthorization.h"

#include "publishing/ui/PublishDialogParts.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using PublishDialogParts::Tr;
using UiText::Q;
using UiText::S;

TfrmFtpAuthorization::TfrmFtpAuthorization(const TFtpLogin& login, const TTranslation* translation,
                                           QWidget* parent)
    : QDialog(parent), given_(login)
{
    setObjectName("frmFtpAuthorization");
    setWindowTitle(Tr(translation, "Ftp Authorization"));

    auto* heading = new QLabel(Tr(translation, "Authorization On"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    address_ = new QLabel(Q(login.Address), this);
    address_->setObjectName("lblAddress");
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    login_ = new QLineEdit(Q(login.LoginName), this);
    login_->setObjectName("edtLoginName");
    password_ = new QLineEdit(Q(login.Password), this);
    password_->setObjectName("edtPassword");
    password_->setEchoMode(QLineEdit::Password);
    // Enter in the password field logs in; elsewhere the shared keys apply.
    connect(password_, &QLineEdit::returnPressed, this, &QDialog::accept);
    save_ = new QCheckBox(Tr(translation, "Save Password"), this);
    save_->setObjectName("cbSavePassword");
    save_->setChecked(login.SavePassword);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->addRow(Tr(translation, "Login Name:"), login_);
    form->addRow(Tr(translation, "Password:"), password_);
    form->addRow(QString(), save_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QDialogButtonBox::Ok);
    ok_->setText(Tr(translation, "Ok"));
    ok_->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(translation, "Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(address_);
    layout->addSpacing(6);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);
    (login.LoginName.empty() ? login_ : password_)->setFocus();
    resize(400, sizeHint().height());
}

TFtpLogin TfrmFtpAuthorization::Login() const
{
    TFtpLogin login = given_;
    login.LoginName = S(login_->text());
    login.Password = S(password_->text());
    login.SavePassword = save_->isChecked();
    return login;
}

void TfrmFtpAuthorization::keyPressEvent(QKeyEvent* event)
{
    if (!ControlOperations::HandleFormKeyPress(this, event, {}))
        QDialog::keyPressEvent(event);
}

bool TQtFtpAuthorization::Execute(TFtpLogin& login)
{
    TfrmFtpAuthorization dialog(login, translation_, parent_.data());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    login = dialog.Login();
    return true;
}
