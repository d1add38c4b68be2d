#include "editors/site/company/FrameAllCompanyInfo.h"

#include "catalog/Tolvex.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/company/FrameAllCompanyInfoModel.h"

TFrameAllCompanyInfo::TFrameAllCompanyInfo(TFrameSite& site)
    : TCompanyFrameBase(site, "TFrameAllCompanyInfo",
                        {{"CompanyName", "Company Name"},
                         {"CompanyDescription", "Company Description", fkMemo},
                         {"CompanyAddressLine1", "Address Line"},
                         {"CompanyCountry", "Country", fkCountry},
                         {"CompanyAddressCity", "City", fkCity},
                         {"CompanyAddressState", "State/Province", fkState},
                         {"CompanyAddressPostalCode", "Postal Code"},
                         {"CompanyAlternateURL", "Alternate Web Address"},
                         {"CompanyContactName", "Contact Name"},
                         {"CompanyTechnicalContact", "Technical Contact"},
                         {"CompanyEmail", "Email (required)"},
                         {"CompanyPhone", "Phone"},
                         {"CompanyFax", "Fax"}})
{
}

std::unique_ptr<TCompanyInfoModel> TFrameAllCompanyInfo::CreateModel(const TSiteModelContext& context)
{
    return std::make_unique<TFrameAllCompanyInfoModel>(context, FrameItemId(), GetUIEditor()->GetName());
}

bool TFrameAllCompanyInfo::Save()
{
    const bool saved = TCompanyFrameBase::Save();
    if (RootObject)
        RootObject->QueueAction(TFrameAllCompanyInfoModel::AfterSaveAction(RootObject->GetHomePageId()), false);
    return saved;
}
