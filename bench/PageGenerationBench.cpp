// Page generation on a synthetic catalog of 10,000 web pages in one
// language: a home page, 99 sections below it and 100 pages below each
// section, every page with its names, page settings and top and bottom
// HTML, all of one master, body and common template (the common templates
// about 700 lines, as a real set). Every page is generated as a publishing
// run does it: a transformer per page, one object collection for the run.
// Figures: pages per second of the run, and how often a style sheet was
// compiled; beside them, when xsltproc is installed, the time it takes for
// the last page's out.xml and out.xsl from the work folder, and the time of
// the same uncached work in this process (compile the work files, parse the
// page document, transform).
//
// Arguments: the number of pages (10000 unless given); "--item-type-index"
// makes sure of an index on Items (CatalogCode, ItemType): the common
// templates and the language resource are found by item type, which without
// it reads every item row. The catalog schema has that index now, so the
// option only names the figure differently.
#include "BenchCatalog.h"
#include "support/TempFolder.h"
#include "storage/AbstractCatalog.h"
#include "common/CommonGui.h"
#include "common/QuietGui.h"
#include "common/ParamList.h"
#include "common/Translation.h"
#include "generation/TransformerCatalog.h"
#include "generation/PageXmlSource.h"
#include "generation/Templates.h"
#include "generation/Transformer.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteModule.h"
#include "storage/TolvexObjectContext.h"
#include "support/FixtureClass.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

int kPages = 10000;
constexpr int kHome = 100001;
constexpr int kPageType = 3001;
constexpr int kMaster = 600101;
constexpr int kBody = 600201;
constexpr int kCommon = 600301;
constexpr int kResource = 600401;

using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point since)
{
    return std::chrono::duration<double>(TClock::now() - since).count();
}

// ---- classes -----------------------------------------------------------------------------

struct TMember {
    int id;
    std::string tag;
    int type;
    std::uint8_t flags;
};

constexpr std::uint8_t kLang = 0x02 | 0x04;  // language-dependent, default language for empty values

std::map<int, std::unique_ptr<TFixtureClass>> MakeClasses()
{
    std::map<int, std::unique_ptr<TFixtureClass>> classes;
    const auto add = [&](int id, const char* tag, std::vector<TMember> members) {
        auto definition = std::make_unique<TFixtureClass>(id, tag);
        for (const TMember& member : members)
            definition->Member(member.id, member.tag, member.type, member.flags);
        classes[id] = std::move(definition);
    };
    add(1, "CommonNames", {{1, "ItemName", 1, kLang}, {2, "AltFileName", 1, kLang}});
    add(2, "CommonWebPage", {{1, "MasterTemplate", 102, 0}, {2, "BodyTemplate", 102, 0}, {3, "LinkedJSP", 102, 0},
                             {5, "Title", 1, kLang}, {6, "MetaDescription", 1, kLang}});
    add(4, "CommonDesign", {{1, "TopHTMLValue", 52, kLang}, {2, "BottomHTMLValue", 52, kLang}});
    add(501, "MasterTemplate", {{1, "ColorScheme", 102, 0}, {2, "FontScheme", 102, 0}, {3, "BackgroundImageCode", 102, 0}});
    add(502, "BodyTemplate", {{1, "ItemOnPage", 101, 0}, {3, "NeedCustomTemplate", 104, 0}});
    add(503, "XmlData", {{1, "SourceCode", 53, 0}});
    add(513, "TemplateFolder", {{1, "TemplateItemId", 102, 0}});
    add(604, "CatalogInfo", {{1, "CatalogType", 101, 0}});
    return classes;
}

// ---- templates ---------------------------------------------------------------------------

const char* const MasterXsl = R"XSL(<?xml version="1.0" encoding="utf-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation" exclude-result-prefixes="tolvex">
  <tolvex:xml-generation-rule><TagName>Current</TagName><Action>Object</Action><ItemId>current</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CommonWebPage</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>Home</TagName><Action>Object</Action><ItemId>Home</ItemId><ClassXmlTag>CommonNames</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule isLink="1"><TagName>Menu</TagName><Action>Childs</Action><ItemId>Home</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>
  <xsl:template match="/">
    <xsl:text disable-output-escaping="yes">&lt;!DOCTYPE html&gt;</xsl:text>
    <html lang="{$lang}">
      <head>
        <title><xsl:call-template name="name"><xsl:with-param name="of" select="/Page/Current/CommonNames"/></xsl:call-template></title>
        <meta name="description" content="{/Page/Current/CommonWebPage/MetaDescription[@LanguageCode = $lang]}"/>
        <link rel="stylesheet" href="style{$css}-{$css2}.css"/>
      </head>
      <body>
        <header><xsl:call-template name="top"/>
          <a class="brand" href="{/Page/Home/CommonNames/@TreeItemId}.{$linkext}"><xsl:call-template name="name"><xsl:with-param name="of" select="/Page/Home/CommonNames"/></xsl:call-template></a>
          <nav aria-label="Main"><ul>
            <xsl:for-each select="/Page/Menu/Entry">
              <li><xsl:call-template name="page-link"><xsl:with-param name="names" select="CommonNames"/></xsl:call-template></li>
            </xsl:for-each>
          </ul></nav>
        </header>
        <main id="main"><xsl:call-template name="body"/></main>
        <footer><xsl:call-template name="bottom"/><p>&#169; <xsl:value-of select="$year"/></p></footer>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
)XSL";

const char* const BodyXsl = R"XSL(<?xml version="1.0" encoding="utf-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation" exclude-result-prefixes="tolvex">
  <tolvex:xml-generation-rule><TagName>SubPages</TagName><Action>Childs</Action><ItemId>currenttree</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CommonWebPage</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>
  <xsl:template name="body">
    <h1><xsl:call-template name="name"><xsl:with-param name="of" select="/Page/Current/CommonNames"/></xsl:call-template></h1>
    <p><xsl:value-of select="/Page/Current/CommonWebPage/MetaDescription[@LanguageCode = $lang]"/></p>
    <xsl:variable name="entries" select="/Page/SubPages/Entry"/>
    <xsl:if test="$entries">
      <ul class="cards">
        <xsl:for-each select="$entries[position() &gt; ($pagenum - 1) * $countonpage and position() &lt;= $pagenum * $countonpage]">
          <li class="card"><h2><xsl:call-template name="page-link"><xsl:with-param name="names" select="CommonNames"/></xsl:call-template></h2>
            <p><xsl:value-of select="CommonWebPage/MetaDescription[@LanguageCode = $lang]"/></p></li>
        </xsl:for-each>
      </ul>
      <xsl:call-template name="pager"><xsl:with-param name="count" select="count($entries)"/></xsl:call-template>
    </xsl:if>
  </xsl:template>
</xsl:stylesheet>
)XSL";

// Common templates of the size of a real set: the named templates the
// pages call, and further ones as a catalog's set holds them.
std::string CommonXsl()
{
    std::string xsl = R"XSL(<?xml version="1.0" encoding="utf-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template name="name">
    <xsl:param name="of"/>
    <xsl:choose>
      <xsl:when test="$of/ItemName[@LanguageCode = $lang] != ''"><xsl:value-of select="$of/ItemName[@LanguageCode = $lang]"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="$of/ItemName[@LanguageCode = 'DEF']"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template name="page-link">
    <xsl:param name="names"/>
    <a href="{$names/@TreeItemId}.{$linkext}"><xsl:call-template name="name"><xsl:with-param name="of" select="$names"/></xsl:call-template></a>
  </xsl:template>
  <xsl:template name="pager">
    <xsl:param name="count"/>
    <xsl:if test="$count &gt; $countonpage">
      <nav aria-label="Pages"><xsl:value-of select="$resource/resources/text[@id = 'page']"/><xsl:text> </xsl:text><xsl:value-of select="$pagenum"/></nav>
    </xsl:if>
  </xsl:template>
)XSL";
    for (int i = 0; i < 60; ++i) {
        const std::string n = std::to_string(i);
        xsl += "  <xsl:template name=\"part-" + n + "\">\n    <xsl:param name=\"value\"/>\n"
               "    <xsl:choose>\n      <xsl:when test=\"string-length($value) &gt; " + n + "\">\n"
               "        <span class=\"part-" + n + "\"><xsl:value-of select=\"substring($value, 1, " + n + ")\"/></span>\n"
               "      </xsl:when>\n      <xsl:otherwise><xsl:value-of select=\"$value\"/></xsl:otherwise>\n"
               "    </xsl:choose>\n  </xsl:template>\n";
    }
    return xsl + "</xsl:stylesheet>\n";
}

// ---- the catalog ---------------------------------------------------------------------------

int FirstInteger(TAbstractDBConnection& connection, const std::string& sql)
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", "bench");
    TAbstractRecordset& rows = query->Open(true);
    const int value = rows.Eof() || rows.Field(0).Kind() != TVariantKind::Integer
                          ? 0 : static_cast<int>(rows.Field(0).AsInteger());
    query->Close();
    return value;
}

class TBenchGenerationCatalog;

// The page XML builder of the benchmark: Object and Childs, as the real
// builder runs them for these rules.
class TBenchPageXmlSource : public TPageXmlSource {
public:
    explicit TBenchPageXmlSource(xmlDoc* doc) : doc_(doc) {}
    void ProcessRule(int itemId, int treeItemId, int, const std::string& ruleText, TAbstractDBConnection& connection,
                     TAbstractObjectCollection& collection, const std::string&, bool) override;

private:
    xmlNode* Element(xmlNode* parent, const std::string& name)
    {
        return xmlAddChild(parent, xmlNewDocNode(doc_, nullptr, reinterpret_cast<const xmlChar*>(name.c_str()), nullptr));
    }
    xmlDoc* doc_;
};

class TBenchGenerationCatalog : public TTransformerCatalog {
public:
    TBenchGenerationCatalog(TAbstractDBConnectionFactory& factory, TTolvexObjectContext& context, std::string dir)
        : factory_(factory), objects_(context), dir_(std::move(dir))
    {
        std::filesystem::create_directories(dir_ + "/preview");
        templates_ = std::make_unique<TTemplates>(*this);
    }
    std::string GetCatalogCode() const override { return "bench"; }
    std::string GetDefaultLangCode() const override { return "EN"; }
    TAbstractDBConnection& GetMainConnection() override { return factory_.GetConnection(); }
    TAbstractObjectFactory& GetObjectFactory() override { return objects_; }
    TTemplates& GetTemplates() override { return *templates_; }
    std::string GetPreviewDir() const override { return dir_ + "/preview"; }
    std::string GetReportDir() const override { return dir_; }
    const TTranslation& GetTranslation() const override { return translation_; }
    TCommonGui& GetGui() override { return gui_; }
    TDesktopLook GetDesktopLook() const override { return {}; }
    int GetLinkedItemId(int itemId, const std::string&, TAbstractDBConnection& connection) override
    {
        return FirstInteger(connection, "SELECT LinkedItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                            std::to_string(itemId));
    }
    std::string GetAltFileName(int, TAbstractDBConnection&, const std::string&) override { return ""; }
    int GetItemType(int itemId, const std::string&, TAbstractDBConnection& connection) override
    {
        return FirstInteger(connection, "SELECT ItemType FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                            std::to_string(itemId));
    }
    int GetItemTypeTemplateId(int itemType, int kind) override
    {
        return itemType == kPageType ? (kind == 0 ? 600010 : 600020) : 0;
    }
    void SetCurrentTemplateIds(int, int) override {}
    int ResolveItemId(const std::string& text, int currentId, int currentTreeId) override
    {
        if (text == "current")
            return currentId;
        if (text == "currenttree")
            return currentTreeId;
        return text == "Home" ? kHome : std::atoi(text.c_str());
    }
    std::string GetCatalogTypeBodyTemplate() override { return BodyXsl; }
    std::string GetStyleCatalogCode() override { return "t#1"; }
    TAbstractDBConnection* GetStyleConnection() override { return nullptr; }
    void ImportStyleItem(int, const std::string&, TAbstractDBConnection&, TAbstractDBConnection&) override {}
    std::string GetWebCharset(const std::string&) override { return "utf-8"; }
    std::string GetImageFileName(int, TAbstractDBConnection&, const std::string&) override { return ""; }
    std::unique_ptr<TPageXmlSource> CreatePageXmlSource(xmlDoc* document, TLog*) override
    {
        return std::make_unique<TBenchPageXmlSource>(document);
    }

private:
    TAbstractDBConnectionFactory& factory_;
    TTolvexObjectFactory objects_;
    std::string dir_;
    TTranslation translation_;
    TQuietGui gui_;
    std::unique_ptr<TTemplates> templates_;
};

void TBenchPageXmlSource::ProcessRule(int itemId, int treeItemId, int, const std::string& ruleText,
                                      TAbstractDBConnection& connection, TAbstractObjectCollection& collection,
                                      const std::string&, bool)
{
    const TParamList fields(ruleText);
    std::vector<std::string> classTags;
    for (const std::string& field : fields.Fields())
        if (TParamList::NameOf(field) == "ClassXmlTag")
            classTags.push_back(TParamList::ValueOf(field));
    const std::string item = fields.Value("ItemId");
    const int id = item == "current" ? itemId : item == "currenttree" ? treeItemId : item == "Home" ? kHome : 0;
    xmlNode* target = Element(xmlDocGetRootElement(doc_), fields.Value("TagName"));
    const auto write = [&](xmlNode* parent, int objectItem) {
        for (const std::string& tag : classTags)
            if (TAbstractCObject* object = collection.GetObject(objectItem, tag))
                object->WriteXml(doc_, parent, "", "", 0);
    };
    if (fields.Value("Action") == "Object") {
        write(target, id);
        return;
    }
    std::vector<int> children;
    {
        TQueryGuard query(connection);
        query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = 'bench' AND ParentItemId = " + std::to_string(id) +
                      " ORDER BY OrderNum");
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            children.push_back(static_cast<int>(rows.Field(0).AsInteger()));
        query->Close();
    }
    for (int child : children)
        write(Element(target, fields.Value("ItemTagName")), child);
}

// ---- filling the catalog ------------------------------------------------------------------

class TFiller {
public:
    explicit TFiller(TAbstractDBConnection& connection) : connection_(connection) {}

    void Item(int id, int type, int parent)
    {
        Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, "
             "DontDelete, DontSort, IsSynchronized) VALUES ('bench', :Id, :Type, :Parent, :Id, 0, :Id, 0, 0, 1)",
             {{"Id", id}, {"Type", type}, {"Parent", parent}});
    }
    void Value(const char* table, const char* column, int item, int classId, int member, const char* lang,
               const TVariant& value)
    {
        Exec("INSERT OR IGNORE INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
             "VALUES ('bench', :Item, :Class, 0, :Class)", {{"Item", item}, {"Class", classId}});
        Exec(std::string("INSERT INTO ") + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
             "IndexId, MemberType, " + column + ") VALUES ('bench', :Item, :Class, :Class, :Member, :Lang, 0, 1, :Value)",
             {{"Item", item}, {"Class", classId}, {"Member", member}, {"Lang", lang}, {"Value", value}});
    }

private:
    void Exec(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params)
    {
        TQueryGuard query(connection_);
        query->SetSQL(sql);
        for (const auto& [name, value] : params)
            query->SetParam(name, value);
        query->ExecSQL();
    }
    TAbstractDBConnection& connection_;
};

void FillCatalog(TAbstractDBConnection& connection)
{
    TFiller fill(connection);
    fill.Item(600010, 2, 5);
    fill.Item(600020, 2, 5);
    const std::pair<int, std::string> templates[] = {
        {kMaster, MasterXsl}, {kBody, BodyXsl}, {kCommon, CommonXsl()},
        {kResource, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<resources lang=\"EN\"><text id=\"page\">Page</text></resources>\n"}};
    const int types[] = {501, 502, 512, 503};
    const int parents[] = {600010, 600020, 5, 5};
    for (int i = 0; i < 4; ++i) {
        fill.Item(templates[i].first, types[i], parents[i]);
        fill.Value("CText", "TextValue", templates[i].first, 503, 1, "XXX", templates[i].second);
    }
    fill.Value("CNumbers", "NumberValue", kBody, 502, 1, "XXX", 12.0);

    // Home, 99 sections, 100 pages below each (fewer when fewer pages are asked for).
    std::vector<std::pair<int, int>> pages = {{kHome, 1}};
    for (int section = 0; section < 99 && static_cast<int>(pages.size()) < kPages; ++section)
        pages.emplace_back(kHome + 1 + section, kHome);
    for (int i = 0; static_cast<int>(pages.size()) < kPages; ++i)
        pages.emplace_back(kHome + 100 + i, kHome + 1 + i % 99);
    for (const auto& [id, parent] : pages) {
        fill.Item(id, kPageType, parent);
        const std::string n = std::to_string(id);
        fill.Value("CStrings", "StringValue", id, 1, 1, "EN", "Page " + n + " & friends");
        fill.Value("CStrings", "StringValue", id, 2, 6, "EN", "About page " + n + ": what it offers, who it serves.");
        fill.Value("CText", "TextValue", id, 4, 1, "EN", "<div class=\"notice\">News of page " + n + "</div>");
        fill.Value("CText", "TextValue", id, 4, 2, "EN", "<address>Harbour Street " + n + "</address>");
    }
}

// ---- measuring ---------------------------------------------------------------------------

std::string FindXsltproc()
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/xsltproc";
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

void TimeXsltproc(const std::string& previewDir)
{
    const std::string xsltproc = FindXsltproc();
    if (xsltproc.empty()) {
        std::printf("%-56s not installed\n", "xsltproc (out.xsl, out.xml of the last page):");
        return;
    }
    const int runs = 20;
    const std::string command = "cd '" + previewDir + "' && '" + xsltproc + "' out.xsl out.xml > /dev/null";
    const auto start = TClock::now();
    for (int i = 0; i < runs; ++i)
        if (std::system(command.c_str()) != 0) {
            std::printf("xsltproc failed\n");
            return;
        }
    const double seconds = Seconds(start);
    std::printf("%-56s %6d runs   %8.1f ms  %9.1f pages/s\n", "xsltproc (out.xsl, out.xml of the last page):", runs,
                seconds * 1000.0, runs / seconds);
}

// The same work uncached in this process: compile out.xsl with its
// includes, parse out.xml, transform, serialise.
void TimeUncached(const std::string& previewDir)
{
    const int runs = 100;
    const std::string xsl = previewDir + "/out.xsl";
    const std::string xml = previewDir + "/out.xml";
    std::size_t bytes = 0;
    const auto start = TClock::now();
    for (int i = 0; i < runs; ++i) {
        xsltStylesheetPtr style = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(xsl.c_str()));
        xmlDocPtr doc = xmlReadFile(xml.c_str(), nullptr, 0);
        xmlDocPtr result = style && doc ? xsltApplyStylesheet(style, doc, nullptr) : nullptr;
        xmlChar* text = nullptr;
        int length = 0;
        if (result)
            xsltSaveResultToString(&text, &length, result, style);
        bytes += static_cast<std::size_t>(length);
        xmlFree(text);
        xmlFreeDoc(result);
        xmlFreeDoc(doc);
        if (style)
            xsltFreeStylesheet(style);
    }
    const double seconds = Seconds(start);
    std::printf("%-56s %6d pages  %8.1f ms  %9.1f pages/s  (%zu bytes)\n",
                "uncached in process (compile, parse, transform):", runs, seconds * 1000.0, runs / seconds, bytes);
}

}  // namespace

int main(int argc, char** argv)
{
    bool itemTypeIndex = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--item-type-index")
            itemTypeIndex = true;
        else
            kPages = std::max(1, std::atoi(argv[i]));
    }
    const TTempFolder folder;
    const std::string dir = folder.Path();
    int failures = 0;
    {
        auto factory = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
        if (!factory->CreateDatabase(dir, "", "bench", "", "", 0) || !factory->OpenDatabase(dir, "bench", "", ""))
            return 1;
        CreateCatalogTables(factory->GetConnection());
        if (itemTypeIndex) {
            TQueryGuard index(factory->GetConnection());
            index->SetSQL("CREATE INDEX IF NOT EXISTS ItemType_Items ON Items (CatalogCode, ItemType)");
            index->ExecSQL();
        }
        auto classes = MakeClasses();
        TBenchCatalog open(*factory, {"EN"});
        TTolvexObjectContext context(
            [&](int classId) -> TAbstractCClassDefinition* {
                const auto found = classes.find(classId);
                return found == classes.end() ? nullptr : found->second.get();
            },
            [&](const std::string& tag) {
                for (const auto& [id, definition] : classes)
                    if (definition->GetClassXmlTag() == tag)
                        return id;
                return 0;
            });
        context.SetOpenCatalog(&open);
        {
            auto setup = factory->OpenSecondConnection();
            FillCatalog(*setup);
            setup->CommitTrans();
        }

        TBenchGenerationCatalog catalog(*factory, context, dir);
        TObjectCollection collection(context);
        collection.Open("bench", factory->GetConnection());
        std::vector<int> ids;
        {
            TQueryGuard query(factory->GetConnection());
            query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = 'bench' AND ItemType = 3001 ORDER BY ItemId");
            for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
                ids.push_back(static_cast<int>(rows.Field(0).AsInteger()));
            query->Close();
        }
        std::size_t bytes = 0;
        const auto start = TClock::now();
        // As a publishing run: the templates are read once for the run.
        TTemplates::TRun run(catalog.GetTemplates());
        for (const int id : ids) {
            TTransformer transformer(catalog, "bench", nullptr);
            if (!transformer.GeneratePage(id, id, kPageType, "EN", collection, factory->GetConnection(), "")) {
                if (++failures == 1)
                    std::printf("page %d failed: %s\n", id, transformer.GetErrorText().c_str());
                continue;
            }
            bytes += transformer.GetResultHtml().size();
        }
        const double seconds = Seconds(start);
        std::printf("%-56s %6zu pages  %8.1f ms  %9.1f pages/s  (%d failed, %zu bytes)\n",
                    itemTypeIndex ? "generate every page (one language, item type index):"
                                  : "generate every page (one language):", ids.size(), seconds * 1000.0, ids.size() / seconds,
                    failures, bytes);
        std::printf("%-56s %6d\n", "style sheets compiled:", catalog.GetTemplates().StyleSheets().CompileCount());
        TimeUncached(catalog.GetPreviewDir());
        TimeXsltproc(catalog.GetPreviewDir());
    }
    return failures == 0 ? 0 : 1;
}
