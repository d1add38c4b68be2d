#include "editors/site/page/FrameJavaScriptPropertiesEditor.h"

#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/page/FrameJavaScriptPropertiesEditorModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

TFrameJavaScriptPropertiesEditor::TFrameJavaScriptPropertiesEditor(TFrameSite& site)
{
    setObjectName("TFrameJavaScriptPropertiesEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameJavaScriptPropertiesEditor::~TFrameJavaScriptPropertiesEditor() = default;

void TFrameJavaScriptPropertiesEditor::InitControls()
{
    edtScriptName_ = new QLineEdit(this);
    edtScriptName_->setObjectName("edtScriptName");
    NameEdit = edtScriptName_;
    edtFileName_ = new QLineEdit(this);
    edtFileName_->setObjectName("edtScriptFileName");
    lblVersion_ = new QLabel("0.1", this);
    lblVersion_->setObjectName("lblVersion");
    lblScriptId_ = new QLabel(this);
    lblScriptId_->setObjectName("lblScriptId");
    for (QLabel* value : {lblVersion_, lblScriptId_})
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto row = [&](const char* caption, QWidget* field) {
        auto* label = new QLabel(Tr(caption) + ":", this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row("Script Name", edtScriptName_);
    row("Script File Name", edtFileName_);
    row("Version", lblVersion_);
    row("Script ID", lblScriptId_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();

    connect(edtScriptName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_->SetScriptName(S(text));
        SetModified();
    });
    connect(edtFileName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_->SetFileName(S(text));
        SetModified();
    });
}

void TFrameJavaScriptPropertiesEditor::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TFrameJavaScriptPropertiesEditorModel>(SiteModelContextOf(*this));
    model_->Load();
    edtScriptName_->setText(Q(model_->ScriptName()));
    edtFileName_->setText(Q(model_->FileName()));
    lblVersion_->setText(Q(model_->Version()));
    lblScriptId_->setText(QString::number(model_->ScriptId()));
    TrackChanges = true;
}

void TFrameJavaScriptPropertiesEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    std::string newName;
    model_->Store(&newName);
    if (newName.empty())
        return;
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "NameChanged", newName);
        editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetTreeItemId()));
    }
}

void TFrameJavaScriptPropertiesEditor::SetNameEditText(const std::string& name)
{
    edtScriptName_->setText(Q(name));
    if (model_)
        model_->NameChanged(GetContext()->GetItemId(), name);
}
