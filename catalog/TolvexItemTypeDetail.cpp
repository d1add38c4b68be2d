#include "catalog/TolvexItemTypeDetail.h"

#include <algorithm>

namespace {

// The record of that instance in a list of owned records; appended when missing.
template <typename T>
T& FindOrCreate(std::vector<std::unique_ptr<T>>& list, int instanceId)
{
    for (const auto& record : list)
        if (record->InstanceId == instanceId)
            return *record;
    list.push_back(std::make_unique<T>(instanceId));
    return *list.back();
}

template <typename T>
T* At(const std::vector<std::unique_ptr<T>>& list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.size()))
        return nullptr;
    return list[static_cast<std::size_t>(index)].get();
}

}  // namespace

TCatalogEditor* TTolvexItemTypeDetail::GetEditor(int index) const
{
    return At(editors_, index);
}

TCatalogEditor& TTolvexItemTypeDetail::FindOrCreateEditor(int instanceId)
{
    return FindOrCreate(editors_, instanceId);
}

void TTolvexItemTypeDetail::SortEditors()
{
    std::stable_sort(editors_.begin(), editors_.end(),
                     [](const auto& a, const auto& b) { return a->Order < b->Order; });
}

TCatalogTemplate* TTolvexItemTypeDetail::GetTemplate(int index) const
{
    return At(templates_, index);
}

TCatalogTemplate& TTolvexItemTypeDetail::FindOrCreateTemplate(int instanceId)
{
    return FindOrCreate(templates_, instanceId);
}

int TTolvexItemTypeDetail::GetTemplateItemId(int kind) const
{
    for (const auto& assignment : templates_)
        if (assignment->Kind == kind)
            return assignment->TemplateItemId;
    return 0;
}

bool TTolvexItemTypeDetail::MayContainType(int itemType) const
{
    return std::find(allowedChildTypes_.begin(), allowedChildTypes_.end(), itemType) !=
           allowedChildTypes_.end();
}
