// Record-set documents written from and applied to real SQLite databases.
#include "common/Base64.h"
#include "support/TestPaths.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetToXml.h"
#include "storage/RecordsetXmlDocument.h"
#include "storage/SQLiteConnectionFactory.h"
#include "storage/XmlToRecordset.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using TRow = std::vector<TVariant>;
using TParams = std::vector<std::pair<std::string, TVariant>>;

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";

// A document around the given actions.
std::string Doc(const std::string& actions)
{
    return kDeclaration + std::string("<StoredRecordset>") + actions + "</StoredRecordset>";
}

std::string Compress(const std::string& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
              static_cast<uLong>(data.size()), Z_BEST_COMPRESSION);
    out.resize(size);
    return out;
}

std::string Inflate(const std::string& data)
{
    std::string out(64 * 1024 * 1024, '\0');
    uLongf size = static_cast<uLongf>(out.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                         reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size())),
              Z_OK);
    out.resize(size);
    return out;
}

std::string ReadFile(const std::string& path)
{
    return ReadFileContent(path).value_or("");
}

// All byte values, repeated up to Size bytes.
std::string Bytes(std::size_t size)
{
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 7 + i / 256) % 256);
    return data;
}

void Exec(TAbstractDBConnection& connection, const std::string& sql, const TParams& params = {})
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    query->ExecSQL();
}

std::vector<TRow> Rows(TAbstractDBConnection& connection, const std::string& sql)
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    std::vector<TRow> rows;
    for (TAbstractRecordset& set = query->Open(true); !set.Eof(); set.Next()) {
        TRow row;
        for (int i = 0; i < set.FieldCount(); ++i)
            row.push_back(set.Field(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::int64_t Count(TAbstractDBConnection& connection, const std::string& table, const std::string& where = "1")
{
    return Rows(connection, "SELECT COUNT(*) FROM " + table + " WHERE " + where).at(0).at(0).AsInteger();
}

// Every row of every table as text, to see that nothing changed.
std::map<std::string, std::vector<std::string>> Snapshot(TAbstractDBConnection& connection)
{
    std::map<std::string, std::vector<std::string>> tables;
    for (const TRow& name : Rows(connection, "SELECT name FROM sqlite_master WHERE type = 'table'")) {
        auto& lines = tables[name[0].AsText()];
        for (const TRow& row : Rows(connection, "SELECT * FROM \"" + name[0].AsText() + "\" ORDER BY rowid")) {
            std::string line;
            for (const TVariant& value : row)
                line += std::to_string(static_cast<int>(value.Kind())) + ":" +
                        TCommonFunctions::VariantToString(value) + "|";
            lines.push_back(line);
        }
    }
    return tables;
}

class RecordsetXmlTest : public ::testing::Test {
protected:
    RecordsetXmlTest()
    {
        moduleContext.gui = &gui;
        moduleContext.formatMessage = [](const std::string& text, const std::vector<std::string>&) { return text; };
        moduleContext.programFolder = folder.Path();
        moduleContext.tempFolder = folder.File("temp");
        moduleContext.busyTimeoutMs = 200;
        std::filesystem::create_directories(moduleContext.tempFolder);
        const std::string dir = folder.File("db");
        std::filesystem::create_directories(dir);
        factory = std::make_unique<TSQLiteConnectionFactory>("SQLite", "", moduleContext);
        EXPECT_TRUE(factory->CreateDatabase(dir, "", "shop", "", "", 0));
        EXPECT_TRUE(factory->OpenDatabase(dir, "shop", "", ""));
        CreateCatalogTables(Db());
        Exec(Db(),
             "CREATE TABLE Kinds (CatalogCode TEXT(50) NOT NULL COLLATE NOCASE, Id INTEGER NOT NULL, "
             "Name TEXT(100) COLLATE NOCASE, Note MEMO, Small SMALLINT, Amount DOUBLE, Price CURRENCY, "
             "Flag BIT, Day DATE, Moment DATETIME, Data LONGBINARY, VendorCode TEXT(20), "
             "Kept INTEGER DEFAULT 7, PRIMARY KEY (CatalogCode, Id))");
        // A sync table of its own shape: the rows of a "primarykey" action take whatever columns it has.
        Exec(Db(), "DROP TABLE IF EXISTS SyncItems");
        Exec(Db(), "CREATE TABLE SyncItems (CatalogCode TEXT(50) NOT NULL, ItemId INTEGER, HostItemId INTEGER)");
        Exec(Db(), "CREATE TABLE Images (CatalogCode TEXT(50) NOT NULL, ImageId INTEGER, Name TEXT(50))");
        Exec(Db(), "CREATE TABLE Templates (CatalogCode TEXT(50) NOT NULL, TemplateId INTEGER)");
        Exec(Db(), "CREATE TABLE Unlisted (CatalogCode TEXT(50), Code TEXT(10))");
        for (const TCatalogTableDefinition& table : TCatalogTables::Definitions())
            keys[table.TableName] = table.PrimaryKeyInfo;
        keys["Kinds"] = "CatalogCode,\"Id\"";
        keys["SyncItems"] = "CatalogCode,ItemId";
    }

    TAbstractDBConnection& Db() { return factory->GetConnection(); }

    TRecordsetXmlContext Context()
    {
        TRecordsetXmlContext context;
        context.functions = &functions;
        context.primaryKeyInfo = [this](const std::string& table) {
            auto found = keys.find(table);
            return found == keys.end() ? std::string() : found->second;
        };
        context.catalogCode = "shop";
        return context;
    }

    // The document of the rows of Select, as one action per row.
    std::string Write(const std::string& table, const std::string& method, const std::string& select,
                      std::uint8_t mode = 0, bool compress = false)
    {
        TRecordsetToXml writer(Db(), Context());
        writer.SetMode(mode);
        TQueryGuard query(Db());
        query->SetSQL(select);
        writer.AddRecordset(table, method, query->Open(true));
        std::ostringstream out;
        writer.SaveToStream(out, compress);
        return out.str();
    }

    void Apply(const std::string& document, std::uint8_t mode = 0, bool compressed = false,
               TAbstractDBConnection* connection = nullptr)
    {
        TXmlToRecordset reader(connection ? *connection : Db(), Context());
        std::istringstream in(document);
        reader.ApplyStream(in, compressed, mode);
    }

    void AddItem(const std::string& catalog, int itemId, int itemType = 1)
    {
        Exec(Db(), "INSERT INTO Items (CatalogCode, ItemId, ItemType) VALUES (:c, :i, :t)",
             {{"c", catalog}, {"i", itemId}, {"t", itemType}});
    }

    std::vector<TRow> Items() { return Rows(Db(), "SELECT CatalogCode, ItemId, ItemType FROM Items ORDER BY 1, 2"); }

    TTempFolder folder;
    TScriptedGui gui;
    TDatabaseModuleContext moduleContext;
    std::unique_ptr<TSQLiteConnectionFactory> factory;
    TCommonFunctions functions;
    std::map<std::string, std::string> keys;
};

// ---- values ---------------------------------------------------------------------------

const char* const kKindsColumns =
    "CatalogCode, Id, Name, Note, Small, Amount, Price, Flag, Day, Moment, Data, VendorCode, Kept";

TEST_F(RecordsetXmlTest, EveryValueKindTravelsAndComesBack)
{
    const double moment = 38061 + (14 * 3600 + 30 * 60 + 15) / 86400.0;  // 2004-03-15 14:30:15
    const std::string blob = Bytes(5000);                                // more than one 2736-byte chunk
    const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 caf\xC3\xA9";
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "compressed" : "plain");
        Exec(Db(), "DELETE FROM Kinds");
        Exec(Db(), std::string("INSERT INTO Kinds (") + kKindsColumns +
                       ") VALUES ('shop', 1, :name, :note, -32768, :amount, 12.3456, 1, 38061, :moment, :data, 'v1', 3)",
             {{"name", text}, {"note", "tab\there\r\nline\nend\x01x"}, {"amount", 0.1 + 0.2},
              {"moment", TDateTime{moment}}, {"data", TBytes{blob}}});
        Exec(Db(), "INSERT INTO Kinds (CatalogCode, Id, Kept) VALUES ('shop', 2, NULL)");
        Exec(Db(), "INSERT INTO Kinds (CatalogCode, Id, Name, Amount, Flag, Day, Moment, Data) "
                   "VALUES ('shop', 3, '', -1.5e-7, 0, 0, -8000.25, :empty)",
             {{"empty", TBytes{}}});
        const std::string document =
            Write("Kinds", "insert", std::string("SELECT ") + kKindsColumns + " FROM Kinds ORDER BY Id", 0, compressed);
        Exec(Db(), "DELETE FROM Kinds");
        Apply(document, 0, compressed);

        const auto rows = Rows(Db(), std::string("SELECT ") + kKindsColumns + " FROM Kinds ORDER BY Id");
        ASSERT_EQ(rows.size(), 3u);
        const TRow& full = rows[0];
        EXPECT_EQ(full[2], TVariant(text));
        EXPECT_EQ(full[3], TVariant("tab\there\r\nline\nend x")) << "control characters become spaces";
        EXPECT_EQ(full[4], TVariant(-32768));
        EXPECT_EQ(full[5], TVariant(0.1 + 0.2)) << "floats come back exactly";
        EXPECT_EQ(full[6], TVariant(12.3456));
        EXPECT_EQ(full[7], TVariant(true));
        EXPECT_NEAR(full[8].AsDateTime().days, 38061, 1e-9);
        EXPECT_NEAR(full[9].AsDateTime().days, moment, 1e-9) << "whole seconds travel";
        EXPECT_EQ(full[10], TVariant(TBytes{blob}));
        EXPECT_TRUE(full[11].IsNull()) << "VendorCode is never inserted";
        EXPECT_EQ(full[12], TVariant(3));

        // Nulls are marked and read as the empty value of the field's type.
        const TRow& nulls = rows[1];
        EXPECT_EQ(nulls[2], TVariant(""));
        EXPECT_EQ(nulls[4], TVariant(0));
        EXPECT_EQ(nulls[5], TVariant(0.0));
        EXPECT_EQ(nulls[7], TVariant(false));
        EXPECT_EQ(nulls[8], TVariant(TDateTime{0}));
        EXPECT_TRUE(nulls[10].IsNull()) << "a Null blob stays Null";
        EXPECT_EQ(nulls[12], TVariant(0));

        // Empty texts and blobs are bare elements, which the reader leaves unset.
        const TRow& empty = rows[2];
        EXPECT_TRUE(empty[2].IsNull());
        EXPECT_EQ(empty[5], TVariant(-1.5e-7));
        EXPECT_EQ(empty[7], TVariant(false));
        EXPECT_EQ(empty[8], TVariant(TDateTime{0})) << "the zero date travels as 0";
        EXPECT_NEAR(empty[9].AsDateTime().days, -8000.25, 1e-9) << "dates before 1970";
        EXPECT_TRUE(empty[10].IsNull());
        EXPECT_EQ(empty[12], TVariant(7)) << "the new row's default";
    }
}

TEST_F(RecordsetXmlTest, DocumentIsIso88591WithOneLinePerAction)
{
    Exec(Db(), "INSERT INTO Kinds (CatalogCode, Id, Name, Small, Day, Data) "
               "VALUES ('shop', 1, :name, NULL, 0, :data)",
         {{"name", "caf\xC3\xA9 \xE2\x82\xAC <&> \x01!"}, {"data", TBytes{"abc"}}});
    const std::string select = "SELECT CatalogCode, Id, Name, Small, Day, Data FROM Kinds";
    EXPECT_EQ(Write("Kinds", "insert", select),
              std::string(kDeclaration) +
                  "<StoredRecordset><Action Table=\"Kinds\" Method=\"insert\">"
                  "<CatalogCode PK=\"1\">shop</CatalogCode><Id PK=\"1\">1</Id>"
                  "<Name>caf\xE9 &#8364; &lt;&amp;&gt;  !</Name><Small IsNull=\"1\"/><Day>0</Day>"
                  "<Data>YWJj</Data></Action>\r\n</StoredRecordset>\r\n");

    TRecordsetToXml writer(Db(), Context());
    writer.SetWriteNulls(false);
    TQueryGuard query(Db());
    query->SetSQL("SELECT Small FROM Kinds");
    writer.AddRecordset("Kinds", "update", query->Open(true));
    std::ostringstream plain;
    writer.SaveToStream(plain, false);
    EXPECT_NE(plain.str().find("<Small/>"), std::string::npos) << "Nulls not written: a bare element";

    std::ostringstream again;
    std::ostringstream compressed;
    writer.SaveToStream(again, false);
    writer.SaveToStream(compressed, true);
    EXPECT_EQ(again.str(), plain.str()) << "saved more than once";
    EXPECT_EQ(Inflate(compressed.str()), plain.str()) << "zlib format";
}

// ---- the writer -------------------------------------------------------------------------

TEST_F(RecordsetXmlTest, OnlyListedTablesAreWrittenInTheCatalogMode)
{
    Exec(Db(), "INSERT INTO Unlisted VALUES ('shop', 'a'), ('shop', 'b')");
    for (std::uint8_t mode : {std::uint8_t{0}, kRecordsetWriteGlobalTables}) {
        TRecordsetToXml writer(Db(), Context());
        writer.SetMode(mode);
        TQueryGuard query(Db());
        query->SetSQL("SELECT * FROM Unlisted");
        TAbstractRecordset& rows = query->Open(true);
        writer.AddRecordset("Unlisted", "insert", rows);
        EXPECT_TRUE(rows.Eof());
        std::ostringstream out;
        writer.SaveToStream(out, false);
        if (mode == 0) {
            EXPECT_EQ(writer.GetActionCount(), 0);
        } else {
            EXPECT_EQ(writer.GetActionCount(), 2);
            EXPECT_EQ(out.str().find("PK="), std::string::npos);
        }
    }
}

TEST_F(RecordsetXmlTest, KeyActionsCarryTheCatalogCodeInTheCatalogMode)
{
    struct TCase {
        const char* why;
        std::uint8_t mode;
        std::string field, value, action;
    } cases[] = {
        {"a key and the catalog code", 0, "ItemId", "5",
         "<Action Table=\"Items\" Method=\"requestdelete\"><ItemId>5</ItemId><CatalogCode>shop</CatalogCode></Action>"},
        {"the catalog code only once", 0, "CatalogCode", "x",
         "<Action Table=\"Items\" Method=\"requestdelete\"><CatalogCode>x</CatalogCode></Action>"},
        {"no catalog code for global tables", kRecordsetWriteGlobalTables, "ItemId", "5",
         "<Action Table=\"Items\" Method=\"requestdelete\"><ItemId>5</ItemId></Action>"},
        {"a whole global table", kRecordsetWriteGlobalTables, "", "",
         "<Action Table=\"Items\" Method=\"requestdelete\"/>"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.why);
        TRecordsetToXml writer(Db(), Context());
        writer.SetMode(c.mode);
        writer.AddKeyAction("Items", "requestdelete", c.field, c.value);
        std::ostringstream out;
        writer.SaveToStream(out, false);
        EXPECT_EQ(out.str(), Doc(c.action + "\r\n") + "\r\n");
    }
}

TEST_F(RecordsetXmlTest, EstimatedSizeCountsTextByThirdsAndBlobsWhole)
{
    Exec(Db(), "INSERT INTO Kinds (CatalogCode, Id, Name, Data) VALUES ('shop', 123, 'abcdefgh', :data)",
         {{"data", TBytes{Bytes(3000)}}});
    TRecordsetToXml writer(Db(), Context());
    TQueryGuard query(Db());
    query->SetSQL("SELECT CatalogCode, Id, Name, Data FROM Kinds");
    writer.AddRecordset("Kinds", "insert", query->Open(true));
    // Text: "shop" + "123" + "abcdefgh" = 15 characters.
    EXPECT_EQ(writer.GetEstimatedSize(), 15 / 3 + static_cast<std::int64_t>(Base64Encode(Bytes(3000)).size()));
    EXPECT_EQ(writer.GetActionCount(), 1);
}

TEST_F(RecordsetXmlTest, FieldNamesThatCannotBeElementsAreRefused)
{
    TRecordsetToXml writer(Db(), Context());
    writer.SetMode(kRecordsetWriteGlobalTables);
    TQueryGuard query(Db());
    query->SetSQL("SELECT 1 AS \"two words\"");
    EXPECT_THROW(writer.AddRecordset("Kinds", "insert", query->Open(true)), EDeveloperTolvexException);
}

// A field name becomes an element name, which the ISO-8859-1 document can
// only hold when each of its characters is one of that set: such a name is
// written and read back, any other is refused before anything is written.
TEST_F(RecordsetXmlTest, FieldNamesOutsideTheDocumentsCharacterSetAreRefused)
{
    const struct {
        const char* name;
        bool written;
    } cases[] = {
        {"Name", true},
        {"caf\xC3\xA9", true},
        {"\xC3\xBF\xC3\x80x", true},
        {"\xCE\xA9mega", false},
        {"price\xE2\x82\xAC", false},
        {"\xE6\x9D\xB1\xE4\xBA\xAC", false},
        {"x\xF0\x9F\x98\x80", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordsetToXml writer(Db(), Context());
        writer.SetMode(kRecordsetWriteGlobalTables);
        TQueryGuard query(Db());
        query->SetSQL(std::string("SELECT 7 AS \"") + c.name + "\"");
        if (!c.written) {
            EXPECT_THROW(writer.AddRecordset("Kinds", "insert", query->Open(true)), EDeveloperTolvexException);
            continue;
        }
        writer.AddRecordset("Kinds", "insert", query->Open(true));
        std::ostringstream out;
        writer.SaveToStream(out, false);
        const TRecordsetXmlDocument document = TRecordsetXmlDocument::Parse(out.str());
        const auto actions = TRecordsetXmlDocument::ChildElements(document.Root());
        ASSERT_EQ(actions.size(), 1u);
        const auto fields = TRecordsetXmlDocument::ChildElements(actions[0]);
        ASSERT_EQ(fields.size(), 1u);
        EXPECT_EQ(TRecordsetXmlDocument::Name(fields[0]), c.name);
        EXPECT_EQ(TRecordsetXmlDocument::Text(fields[0]), "7");
    }
}

// A date far beyond the years 1 to 9999 in a document is read as no date,
// and a date out of range in the database is written as the nearest day.
TEST_F(RecordsetXmlTest, DatesFarOutOfRangeAreReadAsNoDate)
{
    Apply(Doc("<Action Table=\"Kinds\" Method=\"insert\"><CatalogCode>shop</CatalogCode><Id>1</Id>"
              "<Day>1e300</Day><Moment>-86400000000000000</Moment></Action>"));
    const auto rows = Rows(Db(), "SELECT Day, Moment FROM Kinds WHERE Id = 1");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], TVariant(TDateTime{0}));
    EXPECT_EQ(rows[0][1], TVariant(TDateTime{0}));
}

// ---- the shipped catalog-description files -------------------------------------------------

TEST_F(RecordsetXmlTest, ShippedDescriptionTablesImportTwiceAndExportByteForByte)
{
    const std::string dir = ShippedDataSourceDir() + "/catalogsxml/";
    Exec(Db(), ReadFile(dir + "SCHEMA.sql"));
    const std::map<std::string, std::string> tables = {
        {"GlobalClasses", "ClassId"},
        {"GlobalClassMembers", "ClassId,MemberId"},
        {"GlobalClassMemberList", "ClassId,MemberId,LangCode,DataCode"},
        {"GlobalClassMessages", "ClassId,MemberId,LangCode,MessageType"},
        {"GlobalItemIds", "ItemId"},
        {"GlobalItemTypes", "ItemType"},
    };
    for (const auto& [table, key] : tables) {
        SCOPED_TRACE(table);
        keys[table] = key;
        const std::string file = ReadFile(dir + table + ".xml");
        Apply(file, kRecordsetReadGlobalExport);
        const auto first = Snapshot(Db());
        Apply(file, kRecordsetReadGlobalExport);
        EXPECT_EQ(Snapshot(Db()), first) << "applying an export twice gives the same table";
        std::size_t inserts = 0;
        for (std::size_t at = file.find("Method=\"insert\""); at != std::string::npos;
             at = file.find("Method=\"insert\"", at + 1))
            ++inserts;
        EXPECT_EQ(Count(Db(), table), static_cast<std::int64_t>(inserts));

        // The export writes the same bytes again (files whose Nulls were not
        // read back as empty texts); quotes in text need no escaping.
        if (file.find("IsNull") != std::string::npos)
            continue;
        std::string expected = file;
        for (std::size_t at = expected.find("&quot;"); at != std::string::npos; at = expected.find("&quot;", at))
            expected.replace(at, 6, "\"");
        TRecordsetToXml writer(Db(), Context());
        writer.SetMode(kRecordsetWriteGlobalTables);
        writer.AddKeyAction(table, "delete", "", "");
        TQueryGuard query(Db());
        query->SetSQL("SELECT * FROM " + table + " ORDER BY " + key);
        writer.AddRecordset(table, "insert", query->Open(true));
        std::ostringstream out;
        writer.SaveToStream(out, false);
        EXPECT_EQ(out.str(), expected);
    }
}

// ---- methods ---------------------------------------------------------------------------

TEST_F(RecordsetXmlTest, InsertTakesTheOpenCatalogAndKnownFieldsOnly)
{
    Apply(Doc("<Action Table=\"Kinds\" Method=\"insert\"><CatalogCode>other</CatalogCode><Id>1</Id>"
              "<Name>n</Name><VendorCode>v</VendorCode><Bogus>x</Bogus><Kept/><Small>4.9</Small></Action>"));
    const auto rows = Rows(Db(), "SELECT CatalogCode, Id, Name, VendorCode, Kept, Small FROM Kinds");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (TRow{"shop", 1, "n", TVariant(), 7, 4}));
}

TEST_F(RecordsetXmlTest, DeleteReachesOnlyTheOpenCatalogsRows)
{
    AddItem("shop", 1);
    AddItem("shop", 2);
    AddItem("other", 1);
    Apply(Doc("<Action Table=\"Items\" Method=\"delete\"><ItemId>1</ItemId><CatalogCode>other</CatalogCode></Action>"
              "<Action Table=\"Items\" Method=\"delete\"/>"));
    EXPECT_EQ(Items(), (std::vector<TRow>{{"other", 1, 1}, {"shop", 2, 1}}))
        << "the document's catalog code is overridden; a delete without fields does nothing";

    Apply(Doc("<Action Table=\"Items\" Method=\"delete\"/>"), kRecordsetReadGlobalExport);
    EXPECT_EQ(Count(Db(), "Items"), 0) << "in the global modes it empties the table";
}

TEST_F(RecordsetXmlTest, UpdateReplacesTheRowByItsKey)
{
    AddItem("shop", 5, 1);
    AddItem("other", 5, 1);
    Apply(Doc("<Action Table=\"Items\" Method=\"update\"><CatalogCode PK=\"1\">shop</CatalogCode>"
              "<ItemId PK=\"1\">5</ItemId><ItemType>2</ItemType></Action>"));
    EXPECT_EQ(Items(), (std::vector<TRow>{{"other", 5, 1}, {"shop", 5, 2}}));

    // A key without CatalogCode gets the catalog condition added.
    keys["Kinds"] = "Id";
    Exec(Db(), "INSERT INTO Kinds (CatalogCode, Id, Name) VALUES ('shop', 1, 'old'), ('other', 1, 'theirs')");
    Apply(Doc("<Action Table=\"Kinds\" Method=\"update\"><Id>1</Id><Name>new</Name></Action>"));
    EXPECT_EQ(Rows(Db(), "SELECT CatalogCode, Name FROM Kinds ORDER BY 1"),
              (std::vector<TRow>{{"other", "theirs"}, {"shop", "new"}}));
}

TEST_F(RecordsetXmlTest, PrimaryKeysGoToTheSyncTable)
{
    Apply(Doc("<Action Table=\"Items\" Method=\"primarykey\">"
              "<Key><ItemId>5</ItemId><HostItemId>9005</HostItemId></Key>"
              "<Key><ItemId>6</ItemId><HostItemId>9006</HostItemId></Key></Action>"));
    EXPECT_EQ(Rows(Db(), "SELECT * FROM SyncItems ORDER BY ItemId"),
              (std::vector<TRow>{{"shop", 5, 9005}, {"shop", 6, 9006}}));
}

TEST_F(RecordsetXmlTest, OtherMethodsAndElementsAreIgnoredAndStyleTablesMapped)
{
    Apply(Doc("<Action Table=\"Items\" Method=\"requestupdate\"><ItemId>1</ItemId></Action>"
              "<Action Table=\"Items\" Method=\"Insert\"><ItemId>2</ItemId></Action>"
              "<Action Table=\"Items\"><ItemId>3</ItemId></Action>"
              "<Other Table=\"Items\" Method=\"insert\"><ItemId>4</ItemId></Other>"
              "<Action Table=\"NoSuchTable\" Method=\"requestinsert\"/>"
              "<Action Table=\"StyleImages\" Method=\"insert\"><ImageId>7</ImageId></Action>"
              "<Action Table=\"styletemplates\" Method=\"insert\"><TemplateId>8</TemplateId></Action>"));
    EXPECT_EQ(Count(Db(), "Items"), 0);
    EXPECT_EQ(Rows(Db(), "SELECT CatalogCode, ImageId FROM Images"), (std::vector<TRow>{{"shop", 7}}));
    EXPECT_EQ(Rows(Db(), "SELECT CatalogCode, TemplateId FROM Templates"), (std::vector<TRow>{{"shop", 8}}));
}

TEST_F(RecordsetXmlTest, RemappedDataStaysApartFromTheOpenCatalog)
{
    AddItem("shop", 1, 1);
    const auto applyRemapped = [this](const std::string& actions) {
        TXmlToRecordset reader(Db(), Context());
        std::istringstream in(Compress(Doc(actions)));
        reader.ApplyStreamRemapped(in, true, {"other=1", "FromCatalog=remote"});
    };
    applyRemapped("<Action Table=\"Items\" Method=\"insert\"><CatalogCode>remote</CatalogCode>"
                  "<ItemId>1</ItemId><ItemType>3</ItemType></Action>"
                  "<Action Table=\"Items\" Method=\"insert\"><catalogcode>remote</catalogcode>"
                  "<ItemId>2</ItemId><ItemType>3</ItemType></Action>");
    EXPECT_EQ(Items(), (std::vector<TRow>{{"c#remote", 1, 3}, {"c#remote", 2, 3}, {"shop", 1, 1}}));

    applyRemapped("<Action Table=\"Items\" Method=\"update\"><CatalogCode>remote</CatalogCode>"
                  "<ItemId>1</ItemId><ItemType>4</ItemType></Action>"
                  "<Action Table=\"Items\" Method=\"delete\"><ItemId>2</ItemId></Action>");
    EXPECT_EQ(Items(), (std::vector<TRow>{{"c#remote", 1, 4}, {"shop", 1, 1}}))
        << "a delete without catalog code reaches the cached catalog, not the open one";
}

// ---- encodings --------------------------------------------------------------------------

TEST_F(RecordsetXmlTest, DeclaredEncodingsAreReadIntoUtf8)
{
    struct TCase {
        const char* why;
        std::string document;
        std::string name;
    } cases[] = {
        {"declared ISO-8859-1 with a character reference",
         Doc("<Action Table=\"Kinds\" Method=\"insert\"><Id>1</Id><Name>caf\xE9 &#8364;</Name></Action>"),
         "caf\xC3\xA9 \xE2\x82\xAC"},
        {"declared UTF-8",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><StoredRecordset><Action Table=\"Kinds\" Method=\"insert\">"
         "<Id>1</Id><Name>\xE6\x9D\xB1\xE4\xBA\xAC</Name></Action></StoredRecordset>",
         "\xE6\x9D\xB1\xE4\xBA\xAC"},
        {"no declaration and 8-bit text",
         "<StoredRecordset><Action Table=\"Kinds\" Method=\"insert\"><Id>1</Id><Name>\xE9t\xE9</Name>"
         "</Action></StoredRecordset>",
         "\xC3\xA9t\xC3\xA9"},
        {"control characters and a second declaration",
         Doc("<Action Table=\"Kinds\" Method=\"insert\"><Id>1</Id><Name>a\x01" "b\x1F" "c</Name></Action>"
             "<?xml version=\"1.0\"?>"),
         "a b c"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.why);
        Exec(Db(), "DELETE FROM Kinds");
        Apply(c.document);
        EXPECT_EQ(Rows(Db(), "SELECT Name FROM Kinds"), (std::vector<TRow>{{c.name}}));
    }
}

// ---- a document applies whole or not at all ---------------------------------------------

const std::string kGoodInsert =
    "<Action Table=\"Items\" Method=\"insert\"><ItemId>1</ItemId><ItemType>1</ItemType></Action>";

struct THostileCase {
    const char* why;
    std::string bytes;
    bool compressed;
    bool publisherError;  // else an error of the database
};

std::vector<THostileCase> HostileCases()
{
    const std::string large = Doc(kGoodInsert + "<Action Table=\"Items\" Method=\"x\"><A>" +
                                  std::string(2 * 1024 * 1024, ' ') + "</A></Action>");
    const std::string compressedGood = Compress(Doc(kGoodInsert));
    return {
        {"not XML", "this is no document", false, true},
        {"unclosed elements", Doc(kGoodInsert).substr(0, 120), false, true},
        {"a later action names an unknown table",
         Doc(kGoodInsert + "<Action Table=\"NoSuchTable\" Method=\"insert\"><A>1</A></Action>"), false, true},
        {"a table name with SQL in it",
         Doc(kGoodInsert + "<Action Table=\"Items; DROP TABLE Kinds; --\" Method=\"delete\"/>"), false, true},
        {"SQLite's own table", Doc(kGoodInsert + "<Action Table=\"sqlite_master\" Method=\"insert\"><name>x</name>"
                                                 "</Action>"),
         false, true},
        {"a delete by a field the table lacks",
         Doc(kGoodInsert + "<Action Table=\"Items\" Method=\"delete\"><ItemIdent>1</ItemIdent></Action>"), false,
         true},
        {"entities that multiply",
         "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
         "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]><StoredRecordset>" +
             kGoodInsert + "<Action Table=\"Kinds\" Method=\"insert\"><Id>1</Id><Name>&c;</Name></Action>"
                           "</StoredRecordset>",
         false, true},
        {"an external entity",
         "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><StoredRecordset>" +
             kGoodInsert + "<Action Table=\"Kinds\" Method=\"insert\"><Id>1</Id><Name>&x;</Name></Action>"
                           "</StoredRecordset>",
         false, true},
        {"an undeclared entity",
         Doc(kGoodInsert + "<Action Table=\"Kinds\" Method=\"insert\"><Id>1</Id><Name>&x;</Name></Action>"), false,
         true},
        {"a key the database already has", Doc(kGoodInsert + kGoodInsert), false, false},
        {"damaged compressed data", "\x78\xDA this is not deflated", true, true},
        {"compressed data cut short", compressedGood.substr(0, compressedGood.size() - 6), true, true},
        {"a compressed document beyond the size limit", Compress(large), true, true},
        {"a plain document beyond the size limit", large, false, true},
    };
}

TEST_F(RecordsetXmlTest, HostileDocumentsFailClearlyAndChangeNothing)
{
    AddItem("shop", 9);
    std::unique_ptr<TAbstractDBConnection> unit = factory->OpenSecondConnection();  // a unit of work begun
    struct TSetup {
        const char* why;
        TAbstractDBConnection* connection;
        bool unitWritesFirst;
    } setups[] = {
        {"a connection without a unit of work", &Db(), false},
        {"a unit of work that has not written", unit.get(), false},
        {"a unit of work that has written", unit.get(), true},
    };
    int extraItem = 100;
    for (const TSetup& setup : setups) {
        for (const THostileCase& c : HostileCases()) {
            SCOPED_TRACE(std::string(setup.why) + ": " + c.why);
            if (setup.unitWritesFirst)
                Exec(*setup.connection, "INSERT INTO Items (CatalogCode, ItemId) VALUES ('shop', :i)",
                     {{"i", ++extraItem}});
            const auto before = Snapshot(*setup.connection);
            TXmlToRecordset reader(*setup.connection, Context());
            reader.SetMaxDocumentSize(1024 * 1024);
            std::istringstream in(c.bytes);
            if (c.publisherError)
                EXPECT_THROW(reader.ApplyStream(in, c.compressed, 0), EPublisherTolvexException);
            else
                EXPECT_THROW(reader.ApplyStream(in, c.compressed, 0), ETolvexException);
            EXPECT_EQ(Snapshot(*setup.connection), before);
        }
        if (setup.connection == unit.get()) {
            unit->CommitTrans();
            unit->BeginTrans();
        }
    }
    EXPECT_EQ(Count(Db(), "Items"), 1 + extraItem - 100) << "the units' own rows were kept and committed";
}

TEST_F(RecordsetXmlTest, AUnitOfWorkDecidesOverAnAppliedDocument)
{
    std::unique_ptr<TAbstractDBConnection> unit = factory->OpenSecondConnection();
    Apply(Doc(kGoodInsert), 0, false, unit.get());
    EXPECT_EQ(Count(*unit, "Items"), 1);
    unit->RollbackTrans();
    EXPECT_EQ(Count(Db(), "Items"), 0);

    unit->BeginTrans();
    Apply(Doc(kGoodInsert), 0, false, unit.get());
    unit->CommitTrans();
    EXPECT_EQ(Count(Db(), "Items"), 1);
}

TEST_F(RecordsetXmlTest, DebugCopiesOfWrittenAndReadDocuments)
{
    const std::string debugFolder = folder.File("debug");
    std::filesystem::create_directories(debugFolder);
    TRecordsetXmlContext context = Context();
    context.debugFolder = debugFolder;

    TRecordsetToXml writer(Db(), context);
    writer.AddKeyAction("Items", "delete", "ItemId", "1");
    std::ostringstream out;
    writer.SaveToStream(out, true);
    TXmlToRecordset reader(Db(), context);
    std::istringstream in(out.str());
    reader.ApplyStream(in, true, 0);

    std::vector<std::string> copies;
    for (const auto& entry : std::filesystem::directory_iterator(debugFolder))
        copies.push_back(ReadFile(entry.path().string()));
    ASSERT_EQ(copies.size(), 2u);
    for (const std::string& copy : copies)
        EXPECT_EQ(copy, Inflate(out.str()));
}

}  // namespace
