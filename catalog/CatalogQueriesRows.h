#pragma once
// Reading several fields of every row of a catalog statement, for the
// catalog queries that need more than one column (see CatalogItemsSql.h for
// the single-field forms). The query is borrowed and handed back on every
// path; :CatalogCode is bound to the given code.
#include "catalog/CatalogItemsSql.h"
#include "storage/QueryGuard.h"

#include <string>
#include <vector>

namespace catalog_queries {

// The named fields of every row, in row order.
inline std::vector<std::vector<TVariant>> Rows(TAbstractDBConnection& connection, const std::string& sql,
                                               const std::string& catalogCode, const std::vector<std::string>& fields,
                                               const catalog_sql::TParams& params = {})
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", catalogCode);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    std::vector<std::vector<TVariant>> rows;
    for (TAbstractRecordset& set = query->Open(true); !set.Eof(); set.Next()) {
        std::vector<TVariant> row;
        row.reserve(fields.size());
        for (const std::string& field : fields)
            row.push_back(set.Field(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace catalog_queries
