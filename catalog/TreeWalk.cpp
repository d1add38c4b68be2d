#include "catalog/TreeWalk.h"

#include "catalog/CatalogDefinitionRows.h"
#include "storage/AbstractDBConnection.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"

#include <deque>
#include <unordered_set>

using catalog_definition::IntOf;

namespace {

// Walks up from ItemId; ReachedRoot tells whether the walk ended at a root.
std::vector<int> WalkUp(int itemId, const TTreeWalk::TParentOf& parentOf, bool& reachedRoot)
{
    std::vector<int> chain;
    std::unordered_set<int> seen{itemId};
    reachedRoot = IsRootItemId(itemId);
    int current = itemId;
    while (!reachedRoot) {
        const std::optional<int> parent = parentOf(current);
        if (!parent || !seen.insert(*parent).second)
            break;
        chain.push_back(*parent);
        reachedRoot = IsRootItemId(*parent);
        current = *parent;
    }
    return chain;
}

}  // namespace

std::vector<int> TTreeWalk::Ancestors(int itemId, const TParentOf& parentOf)
{
    bool reachedRoot = false;
    return WalkUp(itemId, parentOf, reachedRoot);
}

std::vector<int> TTreeWalk::Ancestors(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId)
{
    return Ancestors(itemId, ParentsInTable(connection, catalogCode));
}

bool TTreeWalk::ReachesRoot(int itemId, const TParentOf& parentOf)
{
    bool reachedRoot = false;
    WalkUp(itemId, parentOf, reachedRoot);
    return reachedRoot;
}

std::vector<int> TTreeWalk::Descendants(int itemId, const TChildrenOf& childrenOf)
{
    std::vector<int> found;
    std::unordered_set<int> seen{itemId};
    std::deque<int> pending{itemId};
    while (!pending.empty()) {
        const int current = pending.front();
        pending.pop_front();
        const bool fromRoot = IsRootItemId(current);
        for (int child : childrenOf(current)) {
            if ((IsRootItemId(child) && !fromRoot) || !seen.insert(child).second)
                continue;
            found.push_back(child);
            pending.push_back(child);
        }
    }
    return found;
}

std::vector<int> TTreeWalk::Descendants(TAbstractDBConnection& connection, const std::string& catalogCode,
                                        int itemId)
{
    return Descendants(itemId, ChildrenInTable(connection, catalogCode));
}

TTreeWalk::TParentOf TTreeWalk::ParentsInTable(TAbstractDBConnection& connection, const std::string& catalogCode)
{
    return [&connection, catalogCode](int itemId) -> std::optional<int> {
        TQueryGuard query(connection);
        query->SetSQL("SELECT ParentItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " +
                      std::to_string(itemId));
        query->SetParam("CatalogCode", catalogCode);
        TAbstractRecordset& rows = query->Open(true);
        if (rows.Eof())
            return std::nullopt;
        return IntOf(rows.Field("ParentItemId"));
    };
}

TTreeWalk::TChildrenOf TTreeWalk::ChildrenInTable(TAbstractDBConnection& connection, const std::string& catalogCode)
{
    return [&connection, catalogCode](int itemId) {
        TQueryGuard query(connection);
        query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ParentItemId = " +
                      std::to_string(itemId) + " ORDER BY OrderNum, ItemId");
        query->SetParam("CatalogCode", catalogCode);
        std::vector<int> children;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            children.push_back(IntOf(rows.Field("ItemId")));
        return children;
    };
}
