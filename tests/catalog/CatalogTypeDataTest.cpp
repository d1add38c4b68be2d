#include "catalog/CatalogTypeData.h"
#include "common/CRC32.h"
#include "common/Exceptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kDefinitionsDir = std::string(TOLVEX_DATA_DIR) + "/catalogtypes";

// The catalog types shipped as data/catalogtypes/catalog_<N>.xml.
std::vector<int> ShippedTypes()
{
    std::vector<int> types;
    for (const auto& entry : fs::directory_iterator(kDefinitionsDir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("catalog_", 0) == 0 && entry.path().extension() == ".xml")
            types.push_back(std::stoi(name.substr(8)));
    }
    std::sort(types.begin(), types.end());
    return types;
}

// A built definition database, read with SQLite's own API.
class TDefinitionDb {
public:
    explicit TDefinitionDb(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path);
    }
    ~TDefinitionDb() { sqlite3_close(db_); }
    TDefinitionDb(const TDefinitionDb&) = delete;
    TDefinitionDb& operator=(const TDefinitionDb&) = delete;

    // Every row of a SELECT, each column as text ("" for Null; blobs as bytes).
    std::vector<std::vector<std::string>> Rows(const std::string& sql) const
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + ": " + sql);
        std::vector<std::vector<std::string>> rows;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, i));
                row.emplace_back(data ? std::string(data, sqlite3_column_bytes(stmt, i)) : "");
            }
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(stmt);
        return rows;
    }

    // The first column of every row.
    std::vector<std::string> Column(const std::string& sql) const
    {
        std::vector<std::string> values;
        for (auto& row : Rows(sql))
            values.push_back(row.at(0));
        return values;
    }

    std::string Value(const std::string& sql) const
    {
        auto values = Column(sql);
        return values.empty() ? "" : values.front();
    }

private:
    sqlite3* db_ = nullptr;
};

std::string Str(int number)
{
    return std::to_string(number);
}

// The text of member M of class C of item I in language "XXX".
std::string StringMember(const TDefinitionDb& db, int item, int classId, int member, const std::string& table = "CStrings",
                         const std::string& column = "StringValue")
{
    return db.Value("SELECT MAX(" + column + ") FROM " + table + " WHERE ItemId = " + Str(item) + " AND ClassId = " +
                    Str(classId) + " AND MemberId = " + Str(member) + " AND LangCode = 'XXX'");
}

std::string NumberMember(const TDefinitionDb& db, int item, int classId, int member)
{
    return db.Value("SELECT CAST(MAX(NumberValue) AS INTEGER) FROM CNumbers WHERE ItemId = " + Str(item) +
                    " AND ClassId = " + Str(classId) + " AND MemberId = " + Str(member));
}

// Visible items of a type under a parent, as the definition loader selects them.
std::vector<std::string> VisibleItems(const TDefinitionDb& db, int parent, int type)
{
    return db.Column("SELECT ItemId FROM Items WHERE ParentItemId = " + Str(parent) + " AND ItemType = " + Str(type) +
                     " AND NotVisible = 0 ORDER BY ItemId");
}

// Every shipped definition, each built once (when a test first needs it)
// into a temporary folder shared by the suite.
class ShippedDefinition : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() { folder_ = new TTempFolder; }
    static void TearDownTestSuite()
    {
        delete folder_;
        folder_ = nullptr;
    }

    int Type() const { return GetParam(); }
    TDefinitionDb Db() const
    {
        const std::string file = folder_->File("catalog_" + Str(Type()) + ".sqlite");
        if (!fs::exists(file))
            BuildCatalogTypeDatabase(kDefinitionsDir + "/catalog_" + Str(Type()) + ".xml", file);
        return TDefinitionDb(file);
    }

    // Action id -> action string, as the loader builds its action list.
    static std::map<std::string, std::string> Actions(const TDefinitionDb& db)
    {
        std::map<std::string, std::string> actions;
        for (const std::string& item : VisibleItems(db, 29, 801))
            actions[NumberMember(db, std::stoi(item), 801, 1)] = StringMember(db, std::stoi(item), 801, 2);
        return actions;
    }

    static TTempFolder* folder_;
};

TTempFolder* ShippedDefinition::folder_ = nullptr;

TEST(CatalogTypeData, ShipsTheTypesOfThePartsAndTypeZero)
{
    const std::vector<int> types = ShippedTypes();
    for (int required : {0, 1, 2, 3, 4, 5, 7, 8, 12})
        EXPECT_NE(std::find(types.begin(), types.end(), required), types.end()) << "catalog type " << required;
}

TEST_P(ShippedDefinition, HeaderNamesTheTypeAndItsStartAction)
{
    const TDefinitionDb db = Db();
    EXPECT_EQ(db.Value("SELECT COUNT(DISTINCT CatalogCode) || CatalogCode FROM Items"), "1t#" + Str(Type()));
    EXPECT_FALSE(StringMember(db, 806, 806, 2).empty()) << "name";
    EXPECT_GE(std::stoi(StringMember(db, 806, 806, 8)), 1) << "definition version";
    EXPECT_EQ(NumberMember(db, 806, 806, 9), Type() == 0 ? "" : Str(Type())) << "type number";
    EXPECT_FALSE(StringMember(db, 806, 806, 6, "CText", "TextValue").empty()) << "default body template";

    const std::map<std::string, std::string> actions = Actions(db);
    const std::string start = NumberMember(db, 806, 806, 5);
    if (!start.empty())
        EXPECT_TRUE(actions.count(start)) << "start action " << start;
    // Only catalog types offered for new catalogs start with the initial settings.
    EXPECT_EQ(!start.empty(), NumberMember(db, 806, 806, 4) == "1");
}

TEST_P(ShippedDefinition, ActionsUnderItem29IncludeAction10)
{
    const TDefinitionDb db = Db();
    const std::map<std::string, std::string> actions = Actions(db);
    EXPECT_EQ(actions.size(), VisibleItems(db, 29, 801).size()) << "action ids are unique";
    ASSERT_TRUE(actions.count("10"));
    for (const auto& [id, text] : actions)
        EXPECT_EQ(text.rfind("Action=", 0), 0u) << "action " << id << ": " << text;
}

TEST_P(ShippedDefinition, ItemTypesUnderItem31HaveEditorsAndValidReferences)
{
    const TDefinitionDb db = Db();
    const std::vector<std::string> definitions = VisibleItems(db, 31, 810);
    ASSERT_FALSE(definitions.empty());
    std::set<std::string> itemTypes;
    for (const std::string& item : definitions)
        EXPECT_TRUE(itemTypes.insert(NumberMember(db, std::stoi(item), 810, 1)).second) << "item type defined twice";
    EXPECT_TRUE(itemTypes.count("")) << "item type 0 carries the catalog's own menus";

    const std::map<std::string, std::string> actions = Actions(db);
    const std::string inDefinitions = " AND ItemId IN (SELECT ItemId FROM Items WHERE ParentItemId = 31 AND ItemType = 810)";
    for (const std::string& item : definitions)
        EXPECT_NE(db.Value("SELECT COUNT(*) FROM CStrings WHERE ClassId = 802 AND MemberId = 2 AND ItemId = " + item), "0")
            << "item type " << NumberMember(db, std::stoi(item), 810, 1) << " lists no editor";
    for (const std::string& action : db.Column("SELECT DISTINCT CAST(NumberValue AS INTEGER) FROM CNumbers "
                                               "WHERE ClassId = 809 AND MemberId = 3" + inDefinitions))
        EXPECT_TRUE(actions.count(action)) << "a UI element runs the missing action " << action;
    for (const std::string& child : db.Column("SELECT DISTINCT CAST(NumberValue AS INTEGER) FROM CNumbers "
                                              "WHERE ClassId = 805 AND MemberId = 2" + inDefinitions))
        EXPECT_TRUE(itemTypes.count(child)) << "allowed child type " << child << " is not defined";
    for (const std::string& folder : db.Column("SELECT DISTINCT CAST(NumberValue AS INTEGER) FROM CNumbers "
                                               "WHERE ClassId = 808 AND MemberId = 3" + inDefinitions))
        EXPECT_NE(db.Value("SELECT COUNT(*) FROM Items WHERE ItemId = " + folder), "0") << "template folder " << folder;
}

TEST_P(ShippedDefinition, TreeImagesUnder640000AreCheckedBitmaps)
{
    const TDefinitionDb db = Db();
    const std::vector<std::string> images = VisibleItems(db, 640000, 301);
    ASSERT_FALSE(images.empty());
    std::set<std::string> names;
    for (const std::string& item : images) {
        names.insert(StringMember(db, std::stoi(item), 1, 1));
        auto rows = db.Rows("SELECT DataBlob, DataCrc, DataBytes, DataMimeType FROM CBinary WHERE ClassId = 5 AND ItemId = " +
                            item);
        ASSERT_EQ(rows.size(), 1u) << "image item " << item;
        const std::string& blob = rows[0][0];
        EXPECT_EQ(rows[0][3], "image/bmp");
        EXPECT_EQ(rows[0][2], Str(static_cast<int>(blob.size())));
        EXPECT_EQ(rows[0][1], Str(static_cast<std::int32_t>(TCRC32::CalcStringCRC(blob))));
        ASSERT_GE(blob.size(), 26u);
        EXPECT_EQ(blob.substr(0, 2), "BM");
        EXPECT_EQ(blob[18], 16) << "width";
        EXPECT_EQ(blob[22], 16) << "height";
    }
    // Every image code that an item type, a UI element or an item names is a tree image.
    for (const std::string& code : db.Column("SELECT StringValue FROM CStrings WHERE ClassId IN (807, 809) AND MemberId = 7 "
                                             "UNION SELECT ExpandedImageCode FROM Items WHERE ExpandedImageCode <> '' "
                                             "UNION SELECT CollapsedImageCode FROM Items WHERE CollapsedImageCode <> ''"))
        EXPECT_TRUE(names.count(code)) << "missing tree image " << code;
}

TEST_P(ShippedDefinition, InitialisationListsNameItemsThatCreationCanCopy)
{
    const TDefinitionDb db = Db();
    const std::string lists = "SELECT StringValue FROM CStrings WHERE ItemId = 521 AND ClassId = 521 AND LangCode = 'XXX' "
                              "AND MemberId = ";
    const std::vector<std::string> include = db.Column(lists + "1 ORDER BY IndexId");
    ASSERT_FALSE(include.empty());
    for (const std::string& member : {"1", "2", "3", "4"})
        for (const std::string& id : db.Column(lists + member))
            EXPECT_NE(db.Value("SELECT COUNT(*) FROM Items WHERE ItemId = " + id), "0") << "list " << member << ": " << id;

    // The records that creating a catalog fills are copied with the object
    // creation writes into (instance 1), but without the values creation
    // writes, which would collide.
    for (const auto& [item, classId] : std::vector<std::pair<std::string, std::string>>{
             {"602", "602"}, {"2001", "3"}, {"604", "604"}, {"613", "613"}}) {
        EXPECT_NE(std::find(include.begin(), include.end(), item), include.end()) << item;
        EXPECT_EQ(db.Value("SELECT ClassId FROM CObjectInstances WHERE ItemId = " + item + " AND InstanceId = 1"), classId)
            << item;
    }
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM CStrings WHERE (ItemId = 602 AND ClassId = 602) OR "
                       "(ItemId = 2001 AND ClassId = 3 AND MemberId IN (1, 13))"), "0");
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM CDates"), "0");
}

// The three templates a page needs, transformed the way page generation
// combines them, give a working page.
TEST_P(ShippedDefinition, DefaultTemplatesTransformAPage)
{
    const TDefinitionDb db = Db();
    auto templateOf = [&](int itemType, int kind) {
        const std::string folder = db.Value(
            "SELECT CAST(MAX(f.NumberValue) AS INTEGER) FROM CNumbers AS f JOIN CNumbers AS t ON t.ItemId = f.ItemId "
            "AND t.ClassId = 810 AND t.MemberId = 1 AND t.NumberValue = " + Str(itemType) + " WHERE f.ClassId = 808 AND "
            "f.MemberId = 3 AND f.InstanceId IN (SELECT InstanceId FROM CObjectInstances WHERE ItemId = f.ItemId AND "
            "ClassId = 808) AND COALESCE((SELECT NumberValue FROM CNumbers AS k WHERE k.ItemId = f.ItemId AND "
            "k.ClassId = 808 AND k.MemberId = 2 AND k.InstanceId = f.InstanceId), 0) = " + Str(kind));
        const std::string id = NumberMember(db, std::stoi(folder), 513, 1);
        return StringMember(db, std::stoi(id), 503, 1, "CText", "TextValue");
    };
    TTempFolder work;
    work.Write("master.xsl", templateOf(501, 0));
    work.Write("body.xsl", templateOf(502, 1));
    work.Write("common.xsl", db.Value("SELECT TextValue FROM CText WHERE ClassId = 503 AND ItemId IN "
                                      "(SELECT ItemId FROM Items WHERE ItemType = 512)"));
    const std::string out = work.Write("out.xsl", R"(<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:output method="html" encoding="utf-8" indent="no"/>
<xsl:include href="master.xsl"/><xsl:include href="body.xsl"/><xsl:include href="common.xsl"/>
<xsl:param name="lang">EN</xsl:param><xsl:param name="out">html</xsl:param><xsl:param name="linkext">html</xsl:param>
<xsl:param name="css">600111</xsl:param><xsl:param name="css2">0</xsl:param><xsl:param name="bgimage"></xsl:param>
<xsl:param name="year">2026</xsl:param>
<xsl:template name="top"><xsl:text disable-output-escaping="yes">&lt;p&gt;Top&lt;/p&gt;</xsl:text></xsl:template>
<xsl:template name="bottom"/>
</xsl:stylesheet>)");
    const std::string page = R"(<Page CatalogCode="demo" ItemId="100001" ItemType="4001" TreeItemId="100001">
<CurrentPage><CommonNames ItemId="100001" TreeItemId="100001"><ItemName>Home</ItemName></CommonNames></CurrentPage>
<Navigation><CommonNames ItemId="100003" TreeItemId="100003"><ItemName LanguageCode="EN">About Us</ItemName></CommonNames>
<CommonNames ItemId="100004" TreeItemId="100004"><ItemName>Contact</ItemName><AltFileName>contact</AltFileName></CommonNames></Navigation>
<Children/><Company><CommonCompanyInfo><CompanyName LanguageCode="EN">Acme Ltd</CompanyName></CommonCompanyInfo></Company>
</Page>)";

    xsltStylesheetPtr sheet = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(out.c_str()));
    ASSERT_NE(sheet, nullptr) << "the templates do not compile";
    xmlDocPtr doc = xmlReadMemory(page.data(), static_cast<int>(page.size()), "page.xml", nullptr, 0);
    xmlDocPtr result = xsltApplyStylesheet(sheet, doc, nullptr);
    ASSERT_NE(result, nullptr);
    xmlChar* bytes = nullptr;
    int size = 0;
    xsltSaveResultToString(&bytes, &size, result, sheet);
    const std::string html(reinterpret_cast<const char*>(bytes), size);
    xmlFree(bytes);
    xmlFreeDoc(result);
    xmlFreeDoc(doc);
    xsltFreeStylesheet(sheet);

    EXPECT_NE(html.find("<title>Home</title>"), std::string::npos) << html;
    EXPECT_NE(html.find("href=\"100003.html\">About Us</a>"), std::string::npos) << html;
    EXPECT_NE(html.find("href=\"contact.html\">Contact</a>"), std::string::npos) << html;
    EXPECT_NE(html.find("../css/600111.css"), std::string::npos) << html;
    EXPECT_NE(html.find("<p>Top</p>"), std::string::npos) << html;
    EXPECT_NE(html.find("Acme Ltd"), std::string::npos) << html;
}

INSTANTIATE_TEST_SUITE_P(CatalogTypes, ShippedDefinition, ::testing::ValuesIn(ShippedTypes()),
                         [](const ::testing::TestParamInfo<int>& info) { return "Type" + Str(info.param); });

// ---- the format, on small fixtures ----------------------------------------------------

const char* const kSmallDefinition = R"(<?xml version="1.0" encoding="UTF-8"?>
<CatalogDefinition catalogType="7" code="t#7">
  <!-- a comment is allowed anywhere -->
  <Item id="5" type="2" parent="0" order="3" flags="3" expandedImage="open" collapsedImage="shut">
    <Object class="1" instance="1">
      <String member="1">Templates</String>
      <String member="1" lang="EN" index="2">Vorlagen &amp; mehr</String>
    </Object>
  </Item>
  <Item id="700" type="301" parent="5" visible="0">
    <Object class="5" instance="1">
      <Number member="1">16.5</Number>
      <Binary member="6" type="252" mime="image/bmp" file="pics/a.bin"/>
    </Object>
    <Object class="613" instance="2" parentInstance="1">
      <Date member="613001">2026-12-01 12:00:00</Date>
      <Text member="1" type="53"><![CDATA[<a>&x</a>]]></Text>
    </Object>
  </Item>
  <Item id="701" type="301" parent="1" linked="700"/>
</CatalogDefinition>
)";

TEST(CatalogTypeData, WritesEveryColumnTheFileGives)
{
    TTempFolder folder;
    const std::string xml = folder.Write("catalog_7.xml", kSmallDefinition);
    folder.Write("pics/a.bin", std::string("A\0B", 3));
    const std::string target = folder.File("out/catalog_7.sqlite");
    fs::create_directories(folder.File("out"));
    BuildCatalogTypeDatabase(xml, target);

    const TDefinitionDb db(target);
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(db.Rows("SELECT CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, ExpandedImageCode, "
                      "CollapsedImageCode, OrderNum, DontDelete, DontSort, IsSynchronized, UserPriority, "
                      "DateModified > 40000 FROM Items ORDER BY ItemId"),
              (Rows{{"t#7", "5", "2", "0", "5", "0", "open", "shut", "3", "1", "1", "0", "0", "1"},
                    {"t#7", "700", "301", "5", "700", "1", "", "", "0", "0", "0", "0", "0", "1"},
                    {"t#7", "701", "301", "1", "700", "0", "", "", "0", "0", "0", "0", "0", "1"}}));
    EXPECT_EQ(db.Rows("SELECT ItemId, ClassId, ParentInstanceId, InstanceId FROM CObjectInstances ORDER BY ItemId, InstanceId"),
              (Rows{{"5", "1", "0", "1"}, {"700", "5", "0", "1"}, {"700", "613", "1", "2"}}));
    EXPECT_EQ(db.Rows("SELECT MemberId, LangCode, IndexId, MemberType, StringValue FROM CStrings ORDER BY LangCode"),
              (Rows{{"1", "EN", "2", "1", "Vorlagen & mehr"}, {"1", "XXX", "0", "1", "Templates"}}));
    EXPECT_EQ(db.Rows("SELECT MemberType, TextValue FROM CText"), (Rows{{"53", "<a>&x</a>"}}));
    EXPECT_EQ(db.Rows("SELECT MemberType, NumberValue FROM CNumbers"), (Rows{{"101", "16.5"}}));
    // 2026-12-01 12:00 is day 46357 since 30 December 1899, and a half.
    EXPECT_EQ(db.Rows("SELECT MemberType, DateValue FROM CDates"), (Rows{{"203", "46357.5"}}));
    EXPECT_EQ(db.Rows("SELECT MemberType, DataBlob, DataBytes, DataCrc, DataMimeType FROM CBinary"),
              (Rows{{"252", std::string("A\0B", 3), "3",
                     Str(static_cast<std::int32_t>(TCRC32::CalcStringCRC(std::string("A\0B", 3)))), "image/bmp"}}));
    EXPECT_FALSE(fs::exists(folder.File("out/catalog_7.building.sqlite")));
}

TEST(CatalogTypeData, RebuildingReplacesTheDatabaseAndAFailedBuildKeepsIt)
{
    TTempFolder folder;
    const std::string target = folder.File("catalog_7.sqlite");
    folder.Write("pics/a.bin", "x");
    BuildCatalogTypeDatabase(folder.Write("catalog_7.xml", kSmallDefinition), target);
    const std::string oneItem = R"(<CatalogDefinition catalogType="7"><Item id="9" type="2" parent="0"/></CatalogDefinition>)";
    BuildCatalogTypeDatabase(folder.Write("one.xml", oneItem), target);
    EXPECT_EQ(TDefinitionDb(target).Column("SELECT ItemId FROM Items"), std::vector<std::string>{"9"});

    EXPECT_THROW(BuildCatalogTypeDatabase(folder.Write("bad.xml", "<CatalogDefinition catalogType=\"7\"><Item/>"), target),
                 ECriticalTolvexException);
    EXPECT_EQ(TDefinitionDb(target).Column("SELECT ItemId FROM Items"), std::vector<std::string>{"9"});
    EXPECT_THROW(BuildCatalogTypeDatabase(folder.Write("one2.xml", oneItem), folder.File("catalog_7.db")),
                 ECriticalTolvexException);
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().string().find(".building"), std::string::npos) << entry.path();
}

struct TMalformedCase {
    const char* why;
    const char* body;      // the lines after the root's start tag
    int line;              // the line the message names
    const char* message;   // part of the message
};

TEST(CatalogTypeData, AMalformedFileFailsNamingFileAndLine)
{
    const TMalformedCase cases[] = {
        {"not well-formed", "<Item id=\"1\" type=\"2\" parent=\"0\">\n</Itm>", 3, ""},
        {"item without a type", "<Item id=\"1\" parent=\"0\"/>", 2, "needs the attribute type"},
        {"id that is no number", "<Item id=\"x1\" type=\"2\" parent=\"0\"/>", 2, "is no integer"},
        {"unknown attribute", "<Item id=\"1\" type=\"2\" parent=\"0\" hidden=\"1\"/>", 2, "unknown attribute hidden"},
        {"unknown element", "<Entry/>", 2, "expected an element Item"},
        {"item twice", "<Item id=\"1\" type=\"2\" parent=\"0\"/>\n<Item id=\"1\" type=\"2\" parent=\"0\"/>", 3,
         "defined twice"},
        {"instance twice", "<Item id=\"1\" type=\"2\" parent=\"0\">\n<Object class=\"1\" instance=\"1\"/>\n"
                           "<Object class=\"3\" instance=\"1\"/></Item>", 4, "instance 1 is used twice"},
        {"number that is none", "<Item id=\"1\" type=\"2\" parent=\"0\"><Object class=\"1\" instance=\"1\">\n"
                                "<Number member=\"2\">1,5</Number></Object></Item>", 3, "not a number"},
        {"number 0", "<Item id=\"1\" type=\"2\" parent=\"0\"><Object class=\"1\" instance=\"1\">\n"
                     "<Number member=\"2\">0</Number></Object></Item>", 3, "value of 0 is not stored"},
        {"empty text", "<Item id=\"1\" type=\"2\" parent=\"0\"><Object class=\"1\" instance=\"1\">\n"
                       "<String member=\"1\"></String></Object></Item>", 3, "empty text"},
        {"type of another kind", "<Item id=\"1\" type=\"2\" parent=\"0\"><Object class=\"1\" instance=\"1\">\n"
                                 "<String member=\"1\" type=\"52\">x</String></Object></Item>", 3, "does not belong"},
        {"value twice", "<Item id=\"1\" type=\"2\" parent=\"0\"><Object class=\"1\" instance=\"1\">\n"
                        "<String member=\"1\">a</String>\n<String member=\"1\">b</String></Object></Item>", 4, "twice"},
        {"bad date", "<Item id=\"1\" type=\"2\" parent=\"0\"><Object class=\"613\" instance=\"1\">\n"
                     "<Date member=\"613001\">1.12.2026</Date></Object></Item>", 3, "not a date"},
        {"missing binary file", "<Item id=\"1\" type=\"301\" parent=\"0\"><Object class=\"5\" instance=\"1\">\n"
                                "<Binary member=\"6\" mime=\"image/bmp\" file=\"none.bmp\"/></Object></Item>", 3,
         "cannot read the file"},
        {"objects on a further placement", "<Item id=\"2\" type=\"2\" parent=\"0\" linked=\"1\">\n"
                                           "<Object class=\"1\" instance=\"1\"/></Item>", 3, "further placement"},
    };
    TTempFolder folder;
    for (const TMalformedCase& c : cases) {
        const std::string file = folder.Write("catalog_3.xml", std::string("<CatalogDefinition catalogType=\"3\">\n") +
                                                                   c.body + "\n</CatalogDefinition>\n");
        try {
            TCatalogTypeData::ReadFile(file);
            ADD_FAILURE() << c.why << ": no exception";
        } catch (const ECriticalTolvexException& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(file + ", line " + Str(c.line) + ": ", 0), 0u) << c.why << ": " << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << c.why << ": " << message;
        }
    }
}

TEST(CatalogTypeData, TheRootMustNameTheTypeAndItsCode)
{
    TTempFolder folder;
    for (const char* root : {"<Definition catalogType=\"3\"/>", "<CatalogDefinition/>",
                             "<CatalogDefinition catalogType=\"3\" code=\"t#4\"/>"}) {
        const std::string file = folder.Write("c.xml", root);
        EXPECT_THROW(TCatalogTypeData::ReadFile(file), ECriticalTolvexException) << root;
    }
    EXPECT_THROW(TCatalogTypeData::ReadFile(folder.File("missing.xml")), ECriticalTolvexException);
    EXPECT_EQ(TCatalogTypeData::ReadFile(folder.Write("c.xml", "<CatalogDefinition catalogType=\"3\"/>")).CatalogCode(),
              "t#3");
}

}  // namespace
