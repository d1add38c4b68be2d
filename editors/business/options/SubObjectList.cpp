#include "editors/business/options/SubObjectList.h"

#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <cstdlib>

TSubObjectList::TSubObjectList(TAbstractObjectCollection& objects, int itemId, TAbstractCObject* parent,
                               std::string member, std::string langCode)
    : objects_(objects), itemId_(itemId), parent_(parent), member_(std::move(member)), langCode_(std::move(langCode))
{
}

std::vector<int> TSubObjectList::Ids() const
{
    std::vector<int> ids;
    if (!parent_)
        return ids;
    std::vector<std::string> texts;
    parent_->GetLangValues(member_, langCode_, nullptr, texts);
    for (const std::string& text : texts)
        if (const int id = std::atoi(text.c_str()))
            ids.push_back(id);
    return ids;
}

TAbstractCObject* TSubObjectList::Object(int instanceId) const
{
    return instanceId ? objects_.GetObjectByInstance(itemId_, instanceId) : nullptr;
}

TAbstractCObject* TSubObjectList::Add(const std::string& classXmlTag) const
{
    return parent_ ? parent_->AddSubObject(member_, classXmlTag, langCode_) : nullptr;
}

void TSubObjectList::Remove(const std::set<int>& instanceIds) const
{
    if (!parent_ || instanceIds.empty())
        return;
    const std::vector<int> ids = Ids();
    // The list is written anew without them: removing a value of a
    // sub-object member one by one would delete the rows at once.
    parent_->ClearMember(member_, std::string());
    for (int id : ids)
        if (!instanceIds.count(id))
            parent_->SetLangNumber(member_, langCode_, id, -1);
    for (int id : ids)
        if (instanceIds.count(id) && Object(id))
            objects_.DeleteObject(itemId_, id);
}

void TSubObjectList::RemoveAll() const
{
    const std::vector<int> ids = Ids();
    Remove(std::set<int>(ids.begin(), ids.end()));
}
