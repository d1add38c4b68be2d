// The style loader's plain copy (a template of a catalog written back into
// its style catalog, item by item, replacing and stamped now, without the
// "modified by the user" flag and without dates) and its copy with the
// style's parameters given as lines.
#include "StyleFixture.h"

#include "common/Exceptions.h"
#include "generation/StyleLoader.h"

namespace {

TAbstractDBConnection& DefinitionConnection(TStyleProgram& program)
{
    return program.Root().Catalog().GetDefinition().GetDefinitionDatabase(kOpenCatalogType)->GetConnection();
}

std::string Rows(const std::string& file, const std::string& code, int itemId)
{
    std::string rows;
    for (const char* table : {"Items", "CObjectInstances", "CStrings", "CText", "CNumbers", "CDates", "CBinary"})
        rows += std::string(table) + ":" +
                std::to_string(ColumnOfFile(file, std::string("SELECT 1 FROM ") + table + " WHERE CatalogCode = '" +
                                                      code + "' AND ItemId = " + std::to_string(itemId))
                                   .size()) +
                " ";
    return rows;
}

}  // namespace

TEST(StyleLoaderTest, PlainCopyReplacesEachItemInTheSecondCatalog)
{
    TStyleProgram program(1);
    const std::string shop = program.CatalogFile();
    const std::string definition = program.DefinitionFile();
    // The user's version of a body template: changed source, flagged, with a date value.
    ExecOnFile(shop, "UPDATE CText SET TextValue = 'my own template' WHERE ItemId = 600201 AND ClassId = 503;"
                     "INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                     "MemberType, NumberValue) VALUES ('shop', 600201, 505, 3, 3, 'XXX', 0, 104, 1);"
                     "INSERT INTO CDates (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                     "MemberType, DateValue) VALUES ('shop', 600201, 505, 3, 4, 'XXX', 0, 203, 45000);"
                     "UPDATE Items SET DateModified = 1000 WHERE ItemId = 600201;");
    // A row of the style catalog's item that the copy does not carry.
    ExecOnFile(definition, "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                           "IndexId, MemberType, StringValue) VALUES ('t#1', 600201, 1, 1, 1, 'DE', 0, 1, 'alt');");
    const std::string otherBefore = Rows(definition, "t#1", 600202);

    TStyleLoader loader(program.Root().Catalog(), program.Code(), "t#1");
    loader.CopyItemsPlain({"600201", "0"}, program.Connection(), DefinitionConnection(program));

    EXPECT_EQ(program.DefinitionValue("SELECT TextValue FROM CText WHERE CatalogCode = 't#1' AND ItemId = 600201 "
                                      "AND ClassId = 503"),
              "my own template");
    EXPECT_EQ(Rows(shop, "shop", 600201),
              "Items:1 CObjectInstances:4 CStrings:2 CText:1 CNumbers:1 CDates:1 CBinary:0 ");
    EXPECT_EQ(Rows(definition, "t#1", 600201),
              "Items:1 CObjectInstances:4 CStrings:2 CText:1 CNumbers:0 CDates:0 CBinary:0 ")
        << "the item's rows less the flag and the date";
    EXPECT_TRUE(program.DefinitionValue("SELECT 1 FROM CStrings WHERE CatalogCode = 't#1' AND ItemId = 600201 AND "
                                        "LangCode = 'DE'")
                    .empty())
        << "the destination's item was replaced";
    EXPECT_NE(program.DefinitionValue("SELECT DateModified FROM Items WHERE CatalogCode = 't#1' AND ItemId = 600201"),
              "1000.0")
        << "stamped now";
    EXPECT_EQ(Rows(definition, "t#1", 600202), otherBefore);
    EXPECT_EQ(program.CatalogValue("SELECT COUNT(*) FROM CNumbers WHERE ItemId = 600201 AND ClassId = 505"), "1")
        << "the first catalog keeps its rows";
}

TEST(StyleLoaderTest, AFailedPlainCopyLeavesTheSecondCatalogAsItWas)
{
    TStyleProgram program(1);
    ExecOnFile(program.DefinitionFile(), "CREATE TRIGGER injected BEFORE INSERT ON CText WHEN NEW.ItemId = 600202 "
                                         "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;");
    const std::string before = DumpDatabase(program.DefinitionFile());
    TStyleLoader loader(program.Root().Catalog(), program.Code(), "t#1");
    EXPECT_THROW(loader.CopyItemsPlain({"600201", "600202"}, program.Connection(), DefinitionConnection(program)),
                 ETolvexException);
    EXPECT_TRUE(DumpDatabase(program.DefinitionFile()) == before) << "the first item's copy was undone too";
}

TEST(StyleLoaderTest, ParamLinesReachTheCopiedMastersAndAnEmptyListGivesZeros)
{
    TStyleProgram program(1);
    TStyleLoader loader(program.Root().Catalog(), program.Code(), "t#1");
    const auto schemes = [&](int master) {
        // Members 1 colour, 2 font, 3 background; a value of 0 is stored as no row.
        return program.CatalogValue("SELECT group_concat(MemberId || '=' || CAST(NumberValue AS INTEGER), ',') FROM "
                                    "(SELECT MemberId, NumberValue FROM CNumbers WHERE ItemId = " +
                                    std::to_string(master) + " AND ClassId = 501 ORDER BY MemberId)");
    };
    const std::vector<std::string> params{"color=600115", "font=600116", "background=0"};
    loader.CopyItems({"600102"}, program.Connection(), DefinitionConnection(program), &params, false, true);
    EXPECT_EQ(schemes(600102), "1=600115,2=600116");

    const std::vector<std::string> none;
    loader.CopyItems({"600103"}, program.Connection(), DefinitionConnection(program), &none, false, true);
    EXPECT_EQ(schemes(600103), "");

    loader.CopyItems({"600103"}, program.Connection(), DefinitionConnection(program), nullptr, false, true);
    EXPECT_EQ(schemes(600103), "1=600115,2=600116,3=600123") << "without parameters the style catalog's own";
}
