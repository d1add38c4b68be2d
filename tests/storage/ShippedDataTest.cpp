#include "storage/CatalogTables.h"

#include "ProgramFolderFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const std::string kDataDir = TShippedData::BuildTreeDataDir();

// The entries of a folder, by name.
std::vector<std::string> EntriesOf(const std::string& dir)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Marker(const std::string& catalogsFile)
{
    auto values = ColumnOfFile(catalogsFile, "SELECT XmlTagName FROM GlobalItemIds WHERE ItemId = 777777");
    return values.empty() ? "" : values[0];
}

void AppendToFile(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::app | std::ios::binary);
    out << text;
}

}  // namespace

TEST(ShippedDataTest, AFreshProgramFolderGetsItsDatabases)
{
    TTempFolder home;
    EXPECT_EQ(EnsureShippedDatabases(home.Path(), kDataDir), TShippedData(kDataDir).DatabaseNames());
    EXPECT_EQ(EntriesOf(home.Path()), (std::vector<std::string>{"databases"})) << "no building folder left behind";
    std::vector<std::string> files;
    for (const std::string& name : TShippedData(kDataDir).DatabaseNames())
        files.push_back(name + ".sqlite");
    std::sort(files.begin(), files.end());
    EXPECT_EQ(EntriesOf(home.File("databases")), files);
    EXPECT_GE(files.size(), 7u) << "the catalog-type definitions too";
    EXPECT_TRUE(EnsureShippedDatabases(home.Path(), kDataDir).empty()) << "nothing missing the second time";

    // Every database answers through the program's own services.
    TGlobalSettings settings(home.Path(), nullptr);
    TCommonFunctions functions;
    TScriptedGui gui;
    TGlobalDefinition global(settings, SQLiteModules(), functions, gui);
    TReferences references(settings, SQLiteModules());
    EXPECT_EQ(global.GetItemIdByName("ImagesRoot"), 3);
    EXPECT_EQ(references.GetLanguageName("EN"), "English");
    EXPECT_EQ(global.GetCatalogTypeName(1), "General business site");
    for (TAbstractDBConnectionFactory* codes : {&global.GetUnspscDatabase(), &global.GetHarmonizedDatabase(),
                                                &global.GetEBayDatabase(), &global.GetZarivuroDatabase()})
        EXPECT_NE(codes, nullptr);
}

TEST(ShippedDataTest, OnlyTheMissingDatabasesAreBuilt)
{
    TTempFolder home;
    EnsureShippedDatabases(home.Path(), kDataDir);
    const std::string catalogs = home.File("databases/catalogs.sqlite");
    ExecOnFile(catalogs, "INSERT INTO GlobalItemIds VALUES (777777, 'Kept')");
    fs::remove(home.File("databases/tolvex.sqlite"));
    EXPECT_EQ(EnsureShippedDatabases(home.Path(), kDataDir), (std::vector<std::string>{"tolvex"}));
    EXPECT_TRUE(fs::exists(home.File("databases/tolvex.sqlite")));
    EXPECT_EQ(Marker(catalogs), "Kept");
}

TEST(ShippedDataTest, CatalogTypesAreTheNumberedDefinitionsInOrder)
{
    TTempFolder data;
    for (const char* name : {"catalog_12.xml", "catalog_2.xml", "catalog_x.xml", "other_3.xml", "catalog_4.txt"})
        data.Write("catalogtypes/" + std::string(name), "<CatalogDefinition/>");
    EXPECT_EQ(TShippedData(data.Path()).CatalogTypes(), (std::vector<int>{2, 12}));
    EXPECT_TRUE(TShippedData(data.File("missing")).CatalogTypes().empty());
}

TEST(ShippedDataTest, GlobalTablesHoldTheCatalogTablesOfTheCode)
{
    TTempFolder home;
    TShippedData(kDataDir).Build(home.File("databases"));
    const std::string catalogs = home.File("databases/catalogs.sqlite");
    std::vector<std::string> expected;
    for (const TCatalogTableDefinition& d : TCatalogTables::Definitions())
        expected.push_back(d.TableName + "|" + d.DataType + "|" + d.PrimaryKeyInfo + "|" + d.CreateSQL);
    EXPECT_EQ(ColumnOfFile(catalogs, "SELECT TableName || '|' || DataType || '|' || ifnull(PrimaryKeyInfo, '') || "
                                     "'|' || CreateSQL FROM GlobalTables ORDER BY rowid"),
              expected);
}

TEST(ShippedDataTest, RecordSetFilesFillTheDescriptionTables)
{
    TTempFolder copy;
    fs::copy(kDataDir, copy.File("data"), fs::copy_options::recursive);
    AppendToFile(copy.File("data/catalogsxml/GlobalItemTypes.xml"),
                 "<Action Table=\"GlobalItemTypes\" Method=\"insert\"><ItemType PK=\"1\">9999</ItemType>"
                 "<XmlTagName>Caf&#233;</XmlTagName><Description IsNull=\"1\"/></Action>\r\n");
    // The appended action lies after the root element: it makes the file malformed.
    EXPECT_THROW(TShippedData(copy.File("data")).Build(copy.File("databases")), ETolvexException);

    std::string text = TTempFolder::Read(copy.File("data/catalogsxml/GlobalItemTypes.xml"));
    text.erase(text.find("</StoredRecordset>"), std::string("</StoredRecordset>").size());
    text += "</StoredRecordset>\r\n";
    copy.Write("data/catalogsxml/GlobalItemTypes.xml", text);
    TShippedData(copy.File("data")).Build(copy.File("databases"));
    const std::string catalogs = copy.File("databases/catalogs.sqlite");
    EXPECT_EQ(ColumnOfFile(catalogs, "SELECT XmlTagName || '|' || ifnull(Description, '') FROM GlobalItemTypes "
                                     "WHERE ItemType = 9999"),
              (std::vector<std::string>{"Caf\xC3\xA9|"}));
    const std::string members = TTempFolder::Read(kDataDir + "/catalogsxml/GlobalClassMembers.xml");
    std::size_t inserts = 0;
    for (std::size_t at = members.find("Method=\"insert\""); at != std::string::npos;
         at = members.find("Method=\"insert\"", at + 1))
        ++inserts;
    EXPECT_EQ(ColumnOfFile(catalogs, "SELECT count(*) FROM GlobalClassMembers"),
              (std::vector<std::string>{std::to_string(inserts)}));
}

TEST(ShippedDataTest, AFailedBuildLeavesTheDatabasesAsTheyWere)
{
    TTempFolder copy;
    fs::copy(kDataDir, copy.File("data"), fs::copy_options::recursive);
    TShippedData(copy.File("data")).Build(copy.File("home/databases"));
    const std::string catalogs = copy.File("home/databases/catalogs.sqlite");
    ExecOnFile(catalogs, "INSERT INTO GlobalItemIds VALUES (777777, 'Kept')");

    AppendToFile(copy.File("data/codes/zarivuro.sql"), "\nINSERT INTO NoSuchTable VALUES (1);\n");
    EXPECT_THROW(TShippedData(copy.File("data")).Build(copy.File("home/databases")), ETolvexException);
    EXPECT_EQ(Marker(catalogs), "Kept");
    EXPECT_EQ(EntriesOf(copy.File("home")), (std::vector<std::string>{"databases"}));

    // Once the source is mended, a build replaces every database.
    fs::copy_file(kDataDir + "/codes/zarivuro.sql", copy.File("data/codes/zarivuro.sql"),
                  fs::copy_options::overwrite_existing);
    TShippedData(copy.File("data")).Build(copy.File("home/databases"));
    EXPECT_EQ(Marker(catalogs), "");
}
