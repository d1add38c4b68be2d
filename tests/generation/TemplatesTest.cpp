// The shipped page templates and styles: every page kind rendered with every
// style from a hand-written page document, through libxslt as the
// transformer does it (a generated style sheet including master, body and
// common templates, the page's parameters, the language resource and the
// page's own top and bottom HTML), and the result checked as an accessible
// HTML5 page with the expected content. Besides: the generation rules in
// the templates name only known actions, keys, classes, item types and
// item ids; the language resources are complete; the colour sheets keep
// their contrasts; the fixtures use the real member names.
#include "ShippedTemplates.h"

#include "common/XmlPtr.h"
#include "generation/TolvexNamespace.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <libxslt/transform.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const XsltNamespace = "http://www.w3.org/1999/XSL/Transform";
const char* const TextsNamespace = "urn:tolvex:texts";  // built-in texts of the common templates
const std::string Nbsp = "\xC2\xA0";

// ---- XML documents ---------------------------------------------------------

using TDoc = TXmlDocPtr;

std::string Text(const xmlChar* text)
{
    return text ? reinterpret_cast<const char*>(text) : "";
}

std::string NodeName(xmlNodePtr node)
{
    return Text(node->name);
}

std::string Attribute(xmlNodePtr node, const char* name)
{
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string result = Text(value);
    xmlFree(value);
    return result;
}

std::string Content(xmlNodePtr node)
{
    xmlChar* value = xmlNodeGetContent(node);
    std::string result = Text(value);
    xmlFree(value);
    return result;
}

// XPath over one document, with the prefixes the tests use.
class TQuery {
public:
    explicit TQuery(xmlDocPtr doc) : context_(xmlXPathNewContext(doc))
    {
        Register("xsl", XsltNamespace);
        Register("txt", TextsNamespace);
        Register(TolvexNamespacePrefix, TolvexNamespaceUri);
    }

    std::vector<xmlNodePtr> Nodes(const std::string& path, xmlNodePtr from = nullptr)
    {
        std::vector<xmlNodePtr> nodes;
        context_->node = from ? from : xmlDocGetRootElement(context_->doc);
        const TXPathObjectPtr result(
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path.c_str()), context_.get()));
        EXPECT_NE(result, nullptr) << "XPath " << path;
        if (result && result->nodesetval)
            for (int i = 0; i < result->nodesetval->nodeNr; ++i)
                nodes.push_back(result->nodesetval->nodeTab[i]);
        return nodes;
    }
    std::size_t Count(const std::string& path) { return Nodes(path).size(); }
    std::string String(const std::string& path)
    {
        const std::vector<xmlNodePtr> nodes = Nodes(path);
        return nodes.empty() ? "" : Content(nodes.front());
    }

private:
    void Register(const char* prefix, const char* uri)
    {
        xmlXPathRegisterNs(context_.get(), reinterpret_cast<const xmlChar*>(prefix),
                           reinterpret_cast<const xmlChar*>(uri));
    }
    TXPathContextPtr context_;
};

TDoc ReadXml(const std::string& path)
{
    TDoc doc(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET));
    EXPECT_TRUE(doc) << "not well-formed: " << path;
    return doc;
}

// Messages of libxml2 and libxslt while an object of this class lives.
class TMessageCapture {
public:
    TMessageCapture()
    {
        Messages().clear();
        xmlSetGenericErrorFunc(nullptr, Collect);
        xsltSetGenericErrorFunc(nullptr, Collect);
    }
    ~TMessageCapture()
    {
        xmlSetGenericErrorFunc(nullptr, nullptr);
        xsltSetGenericErrorFunc(nullptr, nullptr);
    }
    static std::string Text()
    {
        std::string all;
        for (const std::string& m : Messages())
            all += m;
        return all;
    }

private:
    static std::vector<std::string>& Messages()
    {
        static std::vector<std::string> messages;
        return messages;
    }
    static void Collect(void*, const char* format, ...)
    {
        char buffer[1024];
        va_list args;
        va_start(args, format);
        std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        Messages().emplace_back(buffer);
    }
};

// ---- rendering a page --------------------------------------------------------

struct TPageRequest {
    std::string Style = "harbor";  // folder below data/styles
    std::string Body;              // below data/templates
    std::string Fixture;           // below tests/generation/fixtures/pages
    std::string Lang = "EN";
    int PageNumber = 0;
    int CountOnPage = 9;
    std::string Top = "<p>Our own <strong>words</strong> above.</p>";
    std::string Bottom = "<p>And our own words below.</p>";
    std::string Css = "504001";
    std::string Css2 = "505001";
    std::string BgImage = "610001.png";
};

std::string EscapeXml(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// The generated style sheet of a page as the transformer writes it: output,
// includes, parameters, the resource variable, the page's top and bottom.
std::string OutXsl(const TPageRequest& r, bool hasResource)
{
    std::string x = "<?xml version =\"1.0\" encoding=\"utf-8\"?>\n"
                    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"" + std::string(XsltNamespace) + "\">"
                    "<xsl:output method=\"html\" encoding=\"utf-8\" indent=\"no\"/>"
                    "<xsl:include href=\"master.xsl\"/><xsl:include href=\"body.xsl\"/>"
                    "<xsl:include href=\"common.xsl\"/>";
    const std::vector<std::pair<std::string, std::string>> params = {
        {"lang", r.Lang}, {"out", "html"}, {"linkext", "html"}, {"dynamicext", "jsp"},
        {"staticext", "html"}, {"css", r.Css}, {"css2", r.Css2}, {"bgimage", r.BgImage},
        {"pagenum", std::to_string(r.PageNumber == 0 ? 1 : r.PageNumber)},
        {"countonpage", std::to_string(r.CountOnPage)}, {"host", "0"}, {"publish", "preview"},
        {"dynamic", "0"}, {"charset", ""}, {"year", "2026"}, {"day", "10"}, {"month", "12"},
        {"monthname", "December"}};
    for (const auto& [name, value] : params)
        x += "<xsl:param name=\"" + name + "\">" + EscapeXml(value) + "</xsl:param>";
    x += hasResource ? "<xsl:variable name=\"resource\" select=\"document( '" + r.Lang + ".xml' )\"/>"
                     : "<xsl:variable name=\"resource\" select=\"empty\"/>";
    for (const auto& [name, html] : {std::pair{"top", r.Top}, std::pair{"bottom", r.Bottom}})
        x += std::string("<xsl:template name=\"") + name +
             "\"><xsl:text disable-output-escaping=\"yes\">" + EscapeXml(html) +
             "</xsl:text></xsl:template>";
    return x + "</xsl:stylesheet>\n";
}

// The page fixture with the site-wide part (what the master's rules write)
// appended to its root.
std::string PageDocument(const std::string& fixture)
{
    std::string page = TTempFolder::Read(FixturePath("pages/" + fixture));
    const std::string site = TTempFolder::Read(FixturePath("site.xml"));
    const std::size_t from = site.find("<Site>") + 6;
    const std::string siteContent = site.substr(from, site.find("</Site>") - from);
    const std::size_t end = page.rfind("</Page>");
    EXPECT_NE(end, std::string::npos) << fixture;
    return page.insert(end, siteContent);
}

// Writes the work files of a page into Work and transforms them; libxml2 or
// libxslt messages fail the test.
std::string RenderPage(const TTempFolder& work, const TPageRequest& r)
{
    const std::string resource = "templates/shared/resources/" + r.Lang + ".xml";
    const bool hasResource = fs::exists(DataPath(resource));
    work.Write("master.xsl", ReadDataFile("styles/" + r.Style + "/master.xsl"));
    work.Write("body.xsl", ReadDataFile("templates/" + r.Body));
    work.Write("common.xsl", ReadDataFile("templates/shared/common.xsl"));
    if (hasResource)
        work.Write(r.Lang + ".xml", ReadDataFile(resource));
    const std::string xslPath = work.Write("out.xsl", OutXsl(r, hasResource));
    const std::string xmlPath = work.Write("out.xml", PageDocument(r.Fixture));

    TMessageCapture messages;
    std::string html;
    xsltStylesheetPtr style = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(xslPath.c_str()));
    TDoc page(xmlReadFile(xmlPath.c_str(), nullptr, XML_PARSE_NONET));
    if (style && page) {
        TDoc result(xsltApplyStylesheet(style, page.get(), nullptr));
        xmlChar* text = nullptr;
        int length = 0;
        if (result && xsltSaveResultToString(&text, &length, result.get(), style) == 0 && text)
            html.assign(reinterpret_cast<const char*>(text), length);
        xmlFree(text);
    }
    if (style)
        xsltFreeStylesheet(style);
    EXPECT_EQ(TMessageCapture::Text(), "") << r.Style << " " << r.Body;
    EXPECT_FALSE(html.empty()) << r.Style << " " << r.Body;
    return html;
}

TDoc ParseHtml(const std::string& html)
{
    return TDoc(htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "utf-8",
                               HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
}

// The rules every page of every style keeps: an HTML5 document with one
// language, title and viewport; landmarks; a skip link first; one h1 and no
// skipped heading levels; alternative texts; named links and navigation;
// unique ids; nothing of the generation rules or the editor's markup.
void ExpectAccessibleHtml5Page(const std::string& html)
{
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    for (const char* leak : {"tolvex", "<bdo", "xmlns:", "txt:"})
        EXPECT_EQ(html.find(leak), std::string::npos) << leak;

    TDoc doc = ParseHtml(html);
    ASSERT_TRUE(doc);
    TQuery q(doc.get());
    EXPECT_EQ(q.Count("/html[string-length(@lang) = 2]"), 1u);
    EXPECT_NE(q.String("/html/head/title"), "");
    EXPECT_EQ(q.Count("//meta[@name = 'viewport']"), 1u);
    EXPECT_EQ(q.Count("//meta[@charset or @http-equiv]"), 1u) << "one declaration of the charset";
    EXPECT_EQ(q.Count("//header"), 1u);
    EXPECT_EQ(q.Count("//main[@id = 'main']"), 1u);
    EXPECT_EQ(q.Count("//main"), 1u);
    EXPECT_EQ(q.Count("//footer"), 1u);
    EXPECT_GE(q.Count("//nav"), 1u);
    EXPECT_EQ(q.Count("//nav[not(@aria-label)]"), 0u);
    EXPECT_EQ(q.String("(//body//a)[1]/@href"), "#main") << "the skip link comes first";
    EXPECT_EQ(q.Count("//h1"), 1u);
    EXPECT_EQ(q.Count("//img[not(@alt)]"), 0u);
    EXPECT_EQ(q.Count("//a[not(@href)]"), 0u);
    EXPECT_EQ(q.Count("//a[not(normalize-space()) and not(.//img[normalize-space(@alt)])]"), 0u)
        << "every link has a name";
    EXPECT_EQ(q.Count("//*[@aria-labelledby][not(@aria-labelledby = //@id)]"), 0u);

    int previous = 0;
    for (xmlNodePtr h : q.Nodes("//h1 | //h2 | //h3 | //h4 | //h5 | //h6")) {
        const int level = NodeName(h)[1] - '0';
        EXPECT_LE(level, previous + 1) << "heading " << NodeName(h) << " " << Content(h);
        previous = level;
    }
    std::set<std::string> ids;
    for (xmlNodePtr node : q.Nodes("//*[@id]"))
        EXPECT_TRUE(ids.insert(Attribute(node, "id")).second) << "duplicate id " << Attribute(node, "id");
}

void ExpectContains(const std::string& html, const std::vector<std::string>& present,
                    const std::vector<std::string>& absent)
{
    for (const std::string& text : present)
        EXPECT_NE(html.find(text), std::string::npos) << "missing: " << text;
    for (const std::string& text : absent)
        EXPECT_EQ(html.find(text), std::string::npos) << "unexpected: " << text;
}

// ---- every page kind with every style ------------------------------------------

struct TPageCase {
    const char* Name;
    const char* Body;
    const char* Fixture;
    std::vector<std::string> Present;
    std::vector<std::string> Absent;
};

std::vector<TPageCase> PageCases()
{
    return {
        {"ProductLine", "1/productline.xsl", "productline.xml",
         // public prices only; the lowest of several; a request for quote;
         // the page hidden from the navigation is left out
         {"Ethiopia Yirgacheffe", "189.00" + Nbsp + "NOK", "1,649.50" + Nbsp + "NOK",
          "Price on request", "href=\"100010.html\"", "href=\"100101.html\"",
          "Our own <strong>words</strong> above.", "And our own words below.",
          "href=\"https://shop.fjordline.example/\""},
         {"150.00", "100006.html"}},
        {"Product", "1/product.xsl", "product.xml",
         {"ETH-YIR-250", "Bag size", "1 kg", "649.00" + Nbsp + "NOK", "Altitude", "1,900-2,200 m",
          "18 cm", "250 g", "Recyclable paper bag", "href=\"../images/600203.jpeg\"",
          "alt=\"Ethiopia Yirgacheffe (2)\"", "since 2019", "href=\"100010.html\""},
         {"150.00", "Reorder at 10 bags"}},
        {"Info", "shared/info.xsl", "info.xml",
         {"Our roasting", "Slow drum roasting", "href=\"100020.html\""}, {"Staff notes"}},
        {"Contact", "shared/contact.xsl", "contact.xml",
         {"Ingrid Dahl", "href=\"tel:+4755123456\"", "href=\"mailto:hello@fjordline.example\""}, {}},
        {"StoryList", "shared/storylist.xsl", "storylist.xml",
         {"<strong>2026 harvest</strong>", "Cupping on Saturdays", "Closed for the holidays"}, {}},
        {"ProductList", "1/productlist.xsl", "productlist.xml",
         {"href=\"100101.html\"", "Sample pack"}, {"200009.html"}},
        {"VendorList", "2/vendorlist.xsl", "vendorlist.xml",
         {"Fjordline Coffee Roasters", "Nordic Wool Studio", "href=\"100202.html\"", "Bergen"}, {}},
        {"Vendor", "2/vendor.xsl", "vendor.xml",
         {"href=\"https://fjordline.example/\"", "Small-batch coffee, roasted"}, {}},
        {"Hotel", "8/hotel.xsl", "hotel.xml",
         {"Seaview Guesthouse", "Guesthouse", "<em>eight rooms</em>", "Internet access", "Visa",
          "Norwegian", "15:00", "bus 2", "href=\"100002.html\""},
         {}},
        {"Rooms", "8/rooms.xsl", "rooms.xml",
         {"Harbour double", "950.00" + Nbsp + "NOK", "Attic single", "Double room"}, {"1,450.00"}},
        {"Room", "8/room.xsl", "room.xml",
         {"Twin", "1,400.00" + Nbsp + "NOK", "2026-06-01", "Easter week", "250.00" + Nbsp + "NOK",
          "Cots on request", "Balcony"},
         {"Triple"}},
        {"Category", "12/category.xsl", "category.xml", {"Ethiopia Yirgacheffe", "href=\"100101.html\""},
         {"Gooseneck kettle"}},
    };
}

void PrintTo(const TPageCase& page, std::ostream* out)
{
    *out << page.Name;
}

class PageOfStyle : public ::testing::TestWithParam<std::tuple<std::string, TPageCase>> {};

TEST_P(PageOfStyle, IsAnAccessibleHtml5PageWithItsContent)
{
    const auto& [style, page] = GetParam();
    TTempFolder work;
    TPageRequest request;
    request.Style = style;
    request.Body = page.Body;
    request.Fixture = page.Fixture;
    const std::string html = RenderPage(work, request);
    ExpectAccessibleHtml5Page(html);
    ExpectContains(html, page.Present, page.Absent);
    ExpectContains(html, {"href=\"../css/504001.css\"", "href=\"../css/505001.css\"",
                          "style=\"background-image: url('../images/610001.png')\"", "Fjordline Coffee Roasters",
                          "Harbour Road 12", "\xC2\xA9 2026"},
                   {});
}

INSTANTIATE_TEST_SUITE_P(
    Templates, PageOfStyle,
    ::testing::Combine(::testing::ValuesIn(ShippedStyleFolders()), ::testing::ValuesIn(PageCases())),
    [](const ::testing::TestParamInfo<PageOfStyle::ParamType>& info) {
        return std::get<0>(info.param) + "_" + std::get<1>(info.param).Name;
    });

// ---- languages, pages of a list, the page's own texts and style ---------------------

TEST(Templates, PageInALanguageWithResourceUsesItsTextsNamesAndNumbers)
{
    struct TCase {
        const char* Lang;
        std::vector<std::string> Present;
    };
    const std::vector<TCase> cases = {
        {"DE", {"lang=\"de\"", "Zum Inhalt springen", "Kategorien", "\xC3\x84thiopien Yirgacheffe",
                "189,00" + Nbsp + "NOK", "1.649,50" + Nbsp + "NOK", ">Kontakt<", ">Onlineshop<",
                "shop.fjordline.example/de/", "Alle Rechte vorbehalten."}},
        {"FR", {"lang=\"fr\"", "Aller au contenu principal", "1" + Nbsp + "649,50" + Nbsp + "NOK"}},
        // no resource: the built-in English texts; names in the default language
        {"PL", {"lang=\"pl\"", "Skip to main content", "Ethiopia Yirgacheffe", "1,649.50" + Nbsp + "NOK",
                ">Online shop<"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Lang);
        TTempFolder work;
        TPageRequest request;
        request.Body = "1/productline.xsl";
        request.Fixture = "productline.xml";
        request.Lang = c.Lang;
        const std::string html = RenderPage(work, request);
        ExpectAccessibleHtml5Page(html);
        ExpectContains(html, c.Present, {});
    }
}

TEST(Templates, ListShowsItsPageAndLinksTheOthersByPageFileName)
{
    struct TCase {
        int PageNumber;
        std::vector<std::string> Present;
        std::vector<std::string> Absent;
    };
    // Three products, two a page, on the home page 100001: the publisher
    // finds page 2 by the link "100001-2.html"; page 1 is the index page.
    const std::vector<TCase> cases = {
        {1, {"Ethiopia Yirgacheffe", "Colombia Huila", "\"100001-2.html\"", "rel=\"next\""},
         {"Green coffee sampler", "rel=\"prev\""}},
        {2, {"Green coffee sampler", "rel=\"prev\" href=\"index.html\"", "aria-current=\"page\">2<"},
         {"Ethiopia Yirgacheffe", "Colombia Huila", "rel=\"next\""}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.PageNumber);
        TTempFolder work;
        TPageRequest request;
        request.Body = "1/productline.xsl";
        request.Fixture = "productline.xml";
        request.PageNumber = c.PageNumber;
        request.CountOnPage = 2;
        const std::string html = RenderPage(work, request);
        ExpectAccessibleHtml5Page(html);
        ExpectContains(html, c.Present, c.Absent);
    }
}

TEST(Templates, PageWithoutOwnTextsStyleSheetsOrBackgroundWritesNoneOfThem)
{
    for (const std::string& style : ShippedStyleFolders()) {
        SCOPED_TRACE(style);
        TTempFolder work;
        TPageRequest request;
        request.Style = style;
        request.Body = "shared/info.xsl";
        request.Fixture = "info.xml";
        request.Top = "";
        request.Bottom = "";
        request.Css = "0";
        request.Css2 = "0";
        request.BgImage = "";
        const std::string html = RenderPage(work, request);
        ExpectAccessibleHtml5Page(html);
        ExpectContains(html, {"Our roasting"}, {"class=\"user-content", "../css/", "style=\"background-image"});
    }
}

// ---- what a visitor sees: no empty parts, no repeated headings -----------------

std::string NormalisedSpace(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\r';
        if (space && (out.empty() || out.back() == ' '))
            continue;
        out += space ? ' ' : c;
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

TEST(Templates, PagesWriteNoEmptyColumnsOrListsAndNoRepeatedHeadings)
{
    struct TCase {
        const char* Name;
        const char* Body;
        const char* Fixture;
        bool OwnText;
        std::vector<std::pair<std::string, std::size_t>> Counts;  // XPath, number of nodes
    };
    const std::vector<TCase> cases = {
        // The address alone, without an empty column for the missing text beside it.
        {"contact without text", "shared/contact.xsl", "contact.xml", false,
         {{"//div[@class = 'detail']/*", 1}, {"//div[@class = 'detail']/section[@aria-labelledby = 'contact-title']", 1}}},
        {"contact with text", "shared/contact.xsl", "contact.xml", true,
         {{"//div[@class = 'detail']/*", 2}, {"//div[@class = 'detail']/div/div[contains(@class, 'user-content')]", 1}}},
        {"member without text", "2/vendor.xsl", "vendor-bare.xml", false,
         {{"//div[@class = 'detail']/*", 1}, {"//div[@class = 'detail']/section[@aria-labelledby = 'vendor-contact-title']", 1}}},
        {"member with a description", "2/vendor.xsl", "vendor.xml", false,
         {{"//div[@class = 'detail']/*", 2}, {"//div[@class = 'detail']/div/p[@class = 'lead']", 1}}},
        // The home page is headed by the business's name, other pages by their own.
        {"home page", "1/productline.xsl", "productline.xml", true,
         {{"//h1[normalize-space() = 'Fjordline Coffee Roasters']", 1}, {"//h2[@id = 'lines-title']", 1},
          {"//h2[@id = 'products-title']", 1}, {"//h3[@class = 'card-title']", 5}}},
        {"other page", "shared/info.xsl", "info.xml", true, {{"//h1[normalize-space() = 'About us']", 1}}},
        // A page named like its one list has no second heading of the same words.
        {"page named like its list", "1/productline.xsl", "productline-named.xml", true,
         {{"//h1[normalize-space() = 'Products']", 1}, {"//h2[normalize-space() = 'Products']", 0},
          {"//*[@aria-labelledby = 'products-title']", 0}, {"//h2[@class = 'card-title']", 3}}},
        // A hotel's own name heads its home page; an empty hotel record gives
        // the business's name, no empty facts list and no empty column.
        {"hotel", "8/hotel.xsl", "hotel.xml", false,
         {{"//h1[normalize-space() = 'Seaview Guesthouse']", 1}, {"//dl[@class = 'facts']/div", 4}}},
        {"hotel without data", "8/hotel.xsl", "hotel-bare.xml", false,
         {{"//h1[normalize-space() = 'Fjordline Coffee Roasters']", 1}, {"//dl", 0},
          {"//div[@class = 'detail']/*", 1}}},
        // A period price without text is named by "Price"; the notes are
        // the room's own words, not the muted "nothing to show" note.
        {"room", "8/room.xsl", "room.xml", false,
         {{"//th[@scope = 'row'][not(normalize-space())]", 0},
          {"//th[@scope = 'row'][normalize-space() = 'Price']", 1},
          {"//th[@scope = 'row'][starts-with(normalize-space(), 'Easter week')]/small", 1},
          {"//p[@class = 'note'][normalize-space() = 'Cots on request.']", 1}, {"//*[@class = 'empty-note']", 0},
          // labels for the prices when phones show each row as a block
          {"//table[contains(@class, 'stack-narrow')]//td[@data-label = 'Single']", 2},
          {"//table[contains(@class, 'stack-narrow')]//td[@data-label = 'Twin']", 2},
          {"//table[contains(@class, 'stack-narrow')]//td[@data-label = 'Price']", 2}}},
        // A room without season prices shows the lowest of its own rates.
        {"rooms", "8/rooms.xsl", "rooms.xml", true,
         {{"//li[.//a[normalize-space() = 'Attic single']]//p[@class = 'price'][contains(., '720.00')]", 1},
          {"//li[.//a[normalize-space() = 'Attic single']]//p[@class = 'price-note']"
           "[normalize-space() = 'Per night, breakfast included']", 1},
          {"//li[.//a[normalize-space() = 'Harbour double']]//p[@class = 'price'][contains(., '950.00')]", 1},
          {"//p[@class = 'price-note']", 1}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempFolder work;
        TPageRequest request;
        request.Body = c.Body;
        request.Fixture = c.Fixture;
        if (!c.OwnText) {
            request.Top = "";
            request.Bottom = "";
        }
        const std::string html = RenderPage(work, request);
        ExpectAccessibleHtml5Page(html);
        TDoc doc = ParseHtml(html);
        ASSERT_TRUE(doc);
        TQuery q(doc.get());
        for (const auto& [path, count] : c.Counts)
            EXPECT_EQ(q.Count(path), count) << path;
    }
}

TEST(Templates, EveryStyleFoldsALongMenuBehindAButtonAndKeepsTheAddressInTheFooter)
{
    // The sample site's menu has six entries: more than a phone shows in a
    // line or two. The button is a check box with its label, so the menu
    // opens without script.
    for (const std::string& style : ShippedStyleFolders()) {
        for (const auto& [lang, caption] : {std::pair<std::string, std::string>{"EN", "Menu"}, {"DE", "Men\xC3\xBC"}}) {
            SCOPED_TRACE(style + " " + lang);
            TTempFolder work;
            TPageRequest request;
            request.Style = style;
            request.Body = "shared/info.xsl";
            request.Fixture = "info.xml";
            request.Lang = lang;
            const std::string html = RenderPage(work, request);
            ExpectAccessibleHtml5Page(html);
            TDoc doc = ParseHtml(html);
            ASSERT_TRUE(doc);
            TQuery q(doc.get());
            const std::string nav = "//header//nav[contains(concat(' ', @class, ' '), ' menu-collapsible ')]";
            EXPECT_EQ(q.Count(nav + "/input[@type = 'checkbox'][@id = 'menu-toggle']"), 1u);
            EXPECT_EQ(q.Count(nav + "/input[@id = 'menu-toggle']/following-sibling::*[1][self::label[@for = 'menu-toggle']]"), 1u);
            EXPECT_EQ(NormalisedSpace(q.String("//label[@for = 'menu-toggle']")), caption);
            EXPECT_EQ(q.Count(nav + "/label/following-sibling::ul/li/a"), 6u) << "the menu follows the button";
            EXPECT_NE(html.find(".menu-toggle:not(:checked)~"), std::string::npos) << "the style folds the menu";
            // Phone visitors find the address and the ways of contact at the foot of every page.
            EXPECT_EQ(q.Count("//footer//address//a[starts-with(@href, 'tel:')]"), 1u);
            EXPECT_EQ(q.Count("//footer//address//a[starts-with(@href, 'mailto:')]"), 1u);
        }
    }
}

// ---- generation rules ---------------------------------------------------------

// Values of the record-set XML of a global table: every Field of its rows.
std::set<std::string> GlobalColumn(const std::string& table, const std::string& field)
{
    TDoc doc = ReadXml(DataPath("catalogsxml/" + table + ".xml"));
    std::set<std::string> values;
    if (!doc)
        return values;
    TQuery q(doc.get());
    for (xmlNodePtr node : q.Nodes("//Action[@Method = 'insert']/" + field))
        values.insert(Content(node));
    return values;
}

// The text of a row's column in record-set XML.
std::string Column(xmlNodePtr row, const std::string& name)
{
    for (xmlNodePtr child = xmlFirstElementChild(row); child; child = xmlNextElementSibling(child))
        if (NodeName(child) == name)
            return Content(child);
    return "";
}

// Class tag -> member tags, from the shipped class description.
std::map<std::string, std::set<std::string>> ClassMembers()
{
    std::map<std::string, std::string> classTags;  // class id -> tag
    TDoc classes = ReadXml(DataPath("catalogsxml/GlobalClasses.xml"));
    TQuery qc(classes.get());
    for (xmlNodePtr row : qc.Nodes("//Action[@Method = 'insert']"))
        classTags[Column(row, "ClassId")] = Column(row, "ClassXmlTag");

    std::map<std::string, std::set<std::string>> members;
    for (const auto& [id, tag] : classTags)
        members[tag];
    TDoc doc = ReadXml(DataPath("catalogsxml/GlobalClassMembers.xml"));
    TQuery q(doc.get());
    for (xmlNodePtr row : q.Nodes("//Action[@Method = 'insert']"))
        members[classTags[Column(row, "ClassId")]].insert(Column(row, "MemberXmlTag"));
    return members;
}

// The text the rule reader builds from a rule element: for each child node,
// its name, "=", its text and "&".
std::string RuleText(xmlNodePtr rule)
{
    std::string text;
    for (xmlNodePtr child = rule->children; child; child = child->next)
        text += NodeName(child) + "=" + Content(child) + "&";
    return text;
}

std::vector<std::pair<std::string, std::string>> RuleFields(xmlNodePtr rule)
{
    std::vector<std::pair<std::string, std::string>> fields;
    for (xmlNodePtr child = rule->children; child; child = child->next)
        fields.emplace_back(NodeName(child), Content(child));
    return fields;
}

bool IsNumber(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

TEST(Templates, RulesNameOnlyKnownActionsKeysClassesItemTypesAndItemIds)
{
    const std::set<std::string> actions = {
        "Object", "AllObjects", "ObjectAndChilds", "Childs", "AllChilds", "Hierarchy",
        "HierarchyAndRoot", "ObjectAndParents", "ObjectOrParents", "MemberObjectAndChilds",
        "TreeInfo", "GroupData", "Statistic", "ClassInfo", "CategoryInfo"};
    const std::set<std::string> keys = {
        "Action", "ClassXmlTag", "ItemId", "ItemType", "TagName", "ItemTagName", "Condition",
        "XmlCondition", "AddPageItemId", "CatalogCode", "CatalogCodeItemId", "LinkGroup",
        "ProcessFor", "ProcessForItemId", "ProcessForItemType", "ProcessForTagName",
        "ProcessForAddItemType", "ProcessForMaxLevel", "ProcessForCheckAll", "ProcessForCondition",
        "ProcessForXmlCondition", "RootItemId", "CountChildItemType", "MemberXmlTag",
        "IncludeClassXmlTag", "GroupBy", "Max", "Min", "Sum", "CategoryName"};
    const std::set<std::string> itemIdWords = {"current", "process", "currenttree", "mastertemplate",
                                               "bodytemplate", "Home", "parent"};
    const std::set<std::string> itemIds = GlobalColumn("GlobalItemIds", "XmlTagName");
    const std::set<std::string> itemTypes = GlobalColumn("GlobalItemTypes", "XmlTagName");
    const auto members = ClassMembers();

    std::size_t ruleCount = 0;
    for (int type : {501, 502}) {
        for (const TShippedItem& item : ShippedItemsOfType(type)) {
            SCOPED_TRACE(item.File);
            TDoc doc = ReadXml(DataPath(item.File));
            ASSERT_TRUE(doc);
            TQuery q(doc.get());
            EXPECT_EQ(q.Count("/xsl:stylesheet/*[local-name() = 'xml-generation-rule']"),
                      q.Count("/xsl:stylesheet/tolvex:xml-generation-rule"))
                << "every rule in the product's namespace, at the top level";
            EXPECT_EQ(q.Count("//tolvex:xml-generation-rule"), q.Count("/xsl:stylesheet/tolvex:xml-generation-rule"));
            for (xmlNodePtr rule : q.Nodes("//tolvex:xml-generation-rule")) {
                ++ruleCount;
                const std::string text = RuleText(rule);
                SCOPED_TRACE(text);
                EXPECT_EQ(text.find_first_of("\r\n\""), std::string::npos);
                std::map<std::string, std::string> single;
                std::string cls;
                for (const auto& [key, value] : RuleFields(rule)) {
                    EXPECT_EQ(keys.count(key), 1u) << "key " << key;
                    EXPECT_FALSE(value.empty()) << key;
                    EXPECT_EQ(value.find('&'), std::string::npos) << key;
                    single[key] = value;
                    if (key == "ClassXmlTag" || key == "IncludeClassXmlTag") {
                        EXPECT_EQ(members.count(value), 1u) << "class " << value;
                    }
                    if (key == "ClassXmlTag")
                        cls = value;
                    if (key == "ItemType" || key == "ProcessForItemType" || key == "CountChildItemType") {
                        EXPECT_TRUE(itemTypes.count(value) || IsNumber(value)) << "item type " << value;
                    }
                    if (key == "ItemId" || key == "ProcessForItemId" || key == "RootItemId" ||
                        key == "CatalogCodeItemId") {
                        EXPECT_TRUE(itemIds.count(value) || itemIdWords.count(value) || IsNumber(value))
                            << "item id " << value;
                    }
                }
                if (single.count("Action"))
                    EXPECT_EQ(actions.count(single["Action"]), 1u) << single["Action"];
                else
                    EXPECT_TRUE(single.count("LinkGroup")) << "a rule without action is a link group";
                EXPECT_FALSE(single["TagName"].empty()) << "every rule writes into its own element";
                if (single.count("MemberXmlTag")) {
                    EXPECT_EQ(members.at(cls).count(single["MemberXmlTag"]), 1u) << single["MemberXmlTag"];
                }
                if (Attribute(rule, "isLink") == "1") {
                    EXPECT_TRUE(single.count("LinkGroup"));
                }
                if (single.count("CatalogCode")) {
                    EXPECT_EQ(single["CatalogCode"], "CoCMember");
                }
            }
        }
    }
    EXPECT_GT(ruleCount, 0u);
}

// ---- shipped files ---------------------------------------------------------------

TEST(Templates, ListsNameEveryShippedFileAndEveryListedFileExists)
{
    std::set<std::string> listed;
    for (const TShippedItem& item : ReadShippedItems()) {
        EXPECT_TRUE(fs::exists(DataPath(item.File))) << item.File;
        EXPECT_TRUE(listed.insert(item.File).second) << "listed twice: " << item.File;
        EXPECT_FALSE(item.Name.empty()) << item.File;
    }
    for (const char* folder : {"templates", "styles"})
        for (const auto& entry : fs::recursive_directory_iterator(DataPath(folder))) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".xsl" && ext != ".xml" && ext != ".css" && ext != ".png")
                continue;
            const std::string relative = fs::relative(entry.path(), DataPath("")).generic_string();
            EXPECT_EQ(listed.count(relative), 1u) << "not listed: " << relative;
        }

    std::map<std::string, int> types;
    for (const TShippedItem& item : ReadShippedItems())
        types[item.File] = item.ItemType;
    const std::vector<TShippedStyle> styles = ReadShippedStyles();
    EXPECT_GE(styles.size(), 3u);
    for (const TShippedStyle& style : styles) {
        EXPECT_EQ(types[style.Master], 501) << style.Name;
        EXPECT_EQ(types[style.Colours], 504) << style.Name;
        EXPECT_EQ(types[style.Fonts], 505) << style.Name;
        EXPECT_EQ(types[style.Backgrounds], 301) << style.Name;
        EXPECT_FALSE(style.Description.empty()) << style.Name;
    }
}

TEST(Templates, EveryLanguageResourceHasEveryTextAndNamesOnlyItsOwnLanguage)
{
    TDoc common = ReadXml(DataPath("templates/shared/common.xsl"));
    ASSERT_TRUE(common);
    TQuery qc(common.get());
    std::set<std::string> builtIn;
    for (xmlNodePtr text : qc.Nodes("/xsl:stylesheet/txt:text"))
        builtIn.insert(Attribute(text, "id"));
    ASSERT_FALSE(builtIn.empty());

    const std::vector<TShippedItem> resources = ShippedItemsOfType(503);
    ASSERT_FALSE(resources.empty());
    for (const TShippedItem& item : resources) {
        SCOPED_TRACE(item.File);
        TDoc doc = ReadXml(DataPath(item.File));
        ASSERT_TRUE(doc);
        TQuery q(doc.get());
        const std::string lang = q.String("/resources/@lang");
        EXPECT_EQ(fs::path(item.File).stem().string(), lang);
        std::set<std::string> ids;
        for (xmlNodePtr text : q.Nodes("/resources/text")) {
            EXPECT_TRUE(ids.insert(Attribute(text, "id")).second) << Attribute(text, "id");
            EXPECT_NE(Content(text), "") << Attribute(text, "id");
        }
        // A country whose name is the same as in English may be left to the built-in name.
        std::set<std::string> wanted;
        for (const std::string& id : builtIn)
            if (id.rfind("country-", 0) != 0 || ids.count(id))
                wanted.insert(id);
        EXPECT_EQ(ids, wanted);
        // The transformer finds a language's resource by the text lang="XX"
        // in it: only its own language may appear so.
        const std::string source = ReadDataFile(item.File);
        for (const TShippedItem& other : resources) {
            const std::string code = fs::path(other.File).stem().string();
            EXPECT_EQ(source.find("lang=\"" + code + "\"") != std::string::npos, code == lang) << code;
        }
    }
}

// ---- colours --------------------------------------------------------------------

double Luminance(const std::string& hex)
{
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = std::stoi(hex.substr(1 + 2 * i, 2), nullptr, 16) / 255.0;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(const std::string& a, const std::string& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Templates, ColourSheetsKeepReadableContrasts)
{
    // foreground, background, least ratio: 4.5 for text, 3 for focus marks.
    const std::vector<std::tuple<std::string, std::string, double>> pairs = {
        {"text", "bg", 4.5}, {"text", "surface", 4.5}, {"muted", "bg", 4.5},
        {"muted", "surface", 4.5}, {"muted", "surface-alt", 4.5}, {"link", "bg", 4.5},
        {"link", "surface", 4.5}, {"link-hover", "surface", 4.5}, {"on-accent", "accent", 4.5},
        {"price", "surface", 4.5}, {"nav-text", "bg", 4.5}, {"header-text", "header-bg", 4.5},
        {"header-muted", "header-bg", 4.5}, {"header-link", "header-bg", 4.5},
        {"header-active-text", "header-active", 4.5}, {"footer-text", "footer-bg", 4.5},
        {"footer-link", "footer-bg", 4.5}, {"focus", "bg", 3}, {"focus", "surface", 3},
        {"focus-inverse", "header-bg", 3}, {"focus-inverse", "footer-bg", 3}};
    const std::regex property("--c-([a-z-]+):\\s*(#[0-9a-fA-F]{6})");
    const std::vector<TShippedItem> sheets = ShippedItemsOfType(504);
    ASSERT_FALSE(sheets.empty());
    for (const TShippedItem& sheet : sheets) {
        SCOPED_TRACE(sheet.File);
        const std::string css = ReadDataFile(sheet.File);
        std::map<std::string, std::string> colours;
        for (auto it = std::sregex_iterator(css.begin(), css.end(), property); it != std::sregex_iterator(); ++it)
            colours[(*it)[1]] = (*it)[2];
        for (const char* needed : {"text", "bg", "surface", "muted", "link", "accent", "on-accent", "focus"})
            EXPECT_TRUE(colours.count(needed)) << needed;
        for (const auto& [fore, back, least] : pairs)
            if (colours.count(fore) && colours.count(back)) {
                EXPECT_GE(Contrast(colours[fore], colours[back]), least) << fore << " on " << back;
            }
    }
}

// ---- fixtures ----------------------------------------------------------------------

TEST(Templates, FixturesUseTheMemberNamesOfTheirClasses)
{
    const auto members = ClassMembers();
    std::vector<std::string> files = {FixturePath("site.xml")};
    for (const auto& entry : fs::directory_iterator(FixturePath("pages")))
        files.push_back(entry.path().string());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TDoc doc = ReadXml(file);
        ASSERT_TRUE(doc);
        TQuery q(doc.get());
        for (xmlNodePtr object : q.Nodes("//*[@ItemId and @TreeItemId]")) {
            const auto found = members.find(NodeName(object));
            if (found == members.end())
                continue;  // a wrapper the rules name
            for (xmlNodePtr child = xmlFirstElementChild(object); child; child = xmlNextElementSibling(child))
                EXPECT_EQ(found->second.count(NodeName(child)), 1u)
                    << NodeName(object) << "/" << NodeName(child);
        }
    }
}

}  // namespace
