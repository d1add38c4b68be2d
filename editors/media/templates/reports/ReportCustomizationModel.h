#pragma once
// TReportCustomizationModel: what the "Customize Report" tab decides,
// without the browser. The tab shows a report form (a report template's
// creation or customization form) as its generated page; the report's data
// comes in through the editor's parameters ("created", "customized") and
// what the user submits goes back as "submitted".
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TReportCustomizationModel {
public:
    // Params: the editor's parameter list (may be null; not owned).
    TReportCustomizationModel(const TSiteModelContext& context, std::vector<std::string>* params);

    // Generates the form page into the preview cache and answers its
    // address: the form item's page, or the error page 13 when the form
    // could not be generated (whose OK then submits nothing).
    std::string Generate();
    bool Generated() const { return generated_; }
    // The browser may go only to the form page itself and to "about:blank".
    bool IsAllowedNavigation(const std::string& url) const;
    // Takes what a sending of the form carries: the posted text, or the
    // query of Url when nothing was posted. A non-empty text of a generated
    // form becomes "submitted" in the parameters; answers whether it did.
    bool Submit(const std::string& postedData, const std::string& url);
    // Whether something was submitted.
    bool HasSubmitted() const { return submitted_; }

    static constexpr int kErrorPageId = 13;

private:
    std::string PageUrl(int itemId) const;

    TSiteModelContext context_;
    std::vector<std::string>* params_;
    std::string formUrl_;
    bool generated_ = false;
    bool submitted_ = false;
};
