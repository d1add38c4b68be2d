#include "editors/media/definitions/EditorEntryForm.h"

#include "common/CommonFunctionsDetail.h"
#include "editors/framework/EditorParams.h"

const std::vector<TEditorEntryForm::TField>& TEditorEntryForm::Fields()
{
    static const std::vector<TField> fields = {{"PluginName", &TEditorEntryForm::PluginName, false},
                                               {"EditorsType", &TEditorEntryForm::EditorsType, true},
                                               {"Params", &TEditorEntryForm::Params, false},
                                               {"Condition", &TEditorEntryForm::Condition, false},
                                               {"OrderNum", &TEditorEntryForm::OrderNum, true}};
    return fields;
}

TEditorEntryForm TEditorEntryForm::FromParams(const std::vector<std::string>& params)
{
    TEditorEntryForm form;
    for (const TField& field : Fields())
        form.*field.Value = ValueOfName(params, field.Name);
    return form;
}

std::string TEditorEntryForm::Check() const
{
    return common_detail::Trim(PluginName).empty() ? "Plugin name must be entered" : std::string();
}

void TEditorEntryForm::ToParams(std::vector<std::string>& params) const
{
    for (const TField& field : Fields())
        editor_params::SetValue(params, field.Name,
                                field.Value == &TEditorEntryForm::PluginName ? common_detail::Trim(PluginName)
                                                                             : this->*field.Value);
}
