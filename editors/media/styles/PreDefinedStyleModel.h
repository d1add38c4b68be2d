#pragma once
// TPreDefinedStyleModel: what the predefined style frame decides, without
// widgets. A style item of a style catalog names its master template,
// colour and font style sheets and background image, the catalog items and
// images loaded with it ("IncludeStyles"), those of them that become
// defaults ("DefaultStyles"), and the sheets and backgrounds it offers.
// The model lists the style catalog's candidates for each, marked from the
// item's "PreDefinedStyle" object, and keeps the user's choices until Store.
//
// Store writes only what the user changed: a combo left alone keeps its
// stored id (also one the combo does not list), and a list is rewritten only
// when one of its rows changed, and then only for the rows that changed, so
// that ids the lists cannot show stay where they are. Each list holds an id
// once.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TAbstractCObject;

class TPreDefinedStyleModel {
public:
    // The five check-box lists of the frame.
    enum class TList { Items, Images, Colors, Fonts, Backgrounds };
    // The four combo boxes of "Style Values".
    enum class TCombo { Master, Color, Font, Background };

    struct TRow {
        int ItemId = 0;
        std::string TypeCaption;  // "Load Items" only: the item type's description
        std::string Name;
        bool Checked = false;
        bool IsDefault = false;  // "Load Items" only
    };
    struct TChoice {
        std::string Caption;
        int Value = 0;
    };

    explicit TPreDefinedStyleModel(const TSiteModelContext& context);

    // Reads the lists and the style's values afresh; nothing is modified after it.
    void Load();
    // Whether the item has (or can have) the style object; without it only
    // the images, items and master templates are listed and nothing is stored.
    bool HasStyle() const { return hasStyle_; }

    const std::vector<TRow>& Rows(TList list) const { return lists_[Index(list)]; }
    void SetChecked(TList list, int row, bool checked);
    // "Set Default": the "Load Items" row's mark turns on or off.
    void ToggleDefault(int row);

    // The choices of a combo; a stored id that is none of them is added as a
    // choice of its own (named after its item, else its id), so that it shows.
    const std::vector<TChoice>& Choices(TCombo combo) const { return choices_[Index(combo)]; }
    // The chosen value's position among the choices; -1 for none.
    int SelectedIndex(TCombo combo) const;
    int Selected(TCombo combo) const { return selected_[Index(combo)]; }
    void Select(TCombo combo, int value);

    bool IsModified() const;
    // Writes the changed members into the style object; the model then
    // counts as loaded with the new values.
    void Store();

    static constexpr int kImageType = 301;
    static constexpr int kMasterTemplateType = 501;
    static constexpr int kColorCssType = 504;
    static constexpr int kFontCssType = 505;
    static constexpr int kTemplateImageType = 507;

private:
    static std::size_t Index(TList list) { return static_cast<std::size_t>(list); }
    static std::size_t Index(TCombo combo) { return static_cast<std::size_t>(combo); }

    TAbstractCObject* StyleObject() const;
    std::vector<std::string> Values(const char* member) const;
    std::vector<TRow> ItemRows(const std::vector<std::string>& included, const std::vector<std::string>& defaults);
    std::vector<TRow> RowsOf(const std::vector<int>& ids, const std::vector<std::string>& checked);
    std::vector<int> ItemIdsOfType(int itemType) const;
    std::vector<int> BackgroundIds() const;
    std::string NameOf(int itemId) const;
    void FillCombo(TCombo combo, const std::vector<int>& ids, bool withNone, int stored);
    // Rewrites Member when a row of the lists changed what it should hold.
    void StoreList(TAbstractCObject& style, const char* member, const std::vector<TList>& lists,
                   bool (*wanted)(const TRow&));

    TSiteModelContext context_;
    bool hasStyle_ = false;
    std::vector<TRow> lists_[5];
    std::vector<TRow> loadedLists_[5];
    std::vector<TChoice> choices_[4];
    int selected_[4] = {0, 0, 0, 0};
    int loadedSelected_[4] = {0, 0, 0, 0};
};
