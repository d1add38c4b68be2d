#include "editors/media/definitions/FrameEditItemType.h"

#include "catalog/InternalPluginsManager.h"
#include "common/CommonGui.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/media/definitions/EditorEntryForm.h"
#include "gui/UiText.h"
#include "storage/AbstractPluginClass.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameEditItemType::TFrameEditItemType(TFrameSite& site)
{
    setObjectName("TFrameEditItemType");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameEditItemType::InitControls()
{
    cbPluginName_ = new QComboBox(this);
    cbPluginName_->setObjectName("cbPluginName");
    cbPluginName_->setEditable(true);
    QStringList names;
    for (const std::string& name : InternalPluginsManager().GetPluginNames(pkItemEditor))
        names << Q(name);
    names.removeDuplicates();
    names.sort(Qt::CaseInsensitive);
    cbPluginName_->addItems(names);
    auto edit = [this](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        return line;
    };
    edtEditorsType_ = edit("edtEditorsType");
    edtParams_ = edit("edtParams");
    edtCondition_ = edit("edtCondition");
    edtOrderNum_ = edit("edtOrderNum");

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const std::pair<QString, QWidget*> rows[] = {{tr("&Plugin Name:"), cbPluginName_},
                                                 {tr("Editor &Type:"), edtEditorsType_},
                                                 {tr("P&arameters:"), edtParams_},
                                                 {tr("&Condition:"), edtCondition_},
                                                 {tr("&Order Number:"), edtOrderNum_}};
    for (const auto& [caption, field] : rows) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();

    std::vector<std::string>* params = GetContext()->GetParams();
    const TEditorEntryForm values = TEditorEntryForm::FromParams(params ? *params : std::vector<std::string>{});
    cbPluginName_->setCurrentText(Q(values.PluginName));
    edtEditorsType_->setText(Q(values.EditorsType));
    edtParams_->setText(Q(values.Params));
    edtCondition_->setText(Q(values.Condition));
    edtOrderNum_->setText(Q(values.OrderNum));
    // The dialog's OK is enabled from the start.
    SetModified();
}

bool TFrameEditItemType::Save()
{
    const TEditorEntryForm values{S(cbPluginName_->currentText()), S(edtEditorsType_->text()), S(edtParams_->text()),
                                  S(edtCondition_->text()), S(edtOrderNum_->text())};
    const std::string refusal = values.Check();
    if (!refusal.empty()) {
        GetContext()->Services().Gui.ShowError(refusal);
        if (TTolvexUIEditor* editor = GetUIEditor())
            editor->SetInvalidControl(cbPluginName_);
        return false;
    }
    if (std::vector<std::string>* params = GetContext()->GetParams())
        values.ToParams(*params);
    return TTolvexFrameEditor::Save();
}
