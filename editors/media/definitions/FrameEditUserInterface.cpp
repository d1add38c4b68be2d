#include "editors/media/definitions/FrameEditUserInterface.h"

#include "common/CaptionValue.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/definitions/UIElementForm.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

namespace {

// The edits show the values after the element type, in the order of the form's fields.
constexpr std::size_t kFirstEdited = 1;

}  // namespace

TFrameEditUserInterface::TFrameEditUserInterface(TFrameSite& site)
{
    setObjectName("TFrameEditUserInterface");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameEditUserInterface::InitControls()
{
    cbElementType_ = new QComboBox(this);
    cbElementType_->setObjectName("cbElementType");
    for (const std::string& entry : TUIElementForm::ElementTypes())
        cbElementType_->addItem(UiText::Tr(CaptionValue::CaptionOf(entry)), Q(CaptionValue::ValueOf(entry)));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto row = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(tr("&Element Type:"), cbElementType_);
    const std::pair<const char*, QString> fields[] = {
        {"edtActionId", tr("&Action ID:")},   {"edtCaption", tr("&Caption:")},    {"edtHint", tr("&Hint:")},
        {"edtLocation", tr("&Location:")},    {"edtImageCode", tr("&Image Code:")},
        {"edtCondition", tr("Con&dition:")},  {"edtGreyed", tr("&Greyed:")},      {"edtOrderNum", tr("&Order Num:")}};
    for (const auto& [name, caption] : fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        row(caption, edit);
        edits_.push_back(edit);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();

    std::vector<std::string>* params = GetContext()->GetParams();
    TUIElementForm values = TUIElementForm::FromParams(params ? *params : std::vector<std::string>{});
    // A type the list does not know stays as it is unless the user picks another.
    if (cbElementType_->findData(Q(values.ElementType)) < 0)
        cbElementType_->addItem(tr("Unknown (%1)").arg(Q(values.ElementType)), Q(values.ElementType));
    cbElementType_->setCurrentIndex(cbElementType_->findData(Q(values.ElementType)));
    for (std::size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->setText(Q(values.*TUIElementForm::Fields()[kFirstEdited + i].Value));
    // The dialog's OK is enabled from the start.
    SetModified();
}

bool TFrameEditUserInterface::Save()
{
    TUIElementForm values;
    values.ElementType = S(cbElementType_->currentData().toString());
    for (std::size_t i = 0; i < edits_.size(); ++i)
        values.*TUIElementForm::Fields()[kFirstEdited + i].Value = S(edits_[i]->text());
    if (std::vector<std::string>* params = GetContext()->GetParams())
        values.ToParams(*params);
    return TTolvexFrameEditor::Save();
}
