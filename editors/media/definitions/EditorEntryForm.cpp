#include "editors/media/definitions/EditorEntryForm.h"

#include "common/CommonFunctionsDetail.h"
#include "editors/framework/EditorParams.h"

TEditorEntryForm TEditorEntryForm::FromParams(const std::vector<std::string>& params)
{
    return {ValueOfName(params, "PluginName"), ValueOfName(params, "EditorsType"), ValueOfName(params, "Params"),
            ValueOfName(params, "Condition"), ValueOfName(params, "OrderNum")};
}

std::string TEditorEntryForm::Check() const
{
    return common_detail::Trim(PluginName).empty() ? "Plugin name must be entered" : std::string();
}

void TEditorEntryForm::ToParams(std::vector<std::string>& params) const
{
    editor_params::SetValue(params, "PluginName", common_detail::Trim(PluginName));
    editor_params::SetValue(params, "EditorsType", EditorsType);
    editor_params::SetValue(params, "Params", Params);
    editor_params::SetValue(params, "Condition", Condition);
    editor_params::SetValue(params, "OrderNum", OrderNum);
}
