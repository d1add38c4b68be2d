#pragma once
// TPagePropertiesModel: what the properties tabs of a web page share,
// without widgets: the page's name and alternative file name in the content
// language, its visibility, its address once published, the checks before
// a save and the rename the tree learns of after it. The full and the simple
// properties tab derive from it.
//
// The visibility is a column of the item's row, not an object value: Store
// writes it through TSiteDatabaseWrites under one key, and it stays pending
// (stored again by each Store) until Saved says the save was committed.
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteModelContext.h"

#include <string>

class TAbstractCObject;

class TPagePropertiesModel {
public:
    // The control a refused save points at.
    enum TInvalid { ivNone, ivName, ivAltFileName };

    explicit TPagePropertiesModel(const TSiteModelContext& context)
        : context_(context), writes_(TSiteDatabaseWrites::Direct(context))
    {
    }
    virtual ~TPagePropertiesModel() = default;
    TPagePropertiesModel(const TPagePropertiesModel&) = delete;
    TPagePropertiesModel& operator=(const TPagePropertiesModel&) = delete;

    // The characters of alternative file names: letters, digits, "-" and "_".
    static std::string FilterFileName(const std::string& text);

    // The home page shows no "Visible Page" box.
    bool ShowsVisibleBox() const;
    // A new page takes the item manager's caption for new items as its name
    // in the catalog's default language.
    void InitNewItem(const std::string& newItemCaption);

    // Where the visibility is written (straight on the connection by default).
    void UseWrites(const TSiteDatabaseWrites& writes) { writes_ = writes; }

    virtual void Load();
    // Takes over the visibility the earlier model of the frame has not saved
    // yet: it is the item's, so a reload in another language keeps it.
    void KeepPendingVisibility(const TPagePropertiesModel& earlier);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    const std::string& AltFileName() const { return altFileName_; }
    virtual void SetAltFileName(const std::string& text);
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible);
    // The page's address once published; it names no address ("/") before.
    const std::string& PageUrl() const { return pageUrl_; }
    // The error clicking the address gives: "Not published page." when there is none.
    std::string PageUrlError() const;
    // The name typed so far into the names object at once, so that the
    // editor's caption shows it before the save (which writes it again).
    void ApplyNameToObjects();
    // A rename in the tree of the opened item.
    void NameChanged(int itemId, const std::string& name);

    // The checks of the save: the error to show, empty when the save may go on.
    std::string Validate(TInvalid* invalid = nullptr) const;
    bool IsModified() const { return modified_; }
    // Writes the values (when modified) and the visibility (when changed).
    // NameChanged receives the new name when the name was edited, for the
    // context's "NameChanged" and "NameChangedItemId".
    void Store(std::string* nameChanged = nullptr);
    // The save that wrote the last Store's visibility was committed.
    void Saved() { visibilityChanged_ = false; }

protected:
    // The page's objects are there (the tab shows and stores nothing without them).
    virtual bool HasObjects() const;
    virtual void LoadObjects() {}
    virtual void StoreObjects() {}
    TAbstractCObject* Object(const char* classTag) const;
    void MarkModified() { modified_ = true; }
    const TSiteModelContext& Context() const { return context_; }
    // Whether the alternative name is checked against the other items.
    bool altFileNameEdited_ = false;
    std::string altFileName_;

private:
    void RebuildPageUrl(const std::string& altName);

    TSiteModelContext context_;
    TSiteDatabaseWrites writes_;
    std::string name_;
    bool nameEdited_ = false;
    bool visible_ = true;
    bool visibilityChanged_ = false;
    std::string pageUrl_;
    bool modified_ = false;
};
