#include "editors/site/company/FrameCompanyContact.h"

#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/company/FrameCompanyContactModel.h"

TFrameCompanyContact::TFrameCompanyContact(TFrameSite& site)
    : TCompanyFrameBase(site, "TFrameCompanyContact",
                        {{"CompanyContactName", "Contact Name"},
                         {"CompanyTechnicalContact", "Technical Contact"},
                         {"CompanyEmail", "Email"},
                         {"CompanyPhone", "Phone"},
                         {"CompanyFax", "Fax"}})
{
}

std::unique_ptr<TCompanyInfoModel> TFrameCompanyContact::CreateModel(const TSiteModelContext& context)
{
    return std::make_unique<TFrameCompanyContactModel>(context, FrameItemId(), GetUIEditor()->GetName());
}
