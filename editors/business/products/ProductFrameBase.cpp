#include "editors/business/products/ProductFrameBase.h"

#include "catalog/CatalogData.h"
#include "common/MemberTypes.h"
#include "editors/business/products/ProductPropertiesModel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ItemEditorContainer.h"
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

TProductFrameBase::TProductFrameBase(TFrameSite& site, const char* objectName, bool required) : required_(required)
{
    setObjectName(objectName);
    TQtFrameSite::PlaceInto(site, this);
}

TProductFrameBase::~TProductFrameBase() = default;

TSiteModelContext TProductFrameBase::ModelContext()
{
    return SiteModelContextOf(*this);
}

int TProductFrameBase::CatalogType() const
{
    return GetContext()->Data()->GetCatalogType();
}

void TProductFrameBase::InitControls()
{
    edtCode_ = new QLineEdit(this);
    edtCode_->setObjectName("edtCode");
    edtCode_->setMaxLength(kMaxShortTextLength);
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName("edtName");
    edtName_->setMaxLength(kMaxShortTextLength);
    NameEdit = edtName_;
    edtDescription_ = new QPlainTextEdit(this);
    edtDescription_->setObjectName("edtDescription");
    edtDescription_->setTabChangesFocus(true);
    edtDescription_->setFixedHeight(edtDescription_->fontMetrics().lineSpacing() * 5 + 12);
    edtHistory_ = new QPlainTextEdit(this);
    edtHistory_->setObjectName("edtHistory");
    edtHistory_->setTabChangesFocus(true);
    edtHistory_->hide();

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto row = [&](const QString& caption, QWidget* widget) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(widget);
        form->addRow(label, widget);
    };
    row(required_ ? tr("Product &Code (required):") : tr("Product &Code:"), edtCode_);
    row(required_ ? tr("Product &Name (required):") : tr("Product &Name:"), edtName_);
    row(tr("&Description:"), edtDescription_);
    AddRows(*form);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    AddBelow(*this);
    layout->addStretch();

    connect(edtCode_, &QLineEdit::textEdited, this, [this] { CodeEdited(); });
    connect(edtName_, &QLineEdit::textEdited, this, [this] { NameOrCodeEdited(); });
    connect(edtDescription_, &QPlainTextEdit::textChanged, this, [this] { Changed(); });
    connect(edtHistory_, &QPlainTextEdit::textChanged, this, [this] { Changed(); });
}

void TProductFrameBase::ShowTypedCode(QLineEdit& edit, int catalogType)
{
    // Outside catalog type 12 letters show in upper case as they are typed.
    const QString text = edit.text();
    const QString shown = Q(TProductPropertiesModel::ShownCode(S(text), catalogType));
    if (shown != text) {
        const int cursor = edit.cursorPosition();
        edit.setText(shown);
        edit.setCursorPosition(cursor);
    }
}

void TProductFrameBase::CodeEdited()
{
    ShowTypedCode(*edtCode_, CatalogType());
    NameOrCodeEdited();
}

void TProductFrameBase::NameOrCodeEdited()
{
    Changed();
    if (!model_ || !TrackChanges)
        return;
    // The editor's caption follows the name as it is typed.
    ReadControls();
    model_->ApplyTreeName();
    if (TTolvexUIEditor* editor = GetUIEditor())
        if (TItemEditorContainer* container = editor->GetContainer())
            container->RefreshCaption();
}

void TProductFrameBase::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TProductPropertiesModel>(ModelContext());
    model_->Load();
    const TProductPropertiesModel::TValues& values = model_->Values();
    edtCode_->setText(Q(values.Code));
    edtName_->setText(Q(values.Name));
    edtDescription_->setPlainText(Q(values.Description));
    edtHistory_->setPlainText(Q(values.History));
    LoadRows();
    TrackChanges = true;
}

void TProductFrameBase::ReadControls()
{
    TProductPropertiesModel::TValues values = model_->Values();
    values.Code = S(edtCode_->text());
    values.Name = S(edtName_->text());
    values.Description = S(edtDescription_->toPlainText());
    if (KeepsHistory)
        values.History = S(edtHistory_->toPlainText());
    model_->SetValues(values);
}

void TProductFrameBase::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    ReadControls();
    const bool renamed = model_->NameOrCodeChanged();
    const std::string treeName = model_->TreeName();
    model_->Store();
    StoreRows();
    if (!renamed)
        return;
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "NameChanged", treeName);
        editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetItemId()));
    }
}

bool TProductFrameBase::Save()
{
    // A new product is checked even untouched: it has no code yet.
    if (model_ && (IsModified() || GetContext()->IsNewItem())) {
        ReadControls();
        TProductPropertiesModel::TInvalid invalid = TProductPropertiesModel::ivNone;
        std::string error = model_->Validate(&invalid);
        QWidget* control = invalid == TProductPropertiesModel::ivCode ? static_cast<QWidget*>(edtCode_) : edtName_;
        if (error.empty())
            error = ValidateRows(control);
        if (!error.empty()) {
            ShowFrameError(error);
            GetUIEditor()->SetInvalidControl(control);
            return false;
        }
    }
    return TTolvexFrameEditor::Save();
}

void TProductFrameBase::AfterSave()
{
    // The code shows as it was stored.
    if (!model_)
        return;
    const bool tracking = TrackChanges;
    TrackChanges = false;
    edtCode_->setText(Q(model_->Values().Code));
    TrackChanges = tracking;
}

void TProductFrameBase::Changed()
{
    if (TrackChanges)
        SetModified();
}

void TProductFrameBase::SetNameEditText(const std::string& name)
{
    edtName_->setText(Q(name));
}
