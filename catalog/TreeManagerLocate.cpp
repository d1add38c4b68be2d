// Locating, searching and selection in a tree manager's tree.
#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogQueriesRows.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeManagerHost.h"
#include "catalog/TreeManagerObserver.h"
#include "catalog/TreeWalk.h"
#include "common/CommonFunctionsDetail.h"

#include <algorithm>

using std::to_string;

namespace {

// Deeper trees than this are not searched further: a catalog tree is never
// nearly as deep, and the search must not exhaust the stack.
constexpr int kMaxSearchDepth = 1000;

bool IsRootId(int itemId)
{
    return itemId >= 0 && itemId <= 99;
}

}  // namespace

TTreeNode* TTreeManager::FindLoaded(int itemId, TTreeNode* from) const
{
    const std::vector<TTreeNode*> nodes = AllNodes();
    auto it = from ? std::find(nodes.begin(), nodes.end(), from) : nodes.begin();
    for (; it != nodes.end(); ++it)
        if ((*it)->IsItem() && (*it)->ItemId() == itemId)
            return *it;
    return nullptr;
}

TTreeNode* TTreeManager::FindAmongSiblings(TTreeNode* first, int itemId) const
{
    for (TTreeNode* node = first; node; node = node->NextSibling())
        if (node->IsItem() && node->ItemId() == itemId)
            return node;
    return nullptr;
}

void TTreeManager::RevealNode(TTreeNode* node)
{
    if (!node)
        return;
    for (TTreeNode* up = Parent(node); up; up = Parent(up))
        if (!up->Expanded) {
            up->Expanded = true;
            if (observer_)
                observer_->ExpandedChanged(up);
        }
    if (observer_)
        observer_->MakeVisible(node);
}

void TTreeManager::SelectItem(int itemId)
{
    TTreeNode* first = root_.FirstChild();
    if (!first)
        return;
    TTreeNode* node = itemId == 0 ? first : FindLoaded(itemId);
    SetSelected(node ? node : first);
    RevealNode(node ? node : first);
}

void TTreeManager::LocateItem(int itemId, const std::vector<int>* givenPath)
{
    TTreeNode* selected = GetSelectedNode();
    if (selected && selected->IsItem() && selected->ItemId() == itemId)
        return;
    if (TTreeNode* loaded = FindLoaded(itemId)) {
        SetSelected(loaded);
        RevealNode(loaded);
        return;
    }
    std::vector<int> path;
    if (givenPath)
        path = *givenPath;
    else
        for (int id : host_.GetParentChain(itemId, GetConnection()))
            // A tree of the whole catalog (root 0) shows the roots as its top-level nodes.
            if (id >= 100 || (rootItemId_ == 0 && id > 0))
                path.push_back(id);
    // The tree's own root and what lies above it are not nodes of the tree.
    const auto rootAt = std::find(path.begin(), path.end(), rootItemId_);
    path.erase(rootAt, path.end());

    TTreeNode* parentNode = nullptr;
    TTreeNode* level = root_.FirstChild();
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        TTreeNode* found = *it != 0 ? FindAmongSiblings(level, *it) : nullptr;
        if (!found || found->Children.empty())
            return;
        Expand(found);
        parentNode = found;
        level = found->FirstChild();
    }
    TTreeNode* node = FindAmongSiblings(parentNode ? parentNode->FirstChild() : root_.FirstChild(), itemId);
    if (node) {
        SetSelected(node);
        RevealNode(node);
    }
}

void TTreeManager::LocateOtherPlace(int itemId)
{
    locatedItemId_ = itemId;
    const auto rows = catalog_queries::Rows(
        GetConnection(),
        "SELECT ItemId, ParentItemId FROM Items WHERE CatalogCode = :CatalogCode AND LinkedItemId = " +
            to_string(itemId),
        catalogCode_, {"ItemId", "ParentItemId"});
    if (rows.empty()) {
        if (observer_)
            observer_->Repaint();
        return;
    }
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (catalog_sql::IntOf(rows[i][0]) != itemId) {
            chosen = i;
            break;
        }
    const int placementId = catalog_sql::IntOf(rows[chosen][0]);
    const int parentId = catalog_sql::IntOf(rows[chosen][1]);
    // The path from the top down to the placement's parent, bounded against loops.
    std::vector<int> path;
    if (!IsRootId(parentId) && parentId != rootItemId_) {
        path.push_back(parentId);
        for (int id : TTreeWalk::Ancestors(GetConnection(), catalogCode_, parentId)) {
            if (IsRootId(id) || id == rootItemId_)
                break;
            path.push_back(id);
        }
    }
    std::reverse(path.begin(), path.end());
    TTreeNode* level = root_.FirstChild();
    for (int id : path) {
        TTreeNode* found = FindAmongSiblings(level, id);
        if (!found)
            break;
        Expand(found);
        level = found->FirstChild();
    }
    if (TTreeNode* placement = FindAmongSiblings(level, placementId)) {
        Expand(placement);
        RevealNode(placement);
    }
    if (observer_)
        observer_->Repaint();
}

bool TTreeManager::FindNext(const std::string& text)
{
    const std::string wanted = common_detail::LowerCase(text);
    TTreeNode* start = GetSelectedNode();
    if (!start)
        start = root_.FirstChild();
    if (!start)
        return false;
    std::vector<int> path;
    for (TTreeNode* node = start; node; node = Parent(node))
        if (node->IsItem())
            path.insert(path.begin(), node->ItemId());
    // The start node's subtree is searched first; after a finished subtree
    // the search goes on with the node after it, never into it again.
    bool found = SearchBelow(wanted, path, 0, true);
    while (!path.empty() && !found)
        found = SearchBelow(wanted, path, 0, false);
    if (!found)
        return false;
    TTreeNode* before = GetSelectedNode();
    SelectPath(path);
    return GetSelectedNode() != before;
}

bool TTreeManager::SearchBelow(const std::string& text, std::vector<int>& path, int depth, bool intoStart)
{
    if (path.empty() || depth > kMaxSearchDepth)
        return false;
    const int from = path.back();
    path.pop_back();
    const int parentId = path.empty() ? rootItemId_ : path.back();
    const auto rows = ReadRows(GetConnection(), ChildrenSql(parentId));
    bool matching = from == 0;
    for (const TRow& row : rows) {
        if ((options_ & toHideEmptyFolders) && row.ItemType == 2 && row.NumChilds == 0)
            continue;
        if (std::find(hiddenItemTypes_.begin(), hiddenItemTypes_.end(), row.ItemType) != hiddenItemTypes_.end())
            continue;
        // An item already on the path is a loop in the catalog: not entered again.
        if (row.ItemId == rootItemId_ || std::find(path.begin(), path.end(), row.ItemId) != path.end())
            continue;
        const bool isStart = !matching && row.ItemId == from;
        if (!matching && !isStart)
            continue;
        if (isStart && !intoStart) {
            matching = true;
            continue;
        }
        if (!isStart && common_detail::LowerCase(row.NodeName).find(text) != std::string::npos) {
            path.push_back(row.ItemId);
            return true;
        }
        matching = true;
        if (row.NumChilds > 0) {
            path.push_back(row.ItemId);
            path.push_back(0);
            if (SearchBelow(text, path, depth + 1, false))
                return true;
            path.pop_back();
        }
    }
    return false;
}

void TTreeManager::SelectPath(const std::vector<int>& path)
{
    if (path.empty())
        return;
    TTreeNode* node = FindAmongSiblings(root_.FirstChild(), path.front());
    for (std::size_t i = 1; node && i < path.size(); ++i) {
        Expand(node);
        node = FindAmongSiblings(node->FirstChild(), path[i]);
    }
    if (node) {
        SetSelected(node);
        RevealNode(node);
    }
}

void TTreeManager::SelectChildNode(TTreeNode* parentNode, int itemId, bool editCaption)
{
    TTreeNode* into = parentNode ? parentNode : &root_;
    for (auto& child : into->Children)
        if (child->IsItem() && (child->Data->ItemId == itemId || child->Data->LinkedItemId == itemId)) {
            SetSelected(child.get());
            RevealNode(child.get());
            if (editCaption && (options_ & toEditNewCaption) && observer_)
                observer_->EditCaption(child.get());
            return;
        }
}

void TTreeManager::RevealChild(TTreeNode* parentNode, int itemId)
{
    TTreeNode* into = parentNode ? parentNode : &root_;
    for (auto& child : into->Children)
        if (child->IsItem() && (child->Data->ItemId == itemId || child->Data->LinkedItemId == itemId)) {
            RevealNode(child.get());
            return;
        }
}

void TTreeManager::GetSelectedItemIds(std::vector<std::string>& list) const
{
    list.clear();
    if (options_ & toMultiSelect) {
        for (TTreeNode* node : AllNodes())
            if (node->Selected && node->IsItem())
                list.push_back(to_string(node->ItemId()));
        return;
    }
    TTreeNode* selected = GetSelectedNode();
    if (selected && selected->IsItem())
        list.push_back(to_string(selected->ItemId()));
}

void TTreeManager::MakeSelectedVisible()
{
    RevealNode(GetSelectedNode());
}
