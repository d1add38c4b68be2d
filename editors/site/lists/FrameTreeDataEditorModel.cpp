#include "editors/site/lists/FrameTreeDataEditorModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogQueriesRows.h"
#include "catalog/Singletons.h"
#include "catalog/TreeWalk.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <QUndoCommand>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::uint8_t kRefChildren = 1;
constexpr std::uint8_t kRefLinkCopies = 2;
constexpr std::uint8_t kRefMember = 4;
constexpr std::uint8_t kRefInText = 8;

// The deepest level of folders read, and how many parents one statement asks for.
constexpr int kMaxTreeDepth = 64;
constexpr std::size_t kIdsPerStatement = 500;

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

bool Contains(const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

// ---- the changes and their commands ------------------------------------------------------------

// What the user asked for, as it is made again on a reloaded tree.
struct TFrameTreeDataEditorModel::TChange {
    enum class TKind { Delete, Rename, Move, NewFolder };
    TKind Kind = TKind::Delete;
    std::vector<int> Ids;
    int ParentItemId = 0;  // the target of a move, the parent of a new folder
    std::string Name;      // of a rename and a new folder
    int ItemType = 0;      // of a new folder
};

// A save's writing of the changes: the items the new folders became, the
// errors, and the items whose nodes elsewhere show what changed.
struct TFrameTreeDataEditorModel::TStoreRun {
    TFrameTreeDataEditorModel& Model;
    std::map<int, int> Created;  // temporary id -> item id
    std::vector<std::string> Errors;

    int Real(int id) const
    {
        const auto found = Created.find(id);
        return found == Created.end() ? id : found->second;
    }
    void Touched(int id)
    {
        std::vector<int>& stored = Model.storedIds_;
        if (id > 0 && !Contains(stored, id))
            stored.push_back(id);
    }
};

class TFrameTreeDataEditorModel::TCommand : public QUndoCommand {
public:
    TCommand(TFrameTreeDataEditorModel& model, TChange change) : model_(model), change_(std::move(change)) {}
    const TChange& Change() const { return change_; }
    virtual void Write(TStoreRun& run) const = 0;

protected:
    TFrameTreeDataEditorModel& model_;
    TChange change_;
};

class TFrameTreeDataEditorModel::TDeleteCommand : public TCommand {
public:
    using TCommand::TCommand;
    void redo() override
    {
        removed_.clear();
        for (const int id : change_.Ids)
            removed_.push_back(model_.RemoveSubtree(id));
    }
    void undo() override
    {
        for (auto subtree = removed_.rbegin(); subtree != removed_.rend(); ++subtree)
            model_.InsertSubtree(*subtree);
    }
    void Write(TStoreRun& run) const override
    {
        for (const std::vector<TNode>& subtree : removed_) {
            const TNode& node = subtree.front();
            if (!model_.WriteDelete(run.Real(node.ItemId)))
                run.Errors.push_back(model_.Text("Cannot delete \"$1\" item.", node.Name));
            else
                run.Touched(run.Real(node.ParentItemId));
        }
    }

private:
    std::vector<std::vector<TNode>> removed_;  // each deleted node with what was below it
};

class TFrameTreeDataEditorModel::TRenameCommand : public TCommand {
public:
    TRenameCommand(TFrameTreeDataEditorModel& model, TChange change, const TNode& node)
        : TCommand(model, std::move(change)), oldName_(node.Name), linkedItemId_(node.LinkedItemId)
    {
    }
    void redo() override { model_.SetName(change_.Ids.front(), change_.Name); }
    void undo() override { model_.SetName(change_.Ids.front(), oldName_); }
    void Write(TStoreRun& run) const override
    {
        const int id = run.Real(change_.Ids.front());
        const TSiteModelContext& context = model_.context_;
        // A link's name is its original's.
        if (TAbstractCObject* names = context.Objects.GetObject(linkedItemId_ > 0 ? linkedItemId_ : id, "CommonNames"))
            names->SetLangString("ItemName", context.LangCode, change_.Name, 0);
        model_.NameWritten(linkedItemId_ > 0 ? linkedItemId_ : id, change_.Name);
        run.Touched(id);
    }

private:
    std::string oldName_;
    int linkedItemId_;
};

class TFrameTreeDataEditorModel::TMoveCommand : public TCommand {
public:
    TMoveCommand(TFrameTreeDataEditorModel& model, TChange change, std::vector<int> oldParents)
        : TCommand(model, std::move(change)), oldParents_(std::move(oldParents))
    {
    }
    void redo() override
    {
        for (const int id : change_.Ids)
            model_.MoveNode(id, change_.ParentItemId);
    }
    void undo() override
    {
        for (std::size_t i = change_.Ids.size(); i-- > 0;)
            model_.MoveNode(change_.Ids[i], oldParents_[i]);
    }
    void Write(TStoreRun& run) const override
    {
        for (std::size_t i = 0; i < change_.Ids.size(); ++i) {
            run.Touched(run.Real(oldParents_[i]));
            model_.WriteMove(run.Real(change_.Ids[i]), run.Real(change_.ParentItemId));
        }
        run.Touched(run.Real(change_.ParentItemId));
    }

private:
    std::vector<int> oldParents_;  // one per moved id
};

class TFrameTreeDataEditorModel::TNewFolderCommand : public TCommand {
public:
    TNewFolderCommand(TFrameTreeDataEditorModel& model, TChange change, TNode folder)
        : TCommand(model, std::move(change)), folder_(std::move(folder))
    {
    }
    void redo() override { model_.InsertSubtree({folder_}); }
    void undo() override { model_.RemoveSubtree(folder_.ItemId); }
    void Write(TStoreRun& run) const override
    {
        const TSiteModelContext& context = model_.context_;
        const int parent = run.Real(folder_.ParentItemId);
        const int id = context.Catalog.CreateItem(folder_.ItemType, parent, 0, context.CatalogCode,
                                                  context.Connection, 0);
        run.Created[folder_.ItemId] = id;
        run.Touched(parent);
        if (TAbstractCObject* names = context.Objects.GetObject(id, "CommonNames"))
            names->SetLangString("ItemName", context.LangCode, folder_.Name, 0);
        model_.NameWritten(id, folder_.Name);
    }

private:
    TNode folder_;
};

// ---- the model --------------------------------------------------------------------------------------

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

TFrameTreeDataEditorModel::~TFrameTreeDataEditorModel()
{
    // The stack's commands go with it; nobody is told.
    observer_ = nullptr;
    undoStack_.blockSignals(true);
}

std::string TFrameTreeDataEditorModel::Text(const std::string& text, const std::string& arg) const
{
    return TTranslation::OrEnglish(Translation).Format(text, {arg});
}

void TFrameTreeDataEditorModel::Load()
{
    undoStack_.clear();
    ReadTree();
}

void TFrameTreeDataEditorModel::Reload()
{
    std::vector<TChange> changes;
    for (int i = 0; i < undoStack_.index(); ++i)
        changes.push_back(static_cast<const TCommand*>(undoStack_.command(i))->Change());
    undoStack_.clear();
    ReadTree();
    for (const TChange& change : changes)
        Push(change);
}

void TFrameTreeDataEditorModel::ReadTree()
{
    if (observer_)
        observer_->BeginReset();
    nodes_.clear();
    children_.clear();
    nextOrder_ = 0;
    if (settings_.TreeRoot != 0) {
        // Level by level, each level's rows in a few statements and the names
        // in one (a list of thousands of products): a parent is read before
        // its children, and each list of children is in tree order.
        std::vector<TNode> read;
        std::vector<int> level{settings_.TreeRoot};
        std::unordered_set<int> seen{settings_.TreeRoot};
        for (int depth = 0; depth < kMaxTreeDepth && !level.empty(); ++depth) {
            std::unordered_map<int, std::vector<TNode>> byParent;
            for (std::size_t first = 0; first < level.size(); first += kIdsPerStatement) {
                std::string ids;
                for (std::size_t i = first; i < std::min(level.size(), first + kIdsPerStatement); ++i)
                    ids += (ids.empty() ? "" : ",") + std::to_string(level[i]);
                for (const std::vector<TVariant>& row : catalog_queries::Rows(
                         context_.Connection,
                         "SELECT ItemId, ParentItemId, ItemType, LinkedItemId FROM Items WHERE CatalogCode = "
                         ":CatalogCode AND ParentItemId IN (" + ids + ") ORDER BY OrderNum, ItemId",
                         context_.CatalogCode, {"ItemId", "ParentItemId", "ItemType", "LinkedItemId"})) {
                    TNode node;
                    node.ItemId = catalog_sql::IntOf(row[0]);
                    // An item met twice (a damaged catalog's circle) is shown once.
                    if (!seen.insert(node.ItemId).second)
                        continue;
                    node.ParentItemId = catalog_sql::IntOf(row[1]);
                    node.ItemType = catalog_sql::IntOf(row[2]);
                    node.LinkedItemId = catalog_sql::IntOf(row[3]);
                    node.IsFolder = node.ItemType == settings_.FolderItemType;
                    byParent[node.ParentItemId].push_back(std::move(node));
                }
            }
            std::vector<int> next;
            for (int parent : level)
                for (TNode& node : byParent[parent]) {
                    next.push_back(node.ItemId);
                    read.push_back(std::move(node));
                }
            level = std::move(next);
        }
        const auto dataItemId = [](const TNode& node) { return node.LinkedItemId != 0 ? node.LinkedItemId : node.ItemId; };
        std::vector<int> dataIds;
        for (const TNode& node : read)
            dataIds.push_back(dataItemId(node));
        std::vector<std::string> lines;
        context_.Data.GetQueries().GetItemNames(dataIds, lines, context_.Connection, context_.LangCode);
        std::unordered_map<int, std::string> names;
        for (const std::string& line : lines) {
            const std::size_t equals = line.find('=');
            names.emplace(std::atoi(line.substr(0, equals).c_str()), line.substr(equals + 1));
        }
        for (TNode& node : read) {
            const auto name = names.find(dataItemId(node));
            // An item without a name of its own shows what its links lead to.
            node.Name = name != names.end() && !name->second.empty()
                            ? name->second
                            : context_.Data.GetItemName(dataItemId(node), context_.Connection, context_.LangCode);
            node.Order = nextOrder_++;
            children_[node.ParentItemId].push_back(node.ItemId);
            nodes_.emplace(node.ItemId, std::move(node));
        }
    }
    if (observer_)
        observer_->EndReset();
}

bool TFrameTreeDataEditorModel::Push(const TChange& change)
{
    std::unique_ptr<TCommand> command;
    const bool parentShown = change.ParentItemId == settings_.TreeRoot || Find(change.ParentItemId);
    switch (change.Kind) {
    case TChange::TKind::Delete: {
        TChange shown = change;
        std::erase_if(shown.Ids, [this](int id) { return !Find(id); });
        if (shown.Ids.empty())
            return false;
        command = std::make_unique<TDeleteCommand>(*this, std::move(shown));
        break;
    }
    case TChange::TKind::Rename: {
        const TNode* node = Find(change.Ids.front());
        if (!node)
            return false;
        command = std::make_unique<TRenameCommand>(*this, change, *node);
        break;
    }
    case TChange::TKind::Move: {
        if (!parentShown)
            return false;
        TChange shown = change;
        std::vector<int> oldParents;
        std::erase_if(shown.Ids, [&](int id) {
            const TNode* node = Find(id);
            if (!node || node->ParentItemId == change.ParentItemId)
                return true;
            oldParents.push_back(node->ParentItemId);
            return false;
        });
        if (shown.Ids.empty())
            return false;
        command = std::make_unique<TMoveCommand>(*this, std::move(shown), std::move(oldParents));
        break;
    }
    case TChange::TKind::NewFolder: {
        if (!parentShown)
            return false;
        TNode folder;
        folder.ItemId = change.Ids.front();
        folder.ParentItemId = change.ParentItemId;
        folder.ItemType = change.ItemType;
        folder.IsFolder = change.ItemType == settings_.FolderItemType;
        folder.Name = change.Name;
        folder.Order = nextOrder_++;
        command = std::make_unique<TNewFolderCommand>(*this, change, std::move(folder));
        break;
    }
    }
    // The stack makes the change (redo) as it takes the command.
    undoStack_.push(command.release());
    return true;
}

// ---- the tree -------------------------------------------------------------------------------------

std::vector<TFrameTreeDataEditorModel::TNode> TFrameTreeDataEditorModel::Children(int parentItemId) const
{
    std::vector<TNode> children;
    for (const int id : ChildIds(parentItemId))
        children.push_back(nodes_.at(id));
    return children;
}

const std::vector<int>& TFrameTreeDataEditorModel::ChildIds(int parentItemId) const
{
    static const std::vector<int> none;
    const auto found = children_.find(parentItemId);
    return found == children_.end() ? none : found->second;
}

const TFrameTreeDataEditorModel::TNode* TFrameTreeDataEditorModel::Find(int itemId) const
{
    const auto found = nodes_.find(itemId);
    return found == nodes_.end() ? nullptr : &found->second;
}

int TFrameTreeDataEditorModel::RowOf(int itemId) const
{
    const TNode* node = Find(itemId);
    if (!node)
        return -1;
    const std::vector<int>& siblings = ChildIds(node->ParentItemId);
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), itemId) - siblings.begin());
}

int TFrameTreeDataEditorModel::InsertionRow(int parentItemId, int order) const
{
    const std::vector<int>& siblings = ChildIds(parentItemId);
    const auto at = std::lower_bound(siblings.begin(), siblings.end(), order,
                                     [this](int id, int value) { return nodes_.at(id).Order < value; });
    return static_cast<int>(at - siblings.begin());
}

void TFrameTreeDataEditorModel::InsertSubtree(const std::vector<TNode>& nodes)
{
    if (nodes.empty())
        return;
    const TNode& top = nodes.front();
    const int row = InsertionRow(top.ParentItemId, top.Order);
    if (observer_)
        observer_->BeginInsert(top.ParentItemId, row);
    // Parents come before their children.
    for (const TNode& node : nodes) {
        std::vector<int>& siblings = children_[node.ParentItemId];
        siblings.insert(siblings.begin() + InsertionRow(node.ParentItemId, node.Order), node.ItemId);
        nodes_[node.ItemId] = node;
    }
    if (observer_)
        observer_->EndInsert();
}

std::vector<TFrameTreeDataEditorModel::TNode> TFrameTreeDataEditorModel::RemoveSubtree(int itemId)
{
    std::vector<TNode> removed;
    const TNode* top = Find(itemId);
    if (!top)
        return removed;
    removed.push_back(*top);
    for (std::size_t i = 0; i < removed.size(); ++i)
        for (const int child : ChildIds(removed[i].ItemId))
            removed.push_back(nodes_.at(child));
    const int parent = top->ParentItemId;
    if (observer_)
        observer_->BeginRemove(parent, RowOf(itemId));
    std::erase(children_[parent], itemId);
    for (const TNode& node : removed) {
        children_.erase(node.ItemId);
        nodes_.erase(node.ItemId);
    }
    if (observer_)
        observer_->EndRemove();
    return removed;
}

void TFrameTreeDataEditorModel::MoveNode(int itemId, int parentItemId)
{
    const auto found = nodes_.find(itemId);
    if (found == nodes_.end() || found->second.ParentItemId == parentItemId)
        return;
    TNode& node = found->second;
    const int from = node.ParentItemId;
    const int to = InsertionRow(parentItemId, node.Order);
    if (observer_)
        observer_->BeginMove(from, RowOf(itemId), parentItemId, to);
    std::erase(children_[from], itemId);
    std::vector<int>& siblings = children_[parentItemId];
    siblings.insert(siblings.begin() + to, itemId);
    node.ParentItemId = parentItemId;
    if (observer_)
        observer_->EndMove();
}

void TFrameTreeDataEditorModel::SetName(int itemId, const std::string& name)
{
    const auto found = nodes_.find(itemId);
    if (found == nodes_.end())
        return;
    found->second.Name = name;
    if (observer_)
        observer_->NodeChanged(itemId);
}

bool TFrameTreeDataEditorModel::HasChildren(int itemId) const { return !ChildIds(itemId).empty(); }

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

// ---- the user's changes ------------------------------------------------------------------------

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
    TChange change;
    change.Kind = TChange::TKind::Delete;
    // Last to first, so that a folder whose selected children go first may go too.
    const auto hasChildren = [&](int id) {
        const std::vector<int>& children = ChildIds(id);
        return std::any_of(children.begin(), children.end(), [&](int child) { return !Contains(change.Ids, child); });
    };
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const TNode* node = Find(*it);
        const std::string name = node->Name;
        const int id = node->ItemId;
        std::uint8_t refs = hasChildren(id) ? kRefChildren : 0;
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
        change.Ids.push_back(id);
    }
    if (!change.Ids.empty())
        Push(change);
    return errors;
}

bool TFrameTreeDataEditorModel::PushDelete(const std::vector<int>& ids)
{
    TChange change;
    change.Kind = TChange::TKind::Delete;
    change.Ids = ids;
    return Push(change);
}

bool TFrameTreeDataEditorModel::Rename(int itemId, const std::string& name)
{
    const TNode* node = Find(itemId);
    // An item keeps a caption.
    if (!node || node->Name == name || IsBlank(name))
        return false;
    NodeRenamed(itemId, name);
    TChange change;
    change.Kind = TChange::TKind::Rename;
    change.Ids = {itemId};
    change.Name = name;
    return Push(change);
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
    TChange change;
    change.Kind = TChange::TKind::Move;
    change.ParentItemId = targetId;
    const TNode* target = Find(targetId);
    for (const int id : ids) {
        // Any node may go into a folder, as long as the folder is not below it.
        const bool folderTarget = target && target->IsFolder && Find(id) && id != targetId && !IsBelow(targetId, id);
        if (folderTarget || CanDrop(targetId, id))
            change.Ids.push_back(id);
    }
    return !change.Ids.empty() && Push(change);
}

int TFrameTreeDataEditorModel::NewItem(int parentItemId, int itemType, const std::string& caption)
{
    TChange change;
    change.Kind = TChange::TKind::NewFolder;
    change.Ids = {nextTemporaryId_--};
    change.ParentItemId = parentItemId;
    change.Name = caption;
    change.ItemType = itemType;
    return Push(change) ? change.Ids.front() : 0;
}

int TFrameTreeDataEditorModel::NewFolder(int selectedId)
{
    const TNode* selected = Find(selectedId);
    TChange change;
    change.Kind = TChange::TKind::NewFolder;
    change.Ids = {nextTemporaryId_--};
    change.ParentItemId = selected ? selected->ParentItemId : settings_.TreeRoot;
    change.Name = TTranslation::OrEnglish(Translation).Translate(settings_.NewFolderCaption);
    change.ItemType = settings_.FolderItemType;
    Push(change);
    return change.Ids.front();
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
    if (itemId == parentItemId || Contains(ancestors, itemId))
        return;
    catalog_sql::Exec(context_.Connection,
                      "UPDATE Items SET ParentItemId = :ParentItemId, DateModified = :CurrentDate, "
                      "IsSynchronized = 0 WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
                      context_.CatalogCode,
                      {{"ParentItemId", parentItemId}, {"CurrentDate", catalog_sql::Now()}, {"ItemId", itemId}});
}

std::vector<std::string> TFrameTreeDataEditorModel::Store()
{
    storedIds_.clear();
    TStoreRun run{*this, {}, {}};
    for (int i = 0; i < undoStack_.index(); ++i)
        static_cast<const TCommand*>(undoStack_.command(i))->Write(run);
    return run.Errors;
}
