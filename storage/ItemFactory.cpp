#include "storage/ItemFactory.h"

#include "storage/MemberValueText.h"
#include "storage/TolvexItem.h"

namespace {

constexpr std::size_t kTrimAboveItems = 100;
constexpr double kTrimAfterDays = 1.0 / 144;  // ten minutes

}  // namespace

TTolvexItemFactory::TTolvexItemFactory(TTolvexObjectContext& context, std::string catalogCode,
                                       TAbstractDBConnection& connection)
    : context_(context), catalogCode_(std::move(catalogCode)), connection_(connection)
{
}

TTolvexItemFactory::~TTolvexItemFactory() = default;

TTolvexItem* TTolvexItemFactory::GetItem(int itemId)
{
    if (itemId == 0)
        return nullptr;
    if (const auto cached = byItemId_.find(itemId); cached != byItemId_.end())
        return cached->second;
    auto item = std::make_unique<TTolvexItem>(*this);
    item->Init(catalogCode_, itemId, connection_);
    if (items_.size() > kTrimAboveItems || TMemberValueText::Now() - lastTrim_ > kTrimAfterDays)
        Trim();
    item->AddRef();
    byItemId_[itemId] = item.get();
    items_.push_back(std::move(item));
    return items_.back().get();
}

template <class TPredicate>
void TTolvexItemFactory::RemoveItems(TPredicate remove)
{
    for (std::size_t i = items_.size(); i-- > 0;) {
        if (!remove(*items_[i]))
            continue;
        byItemId_.erase(items_[i]->GetItemId());
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TTolvexItemFactory::Trim()
{
    if (unreferencedItems_)
        RemoveItems([](const TTolvexItem& item) { return item.IsUnreferenced(); });
    unreferencedItems_ = false;
    lastTrim_ = TMemberValueText::Now();
}

bool TTolvexItemFactory::SaveAll()
{
    bool result = true;
    for (const auto& item : items_)
        if (item->HasChanges() && !item->Save())
            result = false;
    return result;
}

bool TTolvexItemFactory::WriteAll()
{
    bool result = true;
    for (const auto& item : items_)
        if (item->HasChanges() && !item->WriteKeepingPending())
            result = false;
    return result;
}

void TTolvexItemFactory::ForgetWrittenRemovals()
{
    for (const auto& item : items_)
        item->ForgetWrittenRemovals();
}

void TTolvexItemFactory::DiscardChanges()
{
    RemoveItems([](const TTolvexItem& item) { return item.HasChanges(); });
}
