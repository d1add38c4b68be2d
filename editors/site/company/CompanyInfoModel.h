#pragma once
// TCompanyInfoModel: the part that the company frames share, without
// widgets. It reads and writes members of the "CommonCompanyInfo" object of
// the company item 2001 (or of the item the frame parameters name) as texts
// in the content language. For a member catalog of a catalog of catalogs
// (item type 5002) it reads the member's own company record, kept in the same
// database under the catalog code "c#" and the member's code, and never
// writes it.
//
// Each company frame's model derives from it and names its members.
#include "editors/site/SiteModelContext.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class TAbstractCObject;

class TCompanyInfoModel {
public:
    // Caption and code of a reference list entry.
    struct TChoice {
        std::string Caption;
        std::string Code;
    };

    // FrameItemId: the item whose company object the frame edits (the
    // frame parameters' "itemid"; 2001 by default). EditorName: the owning
    // UI editor's name ("VendorInfo" shows the record read-only).
    TCompanyInfoModel(const TSiteModelContext& context, std::vector<std::string> members, int frameItemId,
                      const std::string& editorName);
    virtual ~TCompanyInfoModel();
    TCompanyInfoModel(const TCompanyInfoModel&) = delete;
    TCompanyInfoModel& operator=(const TCompanyInfoModel&) = delete;

    // The company editors save for administrators and power users only.
    static bool CanSave(int userRole) { return userRole == 0 || userRole == 1; }
    // Every country: name as caption, code as code.
    static std::vector<TChoice> Countries();
    // Reference lines "Code=Name" as choices of caption Name and code Code.
    static std::vector<TChoice> CodeNameChoices(const std::vector<std::string>& lines);

    bool IsReadOnly() const { return readOnly_; }
    // Whether the record is a member catalog's (shown, never stored).
    bool IsMemberCatalog() const { return memberCatalog_; }
    // The catalog code the record is read under ("c#" and the member's code,
    // or empty for the open catalog).
    const std::string& RecordCatalogCode() const { return recordCode_; }
    bool HasObject() const { return hasObject_; }

    virtual void Load();

    // City and state lists: a hotel catalog (type 5) chooses the city from
    // a list (its caption is stored as the city, its code as the hotel's
    // city code of item 2001); a catalog of type 8 chooses the state's code.
    bool UsesCityList() const;
    bool UsesStateList() const;
    static std::vector<TChoice> CityChoices();
    static std::vector<TChoice> StateChoices();
    const std::string& CityCode() const { return cityCode_; }
    // Chooses a city of the list: its caption becomes the city, its code the city code.
    void SetCityCode(const std::string& code);

    std::string Value(const std::string& member) const;
    void SetValue(const std::string& member, const std::string& text);
    bool IsModified() const { return modified_; }
    // Writes the members when modified, the object exists, the record is the
    // open catalog's and a content language is set.
    virtual void Store();

protected:
    // Runs Action with the company object (null when there is none): the
    // context's object, or a stand-alone one of the member catalog.
    template <typename TAction>
    void WithObject(TAction action);
    TAbstractCObject* AcquireObject();
    void ReleaseObject();
    void MarkModified() { modified_ = true; }
    const TSiteModelContext& Context() const { return context_; }
    int FrameItemId() const { return frameItemId_; }
    std::map<std::string, std::string>& Values() { return values_; }

private:
    TSiteModelContext context_;
    std::vector<std::string> members_;
    int frameItemId_;
    bool readOnly_;
    bool memberCatalog_;
    std::string recordCode_;
    bool hasObject_ = false;
    std::map<std::string, std::string> values_;
    std::unique_ptr<TAbstractCObject> standAlone_;
    std::string cityCode_;
    bool modified_ = false;
};

template <typename TAction>
void TCompanyInfoModel::WithObject(TAction action)
{
    TAbstractCObject* object = AcquireObject();
    try {
        action(object);
    } catch (...) {
        ReleaseObject();
        throw;
    }
    ReleaseObject();
}
