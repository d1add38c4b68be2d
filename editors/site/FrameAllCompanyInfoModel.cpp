#include "editors/site/company/FrameAllCompanyInfoModel.h"

TFrameAllCompanyInfoModel::TFrameAllCompanyInfoModel(const TSiteModelContext& context, int frameItemId,
                                                     const std::string& editorName)
    : TCompanyInfoModel(context,
                        {"CompanyName", "CompanyDescription", "CompanyAddressLine1", "CompanyCountry",
                         "CompanyAddressCity", "CompanyAddressState", "CompanyAddressPostalCode",
                         "CompanyAlternateURL", "CompanyContactName", "CompanyTechnicalContact", "CompanyEmail",
                         "CompanyPhone", "CompanyFax"},
                        frameItemId, editorName)
{
}

void TFrameAllCompanyInfoModel::Load()
{
    TCompanyInfoModel::Load();
    if (!HasObject())
        return;
    if (Value("CompanyCountry").empty())
        SetValue("CompanyCountry", "US");
    if (Value("CompanyName").empty())
        SetValue("CompanyName", Context().CatalogCode);
}

std::string TFrameAllCompanyInfoModel::AfterSaveAction(int homePageId)
{
    return "Action=MainPageEditor&TabName=PagePropertiesEditor-properties&ItemId=" + std::to_string(homePageId);
}
