#include "editors/media/definitions/InitializationListsModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/UpgradeDeletionRule.h"
#include "editors/media/definitions/SnapshotCommand.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"

#include <algorithm>

namespace {

constexpr const char* kAllLanguages = "XXX";

}  // namespace

TInitializationListsModel::TInitializationListsModel(const TSiteModelContext& context,
                                                     TGlobalDefinition& globalDefinition)
    : context_(context), global_(globalDefinition)
{
}

TInitializationListsModel::~TInitializationListsModel()
{
    // The stack's commands go with it; nobody is told.
    undoStack_.blockSignals(true);
}

const char* TInitializationListsModel::MemberOf(TList list)
{
    switch (list) {
    case TList::Insert: return "IncludeItem";
    case TList::Update: return "UpdateItem";
    case TList::Delete: return "DeleteItem";
    }
    return "";
}

TAbstractCObject* TInitializationListsModel::ListsObject() const
{
    return context_.Objects.GetObject(context_.ItemId, "InitCatalog");
}

TAbstractCObject* TInitializationListsModel::HeaderObject() const
{
    if (!context_.Catalog.ItemExists(kHeaderItemId, context_.CatalogCode, context_.Connection))
        return nullptr;
    return context_.Objects.GetObject(kHeaderItemId, "CatalogDescription");
}

std::string TInitializationListsModel::CaptionOf(int itemId) const
{
    std::string caption = context_.Data.GetItemName(itemId, context_.Connection, kAllLanguages);
    if (caption.empty())
        caption = global_.GetItemIdName(itemId);
    return caption.empty() ? std::to_string(itemId) : caption;
}

void TInitializationListsModel::Load()
{
    undoStack_.clear();
    lists_ = {};
    if (TAbstractCObject* header = HeaderObject())
        dataVersion_ = header->GetLangString("DataVersion", kAllLanguages, 0);
    TAbstractCObject* lists = ListsObject();
    hasLists_ = lists != nullptr;
    for (TList list : {TList::Insert, TList::Update, TList::Delete}) {
        if (!lists)
            break;
        std::vector<std::string> values;
        lists->GetLangValues(MemberOf(list), kAllLanguages, nullptr, values);
        std::vector<TRow>& rows = lists_[Index(list)];
        for (const std::string& value : values) {
            const int id = TMemberValueText::ReadInteger(value);
            // Each item once, also when the stored list repeats it.
            if (std::none_of(rows.begin(), rows.end(), [id](const TRow& row) { return row.ItemId == id; }))
                rows.push_back({id, CaptionOf(id)});
        }
    }
    loaded_ = lists_;
    loadedDataVersion_ = dataVersion_;
    undoStack_.setClean();
}

void TInitializationListsModel::Change(const QString& text, TLists next)
{
    undoStack_.push(new TSnapshotCommand<TLists>(
        text, [this](const TLists& lists) { lists_ = lists; }, lists_, std::move(next)));
}

TInitializationListsModel::TAddResult TInitializationListsModel::Add(TList list, int itemId,
                                                                   const std::string& caption)
{
    if (!hasLists_)
        return TAddResult::NoLists;
    const std::vector<TRow>& rows = lists_[Index(list)];
    if (std::any_of(rows.begin(), rows.end(), [itemId](const TRow& row) { return row.ItemId == itemId; }))
        return TAddResult::AlreadyListed;
    if (list == TList::Delete && !TUpgradeDeletionRule::MayDelete(itemId, global_))
        return TAddResult::Refused;
    TLists next = lists_;
    next[Index(list)].push_back({itemId, caption});
    Change("Add Item", std::move(next));
    return TAddResult::Added;
}

void TInitializationListsModel::Remove(TList list, int row)
{
    if (row < 0 || row >= static_cast<int>(lists_[Index(list)].size()))
        return;
    TLists next = lists_;
    next[Index(list)].erase(next[Index(list)].begin() + row);
    Change("Remove Item", std::move(next));
}

void TInitializationListsModel::Store()
{
    if (!IsModified())
        return;
    if (dataVersion_ != loadedDataVersion_)
        if (TAbstractCObject* header = HeaderObject())
            header->SetLangString("DataVersion", kAllLanguages, dataVersion_, 0);
    if (TAbstractCObject* lists = hasLists_ ? ListsObject() : nullptr)
        for (TList list : {TList::Insert, TList::Update, TList::Delete}) {
            const std::vector<TRow>& rows = lists_[Index(list)];
            if (rows == loaded_[Index(list)])
                continue;
            lists->ClearMember(MemberOf(list), "");
            for (std::size_t i = 0; i < rows.size(); ++i)
                lists->SetLangString(MemberOf(list), kAllLanguages, std::to_string(rows[i].ItemId),
                                     static_cast<int>(i));
        }
    loaded_ = lists_;
    loadedDataVersion_ = dataVersion_;
    undoStack_.setClean();
}
