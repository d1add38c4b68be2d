#include "editors/site/company/FrameCompanyAddress.h"

#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/company/FrameCompanyAddressModel.h"

TFrameCompanyAddress::TFrameCompanyAddress(TFrameSite& site)
    : TCompanyFrameBase(site, "TFrameCompanyAddress",
                        {{"CompanyAddressLine1", "Address Line 1"},
                         {"CompanyAddressLine2", "Address Line 2"},
                         {"CompanyCountry", "Country", fkCountry},
                         {"CompanyAddressCity", "City", fkCity},
                         {"CompanyAddressState", "State/Province", fkState},
                         {"CompanyAddressPostalCode", "Postal Code"},
                         {"CompanyAlternateURL", "Alternate Web Address"}})
{
}

std::unique_ptr<TCompanyInfoModel> TFrameCompanyAddress::CreateModel(const TSiteModelContext& context)
{
    return std::make_unique<TFrameCompanyAddressModel>(context, FrameItemId(), GetUIEditor()->GetName());
}
