#include "editors/business/FrameMemberForm.h"

#include "catalog/CatalogData.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ui/QtEditorPanel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

using UiText::Q;
using UiText::S;

TNestedPanels::~TNestedPanels() = default;

TFrameMemberForm::TFrameMemberForm(TFrameSite& site, const char* objectName, std::vector<TMemberField> fields)
    : fields_(std::move(fields))
{
    setObjectName(objectName);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameMemberForm::~TFrameMemberForm() = default;

int TFrameMemberForm::CatalogType() const
{
    TCatalogData* data = GetContext() ? GetContext()->Data() : nullptr;
    return data ? data->GetCatalogType() : 0;
}

QWidget* TFrameMemberForm::MakeControl(const TMemberField& field)
{
    const QString caption = tr(field.Caption.c_str());
    QWidget* control = nullptr;
    auto changed = [this, name = field.Control] {
        if (!TrackChanges)
            return;
        if (const TMemberField* f = model_ ? model_->Field(name) : nullptr)
            ReadControl(*f);
        SetModified();
        FieldChanged(name);
    };
    switch (field.Kind) {
    case TMemberField::Text:
    case TMemberField::Integer:
    case TMemberField::Amount: {
        auto* edit = new QLineEdit(this);
        if (field.Kind == TMemberField::Integer)
            edit->setValidator(new QIntValidator(0, 999999999, edit));
        if (field.Kind != TMemberField::Text)
            edit->setMaximumWidth(160);
        connect(edit, &QLineEdit::textEdited, this, changed);
        control = edit;
        break;
    }
    case TMemberField::Memo: {
        auto* memo = new QPlainTextEdit(this);
        memo->setTabChangesFocus(true);
        memo->setMinimumHeight(memo->fontMetrics().lineSpacing() * 3 + 12);
        // A few lines; the lists of choices take the room that is left.
        memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 6 + 12);
        connect(memo, &QPlainTextEdit::textChanged, this, changed);
        control = memo;
        break;
    }
    case TMemberField::Boolean:
    case TMemberField::InvertedBoolean: {
        auto* box = new QCheckBox(caption, this);
        connect(box, &QCheckBox::clicked, this, changed);
        control = box;
        break;
    }
    case TMemberField::Choice:
    case TMemberField::NumberChoice: {
        auto* combo = new QComboBox(this);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->setMinimumWidth(160);
        connect(combo, &QComboBox::activated, this, changed);
        control = combo;
        break;
    }
    case TMemberField::MultiChoice: {
        auto* list = new QListWidget(this);
        list->setMinimumHeight(list->fontMetrics().lineSpacing() * 5);
        connect(list, &QListWidget::itemChanged, this, changed);
        control = list;
        break;
    }
    }
    control->setObjectName(Q(field.Control));
    return control;
}

void TFrameMemberForm::InitControls()
{
    Layout = new QVBoxLayout(this);
    Form = new QFormLayout;
    Form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    Layout->addLayout(Form);
    for (const TMemberField& field : fields_) {
        QWidget* control = MakeControl(field);
        controls_.push_back(control);
        if (field.Kind == TMemberField::Boolean || field.Kind == TMemberField::InvertedBoolean) {
            Form->addRow(QString(), control);
            continue;
        }
        auto* label = new QLabel(tr(field.Caption.c_str()), this);
        label->setBuddy(control);
        Form->addRow(label, control);
    }
    if (!NameField.empty())
        NameEdit = Control(NameField);
    const bool grows = std::any_of(fields_.begin(), fields_.end(), [](const TMemberField& field) {
        return field.Kind == TMemberField::MultiChoice;
    });
    if (!grows)
        Layout->addStretch();
}

QWidget* TFrameMemberForm::Control(const std::string& control) const
{
    for (std::size_t i = 0; i < fields_.size() && i < controls_.size(); ++i)
        if (fields_[i].Control == control)
            return controls_[i];
    return nullptr;
}

void TFrameMemberForm::NestEditors(QWidget& page, int editorKind)
{
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    Panels.push_back(std::make_unique<TQtEditorPanel>(page));
    TTolvexControlClass& context = *GetContext();
    const int item = context.GetTreeItemId();
    CreateNestedEditor(*Panels.back()).OpenItem(item, item, context.GetItemType(), context.GetParams(), editorKind);
}

void TFrameMemberForm::NestEditor(QWidget& page, const std::string& editorName, const std::string& editorParams)
{
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    Panels.push_back(std::make_unique<TQtEditorPanel>(page));
    TTolvexControlClass& context = *GetContext();
    const int item = context.GetTreeItemId();
    CreateNestedEditor(*Panels.back())
        .OpenItemWithEditor(item, item, context.GetItemType(), editorName, "", context.GetParams(), editorParams);
}

QWidget& TFrameMemberForm::PageBelowFields(const char* objectName)
{
    auto* page = new QWidget(this);
    page->setObjectName(objectName);
    if (QLayoutItem* last = Layout->itemAt(Layout->count() - 1); last && last->spacerItem())
        delete Layout->takeAt(Layout->count() - 1);
    Layout->addWidget(page, 1);
    return *page;
}

void TFrameMemberForm::HideField(const std::string& control)
{
    if (QWidget* widget = Control(control))
        Form->setRowVisible(widget, false);
}

void TFrameMemberForm::SetFieldEnabled(const std::string& control, bool enabled)
{
    if (QWidget* widget = Control(control)) {
        widget->setEnabled(enabled);
        if (QWidget* label = Form->labelForField(widget))
            label->setEnabled(enabled);
    }
}

void TFrameMemberForm::FillChoices()
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const TMemberField& field = fields_[i];
        if (auto* combo = qobject_cast<QComboBox*>(controls_[i])) {
            combo->clear();
            for (const TMemberField::TChoice& choice : model_->Choices(field))
                combo->addItem(Q(choice.Caption), Q(choice.Code));
        } else if (auto* list = qobject_cast<QListWidget*>(controls_[i])) {
            list->clear();
            for (const TMemberField::TChoice& choice : model_->Choices(field)) {
                auto* row = new QListWidgetItem(Q(choice.Caption), list);
                row->setData(Qt::UserRole, Q(choice.Code));
                row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
                row->setCheckState(Qt::Unchecked);
            }
        }
    }
}

void TFrameMemberForm::ShowValues()
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const std::string& name = fields_[i].Control;
        const QString value = Q(model_->Value(name));
        QWidget* control = controls_[i];
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(value);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
            memo->setPlainText(value);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            box->setChecked(value == "1");
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            // A stored code the list does not have is shown as itself and kept.
            if (!value.isEmpty() && combo->findData(value) < 0)
                combo->addItem(value, value);
            combo->setCurrentIndex(combo->findData(value));
        } else if (auto* list = qobject_cast<QListWidget*>(control)) {
            const std::vector<std::string>& codes = model_->Codes(name);
            for (int row = 0; row < list->count(); ++row) {
                const std::string code = S(list->item(row)->data(Qt::UserRole).toString());
                const bool ticked = std::find(codes.begin(), codes.end(), code) != codes.end();
                list->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
            }
        }
        control->setEnabled(model_->HasObject(name));
    }
}

void TFrameMemberForm::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TMemberFormModel>(SiteModelContextOf(*this), fields_);
    if (const int item = EditedItemId())
        model_->SetItemId(item);
    model_->Load();
    FillChoices();
    ShowValues();
    AfterLoad();
    TrackChanges = true;
}

void TFrameMemberForm::ReadControl(const TMemberField& field)
{
    QWidget* control = Control(field.Control);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        model_->SetValue(field.Control, S(edit->text()));
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        model_->SetValue(field.Control, S(memo->toPlainText()));
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        model_->SetValue(field.Control, box->isChecked() ? "1" : "0");
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        model_->SetValue(field.Control, S(combo->currentData().toString()));
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        std::vector<std::string> codes;
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->checkState() == Qt::Checked)
                codes.push_back(S(list->item(row)->data(Qt::UserRole).toString()));
        model_->SetCodes(field.Control, std::move(codes));
    }
}

void TFrameMemberForm::SetFieldText(const std::string& control, const std::string& value)
{
    QWidget* widget = Control(control);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(Q(value));
    if (model_)
        model_->SetValue(control, value);
}

void TFrameMemberForm::SetNameEditText(const std::string& name)
{
    if (!NameField.empty())
        SetFieldText(NameField, name);
}

void TFrameMemberForm::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    model_->Store();
    if (!NameField.empty() && model_->Changed(NameField))
        if (std::vector<std::string>* params = GetContext()->GetParams()) {
            editor_params::SetValue(*params, "NameChanged", model_->Value(NameField));
            editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetTreeItemId()));
        }
    AfterStore();
}
