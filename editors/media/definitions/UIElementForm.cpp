#include "editors/media/definitions/UIElementForm.h"

#include "editors/framework/EditorParams.h"

namespace {

constexpr const char* kNames[] = {"ElementType", "ActionId", "Caption", "Hint", "Location",
                                  "ImageCode", "Condition", "Greyed", "OrderNum"};

std::vector<std::string*> Members(TUIElementForm& form)
{
    return {&form.ElementType, &form.ActionId, &form.Caption, &form.Hint, &form.Location,
            &form.ImageCode, &form.Condition, &form.Greyed, &form.OrderNum};
}

}  // namespace

const std::vector<std::string>& TUIElementForm::ElementTypes()
{
    static const std::vector<std::string> types = {"Menu Item===1", "Toolbar Button===2", "Select Tree===3",
                                                   "Search Item===4"};
    return types;
}

TUIElementForm TUIElementForm::FromParams(const std::vector<std::string>& params)
{
    TUIElementForm form;
    const std::vector<std::string*> members = Members(form);
    for (std::size_t i = 0; i < members.size(); ++i)
        *members[i] = ValueOfName(params, kNames[i]);
    if (form.ElementType.empty())
        form.ElementType = "1";
    return form;
}

void TUIElementForm::ToParams(std::vector<std::string>& params) const
{
    TUIElementForm copy = *this;
    const std::vector<std::string*> members = Members(copy);
    for (std::size_t i = 0; i < members.size(); ++i)
        editor_params::SetValue(params, kNames[i], *members[i]);
}
