#pragma once
// TFrameWebFormModel: what the web form editor decides, without the browser.
// The catalog definition describes the form under the editor's plug-in name:
// which template (a child of the item's chosen template item) draws the
// form, and which member keeps the submitted form data. The model finds the
// form template, generates its page into the preview cache, tells which
// navigations the browser may follow, and takes the submitted data into the
// item's objects.
#include "editors/site/SiteModelContext.h"

#include <string>

class TCatalogDefinition;

class TFrameWebFormModel {
public:
    // The generated form page: where the browser goes.
    struct TFormPage {
        bool Generated = false;
        std::string Url;  // empty when there is no form template
    };

    // EditorName: the UI editor's plug-in name, the key of its definition values.
    TFrameWebFormModel(const TSiteModelContext& context, const std::string& editorName);

    // The tab's caption: "TabCaption", or the translated "Edit".
    std::string TabCaption() const;
    static std::string TabCaption(const TCatalogDefinition& definition, const std::string& editorName);
    // The form template of the item; 0 when there is none (nothing is shown).
    int FormTemplateId() const;
    // The stored form data handed to the template (empty without the member).
    std::string StoredData() const;
    // Generates the form page into the preview cache: the page of the tree
    // item, or the error page 13 when the generation failed.
    TFormPage Generate();

    // The page reported a change (an edit, or a click on a choice).
    void NoteChange() { changed_ = true; }
    // Save submits the form only when the page changed.
    bool ShouldSubmit() const { return changed_; }
    // The browser may go only to the form page itself and to "about:blank".
    bool IsAllowedNavigation(const std::string& url) const;
    // Takes the submitted data (the posted text, or the query of Url when
    // nothing was posted) into the objects. NameChanged receives the new name
    // when the form renamed the item.
    void ApplySubmittedData(const std::string& postedData, const std::string& url,
                            std::string* nameChanged = nullptr);

private:
    std::string Setting(const char* key) const;
    std::string PageUrl(int itemId) const;

    TSiteModelContext context_;
    std::string editorName_;
    std::string formUrl_;
    bool changed_ = false;
};
