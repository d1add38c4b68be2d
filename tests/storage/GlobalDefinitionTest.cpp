#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"

#include "ProgramFolderFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

class GlobalDefinitionTest : public ::testing::Test {
protected:
    TProgramFolderFixture fixture_;
    TGlobalDefinition& global_ = fixture_.globalDefinition;
};

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The names of the tables and indexes of a database file, sorted.
std::vector<std::string> SchemaNames(const std::string& fileName)
{
    return ColumnOfFile(fileName, "SELECT name FROM sqlite_master WHERE type IN ('table', 'index') "
                                  "AND name NOT LIKE 'sqlite_%' ORDER BY name");
}

}  // namespace

TEST_F(GlobalDefinitionTest, GlobalItemIdsByNameAndName)
{
    EXPECT_EQ(global_.GetItemIdByName("ImagesRoot"), 3);
    EXPECT_EQ(global_.GetItemIdByName("imagesroot"), 3);
    EXPECT_EQ(global_.GetItemIdByName("HomeRoot"), 100001);
    EXPECT_EQ(global_.GetItemIdByName("NoSuchItem"), 0);
    EXPECT_EQ(global_.GetItemIdName(3), "ImagesRoot");
    EXPECT_EQ(global_.GetItemIdName(424242), "");
}

TEST_F(GlobalDefinitionTest, ItemTypesByNameNumberAndDescription)
{
    fixture_.Exec("catalogs", "INSERT INTO GlobalItemTypes VALUES (9998, 'Undescribed', '')");
    EXPECT_EQ(global_.GetItemTypeByName("catalogproperty"), 603);
    EXPECT_EQ(global_.GetItemTypeByName("NoSuchType"), 0);
    EXPECT_EQ(global_.GetItemTypeName(603), "CatalogProperty");
    EXPECT_EQ(global_.GetItemTypeName(9999), "9999");
    EXPECT_EQ(global_.GetItemTypeDescription(603), "Catalog property");
    EXPECT_EQ(global_.GetItemTypeDescription(9999), "9999");
    EXPECT_EQ(global_.GetItemTypeDescription(9998), "9998");
    EXPECT_TRUE(Contains(global_.GetItemTypes(), "CatalogProperty=603"));
}

TEST_F(GlobalDefinitionTest, CatalogTablesAndTheirPrimaryKeys)
{
    EXPECT_EQ(global_.GetTablePrimaryKey("Items"), "CatalogCode,ItemId");
    EXPECT_EQ(global_.GetTablePrimaryKey("items"), "CatalogCode,ItemId");
    EXPECT_EQ(global_.GetTablePrimaryKey("ParentItemId_Items"), "") << "indexes are no tables";
    EXPECT_EQ(global_.GetTablePrimaryKey("NoSuchTable"), "");
    EXPECT_TRUE(Contains(global_.GetTables(), "cstrings=CatalogCode,ItemId,ClassId,InstanceId,MemberId,LangCode,IndexId"));
    EXPECT_TRUE(Contains(global_.GetTables(), "locallog="));
}

TEST_F(GlobalDefinitionTest, CreatesTheTablesOfANewCatalogDatabase)
{
    std::unique_ptr<TAbstractDBConnectionFactory> shop = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
    const std::string dir = fixture_.folder.Path();
    ASSERT_TRUE(shop->CreateDatabase(dir, "", "shop", "", "", 0));
    ASSERT_TRUE(shop->CreateDatabase(dir, "", "log", "", "", 0));
    ASSERT_TRUE(shop->OpenDatabase(dir, "shop", "", ""));
    {
        TQueryGuard query(shop->GetConnection());
        EXPECT_TRUE(global_.CreateTables(*query, ""));
    }
    std::vector<std::string> expected;
    for (const TCatalogTableDefinition& definition : TCatalogTables::Definitions())
        expected.push_back(definition.TableName);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SchemaNames(fixture_.folder.File("shop.sqlite")), expected);

    // One table: the table and its own indexes only.
    ASSERT_TRUE(shop->OpenDatabase(dir, "log", "", ""));
    {
        TQueryGuard query(shop->GetConnection());
        global_.CreateTables(*query, "locallog");
    }
    EXPECT_EQ(SchemaNames(fixture_.folder.File("log.sqlite")),
              (std::vector<std::string>{"ActionDate_LocalLog", "LocalLog"}));
}

TEST(GlobalDefinitionDatabasesTest, ADatabaseThatCannotBeOpenedEndsTheProgramWithItsMessage)
{
    TProgramFolderFixture fixture(false);
    TGlobalDefinition& global = fixture.globalDefinition;
    struct {
        std::function<void()> open;
        const char* message;
    } cases[] = {
        {[&] { global.GetCatalogsDatabase(); }, "Cannot open catalog description database"},
        {[&] { global.GetItemIdByName("ImagesRoot"); }, "Cannot open catalog description database"},
        {[&] { global.GetUnspscDatabase(); }, "Cannot open UNSPSC codes database"},
        {[&] { global.GetHarmonizedDatabase(); }, "Cannot open Harmonized codes database"},
        {[&] { global.GetEBayDatabase(); }, "Cannot open eBay catalog database"},
        {[&] { global.GetZarivuroDatabase(); }, "Cannot open Zarivuro catalog database"},
    };
    for (const auto& c : cases) {
        try {
            c.open();
            ADD_FAILURE() << "no exception for " << c.message;
        } catch (const EFatalTolvexException& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    // An unknown database module ends it as well.
    TProgramFolderFixture other;
    other.settings.IniSettings().SetString(siUnspscDatabaseType, "NoSuchModule");
    EXPECT_THROW(other.globalDefinition.GetUnspscDatabase(), EFatalTolvexException);
    EXPECT_NO_THROW(other.globalDefinition.GetEBayDatabase());
}

// ---- catalog types ------------------------------------------------------------------

namespace {

// One member value of a catalog type's header object (item 806, class 806).
struct THeaderValue {
    std::string table;  // CStrings, CText or CNumbers
    int memberId;
    std::string value;  // an SQL literal
};

// A definition database DatabasesDir/FileName with the header of style catalog Code.
void WriteStyleDatabase(const TProgramFolderFixture& fixture, const std::string& fileName, const std::string& code,
                        const std::vector<THeaderValue>& values)
{
    std::string sql;
    for (const std::string& statement : TCatalogTables::CreateStatements())
        sql += statement + ";\n";
    for (const THeaderValue& v : values) {
        const std::string column =
            v.table == "CStrings" ? "StringValue" : v.table == "CText" ? "TextValue" : "NumberValue";
        sql += "INSERT INTO " + v.table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, " +
               column + ") VALUES ('" + code + "', 806, 806, 1, " + std::to_string(v.memberId) + ", 'XXX', 0, " +
               v.value + ");\n";
    }
    ExecOnFile(fixture.DatabasesDir() + "/" + fileName, sql);
}

std::vector<THeaderValue> Header(const std::string& name, int type, int order, int listed)
{
    std::vector<THeaderValue> values = {{"CNumbers", 9, std::to_string(type)},
                                        {"CNumbers", 1, std::to_string(order)},
                                        {"CNumbers", 4, std::to_string(listed)}};
    if (!name.empty())
        values.push_back({"CStrings", 2, "'" + name + "'"});
    return values;
}

std::vector<THeaderValue> operator+(std::vector<THeaderValue> a, const std::vector<THeaderValue>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class CatalogTypesTest : public GlobalDefinitionTest {
protected:
    void SetUp() override
    {
        fixture_.RemoveCatalogTypeDatabases();
        WriteStyleDatabase(fixture_, "catalog_1.sqlite", "t#1",
                           Header("Shop", 1, 2, 1) + std::vector<THeaderValue>{{"CStrings", 6, "'<shop/>'"},
                                                                               {"CStrings", 8, "'3'"}});
        // Only the style catalog of the file's own number counts.
        ExecOnFile(fixture_.DatabasesDir() + "/catalog_1.sqlite",
                   "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                   "StringValue) VALUES ('t#9', 806, 806, 1, 2, 'XXX', 0, 'Decoy')");
        WriteStyleDatabase(fixture_, "catalog_2.sqlite", "t#2",
                           Header("Hotel", 2, 1, 1) + std::vector<THeaderValue>{{"CStrings", 6, "'<short/>'"},
                                                                                {"CText", 6, "'<hotel/>'"},
                                                                                {"CStrings", 8, "'v2'"}});
        WriteStyleDatabase(fixture_, "catalog_3.sqlite", "t#3", Header("Association", 3, 2, 0));
        WriteStyleDatabase(fixture_, "catalog_4.sqlite", "t#4",
                           Header("", 4, 0, 1) + std::vector<THeaderValue>{{"CStrings", 6, "'<first/>'"}});
        WriteStyleDatabase(fixture_, "CATALOG_5.sqlite", "t#5", Header("Upper", 5, 9, 1));
        // Not definition databases: no number after the prefix, another extension.
        WriteStyleDatabase(fixture_, "catalog_1b.sqlite", "t#1", Header("NotAType", 8, 0, 1));
        fixture_.folder.Write("databases/catalog_x.sqlite", "not a database");
        fixture_.folder.Write("databases/catalog_7.txt", "not a database");
    }
};

}  // namespace

TEST_F(CatalogTypesTest, TypesAreListedByOrderThenName)
{
    std::vector<std::string> list = {"stale"};
    global_.FillCatalogTypes(list, true);
    EXPECT_EQ(list, (std::vector<std::string>{"===4", "Hotel===2", "Association===3", "Shop===1", "Upper===5"}));
    global_.FillCatalogTypes(list, false);
    EXPECT_EQ(list, (std::vector<std::string>{"Hotel===2", "Shop===1", "Upper===5"}))
        << "only named types offered for new catalogs";
    EXPECT_EQ(fixture_.gui.WaitDepth(), 0);
}

TEST_F(CatalogTypesTest, NamesVersionsAndBodyTemplates)
{
    EXPECT_EQ(global_.GetCatalogTypeName(3), "Association");
    EXPECT_EQ(global_.GetCatalogTypeName(99), "");
    EXPECT_EQ(global_.GetCatalogTypeVersion(1), 3);
    EXPECT_EQ(global_.GetCatalogTypeVersion(2), 0) << "a version that is no number";
    EXPECT_EQ(global_.GetCatalogTypeVersion(99), 0);
    EXPECT_EQ(global_.GetCatalogTypeBodyTemplate(1), "<shop/>");
    EXPECT_EQ(global_.GetCatalogTypeBodyTemplate(2), "<hotel/>") << "the text member replaces the string member";
    EXPECT_EQ(global_.GetCatalogTypeBodyTemplate(3), "<first/>") << "no template: the first type's";
    EXPECT_EQ(global_.GetCatalogTypeBodyTemplate(99), "<first/>") << "unknown type: the first type's";
}

TEST_F(GlobalDefinitionTest, TheShippedCatalogTypes)
{
    std::vector<std::string> list;
    global_.FillCatalogTypes(list, false);
    EXPECT_EQ(list, (std::vector<std::string>{"General business site===1", "Catalog network===2",
                                              "Partner portal supplier===12", "Hotel===3", "Hotel booking site===5",
                                              "Hotel association member===8", "Restaurants===7"}));
    global_.FillCatalogTypes(list, true);
    EXPECT_EQ(list.size(), 9u);
    EXPECT_EQ(list.back(), "No catalog===0");
    EXPECT_EQ(global_.GetCatalogTypeVersion(3), 1);
    EXPECT_NE(global_.GetCatalogTypeBodyTemplate(3).find("xsl:"), std::string::npos);
}

TEST_F(GlobalDefinitionTest, WithoutDefinitionDatabasesThereAreNoTypes)
{
    fixture_.RemoveCatalogTypeDatabases();
    std::vector<std::string> list = {"stale"};
    global_.FillCatalogTypes(list, true);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(global_.GetCatalogTypeBodyTemplate(1), "");
}

TEST_F(GlobalDefinitionTest, ADamagedDefinitionDatabaseEndsTheProgram)
{
    fixture_.folder.Write("databases/catalog_6.sqlite", "this is not a database");
    try {
        global_.GetCatalogTypeName(6);
        FAIL() << "no exception";
    } catch (const EFatalTolvexException& error) {
        EXPECT_STREQ(error.what(), "Cannot open catalog database");
    }
}

// ---- export and import of the description tables ------------------------------------

namespace {

const char* const kDescriptionTables[] = {"GlobalClasses",   "GlobalClassMemberList", "GlobalClassMembers",
                                          "GlobalClassMessages", "GlobalItemIds",     "GlobalItemTypes",
                                          "GlobalTables"};

// Every row of a table with every column (with its storage class), sorted.
std::vector<std::string> DumpTable(const std::string& fileName, const std::string& table)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, ("SELECT * FROM " + table).c_str(), -1, &stmt, nullptr);
    std::vector<std::string> rows;
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            // An empty text travels as an empty element, which the import
            // leaves unset: empty and Null read alike.
            const unsigned char* text = sqlite3_column_text(stmt, i);
            const int type = sqlite3_column_type(stmt, i) == SQLITE_NULL ? SQLITE_TEXT : sqlite3_column_type(stmt, i);
            row += std::to_string(type) + ":" + (text ? reinterpret_cast<const char*>(text) : "") + "|";
        }
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::vector<std::string>> DumpDescription(const std::string& fileName)
{
    std::vector<std::vector<std::string>> tables;
    for (const char* table : kDescriptionTables)
        tables.push_back(DumpTable(fileName, table));
    return tables;
}

}  // namespace

TEST_F(GlobalDefinitionTest, ExportingAndImportingLeavesTheDescriptionTablesAsTheyWere)
{
    const std::string catalogs = fixture_.DatabaseFile("catalogs");
    // A value with characters outside ISO-8859-1 and a line break travels too.
    fixture_.Exec("catalogs", "INSERT INTO GlobalItemTypes VALUES (9999, 'Caf\xC3\xA9', 'Two' || char(10) || "
                              "'lines \xE2\x82\xAC')");
    const auto before = DumpDescription(catalogs);
    ASSERT_GT(before[2].size(), 100u);

    global_.ExportCatalogsTables();
    EXPECT_EQ(fixture_.gui.Messages("information"),
              (std::vector<std::string>{"Catalogs tables successfully exported"}));
    EXPECT_EQ(fixture_.gui.WaitDepth(), 0);
    const std::string exported = fixture_.DatabasesDir() + "/catalogsxml/GlobalItemIds.xml";
    const std::string text = TTempFolder::Read(exported);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", 0), 0u);
    EXPECT_NE(text.find("<Action Table=\"GlobalItemIds\" Method=\"delete\"/>\r\n"), std::string::npos);
    EXPECT_NE(text.find("<XmlTagName>ImagesRoot</XmlTagName></Action>\r\n"), std::string::npos);

    fixture_.Exec("catalogs", "DELETE FROM GlobalClassMembers; UPDATE GlobalClasses SET ClassXmlTag = 'x'; "
                              "INSERT INTO GlobalItemIds VALUES (777777, 'Stray'); DELETE FROM GlobalTables");
    global_.ImportCatalogsTables();
    EXPECT_EQ(fixture_.gui.Messages("information").back(), "Catalogs tables successfully imported");
    EXPECT_EQ(DumpDescription(catalogs), before);
}

TEST_F(GlobalDefinitionTest, ImportingWithoutFilesChangesNothing)
{
    const auto before = DumpDescription(fixture_.DatabaseFile("catalogs"));
    global_.ImportCatalogsTables();
    EXPECT_EQ(fixture_.gui.Messages("information"), (std::vector<std::string>{"Catalogs tables successfully imported"}));
    EXPECT_EQ(DumpDescription(fixture_.DatabaseFile("catalogs")), before);
}

TEST_F(GlobalDefinitionTest, AnImportKeepsTheFilesAppliedBeforeAFailure)
{
    global_.ExportCatalogsTables();
    fixture_.folder.Write("databases/catalogsxml/ZZBroken.xml", "<StoredRecordset><Action");
    fixture_.Exec("catalogs", "UPDATE GlobalClasses SET ClassXmlTag = 'x'");
    EXPECT_THROW(global_.ImportCatalogsTables(), EPublisherTolvexException);
    EXPECT_EQ(ColumnOfFile(fixture_.DatabaseFile("catalogs"), "SELECT ClassXmlTag FROM GlobalClasses WHERE ClassId = 1"),
              (std::vector<std::string>{"CommonNames"}));
    EXPECT_EQ(fixture_.gui.Messages("information").size(), 1u) << "only the export's";
    EXPECT_EQ(fixture_.gui.WaitDepth(), 0);
}
