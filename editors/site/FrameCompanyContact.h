#pragma once
// The "Contact" tab of the company editors.
#include "editors/site/company/CompanyFrameBase.h"

class TFrameCompanyContact : public TCompanyFrameBase {
public:
    explicit TFrameCompanyContact(TFrameSite& site);

protected:
    std::unique_ptr<TCompanyInfoModel> CreateModel(const TSiteModelContext& context) override;
};
