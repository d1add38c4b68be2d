#pragma once
// TFramePageMetaTagsModel: what the advanced "Meta Tags" tab of a web page
// decides, without widgets. The values are grouped ("Basic", "Document",
// "Languages", "Search Engine", "Effects", "Other"); each group either
// belongs to the page or, with "Use parent's properties", is left to the
// parent page (its values cleared). Values are held as the texts a frame
// shows: combos their code, check boxes "1" or "0", the effect times as
// their words or numbers.
#include "editors/site/SiteModelContext.h"

#include <array>
#include <map>
#include <string>
#include <vector>

class TAbstractCObject;

class TFramePageMetaTagsModel {
public:
    enum TGroup { mgBasic, mgDocument, mgLanguages, mgSearchEngine, mgEffects, mgOther, mgGroupCount };
    // The expiry choices of the "Other" group.
    enum TExpiry { exNone, exAbsolute, exRfc850 };
    struct TDateTime {
        int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
        bool operator==(const TDateTime&) const = default;
    };

    explicit TFramePageMetaTagsModel(const TSiteModelContext& context);

    // The members a group shows (without "NotUseParentProperties" and the expiry members).
    static const std::vector<std::string>& Members(TGroup group);
    // Whether a page under this parent offers "Use parent's properties": a
    // page under an ordinary page, not under a tree root or a system item.
    static bool ParentRuleApplies(int parentItemId);
    // Removes every value of a group object, so that the parent's values apply.
    static void ClearObject(TAbstractCObject& object);
    // Clears what the "Basic" group keeps: the keywords object entirely and
    // the title, description and own-values flag of the page object.
    static void ClearBasic(TAbstractCObject& webPage, TAbstractCObject& keywords);
    // "Sat, 01 Jan 2000 10:30:00 GMT" read as a date and time; false when it cannot be read.
    static bool ParseExpiry(const std::string& text, TDateTime& value);
    // The stored form "ddd, dd mmm yyyy hh:nn:ss GMT".
    static std::string FormatExpiry(const TDateTime& value);

    bool ShowsParentBoxes() const { return ParentRuleApplies(context_.ParentItemId); }
    void Load();

    bool UsesParent(TGroup group) const { return useParent_[group]; }
    // Ticking is possible only where the parent boxes show.
    void SetUseParent(TGroup group, bool useParent);
    bool IsEditable(TGroup group) const { return !useParent_[group]; }

    std::string Value(TGroup group, const std::string& member) const;
    // Sets a value and applies the rules between the controls: choosing a
    // language, charset or dialect empties its "Other" text and typing an
    // "Other" text drops the choice; "Window target" drops the charset.
    void SetValue(TGroup group, const std::string& member, const std::string& text);
    // The charset choice is open only while "Window target" is off.
    bool IsCharsetEnabled() const;

    TExpiry Expiry() const { return expiry_; }
    void SetExpiry(TExpiry expiry);
    const TDateTime& ExpiryDate() const { return expiryDate_; }
    // The date shown before a load (the picker's): a stored date that cannot
    // be read leaves it; not a change of the page.
    void StartExpiryAt(const TDateTime& value) { expiryDate_ = value; }
    void SetExpiryDate(const TDateTime& value);
    const std::string& ExpiryText() const { return expiryText_; }
    void SetExpiryText(const std::string& text);

    bool IsModified() const { return modified_; }
    // Writes every group into the page's objects (only when modified).
    void Store();

private:
    TAbstractCObject* Object(const char* classTag) const;
    std::vector<TAbstractCObject*> GroupObjects(TGroup group) const;
    TAbstractCObject* MemberObject(TGroup group, const std::string& member) const;
    void LoadGroup(TGroup group);
    void StoreGroup(TGroup group);
    void StoreExpiry(TAbstractCObject& other);

    TSiteModelContext context_;
    std::array<bool, mgGroupCount> useParent_{};
    std::array<std::map<std::string, std::string>, mgGroupCount> values_;
    TExpiry expiry_ = exNone;
    TDateTime expiryDate_;
    std::string expiryText_;
    bool modified_ = false;
};
