#pragma once
// TFrameOptionsEditorModel: the "Basic" tab of the catalog options without
// widgets: image sizes, the default web page, the shopping cart with its
// PayPal account, and the logged-in user's password. The values are catalog
// properties written by Store through TSiteDatabaseWrites, so that the
// options item's save keeps them and its cancel drops them.
//
// A changed password is written scrambled into the user's object at Store;
// the remembered login takes it only after the save (AfterSave), so a
// cancel leaves the login as it was.
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteModelContext.h"

#include <string>
#include <utility>
#include <vector>

class TFrameOptionsEditorModel {
public:
    enum TCart { ctNone, ctPayPal, ctPayPalBuyItNow, ctRequestForQuote, ctCustom, ctOther };
    struct TValues {
        std::string MainImageSize;       // 702
        std::string ThumbnailImageSize;  // 705
        std::string FullImageSize;       // 703
        std::string LogoImageSize;       // 704
        bool StoreOriginalSize = false;  // 732
        bool StoreDefaultSize = false;   // 703 above 0
        int DefaultPageId = 0;           // 708
        TCart Cart = ctNone;             // 731
        std::string OtherCartName;
        std::string PayPalAccount;       // 734
    };
    static constexpr int kMinPasswordLength = 5;

    // The tabs of the options editor for the mode and the user's role: tab names in order.
    static std::vector<std::string> TabNames(bool advancedMode, int userRole);
    // The options editor saves for administrators and power users only.
    static bool CanSave(int userRole) { return userRole == 0 || userRole == 1; }
    // The cart choices offered (caption and cart); outside the advanced mode
    // only none, PayPal and PayPal "Buy It Now" is hidden as well.
    static std::vector<std::pair<std::string, TCart>> CartChoices(bool advancedMode);

    // UserName: the remembered login user; UserRole: the logged-in user's role.
    TFrameOptionsEditorModel(const TSiteModelContext& context, const std::string& userName, int userRole);
    // Where the properties are read and written (straight on the connection by default).
    void UseWrites(const TSiteDatabaseWrites& writes) { writes_ = writes; }

    // "Change password for user \"$1\"" and whether the button is enabled (administrators only).
    std::string PasswordButtonCaption() const;
    bool CanChangePassword() const { return userRole_ == 0; }

    void Load();
    const TValues& Values() const { return values_; }
    // Applies the box rules: the two full-size boxes exclude each other.
    void SetValues(const TValues& values);
    bool IsFullSizeEnabled() const { return values_.StoreDefaultSize; }
    bool IsPayPalAccountEnabled() const { return values_.Cart == ctPayPal || values_.Cart == ctPayPalBuyItNow; }
    bool IsOtherCartNameEnabled() const { return values_.Cart == ctOther; }
    // The name shown for the default page (item 100001's when none is set),
    // in the content language.
    std::string DefaultPageName() const;
    // Another content language (an editing-language switch keeps the values).
    void SetLangCode(const std::string& langCode) { context_.LangCode = langCode; }
    // The page chosen in the "SelectPage" dialog; 0 changes nothing.
    void SelectDefaultPage(int pageId);

    // The error to show (empty when accepted); Information receives the
    // notice to show after an accepted change.
    std::string ChangePassword(const std::string& password, std::string& information);

    bool IsModified() const { return modified_; }
    void Store();
    // After the options item was saved: the remembered login takes the new
    // password, and the home page is looked up again.
    void AfterSave();

private:
    std::string Property(int propertyId) const;
    void SetProperty(int propertyId, const std::string& value);

    TSiteModelContext context_;
    TSiteDatabaseWrites writes_;
    std::string userName_;
    int userRole_;
    TValues values_;
    std::string newPassword_;  // held until the login takes it after the save
    bool passwordChanged_ = false;
    bool passwordStored_ = false;
    bool stored_ = false;
    bool modified_ = false;
};
