#pragma once
// Running the catalog object's statements: each borrows a query from the
// given connection and hands it back on every way out, binds :CatalogCode
// and the other named parameters, and reads fields with Null as 0 or the
// empty text. Ids are written into the statement texts as decimal numbers.
#include "common/Variant.h"

#include <string>
#include <utility>
#include <vector>

class TAbstractDBConnection;

namespace catalog_sql {

using TParams = std::vector<std::pair<std::string, TVariant>>;

// Runs a statement that returns no rows.
void Exec(TAbstractDBConnection& connection, const std::string& sql, const std::string& catalogCode,
          const TParams& params = {});
// The named field of the first row; Null when there is no row.
TVariant FirstField(TAbstractDBConnection& connection, const std::string& sql, const std::string& catalogCode,
                    const std::string& field, const TParams& params = {});
// The named fields of the first row; empty when there is no row.
std::vector<TVariant> FirstRow(TAbstractDBConnection& connection, const std::string& sql,
                               const std::string& catalogCode, const std::vector<std::string>& fields,
                               const TParams& params = {});
// Whether the statement gives a row.
bool HasRow(TAbstractDBConnection& connection, const std::string& sql, const std::string& catalogCode,
            const TParams& params = {});
// The named field of every row, in row order.
std::vector<TVariant> Column(TAbstractDBConnection& connection, const std::string& sql,
                             const std::string& catalogCode, const std::string& field, const TParams& params = {});

// Field values with Null as 0 or the empty text.
int IntOf(const TVariant& value);
std::string TextOf(const TVariant& value);

// The local date and time now, for DateModified and similar columns.
TDateTime Now();

}  // namespace catalog_sql
