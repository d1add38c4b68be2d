#include "generation/ui/StyleChoices.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "catalog/Tolvex.h"
#include "common/Exceptions.h"
#include "generation/PreviewResolver.h"
#include "generation/Transformer.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <cstdlib>
#include <memory>

namespace {

constexpr int kStyleClass = 510;
constexpr int kCommentClass = 16;
constexpr int kPreviewClass = 516;
constexpr int kCatalogInfoClass = 601;
// The catalog property with the style-preview catalog's home page, and its default.
constexpr int kHomePageProperty = 708;
constexpr int kStylePreviewHomePage = 100001;
constexpr int kBodyTemplateKind = 1;

int ToInt(const std::string& text)
{
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

// A caption as a tab shows it: each "&" doubled, so that none marks a shortcut.
std::string TabText(const std::string& caption)
{
    std::string doubled;
    for (char c : caption) {
        doubled += c;
        if (c == '&')
            doubled += '&';
    }
    return doubled;
}

}  // namespace

TStyleChoices::TStyleChoices(TTolvex& root, TAbstractDBConnection& definition) : root_(root), definition_(definition)
{
    const std::string type = std::to_string(Data().GetCatalogType());
    styleCode_ = "t#" + type;
    previewCode_ = "p#" + type;
}

TCatalogData& TStyleChoices::Data()
{
    TCatalogData* data = root_.GetCatalogData();
    if (!data)
        throw EDeveloperTolvexException("Style choices without an open catalog");
    return *data;
}

std::string TStyleChoices::NameOf(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    std::vector<std::string> names;
    Data().GetQueries().GetItemNamesInLanguage({itemId}, names, connection, kNoLanguageCode, catalogCode);
    if (names.empty())
        return {};
    const std::string& entry = names.front();
    const std::size_t equals = entry.find('=');
    return equals == std::string::npos ? std::string() : entry.substr(equals + 1);
}

std::vector<TStyleChoices::TNode> TStyleChoices::ReadTree()
{
    struct TReader {
        TStyleChoices& self;
        std::vector<TNode> Children(int parentId, int depth)
        {
            std::vector<TNode> nodes;
            if (depth > 16)
                return nodes;
            std::vector<std::string> ids;
            self.root_.Catalog().GetChildItemIds(parentId, ids, self.styleCode_, self.definition_, true);
            for (const std::string& id : ids) {
                TNode node;
                node.ItemId = ToInt(id);
                if (node.ItemId == 0)
                    continue;
                node.Name = self.NameOf(node.ItemId, self.styleCode_, self.definition_);
                node.Children = Children(node.ItemId, depth + 1);
                nodes.push_back(std::move(node));
            }
            return nodes;
        }
    };
    return TReader{*this}.Children(kStylesRoot, 0);
}

std::optional<TStyleChoices::TStyle> TStyleChoices::ReadStyle(int itemId)
{
    TTolvexObjectFactory& factory = root_.Catalog().GetObjectFactory();
    std::unique_ptr<TTolvexObject> object = factory.GetObjectTyped(itemId, kStyleClass, definition_, styleCode_);
    if (!object)
        return std::nullopt;
    object->Load();
    TStyle style;
    style.ItemId = itemId;
    style.MasterTemplateItemId = object->GetInteger("MasterTemplateItemId", 0);
    style.ColorCssItemId = object->GetInteger("ColorCssItemId", 0);
    style.FontCssItemId = object->GetInteger("FontCssItemId", 0);
    style.BackgroundImage = object->GetInteger("BackgroundImage", 0);
    const auto ids = [&](const char* member) {
        std::vector<std::string> values;
        object->GetLangValues(member, kNoLanguageCode, nullptr, values);
        std::vector<int> result;
        for (const std::string& value : values)
            if (const int id = ToInt(value))
                result.push_back(id);
        return result;
    };
    style.ColorStyles = ids("ColorStyles");
    style.FontStyles = ids("FontStyles");
    style.Backgrounds = ids("Backgrounds");
    object->GetLangValues("DefaultStyles", kNoLanguageCode, nullptr, style.DefaultStyles);
    object->GetLangValues("IncludeStyles", kNoLanguageCode, nullptr, style.IncludeStyles);
    if (std::unique_ptr<TTolvexObject> comment =
            factory.GetObjectTyped(itemId, kCommentClass, definition_, styleCode_)) {
        comment->Load();
        style.ShortComment = comment->GetString("ShortComment", 0);
    }
    return style;
}

int TStyleChoices::FindBestStyle(const std::vector<int>& ids, int masterTemplateId, const TChosen& current)
{
    int best = 0;
    int bestScore = -1;
    for (int id : ids) {
        const std::optional<TStyle> style = ReadStyle(id);
        if (!style || style->MasterTemplateItemId != masterTemplateId)
            continue;
        int score = style->ColorCssItemId == current.Color ? 75 : 50;
        if (style->FontCssItemId == current.Font)
            score += 10;
        if (style->BackgroundImage == current.Background)
            score += 5;
        if (score > bestScore) {
            best = id;
            bestScore = score;
        }
    }
    if (bestScore < 0)
        return ids.empty() ? 0 : ids.front();
    return best;
}

TStyleChoices::TChoiceList TStyleChoices::Choices(const TStyle& style, TKind kind, int wanted)
{
    const std::vector<int>* ids = &style.ColorStyles;
    int own = style.ColorCssItemId;
    if (kind == TKind::Font) {
        ids = &style.FontStyles;
        own = style.FontCssItemId;
    } else if (kind == TKind::Background) {
        ids = &style.Backgrounds;
        own = style.BackgroundImage;
    }
    if (wanted == 0)
        wanted = own;

    TChoiceList list;
    std::vector<std::string> names;
    Data().GetQueries().GetItemNamesInLanguage(*ids, names, definition_, kNoLanguageCode, styleCode_);
    for (std::size_t i = 0; i < ids->size() && i < names.size(); ++i) {
        const std::size_t equals = names[i].find('=');
        const std::string name = equals == std::string::npos ? std::string() : names[i].substr(equals + 1);
        if (!name.empty())
            list.Entries.emplace_back((*ids)[i], name);
    }
    const auto indexOf = [&](int id) {
        for (std::size_t i = 0; i < list.Entries.size(); ++i)
            if (list.Entries[i].first == id)
                return static_cast<int>(i);
        return -1;
    };
    list.Selected = indexOf(wanted);
    if (list.Selected < 0)
        list.Selected = indexOf(own);
    if (kind == TKind::Background) {
        list.Entries.insert(list.Entries.begin(), {0, "(none)"});
        list.Selected = list.Selected < 0 ? 0 : list.Selected + 1;
    }
    return list;
}

std::vector<TStyleChoices::TPreviewTab> TStyleChoices::ReadPreviewTabs()
{
    std::vector<TPreviewTab> tabs;
    std::vector<std::string> items;
    Data().GetQueries().GetItemIdsOfType(kPreviewItemType, items, false, definition_, styleCode_);
    TCatalog& catalog = root_.Catalog();
    TAbstractDBConnection& own = Data().GetConnectionFactory().GetConnection();
    const std::string ownCode = Data().GetCatalogCode();
    for (const std::string& text : items) {
        const int itemId = ToInt(text);
        std::unique_ptr<TTolvexObject> preview =
            catalog.GetObjectFactory().GetObjectTyped(itemId, kPreviewClass, definition_, styleCode_);
        if (!preview)
            continue;
        preview->Load();
        const int pageId = preview->GetInteger("PreviewItemId", 0);
        const int pageType = preview->GetInteger("PreviewItemType", 0);
        const bool hasPage = (pageId != 0 && (catalog.ItemExists(pageId, ownCode, own) ||
                                              catalog.ItemExists(pageId, previewCode_, definition_))) ||
                             (pageType != 0 &&
                              (catalog.FindOtherItemOfType(pageType, root_.GetHomePageId(), ownCode, own) != 0 ||
                               catalog.FindFirstItemOfType(pageType, previewCode_, definition_) != 0));
        if (!hasPage)
            continue;
        std::string caption = NameOf(itemId, styleCode_, definition_);
        if (caption.empty())
            continue;
        tabs.push_back({itemId, TabText(caption), 0});
    }
    if (tabs.empty()) {
        const int home = root_.GetHomePageId();
        if (home > 0 && catalog.ItemExists(home, ownCode, own)) {
            const std::string caption = Data().GetItemName(home, own, Data().GetDefaultLangCode());
            tabs.push_back({0, TabText(caption.empty() ? "Home" : caption), home});
        }
    }
    return tabs;
}

std::optional<TStyleChoices::TPage> TStyleChoices::FindOwnPage(int pageId, int pageType)
{
    TAbstractDBConnection& own = Data().GetConnectionFactory().GetConnection();
    const std::string code = Data().GetCatalogCode();
    TCatalog& catalog = root_.Catalog();
    if (pageId != 0 && catalog.ItemExists(pageId, code, own))
        return TPage{pageId, Data().GetQueries().GetItemType(pageId, code, own), false};
    if (pageType != 0)
        if (const int other = catalog.FindOtherItemOfType(pageType, root_.GetHomePageId(), code, own))
            return TPage{other, pageType, false};
    return std::nullopt;
}

std::optional<TStyleChoices::TPage> TStyleChoices::FindStylePreviewPage(int pageId, int pageType)
{
    TCatalog& catalog = root_.Catalog();
    if (pageId != 0 && catalog.ItemExists(pageId, previewCode_, definition_))
        return TPage{pageId, Data().GetQueries().GetItemType(pageId, previewCode_, definition_), true};
    if (pageType != 0) {
        int home = ToInt(TCatalog::GetCatalogProperty(kHomePageProperty, definition_, previewCode_));
        if (home == 0)
            home = kStylePreviewHomePage;
        if (const int other = catalog.FindOtherItemOfType(pageType, home, previewCode_, definition_))
            return TPage{other, pageType, true};
    }
    return std::nullopt;
}

int TStyleChoices::BodyTemplateOf(const TStyle& style, int pageType)
{
    const int templateItem = root_.Catalog().GetDefinition().GetItemTypeTemplateId(pageType, kBodyTemplateKind);
    if (templateItem == 0)
        return 0;
    for (const std::vector<std::string>* list : {&style.DefaultStyles, &style.IncludeStyles})
        for (const std::string& text : *list) {
            const int id = ToInt(text);
            if (id != 0 && root_.Catalog().GetParentItemId(id, styleCode_, definition_) == templateItem)
                return id;
        }
    return 0;
}

std::string TStyleChoices::StylePreviewLanguage()
{
    std::unique_ptr<TTolvexObject> info = root_.Catalog().GetObjectFactory().GetObjectTyped(
        kCatalogInfoClass, kCatalogInfoClass, definition_, previewCode_);
    if (info) {
        info->Load();
        const std::string lang = info->GetStringById(2, kNoLanguageCode, 0);
        if (!lang.empty())
            return lang;
    }
    return Data().GetDefaultLangCode();
}

std::string TStyleChoices::GeneratePreview(const TStyle& style, const TChosen& chosen, const TPreviewTab& tab, int mode)
{
    if (tab.ItemId != 0)
        return GeneratePreview(style, chosen, tab.ItemId, mode);
    Data().SetStylePreview(false);
    std::optional<TPage> page = FindOwnPage(tab.PageId, 0);
    if (!page || style.MasterTemplateItemId == 0)
        return {};
    return GeneratePage(style, chosen, *page);
}

std::string TStyleChoices::GeneratePreview(const TStyle& style, const TChosen& chosen, int previewItemId, int mode)
{
    Data().SetStylePreview(false);
    std::unique_ptr<TTolvexObject> preview =
        root_.Catalog().GetObjectFactory().GetObjectTyped(previewItemId, kPreviewClass, definition_, styleCode_);
    if (!preview)
        return {};
    preview->Load();
    const int pageId = preview->GetInteger("PreviewItemId", 0);
    const int pageType = preview->GetInteger("PreviewItemType", 0);
    std::optional<TPage> page = mode == 0 ? FindStylePreviewPage(pageId, pageType) : FindOwnPage(pageId, pageType);
    if (!page)
        page = mode == 0 ? FindOwnPage(pageId, pageType) : FindStylePreviewPage(pageId, pageType);
    if (!page || style.MasterTemplateItemId == 0)
        return {};
    return GeneratePage(style, chosen, *page);
}

std::string TStyleChoices::GeneratePage(const TStyle& style, const TChosen& chosen, const TPage& page)
{
    TCatalogData& data = Data();

    const int color = chosen.Color != 0 ? chosen.Color : style.ColorCssItemId;
    const int font = chosen.Font != 0 ? chosen.Font : style.FontCssItemId;
    const int background = chosen.Background != 0 ? chosen.Background : style.BackgroundImage;
    const int body = BodyTemplateOf(style, page.ItemType);

    std::string code = data.GetCatalogCode();
    TAbstractDBConnection* connection = &data.GetConnectionFactory().GetConnection();
    std::string lang = data.GetDefaultLangCode();
    if (page.InStylePreviewCatalog) {
        code = previewCode_;
        connection = &definition_;
        lang = StylePreviewLanguage();
        // The page's images and sheets come from the definition database.
        data.SetStylePreview(true);
    }

    TObjectCollection collection(root_.ObjectContext());
    collection.Open(code, *connection);
    TTransformer transformer(data.GetPageGeneration(), code, nullptr);
    transformer.SetPageNumber(0);
    transformer.SetTemplates(style.MasterTemplateItemId, body, color, font, background);
    transformer.SetTemplateSource(styleCode_, definition_);
    const bool generated =
        transformer.GeneratePage(page.ItemId, page.ItemId, page.ItemType, lang, collection, *connection, "");
    const std::string result = generated || transformer.TransformFailed() ? transformer.GetResultHtml()
                                                                           : transformer.GetErrorText();
    data.GetTransformCache().PutTransformResult(TPreviewResolver::kStylePreviewPageId, 0, result, lang);

    return std::string(TTolvex::kStylePreviewHost) + "/preview/" + lang +
           "/stylepreview.jsp?action=show&masterid=" + std::to_string(style.MasterTemplateItemId) +
           "&bodyid=0&colorid=" + std::to_string(color) + "&fontid=" + std::to_string(font) +
           "&background=" + std::to_string(background);
}

void TStyleChoices::CollectSelection(const TStyle& style, int color, int font, int background,
                                     std::vector<std::string>& itemIds, std::vector<std::string>& defaultTemplateIds,
                                     std::vector<std::string>& params)
{
    itemIds.clear();
    defaultTemplateIds.clear();
    params.clear();
    params.push_back("color=" + std::to_string(color >= 0 ? color : style.ColorCssItemId));
    params.push_back("font=" + std::to_string(font >= 0 ? font : style.FontCssItemId));
    params.push_back("background=" + std::to_string(background >= 0 ? background : style.BackgroundImage));
    TCatalogQueries& queries = Data().GetQueries();
    queries.ReadStringMemberList(itemIds, style.ItemId, kStyleClass, 1, styleCode_, kNoLanguageCode, definition_);
    for (int id : {font, color, background})
        if (id >= 0)
            itemIds.push_back(std::to_string(id));
    queries.ReadStringMemberList(defaultTemplateIds, style.ItemId, kStyleClass, 2, styleCode_, kNoLanguageCode,
                                 definition_);
}
