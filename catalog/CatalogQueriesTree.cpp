// Children, subtrees, siblings and ancestors of items, and the search for a
// member value used by another item. Every walk along ParentItemId goes
// through TTreeWalk, so a damaged catalog whose parents form a circle is
// walked once and never hangs the program.
#include "catalog/CatalogQueries.h"

#include "storage/AbstractCatalog.h"
#include "catalog/CatalogQueriesRows.h"
#include "catalog/TreeWalk.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/MemberTypes.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/CatalogTables.h"
#include "storage/MemberValueText.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_set>

using namespace catalog_sql;
using catalog_queries::Rows;
using std::to_string;

namespace {

// A child as a subtree listing shows it.
struct TSubtreeRow {
    int id = 0;
    std::string name;
    bool hasChildren = false;
};

// The name of the item in the language or under "XXX", the greater of the two.
std::string NameColumn(const std::string& itemColumn)
{
    return "(SELECT MAX( StringValue ) FROM CStrings AS c WHERE c.CatalogCode = a.CatalogCode AND c.ItemId = " +
           itemColumn + " AND c.ClassId = 1 AND c.MemberId = 1 AND (c.LangCode = :LangCode OR c.LangCode = "
           ":AllLangCode)) AS NodeName";
}

const char* const kNumChildsColumn =
    "(SELECT COUNT(*) FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND b.ParentItemId = a.ItemId) AS NumChilds";

// The id of an "id=name" line.
int IdOfLine(const std::string& line)
{
    return TMemberValueText::ReadInteger(line.substr(0, line.find('=')));
}

// One row of the walk up: the item's type and visibility.
struct TWalkedItem {
    int id = 0;
    int type = 0;
    bool visible = false;
};

// Walks up from ItemId (see TTreeWalk::Ancestors), recording each item read
// on the way; Chain receives the parents, Walked the items in the same order
// (Walked[k] is the item whose parent is Chain[k]).
void WalkUp(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
            std::vector<int>& chain, std::vector<TWalkedItem>& walked)
{
    chain = TTreeWalk::Ancestors(itemId, [&](int id) -> std::optional<int> {
        const std::vector<TVariant> row =
            FirstRow(connection,
                     "SELECT ParentItemId, ItemType, NotVisible FROM Items WHERE CatalogCode = :CatalogCode AND "
                     "ItemId = :ItemId",
                     catalogCode, {"ParentItemId", "ItemType", "NotVisible"}, {{"ItemId", id}});
        if (row.empty())
            return std::nullopt;
        walked.push_back({id, IntOf(row[1]), IntOf(row[2]) == 0});
        return IntOf(row[0]);
    });
}

}  // namespace

// ---- children and subtrees ---------------------------------------------------------------

void TCatalogQueries::ListSubtree(int parentId, std::vector<std::string>& list, int depth,
                                  TAbstractDBConnection& connection)
{
    // The walk reads each level once; the lines are then written in
    // pre-order, every level listed once.
    std::map<int, std::vector<TSubtreeRow>> levels;
    const auto readLevel = [&](int parent) {
        std::vector<TSubtreeRow>& level = levels[parent];
        std::vector<int> withChildren;
        for (const std::vector<TVariant>& row :
             Rows(connection,
                  "SELECT * FROM (SELECT *," + NameColumn("a.ItemId") + "," + kNumChildsColumn +
                      " FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = " +
                      to_string(parent) + ") ORDER BY OrderNum, NodeName",
                  Code(), {"ItemId", "NodeName", "NumChilds"},
                  {{"LangCode", catalog_.GetCurrentLangCode()}, {"AllLangCode", kNoLanguageCode}})) {
            level.push_back({IntOf(row[0]), TextOf(row[1]), IntOf(row[2]) > 0});
            if (level.back().hasChildren)
                withChildren.push_back(level.back().id);
        }
        return withChildren;
    };
    TTreeWalk::Descendants(parentId, readLevel);

    struct TFrame {
        int parent;
        std::size_t next;
        int depth;
    };
    std::unordered_set<int> listed{parentId};
    std::vector<TFrame> stack{{parentId, 0, std::max(depth, 0)}};
    while (!stack.empty()) {
        TFrame& frame = stack.back();
        const std::vector<TSubtreeRow>& level = levels[frame.parent];
        if (frame.next >= level.size()) {
            stack.pop_back();
            continue;
        }
        const TSubtreeRow& row = level[frame.next++];
        list.push_back(std::string(static_cast<std::size_t>(frame.depth) * 3 + 1, ' ') + row.name + "===" +
                       to_string(row.id));
        if (row.hasChildren && levels.count(row.id) && listed.insert(row.id).second)
            stack.push_back({row.id, 0, frame.depth + 1});
    }
}

void TCatalogQueries::ListChildren(int parentId, std::vector<std::string>& list, int itemType,
                                   TAbstractDBConnection& connection, const std::string& langCode,
                                   const std::string& catalogCode)
{
    const std::string lang = LangOr(langCode);
    const std::string code = CodeOr(catalogCode);
    std::string sql = "SELECT * FROM (SELECT *, " + NameColumn("a.ItemId") +
                      " FROM Items a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = " + to_string(parentId);
    if (itemType != 0)
        sql += " AND a.ItemType = " + to_string(itemType);
    const std::string defaultLang = catalog_.GetDefaultLangCode();
    for (const std::vector<TVariant>& row : Rows(connection, sql + " ) ORDER BY OrderNum, NodeName", code,
                                                 {"ItemId", "NodeName"},
                                                 {{"LangCode", lang}, {"AllLangCode", kNoLanguageCode}})) {
        const int id = IntOf(row[0]);
        std::string name = TextOf(row[1]);
        if (name.empty() && !common_detail::SameText(lang, defaultLang))
            name = ItemNameIn(id, defaultLang, code, connection);
        list.push_back(to_string(id) + "=" + name);
    }
}

void TCatalogQueries::ListVisibleChildren(int parentId, std::vector<std::string>& list, int itemType,
                                          const std::string& langCode, TAbstractDBConnection& connection)
{
    ListVisibleChildrenOf(parentId, list, itemType, langCode, connection, Code());
}

void TCatalogQueries::ListVisibleChildrenOf(int parentId, std::vector<std::string>& list, int itemType,
                                            const std::string& langCode, TAbstractDBConnection& connection,
                                            const std::string& catalogCode)
{
    list.clear();
    if (parentId == 0)
        return;
    // An empty NotVisible counts as visible, as everywhere else.
    const std::string lang = LangOr(langCode);
    std::string sql = "SELECT * FROM (SELECT a.ItemId, a.OrderNum," + NameColumn("a.LinkedItemId") +
                      " FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND (a.NotVisible = 0 OR a.NotVisible IS NULL) ";
    if (itemType != 0)
        sql += " AND a.ItemType = " + to_string(itemType);
    sql += " AND a.ParentItemId = " + to_string(parentId) + ") ORDER BY OrderNum, NodeName";
    const std::string defaultLang = catalog_.GetDefaultLangCode();
    for (const std::vector<TVariant>& row : Rows(connection, sql, catalogCode, {"ItemId", "NodeName"},
                                                 {{"LangCode", lang}, {"AllLangCode", kNoLanguageCode}})) {
        const int id = IntOf(row[0]);
        std::string name = TextOf(row[1]);
        if (name.empty())
            name = common_detail::SameText(lang, defaultLang) ? std::string("(No name for the language)")
                                                              : ItemNameIn(id, defaultLang, catalogCode, connection);
        list.push_back(to_string(id) + "=" + name);
    }
}

int TCatalogQueries::CountItemsOfType(int parentId, int itemType, TAbstractDBConnection& connection,
                                      const std::string& catalogCode)
{
    const std::string code = CodeOr(catalogCode);
    int count = 0;
    // Children none of whose placements is hidden count, and so do the
    // items below such children.
    const auto countLevel = [&](int parent) {
        std::vector<int> withChildren;
        for (const std::vector<TVariant>& row :
             Rows(connection,
                  "SELECT a.ItemId, a.ItemType, " + std::string(kNumChildsColumn) +
                      " FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = " + to_string(parent) +
                      " AND ((SELECT MAX( c.NotVisible ) FROM Items AS c WHERE c.CatalogCode = a.CatalogCode AND "
                      "c.LinkedItemId = a.LinkedItemId) <> 1 OR (SELECT MAX( d.NotVisible ) FROM Items AS d WHERE "
                      "d.CatalogCode = a.CatalogCode AND d.LinkedItemId = a.LinkedItemId) IS NULL)",
                  code, {"ItemId", "ItemType", "NumChilds"})) {
            if (IntOf(row[1]) == itemType)
                ++count;
            if (IntOf(row[2]) > 0)
                withChildren.push_back(IntOf(row[0]));
        }
        return withChildren;
    };
    TTreeWalk::Descendants(parentId, countLevel);
    return count;
}

int TCatalogQueries::GetSiblingId(int itemId, const std::string& catalogCode, bool forward,
                                  TAbstractDBConnection& connection, bool sameTypeOnly)
{
    if (itemId == 0)
        return 0;
    const std::string code = CodeOr(catalogCode);
    const int itemType = sameTypeOnly ? GetItemType(itemId, code, connection) : 0;
    const int parentId = TTreeWalk::ParentsInTable(connection, code)(itemId).value_or(0);
    std::vector<std::string> siblings;
    ListVisibleChildrenOf(parentId, siblings, itemType, catalog_.GetDefaultLangCode(), connection, code);
    const auto found =
        std::find_if(siblings.begin(), siblings.end(), [&](const std::string& line) { return IdOfLine(line) == itemId; });
    if (found == siblings.end())
        return 0;
    if (forward)
        return found + 1 == siblings.end() ? 0 : IdOfLine(*(found + 1));
    return found == siblings.begin() ? 0 : IdOfLine(*(found - 1));
}

int TCatalogQueries::GetPreviousSiblingId(int itemId, const std::string& catalogCode,
                                          TAbstractDBConnection& connection, bool sameTypeOnly)
{
    return GetSiblingId(itemId, catalogCode, false, connection, sameTypeOnly);
}

int TCatalogQueries::GetNextSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                                      bool sameTypeOnly)
{
    return GetSiblingId(itemId, catalogCode, true, connection, sameTypeOnly);
}

// ---- ancestors ------------------------------------------------------------------------------

std::vector<int> TCatalogQueries::GetParentChain(int itemId, TAbstractDBConnection& connection)
{
    std::vector<int> result;
    if (itemId == 0)
        return result;
    std::vector<int> chain;
    std::vector<TWalkedItem> walked;
    WalkUp(itemId, Code(), connection, chain, walked);
    for (std::size_t k = 0; k < walked.size() && k < chain.size(); ++k)
        if (walked[k].visible && chain[k] != 0)
            result.push_back(chain[k]);
    return result;
}

std::vector<int> TCatalogQueries::GetItemPath(int itemId, const std::vector<int>& itemTypes,
                                              TAbstractDBConnection& connection, const std::string& catalogCode)
{
    std::vector<int> result;
    if (itemId == 0)
        return result;
    std::vector<int> chain;
    std::vector<TWalkedItem> walked;
    WalkUp(itemId, CodeOr(catalogCode), connection, chain, walked);
    for (const TWalkedItem& item : walked)
        if (item.visible &&
            (itemTypes.empty() || std::find(itemTypes.begin(), itemTypes.end(), item.type) != itemTypes.end()))
            result.push_back(item.id);
    return result;
}

// ---- values already used -----------------------------------------------------------------------

bool TCatalogQueries::MemberValueExistsIn(int itemType, int parentId, TAbstractDBConnection& connection, int itemId,
                                          const std::string& value, const std::string& memberName,
                                          const std::string& classTag)
{
    const int classId = context_.GetClassId(classTag);
    TAbstractCClassDefinition* definition = classId == 0 ? nullptr : context_.GetClassDefinition(classId);
    const int memberId = definition ? definition->GetMemberId(memberName) : 0;
    if (memberId == 0)
        return false;
    const int memberType = definition->GetMemberType(memberId);
    std::string sql;
    TParams params;
    if (memberType <= kLastStringMemberType) {
        sql = "SELECT a.ItemId FROM CStrings a WHERE a.CatalogCode = :CatalogCode AND a.ClassId = " +
              to_string(classId) + " AND a.MemberId = " + to_string(memberId) +
              " AND a.StringValue = :StringValue AND a.ItemId <> " + to_string(itemId);
        params.emplace_back("StringValue", TCommonFunctions::AnsiToWide(value));
    } else if (memberType > kFirstIntegerMemberType) {
        sql = "SELECT a.ItemId FROM CNumbers a WHERE a.CatalogCode = :CatalogCode AND a.ClassId = " +
              to_string(classId) + " AND a.MemberId = " + to_string(memberId) +
              " AND a.NumberValue = :NumberValue AND a.ItemId <> " + to_string(itemId);
        params.emplace_back("NumberValue", TMemberValueText::ReadFloat(value));
    } else {
        return false;
    }
    if (itemType != 0)
        sql += " AND a.ItemId IN (SELECT b.ItemId FROM Items b WHERE b.CatalogCode = a.CatalogCode AND b.ItemType = " +
               to_string(itemType) + ")";
    if (parentId != 0)
        sql += " AND a.ItemId IN (SELECT c.ItemId FROM Items c WHERE c.CatalogCode = a.CatalogCode AND "
               "c.ParentItemId = " + to_string(parentId) + ")";
    return HasRow(connection, sql, Code(), params);
}

bool TCatalogQueries::MemberValueExists(TAbstractDBConnection& connection, int itemId, const std::string& value,
                                        const std::string& memberName, const std::string& classTag)
{
    return MemberValueExistsIn(0, 0, connection, itemId, value, memberName, classTag);
}
