// Export and import of the style tables: every catalog of the definition
// database becomes one record-set XML file in "databases/stylesxml" that,
// imported, replaces that catalog's rows; export then import gives the
// definition database back row for row.
#include "StyleFixture.h"

#include "common/Exceptions.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A style preview catalog beside the style catalog, with a row in most of the exchanged tables.
const char* const kPreviewCatalog =
    "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, DontDelete, "
    "DontSort, IsSynchronized, DateModified) VALUES ('p#1', 100001, 4001, 1, 100001, 0, 100, 0, 0, 1, 45000.25);"
    "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
    "VALUES ('p#1', 100001, 1, 0, 1);"
    "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
    "StringValue) VALUES ('p#1', 100001, 1, 1, 1, 'EN', 0, 1, 'Caf\xc3\xa9 & <Home>');"
    "INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
    "NumberValue) VALUES ('p#1', 100001, 1, 1, 7, 'XXX', 0, 152, 0.1);"
    "INSERT INTO CDates (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
    "DateValue) VALUES ('p#1', 100001, 1, 1, 8, 'XXX', 0, 203, 45000.5);"
    "INSERT INTO LocalSettings (CatalogCode, DataKey, DataValue) VALUES ('p#1', 'TolvexVersion', '3.0.0');";

}  // namespace

TEST(StyleTablesTest, ExportThenImportGivesTheDefinitionDatabaseBack)
{
    TStyleProgram program(1);
    ExecOnFile(program.DefinitionFile(), kPreviewCatalog);
    const std::string original = DumpDatabase(program.DefinitionFile());

    program.fixture.Gui().Clear();
    program.Manager().ExportStylesTables();
    const std::string folder = program.Manager().StylesXmlFolder();
    EXPECT_EQ(folder, program.fixture.Home().Path() + "/databases/stylesxml");
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"p#1.xml", "t#1.xml"})) << "one file per catalog code";
    EXPECT_EQ(program.fixture.Gui().Messages("information"),
              std::vector<std::string>{"Styles tables successfully exported"});
    const std::string preview = ReadFile(folder + "/p#1.xml");
    EXPECT_EQ(preview.find("t#1"), std::string::npos) << "a file holds its own catalog only";
    EXPECT_NE(preview.find("</Action>\r\n"), std::string::npos);
    EXPECT_EQ(preview.find("</Action>\r\n\r\n"), std::string::npos) << "one line break after each action";

    // Changes, removals and additions in both catalogs are all undone by the import.
    ExecOnFile(program.DefinitionFile(),
               "DELETE FROM CStrings WHERE CatalogCode = 't#1' AND ItemId = 600902;"
               "DELETE FROM Items WHERE CatalogCode = 't#1' AND ItemId = 600903;"
               "UPDATE CText SET TextValue = 'broken' WHERE CatalogCode = 't#1' AND ItemId = 600101;"
               "UPDATE CBinary SET DataBlob = x'00' WHERE CatalogCode = 't#1';"
               "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, "
               "DontDelete, DontSort, IsSynchronized) VALUES ('t#1', 600999, 510, 510, 600999, 0, 900, 0, 0, 0);"
               "DELETE FROM CDates WHERE CatalogCode = 'p#1';"
               "UPDATE CNumbers SET NumberValue = 7 WHERE CatalogCode = 'p#1';");
    ASSERT_FALSE(DumpDatabase(program.DefinitionFile()) == original);
    program.fixture.Gui().Clear();
    program.Manager().ImportStylesTables();
    EXPECT_TRUE(DumpDatabase(program.DefinitionFile()) == original) << "rows differ after the round trip";
    EXPECT_EQ(program.fixture.Gui().Messages("information"),
              std::vector<std::string>{"Styles tables successfully imported"});

    // Exporting again writes the same files.
    const std::string styles = ReadFile(folder + "/t#1.xml");
    program.Manager().ExportStylesTables();
    EXPECT_EQ(ReadFile(folder + "/t#1.xml"), styles);
    EXPECT_EQ(ReadFile(folder + "/p#1.xml"), preview);

    // The imported style catalog serves styles as before.
    program.ApplyStyle(600903);
    EXPECT_EQ(program.Manager().ReadCurrentScheme(program.Data(), program.Connection()).MasterTemplateId, 600103);
}

TEST(StyleTablesTest, ImportStopsAtABrokenFileKeepingTheFilesBefore)
{
    TStyleProgram program(1);
    const std::string original = DumpDatabase(program.DefinitionFile());
    program.Manager().ExportStylesTables();
    const std::string folder = program.Manager().StylesXmlFolder();
    {
        std::ofstream broken(folder + "/zz.xml", std::ios::binary);
        broken << "<?xml version=\"1.0\"?><StoredRecordset><Action Table=\"Items\" Method=\"delete\">";
    }
    std::ofstream(folder + "/notes.txt") << "not a table file";
    ExecOnFile(program.DefinitionFile(), "DELETE FROM Items WHERE CatalogCode = 't#1' AND ItemId = 600902;");

    program.fixture.Gui().Clear();
    EXPECT_THROW(program.Manager().ImportStylesTables(), ETolvexException);
    EXPECT_TRUE(DumpDatabase(program.DefinitionFile()) == original) << "the file before the broken one is applied";
    EXPECT_TRUE(program.fixture.Gui().Messages("information").empty()) << "no success reported";
}
