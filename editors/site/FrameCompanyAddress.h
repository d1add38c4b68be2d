#pragma once
// The "Address" tab of the company editors.
#include "editors/site/company/CompanyFrameBase.h"

class TFrameCompanyAddress : public TCompanyFrameBase {
public:
    explicit TFrameCompanyAddress(TFrameSite& site);

protected:
    std::unique_ptr<TCompanyInfoModel> CreateModel(const TSiteModelContext& context) override;
};
