#include "publishing/ui/frmPublishParameters.h"

#include "gui/ControlOperations.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using PublishDialogParts::Tr;
using UiText::Q;
using UiText::S;

TfrmPublishParameters::TfrmPublishParameters(const TPublishParameters& choices, TPublishPageField::TChooser chooser,
                                             const TTranslation* translation, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmPublishParameters");
    setWindowTitle(Tr(translation, "Publish Parameters"));

    language_ = new QComboBox(this);
    language_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    language_->setObjectName("cbLanguage");
    PublishDialogParts::FillChoices(language_, choices.Languages, "");
    index_ = new QLineEdit(Q(choices.IndexFileName), this);
    index_->setObjectName("edtIndexFileName");
    scripts_ = new QCheckBox(Tr(translation, "Make server-side scripts"), this);
    scripts_->setObjectName("cbServerSideScripts");
    page_ = new TPublishPageField(std::move(chooser), translation, this);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->addRow(Tr(translation, "Publish for language:"), language_);
    form->addRow(Tr(translation, "Index File Name:"), index_);
    form->addRow(Tr(translation, "Publish Page:"), page_);
    form->addRow(QString(), scripts_);

    auto* buttons = new QDialogButtonBox(this);
    start_ = buttons->addButton(Tr(translation, "Start"), QDialogButtonBox::AcceptRole);
    start_->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(translation, "Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setTabOrder(language_, index_);
    setTabOrder(index_, page_->ChooseButton());
    setTabOrder(page_->ChooseButton(), scripts_);
    resize(460, sizeHint().height());
}

std::string TfrmPublishParameters::LangCode() const
{
    return PublishDialogParts::ChosenValue(language_);
}

std::string TfrmPublishParameters::IndexFileName() const
{
    return S(index_->text());
}

bool TfrmPublishParameters::ServerSideScripts() const
{
    return scripts_->isChecked();
}

int TfrmPublishParameters::PageId() const
{
    return page_->PageId();
}

void TfrmPublishParameters::keyPressEvent(QKeyEvent* event)
{
    if (!ControlOperations::HandleFormKeyPress(this, event, {}))
        QDialog::keyPressEvent(event);
}
