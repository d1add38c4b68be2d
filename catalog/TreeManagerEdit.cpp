// Adding, placing, moving and ordering items in a tree manager's tree.
#include "catalog/CatalogItemsSql.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeManagerHost.h"
#include "catalog/TreeManagerObserver.h"
#include "catalog/TreeWalk.h"
#include "storage/AbstractDBConnection.h"
#include "storage/UnitOfWorkScope.h"

#include <algorithm>

using std::to_string;

namespace {

const char* const kNewItemCaption = "New Item";

}  // namespace

// ---- new items -------------------------------------------------------------------------

TTreeNode* TTreeManager::FindParentForNew(int itemType, int& parentItemId, int linkedItemId, bool toAllowedAncestor)
{
    TTreeNode* selected = GetSelectedNode();
    if (!selected || !selected->IsItem())
        return nullptr;
    const int givenParentId = parentItemId;
    parentItemId = givenParentId != 0 && linkedItemId != -2 ? givenParentId : selected->ItemId();
    if (toAllowedAncestor) {
        for (TTreeNode* node = selected; node; node = Parent(node))
            if (node->IsItem() && host_.CanContainItemType(node->Data->ItemType, itemType)) {
                parentItemId = node->ItemId();
                return node;
            }
        return nullptr;
    }
    if (parentItemId != selected->ItemId())
        for (TTreeNode* node = selected; node; node = Parent(node))
            if (node->IsItem() && node->ItemId() == parentItemId)
                return node;
    return selected;
}

void TTreeManager::AddCreatedNode(TTreeNode* parentNode, std::unique_ptr<TItemDescription> data)
{
    auto node = std::make_unique<TTreeNode>();
    node->Caption = kNewItemCaption;
    node->Data = std::move(data);
    SetNodeImages(*node);
    TTreeNode* added = AppendChild(parentNode, std::move(node));
    SetSelected(added);
    RevealNode(added);
    if ((options_ & toEditNewCaption) && observer_)
        observer_->EditCaption(added);
}

bool TTreeManager::AddNewItemNode(int itemType, int linkedItemId, int parentItemId, bool toAllowedAncestor)
{
    TTreeNode* parentNode = FindParentForNew(itemType, parentItemId, linkedItemId, toAllowedAncestor);
    if (!parentNode)
        return false;
    auto data = std::make_unique<TItemDescription>();
    data->ItemType = itemType;
    data->ItemId = -2;
    data->LinkedItemId = linkedItemId;
    data->Flags = ifNew;
    data->Visible = true;
    data->ParentItemId = parentItemId;
    Expand(parentNode);
    AddCreatedNode(parentNode, std::move(data));
    return true;
}

bool TTreeManager::CreateChild(int itemId, int minId, int maxId, bool inRange, int itemType, int linkedItemId,
                               int parentItemId, bool toAllowedAncestor)
{
    TTreeNode* parentNode = FindParentForNew(itemType, parentItemId, linkedItemId, toAllowedAncestor);
    if (!parentNode)
        return false;
    TAbstractDBConnection& connection = GetConnection();
    auto create = [&](int parentId, int linkedId, int wantedId) {
        return inRange ? host_.CreateItemInRange(minId, maxId, itemType, parentId, linkedId, catalogCode_, connection)
                       : host_.CreateItem(itemType, parentId, linkedId, catalogCode_, connection, wantedId);
    };
    // The data item and its placement are created together or not at all.
    TUnitOfWorkScope scope(connection);
    scope.Enter("Items");
    if (linkedItemId == -2) {
        const int dataParentId = host_.GetItemTypeParentId(itemType);
        // A wanted id goes to the data item; its placement takes the next id.
        linkedItemId = dataParentId != 0 ? create(dataParentId, 0, itemId) : 0;
        if (dataParentId != 0)
            itemId = 0;
    }
    const int newId = create(parentItemId, linkedItemId, itemId);
    scope.Commit();
    if (newId == 0)
        return false;
    if (linkedItemId == 0)
        linkedItemId = newId;

    auto data = std::make_unique<TItemDescription>();
    data->ItemType = itemType;
    data->ItemId = newId;
    data->LinkedItemId = linkedItemId;
    data->Flags = ifNew;
    data->Visible = true;
    data->ParentItemId = parentItemId;
    if (!parentNode->Expanded) {
        Expand(parentNode);
        for (auto& child : parentNode->Children)
            if (child->ItemId() == newId) {
                DeleteNode(child.get());
                break;
            }
    }
    AddCreatedNode(parentNode, std::move(data));
    return true;
}

bool TTreeManager::CreateChildItem(int itemId, int itemType, int linkedItemId, int parentItemId,
                                   bool toAllowedAncestor)
{
    return CreateChild(itemId, 0, 0, false, itemType, linkedItemId, parentItemId, toAllowedAncestor);
}

bool TTreeManager::CreateChildItemInRange(int minId, int maxId, int itemType, int linkedItemId, int parentItemId,
                                          bool toAllowedAncestor)
{
    return CreateChild(0, minId, maxId, true, itemType, linkedItemId, parentItemId, toAllowedAncestor);
}

void TTreeManager::AddNode(int itemId, int itemType, int parentItemId, const std::string& caption,
                           TTreeNode* parentNode, bool editCaption)
{
    auto node = std::make_unique<TTreeNode>();
    node->Caption = caption;
    node->Data = std::make_unique<TItemDescription>();
    node->Data->ItemType = itemType;
    node->Data->ItemId = itemId;
    node->Data->LinkedItemId = itemId;
    node->Data->ParentItemId = parentItemId;
    SetNodeImages(*node);
    TTreeNode* added = AppendChild(parentNode, std::move(node));
    if (parentNode && !parentNode->Expanded) {
        Expand(parentNode);
        SelectChildNode(parentNode, itemId, (options_ & toEditNewCaption) != 0);
        return;
    }
    SetSelected(added);
    RevealNode(added);
    if ((options_ & toEditNewCaption) && editCaption && observer_ && !observer_->IsReadOnly())
        observer_->EditCaption(added);
}

// ---- tests ------------------------------------------------------------------------------------

bool TTreeManager::CanAddChild(int itemType, bool searchAncestors)
{
    TTreeNode* selected = GetSelectedNode();
    if (!selected || !selected->IsItem() || (observer_ && !observer_->IsShowing()))
        return false;
    if (!searchAncestors)
        return true;
    for (TTreeNode* node = selected; node; node = Parent(node))
        if (node->IsItem() && host_.CanContainItemType(node->Data->ItemType, itemType))
            return true;
    return false;
}

bool TTreeManager::CanAddChildEx(int, int, int itemType, int, bool searchAncestors)
{
    return CanAddChild(itemType, searchAncestors);
}

bool TTreeManager::CanPlaceItem(TTreeNode* node, int itemId, int itemType, bool)
{
    if (!node || !node->IsItem())
        return false;
    for (auto& child : node->Children)
        if (child->IsItem() && (child->Data->ItemId == itemId || child->Data->LinkedItemId == itemId))
            return false;
    if (!host_.CanContainItemType(node->Data->ItemType, itemType))
        return false;
    for (TTreeNode* up = node; up; up = Parent(up))
        if (up->IsItem() && (up->Data->ItemId == itemId || up->Data->LinkedItemId == itemId))
            return false;
    return true;
}

// ---- further placements and moves ---------------------------------------------------------------

void TTreeManager::LinkItemUnderNode(TTreeNode* node, int itemId, int itemType, const std::string& caption)
{
    if (!node || !node->IsItem() || itemId == 0 || itemType == 0)
        return;
    Expand(node);
    if (!CanPlaceItem(node, itemId, itemType))
        return;
    const int newId = host_.CreateItem(itemType, node->ItemId(), itemId, catalogCode_, GetConnection(), 0);
    if (newId == 0)
        return;
    if (node->Expanded) {
        auto child = std::make_unique<TTreeNode>();
        child->Caption = caption;
        child->Data = std::make_unique<TItemDescription>();
        child->Data->ItemId = newId;
        child->Data->ItemType = itemType;
        child->Data->ParentItemId = node->ItemId();
        child->Data->LinkedItemId = itemId;
        child->ImageName = host_.GetItemTypeImageName(itemType);
        if (child->ImageName.empty() || !host_.HasCachedImage(child->ImageName))
            child->ImageName = "DotLine";
        AppendChild(node, std::move(child));
    } else {
        AddPlaceholder(node);
        Expand(node);
    }
    RevealChild(node, newId);
}

bool TTreeManager::MoveItemInDatabase(int itemId, int newParentItemId)
{
    TAbstractDBConnection& connection = GetConnection();
    if (itemId == newParentItemId)
        return false;
    // Hanging an item below its own descendant would cut the subtree off
    // every root and make a loop.
    const std::vector<int> ancestors = TTreeWalk::Ancestors(connection, catalogCode_, newParentItemId);
    if (std::find(ancestors.begin(), ancestors.end(), itemId) != ancestors.end())
        return false;
    catalog_sql::Exec(connection,
                      "UPDATE Items SET ParentItemId = " + to_string(newParentItemId) +
                          ", DateModified = :CurrentDate, IsSynchronized = 0 WHERE CatalogCode = :CatalogCode AND "
                          "ItemId = " + to_string(itemId),
                      catalogCode_, {{"CurrentDate", catalog_sql::Now()}});
    return true;
}

bool TTreeManager::MoveNode(TTreeNode* target, TTreeNode* source)
{
    if (!target || !source || !target->IsItem() || !source->IsItem() || target == source)
        return false;
    const int dataItemId = source->Data->GetDataItemId();
    const int sourceType = source->Data->ItemType;
    // The drop target may lie in the source's own subtree: refused whatever the item types say.
    for (TTreeNode* up = target; up; up = Parent(up))
        if (up == source)
            return false;
    if (CanPlaceItem(target, dataItemId, sourceType))
        Expand(target);
    if (!CanPlaceItem(target, dataItemId, sourceType))
        return false;
    if (!MoveItemInDatabase(source->ItemId(), target->ItemId()))
        return false;

    const bool hadChildren = !source->Children.empty();
    if (target->Expanded) {
        auto moved = std::make_unique<TTreeNode>();
        moved->Caption = source->Caption;
        moved->ImageName = source->ImageName;
        moved->Data = std::move(source->Data);
        moved->Data->ParentItemId = target->ItemId();
        moved->Data->Flags &= static_cast<std::uint8_t>(~ifPublished);
        TTreeNode* added = AppendChild(target, std::move(moved));
        if (hadChildren)
            AddPlaceholder(added);
    } else {
        AddPlaceholder(target);
    }
    DeleteNode(source);
    Expand(target);
    SortLoaded(target);
    SelectChildNode(target, dataItemId, false);
    return true;
}

// ---- order -------------------------------------------------------------------------------------

void TTreeManager::SortLoaded(TTreeNode* node)
{
    TTreeNode* into = node ? node : &root_;
    if (into->Children.size() < 2)
        return;
    if (observer_)
        observer_->BeginReorder(into);
    std::stable_sort(into->Children.begin(), into->Children.end(),
                     [](const auto& a, const auto& b) { return NodeLess(*a, *b); });
    if (observer_)
        observer_->EndReorder(into);
}

void TTreeManager::WriteOrderNum(int itemId, int orderNum, bool touch)
{
    if (touch)
        catalog_sql::Exec(GetConnection(),
                          "UPDATE Items SET OrderNum = " + to_string(orderNum) +
                              ", DateModified = :CurrentDate WHERE CatalogCode = :CatalogCode AND ItemId = " +
                              to_string(itemId),
                          catalogCode_, {{"CurrentDate", catalog_sql::Now()}});
    else
        catalog_sql::Exec(GetConnection(),
                          "UPDATE Items SET OrderNum = " + to_string(orderNum) +
                              " WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId),
                          catalogCode_);
}

void TTreeManager::MoveChild(TTreeNode* parent, int from, int to)
{
    if (from == to)
        return;
    if (observer_)
        observer_->BeginReorder(parent);
    auto node = std::move(parent->Children[from]);
    parent->Children.erase(parent->Children.begin() + from);
    parent->Children.insert(parent->Children.begin() + to, std::move(node));
    if (observer_)
        observer_->EndReorder(parent);
}

void TTreeManager::RenumberOrderedChildren(TTreeNode* node, bool write)
{
    if (!node)
        return;
    int counter = 100;
    bool changed = false;
    for (auto& child : node->Children) {
        if (!child->IsItem() || child->Data->OrderNum <= 0)
            continue;
        changed = changed || child->Data->OrderNum != counter;
        child->Data->OrderNum = counter;
        if (write)
            WriteOrderNum(child->ItemId(), counter, false);
        counter += 100;
    }
    if (changed)
        SortLoaded(node);
}

void TTreeManager::NumberUnorderedChildren(TTreeNode* node, bool write)
{
    if (!node)
        return;
    int counter = 100;
    for (auto& child : node->Children) {
        if (!child->IsItem() || child->Data->OrderNum != 0)
            continue;
        child->Data->OrderNum = counter;
        if (write)
            WriteOrderNum(child->ItemId(), counter, false);
        counter += 100;
    }
    SortLoaded(node);
}

bool TTreeManager::MoveUp(TTreeNode* node)
{
    TTreeNode* parent = Parent(node);
    if (!node || !node->IsItem() || !parent || !parent->IsItem() || !(parent->Data->Flags & ifManualOrder))
        return false;
    TTreeNode* previous = node->PreviousSibling();
    if (!previous || !previous->IsItem() || previous->Data->OrderNum <= 0)
        return false;
    // The renumbering and the exchange are one unit: on a main connection
    // committed together, inside a caller's unit of work left to it.
    TUnitOfWorkScope scope(GetConnection());
    scope.Enter("Items");
    if (node->Data->OrderNum == previous->Data->OrderNum) {
        RenumberOrderedChildren(parent, true);
        previous = node->PreviousSibling();
        if (!previous || !previous->IsItem())
            return false;
    }
    MoveChild(parent, node->Index(), previous->Index());
    WriteOrderNum(node->ItemId(), previous->Data->OrderNum, true);
    WriteOrderNum(previous->ItemId(), node->Data->OrderNum, true);
    scope.Commit();
    std::swap(node->Data->OrderNum, previous->Data->OrderNum);
    return true;
}

bool TTreeManager::MoveDown(TTreeNode* node)
{
    TTreeNode* parent = Parent(node);
    if (!node || !node->IsItem() || !parent || !parent->IsItem() || !(parent->Data->Flags & ifManualOrder))
        return false;
    TTreeNode* next = node->NextSibling();
    if (!next || !next->IsItem())
        return false;
    TUnitOfWorkScope scope(GetConnection());
    scope.Enter("Items");
    if (node->Data->OrderNum == next->Data->OrderNum) {
        RenumberOrderedChildren(parent, true);
        next = node->NextSibling();
        if (!next || !next->IsItem())
            return false;
    }
    MoveChild(parent, node->Index(), next->Index());
    WriteOrderNum(node->ItemId(), next->Data->OrderNum, true);
    WriteOrderNum(next->ItemId(), node->Data->OrderNum, true);
    scope.Commit();
    std::swap(node->Data->OrderNum, next->Data->OrderNum);
    return true;
}

void TTreeManager::ToggleSort(TTreeNode* node)
{
    if (!node || !node->IsItem())
        return;
    TAbstractDBConnection& connection = GetConnection();
    TUnitOfWorkScope scope(connection);
    scope.Enter("Items");
    const catalog_sql::TParams now{{"CurrentDate", catalog_sql::Now()}};
    const char* dontSort = "";
    if (node->Data->Flags & ifManualOrder) {
        catalog_sql::Exec(connection,
                          "UPDATE Items SET OrderNum = 0, DateModified = :CurrentDate WHERE CatalogCode = :CatalogCode "
                          "AND ParentItemId = " + to_string(node->ItemId()) + " AND OrderNum > 0",
                          catalogCode_, now);
        dontSort = "1";
    } else {
        NumberUnorderedChildren(node, true);
        dontSort = "0";
    }
    catalog_sql::Exec(connection,
                      std::string("UPDATE Items SET DontSort = ") + dontSort +
                          ", DateModified = :CurrentDate WHERE CatalogCode = :CatalogCode AND ItemId = " +
                          to_string(node->ItemId()),
                      catalogCode_, now);
    scope.Commit();
    // The tree follows once the rows are written.
    if (node->Data->Flags & ifManualOrder) {
        node->Data->Flags &= static_cast<std::uint8_t>(~ifManualOrder);
        for (auto& child : node->Children)
            if (child->IsItem() && child->Data->OrderNum > 0)
                child->Data->OrderNum = 0;
        SortLoaded(node);
    } else {
        node->Data->Flags |= ifManualOrder;
    }
}

// ---- copying, deleting, republishing ------------------------------------------------------------

int TTreeManager::CopyItemNode(TTreeNode* node, int newItemId)
{
    if (!node)
        node = GetSelectedNode();
    if (!node || !node->IsItem())
        return 0;
    const int copyId = host_.CopyItem(node->ItemId(), newItemId, GetConnection());
    TTreeNode* parent = Parent(node);
    if (copyId == 0 || !parent || !parent->IsItem())
        return copyId;
    RefreshNode(parent, nullptr);
    if (InScope(parent) && !parent->Children.empty()) {
        RereadChildren(parent);
        SelectChildNode(parent, copyId, false);
    }
    return copyId;
}

void TTreeManager::RereadChildren(TTreeNode* node)
{
    node->Expanded = false;
    RemoveChildren(node);
    AddPlaceholder(node);
    if (observer_)
        observer_->ExpandedChanged(node);
    Expand(node);
}

void TTreeManager::DeleteNode(TTreeNode* node)
{
    if (!node || !InScope(node))
        return;
    const bool wasSelected = node->Selected;
    node->Selected = false;
    // The node to select next: the parent, else the next node shown, else the previous one.
    TTreeNode* next = Parent(node);
    if (!next)
        next = node->NextSibling();
    if (!next) {
        next = node->PreviousSibling();
        while (next && next->Expanded && !next->Children.empty())
            next = next->Children.back().get();
    }
    RemoveChild(node->Parent, node->Index());
    if (wasSelected && next)
        SetSelected(next);
}

void TTreeManager::ForceRepublish(TTreeNode* node)
{
    if (!node || !node->IsItem())
        return;
    int answer = 7;
    if (!node->Children.empty()) {
        answer = host_.AskYesNoCancel("Republish all childs too?");
        if (answer == 2)
            return;
    }
    host_.MarkUnsynchronized(node->ItemId(), node->Data->LinkedItemId, GetConnection(), answer == 6);
}
