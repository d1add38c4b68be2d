#include "editors/site/company/FrameCompanyContactModel.h"

TFrameCompanyContactModel::TFrameCompanyContactModel(const TSiteModelContext& context, int frameItemId,
                                                     const std::string& editorName)
    : TCompanyInfoModel(context,
                        {"CompanyContactName", "CompanyTechnicalContact", "CompanyEmail", "CompanyPhone",
                         "CompanyFax"},
                        frameItemId, editorName)
{
}
