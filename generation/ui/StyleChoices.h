#pragma once
// What the style dialog shows and decides, without widgets: the style tree
// of the catalog type's style catalog, a style's object, the style that
// matches the catalog's current settings best, the colour, font and
// background choices a style offers with the one to select, the preview
// tabs, the preview page (generated into the page cache as the
// style-preview page) and the selection that the style manager copies.
#include <optional>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalogData;
class TTolvex;

class TStyleChoices {
public:
    // A node of the style tree: an item below the styles root.
    struct TNode {
        int ItemId = 0;
        std::string Name;
        std::vector<TNode> Children;
    };
    // A style's object (class 510) and its description.
    struct TStyle {
        int ItemId = 0;
        int MasterTemplateItemId = 0;
        int ColorCssItemId = 0;
        int FontCssItemId = 0;
        int BackgroundImage = 0;
        std::vector<int> ColorStyles, FontStyles, Backgrounds;
        std::vector<std::string> DefaultStyles, IncludeStyles;
        std::string ShortComment;
    };
    enum class TKind { Color, Font, Background };
    // One list: its entries (item id, name) and the entry to select (-1 none).
    struct TChoiceList {
        std::vector<std::pair<int, std::string>> Entries;
        int Selected = -1;
    };
    // A preview tab: the preview item (type 516) and its caption; or, when
    // the style catalog has no preview item with a page to show, the open
    // catalog's own page PageId (ItemId 0).
    struct TPreviewTab {
        int ItemId = 0;
        std::string Caption;
        int PageId = 0;
    };
    // The three chosen ids (0: nothing chosen in that list).
    struct TChosen {
        int Color = 0;
        int Font = 0;
        int Background = 0;
    };

    static constexpr int kStylesRoot = 510;
    static constexpr int kPreviewItemType = 516;

    // The open catalog's data of the root object, and the connection of the
    // catalog type's definition database; both must outlive this object.
    TStyleChoices(TTolvex& root, TAbstractDBConnection& definition);

    const std::string& StyleCatalogCode() const { return styleCode_; }

    // The items below the styles root (link copies left out), names in "XXX".
    std::vector<TNode> ReadTree();
    // Nothing for an item without a style object.
    std::optional<TStyle> ReadStyle(int itemId);
    // Scores the styles of Ids (in tree order) whose master template is
    // MasterTemplateId: 75 for the colour (else 50), 10 for the font, 5 for
    // the background; the first with the highest score, else the first id (0 for none).
    int FindBestStyle(const std::vector<int>& ids, int masterTemplateId, const TChosen& current);
    // The entries of one list for the style, Wanted (0: the style's
    // default) selected, else the style's default; the background list
    // starts with "(none)" (id 0), selected when nothing else is.
    TChoiceList Choices(const TStyle& style, TKind kind, int wanted);

    // The style catalog's preview items that have a page to show; without
    // any, one tab for the open catalog's home page (named as the page), so
    // that a style can always be previewed.
    std::vector<TPreviewTab> ReadPreviewTabs();
    // Generates the preview of the style with the chosen ids for the
    // preview item into the page cache (item -4) and switches the
    // style-preview mode as the page's catalog needs; the address to show,
    // empty when there is no page to show. Mode 0 looks in the style-preview
    // catalog first, mode 1 in the open catalog.
    std::string GeneratePreview(const TStyle& style, const TChosen& chosen, int previewItemId, int mode);
    // The same for a tab (an own page of the catalog's when it has no preview item).
    std::string GeneratePreview(const TStyle& style, const TChosen& chosen, const TPreviewTab& tab, int mode);

    // The style manager's lists for the style and the chosen ids (-1: the
    // list has no selection).
    void CollectSelection(const TStyle& style, int color, int font, int background, std::vector<std::string>& itemIds,
                          std::vector<std::string>& defaultTemplateIds, std::vector<std::string>& params);

private:
    struct TPage {
        int ItemId = 0;
        int ItemType = 0;
        bool InStylePreviewCatalog = false;
    };
    TCatalogData& Data();
    std::string NameOf(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    std::optional<TPage> FindOwnPage(int pageId, int pageType);
    std::optional<TPage> FindStylePreviewPage(int pageId, int pageType);
    int BodyTemplateOf(const TStyle& style, int pageType);
    std::string StylePreviewLanguage();
    // Generates the page with the style into the page cache; the address to show.
    std::string GeneratePage(const TStyle& style, const TChosen& chosen, const TPage& page);

    TTolvex& root_;
    TAbstractDBConnection& definition_;
    std::string styleCode_;
    std::string previewCode_;
};
