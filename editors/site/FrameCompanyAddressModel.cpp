#include "editors/site/company/FrameCompanyAddressModel.h"

TFrameCompanyAddressModel::TFrameCompanyAddressModel(const TSiteModelContext& context, int frameItemId,
                                                     const std::string& editorName)
    : TCompanyInfoModel(context,
                        {"CompanyAddressLine1", "CompanyAddressLine2", "CompanyCountry", "CompanyAddressCity",
                         "CompanyAddressState", "CompanyAddressPostalCode", "CompanyAlternateURL"},
                        frameItemId, editorName)
{
}
