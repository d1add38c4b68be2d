#include "editors/media/definitions/EditCodesForm.h"

#include "common/CommonFunctionsDetail.h"
#include "editors/framework/EditorParams.h"
#include "storage/MemberValueText.h"

TEditCodesForm TEditCodesForm::FromParams(const std::vector<std::string>& params)
{
    TEditCodesForm form;
    form.CodesType = ValueOfName(params, "CodesType");
    form.Id = ValueOfName(params, "Id");
    form.Level = ValueOfName(params, "Level");
    form.ParentId = ValueOfName(params, "ParentId");
    form.Name = ValueOfName(params, "Name");
    form.Leaf = ValueOfName(params, "Leaf") == "yes";
    return form;
}

bool TEditCodesForm::EditsCategories() const
{
    return CodesType == "ebay" || CodesType == "zarivuro";
}

std::string TEditCodesForm::Caption() const
{
    return CodesType == "zarivuro" ? "Zarivuro Codes" : "eBay Codes";
}

std::string TEditCodesForm::Check(const std::function<std::string(const std::string&)>& translate) const
{
    std::string message;
    if (TMemberValueText::ReadInteger(Id) == 0)
        message += translate("Enter valid category code");
    if (common_detail::Trim(Name).empty())
        message += translate("Enter name of the category");
    return message;
}

void TEditCodesForm::ToParams(std::vector<std::string>& params) const
{
    editor_params::SetValue(params, "Id", Id);
    editor_params::SetValue(params, "Level", Level);
    editor_params::SetValue(params, "ParentId", ParentId);
    editor_params::SetValue(params, "Name", Name);
    editor_params::SetValue(params, "Leaf", Leaf ? "yes" : "no");
}
