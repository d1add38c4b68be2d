#include "editors/media/definitions/FrameDefinitionRecord.h"

#include "common/MemberTypes.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameDefinitionRecord::TFrameDefinitionRecord(TFrameSite& site, const char* objectName)
{
    setObjectName(objectName);
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameDefinitionRecord::InitControls()
{
    fields_ = Fields();
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        QWidget* control = nullptr;
        if (fields_[i].MultiLine) {
            auto* text = new QPlainTextEdit(this);
            text->setTabChangesFocus(true);
            connect(text, &QPlainTextEdit::textChanged, this, [this, i] { Edited(i); });
            control = text;
            texts_.push_back(text);
            lines_.push_back(nullptr);
        } else {
            auto* line = new QLineEdit(this);
            if (!fields_[i].Member.Number)
                line->setMaxLength(kMaxShortTextLength);
            connect(line, &QLineEdit::textEdited, this, [this, i] { Edited(i); });
            control = line;
            lines_.push_back(line);
            texts_.push_back(nullptr);
        }
        control->setObjectName(fields_[i].ControlName);
        auto* label = new QLabel(fields_[i].Caption, this);
        label->setBuddy(control);
        form->addRow(label, control);
        if (i == 0 && ShowsItemId()) {
            edtItemId_ = new QLineEdit(this);
            edtItemId_->setObjectName("edtItemId");
            edtItemId_->setReadOnly(true);
            form->addRow(tr("Item ID:"), edtItemId_);
        }
    }
    // The first field is the name or key the item is known by.
    NameEdit = lines_.empty() ? nullptr : lines_.front();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (!Hint().isEmpty()) {
        auto* hint = new QLabel(Hint(), this);
        hint->setObjectName("lblHint");
        hint->setWordWrap(true);
        layout->addWidget(hint);
    }
    const bool growing = std::any_of(fields_.begin(), fields_.end(), [](const TRecordField& f) { return f.MultiLine; });
    if (!growing)
        layout->addStretch();
}

QString TFrameDefinitionRecord::Text(std::size_t field) const
{
    return lines_[field] ? lines_[field]->text() : texts_[field]->toPlainText();
}

void TFrameDefinitionRecord::SetText(std::size_t field, const QString& text)
{
    if (lines_[field])
        lines_[field]->setText(text);
    else if (texts_[field]->toPlainText() != text)
        texts_[field]->setPlainText(text);
}

void TFrameDefinitionRecord::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    std::vector<TDefinitionRecordModel::TField> members;
    for (const TRecordField& field : fields_)
        members.push_back(field.Member);
    model_ = std::make_unique<TDefinitionRecordModel>(SiteModelContextOf(*this), members, RequiredClasses());
    model_->Load();
    for (std::size_t i = 0; i < fields_.size(); ++i)
        SetText(i, Q(model_->Values()[i]));
    if (edtItemId_)
        edtItemId_->setText(QString::number(GetContext()->GetTreeItemId()));
    setEnabled(model_->HasObjects());
    TrackChanges = true;
}

void TFrameDefinitionRecord::Edited(std::size_t field)
{
    if (!TrackChanges || !model_)
        return;
    model_->SetValue(field, S(Text(field)));
    SetModified();
}

void TFrameDefinitionRecord::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !model_->IsModified())
        return;
    std::string newName;
    model_->Store(&newName);
    // Numbers show as they were stored.
    TrackChanges = false;
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].Member.Number)
            SetText(i, Q(model_->Values()[i]));
    TrackChanges = true;
    if (newName.empty())
        return;
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "NameChanged", newName);
        editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetItemId()));
    }
}

void TFrameDefinitionRecord::SetNameEditText(const std::string& name)
{
    if (lines_.empty() || !lines_.front())
        return;
    const bool tracking = TrackChanges;
    TrackChanges = false;
    lines_.front()->setText(Q(name));
    TrackChanges = tracking;
}

// ---- the records -------------------------------------------------------------------------

TFrameKeyValue::TFrameKeyValue(TFrameSite& site) : TFrameDefinitionRecord(site, "TFrameKeyValue") {}

std::vector<TFrameDefinitionRecord::TRecordField> TFrameKeyValue::Fields() const
{
    return {{"edtName", tr("&Name:"), {"CommonNames", "ItemName"}},
            {"edtFilter", tr("&Filter:"), {"CatalogKeyParams", "Filter"}},
            {"edtKey", tr("&Key:"), {"CatalogKeyParams", "Key"}},
            {"edtValue", tr("&Value:"), {"CatalogKeyParams", "Value"}}};
}

TFrameActionEditor::TFrameActionEditor(TFrameSite& site) : TFrameDefinitionRecord(site, "TFrameActionEditor") {}

std::vector<TFrameDefinitionRecord::TRecordField> TFrameActionEditor::Fields() const
{
    return {{"edtDescription", tr("&Description:"), {"CommonNames", "ItemName"}},
            {"edtActionId", tr("I&D:"), {"CatalogActions", "ActionId", true}},
            {"edtCommand", tr("&Command:"), {"CatalogActions", "Action"}}};
}

TFrameErrorMessage::TFrameErrorMessage(TFrameSite& site) : TFrameDefinitionRecord(site, "TFrameErrorMessage") {}

std::vector<TFrameDefinitionRecord::TRecordField> TFrameErrorMessage::Fields() const
{
    return {{"edtKey", tr("&Key:"), {"ErrorMessage", "PhraseKey", false, "CommonNames", "ItemName"}},
            {"memMessage", tr("&Message:"), {"ErrorMessage", "TranslatedPhrase"}, true}};
}

QString TFrameErrorMessage::Hint() const
{
    return tr("Use {n} for substitution arguments. n - is argument order number");
}

TFrameCatalogType::TFrameCatalogType(TFrameSite& site) : TFrameDefinitionRecord(site, "TFrameCatalogType") {}

std::vector<TFrameDefinitionRecord::TRecordField> TFrameCatalogType::Fields() const
{
    return {{"edtCatalogName", tr("&Name:"), {"CatalogDescription", "CatalogName", false, "CommonNames", "ItemName"}},
            {"edtCatalogDescription", tr("&Description:"), {"CatalogDescription", "CatalogDescription"}},
            {"edtOrderNum", tr("&Order Number:"), {"CatalogDescription", "OrderNum", true}},
            {"edtInitAction", tr("&Init Action:"), {"CatalogDescription", "InitAction", true}},
            {"edtCatalogType", tr("Catalog &Type:"), {"CatalogDescription", "CatalogType", true}}};
}
