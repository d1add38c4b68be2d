#pragma once
// TFrameSimplePageMetaTagsModel: what the simple "Meta Tags" tab decides,
// without widgets: keywords, description and refresh of a page, with one
// "Use parent's properties" choice for all of them. Leaving the values to
// the parent clears them, and also the referral and expiry values that only
// the advanced tab shows.
#include "editors/site/SiteModelContext.h"

#include <string>

class TAbstractCObject;

class TFrameSimplePageMetaTagsModel {
public:
    // The values shown, as texts ("UseParentKeywords": "0" include the
    // parent's keywords, "1" do not).
    struct TValues {
        std::string MetaKeywords;
        std::string UseParentKeywords = "0";
        std::string MetaDescription;
        std::string Refresh;
        std::string RefreshURL;
    };

    explicit TFrameSimplePageMetaTagsModel(const TSiteModelContext& context) : context_(context) {}

    bool ShowsParentBox() const;
    void Load();
    bool UsesParent() const { return useParent_; }
    void SetUseParent(bool useParent);
    const TValues& Values() const { return values_; }
    void SetValues(const TValues& values);
    bool IsModified() const { return modified_; }
    void Store();

private:
    bool Objects(TAbstractCObject*& webPage, TAbstractCObject*& keywords, TAbstractCObject*& other) const;

    TSiteModelContext context_;
    TValues values_;
    bool useParent_ = false;
    bool modified_ = false;
};
