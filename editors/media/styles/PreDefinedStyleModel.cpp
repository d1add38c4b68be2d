#include "editors/media/styles/PreDefinedStyleModel.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogQueries.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctionsDetail.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <algorithm>
#include <map>

namespace {

constexpr const char* kStyleClass = "PreDefinedStyle";
// The image class's background flag (any value but 0 marks a background).
constexpr int kImageClassId = 5;
constexpr int kBackgroundFlagMember = 7;

constexpr const char* kComboMembers[] = {"MasterTemplateItemId", "ColorCssItemId", "FontCssItemId",
                                         "BackgroundImage"};

bool Contains(const std::vector<std::string>& values, int id)
{
    const std::string text = std::to_string(id);
    return std::find(values.begin(), values.end(), text) != values.end();
}

bool LessText(const std::string& a, const std::string& b)
{
    return common_detail::LowerCase(a) < common_detail::LowerCase(b);
}

bool IsChecked(const TPreDefinedStyleModel::TRow& row) { return row.Checked; }
bool IsCheckedDefault(const TPreDefinedStyleModel::TRow& row) { return row.Checked && row.IsDefault; }

}  // namespace

TPreDefinedStyleModel::TPreDefinedStyleModel(const TSiteModelContext& context) : context_(context) {}

TAbstractCObject* TPreDefinedStyleModel::StyleObject() const
{
    return context_.Objects.GetObject(context_.ItemId, kStyleClass);
}

std::vector<std::string> TPreDefinedStyleModel::Values(const char* member) const
{
    std::vector<std::string> values;
    if (TAbstractCObject* style = StyleObject())
        style->GetLangValues(member, context_.LangCode, nullptr, values);
    return values;
}

void TPreDefinedStyleModel::Load()
{
    for (auto& list : lists_)
        list.clear();
    for (auto& choices : choices_)
        choices.clear();
    std::fill(std::begin(selected_), std::end(selected_), 0);

    TAbstractCObject* style = StyleObject();
    hasStyle_ = style != nullptr;
    const std::vector<std::string> included = Values("IncludeStyles");
    const std::vector<std::string> defaults = Values("DefaultStyles");
    const auto stored = [&](TCombo combo) {
        return style ? style->GetLangInteger(kComboMembers[Index(combo)], context_.LangCode, 0) : 0;
    };

    lists_[Index(TList::Images)] = RowsOf(ItemIdsOfType(kImageType), included);
    FillCombo(TCombo::Master, ItemIdsOfType(kMasterTemplateType), false, stored(TCombo::Master));
    lists_[Index(TList::Items)] = ItemRows(included, defaults);
    if (hasStyle_) {
        const std::vector<int> colors = ItemIdsOfType(kColorCssType);
        const std::vector<int> fonts = ItemIdsOfType(kFontCssType);
        const std::vector<int> backgrounds = BackgroundIds();
        lists_[Index(TList::Colors)] = RowsOf(colors, Values("ColorStyles"));
        lists_[Index(TList::Fonts)] = RowsOf(fonts, Values("FontStyles"));
        lists_[Index(TList::Backgrounds)] = RowsOf(backgrounds, Values("Backgrounds"));
        FillCombo(TCombo::Color, colors, true, stored(TCombo::Color));
        FillCombo(TCombo::Font, fonts, true, stored(TCombo::Font));
        FillCombo(TCombo::Background, backgrounds, true, stored(TCombo::Background));
    }
    std::copy(std::begin(lists_), std::end(lists_), std::begin(loadedLists_));
    std::copy(std::begin(selected_), std::end(selected_), std::begin(loadedSelected_));
}

std::vector<int> TPreDefinedStyleModel::ItemIdsOfType(int itemType) const
{
    std::vector<std::string> texts;
    context_.Data.GetQueries().GetItemIdsOfType(itemType, texts, false, context_.Connection, context_.CatalogCode);
    std::vector<int> ids;
    for (const std::string& text : texts)
        ids.push_back(TMemberValueText::ReadInteger(text));
    return ids;
}

std::vector<int> TPreDefinedStyleModel::BackgroundIds() const
{
    TQueryGuard query(context_.Connection);
    query->SetSQL("SELECT DISTINCT ItemId FROM CNumbers WHERE CatalogCode = :CatalogCode AND ClassId = " +
                  std::to_string(kImageClassId) + " AND MemberId = " + std::to_string(kBackgroundFlagMember) +
                  " AND NumberValue <> 0 ORDER BY ItemId");
    query->SetParam("CatalogCode", context_.CatalogCode);
    std::vector<int> ids;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        ids.push_back(FieldInteger(rows, "ItemId"));
    return ids;
}

std::string TPreDefinedStyleModel::NameOf(int itemId) const
{
    return context_.Data.GetItemName(itemId, context_.Connection, context_.LangCode);
}

std::vector<TPreDefinedStyleModel::TRow> TPreDefinedStyleModel::RowsOf(const std::vector<int>& ids,
                                                                       const std::vector<std::string>& checked)
{
    std::vector<std::string> names;
    context_.Data.GetQueries().GetItemNames(ids, names, context_.Connection, context_.LangCode);
    std::map<int, std::string> byId;
    for (const std::string& line : names) {
        const std::size_t equals = line.find('=');
        byId[TMemberValueText::ReadInteger(line.substr(0, equals))] = line.substr(equals + 1);
    }
    std::vector<TRow> rows;
    for (int id : ids) {
        TRow row;
        row.ItemId = id;
        row.Name = byId.count(id) ? byId[id] : std::string();
        row.Checked = Contains(checked, id);
        rows.push_back(row);
    }
    return rows;
}

std::vector<TPreDefinedStyleModel::TRow> TPreDefinedStyleModel::ItemRows(const std::vector<std::string>& included,
                                                                         const std::vector<std::string>& defaults)
{
    TQueryGuard query(context_.Connection);
    query->SetSQL("SELECT ItemId, ItemType FROM Items WHERE CatalogCode = :CatalogCode AND ItemType <> " +
                  std::to_string(kImageType) + " AND ItemType <> " + std::to_string(kTemplateImageType) +
                  " AND ItemId > 100 ORDER BY ItemType, ItemId");
    query->SetParam("CatalogCode", context_.CatalogCode);
    std::vector<int> ids;
    std::vector<int> types;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        ids.push_back(FieldInteger(rows, "ItemId"));
        types.push_back(FieldInteger(rows, "ItemType"));
    }
    query.Release();

    std::vector<TRow> rows = RowsOf(ids, included);
    std::map<int, std::string> descriptions;
    TGlobalDefinition& global = RootObject->GlobalDefinition();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto [entry, added] = descriptions.try_emplace(types[i]);
        if (added)
            entry->second = global.GetItemTypeDescription(types[i]);
        rows[i].TypeCaption = entry->second;
        rows[i].IsDefault = Contains(defaults, rows[i].ItemId);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TRow& a, const TRow& b) {
        if (!common_detail::SameText(a.TypeCaption, b.TypeCaption))
            return LessText(a.TypeCaption, b.TypeCaption);
        return LessText(a.Name, b.Name);
    });
    return rows;
}

void TPreDefinedStyleModel::FillCombo(TCombo combo, const std::vector<int>& ids, bool withNone, int stored)
{
    std::vector<TChoice>& choices = choices_[Index(combo)];
    if (withNone)
        choices.push_back({"(none)", 0});
    for (const TRow& row : RowsOf(ids, {}))
        choices.push_back({row.Name.empty() ? std::to_string(row.ItemId) : row.Name, row.ItemId});
    if (stored != 0 && std::none_of(choices.begin(), choices.end(),
                                    [stored](const TChoice& choice) { return choice.Value == stored; })) {
        const std::string name = NameOf(stored);
        choices.push_back({name.empty() ? std::to_string(stored) : name, stored});
    }
    selected_[Index(combo)] = stored;
}

int TPreDefinedStyleModel::SelectedIndex(TCombo combo) const
{
    const std::vector<TChoice>& choices = Choices(combo);
    const int value = Selected(combo);
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].Value == value)
            return static_cast<int>(i);
    return -1;
}

void TPreDefinedStyleModel::Select(TCombo combo, int value)
{
    selected_[Index(combo)] = value;
}

void TPreDefinedStyleModel::SetChecked(TList list, int row, bool checked)
{
    std::vector<TRow>& rows = lists_[Index(list)];
    if (row >= 0 && row < static_cast<int>(rows.size()))
        rows[row].Checked = checked;
}

void TPreDefinedStyleModel::ToggleDefault(int row)
{
    std::vector<TRow>& rows = lists_[Index(TList::Items)];
    if (row >= 0 && row < static_cast<int>(rows.size()))
        rows[row].IsDefault = !rows[row].IsDefault;
}

bool TPreDefinedStyleModel::IsModified() const
{
    for (std::size_t i = 0; i < std::size(lists_); ++i)
        for (std::size_t row = 0; row < lists_[i].size(); ++row)
            if (lists_[i][row].Checked != loadedLists_[i][row].Checked ||
                lists_[i][row].IsDefault != loadedLists_[i][row].IsDefault)
                return true;
    return !std::equal(std::begin(selected_), std::end(selected_), std::begin(loadedSelected_));
}

void TPreDefinedStyleModel::StoreList(TAbstractCObject& style, const char* member, const std::vector<TList>& lists,
                                      bool (*wanted)(const TRow&))
{
    std::vector<std::string> added;
    std::vector<std::string> removed;
    for (TList list : lists) {
        const std::vector<TRow>& rows = lists_[Index(list)];
        const std::vector<TRow>& loaded = loadedLists_[Index(list)];
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (wanted(rows[i]) == wanted(loaded[i]))
                continue;
            (wanted(rows[i]) ? added : removed).push_back(std::to_string(rows[i].ItemId));
        }
    }
    if (added.empty() && removed.empty())
        return;
    // The stored order stays; rows turned on follow in list order, each id once.
    std::vector<std::string> values;
    for (const std::string& value : Values(member))
        if (std::find(removed.begin(), removed.end(), value) == removed.end() &&
            std::find(values.begin(), values.end(), value) == values.end())
            values.push_back(value);
    for (const std::string& value : added)
        if (std::find(values.begin(), values.end(), value) == values.end())
            values.push_back(value);
    style.ClearMember(member, "");
    for (std::size_t i = 0; i < values.size(); ++i)
        style.SetLangString(member, context_.LangCode, values[i], static_cast<int>(i));
}

void TPreDefinedStyleModel::Store()
{
    TAbstractCObject* style = hasStyle_ ? StyleObject() : nullptr;
    if (!style || !IsModified())
        return;
    StoreList(*style, "ColorStyles", {TList::Colors}, IsChecked);
    StoreList(*style, "FontStyles", {TList::Fonts}, IsChecked);
    StoreList(*style, "Backgrounds", {TList::Backgrounds}, IsChecked);
    StoreList(*style, "IncludeStyles", {TList::Items, TList::Images}, IsChecked);
    StoreList(*style, "DefaultStyles", {TList::Items}, IsCheckedDefault);
    for (TCombo combo : {TCombo::Master, TCombo::Color, TCombo::Font, TCombo::Background})
        if (selected_[Index(combo)] != loadedSelected_[Index(combo)])
            style->SetLangNumber(kComboMembers[Index(combo)], context_.LangCode, selected_[Index(combo)], 0);
    std::copy(std::begin(lists_), std::end(lists_), std::begin(loadedLists_));
    std::copy(std::begin(selected_), std::end(selected_), std::begin(loadedSelected_));
}
