#include "editors/business/NamedItemsModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "editors/business/BusinessIds.h"
#include "editors/business/ItemNames.h"
#include "storage/AbstractCatalog.h"

#include <algorithm>
#include <cstdlib>

namespace {

// What refers to an item: children, link copies, member values.
constexpr std::uint8_t kUses = 1 | 2 | 4;

}  // namespace

TNamedItemsModel::TSettings TNamedItemsModel::Schedules()
{
    TSettings settings;
    settings.Root = business_ids::kSchedulesRoot;
    settings.ItemType = business_ids::kScheduleType;
    settings.NameInDefaultLanguage = true;
    settings.NewNameTaken = "Price schedule with the name already exists";
    settings.RenameTaken = "There already is price schedule with the name";
    settings.InUse = "Cannot delete the price schedule.";
    return settings;
}

TNamedItemsModel::TSettings TNamedItemsModel::Fields()
{
    TSettings settings;
    settings.Root = business_ids::kFieldsRoot;
    settings.ItemType = business_ids::kFieldType;
    settings.EmptyName = "Empty field name";
    settings.NewNameTaken = "Custom field name already exists";
    settings.RenameTaken = "There already is custom field with such name";
    settings.InUse = "Cannot delete the field. Some product has reference to it.";
    return settings;
}

TNamedItemsModel::TNamedItemsModel(const TSiteModelContext& context, TSettings settings)
    : context_(context), settings_(std::move(settings)), writes_(TItemWrites::Direct(context))
{
}

std::string TNamedItemsModel::Text(const std::string& text) const
{
    return TTranslation::OrEnglish(Translation).Format(text, {});
}

void TNamedItemsModel::Load()
{
    items_.clear();
    ReadChildren(settings_.Root, 0);
}

void TNamedItemsModel::ReadChildren(int parentId, int depth)
{
    // Schedules calculated from a base schedule are its children; deeper nesting is never made.
    if (depth > 8)
        return;
    std::vector<std::string> ids;
    context_.Data.GetQueries().GetChildIdsOfType(parentId, settings_.ItemType, context_.Connection, ids);
    for (const std::string& text : ids) {
        TItem item;
        item.ItemId = std::atoi(text.c_str());
        if (deleted_.count(item.ItemId))
            continue;
        item.ParentItemId = parentId;
        item.Depth = depth;
        item.Name = TItemNames::NameOf(context_.Objects, item.ItemId, context_.LangCode);
        items_.push_back(item);
        ReadChildren(item.ItemId, depth + 1);
    }
}

const TNamedItemsModel::TItem* TNamedItemsModel::Find(int itemId) const
{
    const auto found =
        std::find_if(items_.begin(), items_.end(), [itemId](const TItem& item) { return item.ItemId == itemId; });
    return found == items_.end() ? nullptr : &*found;
}

bool TNamedItemsModel::HasChildren(int itemId) const
{
    return std::any_of(items_.begin(), items_.end(), [itemId](const TItem& item) { return item.ParentItemId == itemId; });
}

bool TNamedItemsModel::IsTaken(const std::string& name, int exceptId) const
{
    return TItemNames::IsTaken(context_, settings_.ItemType, name, exceptId, deleted_);
}

std::string TNamedItemsModel::Add(const std::string& typed, int* newItemId)
{
    const std::string name = common_detail::Trim(typed);
    if (name.empty())
        return settings_.EmptyName.empty() ? std::string() : Text(settings_.EmptyName);
    if (!settings_.NewNameTaken.empty() && IsTaken(name, 0))
        return Text(settings_.NewNameTaken);
    std::vector<std::string> languages{context_.LangCode};
    if (settings_.NameInDefaultLanguage && context_.Data.GetDefaultLangCode() != context_.LangCode)
        languages.push_back(context_.Data.GetDefaultLangCode());
    const int id = writes_.CreateNamedItem(context_, settings_.ItemType, settings_.Root, languages, name);
    if (id == 0)
        return {};
    TItem item;
    item.ItemId = id;
    item.ParentItemId = settings_.Root;
    item.Name = name;
    items_.push_back(item);
    if (newItemId)
        *newItemId = id;
    return {};
}

std::string TNamedItemsModel::Rename(int itemId, const std::string& typed, bool write)
{
    const std::string name = common_detail::Trim(typed);
    if (name.empty())
        return settings_.EmptyName.empty() ? std::string() : Text(settings_.EmptyName);
    if (!settings_.RenameTaken.empty() && IsTaken(name, itemId))
        return Text(settings_.RenameTaken);
    if (write)
        TItemNames::SetName(context_.Objects, itemId, context_.LangCode, name);
    for (TItem& item : items_)
        if (item.ItemId == itemId)
            item.Name = name;
    return {};
}

bool TNamedItemsModel::IsInUse(int itemId) const
{
    return context_.Catalog.GetItemReferences(itemId, kUses, context_.CatalogCode, context_.Connection) != 0;
}

std::string TNamedItemsModel::Delete(int itemId)
{
    if (!Find(itemId))
        return {};
    if (IsInUse(itemId))
        return Text(settings_.InUse);
    deleted_.insert(itemId);
    std::erase_if(items_, [itemId](const TItem& item) { return item.ItemId == itemId; });
    writes_.DeleteAtSave(context_, "Delete:" + std::to_string(itemId), itemId, Text(settings_.InUse));
    return {};
}

std::string TNamedItemsModel::CheckDeletions() const
{
    for (int itemId : deleted_)
        if (IsInUse(itemId))
            return Text(settings_.InUse);
    return {};
}
