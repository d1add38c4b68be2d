#pragma once
// TFrameCompanyContactModel: the company's "Contact" tab without widgets.
#include "editors/site/company/CompanyInfoModel.h"

class TFrameCompanyContactModel : public TCompanyInfoModel {
public:
    TFrameCompanyContactModel(const TSiteModelContext& context, int frameItemId, const std::string& editorName);
};
