#include "catalog/CatalogTypeData.h"
#include "support/TestPaths.h"
#include "common/CRC32.h"
#include "common/Exceptions.h"
#include "storage/IdRanges.h"
#include "storage/ShippedData.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kDefinitionsDir = ShippedDataSourceDir() + "/catalogtypes";

// The catalog types shipped as data/catalogtypes/catalog_<N>.xml.
std::vector<int> ShippedTypes()
{
    return TShippedData(ShippedDataSourceDir()).CatalogTypes();
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
    if (!start.empty()) {
        EXPECT_TRUE(actions.count(start)) << "start action " << start;
    }
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
    for (const char* member : {"1", "2", "3", "4"})
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

// ---- templates and styles where template access and style loading look ----------------

const int kTemplatesRoot = 5;
const int kStylesRoot = 510;
const std::string kEnglishResource = "lang=\"EN\"";

int Int(const std::string& text)
{
    return text.empty() ? 0 : std::stoi(text);
}

std::string ItemType(const TDefinitionDb& db, int item)
{
    return db.Value("SELECT ItemType FROM Items WHERE ItemId = " + Str(item));
}

int Parent(const TDefinitionDb& db, int item)
{
    return Int(db.Value("SELECT ParentItemId FROM Items WHERE ItemId = " + Str(item)));
}

// The XSL (or XML) source of a template item, as template access reads it.
std::string TemplateText(const TDefinitionDb& db, int item)
{
    return StringMember(db, item, 503, 1, "CText", "TextValue");
}

// Item type -> kind -> template folder, from the item-type definitions (class 808).
std::map<int, std::map<int, int>> TemplateFolders(const TDefinitionDb& db)
{
    std::map<int, std::map<int, int>> folders;
    for (const auto& row : db.Rows(
             "SELECT CAST(COALESCE((SELECT NumberValue FROM CNumbers AS t WHERE t.ItemId = f.ItemId AND t.ClassId = 810 "
             "AND t.MemberId = 1), 0) AS INTEGER), CAST(COALESCE((SELECT NumberValue FROM CNumbers AS k WHERE "
             "k.ItemId = f.ItemId AND k.ClassId = 808 AND k.MemberId = 2 AND k.InstanceId = f.InstanceId), 0) AS "
             "INTEGER), CAST(f.NumberValue AS INTEGER) FROM CNumbers AS f WHERE f.ClassId = 808 AND f.MemberId = 3 AND "
             "f.ItemId IN (SELECT ItemId FROM Items WHERE ParentItemId = 31 AND ItemType = 810)"))
        folders[Int(row[0])][Int(row[1])] = Int(row[2]);
    return folders;
}

// The default template of a folder as template access finds it: the
// folder's TemplateItemId, else its first child that is no folder.
int DefaultTemplate(const TDefinitionDb& db, int folder)
{
    const int stored = Int(NumberMember(db, folder, 513, 1));
    if (stored != 0)
        return stored;
    return Int(db.Value("SELECT MIN(ItemId) FROM Items WHERE ParentItemId = " + Str(folder) + " AND ItemType <> 2"));
}

// The values of a multi-valued string member in language "XXX", by index.
std::vector<int> IdList(const TDefinitionDb& db, int item, int classId, int member)
{
    std::vector<int> ids;
    for (const std::string& id : db.Column("SELECT StringValue FROM CStrings WHERE ItemId = " + Str(item) +
                                           " AND ClassId = " + Str(classId) + " AND MemberId = " + Str(member) +
                                           " AND LangCode = 'XXX' ORDER BY IndexId"))
        ids.push_back(Int(id));
    return ids;
}

bool Contains(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// True when the item lies below the templates root (the walk is bounded).
bool InTemplatesTree(const TDefinitionDb& db, int item)
{
    for (int depth = 0; depth < 20 && item != 0; ++depth, item = Parent(db, item))
        if (item == kTemplatesRoot)
            return true;
    return false;
}

// The language resource of a language, found as template access finds it.
std::string ResourceItem(const TDefinitionDb& db, const std::string& lang)
{
    return db.Value("SELECT MIN(ItemId) FROM CText WHERE ClassId = 503 AND MemberId = 1 AND LangCode = 'XXX' AND "
                    "TextValue LIKE '%lang=\"" + lang + "\"%' AND ItemId IN (SELECT ItemId FROM Items WHERE ItemType = 503)");
}

// Messages of libxml2 and libxslt while an object of this class lives.
class TXsltMessages {
public:
    TXsltMessages()
    {
        Text().clear();
        xmlSetGenericErrorFunc(nullptr, Collect);
        xsltSetGenericErrorFunc(nullptr, Collect);
    }
    ~TXsltMessages()
    {
        xmlSetGenericErrorFunc(nullptr, nullptr);
        xsltSetGenericErrorFunc(nullptr, nullptr);
    }
    TXsltMessages(const TXsltMessages&) = delete;
    TXsltMessages& operator=(const TXsltMessages&) = delete;

    static std::string& Text()
    {
        static std::string text;
        return text;
    }

private:
    static void Collect(void*, const char* format, ...)
    {
        char buffer[1024];
        va_list args;
        va_start(args, format);
        std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        Text() += buffer;
    }
};

// The default custom templates that opening a catalog writes as custom.xsl.
const char* const kDefaultCustomXsl =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"\r\n"
    "       xmlns:alt=\"urn:tolvex:web-services\"\r\n"
    "       xmlns:tolvex=\"urn:tolvex:xml-generation\">\r\n"
    "<xsl:template name=\"custom\"/>\r\n<xsl:template name=\"custom1\"/>\r\n<xsl:template name=\"custom2\"/>\r\n"
    "<xsl:template name=\"custom3\"/>\r\n<xsl:template name=\"custom4\"/>\r\n<xsl:template name=\"custom5\"/>\r\n"
    "\r\n</xsl:stylesheet>\r\n";

// The work files of one page as the transformer writes them, taken from a
// definition database, and the page transformed with them.
struct TPageTemplates {
    int master = 0;
    int body = 0;
};

class TPageWork {
public:
    TPageWork(const TDefinitionDb& db, const TPageTemplates& templates)
    {
        work_.Write("master.xsl", TemplateText(db, templates.master));
        work_.Write("body.xsl", TemplateText(db, templates.body));
        work_.Write("common.xsl", db.Value("SELECT TextValue FROM CText WHERE ClassId = 503 AND ItemId IN "
                                           "(SELECT ItemId FROM Items WHERE ItemType = 512)"));
        work_.Write("custom.xsl", kDefaultCustomXsl);
        const std::string resource = ResourceItem(db, "EN");
        work_.Write("EN.xml", resource.empty() ? "" : TemplateText(db, Int(resource)));
        outXsl_ = work_.Write("out.xsl", OutXsl(Str(Int(NumberMember(db, templates.master, 501, 1))),
                                                Str(Int(NumberMember(db, templates.master, 501, 2))),
                                                !resource.empty()));
    }

    // Compiles out.xsl with the includes and transforms Page with it; the
    // HTML, or empty text when either step failed. Messages() tells why.
    std::string Transform(const std::string& page)
    {
        TXsltMessages messages;
        std::string html;
        xsltStylesheetPtr sheet = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(outXsl_.c_str()));
        xmlDocPtr doc = xmlReadMemory(page.data(), static_cast<int>(page.size()), "out.xml", nullptr, XML_PARSE_NONET);
        if (sheet && doc) {
            xmlDocPtr result = xsltApplyStylesheet(sheet, doc, nullptr);
            xmlChar* bytes = nullptr;
            int size = 0;
            if (result && xsltSaveResultToString(&bytes, &size, result, sheet) == 0 && bytes)
                html.assign(reinterpret_cast<const char*>(bytes), size);
            xmlFree(bytes);
            xmlFreeDoc(result);
        }
        xmlFreeDoc(doc);
        if (sheet)
            xsltFreeStylesheet(sheet);
        messages_ = TXsltMessages::Text();
        return html;
    }

    const std::string& Messages() const { return messages_; }

private:
    // The generated style sheet: output, the four includes, the parameters,
    // the resource and the page's own top and bottom texts.
    static std::string OutXsl(const std::string& css, const std::string& css2, bool resource)
    {
        std::string x = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                        "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                        "<xsl:output method=\"html\" encoding=\"utf-8\" indent=\"no\"/>"
                        "<xsl:include href=\"master.xsl\"/><xsl:include href=\"body.xsl\"/>"
                        "<xsl:include href=\"common.xsl\"/><xsl:include href=\"custom.xsl\"/>";
        const std::vector<std::pair<std::string, std::string>> params = {
            {"lang", "EN"}, {"out", "html"}, {"linkext", "html"}, {"dynamicext", "jsp"}, {"staticext", "html"},
            {"css", css}, {"css2", css2}, {"bgimage", "600121.png"}, {"pagenum", "1"}, {"countonpage", "9"},
            {"host", "0"}, {"publish", "preview"}, {"dynamic", "0"}, {"charset", ""}, {"year", "2026"},
            {"day", "10"}, {"month", "12"}, {"monthname", "December"}};
        for (const auto& [name, value] : params)
            x += "<xsl:param name=\"" + name + "\">" + value + "</xsl:param>";
        x += resource ? "<xsl:variable name=\"resource\" select=\"document( 'EN.xml' )\"/>"
                      : "<xsl:variable name=\"resource\" select=\"empty\"/>";
        x += "<xsl:template name=\"top\"><xsl:text disable-output-escaping=\"yes\">&lt;p&gt;Top words&lt;/p&gt;"
             "</xsl:text></xsl:template><xsl:template name=\"bottom\"/>";
        return x + "</xsl:stylesheet>\n";
    }

    TTempFolder work_;
    std::string outXsl_;
    std::string messages_;
};

std::string EscapeXml(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : std::string(1, c);
    return out;
}

// The page document of a page of a new catalog: its names, the company, and
// nothing else yet.
std::string NewCatalogPage(int item, const std::string& itemType, const std::string& pageName)
{
    const std::string name = EscapeXml(pageName);
    const std::string ids = "ItemId=\"" + Str(item) + "\" TreeItemId=\"" + Str(item) + "\"";
    const std::string names = "<CommonNames " + ids + "><ItemName LanguageCode=\"EN\">" + name +
                              "</ItemName><ItemName LanguageCode=\"DEF\">" + name + "</ItemName></CommonNames>";
    return "<Page CatalogCode=\"fresh\" CatalogType=\"1\" ItemType=\"" + itemType + "\" " + ids + ">"
           "<Current>" + names + "</Current><Breadcrumbs>" + names + "</Breadcrumbs>"
           "<Company><CommonCompanyInfo ItemId=\"2001\" TreeItemId=\"2001\"><CompanyName LanguageCode=\"EN\">"
           "Acme Ltd</CompanyName></CommonCompanyInfo></Company></Page>";
}

// Every item type with page templates finds a master and a body template in
// folders of the templates tree, as template access looks them up.
TEST_P(ShippedDefinition, PageTypesFindTheirTemplatesInTemplateFolders)
{
    const TDefinitionDb db = Db();
    const std::map<int, std::map<int, int>> folders = TemplateFolders(db);
    const std::vector<int> include = IdList(db, 521, 521, 1);
    int pageTypes = 0;
    for (const auto& [itemType, kinds] : folders) {
        SCOPED_TRACE("item type " + Str(itemType));
        for (const auto& [kind, folder] : kinds) {
            // Folders are folder items, which the template list leaves out;
            // their class-513 object holds the default the style load sets.
            EXPECT_EQ(ItemType(db, folder), "2") << "template folder " << folder;
            EXPECT_TRUE(InTemplatesTree(db, folder)) << folder;
            EXPECT_EQ(db.Value("SELECT COUNT(*) FROM CObjectInstances WHERE ClassId = 513 AND ItemId = " + Str(folder)),
                      "1") << folder;
            EXPECT_TRUE(Contains(include, folder)) << "a new catalog lacks template folder " << folder;
        }
        if (!kinds.count(1) || itemType == 502)
            continue;
        ++pageTypes;
        ASSERT_TRUE(kinds.count(0)) << "a page type with a body template folder has a master template folder";
        const int master = DefaultTemplate(db, kinds.at(0));
        const int body = DefaultTemplate(db, kinds.at(1));
        EXPECT_EQ(ItemType(db, master), "501");
        EXPECT_EQ(ItemType(db, body), "502");
        EXPECT_EQ(Parent(db, body), kinds.at(1)) << "the default is a template of its folder";
        EXPECT_NE(TemplateText(db, master).find("<xsl:template match=\"/\">"), std::string::npos) << master;
        EXPECT_NE(TemplateText(db, body).find("<xsl:template name=\"body\">"), std::string::npos) << body;
    }
    EXPECT_GT(pageTypes, 0);
    EXPECT_EQ(folders.at(501).at(0), folders.at(0).at(0)) << "the current master is the pages' master";

    // The common templates, the language resources and the type's default body template.
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM Items WHERE ItemType = 512"), "1");
    EXPECT_NE(TemplateText(db, Int(db.Value("SELECT ItemId FROM Items WHERE ItemType = 512"))).find("xsl:stylesheet"),
              std::string::npos);
    for (const char* lang : {"EN", "DE", "FR", "ES"})
        EXPECT_NE(ResourceItem(db, lang), "") << lang;
    EXPECT_EQ(StringMember(db, 806, 806, 6, "CText", "TextValue"), TemplateText(db, DefaultTemplate(db, folders.at(0).at(1))))
        << "the type's default body template is the body template of pages without one";
}

// The styles are children of item 510: each names its master, its colour
// and font sheets and its background, offers them, and lists what loading it
// copies and makes default.
TEST_P(ShippedDefinition, StylesNameTheirTemplatesSheetsAndBackground)
{
    const TDefinitionDb db = Db();
    const std::vector<std::string> styles =
        db.Column("SELECT ItemId FROM Items WHERE ParentItemId = " + Str(kStylesRoot) + " AND ItemId = LinkedItemId");
    ASSERT_EQ(styles.size(), 3u);
    const std::map<int, std::map<int, int>> folders = TemplateFolders(db);
    const int masterFolder = folders.at(501).at(0);
    for (const std::string& style : styles) {
        const int id = Int(style);
        SCOPED_TRACE("style " + StringMember(db, id, 1, 1));
        EXPECT_EQ(ItemType(db, id), "510");
        EXPECT_FALSE(StringMember(db, id, 16, 1, "CText", "TextValue").empty()) << "description";
        const int master = Int(NumberMember(db, id, 510, 3));
        const std::vector<int> members = {master, Int(NumberMember(db, id, 510, 4)), Int(NumberMember(db, id, 510, 5)),
                                          Int(NumberMember(db, id, 510, 6))};
        EXPECT_EQ(ItemType(db, master), "501");
        EXPECT_EQ(Parent(db, master), masterFolder);
        EXPECT_EQ(ItemType(db, members[1]), "504");
        EXPECT_EQ(ItemType(db, members[2]), "505");
        EXPECT_EQ(ItemType(db, members[3]), "301");
        // The master's own choice is the style's: loading it writes the same.
        for (int member = 1; member <= 3; ++member)
            EXPECT_EQ(Int(NumberMember(db, master, 501, member)), members[static_cast<std::size_t>(member)]) << member;
        // The master template editor lists the sheets of the folders of kinds 2 and 3.
        EXPECT_EQ(Parent(db, members[1]), folders.at(501).at(2));
        EXPECT_EQ(Parent(db, members[2]), folders.at(501).at(3));
        for (int sheet : {members[1], members[2]})
            EXPECT_NE(StringMember(db, sheet, 504, 1, "CText", "TextValue").find("--"), std::string::npos)
                << "custom properties of sheet " << sheet;
        for (int member = 7; member <= 9; ++member)
            EXPECT_TRUE(Contains(IdList(db, id, 510, member), members[static_cast<std::size_t>(member - 6)]))
                << "the default is offered, member " << member;

        const std::vector<int> include = IdList(db, id, 510, 1);
        for (int item : members)
            EXPECT_TRUE(Contains(include, item)) << item;
        EXPECT_TRUE(Contains(include, Int(db.Value("SELECT ItemId FROM Items WHERE ItemType = 512"))));
        EXPECT_TRUE(Contains(include, Int(ResourceItem(db, "EN"))));
        for (int item : include)
            EXPECT_TRUE(InTemplatesTree(db, item)) << item;
        const std::vector<int> defaults = IdList(db, id, 510, 2);
        EXPECT_TRUE(Contains(defaults, master));
        for (int item : defaults) {
            EXPECT_TRUE(Contains(include, item)) << "a default that the style does not load: " << item;
            EXPECT_EQ(db.Value("SELECT COUNT(*) FROM CObjectInstances WHERE ClassId = 513 AND ItemId = " +
                               Str(Parent(db, item))), "1")
                << "making " << item << " default needs its folder's class-513 object";
        }
        // Every page type's body template folder gets a default from the style.
        for (const auto& [itemType, kinds] : folders)
            if (kinds.count(1) && itemType != 502) {
                EXPECT_TRUE(std::any_of(defaults.begin(), defaults.end(),
                                        [&](int item) { return Parent(db, item) == kinds.at(1); }))
                    << "item type " << itemType;
            }
    }
}

// Background pictures are image items of the templates' id range, marked as
// backgrounds, with the PNG bytes and their size.
TEST_P(ShippedDefinition, BackgroundsArePngPicturesMarkedAsBackgrounds)
{
    const TDefinitionDb db = Db();
    const std::vector<std::string> backgrounds = db.Column(
        "SELECT ItemId FROM CNumbers WHERE ClassId = 5 AND MemberId = 7 AND NumberValue = 1 ORDER BY ItemId");
    ASSERT_EQ(backgrounds.size(), 3u);
    for (const std::string& item : backgrounds) {
        SCOPED_TRACE("background " + item);
        EXPECT_TRUE(IsTemplateImageId(Int(item)));
        EXPECT_EQ(ItemType(db, Int(item)), "301");
        EXPECT_TRUE(InTemplatesTree(db, Int(item)));
        const auto rows = db.Rows("SELECT DataBlob, DataMimeType, DataBytes FROM CBinary WHERE ClassId = 5 AND "
                                  "MemberId = 6 AND ItemId = " + item);
        ASSERT_EQ(rows.size(), 1u);
        const std::string& png = rows[0][0];
        EXPECT_EQ(rows[0][1], "image/png");
        EXPECT_EQ(rows[0][2], Str(static_cast<int>(png.size())));
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
        auto bigEndian = [&](std::size_t at) {
            return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
                   (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
        };
        EXPECT_EQ(NumberMember(db, Int(item), 5, 1), Str(bigEndian(16))) << "width";
        EXPECT_EQ(NumberMember(db, Int(item), 5, 2), Str(bigEndian(20))) << "height";
    }
}

// Creating a catalog copies the initialisation lists: those items hold a
// whole tree, and every first page finds its templates, its style and the
// texts among them, and is transformed into a page.
TEST_P(ShippedDefinition, ANewCatalogCopiesAWorkingSite)
{
    const TDefinitionDb db = Db();
    std::vector<int> copied = IdList(db, 521, 521, 1);
    const std::vector<int> pages = IdList(db, 521, 521, 2);
    copied.insert(copied.end(), pages.begin(), pages.end());
    for (int item : copied)
        EXPECT_TRUE(Parent(db, item) == 0 || Contains(copied, Parent(db, item))) << "item " << item << " lacks its parent";
    EXPECT_TRUE(Contains(copied, Int(db.Value("SELECT ItemId FROM Items WHERE ItemType = 512"))));
    EXPECT_TRUE(Contains(copied, Int(ResourceItem(db, "EN"))));
    EXPECT_EQ(Type() == 0 || Type() == 4, pages.empty());

    const std::map<int, std::map<int, int>> folders = TemplateFolders(db);
    for (int page : pages) {
        const std::string type = ItemType(db, page);
        SCOPED_TRACE("page " + Str(page) + " of type " + type);
        ASSERT_TRUE(folders.count(Int(type)));
        // A page's own templates, else the defaults of its type's folders.
        TPageTemplates templates{Int(NumberMember(db, page, 2, 1)), Int(NumberMember(db, page, 2, 2))};
        if (templates.master == 0)
            templates.master = DefaultTemplate(db, folders.at(Int(type)).at(0));
        if (templates.body == 0)
            templates.body = DefaultTemplate(db, folders.at(Int(type)).at(1));
        for (int item : {templates.master, templates.body, Int(NumberMember(db, templates.master, 501, 1)),
                         Int(NumberMember(db, templates.master, 501, 2)), Int(NumberMember(db, templates.master, 501, 3))})
            EXPECT_TRUE(Contains(copied, item)) << "a new catalog lacks item " << item;

        TPageWork work(db, templates);
        const std::string name = StringMember(db, page, 1, 1);
        const std::string html = work.Transform(NewCatalogPage(page, type, name));
        EXPECT_EQ(work.Messages(), "");
        EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u) << html.substr(0, 200);
        const std::string css = "../css/" + NumberMember(db, templates.master, 501, 1) + ".css";
        for (const std::string& text : {std::string("<h1"), std::string("Acme Ltd"), std::string("<p>Top words</p>"), css})
            EXPECT_NE(html.find(text), std::string::npos) << text;
    }
}

// Every master template of a type compiles with every body template, the
// common templates and the default custom templates, as the transformer
// includes them.
TEST_P(ShippedDefinition, EveryMasterCompilesWithEveryBodyTemplate)
{
    const TDefinitionDb db = Db();
    const std::vector<std::string> masters = db.Column("SELECT ItemId FROM Items WHERE ItemType = 501 ORDER BY ItemId");
    const std::vector<std::string> bodies = db.Column("SELECT ItemId FROM Items WHERE ItemType = 502 ORDER BY ItemId");
    ASSERT_EQ(masters.size(), 3u);
    ASSERT_FALSE(bodies.empty());
    for (const std::string& master : masters)
        for (const std::string& body : bodies) {
            TPageWork work(db, {Int(master), Int(body)});
            const std::string html = work.Transform(NewCatalogPage(100001, "3001", "Home"));
            EXPECT_EQ(work.Messages(), "") << "master " << master << ", body " << body;
            EXPECT_FALSE(html.empty()) << "master " << master << ", body " << body;
        }
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
    // The definition catalog opens as a catalog, which requires its structure version.
    EXPECT_EQ(db.Rows("SELECT CatalogCode, DataKey, DataValue FROM LocalSettings"),
              (Rows{{"t#7", "TolvexVersion", "3.0.0"}}));
    EXPECT_FALSE(fs::exists(folder.File("out/catalog_7.building.sqlite")));
}

// A text may name a file instead of holding its text: the shipped
// definitions take their templates from data/templates and data/styles.
TEST(CatalogTypeData, TextValuesTakeTheTextOfTheFileTheyName)
{
    TTempFolder folder;
    const std::string xsl = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<x>Gr\xC3\xBC\xC3\x9F &amp; ]]></x>\n";
    folder.Write("templates/a.xsl", xsl);
    const std::string xml = folder.Write("definitions/catalog_7.xml", R"(<CatalogDefinition catalogType="7">
  <Item id="600101" type="501" parent="5"><Object class="503" instance="1">
    <Text member="1" type="53" file="../templates/a.xsl"/>
    <Text member="1" lang="EN">inline</Text>
  </Object></Item>
</CatalogDefinition>)");
    BuildCatalogTypeDatabase(xml, folder.File("catalog_7.sqlite"));
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(TDefinitionDb(folder.File("catalog_7.sqlite"))
                  .Rows("SELECT LangCode, MemberType, TextValue FROM CText ORDER BY LangCode"),
              (Rows{{"EN", "51", "inline"}, {"XXX", "53", xsl}}));
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
        {"missing text file", "<Item id=\"1\" type=\"501\" parent=\"0\"><Object class=\"503\" instance=\"1\">\n"
                              "<Text member=\"1\" file=\"none.xsl\"/></Object></Item>", 3, "cannot read the file"},
        {"empty text file", "<Item id=\"1\" type=\"501\" parent=\"0\"><Object class=\"503\" instance=\"1\">\n"
                            "<Text member=\"1\" file=\"empty.xsl\"/></Object></Item>", 3, "is empty"},
        {"text file that is no UTF-8", "<Item id=\"1\" type=\"501\" parent=\"0\"><Object class=\"503\" "
                                       "instance=\"1\">\n<Text member=\"1\" file=\"latin1.xsl\"/></Object></Item>", 3,
         "no UTF-8 text"},
        {"text with a file and a text", "<Item id=\"1\" type=\"501\" parent=\"0\"><Object class=\"503\" "
                                        "instance=\"1\">\n<Text member=\"1\" file=\"a.xsl\">x</Text></Object></Item>", 3,
         "not from its text"},
        {"file on a number", "<Item id=\"1\" type=\"2\" parent=\"0\"><Object class=\"1\" instance=\"1\">\n"
                             "<Number member=\"2\" file=\"a.xsl\">1</Number></Object></Item>", 3, "unknown attribute file"},
    };
    TTempFolder folder;
    folder.Write("a.xsl", "<a/>");
    folder.Write("empty.xsl", "");
    folder.Write("latin1.xsl", "Gr\xFC\xDF");
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
