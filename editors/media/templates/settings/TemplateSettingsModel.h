#pragma once
// What the "Settings" tab of a template decides, without the browser. A
// template may have a settings page: a child item of type 517, an XSL
// template of its own that draws an HTML form. The model finds it,
// generates its page (once: the form keeps what the user typed), tells which
// navigations the browser may make (its own loads only), and takes the
// form's fields into the template's settings: one object of class 518 per
// setting, "SettingsName" and "SettingsValue" in "XXX". The fields arrive
// as the browser encodes a form (UTF-8, "+" for a blank) and are stored as
// UTF-8 text; a field named "submit" is the form's button, not a setting,
// unless a setting of that name is stored already.
#include "editors/site/SiteModelContext.h"

#include <string>

class TTemplateSettingsModel {
public:
    static constexpr int kSettingsPageType = 517;
    static constexpr int kSettingsClassId = 518;
    static constexpr int kErrorPageId = 13;

    explicit TTemplateSettingsModel(const TSiteModelContext& context);

    // The template's first settings page in their order; 0 when it has none.
    int SettingsItemId() const { return settingsItemId_; }

    struct TFormPage {
        bool Generated = false;
        std::string Url;  // empty without a settings page
    };
    // Generates the settings page into the preview cache (the error page 13
    // when it fails) and answers where the browser goes.
    TFormPage Generate();
    bool IsAllowedNavigation(const std::string& url) const;

    // Takes the fields of a form ("name=value&...", as URLSearchParams or a
    // GET submission writes them) into the settings objects. A field whose
    // encoding is broken keeps its text as it came.
    void ApplySubmittedData(const std::string& formData);

private:
    TSiteModelContext context_;
    int settingsItemId_ = 0;
    std::string pageUrl_;
};
