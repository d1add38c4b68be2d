#include "editors/business/options/OptionLibraryModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "editors/business/ItemNames.h"
#include "storage/QueryGuard.h"

#include <algorithm>
#include <cstdlib>

namespace {

// What refers to an item: children, link copies, member values.
constexpr std::uint8_t kUses = 1 | 2 | 4;

}  // namespace

TOptionLibraryModel::TOptionLibraryModel(const TSiteModelContext& context)
    : context_(context), writes_(TItemWrites::Direct(context))
{
}

std::string TOptionLibraryModel::Text(const std::string& text) const
{
    return TTranslation::OrEnglish(Translation).Format(text, {});
}

void TOptionLibraryModel::Load()
{
    options_.clear();
    std::vector<std::string> ids;
    context_.Data.GetQueries().GetChildIdsOfType(kRoot, kItemType, context_.Connection, ids);
    for (const std::string& text : ids) {
        TOption option;
        option.ItemId = std::atoi(text.c_str());
        if (deleted_.count(option.ItemId))
            continue;
        option.Name = TItemNames::NameOf(context_.Objects, option.ItemId, context_.LangCode);
        std::vector<std::string> values;
        context_.Data.GetQueries().GetChildIdsOfType(option.ItemId, kItemType, context_.Connection, values);
        for (const std::string& valueText : values) {
            const int id = std::atoi(valueText.c_str());
            if (!deleted_.count(id))
                option.Values.push_back({id, TItemNames::NameOf(context_.Objects, id, context_.LangCode)});
        }
        options_.push_back(std::move(option));
    }
}

const TOptionLibraryModel::TOption* TOptionLibraryModel::FindOption(int optionId) const
{
    const auto found = std::find_if(options_.begin(), options_.end(),
                                    [optionId](const TOption& option) { return option.ItemId == optionId; });
    return found == options_.end() ? nullptr : &*found;
}

int TOptionLibraryModel::OptionOf(int itemId) const
{
    for (const TOption& option : options_)
        for (const TEntry& value : option.Values)
            if (value.ItemId == itemId)
                return option.ItemId;
    return 0;
}

std::string TOptionLibraryModel::NameOf(int itemId) const
{
    for (const TOption& option : options_) {
        if (option.ItemId == itemId)
            return option.Name;
        for (const TEntry& value : option.Values)
            if (value.ItemId == itemId)
                return value.Name;
    }
    return {};
}

std::string TOptionLibraryModel::DefaultName() const
{
    return Text("New Option");
}

bool TOptionLibraryModel::OptionNameTaken(const std::string& name, int exceptId) const
{
    return TItemNames::IsTaken(context_, kItemType, name, exceptId, deleted_);
}

bool TOptionLibraryModel::ValueNameTaken(int optionId, const std::string& name, int exceptId) const
{
    const TOption* option = FindOption(optionId);
    if (!option)
        return false;
    return std::any_of(option->Values.begin(), option->Values.end(), [&](const TEntry& value) {
        return value.ItemId != exceptId && common_detail::SameText(value.Name, name);
    });
}

int TOptionLibraryModel::Create(int parentId, const std::string& name)
{
    std::vector<std::string> languages{context_.LangCode};
    if (context_.Data.GetDefaultLangCode() != context_.LangCode)
        languages.push_back(context_.Data.GetDefaultLangCode());
    return writes_.CreateNamedItem(context_, kItemType, parentId, languages, name);
}

std::string TOptionLibraryModel::AddOption(const std::string& typed, int* newId)
{
    const std::string name = common_detail::Trim(typed);
    if (name.empty())
        return {};
    if (OptionNameTaken(name, 0))
        return Text("Option with the name already exists");
    const int id = Create(kRoot, name);
    if (id == 0)
        return {};
    options_.push_back({id, name, {}});
    if (newId)
        *newId = id;
    return {};
}

std::string TOptionLibraryModel::AddValue(int optionId, const std::string& typed, int* newId)
{
    if (const int owner = OptionOf(optionId))
        optionId = owner;
    if (!FindOption(optionId))
        return {};
    const std::string name = common_detail::Trim(typed);
    if (name.empty())
        return {};
    if (ValueNameTaken(optionId, name, 0))
        return Text("Option value with the name already exists");
    const int id = Create(optionId, name);
    if (id == 0)
        return {};
    for (TOption& option : options_)
        if (option.ItemId == optionId)
            option.Values.push_back({id, name});
    if (newId)
        *newId = id;
    return {};
}

std::string TOptionLibraryModel::Rename(int itemId, const std::string& typed)
{
    const std::string name = common_detail::Trim(typed);
    if (name.empty() || name == NameOf(itemId))
        return {};
    const int optionId = OptionOf(itemId);
    if (optionId != 0 && ValueNameTaken(optionId, name, itemId))
        return Text("There already is option value with the name");
    if (optionId == 0 && (!IsOption(itemId) || OptionNameTaken(name, itemId)))
        return IsOption(itemId) ? Text("There already is option with the name") : std::string();
    TItemNames::SetName(context_.Objects, itemId, context_.LangCode, name);
    for (TOption& option : options_) {
        if (option.ItemId == itemId)
            option.Name = name;
        for (TEntry& value : option.Values)
            if (value.ItemId == itemId)
                value.Name = name;
    }
    return {};
}

bool TOptionLibraryModel::CanDelete(int itemId) const
{
    const TOption* option = FindOption(itemId);
    return option ? option->Values.empty() : OptionOf(itemId) != 0;
}

std::string TOptionLibraryModel::Delete(int itemId)
{
    if (!CanDelete(itemId))
        return {};
    const std::string refused = Text("Cannot delete the option because some product use it");
    if (context_.Catalog.GetItemReferences(itemId, kUses, context_.CatalogCode, context_.Connection) != 0)
        return refused;
    deleted_.insert(itemId);
    std::erase_if(options_, [itemId](const TOption& option) { return option.ItemId == itemId; });
    for (TOption& option : options_)
        std::erase_if(option.Values, [itemId](const TEntry& value) { return value.ItemId == itemId; });
    writes_.DeleteAtSave(context_, "DeleteOption:" + std::to_string(itemId), itemId, refused);
    return {};
}

bool TOptionLibraryModel::CanMove(int valueId, int step) const
{
    const TOption* option = FindOption(OptionOf(valueId));
    if (!option)
        return false;
    const auto at = std::find_if(option->Values.begin(), option->Values.end(),
                                 [valueId](const TEntry& value) { return value.ItemId == valueId; });
    const long index = at - option->Values.begin() + step;
    return index >= 0 && index < static_cast<long>(option->Values.size());
}

bool TOptionLibraryModel::Move(int valueId, int step)
{
    if (!CanMove(valueId, step))
        return false;
    const int optionId = OptionOf(valueId);
    for (TOption& option : options_) {
        if (option.ItemId != optionId)
            continue;
        const auto at = std::find_if(option.Values.begin(), option.Values.end(),
                                     [valueId](const TEntry& value) { return value.ItemId == valueId; });
        std::iter_swap(at, at + step);
    }
    WriteOrderAtSave(optionId);
    return true;
}

void TOptionLibraryModel::WriteOrderAtSave(int optionId)
{
    const TOption* option = FindOption(optionId);
    if (!option)
        return;
    std::vector<int> order;
    for (const TEntry& value : option->Values)
        order.push_back(value.ItemId);
    const std::string code = context_.CatalogCode;
    // The values take the order numbers 100, 200, ... in their new order.
    writes_.AtSave("OptionOrder:" + std::to_string(optionId), [order, code](TAbstractDBConnection& connection) {
        TQueryGuard query(connection);
        for (std::size_t i = 0; i < order.size(); ++i) {
            query->SetSQL("UPDATE Items SET OrderNum = :OrderNum WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId");
            query->SetParam("OrderNum", static_cast<int>((i + 1) * 100));
            query->SetParam("CatalogCode", code);
            query->SetParam("ItemId", order[i]);
            query->ExecSQL();
        }
    });
    moved_.insert(optionId);
}
