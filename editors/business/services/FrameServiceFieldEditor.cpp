#include "editors/business/services/FrameServiceFieldEditor.h"

#include "common/CaptionValue.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/NameValueLines.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

using UiText::Q;
using UiText::S;

TFrameServiceFieldEditor::TFrameServiceFieldEditor(TFrameSite& site)
{
    setObjectName("TFrameServiceFieldEditor");
    TQtFrameSite::PlaceInto(site, this);
}

const std::vector<std::string>& TFrameServiceFieldEditor::FieldTypes()
{
    static const std::vector<std::string> types = {"Text===text", "Multi-line text===memo", "Number===number",
                                                   "Date===date", "Yes/No===boolean", "E-mail===email"};
    return types;
}

void TFrameServiceFieldEditor::InitControls()
{
    edtFieldName_ = new QLineEdit(this);
    edtFieldName_->setObjectName("edtFieldName");
    edtFieldTag_ = new QLineEdit(this);
    edtFieldTag_->setObjectName("edtFieldTag");
    cbFieldType_ = new QComboBox(this);
    cbFieldType_->setObjectName("cbFieldType");
    for (const std::string& entry : FieldTypes())
        cbFieldType_->addItem(tr(CaptionValue::CaptionOf(entry).c_str()), Q(CaptionValue::ValueOf(entry)));
    edtDescription_ = new QPlainTextEdit(this);
    edtDescription_->setObjectName("edtDescription");
    edtDescription_->setTabChangesFocus(true);
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Field &Name:"), edtFieldName_);
    form->addRow(tr("Field &Tag:"), edtFieldTag_);
    form->addRow(tr("Field T&ype:"), cbFieldType_);
    form->addRow(tr("&Description:"), edtDescription_);
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        edtFieldName_->setText(Q(ValueOfName(*params, "FieldName")));
        edtFieldTag_->setText(Q(ValueOfName(*params, "FieldTag")));
        edtDescription_->setPlainText(Q(ValueOfName(*params, "Description")));
        const QString type = Q(ValueOfName(*params, "FieldType"));
        // A type stored before and not offered here is kept as it is.
        if (!type.isEmpty() && cbFieldType_->findData(type) < 0)
            cbFieldType_->addItem(type, type);
        cbFieldType_->setCurrentIndex(std::max(0, cbFieldType_->findData(type)));
    }
    SetModified();
}

bool TFrameServiceFieldEditor::Save()
{
    std::vector<std::string>* params = GetContext()->GetParams();
    if (!params)
        return true;
    editor_params::SetValue(*params, "reedit", "");
    editor_params::SetValue(*params, "FieldName", S(edtFieldName_->text()));
    editor_params::SetValue(*params, "FieldTag", S(edtFieldTag_->text()));
    editor_params::SetValue(*params, "FieldType", S(cbFieldType_->currentData().toString()));
    editor_params::SetValue(*params, "Description", S(edtDescription_->toPlainText()));
    const char* refusal = edtFieldName_->text().trimmed().isEmpty()  ? "Enter field name"
                          : edtFieldTag_->text().trimmed().isEmpty() ? "Enter field tag"
                                                                     : nullptr;
    if (!refusal)
        return true;
    ShowFrameError(GetContext()->Translate(refusal));
    editor_params::SetValue(*params, "reedit", "yes");
    return false;
}
