#include "storage/CatalogTypes.h"

#include "common/CommonFunctionsDetail.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <functional>

namespace {

// The item and class of a catalog type's header object.
const char* const kHeaderItemId = "806";
const char* const kHeaderClassId = "806";

// Runs the statement over one value table for the header object and hands
// each row's member id and value to Take.
void ReadHeaderValues(TAbstractDBConnection& connection, const std::string& catalogCode, const std::string& table,
                      const std::string& valueColumn,
                      const std::function<void(int memberId, const TVariant& value)>& take)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT MemberId, " + valueColumn + " FROM " + table +
                  " WHERE CatalogCode = :CatalogCode AND ItemId = " + kHeaderItemId +
                  " AND ClassId = " + kHeaderClassId);
    query->SetParam("CatalogCode", catalogCode);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        take(FieldInteger(rows, "MemberId"), rows.Field(valueColumn));
}

}  // namespace

std::unique_ptr<TCatalogTypes> TCatalogTypes::Read(TAbstractDBConnection& connection, const std::string& catalogCode)
{
    auto type = std::make_unique<TCatalogTypes>();
    ReadHeaderValues(connection, catalogCode, "CStrings", "StringValue", [&](int memberId, const TVariant& value) {
        if (memberId == 2)
            type->Name = TCommonFunctions::VariantToString(value);
        else if (memberId == 6)
            type->BodyTemplate = TCommonFunctions::VariantToString(value);
        else if (memberId == 8)
            type->Version = VariantToInteger(common_detail::Trim(TCommonFunctions::VariantToString(value)));
    });
    ReadHeaderValues(connection, catalogCode, "CText", "TextValue", [&](int memberId, const TVariant& value) {
        if (memberId == 6)
            type->BodyTemplate = TCommonFunctions::VariantToString(value);
    });
    ReadHeaderValues(connection, catalogCode, "CNumbers", "NumberValue", [&](int memberId, const TVariant& value) {
        if (memberId == 1)
            type->OrderNum = VariantToInteger(value);
        else if (memberId == 4)
            type->Listed = VariantToInteger(value);
        else if (memberId == 9)
            type->CatalogType = VariantToInteger(value);
    });
    return type;
}
