#include "storage/ConcreteDAL.h"

#include "common/CRC32.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/WellKnownIds.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"
#include "storage/LWItem.h"
#include "storage/LWItemCondition.h"
#include "storage/LWLinkRewriter.h"
#include "storage/LWObject.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteSequenceTable.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

// Catalog properties: items of this type under the properties root, the
// value in string member 1 of the class of the same number, instance 1.
constexpr int kPropertyMemberType = 1;
constexpr int kPropertyInstanceId = 1;

// Page texts whose links are rewritten: members 1 and 2 of class 4.
constexpr const char* kPageTextRows =
    "SELECT ItemId, InstanceId, MemberId, LangCode, IndexId, TextValue FROM CText "
    "WHERE CatalogCode = :CatalogCode AND ClassId = 4 AND MemberId IN (1, 2)";
constexpr const char* kUpdatePageText =
    "UPDATE CText SET TextValue = :TextValue WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId "
    "AND ClassId = 4 AND InstanceId = :InstanceId AND MemberId = :MemberId AND LangCode = :LangCode "
    "AND IndexId = :IndexId";

// The tables that hold item data, in the order they are cleaned.
const char* const kItemDataTables[] = {"CStrings", "CText", "CNumbers", "CBinary", "CDates", "CObjectInstances"};

std::int64_t NumberOf(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Integer: return value.AsInteger();
    case TVariantKind::Float: return static_cast<std::int64_t>(value.AsFloat());
    default: return 0;
    }
}

// An empty or blank language code is the code of values of no language.
std::string LanguageOrNone(const std::string& langCode)
{
    return common_detail::Trim(langCode).empty() ? kNoLanguageCode : langCode;
}

std::string ReadAll(std::istream& stream)
{
    stream.clear();
    stream.seekg(0, std::ios::beg);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

// A page text row, identified by its key inside class 4 of the catalog.
struct TPageText {
    std::int64_t ItemId, InstanceId, MemberId, IndexId;
    std::string LangCode;
    std::string Text;
};

}  // namespace

TConcreteDAL::TConcreteDAL(TAbstractDBConnection& connection, TLWDefinitionLookup& definitions)
    : TLWAbstractDataAccess(definitions), connection_(connection)
{
    SetCurrent(this);
}

TConcreteDAL::~TConcreteDAL()
{
    if (GetCurrent() == this)
        SetCurrent(nullptr);
}

// ---- statements ----------------------------------------------------------------

void TConcreteDAL::Run(const std::string& sql, const TParams& params, const TLWItemCondition* where)
{
    TQueryGuard query(connection_);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", LowerCatalogCode());
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    if (where)
        where->Bind(*query);
    query->ExecSQL();
}

int TConcreteDAL::CountRows(const std::string& sql, const TParams& params)
{
    TQueryGuard query(connection_);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", LowerCatalogCode());
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    TAbstractRecordset& rows = query->Open(true);
    const int count = rows.Eof() ? 0 : static_cast<int>(NumberOf(rows.Field("NumRows")));
    query->Close();
    return count;
}

void TConcreteDAL::Exec(const std::string& sql, const TVariant& value)
{
    Exec2(sql, value, TVariant());
}

void TConcreteDAL::Exec2(const std::string& sql, const TVariant& value, const TVariant& value2)
{
    Run(sql, {{"Value", value}, {"Value2", value2}});
}

// ---- removing rows ---------------------------------------------------------------

void TConcreteDAL::CleanItems(const TLWItemCondition& where)
{
    Run("DELETE FROM Items WHERE CatalogCode = :CatalogCode AND " + where.ItemsSql(), {}, &where);
}

void TConcreteDAL::CleanObjects(const TLWItemCondition& where)
{
    for (const char* table : kItemDataTables)
        Run(std::string("DELETE FROM ") + table + " WHERE CatalogCode = :CatalogCode AND " + where.ItemDataSql(),
            {}, &where);
}

// ---- items and objects -------------------------------------------------------------

bool TConcreteDAL::ItemExists(int itemId)
{
    return CountRows("SELECT COUNT(*) AS NumRows FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
                     {{"ItemId", itemId}}) > 0;
}

void TConcreteDAL::UpdateItem(const TLWItem& item)
{
    const int linkedItemId = (item.LinkedItemId == 0 || item.LinkedItemId == -1) ? item.ItemId : item.LinkedItemId;
    Run("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, "
        "ExpandedImageCode, OrderNum, DontDelete, DontSort, IsSynchronized, DateModified) "
        "VALUES (:CatalogCode, :ItemId, :ItemType, :ParentItemId, :LinkedItemId, :NotVisible, "
        ":ExpandedImageCode, :OrderNum, 0, 0, 0, :DateModified)",
        {{"ItemId", item.ItemId},
         {"ItemType", item.ItemType},
         {"ParentItemId", item.ParentItemId},
         {"LinkedItemId", linkedItemId},
         {"NotVisible", item.NotVisible ? 1 : 0},
         {"ExpandedImageCode", item.ExpandedImageCode},
         {"OrderNum", item.OrderNum},
         {"DateModified", TDateTime{TMemberValueText::Now()}}});
}

void TConcreteDAL::UpdateObject(const TLWObject& object)
{
    Run("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, InstanceId, ParentInstanceId) "
        "VALUES (:CatalogCode, :ItemId, :ClassId, :InstanceId, :ParentInstanceId)",
        {{"ItemId", object.ItemId},
         {"ClassId", object.ClassId},
         {"InstanceId", object.InstanceId},
         {"ParentInstanceId", object.ParentInstanceId}});
}

// ---- member values -------------------------------------------------------------------

void TConcreteDAL::InsertValue(const std::string& table, const TParams& values, const TLWObject& object,
                               int memberId, int memberType, int index, const std::string& langCode)
{
    std::string columns = "CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType";
    std::string params = ":CatalogCode, :ItemId, :ClassId, :InstanceId, :MemberId, :LangCode, :IndexId, :MemberType";
    TParams all = {{"ItemId", object.ItemId},     {"ClassId", object.ClassId},
                   {"InstanceId", object.InstanceId}, {"MemberId", memberId},
                   {"LangCode", LanguageOrNone(langCode)}, {"IndexId", index},
                   {"MemberType", memberType}};
    for (const auto& [column, value] : values) {
        columns += ", " + column;
        params += ", :" + column;
        all.emplace_back(column, value);
    }
    Run("INSERT INTO " + table + " (" + columns + ") VALUES (" + params + ")", all);
}

void TConcreteDAL::SetString(const TLWObject& object, int memberId, const std::string& text, int memberType,
                             int index, const std::string& langCode)
{
    const std::string table = TCatalogTables::ValueTable(memberType);
    if (table != "CStrings" && table != "CText")
        throw EDeveloperTolvexException("Member type " + std::to_string(memberType) + " holds no text");
    const char* column = table == "CText" ? "TextValue" : "StringValue";
    InsertValue(table, {{column, text}}, object, memberId, memberType, index, langCode);
}

void TConcreteDAL::SetNumber(const TLWObject& object, int memberId, double value, int memberType, int index,
                             const std::string& langCode)
{
    const std::string table = TCatalogTables::ValueTable(memberType);
    if (table == "CNumbers")
        InsertValue(table, {{"NumberValue", value}}, object, memberId, memberType, index, langCode);
    else if (table == "CDates")
        InsertValue(table, {{"DateValue", TDateTime{value}}}, object, memberId, memberType, index, langCode);
    else
        throw EDeveloperTolvexException("Member type " + std::to_string(memberType) + " holds no number");
}

void TConcreteDAL::SetBinary(const TLWObject& object, int memberId, std::istream& stream,
                             const std::string& mimeType, int memberType, int index, const std::string& langCode)
{
    if (TCatalogTables::ValueTable(memberType) != "CBinary")
        throw EDeveloperTolvexException("Member type " + std::to_string(memberType) + " holds no binary data");
    std::string bytes = ReadAll(stream);
    // The checksum column keeps the CRC-32 as a signed 32-bit number.
    const auto crc = static_cast<std::int32_t>(TCRC32::CalcStringCRC(bytes));
    const auto size = static_cast<std::int64_t>(bytes.size());
    InsertValue("CBinary",
                {{"DataBytes", size},
                 {"DataCrc", crc},
                 {"DataMimeType", mimeType},
                 {"DataBlob", TBytes{std::move(bytes)}}},
                object, memberId, memberType, index, langCode);
}

// ---- links in page texts ---------------------------------------------------------------

void TConcreteDAL::FixLinks(const TLWIdMap& objectIdMap, const TLWIdMap& pageIdMap, const TLWIdMap& imageIdMap)
{
    // All rows are read first, so that no update runs under an open read.
    std::vector<TPageText> texts;
    {
        TQueryGuard query(connection_);
        query->SetSQL(kPageTextRows);
        query->SetParam("CatalogCode", LowerCatalogCode());
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            texts.push_back({NumberOf(rows.Field("ItemId")), NumberOf(rows.Field("InstanceId")),
                             NumberOf(rows.Field("MemberId")), NumberOf(rows.Field("IndexId")),
                             TCommonFunctions::VariantToString(rows.Field("LangCode")),
                             TCommonFunctions::VariantToString(rows.Field("TextValue"))});
        query->Close();
    }
    const TLWLinkRewriter rewriter(objectIdMap, pageIdMap, imageIdMap);
    for (const TPageText& row : texts) {
        std::string text = rewriter.Rewrite(row.Text);
        if (text == row.Text)
            continue;
        Run(kUpdatePageText, {{"TextValue", std::move(text)},
                              {"ItemId", row.ItemId},
                              {"InstanceId", row.InstanceId},
                              {"MemberId", row.MemberId},
                              {"LangCode", row.LangCode},
                              {"IndexId", row.IndexId}});
    }
}

// ---- catalog properties -------------------------------------------------------------------

void TConcreteDAL::SetCatalogProperty(int propertyId, const std::string& value)
{
    EnsurePropertyItem(propertyId);
    EnsurePropertyInstance(propertyId);
    StorePropertyValue(propertyId, value);
}

void TConcreteDAL::EnsurePropertyItem(int propertyId)
{
    if (!ItemExists(propertyId)) {
        Run("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, "
            "DontDelete, DontSort, IsSynchronized, DateModified) VALUES (:CatalogCode, :ItemId, :ItemType, "
            ":ParentItemId, :ItemId, 0, 0, 0, 0, 0, :DateModified)",
            {{"ItemId", propertyId},
             {"ItemType", kPropertyItemType},
             {"ParentItemId", kCatalogPropertiesRootId},
             {"DateModified", TDateTime{TMemberValueText::Now()}}});
        return;
    }
    Run("UPDATE Items SET DateModified = :DateModified WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
        {{"ItemId", propertyId}, {"DateModified", TDateTime{TMemberValueText::Now()}}});
}

void TConcreteDAL::EnsurePropertyInstance(int propertyId)
{
    const int count = CountRows("SELECT COUNT(*) AS NumRows FROM CObjectInstances WHERE CatalogCode = :CatalogCode "
                                "AND ItemId = :ItemId AND InstanceId = :InstanceId",
                                {{"ItemId", propertyId}, {"InstanceId", kPropertyInstanceId}});
    if (count == 0)
        UpdateObject(TLWObject(propertyId, 0, kPropertyClassId, kPropertyInstanceId, nullptr));
}

void TConcreteDAL::StorePropertyValue(int propertyId, const std::string& value)
{
    const std::string text = TCommonFunctions::AnsiToWide(value);  // no control characters
    const TParams key = {{"ItemId", propertyId}, {"ClassId", kPropertyClassId}, {"MemberId", kPropertyMemberId}};
    const char* condition = " WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND ClassId = :ClassId "
                            "AND MemberId = :MemberId";
    if (CountRows(std::string("SELECT COUNT(*) AS NumRows FROM CStrings") + condition, key) == 0) {
        InsertValue("CStrings", {{"StringValue", text}},
                    TLWObject(propertyId, 0, kPropertyClassId, kPropertyInstanceId, nullptr), kPropertyMemberId,
                    kPropertyMemberType, 0, kNoLanguageCode);
        return;
    }
    TParams params = key;
    params.emplace_back("StringValue", text);
    Run(std::string("UPDATE CStrings SET StringValue = :StringValue") + condition, params);
}

// ---- ids ---------------------------------------------------------------------------------

int TConcreteDAL::NextItemId()
{
    return DrawId(kItemsSequence, ItemCounter());
}

int TConcreteDAL::NextInstanceId()
{
    return DrawId(kInstanceSequence, InstanceCounter());
}

int TConcreteDAL::DrawId(const char* sequenceName, int& counter)
{
    const std::string code = LowerCatalogCode();
    TQueryGuard query(connection_);
    query->SetSQL("SELECT MAX(LastId) AS LastId FROM LocalSequences "
                  "WHERE CatalogCode = :CatalogCode AND SequenceName = :SequenceName");
    query->SetParam("CatalogCode", code);
    query->SetParam("SequenceName", std::string(sequenceName));
    TAbstractRecordset& rows = query->Open(true);
    const auto handedOut = rows.Eof() ? 0 : static_cast<int>(NumberOf(rows.Field("LastId")));
    query->Close();
    query.Release();

    counter = std::max(counter, LocalIdFromSequence(handedOut));
    const int id = ++counter;
    TSQLiteSequenceTable::KeepAtLeast(connection_, code, sequenceName, id - kLocalIdOffset);
    return id;
}
