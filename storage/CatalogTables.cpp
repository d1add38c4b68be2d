#include "common/MemberTypes.h"
#include "storage/CatalogTables.h"

#include "common/CommonFunctionsDetail.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBQuery.h"

namespace {

// The key of every value table: the first seven columns identify one value,
// MemberType repeats the member's type.
const char* const kValueKeyColumns =
    "CatalogCode TEXT NOT NULL COLLATE NOCASE, "
    "ItemId INTEGER NOT NULL, "
    "ClassId INTEGER NOT NULL, "
    "InstanceId INTEGER NOT NULL, "
    "MemberId INTEGER NOT NULL, "
    "LangCode TEXT NOT NULL COLLATE NOCASE, "
    "IndexId INTEGER NOT NULL, "
    "MemberType INTEGER, ";
const char* const kValuePrimaryKey = "CatalogCode,ItemId,ClassId,InstanceId,MemberId,LangCode,IndexId";

TCatalogTableDefinition Table(const std::string& name, const std::string& primaryKey,
                              const std::string& columns)
{
    std::string keyClause = primaryKey.empty() ? "" : ", PRIMARY KEY (" + primaryKey + ")";
    return {name, "table", primaryKey, "CREATE TABLE " + name + " (" + columns + keyClause + ")"};
}

TCatalogTableDefinition ValueTable(const std::string& name, const std::string& valueColumns)
{
    return Table(name, kValuePrimaryKey, kValueKeyColumns + valueColumns);
}

TCatalogTableDefinition Index(const std::string& table, const std::string& columnName,
                              const std::string& columns)
{
    std::string name = columnName + "_" + table;
    return {name, "index", "", "CREATE INDEX " + name + " ON " + table + " (" + columns + ")"};
}

std::vector<TCatalogTableDefinition> BuildDefinitions()
{
    return {
        Table("Items", "CatalogCode,ItemId",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, ItemId INTEGER NOT NULL, "
              "ItemType INTEGER, ParentItemId INTEGER, LinkedItemId INTEGER, NotVisible INTEGER, "
              "ExpandedImageCode TEXT COLLATE NOCASE, CollapsedImageCode TEXT COLLATE NOCASE, "
              "OrderNum INTEGER, DontDelete INTEGER, DontSort INTEGER, IsSynchronized INTEGER, "
              "DateModified DATETIME, UserPriority INTEGER"),
        // An instance id is unique within its item, whatever the class: a
        // doubly issued id must fail rather than merge two objects' values.
        Table("CObjectInstances", "CatalogCode,ItemId,ClassId,InstanceId",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, ItemId INTEGER NOT NULL, "
              "ClassId INTEGER NOT NULL, ParentInstanceId INTEGER, InstanceId INTEGER NOT NULL, "
              "UNIQUE (CatalogCode, ItemId, InstanceId)"),
        ValueTable("CStrings", "StringValue TEXT COLLATE NOCASE"),
        ValueTable("CText", "TextValue TEXT COLLATE NOCASE"),
        ValueTable("CNumbers", "NumberValue DOUBLE"),
        ValueTable("CDates", "DateValue DATETIME"),
        ValueTable("CBinary",
                   "DataBlob BLOB, DataCrc INTEGER, DataBytes INTEGER, "
                   "DataMimeType TEXT COLLATE NOCASE"),
        Table("LocalSettings", "CatalogCode,DataKey",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, DataKey TEXT NOT NULL COLLATE NOCASE, "
              "DataValue TEXT COLLATE NOCASE"),
        Table("LocalLog", "",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, ActionDate DATETIME, LogLevel INTEGER, "
              "UserName TEXT COLLATE NOCASE, Description TEXT COLLATE NOCASE"),
        Table("LocalSequences", "CatalogCode,SequenceName",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, "
              "SequenceName TEXT NOT NULL COLLATE NOCASE, LastId INTEGER"),
        Table("DeletedItems", "CatalogCode,ItemId",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, ItemId INTEGER NOT NULL, "
              "DateModified DATETIME"),
        // The synchronisation with the hosting service: the host's items and
        // their dates, the items deleted on the host, and the host's size of each item.
        Table("SyncItems", "CatalogCode,ItemId",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, ItemId INTEGER NOT NULL, "
              "DateModified DATETIME"),
        Table("HostDeletedItems", "CatalogCode,ItemId",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, ItemId INTEGER NOT NULL, "
              "DateModified DATETIME"),
        Table("ItemSizes", "CatalogCode,ItemId",
              "CatalogCode TEXT NOT NULL COLLATE NOCASE, ItemId INTEGER NOT NULL, "
              "BinarySize INTEGER, TextCount INTEGER"),
        // Finding the items of a type (the common templates, the language
        // resource) would otherwise read every row of the catalog.
        Index("Items", "ItemType", "CatalogCode, ItemType, ItemId"),
        Index("Items", "ParentItemId", "CatalogCode, ParentItemId"),
        Index("Items", "LinkedItemId", "CatalogCode, LinkedItemId"),
        Index("LocalLog", "ActionDate", "CatalogCode, ActionDate"),
        // Whether a value is taken (a product's code among thousands) would
        // otherwise read every text value of the catalog. The value comes
        // first: reads of an item's values keep the primary key.
        Index("CStrings", "StringValue", "StringValue, CatalogCode, ClassId, MemberId"),
    };
}

// Gives a borrowed query back to its connection on every way out.
class TBorrowedQuery {
public:
    explicit TBorrowedQuery(TAbstractDBConnection& connection)
        : connection_(connection), query_(connection.AcquireQuery())
    {
    }
    ~TBorrowedQuery() { connection_.ReleaseQuery(query_); }
    TBorrowedQuery(const TBorrowedQuery&) = delete;
    TBorrowedQuery& operator=(const TBorrowedQuery&) = delete;
    TAbstractDBQuery& operator*() const { return query_; }

private:
    TAbstractDBConnection& connection_;
    TAbstractDBQuery& query_;
};

}  // namespace

const std::vector<TCatalogTableDefinition>& TCatalogTables::Definitions()
{
    static const std::vector<TCatalogTableDefinition> definitions = BuildDefinitions();
    return definitions;
}

std::vector<std::string> TCatalogTables::CreateStatements()
{
    std::vector<std::string> statements;
    for (const TCatalogTableDefinition& definition : Definitions())
        statements.push_back(definition.CreateSQL);
    return statements;
}

std::string TCatalogTables::ValueTable(int memberType)
{
    if (IsStringMemberType(memberType))
        return "CStrings";
    if (IsTextMemberType(memberType))
        return "CText";
    if (IsNumberMemberType(memberType))
        return "CNumbers";
    if (IsDateMemberType(memberType))
        return "CDates";
    if (IsBinaryMemberType(memberType))
        return "CBinary";
    return {};
}

void CreateCatalogTables(TAbstractDBConnection& connection)
{
    TBorrowedQuery query(connection);
    for (const std::string& statement : TCatalogTables::CreateStatements()) {
        (*query).SetSQL(statement);
        (*query).ExecSQL();
    }
}

std::string NormalLangCode(const std::string& langCode)
{
    return common_detail::UpperCase(langCode);
}
