#include "catalog/CatalogDefinitionItems.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogItemsSql.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/ParamList.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBQuery.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"
#include "storage/UnitOfWorkScope.h"

#include <set>
#include <utility>

using namespace catalog_sql;
using std::to_string;

namespace {

// The tables of an item's rows, in the order a replaced item's rows are deleted.
const char* const kItemTables[] = {"Items", "CObjectInstances", "CStrings", "CText", "CNumbers", "CDates", "CBinary"};

// The value tables copied after Items, in this order, with the columns written
// (CatalogCode aside) and the text column whose control characters become blanks.
struct TCopiedTable {
    const char* name;
    std::vector<std::string> columns;
    const char* textColumn;
};
const TCopiedTable kValueTables[] = {
    {"CObjectInstances", {"ItemId", "ClassId", "InstanceId", "ParentInstanceId"}, ""},
    {"CStrings", {"ItemId", "ClassId", "InstanceId", "MemberId", "LangCode", "IndexId", "MemberType", "StringValue"},
     "StringValue"},
    {"CText", {"ItemId", "ClassId", "InstanceId", "MemberId", "LangCode", "IndexId", "MemberType", "TextValue"},
     "TextValue"},
    {"CBinary",
     {"ItemId", "ClassId", "InstanceId", "MemberId", "IndexId", "MemberType", "DataBytes", "DataCrc", "DataMimeType",
      "LangCode", "DataBlob"},
     ""},
    {"CNumbers", {"ItemId", "ClassId", "InstanceId", "MemberId", "IndexId", "MemberType", "LangCode", "NumberValue"},
     ""},
};
const std::vector<std::string> kItemColumns = {"ItemId",           "ItemType",          "ParentItemId", "LinkedItemId",
                                               "DontDelete",       "DontSort",          "NotVisible",   "OrderNum",
                                               "ExpandedImageCode", "CollapsedImageCode", "IsSynchronized",
                                               "DateModified"};

std::string InsertStatement(const std::string& table, const std::vector<std::string>& columns)
{
    std::string names = "CatalogCode";
    std::string values = ":CatalogCode";
    for (const std::string& column : columns) {
        names += ", " + column;
        values += ", :" + column;
    }
    return "INSERT INTO " + table + "( " + names + " ) VALUES( " + values + " )";
}

// A text field with its control characters (other than TAB, LF, CR) made blanks.
TVariant WideText(const TVariant& value)
{
    return value.Kind() == TVariantKind::Text ? TVariant(TCommonFunctions::AnsiToWide(value.AsText())) : value;
}

}  // namespace

// One run of CopyItems.
struct TCatalogDefinitionItems::TCopy {
    TAbstractDBConnection& target;
    TAbstractDBConnection& source;
    std::vector<std::string> ids;     // as given
    std::set<std::string> listed;     // the ids whose rows still count
    std::string filter;               // the source statements' filter
    bool addOnly;
    bool stampNow;
    std::vector<int> masterTemplates;  // master templates written

    bool Counts(const TAbstractRecordset& rows) const
    {
        return listed.count(to_string(IntOf(rows.Field("ItemId")))) != 0;
    }
    std::string SourceQuery(const std::string& table) const
    {
        return "SELECT * FROM " + table + " WHERE CatalogCode = :CatalogCode AND ItemId <> 0 " + filter;
    }
};

TCatalogDefinitionItems::TCatalogDefinitionItems(TCatalog& catalog, std::string targetCode, std::string sourceCode)
    : catalog_(catalog), targetCode_(std::move(targetCode)), sourceCode_(std::move(sourceCode))
{
}

void TCatalogDefinitionItems::CopyItems(const std::vector<std::string>& itemIds, TAbstractDBConnection& target,
                                        TAbstractDBConnection& source, const std::string& params, bool addOnly,
                                        bool stampNow)
{
    if (itemIds.empty())
        return;
    TCopy copy{target, source, itemIds, {itemIds.begin(), itemIds.end()}, "", addOnly, stampNow, {}};
    // One listed id: the source statements read that item's rows only.
    if (itemIds.size() == 1)
        copy.filter = " AND ItemId = " + to_string(TMemberValueText::ReadInteger(itemIds.front()));

    TWaitCursor wait(catalog_.GetGui());
    TUnitOfWorkScope unit(target);
    unit.Enter("Items");
    if (!addOnly)
        DeleteTargetRows(copy);
    CopyItemRows(copy);
    for (const TCopiedTable& table : kValueTables)
        CopyValueRows(copy, table.name, table.columns, table.textColumn);
    if (!params.empty())
        ApplyStyleParams(copy, params);
    unit.Commit();
}

void TCatalogDefinitionItems::DeleteTargetRows(const TCopy& copy)
{
    for (const std::string& text : copy.ids) {
        const int id = TMemberValueText::ReadInteger(text);
        if (id == 0)
            continue;
        for (const char* table : kItemTables)
            Exec(copy.target,
                 std::string("DELETE FROM ") + table + " WHERE CatalogCode = :CatalogCode AND ItemId = " +
                     to_string(id),
                 targetCode_);
    }
}

void TCatalogDefinitionItems::CopyItemRows(TCopy& copy)
{
    TQueryGuard rows(copy.source);
    rows->SetSQL(copy.SourceQuery("Items"));
    rows->SetParam("CatalogCode", sourceCode_);
    TQueryGuard insert(copy.target);
    insert->SetSQL(InsertStatement("Items", kItemColumns));
    for (TAbstractRecordset& row = rows->Open(true); !row.Eof(); row.Next()) {
        if (!copy.Counts(row))
            continue;
        const int id = IntOf(row.Field("ItemId"));
        if (copy.addOnly && catalog_.ItemExists(id, targetCode_, copy.target)) {
            copy.listed.erase(to_string(id));  // the target's item stays as it is, in every table
            continue;
        }
        insert->SetParam("CatalogCode", targetCode_);
        for (const std::string& column : kItemColumns)
            insert->SetParam(column, row.Field(column));
        insert->SetParam("IsSynchronized", 0);
        if (copy.stampNow)
            insert->SetParam("DateModified", Now());
        insert->ExecSQL();
        if (IntOf(row.Field("ItemType")) == kMasterTemplateType)
            copy.masterTemplates.push_back(id);
    }
}

void TCatalogDefinitionItems::CopyValueRows(const TCopy& copy, const std::string& table,
                                            const std::vector<std::string>& columns, const std::string& textColumn)
{
    TQueryGuard rows(copy.source);
    rows->SetSQL(copy.SourceQuery(table));
    rows->SetParam("CatalogCode", sourceCode_);
    TQueryGuard insert(copy.target);
    insert->SetSQL(InsertStatement(table, columns));
    for (TAbstractRecordset& row = rows->Open(true); !row.Eof(); row.Next()) {
        if (!copy.Counts(row))
            continue;
        insert->SetParam("CatalogCode", targetCode_);
        for (const std::string& column : columns)
            insert->SetParam(column, column == textColumn ? WideText(row.Field(column)) : row.Field(column));
        insert->ExecSQL();
    }
}

void TCatalogDefinitionItems::ApplyStyleParams(const TCopy& copy, const std::string& params)
{
    const TParamList values(params);
    const auto number = [&](const char* name) { return TMemberValueText::ReadInteger(values.Value(name)); };
    for (int itemId : copy.masterTemplates) {
        std::unique_ptr<TTolvexObject> master =
            catalog_.GetObjectFactory().GetObjectTyped(itemId, kMasterTemplateClass, copy.target, targetCode_);
        master->Load();
        master->SetNumber("ColorScheme", number("color"), 0);
        master->SetNumber("FontScheme", number("font"), 0);
        master->SetNumber("BackgroundImageCode", number("background"), 0);
        master->Save();
    }
}

void TCatalogDefinitionItems::DeleteItems(const std::vector<std::string>& itemIds, TAbstractDBConnection& target)
{
    TUnitOfWorkScope unit(target);
    unit.Enter("Items");
    for (const std::string& text : itemIds) {
        const int id = TMemberValueText::ReadInteger(text);
        // What the definition drops goes with everything below it: nothing is
        // left behind without its parent.
        if (catalog_.ItemExists(id, targetCode_, target))
            catalog_.DeleteItem(id, targetCode_, target, false, true, TDeleteChildren::Cascade);
    }
    unit.Commit();
}
