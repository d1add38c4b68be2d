#pragma once
// TFrameTolvexAboutModel: the information page without the browser: the
// page's address in the program folder, the "Continue" action, and the
// choice whether the catalog opens on its home page or on this page
// (property 709). The page has no Save bar, so the choice is written at once
// and kept: it belongs to the catalog, not to an item being edited.
#include "editors/site/SiteModelContext.h"

#include <string>

class TFrameTolvexAboutModel {
public:
    explicit TFrameTolvexAboutModel(const TSiteModelContext& context) : context_(context) {}

    // "file:///" + the program folder + "/about/tolvex.htm".
    static std::string PageUrl(const std::string& programFolder);
    // The action "Continue" queues.
    static std::string ContinueAction() { return "Action=SelectFirstItem"; }
    // The box starts unticked.
    bool GoHome() const { return goHome_; }
    // Ticked: the catalog opens on its home page (709 "no"); unticked: on this page (709 "yes").
    void SetGoHome(bool goHome);

private:
    TSiteModelContext context_;
    bool goHome_ = false;
};
