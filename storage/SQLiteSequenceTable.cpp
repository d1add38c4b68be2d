#include "storage/SQLiteSequenceTable.h"

#include "storage/QueryGuard.h"

namespace {

void BindSequence(TAbstractDBQuery& query, const std::string& catalogCode, const std::string& sequenceName)
{
    query.SetParam("CatalogCode", catalogCode);
    query.SetParam("SequenceName", sequenceName);
}

std::int64_t AsNumber(const TVariant& value)
{
    if (value.Kind() == TVariantKind::Integer)
        return value.AsInteger();
    if (value.Kind() == TVariantKind::Float)
        return static_cast<std::int64_t>(value.AsFloat());
    return 0;  // Null: no row yet
}

}  // namespace

int TSQLiteSequenceTable::Draw(TAbstractDBConnection& connection, const std::string& catalogCode,
                               const std::string& sequenceName)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT MAX( LastId ) AS MaxLastId, COUNT(*) AS NumItems FROM LocalSequences "
                  "WHERE CatalogCode = :CatalogCode AND SequenceName = :SequenceName");
    BindSequence(*query, catalogCode, sequenceName);
    TAbstractRecordset& rows = query->Open(true);
    int result = 1;
    bool insert = true;
    if (!rows.Eof()) {
        result = static_cast<int>(AsNumber(rows.Field("MaxLastId")) + 1);
        insert = AsNumber(rows.Field("NumItems")) == 0;
    }
    query->Close();
    if (insert)
        query->SetSQL("INSERT INTO LocalSequences( CatalogCode, SequenceName, LastId ) "
                      "VALUES( :CatalogCode, :SequenceName, 1 )");
    else
        query->SetSQL("UPDATE LocalSequences SET LastId = LastId + 1 "
                      "WHERE CatalogCode = :CatalogCode AND SequenceName = :SequenceName");
    BindSequence(*query, catalogCode, sequenceName);
    query->ExecSQL();
    return result;
}

void TSQLiteSequenceTable::KeepAtLeast(TAbstractDBConnection& connection, const std::string& catalogCode,
                                       const std::string& sequenceName, int number)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT COUNT(*) AS NumItems FROM LocalSequences "
                  "WHERE CatalogCode = :CatalogCode AND SequenceName = :SequenceName");
    BindSequence(*query, catalogCode, sequenceName);
    bool exists = AsNumber(query->Open(true).Field("NumItems")) > 0;
    query->Close();
    if (exists)
        query->SetSQL("UPDATE LocalSequences SET LastId = :LastId WHERE CatalogCode = :CatalogCode "
                      "AND SequenceName = :SequenceName AND ( LastId IS NULL OR LastId < :LastId )");
    else
        query->SetSQL("INSERT INTO LocalSequences( CatalogCode, SequenceName, LastId ) "
                      "VALUES( :CatalogCode, :SequenceName, :LastId )");
    BindSequence(*query, catalogCode, sequenceName);
    query->SetParam("LastId", number);
    query->ExecSQL();
}
