#include "generation/StyleLoader.h"

#include "catalog/CatalogDefinitionItems.h"
#include "catalog/CatalogItemsSql.h"
#include "storage/MemberValueText.h"
#include "storage/UnitOfWorkScope.h"

#include <utility>

namespace {

// The version object of a template; its member 3 flags a change by the user.
constexpr int kVersionClassId = 505;
constexpr int kModifiedByUserMember = 3;

// The name=value lines as the one parameter text the copy reads ("&" between fields).
std::string JoinFields(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text.append(text.empty() ? "" : "&").append(line);
    return text;
}

}  // namespace

TStyleLoader::TStyleLoader(TCatalog& catalog, std::string targetCatalogCode, std::string sourceCatalogCode)
    : catalog_(catalog),
      targetCatalogCode_(std::move(targetCatalogCode)),
      sourceCatalogCode_(std::move(sourceCatalogCode))
{
}

void TStyleLoader::CopyItems(const std::vector<std::string>& itemIds, TAbstractDBConnection& target,
                             TAbstractDBConnection& source, const std::vector<std::string>* params, bool addOnly,
                             bool stampNow)
{
    // Given Params always reach the master templates, an empty list as zeros.
    const std::string lines = params ? (params->empty() ? std::string("&") : JoinFields(*params)) : std::string();
    TCatalogDefinitionItems(catalog_, targetCatalogCode_, sourceCatalogCode_)
        .CopyItems(itemIds, target, source, lines, addOnly, stampNow);
}

void TStyleLoader::CopyItemsPlain(const std::vector<std::string>& itemIds, TAbstractDBConnection& first,
                                  TAbstractDBConnection& second)
{
    // The other direction: the first code is the source.
    TCatalogDefinitionItems copier(catalog_, sourceCatalogCode_, targetCatalogCode_);
    TUnitOfWorkScope unit(second);
    unit.Enter("Items");
    for (const std::string& text : itemIds) {
        const int id = TMemberValueText::ReadInteger(text);
        if (id == 0)
            continue;
        // One id at a time: its rows only are read, the destination's item
        // is replaced and stamped now.
        copier.CopyItems({std::to_string(id)}, second, first, "", false, true);
        catalog_sql::Exec(second,
                          "DELETE FROM CNumbers WHERE CatalogCode = :CatalogCode AND ClassId = " +
                              std::to_string(kVersionClassId) + " AND MemberId = " +
                              std::to_string(kModifiedByUserMember) + " AND ItemId = " + std::to_string(id),
                          sourceCatalogCode_);
    }
    unit.Commit();
}

void TStyleLoader::DeleteItems(const std::vector<std::string>& itemIds, TAbstractDBConnection& connection)
{
    TCatalogDefinitionItems(catalog_, targetCatalogCode_, sourceCatalogCode_).DeleteItems(itemIds, connection);
}
