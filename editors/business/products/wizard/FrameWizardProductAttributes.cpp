#include "editors/business/products/wizard/FrameWizardProductAttributes.h"

#include "catalog/CatalogData.h"
#include "common/MemberTypes.h"
#include "editors/business/products/ProductFrameBase.h"
#include "editors/business/products/wizard/ProductWizardModel.h"
#include "editors/business/products/wizard/WizardPage.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameWizardProductAttributes::TFrameWizardProductAttributes(TFrameSite& site)
{
    setObjectName("TFrameWizardProductAttributes");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameWizardProductAttributes::InitControls()
{
    edtCode_ = new QLineEdit(this);
    edtCode_->setObjectName("edtCode");
    edtCode_->setMaxLength(kMaxShortTextLength);
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName("edtName");
    edtName_->setMaxLength(kMaxShortTextLength);
    edtDescription_ = new QPlainTextEdit(this);
    edtDescription_->setObjectName("edtDescription");
    edtDescription_->setTabChangesFocus(true);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto row = [&](const QString& caption, QWidget* widget) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(widget);
        form->addRow(label, widget);
    };
    row(tr("Product &Code (required):"), edtCode_);
    row(tr("Product &Name (required):"), edtName_);
    row(tr("&Description:"), edtDescription_);
    QVBoxLayout* layout = wizard_page::PageLayout(*this, tr("Enter product name and code."));
    layout->addLayout(form, 1);

    connect(edtCode_, &QLineEdit::textEdited, this, [this] { CodeEdited(); });
    connect(edtName_, &QLineEdit::textEdited, this, [this] { SetModified(); });
    connect(edtDescription_, &QPlainTextEdit::textChanged, this, [this] {
        if (TrackChanges)
            SetModified();
    });
}

void TFrameWizardProductAttributes::CodeEdited()
{
    TProductFrameBase::ShowTypedCode(*edtCode_, GetContext()->Data() ? GetContext()->Data()->GetCatalogType() : 0);
    SetModified();
}

void TFrameWizardProductAttributes::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    lang_ = GetContext()->GetCurrentLangCode();
    using Keys = TProductWizardModel;
    edtCode_->setText(Q(wizard_page::Value(*this, Keys::kCode)));
    edtName_->setText(Q(wizard_page::Value(*this, Keys::kNamePrefix + lang_)));
    edtDescription_->setPlainText(Q(wizard_page::Value(*this, Keys::kDescriptionPrefix + lang_)));
    TrackChanges = true;
}

void TFrameWizardProductAttributes::StoreToObjects(bool /*languageSwitch*/)
{
    // Into the language the values were shown in (a language switch stores before it reloads).
    using Keys = TProductWizardModel;
    wizard_page::SetValue(*this, Keys::kCode, S(edtCode_->text()));
    wizard_page::SetValue(*this, Keys::kNamePrefix + lang_, S(edtName_->text()));
    wizard_page::SetValue(*this, Keys::kDescriptionPrefix + lang_, S(edtDescription_->toPlainText()));
}

bool TFrameWizardProductAttributes::Save()
{
    StoreToObjects(false);
    const std::vector<std::string>* params = wizard_page::Params(*this);
    if (!params)
        return TTolvexFrameEditor::Save();
    const TProductWizardModel::TRefusal refusal =
        TProductWizardModel(SiteModelContextOf(*this)).CheckAttributes(*params, lang_);
    if (!refusal.Message.empty()) {
        ShowFrameError(refusal.Message);
        GetUIEditor()->SetInvalidControl(refusal.Field == TProductWizardModel::TField::Name
                                             ? static_cast<QWidget*>(edtName_)
                                             : edtCode_);
        return false;
    }
    return TTolvexFrameEditor::Save();
}
