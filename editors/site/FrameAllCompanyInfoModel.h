#pragma once
// TFrameAllCompanyInfoModel: the company record in one tab, without
// widgets. An empty country loads as "US" and an empty company name as the
// catalog's code, and the model then counts as modified, so that the first
// save keeps these defaults. After a save the home page's properties tab
// opens (AfterSaveAction).
#include "editors/site/company/CompanyInfoModel.h"

class TFrameAllCompanyInfoModel : public TCompanyInfoModel {
public:
    TFrameAllCompanyInfoModel(const TSiteModelContext& context, int frameItemId, const std::string& editorName);

    void Load() override;
    // The action to queue after a successful save.
    static std::string AfterSaveAction(int homePageId);
};
