#pragma once
// The company record in one tab (frame plug-in "AllCompanyInfoEditor"):
// after a save, the home page's properties tab opens.
#include "editors/site/company/CompanyFrameBase.h"

class TFrameAllCompanyInfo : public TCompanyFrameBase {
public:
    explicit TFrameAllCompanyInfo(TFrameSite& site);
    bool Save() override;
protected:
    std::unique_ptr<TCompanyInfoModel> CreateModel(const TSiteModelContext& context) override;
};
