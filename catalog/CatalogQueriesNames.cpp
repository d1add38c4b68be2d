// Item names with their fall-backs, one item or many at once.
#include "catalog/CatalogQueries.h"

#include "storage/AbstractCatalog.h"
#include "catalog/CatalogQueriesRows.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "storage/CatalogTables.h"

#include <algorithm>
#include <map>
#include <unordered_set>

using namespace catalog_sql;
using catalog_queries::Rows;
using std::to_string;

namespace {

// Ids per statement when names are read in one language: short IN lists.
constexpr std::size_t kNamesBatchSize = 32;

std::string NameRowsOf(int itemId)
{
    return " FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId) +
           " AND ClassId = 1 AND MemberId = 1";
}

std::string JoinIds(const std::vector<int>& ids)
{
    std::string text;
    for (int id : ids)
        text += (text.empty() ? "" : ", ") + to_string(id);
    return text;
}

}  // namespace

std::string TCatalogQueries::OwnName(int itemId, const std::string& langCode, const std::string& catalogCode,
                                     TAbstractDBConnection& connection)
{
    std::string name = TCommonFunctions::VariantToString(
        FirstField(connection,
                   "SELECT MAX( StringValue ) AS StringValue" + NameRowsOf(itemId) +
                       " AND (LangCode = :LangCode OR LangCode = :AllLangCode)",
                   catalogCode, "StringValue", {{"LangCode", langCode}, {"AllLangCode", kNoLanguageCode}}));
    const std::string defaultLang = catalog_.GetDefaultLangCode();
    if (name.empty() && !common_detail::SameText(langCode, defaultLang))
        name = TCommonFunctions::VariantToString(FirstField(
            connection, "SELECT StringValue" + NameRowsOf(itemId) + " AND LangCode = :LangCode", catalogCode, "StringValue",
            {{"LangCode", defaultLang}}));
    return name;
}

std::string TCatalogQueries::GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode)
{
    return ItemNameIn(itemId, LangOr(langCode), Code(), connection);
}

std::string TCatalogQueries::ItemNameIn(int itemId, const std::string& lang, const std::string& catalogCode,
                                        TAbstractDBConnection& connection)
{
    // A placement without a name of its own shows its data item's name. The
    // links are followed each once: a damaged catalog may link in a circle.
    std::unordered_set<int> seen;
    for (int id = itemId; id != 0 && seen.insert(id).second;) {
        std::string name = OwnName(id, lang, catalogCode, connection);
        if (!name.empty())
            return name;
        id = IntOf(FirstField(connection,
                              "SELECT LinkedItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                  to_string(id),
                              catalogCode, "LinkedItemId"));
    }
    return {};
}

void TCatalogQueries::GetItemNames(const std::vector<int>& ids, std::vector<std::string>& names,
                                   TAbstractDBConnection& connection, const std::string& langCode)
{
    names.clear();
    std::vector<int> wanted;
    for (int id : ids)
        if (id != 0 && std::find(wanted.begin(), wanted.end(), id) == wanted.end())
            wanted.push_back(id);
    if (wanted.empty())
        return;
    const std::string lang = LangOr(langCode);
    const std::string defaultLang = catalog_.GetDefaultLangCode();
    struct TChosen {
        std::string value;
        std::string lang;
    };
    std::map<int, TChosen> chosen;
    for (const std::vector<TVariant>& row :
         Rows(connection,
              "SELECT * FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId IN (" + JoinIds(wanted) +
                  ") AND ClassId = 1 AND MemberId = 1",
              Code(), {"ItemId", "LangCode", "StringValue"})) {
        const TChosen candidate{TextOf(row[2]), TextOf(row[1])};
        auto [entry, added] = chosen.try_emplace(IntOf(row[0]), candidate);
        if (added)
            continue;
        // The requested language wins over the default language, which wins
        // over any other row (the first one read).
        TChosen& current = entry->second;
        if (current.value.empty() || common_detail::SameText(candidate.lang, lang))
            current = candidate;
        else if (!common_detail::SameText(current.lang, lang) && common_detail::SameText(candidate.lang, defaultLang))
            current = candidate;
    }
    for (int id : wanted)
        if (const auto found = chosen.find(id); found != chosen.end())
            names.push_back(to_string(id) + "=" + found->second.value);
}

void TCatalogQueries::GetItemNamesInLanguage(const std::vector<int>& ids, std::vector<std::string>& names,
                                             TAbstractDBConnection& connection, const std::string& langCode,
                                             const std::string& catalogCode)
{
    names.clear();
    std::vector<std::string> values(ids.size());
    std::map<int, std::vector<std::size_t>> positions;
    for (std::size_t i = 0; i < ids.size(); ++i)
        positions[ids[i]].push_back(i);
    for (std::size_t start = 0; start < ids.size(); start += kNamesBatchSize) {
        const std::size_t end = std::min(ids.size(), start + kNamesBatchSize);
        std::vector<int> batch;
        for (std::size_t i = start; i < end; ++i)
            if (ids[i] > 0)
                batch.push_back(ids[i]);
        if (batch.empty())
            continue;
        for (const std::vector<TVariant>& row :
             Rows(connection,
                  "SELECT * FROM (SELECT *,(SELECT StringValue FROM CStrings AS c WHERE c.CatalogCode = "
                  "a.CatalogCode AND c.ItemId = a.ItemId AND c.ClassId = 1 AND c.MemberId = 1 AND c.LangCode = "
                  ":LangCode) AS NodeName FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemId IN (" +
                      JoinIds(batch) + ")) ORDER BY OrderNum, NodeName",
                  CodeOr(catalogCode), {"ItemId", "NodeName"}, {{"LangCode", langCode}})) {
            for (std::size_t i : positions[IntOf(row[0])])
                values[i] = TextOf(row[1]);
        }
    }
    for (std::size_t i = 0; i < ids.size(); ++i)
        names.push_back(to_string(ids[i]) + "=" + values[i]);
}
