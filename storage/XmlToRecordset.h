#pragma once
// Applies a record-set document to a database: every Action element under
// the root that has a Table and a Method attribute is applied in order:
//  - "insert": a new row from the action's field elements;
//  - "delete": the rows whose fields equal the action's field elements;
//  - "update": the row with the action's primary-key fields deleted, then
//    the action inserted;
//  - "primarykey": each Key element inserted into the table "sync" + table;
// any other method, and any other element, is ignored.
//
// A document applies whole or not at all: it is read and parsed before
// anything is written, and its actions run inside one transaction of their
// own (or, when the connection is inside a unit of work, one savepoint of
// it) that is undone when any action fails. A document can reach only
// tables and fields that exist in the database; a table it names that does
// not exist, a field it deletes by that does not exist, malformed XML, a
// document type declaration, damaged compressed data or a document larger
// than the size limit raise EPublisherTolvexException and change nothing.
// Errors of the database pass through, after the same undoing.
//
// Modes: catalog tables of the open catalog (0), whose rows always get the
// open catalog's code; cached data of another catalog (2), whose codes are
// remapped to "c#" + the remote code; global tables (3 and 5), which have
// no catalog code.
#include "storage/RecordsetXmlContext.h"
#include "storage/RecordsetXmlDocument.h"
#include "storage/RecordsetXmlTable.h"

class TUnitOfWorkScope;

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TVariant;

class TXmlToRecordset {
public:
    // The default size limit of a document (after decompression).
    static constexpr std::size_t kDefaultMaxDocumentSize = std::size_t{512} * 1024 * 1024;

    // EDeveloperTolvexException when the context has no functions.
    TXmlToRecordset(TAbstractDBConnection& connection, TRecordsetXmlContext context);

    // Reads the stream from its start (decompressing when Compressed) and
    // applies every action in the mode given.
    void ApplyStream(std::istream& stream, bool compressed, std::uint8_t mode);
    // Mode 2 with the name=value lines of Map: its value "fromcatalog" is the
    // code of the catalog whose data the document holds.
    void ApplyStreamRemapped(std::istream& stream, bool compressed, const std::vector<std::string>& map);

    // The largest document accepted, in bytes after decompression.
    void SetMaxDocumentSize(std::size_t bytes) { maxDocumentSize_ = bytes; }
    // The only tables a document may reach (any letter case; "sync" + table
    // for a "primarykey" action); empty: any table. A document that names
    // another raises EPublisherTolvexException and changes nothing.
    void SetAllowedTables(std::vector<std::string> tables) { allowedTables_ = std::move(tables); }
    // The only catalog code the document's CatalogCode fields may hold (after
    // remapping); empty: any. Another raises EPublisherTolvexException and
    // changes nothing.
    void SetRequiredCatalogCode(std::string code) { requiredCatalogCode_ = std::move(code); }

private:
    // A field element of an action.
    struct TFieldElement {
        std::string name;
        std::string text;
        bool isNull = false;
    };
    using TFieldElements = std::vector<TFieldElement>;

    bool IsGlobalMode() const
    {
        return mode_ == kRecordsetReadGlobalExport || mode_ == kRecordsetReadGlobalDownload;
    }
    bool IsRemapMode() const { return mode_ == kRecordsetReadCatalogRemapped; }
    std::string FromCatalog() const;
    void Remap();
    void SaveDebugCopy() const;
    // Refuses a document that reaches beyond the allowed tables and code.
    void CheckReach() const;
    void ApplyActions();
    void ApplyAction(xmlNodePtr action, TUnitOfWorkScope& scope);

    const TRecordsetXmlTable& OpenTable(const std::string& name);
    void Insert(const TRecordsetXmlTable& table, const TFieldElements& fields);
    void Delete(const TRecordsetXmlTable& table, const TFieldElements& fields);
    void Update(const TRecordsetXmlTable& table, const TFieldElements& fields);
    // Deletes by the conditions "field = value" of Fields (all of which must
    // name fields of the table), adding the catalog code when none is among
    // them and AddCatalogCode is set. OverrideCatalogCode binds the open
    // catalog's code to a CatalogCode field of the document.
    void DeleteWhere(const TRecordsetXmlTable& table, const TFieldElements& fields, bool addCatalogCode,
                     bool overrideCatalogCode);
    // The catalog code of rows that a document addresses without one.
    std::string MissingCatalogCode() const;
    TVariant ConditionValue(const TRecordsetXmlTable& table, int index, const TFieldElement& field) const;

    static TFieldElements FieldElements(xmlNodePtr parent);
    static std::string MapTableName(const std::string& name);

    TRecordsetXmlDocument document_;
    TAbstractDBConnection& connection_;
    std::optional<TRecordsetXmlTable> table_;
    std::uint8_t mode_ = 0;
    std::vector<std::string> map_;
    TRecordsetXmlContext context_;
    std::size_t maxDocumentSize_ = kDefaultMaxDocumentSize;
    std::vector<std::string> allowedTables_;
    std::string requiredCatalogCode_;
};
