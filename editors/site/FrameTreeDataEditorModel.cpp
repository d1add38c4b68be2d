#include "editors/site/lists/FrameTreeDataEditorModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/Singletons.h"
#include "catalog/TreeWalk.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <algorithm>
#include <map>

namespace {

constexpr std::uint8_t kRefChildren = 1;
constexpr std::uint8_t kRefLinkCopies = 2;
constexpr std::uint8_t kRefMember = 4;
constexpr std::uint8_t kRefInText = 8;

}  // namespace

TFrameTreeDataEditorModel::TSettings TFrameTreeDataEditorModel::Stories()
{
    TSettings settings;
    settings.TreeRoot = 10;
    settings.NewItemType = 3002;
    settings.DeleteQuestion = "Do you really want to delete \"$1\" story?";
    settings.LocateSettingName = "LocateStoryOnWebTree";
    settings.ShowBottomPanel = true;
    settings.ShowLocationPanel = true;
    settings.WatchedKind = 5;
    settings.CancelAction = "Action=MainPageEditor&ItemType=10";
    return settings;
}

TFrameTreeDataEditorModel::TFrameTreeDataEditorModel(const TSiteModelContext& context, TSettings settings)
    : context_(context), settings_(std::move(settings))
{
}

std::string TFrameTreeDataEditorModel::Text(const std::string& text, const std::string& arg) const
{
    return TTranslation::OrEnglish(Translation).Format(text, {arg});
}

void TFrameTreeDataEditorModel::Load()
{
    operations_.clear();
    ReadTree();
}

void TFrameTreeDataEditorModel::Reload()
{
    ReadTree();
    std::vector<TOperation> recorded = std::move(operations_);
    operations_.clear();
    for (TOperation& operation : recorded) {
        operation.Before = nodes_;
        if (Apply(operation))
            operations_.push_back(std::move(operation));
    }
}

void TFrameTreeDataEditorModel::ReadTree()
{
    nodes_.clear();
    if (settings_.TreeRoot == 0)
        return;
    for (const int id : TTreeWalk::Descendants(context_.Connection, context_.CatalogCode, settings_.TreeRoot)) {
        if (id == settings_.TreeRoot)
            continue;
        const TItemDescription row = context_.Data.GetItemDescription(id, context_.CatalogCode, context_.Connection);
        TNode node;
        node.ItemId = id;
        node.ParentItemId = row.ParentItemId;
        node.ItemType = row.ItemType;
        node.LinkedItemId = row.LinkedItemId;
        node.IsFolder = row.ItemType == settings_.FolderItemType;
        node.Name = context_.Data.GetItemName(row.GetDataItemId(), context_.Connection, context_.LangCode);
        nodes_.push_back(node);
    }
}

bool TFrameTreeDataEditorModel::Apply(const TOperation& operation)
{
    bool applied = false;
    switch (operation.Kind) {
    case TKind::NewFolder: {
        if (operation.ParentItemId != settings_.TreeRoot && !Find(operation.ParentItemId))
            return false;
        TNode folder;
        folder.ItemId = operation.Ids.front();
        folder.ParentItemId = operation.ParentItemId;
        folder.ItemType = operation.ItemType;
        folder.IsFolder = true;
        folder.Name = operation.Name;
        nodes_.push_back(folder);
        return true;
    }
    case TKind::Rename:
        for (TNode& node : nodes_)
            if (node.ItemId == operation.Ids.front()) {
                node.Name = operation.Name;
                applied = true;
            }
        return applied;
    case TKind::Move:
        if (operation.ParentItemId != settings_.TreeRoot && !Find(operation.ParentItemId))
            return false;
        for (TNode& node : nodes_)
            if (std::find(operation.Ids.begin(), operation.Ids.end(), node.ItemId) != operation.Ids.end()) {
                node.ParentItemId = operation.ParentItemId;
                applied = true;
            }
        return applied;
    case TKind::Delete:
        for (const int id : operation.Ids)
            if (Find(id)) {
                RemoveSubtree(id);
                applied = true;
            }
        return applied;
    }
    return false;
}

std::vector<TFrameTreeDataEditorModel::TNode> TFrameTreeDataEditorModel::Children(int parentItemId) const
{
    std::vector<TNode> children;
    for (const TNode& node : nodes_)
        if (node.ParentItemId == parentItemId)
            children.push_back(node);
    return children;
}

const TFrameTreeDataEditorModel::TNode* TFrameTreeDataEditorModel::Find(int itemId) const
{
    for (const TNode& node : nodes_)
        if (node.ItemId == itemId)
            return &node;
    return nullptr;
}

bool TFrameTreeDataEditorModel::HasChildren(int itemId) const
{
    return std::any_of(nodes_.begin(), nodes_.end(), [itemId](const TNode& n) { return n.ParentItemId == itemId; });
}

bool TFrameTreeDataEditorModel::IsBelow(int itemId, int ancestorId) const
{
    for (const TNode* node = Find(itemId); node; node = Find(node->ParentItemId))
        if (node->ParentItemId == ancestorId)
            return true;
    return false;
}

bool TFrameTreeDataEditorModel::CanEdit(int selectedId) const { return Find(selectedId) != nullptr; }

// ---- actions of the main editor ------------------------------------------------------------

std::string TFrameTreeDataEditorModel::EditAction(int itemId) const
{
    const TNode* node = Find(itemId);
    if (!node || node->IsFolder || node->ItemId < 0)
        return std::string();
    int id = node->ItemId;
    if (node->LinkedItemId == 0 || node->LinkedItemId == node->ItemId)
        if (const int copy = context_.Catalog.FindVisibleLinkCopy(id, context_.CatalogCode, context_.Connection))
            id = copy;
    return "Action=MainPageEditor&TabName=" + context_.Catalog.GetDefinition().GetItemTypeEditTab(node->ItemType) +
           "&ItemId=" + std::to_string(id);
}

std::string TFrameTreeDataEditorModel::AddAction(int selectedId) const
{
    int parent = settings_.TreeRoot;
    if (const TNode* node = Find(selectedId))
        parent = node->IsFolder ? node->ItemId : node->ParentItemId;
    return "Action=MainPageEditor&ItemId=-2&ItemType=" + std::to_string(settings_.NewItemType) +
           "&ParentItemId=" + std::to_string(parent);
}

std::string TFrameTreeDataEditorModel::LocateAction(int selectedId) const
{
    const TNode* node = Find(selectedId);
    const int id = node && !node->IsFolder && node->ItemId > 0 ? node->ItemId : 0;
    return "Action=LocateOnWebTree&ItemId=" + std::to_string(id);
}

// ---- recorded operations ---------------------------------------------------------------------

void TFrameTreeDataEditorModel::RemoveSubtree(int itemId)
{
    std::vector<int> doomed{itemId};
    for (std::size_t i = 0; i < doomed.size(); ++i)
        for (const TNode& node : nodes_)
            if (node.ParentItemId == doomed[i])
                doomed.push_back(node.ItemId);
    std::erase_if(nodes_, [&](const TNode& node) {
        return std::find(doomed.begin(), doomed.end(), node.ItemId) != doomed.end();
    });
}

std::vector<std::string> TFrameTreeDataEditorModel::Delete(const std::vector<int>& ids, const TAsk& ask)
{
    std::vector<std::string> errors;
    std::vector<int> selected;
    for (const int id : ids)
        if (Find(id))
            selected.push_back(id);
    if (selected.empty())
        return errors;
    const bool several = selected.size() > 1;
    if (several && !ask(Text("Do you really want to delete $1 items?", std::to_string(selected.size()))))
        return errors;
    std::string question = Find(selected.front())->IsFolder ? "Do you really want to delete the folder?"
                                                             : settings_.DeleteQuestion;
    TOperation operation{TKind::Delete, {}, 0, {}, 0, nodes_};
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const TNode* node = Find(*it);
        if (!node)
            continue;
        const std::string name = node->Name;
        const int id = node->ItemId;
        std::uint8_t refs = HasChildren(id) ? kRefChildren : 0;
        if (id > 0)
            refs |= context_.Catalog.GetItemReferences(id, kRefLinkCopies | kRefMember | kRefInText,
                                                       context_.CatalogCode, context_.Connection);
        if ((refs & kRefInText) &&
            !ask(Text("There are hyperlinks to the \"$1\" item. Do you want to delete anyway?", name)))
            continue;
        if (refs & kRefLinkCopies)
            question = settings_.LinkedDeleteQuestion;
        if (refs & (kRefChildren | kRefMember)) {
            errors.push_back(Text("Cannot delete \"$1\" item.", name));
            continue;
        }
        if (!several && !ask(Text(question, name)))
            continue;
        operation.Ids.push_back(id);
        RemoveSubtree(id);
    }
    if (!operation.Ids.empty())
        operations_.push_back(std::move(operation));
    return errors;
}

void TFrameTreeDataEditorModel::Rename(int itemId, const std::string& name)
{
    const TNode* node = Find(itemId);
    if (!node || node->Name == name)
        return;
    NodeRenamed(itemId, name);
    operations_.push_back({TKind::Rename, {itemId}, 0, name, 0, nodes_});
    Apply(operations_.back());
}

bool TFrameTreeDataEditorModel::CanDrop(int targetId, int draggedId) const
{
    const TNode* target = Find(targetId);
    const TNode* dragged = Find(draggedId);
    if (!target || !dragged || targetId == draggedId || IsBelow(targetId, draggedId) ||
        dragged->ParentItemId == targetId)
        return false;
    if (target->IsFolder && !dragged->IsFolder)
        return true;
    return context_.Catalog.GetDefinition().CanContainItemType(target->ItemType, dragged->ItemType);
}

bool TFrameTreeDataEditorModel::Move(const std::vector<int>& ids, int targetId)
{
    TOperation operation{TKind::Move, {}, targetId, {}, 0, nodes_};
    for (const int id : ids) {
        const TNode* target = Find(targetId);
        const TNode* dragged = Find(id);
        const bool folderTarget = target && target->IsFolder && dragged && id != targetId && !IsBelow(targetId, id);
        if (!folderTarget && !CanDrop(targetId, id))
            continue;
        operation.Ids.push_back(id);
    }
    if (operation.Ids.empty())
        return false;
    Apply(operation);
    operations_.push_back(std::move(operation));
    return true;
}

int TFrameTreeDataEditorModel::NewFolder(int selectedId)
{
    const TNode* selected = Find(selectedId);
    const int parent = selected ? selected->ParentItemId : settings_.TreeRoot;
    const int id = nextTemporaryId_--;
    operations_.push_back({TKind::NewFolder, {id}, parent,
                           TTranslation::OrEnglish(Translation).Translate(settings_.NewFolderCaption),
                           settings_.FolderItemType, nodes_});
    Apply(operations_.back());
    return id;
}

void TFrameTreeDataEditorModel::Undo()
{
    if (operations_.empty())
        return;
    nodes_ = std::move(operations_.back().Before);
    operations_.pop_back();
}

// ---- writing -------------------------------------------------------------------------------------

bool TFrameTreeDataEditorModel::WriteDelete(int itemId)
{
    return context_.Catalog.DeleteItem(itemId, context_.CatalogCode, context_.Connection, false, true,
                                       TDeleteChildren::Refuse);
}

// Hangs the item below its new parent, as a drop in the tree does.
void TFrameTreeDataEditorModel::WriteMove(int itemId, int parentItemId)
{
    const std::vector<int> ancestors = TTreeWalk::Ancestors(context_.Connection, context_.CatalogCode, parentItemId);
    if (itemId == parentItemId || std::find(ancestors.begin(), ancestors.end(), itemId) != ancestors.end())
        return;
    catalog_sql::Exec(context_.Connection,
                      "UPDATE Items SET ParentItemId = :ParentItemId, DateModified = :CurrentDate, "
                      "IsSynchronized = 0 WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
                      context_.CatalogCode,
                      {{"ParentItemId", parentItemId}, {"CurrentDate", catalog_sql::Now()}, {"ItemId", itemId}});
}

std::vector<std::string> TFrameTreeDataEditorModel::Store()
{
    std::vector<std::string> errors;
    storedIds_.clear();
    auto touched = [this](int id) {
        if (id > 0 && std::find(storedIds_.begin(), storedIds_.end(), id) == storedIds_.end())
            storedIds_.push_back(id);
    };
    auto parentBefore = [](const TOperation& operation, int id) {
        for (const TNode& node : operation.Before)
            if (node.ItemId == id)
                return node.ParentItemId;
        return 0;
    };
    std::map<int, int> created;  // temporary id -> item id
    auto real = [&created](int id) {
        const auto found = created.find(id);
        return found == created.end() ? id : found->second;
    };
    for (const TOperation& operation : operations_) {
        switch (operation.Kind) {
        case TKind::NewFolder: {
            const int id = context_.Catalog.CreateItem(operation.ItemType, real(operation.ParentItemId), 0,
                                                       context_.CatalogCode, context_.Connection, 0);
            created[operation.Ids.front()] = id;
            touched(real(operation.ParentItemId));
            if (TAbstractCObject* names = context_.Objects.GetObject(id, "CommonNames"))
                names->SetLangString("ItemName", context_.LangCode, operation.Name, 0);
            break;
        }
        case TKind::Rename: {
            const TNode* before = nullptr;
            for (const TNode& node : operation.Before)
                if (node.ItemId == operation.Ids.front())
                    before = &node;
            const int id = real(operation.Ids.front());
            const int dataId = before && before->LinkedItemId > 0 ? before->LinkedItemId : id;
            if (TAbstractCObject* names = context_.Objects.GetObject(dataId, "CommonNames"))
                names->SetLangString("ItemName", context_.LangCode, operation.Name, 0);
            touched(id);
            break;
        }
        case TKind::Move:
            for (const int id : operation.Ids) {
                touched(real(parentBefore(operation, id)));
                WriteMove(real(id), real(operation.ParentItemId));
            }
            touched(real(operation.ParentItemId));
            break;
        case TKind::Delete:
            for (const int id : operation.Ids) {
                std::string name;
                for (const TNode& node : operation.Before)
                    if (node.ItemId == id)
                        name = node.Name;
                if (!WriteDelete(real(id)))
                    errors.push_back(Text("Cannot delete \"$1\" item.", name));
                else
                    touched(real(parentBefore(operation, id)));
            }
            break;
        }
    }
    return errors;
}
