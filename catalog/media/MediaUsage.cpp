#include "catalog/media/MediaUsage.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogQueriesRows.h"
#include "common/CommonBinary.h"
#include "common/CommonFunctionsDetail.h"
#include "common/MemberTypes.h"
#include "storage/IdRanges.h"
#include "storage/UnitOfWorkScope.h"

#include <algorithm>

using catalog_sql::IntOf;
using catalog_sql::TextOf;

namespace {

// The predefined style of a style catalog lists the ids of the images it
// loads ("IncludeStyles") and of the backgrounds it offers ("Backgrounds").
constexpr int kPreDefinedStyleClassId = 510;
constexpr int kIncludeStylesMemberId = 1;
constexpr int kBackgroundsMemberId = 9;
// Ids named in one statement.
constexpr std::size_t kIdsPerStatement = 500;

std::string Lower(const std::string& text) { return common_detail::LowerCase(text); }

}  // namespace

TMediaUsage::TMediaUsage(TCatalog& catalog, TAbstractDBConnection& connection, std::string catalogCode,
                         TMediaKind kind)
    : catalog_(catalog), connection_(connection), code_(std::move(catalogCode)), kind_(kind)
{
}

void TMediaUsage::Read()
{
    candidates_.clear();
    children_.clear();
    gone_.clear();
    pending_.clear();
    parentsOfOthers_.clear();
    memberUsers_.clear();
    names_.clear();
    const std::string type = std::to_string(ItemTypeOf(kind_));
    const std::string ofType = "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = " + type;

    for (const std::vector<TVariant>& row :
         catalog_queries::Rows(connection_,
                               "SELECT ItemId, ParentItemId, DontDelete FROM Items WHERE CatalogCode = :CatalogCode "
                               "AND ItemType = " + type + " ORDER BY ItemId",
                               code_, {"ItemId", "ParentItemId", "DontDelete"})) {
        TCandidate candidate;
        candidate.ParentItemId = IntOf(row[1]);
        candidate.DontDelete = IntOf(row[2]) != 0;
        candidates_.emplace(IntOf(row[0]), std::move(candidate));
    }
    for (const auto& [id, candidate] : candidates_)
        children_[candidate.ParentItemId].push_back(id);
    for (auto& [parent, ids] : children_)
        std::sort(ids.begin(), ids.end());

    // Items below a candidate that are not of its kind keep it.
    for (const TVariant& parent : catalog_sql::Column(
             connection_,
             "SELECT DISTINCT ParentItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemType <> " + type +
                 " AND ParentItemId IN (" + ofType + ")",
             code_, "ParentItemId"))
        parentsOfOthers_.insert(IntOf(parent));

    for (const std::vector<TVariant>& row : catalog_queries::Rows(
             connection_,
             "SELECT s.ItemId, s.StringValue FROM CStrings AS s JOIN Items AS i ON i.CatalogCode = s.CatalogCode "
             "AND i.ItemId = s.ItemId AND i.ItemType = " + type +
                 " WHERE s.CatalogCode = :CatalogCode AND s.ClassId = 1 AND s.MemberId = 2",
             code_, {"ItemId", "StringValue"})) {
        const auto found = candidates_.find(IntOf(row[0]));
        const std::string name = Lower(TextOf(row[1]));
        if (found != candidates_.end() && !name.empty())
            found->second.AltNames.push_back(name);
    }

    // Member values that hold the item's id, and placements of it elsewhere (link copies).
    const std::string memberTypes = std::to_string(kImageItemIdMemberType) + ", " +
                                    std::to_string(kItemIdMemberType) + ", " +
                                    std::to_string(kNestedItemIdMemberType);
    for (const std::vector<TVariant>& row : catalog_queries::Rows(
             connection_,
             "SELECT ItemId, CAST(NumberValue AS INTEGER) AS Referred FROM CNumbers WHERE CatalogCode = :CatalogCode "
             "AND MemberType IN (" + memberTypes + ") AND NumberValue IN (" + ofType + ") "
             "UNION ALL SELECT ItemId, LinkedItemId AS Referred FROM Items WHERE CatalogCode = :CatalogCode "
             "AND LinkedItemId <> 0 AND LinkedItemId <> ItemId AND LinkedItemId IN (" + ofType + ")",
             code_, {"ItemId", "Referred"}))
        memberUsers_[IntOf(row[1])].push_back(IntOf(row[0]));

    std::vector<std::string> named;
    if (kind_ == TMediaKind::Images) {
        // After "../images/" a double quote, "<", "[" or "{" starts a
        // template's placeholder, not a picture's name.
        TCommonBinary::AddNamesAfterMarker(code_, "../images/", "\"<[{", named, connection_);
        for (const TVariant& value : catalog_sql::Column(
                 connection_,
                 "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                     std::to_string(kPreDefinedStyleClassId) + " AND MemberId IN (" +
                     std::to_string(kIncludeStylesMemberId) + ", " + std::to_string(kBackgroundsMemberId) + ")",
                 code_, "StringValue"))
            named.push_back(TextOf(value));
    } else {
        TCommonBinary::AddNamesAfterMarker(code_, "../bin/", "", named, connection_);
    }
    for (const std::string& name : named)
        names_.insert(Lower(common_detail::Trim(name)));
}

std::vector<int> TMediaUsage::Subtree(int itemId) const
{
    std::vector<int> subtree{itemId};
    for (std::size_t i = 0; i < subtree.size(); ++i) {
        const auto found = children_.find(subtree[i]);
        if (found == children_.end())
            continue;
        for (const int child : found->second)
            // A damaged catalog's circle is walked once.
            if (std::find(subtree.begin(), subtree.end(), child) == subtree.end())
                subtree.push_back(child);
    }
    return subtree;
}

bool TMediaUsage::NamedOrListed(int itemId) const
{
    if (names_.count(std::to_string(itemId)))
        return true;
    const auto found = candidates_.find(itemId);
    if (found == candidates_.end())
        return false;
    return std::any_of(found->second.AltNames.begin(), found->second.AltNames.end(),
                       [this](const std::string& name) { return names_.count(name) != 0; });
}

bool TMediaUsage::UsedFromOutside(const std::vector<int>& subtree) const
{
    for (const int id : subtree) {
        if (NamedOrListed(id) || parentsOfOthers_.count(id))
            return true;
        const auto users = memberUsers_.find(id);
        if (users == memberUsers_.end())
            continue;
        for (const int user : users->second)
            if (!gone_.count(user) && std::find(subtree.begin(), subtree.end(), user) == subtree.end())
                return true;
    }
    return false;
}

bool TMediaUsage::Deletable(int itemId) const
{
    if (!candidates_.count(itemId))
        return false;
    const std::vector<int> subtree = Subtree(itemId);
    for (const int id : subtree)
        if (candidates_.at(id).DontDelete)
            return false;
    return !UsedFromOutside(subtree);
}

int TMediaUsage::Forget(int itemId)
{
    const std::vector<int> subtree = Subtree(itemId);
    // What goes is no candidate and uses nothing any more.
    for (const int id : subtree) {
        const auto found = candidates_.find(id);
        if (found != candidates_.end()) {
            auto& siblings = children_[found->second.ParentItemId];
            siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
            candidates_.erase(found);
        }
        children_.erase(id);
        gone_.insert(id);
        pending_.push_back(id);
    }
    return static_cast<int>(subtree.size());
}

void TMediaUsage::WritePending()
{
    // The items have no link copies (a link copy is a use) and nothing below
    // them but their own subtree's items: their rows go by id, a few hundred
    // at a time, as one delete of each does (tombstones for published ids).
    static const char* const kValueTables[] = {"CDates", "CNumbers", "CStrings", "CText", "CBinary", "CObjectInstances"};
    for (std::size_t first = 0; first < pending_.size(); first += kIdsPerStatement) {
        std::string ids;
        std::vector<int> published;
        for (std::size_t i = first; i < std::min(pending_.size(), first + kIdsPerStatement); ++i) {
            ids += (ids.empty() ? "" : ",") + std::to_string(pending_[i]);
            if (!IsLocalItemId(pending_[i]))
                published.push_back(pending_[i]);
        }
        for (const char* table : kValueTables)
            catalog_sql::Exec(connection_,
                              std::string("DELETE FROM ") + table + " WHERE CatalogCode = :CatalogCode AND ItemId IN (" +
                                  ids + ")",
                              code_);
        catalog_sql::Exec(connection_, "DELETE FROM Items WHERE CatalogCode = :CatalogCode AND ItemId IN (" + ids + ")",
                          code_);
        if (published.empty())
            continue;
        std::string tombstones;
        for (const int id : published)
            tombstones += (tombstones.empty() ? "" : ",") + std::to_string(id);
        catalog_sql::Exec(connection_,
                          "DELETE FROM DeletedItems WHERE CatalogCode = :CatalogCode AND ItemId IN (" + tombstones + ")",
                          code_);
        std::string values;
        for (const int id : published)
            values += std::string(values.empty() ? "" : ",") + "(:CatalogCode, " + std::to_string(id) + ", :Now)";
        catalog_sql::Exec(connection_, "INSERT INTO DeletedItems (CatalogCode, ItemId, DateModified) VALUES " + values,
                          code_, {{"Now", catalog_sql::Now()}});
    }
    pending_.clear();
}

int TMediaUsage::DeleteSubtree(int itemId)
{
    const int count = Forget(itemId);
    WritePending();
    return count;
}

std::vector<int> TMediaUsage::TopDownOrder() const
{
    std::vector<int> ids;
    for (const auto& [id, candidate] : candidates_)
        ids.push_back(id);
    std::sort(ids.begin(), ids.end());
    std::unordered_set<int> placed;
    std::vector<int> order;
    for (const int id : ids) {
        // The top candidate above the item comes first with its subtree.
        int top = id;
        for (int guard = 0; guard < 64; ++guard) {
            const auto parent = candidates_.find(candidates_.at(top).ParentItemId);
            if (parent == candidates_.end() || parent->first == id)
                break;
            top = parent->first;
        }
        for (const int member : Subtree(top))
            if (placed.insert(member).second)
                order.push_back(member);
    }
    return order;
}

std::vector<int> TMediaUsage::Unreferenced(int* count)
{
    Read();
    std::vector<int> tops;
    std::unordered_set<int> taken;
    int items = 0;
    for (const int id : TopDownOrder()) {
        if (taken.count(id) || !Deletable(id))
            continue;
        tops.push_back(id);
        for (const int member : Subtree(id))
            if (taken.insert(member).second)
                ++items;
    }
    if (count)
        *count = items;
    return tops;
}

bool TMediaUsage::IsInUse(int itemId)
{
    Read();
    if (!candidates_.count(itemId))
        return false;
    return UsedFromOutside(Subtree(itemId));
}

int TMediaUsage::DeleteIfUnused(int itemId)
{
    TUnitOfWorkScope unit(connection_);
    unit.Enter("Items");
    Read();
    const int deleted = Deletable(itemId) ? DeleteSubtree(itemId) : 0;
    unit.Commit();
    return deleted;
}

TMediaUsage::TResult TMediaUsage::DeleteUnreferenced(const TProgress& progress, const std::string& langCode)
{
    TResult result;
    TUnitOfWorkScope unit(connection_);
    unit.Enter("Items");
    Read();
    result.Candidates = static_cast<int>(candidates_.size());

    std::unordered_map<int, std::string> names;
    if (progress)
        for (const std::vector<TVariant>& row : catalog_queries::Rows(
                 connection_,
                 "SELECT s.ItemId, s.StringValue, s.LangCode FROM CStrings AS s JOIN Items AS i ON "
                 "i.CatalogCode = s.CatalogCode AND i.ItemId = s.ItemId AND i.ItemType = " +
                     std::to_string(ItemTypeOf(kind_)) +
                     " WHERE s.CatalogCode = :CatalogCode AND s.ClassId = 1 AND s.MemberId = 1 AND "
                     "(s.LangCode = :LangCode OR s.LangCode = 'XXX')",
                 code_, {"ItemId", "StringValue", "LangCode"}, {{"LangCode", langCode}})) {
            std::string& name = names[IntOf(row[0])];
            if (name.empty() || TextOf(row[2]) == langCode)
                name = TextOf(row[1]);
        }

    // Parents before their children, so that a main picture takes its copies along.
    const std::vector<int> order = TopDownOrder();

    int done = 0;
    for (const int id : order) {
        if (progress && !progress(done, result.Candidates, names[id])) {
            result.Cancelled = true;
            break;
        }
        ++done;
        if (candidates_.count(id) && Deletable(id))
            result.Deleted += Forget(id);
    }
    WritePending();
    unit.Commit();
    return result;
}
