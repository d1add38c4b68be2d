#include "publishing/ui/frmFtpPublishParameters.h"

#include "common/CommonGui.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
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
    serverForm->addRow(Tr(translation, "Host Name:"), host_);
    serverForm->addRow(Tr(translation, "Default Directory on Host:"), directory_);
    serverForm->addRow(Tr(translation, "Web Site URL:"), url_);

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
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(server);
    layout->addWidget(site);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setTabOrder(host_, directory_);
    setTabOrder(directory_, url_);
    setTabOrder(url_, language_);
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
    QDialog::accept();
}

void TfrmFtpPublishParameters::keyPressEvent(QKeyEvent* event)
{
    if (!ControlOperations::HandleFormKeyPress(this, event, {}))
        QDialog::keyPressEvent(event);
}
