#include "catalog/CatalogItemsSql.h"

#include "catalog/CatalogDefinitionRows.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"

namespace catalog_sql {

namespace {

void Prepare(TAbstractDBQuery& query, const std::string& sql, const std::string& catalogCode,
             const TParams& params)
{
    query.SetSQL(sql);
    query.SetParam("CatalogCode", catalogCode);
    for (const auto& [name, value] : params)
        query.SetParam(name, value);
}

}  // namespace

void Exec(TAbstractDBConnection& connection, const std::string& sql, const std::string& catalogCode,
          const TParams& params)
{
    TQueryGuard query(connection);
    Prepare(*query, sql, catalogCode, params);
    query->ExecSQL();
}

TVariant FirstField(TAbstractDBConnection& connection, const std::string& sql, const std::string& catalogCode,
                    const std::string& field, const TParams& params)
{
    TQueryGuard query(connection);
    Prepare(*query, sql, catalogCode, params);
    TAbstractRecordset& rows = query->Open(true);
    return rows.Eof() ? TVariant() : rows.Field(field);
}

std::vector<TVariant> FirstRow(TAbstractDBConnection& connection, const std::string& sql,
                               const std::string& catalogCode, const std::vector<std::string>& fields,
                               const TParams& params)
{
    TQueryGuard query(connection);
    Prepare(*query, sql, catalogCode, params);
    TAbstractRecordset& rows = query->Open(true);
    std::vector<TVariant> values;
    if (!rows.Eof())
        for (const std::string& field : fields)
            values.push_back(rows.Field(field));
    return values;
}

bool HasRow(TAbstractDBConnection& connection, const std::string& sql, const std::string& catalogCode,
            const TParams& params)
{
    TQueryGuard query(connection);
    Prepare(*query, sql, catalogCode, params);
    return !query->Open(true).Eof();
}

std::vector<TVariant> Column(TAbstractDBConnection& connection, const std::string& sql,
                             const std::string& catalogCode, const std::string& field, const TParams& params)
{
    TQueryGuard query(connection);
    Prepare(*query, sql, catalogCode, params);
    std::vector<TVariant> values;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        values.push_back(rows.Field(field));
    return values;
}

int IntOf(const TVariant& value)
{
    return catalog_definition::IntOf(value);
}

std::string TextOf(const TVariant& value)
{
    return catalog_definition::TextOf(value);
}

TDateTime Now()
{
    return TDateTime{TMemberValueText::Now()};
}

}  // namespace catalog_sql
