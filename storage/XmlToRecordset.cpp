#include "storage/XmlToRecordset.h"

#include "storage/UnitOfWorkScope.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetXmlInput.h"
#include "storage/RecordsetXmlNames.h"

#include <chrono>
#include <map>
#include <utility>

using common_detail::SameText;
using recordset_xml::kCatalogCodeField;

namespace {

// "p" and the index, with Prefix before it.
std::string ParamName(std::size_t index, const char* prefix = "")
{
    std::string name = prefix;
    name += 'p';
    name.append(std::to_string(index));
    return name;
}

// Binds values to the parameters ":p0", ":p1", ... of a statement in the
// order they are added.
class TStatementBuilder {
public:
    std::string Add(const TVariant& value)
    {
        values_.push_back(value);
        return ParamName(values_.size() - 1, ":");
    }
    void Run(TAbstractDBConnection& connection, const std::string& sql) const
    {
        TQueryGuard query(connection);
        query->SetSQL(sql);
        for (std::size_t i = 0; i < values_.size(); ++i)
            query->SetParam(ParamName(i), values_[i]);
        query->ExecSQL();
    }

private:
    std::vector<TVariant> values_;
};

// The current local date-time as a day number, for the names of debug copies.
std::string NowAsNumber(const TCommonFunctions& functions)
{
    using namespace std::chrono;
    const auto millis = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::string seconds = std::to_string(millis / 1000) + "." + std::to_string(1000 + millis % 1000).substr(1);
    return TCommonFunctions::VariantToString(TVariant(functions.UnixTimeToDateTime(seconds)));
}

}  // namespace

TXmlToRecordset::TXmlToRecordset(TAbstractDBConnection& connection, TRecordsetXmlContext context)
    : connection_(connection), context_(std::move(context))
{
    if (!context_.functions)
        throw EDeveloperTolvexException("The record-set reader needs the common functions");
}

void TXmlToRecordset::ApplyStreamRemapped(std::istream& stream, bool compressed,
                                          const std::vector<std::string>& map)
{
    map_ = map;
    ApplyStream(stream, compressed, kRecordsetReadCatalogRemapped);
}

void TXmlToRecordset::ApplyStream(std::istream& stream, bool compressed, std::uint8_t mode)
{
    mode_ = mode;
    document_ = TRecordsetXmlDocument::Parse(ReadRecordsetXmlInput(stream, compressed, maxDocumentSize_));
    if (IsRemapMode())
        Remap();
    SaveDebugCopy();
    CheckReach();
    table_.reset();  // the schema may have changed since the last document
    ApplyActions();
}

void TXmlToRecordset::SaveDebugCopy() const
{
    if (!context_.debugFolder.empty())
        document_.SaveToFile(context_.debugFolder + "/" + NowAsNumber(*context_.functions) + ".xml");
}

// ---- remapping ------------------------------------------------------------------

std::string TXmlToRecordset::FromCatalog() const
{
    for (const std::string& line : map_)
        if (SameText(TParamList::NameOf(line), "fromcatalog"))
            return TParamList::ValueOf(line);
    return {};
}

std::string TXmlToRecordset::MissingCatalogCode() const
{
    const std::string fromCatalog = IsRemapMode() ? FromCatalog() : std::string();
    return fromCatalog.empty() ? context_.catalogCode : "c#" + fromCatalog;
}

void TXmlToRecordset::Remap()
{
    const std::string fromCatalog = FromCatalog();
    if (fromCatalog.empty())
        return;
    std::vector<xmlNodePtr> pending{document_.Root()};
    while (!pending.empty()) {
        xmlNodePtr element = pending.back();
        pending.pop_back();
        const std::string name = TRecordsetXmlDocument::Name(element);
        if ((name == "CatalogCode" || name == "CATALOGCODE" || name == "catalogcode") &&
            TRecordsetXmlDocument::Text(element) == fromCatalog)
            TRecordsetXmlDocument::SetText(element, "c#" + fromCatalog);
        for (xmlNodePtr child : TRecordsetXmlDocument::ChildElements(element))
            pending.push_back(child);
    }
}

// ---- actions --------------------------------------------------------------------

std::string TXmlToRecordset::MapTableName(const std::string& name)
{
    if (SameText(name, "styleimages"))
        return "Images";
    if (SameText(name, "styletemplates"))
        return "Templates";
    return name;
}

TXmlToRecordset::TFieldElements TXmlToRecordset::FieldElements(xmlNodePtr parent)
{
    TFieldElements fields;
    for (xmlNodePtr element : TRecordsetXmlDocument::ChildElements(parent)) {
        TFieldElement field;
        field.name = TRecordsetXmlDocument::Name(element);
        std::string isNull;
        field.isNull = TRecordsetXmlDocument::GetAttribute(element, "IsNull", isNull) && isNull == "1";
        field.text = TRecordsetXmlDocument::Text(element);
        fields.push_back(std::move(field));
    }
    return fields;
}

const TRecordsetXmlTable& TXmlToRecordset::OpenTable(const std::string& name)
{
    if (!table_ || !SameText(table_->Name(), name))
        table_ = TRecordsetXmlTable::Open(connection_, name);
    return *table_;
}

void TXmlToRecordset::CheckReach() const
{
    if (allowedTables_.empty() && requiredCatalogCode_.empty())
        return;
    const auto allowed = [this](const std::string& table) {
        for (const std::string& name : allowedTables_)
            if (SameText(name, table))
                return true;
        return allowedTables_.empty();
    };
    const auto checkCodes = [this](xmlNodePtr parent) {
        if (requiredCatalogCode_.empty())
            return;
        for (xmlNodePtr field : TRecordsetXmlDocument::ChildElements(parent))
            if (SameText(TRecordsetXmlDocument::Name(field), kCatalogCodeField) &&
                TRecordsetXmlDocument::Text(field) != requiredCatalogCode_)
                throw EPublisherTolvexException("The data holds rows of the catalog \"" +
                                                TRecordsetXmlDocument::Text(field) + "\", which were not asked for");
    };
    for (xmlNodePtr action : TRecordsetXmlDocument::ChildElements(document_.Root())) {
        std::string tableName;
        std::string method;
        if (TRecordsetXmlDocument::Name(action) != "Action" ||
            !TRecordsetXmlDocument::GetAttribute(action, "Table", tableName) ||
            !TRecordsetXmlDocument::GetAttribute(action, "Method", method))
            continue;
        if (method != "update" && method != "insert" && method != "delete" && method != "primarykey")
            continue;
        const std::string table = method == "primarykey" ? "sync" + MapTableName(tableName) : MapTableName(tableName);
        if (!allowed(table))
            throw EPublisherTolvexException("The data names the table \"" + tableName + "\", which was not asked for");
        checkCodes(action);
        if (method == "primarykey")
            for (xmlNodePtr key : TRecordsetXmlDocument::ChildElements(action))
                checkCodes(key);
    }
}

void TXmlToRecordset::ApplyActions()
{
    TUnitOfWorkScope scope(connection_);
    for (xmlNodePtr action : TRecordsetXmlDocument::ChildElements(document_.Root()))
        if (TRecordsetXmlDocument::Name(action) == "Action")
            ApplyAction(action, scope);
    scope.Commit();
}

void TXmlToRecordset::ApplyAction(xmlNodePtr action, TUnitOfWorkScope& scope)
{
    std::string tableName;
    std::string method;
    if (!TRecordsetXmlDocument::GetAttribute(action, "Table", tableName) ||
        !TRecordsetXmlDocument::GetAttribute(action, "Method", method))
        return;
    if (method != "update" && method != "insert" && method != "delete" && method != "primarykey")
        return;
    tableName = MapTableName(tableName);
    if (method == "primarykey") {
        const TRecordsetXmlTable& table = OpenTable("sync" + tableName);
        scope.Enter(table.Name());
        for (xmlNodePtr key : TRecordsetXmlDocument::ChildElements(action))
            if (TRecordsetXmlDocument::Name(key) == "Key")
                Insert(table, FieldElements(key));
        return;
    }
    const TRecordsetXmlTable& table = OpenTable(tableName);
    scope.Enter(table.Name());
    const TFieldElements fields = FieldElements(action);
    if (method == "update")
        Update(table, fields);
    else if (method == "insert")
        Insert(table, fields);
    else
        Delete(table, fields);
}

void TXmlToRecordset::Insert(const TRecordsetXmlTable& table, const TFieldElements& fields)
{
    std::map<int, TVariant> values;  // by field index: a field given twice takes the last value
    for (const TFieldElement& field : fields) {
        const int index = table.IndexOf(field.name);
        if (index < 0 || common_detail::LowerCase(field.name) == "vendorcode")
            continue;
        if (!field.isNull && field.text.empty())
            continue;  // the field keeps what a new row has
        const std::optional<TVariant> value =
            context_.functions->SetFieldFromString(table.FieldType(index), field.isNull ? "" : field.text);
        if (value)
            values[index] = *value;
    }
    const int catalogCode = table.IndexOf(kCatalogCodeField);
    if (catalogCode >= 0 && !IsRemapMode() && !IsGlobalMode())
        values[catalogCode] = context_.catalogCode;

    TStatementBuilder statement;
    std::string names;
    std::string marks;
    for (const auto& [index, value] : values) {
        names += (names.empty() ? "" : ", ") + table.SqlFieldName(index);
        marks += (marks.empty() ? "" : ", ") + statement.Add(value);
    }
    statement.Run(connection_, "INSERT INTO " + table.SqlName() +
                                   (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")"));
}

void TXmlToRecordset::Delete(const TRecordsetXmlTable& table, const TFieldElements& fields)
{
    if (fields.empty() && !IsGlobalMode())
        return;
    DeleteWhere(table, fields, !IsGlobalMode(), !IsRemapMode() && !IsGlobalMode());
}

void TXmlToRecordset::Update(const TRecordsetXmlTable& table, const TFieldElements& fields)
{
    const std::string keyInfo = context_.primaryKeyInfo ? context_.primaryKeyInfo(table.Name()) : std::string();
    const std::vector<std::string> keys = recordset_xml::ParsePrimaryKeyInfo(keyInfo);
    TFieldElements keyFields;
    for (const TFieldElement& field : fields)
        if (recordset_xml::IsKeyField(keys, field.name))
            keyFields.push_back(field);
    // Global tables have no catalog code: their rows are replaced by key alone.
    if (!keyFields.empty())
        DeleteWhere(table, keyFields, !IsGlobalMode(), !IsRemapMode());
    Insert(table, fields);
}

void TXmlToRecordset::DeleteWhere(const TRecordsetXmlTable& table, const TFieldElements& fields,
                                  bool addCatalogCode, bool overrideCatalogCode)
{
    TStatementBuilder statement;
    std::string conditions;
    const auto addCondition = [&](int index, const TVariant& value) {
        conditions += (conditions.empty() ? "" : " AND ") + table.SqlFieldName(index) + " = " + statement.Add(value);
    };
    bool hasCatalogCode = false;
    for (const TFieldElement& field : fields) {
        // Leaving out a condition would delete more rows than the document
        // meant: a field the table does not have stops the document.
        const int index = table.IndexOf(field.name);
        if (index < 0)
            throw EPublisherTolvexException("The table \"" + table.Name() + "\" has no field \"" + field.name +
                                            "\" to delete rows by");
        const bool isCatalogCode = SameText(table.FieldName(index), kCatalogCodeField);
        hasCatalogCode = hasCatalogCode || isCatalogCode;
        addCondition(index, isCatalogCode && overrideCatalogCode ? TVariant(context_.catalogCode)
                                                                 : ConditionValue(table, index, field));
    }
    if (addCatalogCode && !hasCatalogCode) {
        const int index = table.IndexOf(kCatalogCodeField);
        if (index < 0)
            throw EPublisherTolvexException("The table \"" + table.Name() + "\" has no field CatalogCode");
        addCondition(index, TVariant(MissingCatalogCode()));
    }
    statement.Run(connection_, "DELETE FROM " + table.SqlName() + (conditions.empty() ? "" : " WHERE " + conditions));
}

// A field without text matches no row: "= Null" is never true.
TVariant TXmlToRecordset::ConditionValue(const TRecordsetXmlTable& table, int index,
                                         const TFieldElement& field) const
{
    if (field.isNull)
        return TVariant();
    return context_.functions->StringToVariant(table.FieldType(index), field.text);
}
