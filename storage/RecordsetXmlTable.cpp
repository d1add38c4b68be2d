#include "storage/RecordsetXmlTable.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetXmlNames.h"

TRecordsetXmlTable TRecordsetXmlTable::Open(TAbstractDBConnection& connection, const std::string& name)
{
    TRecordsetXmlTable table;
    TQueryGuard query(connection);
    query->SetSQL("SELECT name FROM sqlite_master WHERE type = 'table' AND name = :Name COLLATE NOCASE "
                  "AND lower(substr(name, 1, 7)) <> 'sqlite_'");
    query->SetParam("Name", name);
    TAbstractRecordset& names = query->Open(true);
    if (names.Eof())
        throw EPublisherTolvexException("The table \"" + name + "\" does not exist in the database");
    table.name_ = names.Field(0).AsText();

    query->SetSQL("SELECT * FROM " + table.SqlName() + " WHERE 0");
    TAbstractRecordset& fields = query->Open(true);
    for (int i = 0; i < fields.FieldCount(); ++i)
        table.fields_.push_back({fields.FieldName(i), fields.FieldType(i)});
    return table;
}

std::string TRecordsetXmlTable::SqlName() const
{
    return recordset_xml::QuoteIdentifier(name_);
}

std::string TRecordsetXmlTable::SqlFieldName(int index) const
{
    return recordset_xml::QuoteIdentifier(FieldName(index));
}

int TRecordsetXmlTable::IndexOf(const std::string& fieldName) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (common_detail::SameText(fields_[i].name, fieldName))
            return static_cast<int>(i);
    return -1;
}
