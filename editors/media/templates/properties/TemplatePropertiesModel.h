#pragma once
// What the property tabs of template items hold, without widgets: the name
// and version of every template item; a master template's colour and font
// style sheets and background picture; a body template's paging and custom
// extension flags. Load reads them from the item's objects, Store writes
// them back; an item that lacks one of its objects is neither loaded nor
// stored (the object of its own only master and body templates have).
//
// The background picture may come from the open catalog (its item id as the
// value), from the style catalog of the catalog type ("s" and the id) or from
// the shared style catalog "t#0" ("a" and the id). One from a style catalog
// is copied into the open catalog when the item is saved.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TAbstractCObject;

class TTemplatePropertiesModel {
public:
    // An entry of a choice list: what it shows and the value it stands for.
    struct TChoice {
        std::string Caption;
        std::string Value;
        bool operator==(const TChoice&) const = default;
    };
    // Where a background value points.
    struct TBackground {
        std::string CatalogCode;
        int Id = 0;
        bool FromStyles = false;  // the picture lives in a style catalog
    };
    static constexpr const char* kSharedStyleCatalog = "t#0";

    // Master: the item is a master template (its colour, font and
    // background are read and written).
    TTemplatePropertiesModel(const TSiteModelContext& context, bool master);

    // ---- choice lists --------------------------------------------------------------------------
    // "(none)" with "0", then the "name=id" lines of the templates of a
    // folder (as the templates service lists them) as name and id.
    static std::vector<TChoice> SchemeChoices(const std::vector<std::string>& nameIdLines, const std::string& none);
    // The background pictures of one catalog: its image items marked as a
    // background, each captioned with its item's name in Lang or "XXX".
    static std::vector<TChoice> BackgroundImages(TAbstractDBConnection& connection, const std::string& catalogCode,
                                                 const std::string& lang, const std::string& prefix);
    // "(none)", then the open catalog's pictures, then those of the style
    // catalogs whose caption is not offered yet; sorted by caption.
    static std::vector<TChoice> BackgroundChoices(std::vector<TChoice> open, const std::vector<TChoice>& styles,
                                                  const std::vector<TChoice>& shared, const std::string& none);
    // What a background value points at; StyleCatalogCode is the catalog
    // type's style catalog.
    static TBackground ParseBackground(const std::string& value, const std::string& openCatalogCode,
                                       const std::string& styleCatalogCode);

    // ---- values --------------------------------------------------------------------------------
    // False (nothing read) when one of the item's objects is missing.
    bool Load();
    bool Loaded() const { return loaded_; }

    std::string Name;
    // The stored version; empty when there is none.
    std::string Version;
    // Master templates: the chosen values as the lists hold them.
    std::string ColorScheme = "0";
    std::string FontScheme = "0";
    std::string Background = "0";
    // Body templates.
    bool HasPaging = false;
    std::string ItemsOnPage = "0";
    bool NeedCustomTemplate = false;

    bool NameChanged() const { return Name != loadedName_; }
    // Writes the values into the objects (the version only when
    // VersionEditable). Answers the background to copy into the open
    // catalog before the save ends (FromStyles), else an empty one.
    TBackground Store(bool versionEditable, const std::string& styleCatalogCode);
    // The background stored by the last Store, as the open catalog's own
    // picture: once copied it is chosen from the open catalog's list.
    void TakeStoredBackground();

private:
    TAbstractCObject* Object(const char* classXmlTag) const;
    bool NeedsOwnObject() const;
    TAbstractCObject* OwnObject() const;

    TSiteModelContext context_;
    bool master_;
    bool loaded_ = false;
    std::string loadedName_;
    int storedBackground_ = 0;
};
