#pragma once
// The item manager of the company item ("CompanyItemManager", caption
// "Company Information") and of the home page ("HomeItemManager", "Home
// Page"): both check the company's data (item 2001, or the opened item
// when it is the company item): its name in the default language (error),
// its description and native names (information), and its country and
// e-mail (warning), city, contact name and logo (information).
#include "editors/framework/TolvexItemManager.h"

class TCompanyItemManager : public TTolvexItemManager {
public:
    TCompanyItemManager(std::string name, std::string params, std::string caption);

    std::string GetCaption(TTolvexControlClass& context) override;
    int ValidateItem(TTolvexControlClass& context, std::string& messages) override;

    static constexpr int kCompanyItemType = 2001;
    static constexpr int kCompanyItemId = 2001;

private:
    std::string caption_;
};
