#include "editors/media/definitions/UIElementForm.h"

#include "editors/framework/EditorParams.h"

const std::vector<TUIElementForm::TField>& TUIElementForm::Fields()
{
    static const std::vector<TField> fields = {
        {"ElementType", &TUIElementForm::ElementType, true}, {"ActionId", &TUIElementForm::ActionId, true},
        {"Caption", &TUIElementForm::Caption, false},         {"Hint", &TUIElementForm::Hint, false},
        {"Location", &TUIElementForm::Location, false},       {"ImageCode", &TUIElementForm::ImageCode, false},
        {"Condition", &TUIElementForm::Condition, false},     {"Greyed", &TUIElementForm::Greyed, false},
        {"OrderNum", &TUIElementForm::OrderNum, true}};
    return fields;
}

const std::vector<std::string>& TUIElementForm::ElementTypes()
{
    static const std::vector<std::string> types = {"Menu Item===1", "Toolbar Button===2", "Select Tree===3",
                                                   "Search Item===4"};
    return types;
}

TUIElementForm TUIElementForm::FromParams(const std::vector<std::string>& params)
{
    TUIElementForm form;
    for (const TField& field : Fields())
        form.*field.Value = ValueOfName(params, field.Name);
    if (form.ElementType.empty())
        form.ElementType = "1";
    return form;
}

void TUIElementForm::ToParams(std::vector<std::string>& params) const
{
    for (const TField& field : Fields())
        editor_params::SetValue(params, field.Name, this->*field.Value);
}
