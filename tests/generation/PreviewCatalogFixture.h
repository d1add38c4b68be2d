#pragma once
// Rows of a real catalog database that preview serving and the image server
// read: items, alternative file names, images, binary objects, style
// sheets, scripts, stored web resources and catalog information, each for
// any catalog code of the database.
#include "common/CRC32.h"
#include "common/Variant.h"
#include "storage/QueryGuard.h"
#include "support/CatalogFixture.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TPreviewRows {
public:
    explicit TPreviewRows(TCatalogFixture& db) : connection_(db.Connection()) {}
    // Rows written through that connection (inside its unit of work, if any).
    explicit TPreviewRows(TAbstractDBConnection& connection) : connection_(connection) {}

    void Item(const std::string& code, int itemId, int itemType = 100)
    {
        Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, OrderNum) "
                 "VALUES (:Code, :Id, :Type, 1, :Id, 0)",
                 {{"Code", code}, {"Id", itemId}, {"Type", itemType}});
    }
    void String(const std::string& code, int itemId, int classId, int memberId, const std::string& value)
    {
        Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, StringValue) VALUES (:Code, :Id, :Class, 1, :Member, 'XXX', 0, 1, :Value)",
                 {{"Code", code}, {"Id", itemId}, {"Class", classId}, {"Member", memberId}, {"Value", value}});
    }
    void Text(const std::string& code, int itemId, int classId, const std::string& text)
    {
        Exec("INSERT INTO CText (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, TextValue) VALUES (:Code, :Id, :Class, 1, 1, 'XXX', 0, 51, :Text)",
                 {{"Code", code}, {"Id", itemId}, {"Class", classId}, {"Text", text}});
    }
    void Blob(const std::string& code, int itemId, int classId, int memberId, const std::string& bytes,
              const std::string& mimeType)
    {
        Exec("INSERT INTO CBinary (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, DataBlob, DataCrc, DataBytes, DataMimeType) "
                 "VALUES (:Code, :Id, :Class, 1, :Member, 'XXX', 0, 252, :Blob, :Crc, :Bytes, :Mime)",
                 {{"Code", code}, {"Id", itemId}, {"Class", classId}, {"Member", memberId}, {"Blob", TBytes{bytes}},
                  {"Crc", static_cast<std::int64_t>(TCRC32::CalcStringCRC(bytes))},
                  {"Bytes", static_cast<std::int64_t>(bytes.size())}, {"Mime", mimeType}});
    }
    // An image item as the catalog stores it: the item, its image object (class 5) and its data.
    void Image(const std::string& code, int itemId, const std::string& bytes, const std::string& mimeType)
    {
        Item(code, itemId, 301);
        Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                 "VALUES (:Code, :Id, 5, 0, 1)",
                 {{"Code", code}, {"Id", itemId}});
        Blob(code, itemId, 5, 6, bytes, mimeType);
    }
    // The catalog information (class 604) that makes Code a catalog of the database.
    void CatalogInfo(const std::string& code, int catalogType)
    {
        Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, NumberValue) VALUES (:Code, 9, 604, 1, 1, 'XXX', 0, 101, :Type)",
                 {{"Code", code}, {"Type", catalogType}});
    }

private:
    void Exec(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params)
    {
        TQueryGuard query(connection_);
        query->SetSQL(sql);
        for (const auto& [name, value] : params)
            query->SetParam(name, value);
        query->ExecSQL();
    }

    TAbstractDBConnection& connection_;
};
