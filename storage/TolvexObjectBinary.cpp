// TTolvexObject: binary member values (types 250 to 299), read and written
// row by row at once, with their CRC-32, size and MIME type.
#include "storage/TolvexObject.h"

#include "common/BinaryDataInfo.h"
#include "common/CRC32.h"
#include "common/MemberTypes.h"
#include "storage/AbstractDBConnection.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObjectFields.h"

#include <cstdint>
#include <iterator>
#include <istream>
#include <ostream>

namespace {

void FillInfo(const TAbstractRecordset& row, TBinaryDataInfo* info)
{
    if (!info)
        return;
    // DataCrc holds the CRC-32 as a signed 32-bit number.
    const auto storedCrc = static_cast<std::int64_t>(object_fields::ToDouble(row.Field("DataCrc")));
    info->Crc = static_cast<std::uint32_t>(storedCrc);
    info->MimeType = object_fields::ToText(row.Field("DataMimeType"));
    info->Bytes = static_cast<std::int64_t>(object_fields::ToDouble(row.Field("DataBytes")));
}

// The one binary value of a member, language and index of the object.
const char* const kBinaryCondition =
    " WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND ClassId = :ClassId AND MemberId = :MemberId "
    "AND InstanceId = :InstanceId AND LangCode = :LangCode AND IndexId = :IndexId";

std::string ReadWholeStream(std::istream& stream)
{
    stream.clear();
    stream.seekg(0, std::ios::beg);
    std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    stream.clear();
    stream.seekg(0, std::ios::beg);
    return bytes;
}

}  // namespace

bool TTolvexObject::IsBinaryMember(int memberId) const
{
    const int type = MemberType(memberId);
    return memberId != 0 && IsBinaryMemberType(type);
}

void TTolvexObject::BindBinaryKey(TAbstractDBQuery& query, int memberId, const std::string& lang, int index) const
{
    const TKey key = Normalise(memberId, lang, index);
    query.SetParam("CatalogCode", catalogCode_);
    query.SetParam("ItemId", linkedItemId_);
    query.SetParam("ClassId", classId_);
    query.SetParam("MemberId", memberId);
    query.SetParam("InstanceId", instanceId_);
    query.SetParam("LangCode", key.lang);
    query.SetParam("IndexId", key.index);
}

bool TTolvexObject::GetBinaryInfoById(int memberId, const std::string& lang, int index, TBinaryDataInfo* info)
{
    if (!IsBinaryMember(memberId))
        return false;
    LoadItemRow();
    TQueryGuard query(*connection_);
    query->SetSQL(std::string("SELECT DataCrc, DataBytes, DataMimeType FROM CBinary") + kBinaryCondition);
    BindBinaryKey(*query, memberId, lang, index);
    TAbstractRecordset& row = query->Open(true);
    const bool found = !row.Eof();
    if (found)
        FillInfo(row, info);
    query->Close();
    return found;
}

bool TTolvexObject::GetBinaryDataById(int memberId, const std::string& lang, std::ostream& stream, int index,
                                      TBinaryDataInfo* info)
{
    if (!IsBinaryMember(memberId))
        return false;
    LoadItemRow();
    TQueryGuard query(*connection_);
    query->SetSQL(std::string("SELECT * FROM CBinary") + kBinaryCondition);
    BindBinaryKey(*query, memberId, lang, index);
    TAbstractRecordset& row = query->Open(true);
    const bool found = !row.Eof();
    if (found) {
        const TVariant blob = row.Field("DataBlob");
        if (blob.Kind() == TVariantKind::Bytes)
            stream << blob.AsBytes().data;
        else
            stream << object_fields::ToText(blob);
        FillInfo(row, info);
    }
    query->Close();
    return found;
}

void TTolvexObject::SetBinaryDataById(int memberId, const std::string& lang, const std::string& mimeType,
                                      std::istream& stream, int index, TBinaryDataInfo* info)
{
    if (!IsBinaryMember(memberId))
        return;
    const std::string bytes = ReadWholeStream(stream);
    if (bytes.empty())
        return;
    LoadItemRow();
    EnsureInstanceId();
    const TKey key = Normalise(memberId, lang, index);
    const std::uint32_t crc = TCRC32::CalcStringCRC(bytes);
    TQueryGuard query(*connection_);
    query->SetSQL(std::string("SELECT * FROM CBinary") + kBinaryCondition);
    BindBinaryKey(*query, memberId, lang, index);
    TAbstractRecordset& row = query->Open(false);
    if (row.Eof()) {
        row.Append();
        row.SetField("CatalogCode", catalogCode_);
        row.SetField("ItemId", linkedItemId_);
        row.SetField("ClassId", classId_);
        row.SetField("InstanceId", instanceId_);
        row.SetField("MemberId", memberId);
        row.SetField("IndexId", key.index);
        row.SetField("LangCode", key.lang);
        row.SetField("MemberType", MemberType(memberId));
    } else {
        row.Edit();
    }
    row.SetField("DataBlob", TBytes{bytes});
    row.SetField("DataCrc", static_cast<std::int64_t>(static_cast<std::int32_t>(crc)));
    row.SetField("DataBytes", static_cast<std::int64_t>(bytes.size()));
    row.SetField("DataMimeType", mimeType);
    row.Post();
    query->Close();
    if (info) {
        info->Crc = crc;
        info->MimeType = mimeType;
        info->Bytes = static_cast<std::int64_t>(bytes.size());
    }
    // The value is stored now: so must be the instance it belongs to, or
    // no later lookup of the object would find it.
    SaveInstanceRow();
}

void TTolvexObject::DeleteBinaryDataById(int memberId, const std::string& lang, int index)
{
    if (!IsBinaryMember(memberId))
        return;
    LoadItemRow();
    TQueryGuard query(*connection_);
    query->SetSQL(std::string("DELETE FROM CBinary") + kBinaryCondition);
    BindBinaryKey(*query, memberId, lang, index);
    query->ExecSQL();
}
