#include "publishing/ui/frmFtpPublishParameters.h"

#include "common/CommonGui.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using PublishDialogParts::Tr;
using UiText::Q;
using UiText::S;

TfrmFtpPublishParameters::TfrmFtpPublishParameters(const TFtpPublishParameters& answers,
                                                   TPublishPageField::TChooser chooser, TCommonGui& gui,
                                                   const TTranslation* translation, QWidget* parent)
    : QDialog(parent), answers_(answers), gui_(gui)
{
    setObjectName("frmFtpPublishParameters");
    setWindowTitle(Tr(translation, "Create/Update Catalog for"));

    auto line = [this](const std::string& text, const char* name) {
        auto* edit = new QLineEdit(Q(text), this);
        edit->setObjectName(name);
        return edit;
    };
    language_ = new QComboBox(this);
    language_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    language_->setObjectName("cbLanguage");
    PublishDialogParts::FillChoices(language_, answers.Languages, answers.LangCode);
    index_ = line(answers.IndexFileName, "edtIndexFileName");
    method_ = new QComboBox(this);
    method_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    method_->setObjectName("cbUpdateMethod");
    PublishDialogParts::FillChoices(method_, answers.Methods, answers.UpdateMethod);
    host_ = line(answers.HostName, "edtHostName");
    host_->setPlaceholderText("ftp.example.com");
    port_ = new QSpinBox(this);
    port_->setObjectName("sePort");
    port_->setRange(1, 65535);
    port_->setValue(answers.Port);
    login_ = line(answers.LoginName, "edtLoginName");
    password_ = line(answers.Password, "edtPassword");
    password_->setEchoMode(QLineEdit::Password);
    savePassword_ = new QCheckBox(Tr(translation, "Save Password"), this);
    savePassword_->setObjectName("cbSavePassword");
    savePassword_->setChecked(answers.SavePassword);
    directory_ = line(answers.DefaultDirectory, "edtDefaultDirectory");
    url_ = line(answers.WebSiteUrl, "edtWebSiteUrl");
    url_->setPlaceholderText("http://www.example.com");
    scripts_ = new QCheckBox(Tr(translation, "Make server-side scripts"), this);
    scripts_->setObjectName("cbServerSideScripts");
    scripts_->setChecked(answers.ServerSideScripts);
    page_ = new TPublishPageField(std::move(chooser), translation, this);

    auto* server = new QGroupBox(Tr(translation, "FTP Server"), this);
    auto* serverForm = new QFormLayout(server);
    serverForm->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    auto* hostRow = new QHBoxLayout;
    hostRow->addWidget(host_, 1);
    auto* portLabel = new QLabel(Tr(translation, "Port:"), this);
    portLabel->setBuddy(port_);
    hostRow->addWidget(portLabel);
    hostRow->addWidget(port_);
    serverForm->addRow(Tr(translation, "Host Name:"), hostRow);
    serverForm->addRow(Tr(translation, "Default Directory on Host:"), directory_);
    serverForm->addRow(Tr(translation, "Web Site URL:"), url_);
    serverForm->addRow(Tr(translation, "Login Name:"), login_);
    serverForm->addRow(Tr(translation, "Password:"), password_);
    serverForm->addRow(QString(), savePassword_);

    auto* site = new QGroupBox(Tr(translation, "Site"), this);
    auto* siteForm = new QFormLayout(site);
    siteForm->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    siteForm->addRow(Tr(translation, "Publish for language:"), language_);
    siteForm->addRow(Tr(translation, "Default Index File:"), index_);
    siteForm->addRow(Tr(translation, "Create/Update Method:"), method_);
    siteForm->addRow(Tr(translation, "Publish Pages:"), page_);
    siteForm->addRow(QString(), scripts_);

    auto* buttons = new QDialogButtonBox(this);
    start_ = buttons->addButton(Tr(translation, "Start"), QDialogButtonBox::AcceptRole);
    start_->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(translation, "Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmFtpPublishParameters::accept);
    // An address typed as the host ("ftp://host:2121/www") is split into the fields as the user leaves it.
    connect(host_, &QLineEdit::editingFinished, this, &TfrmFtpPublishParameters::SplitAddress);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(server);
    layout->addWidget(site);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setTabOrder(host_, port_);
    setTabOrder(port_, directory_);
    setTabOrder(directory_, url_);
    setTabOrder(url_, login_);
    setTabOrder(login_, password_);
    setTabOrder(password_, savePassword_);
    setTabOrder(savePassword_, language_);
    setTabOrder(language_, index_);
    setTabOrder(index_, method_);
    setTabOrder(method_, page_->ChooseButton());
    setTabOrder(page_->ChooseButton(), scripts_);
    host_->setFocus();
    resize(500, sizeHint().height());
}

TFtpPublishParameters TfrmFtpPublishParameters::Answers() const
{
    TFtpPublishParameters answers = answers_;
    answers.LangCode = PublishDialogParts::ChosenValue(language_);
    answers.IndexFileName = S(index_->text());
    answers.UpdateMethod = PublishDialogParts::ChosenValue(method_);
    answers.HostName = S(host_->text());
    answers.Port = port_->value();
    answers.LoginName = S(login_->text());
    answers.Password = S(password_->text());
    answers.SavePassword = savePassword_->isChecked();
    answers.DefaultDirectory = S(directory_->text());
    answers.WebSiteUrl = S(url_->text());
    answers.ServerSideScripts = scripts_->isChecked();
    answers.PageId = page_->PageId();
    return answers;
}

void TfrmFtpPublishParameters::accept()
{
    const std::string problem = Answers().Problem();
    if (!problem.empty()) {
        gui_.ShowError(problem);
        host_->setFocus();
        return;
    }
    SplitAddress();
    QDialog::accept();
}

void TfrmFtpPublishParameters::SplitAddress()
{
    const TFtpPublishParameters answers = Answers();
    if (!answers.Problem().empty())
        return;
    const TFtpPublishParameters split = answers.Normalised();
    if (split.HostName != answers.HostName)
        host_->setText(Q(split.HostName));
    port_->setValue(split.Port);
    login_->setText(Q(split.LoginName));
    directory_->setText(Q(split.DefaultDirectory));
}

void TfrmFtpPublishParameters::keyPressEvent(QKeyEvent* event)
{
    if (!ControlOperations::HandleFormKeyPress(this, event, {}))
        QDialog::keyPressEvent(event);
}
