#pragma once
// Builds a record-set document from record sets: one Action element per row
// (or per key request), each naming its table and method and holding one
// element per field, and writes it to a stream, zlib-compressed on demand.
//
// Values by field type: blobs (and formatted memos) as Base64 in lines of 76
// characters; dates and times as whole seconds since 1970 ("0" for no date);
// Booleans as True or False; floats with "." and as many digits as give the
// same number back; everything else as its text. A Null value gives an
// empty element, marked IsNull="1" while Nulls are written; fields of the
// table's primary key are marked PK="1".
#include "common/Variant.h"
#include "storage/RecordsetXmlContext.h"
#include "storage/RecordsetXmlDocument.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TAbstractRecordset;

class TRecordsetToXml {
public:
    // An empty document; Nulls are written; mode 0 (catalog tables).
    // EDeveloperTolvexException when the context has no functions.
    TRecordsetToXml(TAbstractDBConnection& connection, TRecordsetXmlContext context);

    // kRecordsetWriteGlobalTables for global tables, any other value for catalog tables.
    void SetMode(std::uint8_t mode) { mode_ = mode; }
    void SetWriteNulls(bool value) { writeNulls_ = value; }
    TAbstractDBConnection& Connection() const { return connection_; }

    // One Action for every row from the record set's current row to its end,
    // which it is left at. In the catalog mode a table without a primary key
    // in GlobalTables gives no actions: only listed tables are exchanged.
    void AddRecordset(const std::string& table, const std::string& method, TAbstractRecordset& dataSet);
    // One Action with the field FieldName holding Value (none when FieldName
    // is empty) and, in the catalog mode and unless FieldName is CatalogCode,
    // a CatalogCode field with the open catalog's code.
    void AddKeyAction(const std::string& table, const std::string& method, const std::string& fieldName,
                      const std::string& value);

    int GetActionCount() const;
    // Text characters written divided by 3, plus Base64 characters of blobs:
    // what the synchronisation compares with its packet size.
    std::int64_t GetEstimatedSize() const { return textChars_ / 3 + blobChars_; }

    // Writes the document into Stream, compressed when Compress is set. Can
    // be called more than once. With a debug folder a copy goes there too.
    void SaveToStream(std::ostream& stream, bool compress) const;

private:
    bool IsGlobalMode() const { return mode_ == kRecordsetWriteGlobalTables; }
    xmlNodePtr AddAction(const std::string& table, const std::string& method);
    void AddRow(xmlNodePtr action, const std::vector<std::string>& keys, const TAbstractRecordset& dataSet);
    void AddValue(xmlNodePtr element, TFieldType type, const TVariant& value);

    std::int64_t textChars_ = 0;
    std::int64_t blobChars_ = 0;
    bool writeNulls_ = true;
    TRecordsetXmlDocument document_;
    TAbstractDBConnection& connection_;
    std::uint8_t mode_ = 0;
    TRecordsetXmlContext context_;
};
