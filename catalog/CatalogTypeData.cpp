#include "catalog/CatalogTypeData.h"

#include "catalog/CatalogBookkeeping.h"
#include "catalog/CatalogDefinition.h"
#include "storage/MemberValueText.h"

#include "common/CRC32.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "common/MemberTypes.h"
#include "common/XmlPtr.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBQuery.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteConnectionFactory.h"
#include "storage/SQLiteFieldTypes.h"
#include "storage/SQLiteFiles.h"
#include "storage/SQLiteModule.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlstring.h>

#include <charconv>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// ---- reading ---------------------------------------------------------------------------

// The value kinds of the format: element name, value table, the range of
// member types it takes and the member type of an element without "type".
struct TValueKind {
    const char* element;
    const char* table;
    int lowType;
    int highType;
    int defaultType;
};

const TValueKind kValueKinds[] = {
    {"String", "CStrings", kFirstStringMemberType, kLastStringMemberType, 1},
    {"Text", "CText", kFirstTextMemberType, kLastTextMemberType, 51},
    {"Number", "CNumbers", kFirstIntegerMemberType, kLastFloatMemberType, 101},
    {"Date", "CDates", kFirstDateMemberType, kLastDateMemberType, 203},
    {"Binary", "CBinary", kFirstBinaryMemberType, kLastBinaryMemberType, 251},
};

const TValueKind* FindValueKind(const std::string& element)
{
    for (const TValueKind& kind : kValueKinds)
        if (element == kind.element)
            return &kind;
    return nullptr;
}

std::string NodeName(const xmlNode* node)
{
    return reinterpret_cast<const char*>(node->name);
}

// A string that libxml2 allocated, as text; the string is freed.
std::string TakeXmlString(xmlChar* text)
{
    std::string result = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return result;
}

std::string NodeText(const xmlNode* node)
{
    return TakeXmlString(xmlNodeGetContent(node));
}

bool IsElement(const xmlNode* node)
{
    return node->type == XML_ELEMENT_NODE;
}

bool IsBlankText(const xmlNode* node)
{
    return node->type == XML_TEXT_NODE && xmlIsBlankNode(const_cast<xmlNode*>(node));
}

// The attributes of one element, checked against the names its element
// takes; each read removes the attribute, so that what is left over is
// unknown.
class TAttributes {
public:
    explicit TAttributes(const xmlNode* node)
    {
        for (const xmlAttr* attr = node->properties; attr; attr = attr->next)
            values_[reinterpret_cast<const char*>(attr->name)] =
                TakeXmlString(xmlNodeListGetString(attr->doc, attr->children, 1));
    }

    bool Take(const std::string& name, std::string& value)
    {
        auto found = values_.find(name);
        if (found == values_.end())
            return false;
        value = found->second;
        values_.erase(found);
        return true;
    }

    // The name of an attribute that no read took; empty when none is left.
    std::string Unknown() const { return values_.empty() ? "" : values_.begin()->first; }

private:
    std::map<std::string, std::string> values_;
};

bool ParseInteger(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseNumber(const std::string& text, double& value)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The first error the parser reports: later ones are mostly its echoes.
struct TParseError {
    bool found = false;
    std::string message;
    int line = 0;
};

void RecordParseError(void* userData, xmlErrorPtr error)
{
    auto* context = static_cast<xmlParserCtxtPtr>(userData);
    auto* first = static_cast<TParseError*>(context->_private);
    if (first->found || !error || error->level < XML_ERR_ERROR)
        return;
    first->found = true;
    first->message = Trimmed(error->message ? error->message : "");
    first->line = error->line;
}

// Reads one definition file into items, checking every rule of the format.
class TDefinitionReader {
public:
    explicit TDefinitionReader(std::string fileName) : fileName_(std::move(fileName)) {}

    TCatalogTypeData Read()
    {
        TXmlDocPtr doc = Parse();
        const xmlNode* root = xmlDocGetRootElement(doc.get());
        if (!root || NodeName(root) != "CatalogDefinition")
            Fail(root ? root->line : 1, "the document element must be CatalogDefinition");
        ReadRoot(root);
        for (const xmlNode* child = root->children; child; child = child->next)
            if (Expect(child, "Item"))
                items_.push_back(ReadItem(child));
        return TCatalogTypeData(catalogType_, catalogCode_, std::move(items_));
    }

private:
    [[noreturn]] void Fail(long line, const std::string& message) const
    {
        throw ECriticalTolvexException(fileName_ + ", line " + std::to_string(line) + ": " + message);
    }

    TXmlDocPtr Parse() const
    {
        const TXmlParserPtr context(xmlNewParserCtxt());
        if (!context)
            throw ECriticalTolvexException(fileName_ + ": out of memory");
        TParseError error;
        context->_private = &error;
        context->sax->serror = RecordParseError;
        TXmlDocPtr doc(xmlCtxtReadFile(context.get(), fileName_.c_str(), nullptr,
                                       XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                           XML_PARSE_BIG_LINES | XML_PARSE_NOCDATA));
        if (!doc || !context->wellFormed) {
            if (error.found && error.line > 0)
                Fail(error.line, error.message);
            throw ECriticalTolvexException(fileName_ + ": " +
                                           (error.found ? error.message : "cannot read the file"));
        }
        return doc;
    }

    // True for an element of the expected name; comments and blank text are
    // skipped; anything else is refused.
    bool Expect(const xmlNode* node, const std::string& name) const
    {
        if (node->type == XML_COMMENT_NODE || IsBlankText(node))
            return false;
        if (!IsElement(node) || NodeName(node) != name)
            Fail(node->line, "expected an element " + name + (IsElement(node) ? ", found " + NodeName(node) : ""));
        return true;
    }

    int IntegerAttribute(const xmlNode* node, TAttributes& attributes, const std::string& name,
                         const int* defaultValue) const
    {
        std::string text;
        if (!attributes.Take(name, text)) {
            if (!defaultValue)
                Fail(node->line, NodeName(node) + " needs the attribute " + name);
            return *defaultValue;
        }
        int value = 0;
        if (!ParseInteger(Trimmed(text), value))
            Fail(node->line, "attribute " + name + " is no integer: \"" + text + "\"");
        return value;
    }

    int Required(const xmlNode* node, TAttributes& attributes, const std::string& name) const
    {
        return IntegerAttribute(node, attributes, name, nullptr);
    }

    int Optional(const xmlNode* node, TAttributes& attributes, const std::string& name, int defaultValue) const
    {
        return IntegerAttribute(node, attributes, name, &defaultValue);
    }

    void RefuseUnknown(const xmlNode* node, const TAttributes& attributes) const
    {
        if (!attributes.Unknown().empty())
            Fail(node->line, NodeName(node) + " has an unknown attribute " + attributes.Unknown());
    }

    void ReadRoot(const xmlNode* root)
    {
        TAttributes attributes(root);
        catalogType_ = Required(root, attributes, "catalogType");
        const std::string expected = "t#" + std::to_string(catalogType_);
        if (!attributes.Take("code", catalogCode_))
            catalogCode_ = expected;
        if (catalogCode_ != expected)
            Fail(root->line, "the code of catalog type " + std::to_string(catalogType_) + " must be " + expected);
        RefuseUnknown(root, attributes);
    }

    TCatalogTypeItem ReadItem(const xmlNode* node)
    {
        TAttributes attributes(node);
        TCatalogTypeItem item;
        item.itemId = Required(node, attributes, "id");
        item.itemType = Required(node, attributes, "type");
        item.parentItemId = Required(node, attributes, "parent");
        item.orderNum = Optional(node, attributes, "order", 0);
        const int visible = Optional(node, attributes, "visible", 1);
        const int flags = Optional(node, attributes, "flags", 0);
        item.linkedItemId = Optional(node, attributes, "linked", 0);
        attributes.Take("expandedImage", item.expandedImageCode);
        attributes.Take("collapsedImage", item.collapsedImageCode);
        RefuseUnknown(node, attributes);
        if (visible != 0 && visible != 1)
            Fail(node->line, "visible must be 0 or 1");
        if (flags & ~3)
            Fail(node->line, "flags takes only 1 (may not be deleted) and 2 (children in manual order)");
        if (!itemIds_.insert(item.itemId).second)
            Fail(node->line, "item " + std::to_string(item.itemId) + " is defined twice");
        item.notVisible = visible == 0;
        item.dontDelete = flags & 1;
        item.dontSort = flags & 2;
        if (item.linkedItemId == 0)
            item.linkedItemId = item.itemId;
        ReadObjects(node, item);
        return item;
    }

    void ReadObjects(const xmlNode* itemNode, TCatalogTypeItem& item)
    {
        std::set<int> instances;
        valueKeys_.clear();
        for (const xmlNode* child = itemNode->children; child; child = child->next) {
            if (!Expect(child, "Object"))
                continue;
            if (item.linkedItemId != item.itemId)
                Fail(child->line, "a further placement of an item carries no objects; they belong to item " +
                                      std::to_string(item.linkedItemId));
            TCatalogTypeObject object = ReadObject(child);
            if (!instances.insert(object.instanceId).second)
                Fail(child->line, "instance " + std::to_string(object.instanceId) + " is used twice in item " +
                                      std::to_string(item.itemId));
            item.objects.push_back(std::move(object));
        }
    }

    TCatalogTypeObject ReadObject(const xmlNode* node)
    {
        TAttributes attributes(node);
        TCatalogTypeObject object;
        object.classId = Required(node, attributes, "class");
        object.instanceId = Required(node, attributes, "instance");
        object.parentInstanceId = Optional(node, attributes, "parentInstance", 0);
        RefuseUnknown(node, attributes);
        if (object.classId <= 0 || object.instanceId <= 0)
            Fail(node->line, "class and instance must be above 0");
        for (const xmlNode* child = node->children; child; child = child->next) {
            if (child->type == XML_COMMENT_NODE || IsBlankText(child))
                continue;
            object.values.push_back(ReadValue(child, object));
        }
        return object;
    }

    TCatalogTypeValue ReadValue(const xmlNode* node, const TCatalogTypeObject& object)
    {
        const TValueKind* kind = IsElement(node) ? FindValueKind(NodeName(node)) : nullptr;
        if (!kind)
            Fail(node->line, "expected a value element String, Text, Number, Date or Binary");
        TAttributes attributes(node);
        TCatalogTypeValue value;
        value.table = kind->table;
        value.memberId = Required(node, attributes, "member");
        value.indexId = Optional(node, attributes, "index", 0);
        value.memberType = Optional(node, attributes, "type", kind->defaultType);
        attributes.Take("lang", value.langCode);
        const bool fromFile = ReadFromFile(node, attributes, value);
        RefuseUnknown(node, attributes);
        CheckValueKey(node, *kind, object, value);
        if (!fromFile)
            ReadContent(node, *kind, value);
        return value;
    }

    // Binary values, and Text values that name a file, take their bytes from
    // that file; answers whether the value did.
    bool ReadFromFile(const xmlNode* node, TAttributes& attributes, TCatalogTypeValue& value) const
    {
        if (value.table == "CBinary") {
            ReadBinary(node, attributes, value);
            return true;
        }
        std::string file;
        if (value.table != "CText" || !attributes.Take("file", file))
            return false;
        value.text = ReadNamedFile(node, file, "Text");
        // Texts are UTF-8 without NUL, like the texts written out in the file.
        if (value.text.find('\0') != std::string::npos ||
            !xmlCheckUTF8(reinterpret_cast<const xmlChar*>(value.text.c_str())))
            Fail(node->line, "the file " + file + " is no UTF-8 text");
        return true;
    }

    void CheckValueKey(const xmlNode* node, const TValueKind& kind, const TCatalogTypeObject& object,
                       const TCatalogTypeValue& value)
    {
        if (value.memberId <= 0 || value.indexId < 0)
            Fail(node->line, "member must be above 0 and index not below 0");
        if (value.memberType < kind.lowType || value.memberType > kind.highType)
            Fail(node->line, "member type " + std::to_string(value.memberType) + " does not belong to " +
                                 kind.element + " values (" + std::to_string(kind.lowType) + "-" +
                                 std::to_string(kind.highType) + ")");
        if (value.langCode.empty() || value.langCode == "DEF")
            Fail(node->line, "lang must name a language or XXX");
        auto key = std::make_tuple(value.table, object.classId, object.instanceId, value.memberId,
                                   value.langCode, value.indexId);
        if (!valueKeys_.insert(key).second)
            Fail(node->line, "member " + std::to_string(value.memberId) + " of class " +
                                 std::to_string(object.classId) + " has this language and index twice");
    }

    // Empty texts and numbers or dates equal to 0 are never stored: such a
    // value is written by leaving its element out.
    void ReadContent(const xmlNode* node, const TValueKind& kind, TCatalogTypeValue& value) const
    {
        const std::string text = NodeText(node);
        const std::string table = kind.table;
        if (table == "CStrings" || table == "CText") {
            if (text.empty())
                Fail(node->line, "an empty text is not stored; leave the element out");
            value.text = text;
        } else if (table == "CNumbers") {
            if (!ParseNumber(Trimmed(text), value.number))
                Fail(node->line, "not a number: \"" + text + "\"");
        } else {
            std::optional<TDateTime> date = ParseIsoDateTime(Trimmed(text));
            if (!date)
                Fail(node->line, "not a date (yyyy-mm-dd or yyyy-mm-dd hh:nn:ss): \"" + text + "\"");
            value.number = date->days;
        }
        if (table != "CStrings" && table != "CText" && value.number == 0.0)
            Fail(node->line, "a value of 0 is not stored; leave the element out");
    }

    void ReadBinary(const xmlNode* node, TAttributes& attributes, TCatalogTypeValue& value) const
    {
        std::string file;
        if (!attributes.Take("mime", value.mimeType) || value.mimeType.empty())
            Fail(node->line, "Binary needs the attribute mime");
        if (!attributes.Take("file", file))
            Fail(node->line, "Binary needs the attribute file");
        value.text = ReadNamedFile(node, file, "Binary");
    }

    // The bytes of the file that a value element names, relative to the
    // definition file's folder; the element itself holds no text then.
    std::string ReadNamedFile(const xmlNode* node, const std::string& file, const std::string& element) const
    {
        if (file.empty())
            Fail(node->line, element + " needs a file name in its attribute file");
        if (Trimmed(NodeText(node)) != "")
            Fail(node->line, element + " takes its bytes from its file, not from its text");
        const fs::path path = fs::path(fileName_).parent_path() / file;
        std::optional<std::string> content = ReadFileContent(path.string());
        if (!content)
            Fail(node->line, "cannot read the file " + path.string());
        std::string bytes = std::move(*content);
        if (bytes.empty())
            Fail(node->line, "the file " + path.string() + " is empty");
        return bytes;
    }

    std::string fileName_;
    int catalogType_ = 0;
    std::string catalogCode_;
    std::vector<TCatalogTypeItem> items_;
    std::set<int> itemIds_;
    std::set<std::tuple<std::string, int, int, int, std::string, int>> valueKeys_;
};

// ---- writing ---------------------------------------------------------------------------

TVariant TextOrNull(const std::string& text)
{
    return text.empty() ? TVariant() : TVariant(text);
}

TDateTime Now()
{
    return TDateTime{TMemberValueText::Now()};
}

void InsertItem(TAbstractDBQuery& query, const std::string& code, const TCatalogTypeItem& item, TDateTime now)
{
    query.SetSQL("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, "
                 "ExpandedImageCode, CollapsedImageCode, OrderNum, DontDelete, DontSort, IsSynchronized, "
                 "DateModified, UserPriority) VALUES (:CatalogCode, :ItemId, :ItemType, :ParentItemId, "
                 ":LinkedItemId, :NotVisible, :ExpandedImageCode, :CollapsedImageCode, :OrderNum, :DontDelete, "
                 ":DontSort, 0, :DateModified, 0)");
    query.SetParam("CatalogCode", code);
    query.SetParam("ItemId", item.itemId);
    query.SetParam("ItemType", item.itemType);
    query.SetParam("ParentItemId", item.parentItemId);
    query.SetParam("LinkedItemId", item.linkedItemId);
    query.SetParam("NotVisible", item.notVisible ? 1 : 0);
    query.SetParam("ExpandedImageCode", TextOrNull(item.expandedImageCode));
    query.SetParam("CollapsedImageCode", TextOrNull(item.collapsedImageCode));
    query.SetParam("OrderNum", item.orderNum);
    query.SetParam("DontDelete", item.dontDelete ? 1 : 0);
    query.SetParam("DontSort", item.dontSort ? 1 : 0);
    query.SetParam("DateModified", now);
    query.ExecSQL();
}

void InsertInstance(TAbstractDBQuery& query, const std::string& code, int itemId, const TCatalogTypeObject& object)
{
    query.SetSQL("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                 "VALUES (:CatalogCode, :ItemId, :ClassId, :ParentInstanceId, :InstanceId)");
    query.SetParam("CatalogCode", code);
    query.SetParam("ItemId", itemId);
    query.SetParam("ClassId", object.classId);
    query.SetParam("ParentInstanceId", object.parentInstanceId);
    query.SetParam("InstanceId", object.instanceId);
    query.ExecSQL();
}

// The value columns of a value table; each is bound to the parameter of its name.
std::vector<std::string> ValueColumns(const std::string& table)
{
    if (table == "CStrings")
        return {"StringValue"};
    if (table == "CText")
        return {"TextValue"};
    if (table == "CNumbers")
        return {"NumberValue"};
    if (table == "CDates")
        return {"DateValue"};
    return {"DataBlob", "DataCrc", "DataBytes", "DataMimeType"};
}

void BindValue(TAbstractDBQuery& query, const TCatalogTypeValue& value)
{
    if (value.table == "CStrings")
        query.SetParam("StringValue", value.text);
    else if (value.table == "CText")
        query.SetParam("TextValue", value.text);
    else if (value.table == "CNumbers")
        query.SetParam("NumberValue", value.number);
    else if (value.table == "CDates")
        query.SetParam("DateValue", TDateTime{value.number});
    else {
        // The checksum is stored as a signed 32-bit integer.
        const auto crc = static_cast<std::int32_t>(TCRC32::CalcStringCRC(value.text));
        query.SetParam("DataBlob", TBytes{value.text});
        query.SetParam("DataCrc", static_cast<int>(crc));
        query.SetParam("DataBytes", static_cast<std::int64_t>(value.text.size()));
        query.SetParam("DataMimeType", value.mimeType);
    }
}

void InsertValue(TAbstractDBQuery& query, const std::string& code, int itemId, const TCatalogTypeObject& object,
                 const TCatalogTypeValue& value)
{
    std::string columns;
    std::string parameters;
    for (const std::string& column : ValueColumns(value.table)) {
        columns += ", " + column;
        parameters += ", :" + column;
    }
    query.SetSQL("INSERT INTO " + value.table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                 "IndexId, MemberType" + columns + ") VALUES (:CatalogCode, :ItemId, :ClassId, :InstanceId, "
                 ":MemberId, :LangCode, :IndexId, :MemberType" + parameters + ")");
    query.SetParam("CatalogCode", code);
    query.SetParam("ItemId", itemId);
    query.SetParam("ClassId", object.classId);
    query.SetParam("InstanceId", object.instanceId);
    query.SetParam("MemberId", value.memberId);
    query.SetParam("LangCode", value.langCode);
    query.SetParam("IndexId", value.indexId);
    query.SetParam("MemberType", value.memberType);
    BindValue(query, value);
    query.ExecSQL();
}

// ---- the database file ---------------------------------------------------------------------

void RemoveDatabaseFile(const std::string& file)
{
    std::error_code ec;
    fs::remove(file, ec);
    RemoveSQLiteSideFiles(file);
}

// Writes the rows into a new database Dir/Name.sqlite and closes it again.
void WriteNewDatabase(const TCatalogTypeData& data, const std::string& dir, const std::string& name)
{
    TSQLiteConnectionFactory factory(SQLiteModuleName, "", TDatabaseModuleContext{});
    if (!factory.CreateDatabase(dir, "", name, "", "", 0))
        throw ECriticalTolvexException("Cannot create the database " + SQLiteDatabaseFileName(dir, name));
    if (!factory.OpenDatabase(dir, name, "", ""))
        throw ECriticalTolvexException("Cannot open the database " + SQLiteDatabaseFileName(dir, name));
    std::unique_ptr<TAbstractDBConnection> connection = factory.OpenSecondConnection();
    CreateCatalogTables(*connection);
    data.WriteRows(*connection);
    connection->CommitTrans();
}

}  // namespace

TCatalogTypeData TCatalogTypeData::ReadFile(const std::string& xmlFile)
{
    return TDefinitionReader(xmlFile).Read();
}

void TCatalogTypeData::WriteRows(TAbstractDBConnection& connection) const
{
    {
        TQueryGuard query(connection);
        const TDateTime now = Now();
        for (const TCatalogTypeItem& item : items_) {
            InsertItem(*query, catalogCode_, item, now);
            for (const TCatalogTypeObject& object : item.objects) {
                InsertInstance(*query, catalogCode_, item.linkedItemId, object);
                for (const TCatalogTypeValue& value : object.values)
                    InsertValue(*query, catalogCode_, item.linkedItemId, object, value);
            }
        }
    }
    // The definition catalog opens as a catalog too (File / Styles), and
    // opening requires the structure version that creation gives a catalog.
    TCatalogBookkeeping::WriteLocalSetting(connection, catalogCode_, kStructureVersionKey, kStructureVersion);
}

void BuildCatalogTypeDatabase(const std::string& xmlFile, const std::string& targetSqliteFile)
{
    const std::string extension = std::string(".") + SQLiteFileExt;
    const fs::path target(targetSqliteFile);
    if (target.extension() != extension || target.stem().empty())
        throw ECriticalTolvexException("The definition database " + targetSqliteFile + " must be a " + extension +
                                       " file");
    const TCatalogTypeData data = TCatalogTypeData::ReadFile(xmlFile);
    const std::string dir = target.has_parent_path() ? target.parent_path().string() : ".";
    const std::string name = target.stem().string() + ".building";
    const std::string building = SQLiteDatabaseFileName(dir, name);
    RemoveDatabaseFile(building);  // left over by a build that was stopped
    try {
        WriteNewDatabase(data, dir, name);
        RemoveSQLiteSideFiles(building);
        ReplaceFile(building, targetSqliteFile);
    } catch (...) {
        std::error_code ec;
        fs::remove(building, ec);
        fs::remove(SQLiteWalFileName(building), ec);
        fs::remove(SQLiteShmFileName(building), ec);
        throw;
    }
}
