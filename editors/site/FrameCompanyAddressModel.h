#pragma once
// TFrameCompanyAddressModel: the company's "Address" tab without widgets.
#include "editors/site/company/CompanyInfoModel.h"

class TFrameCompanyAddressModel : public TCompanyInfoModel {
public:
    TFrameCompanyAddressModel(const TSiteModelContext& context, int frameItemId, const std::string& editorName);
};
