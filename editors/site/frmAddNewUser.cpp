#include "editors/site/options/frmAddNewUser.h"

#include "editors/site/options/FrameUsersEditorModel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

std::string Text(const QLineEdit* edit) { return edit->text().toUtf8().toStdString(); }

}  // namespace

TfrmAddNewUser::TfrmAddNewUser(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAddNewUser");
    setWindowTitle(tr("Add New User"));
    edtUserName_ = new QLineEdit(this);
    edtUserName_->setObjectName("edtUserName");
    edtDescription_ = new QLineEdit(this);
    edtDescription_->setObjectName("edtDescription");
    cbRole_ = new QComboBox(this);
    cbRole_->setObjectName("cbRole");
    for (const auto& [caption, value] : TFrameUsersEditorModel::Roles())
        cbRole_->addItem(tr(caption.c_str()), QString::fromStdString(value));
    cbRole_->setCurrentIndex(cbRole_->findData("User"));
    edtPassword_ = new QLineEdit(this);
    edtPassword_->setObjectName("edtPassword");
    edtPassword_->setEchoMode(QLineEdit::Password);
    edtPasswordCheck_ = new QLineEdit(this);
    edtPasswordCheck_->setObjectName("edtPasswordCheck");
    edtPasswordCheck_->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(tr("User &Name:"), edtUserName_);
    form->addRow(tr("&Description:"), edtDescription_);
    form->addRow(tr("&Role:"), cbRole_);
    form->addRow(tr("&Password:"), edtPassword_);
    form->addRow(tr("Password &Check:"), edtPasswordCheck_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

std::string TfrmAddNewUser::UserName() const { return Text(edtUserName_); }
std::string TfrmAddNewUser::Description() const { return Text(edtDescription_); }
std::string TfrmAddNewUser::Role() const { return cbRole_->currentData().toString().toStdString(); }
std::string TfrmAddNewUser::Password() const { return Text(edtPassword_); }
std::string TfrmAddNewUser::PasswordCheck() const { return Text(edtPasswordCheck_); }
