// The generated style sheet "out.xsl": its elements and values for each
// kind of page; the compiled form, which must transform a page exactly as
// the work file does; and the compiled sheets, reused while the templates
// stay the same and compiled afresh when one changes.
#include "TransformerTestCatalog.h"

#include "common/XmlPtr.h"
#include "generation/StyleSheetCache.h"
#include "generation/Transformer.h"
#include "generation/TransformerStyleSheet.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include "support/TempFolder.h"

#include <ctime>
#include <fstream>
#include <functional>
#include <regex>

namespace {

class TransformerStyleSheetTest : public ::testing::Test {
protected:
    TransformerStyleSheetTest() { catalog.AddSmallSite(); }

    bool Generate(int itemId = 100001, int itemType = 3001, const std::string& lang = "EN")
    {
        TTransformer transformer(catalog, "shop", nullptr);
        configure(transformer);
        const bool done = transformer.GeneratePage(itemId, itemId, itemType, lang, catalog.Collection(),
                                                   catalog.Fixture().Connection(), "");
        html = transformer.GetResultHtml();
        error = transformer.GetErrorText();
        return done;
    }

    // The top-level elements of out.xsl, one line each: the element name and its name or href attribute.
    std::vector<std::string> Elements()
    {
        std::vector<std::string> lines;
        const std::string xsl = catalog.WorkFile("out.xsl");
        const std::regex element("\n  <xsl:(\\w+)(?: (?:name|href|method)=\"([^\"]*)\")?");
        for (std::sregex_iterator it(xsl.begin(), xsl.end(), element), end; it != end; ++it)
            lines.push_back((*it)[1].str() + ((*it)[2].matched ? " " + (*it)[2].str() : ""));
        return lines;
    }

    std::string Param(const std::string& name)
    {
        const std::string xsl = catalog.WorkFile("out.xsl");
        const std::smatch found = [&] {
            std::smatch m;
            std::regex_search(xsl, m, std::regex("<xsl:param name=\"" + name + "\">([^<]*)</xsl:param>"));
            return m;
        }();
        return found.empty() ? "(none)" : found[1].str();
    }

    int Compilations() { return catalog.GetTemplates().StyleSheets().CompileCount(); }

    TTransformerTestCatalog catalog;
    std::function<void(TTransformer&)> configure = [](TTransformer&) {};
    std::string html;
    std::string error;
};

TEST_F(TransformerStyleSheetTest, AWebPageIncludesItsTemplatesAndPassesItsSettings)
{
    catalog.PutNumber(600101, kMasterClass, 1, "XXX", 504001);
    catalog.PutNumber(600101, kMasterClass, 2, "XXX", 505002);
    catalog.PutNumber(600101, kMasterClass, 3, "XXX", 610001);
    catalog.SetImageFileName("shop", 610001, "610001.png");
    catalog.PutNumber(600201, kBodyClass, 1, "XXX", 12);
    configure = [](TTransformer& t) {
        t.SetOutputKind(true, "php");
        t.SetPublishMode("publish");
        t.SetPageNumber(3);
    };
    ASSERT_TRUE(Generate()) << error;
    const std::vector<std::string> expected = {
        "output html", "include master.xsl", "include body.xsl", "include common.xsl", "param lang",
        "param out", "param linkext", "param dynamicext", "param staticext", "param css", "param css2",
        "param bgimage", "param pagenum", "param countonpage", "param host", "param publish", "param dynamic",
        "param charset", "param year", "param day", "param month", "param monthname", "variable resource",
        "template top", "template bottom"};
    EXPECT_EQ(Elements(), expected);
    const std::vector<std::pair<std::string, std::string>> values = {
        {"lang", "EN"},     {"out", "php"},       {"linkext", "php"},  {"dynamicext", "jsp"},
        {"staticext", "html"}, {"css", "504001"}, {"css2", "505002"},  {"bgimage", "610001.png"},
        {"pagenum", "3"},   {"countonpage", "12"}, {"host", "1"},      {"publish", "publish"},
        {"dynamic", "0"},   {"charset", ""}};
    for (const auto& [name, value] : values)
        EXPECT_EQ(Param(name), value) << name;
    EXPECT_NE(html.find("| 3/12/504001/publish"), std::string::npos) << html;
    EXPECT_NE(catalog.WorkFile("out.xsl").find("encoding=\"utf-8\""), std::string::npos);
}

TEST_F(TransformerStyleSheetTest, TheDateParametersAreToday)
{
    ASSERT_TRUE(Generate()) << error;
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    EXPECT_EQ(Param("year"), std::to_string(today.tm_year + 1900));
    EXPECT_EQ(Param("month"), std::to_string(today.tm_mon + 1));
    EXPECT_EQ(Param("day"), std::to_string(today.tm_mday));
    EXPECT_EQ(Param("monthname").substr(0, 3), std::string("JanFebMarAprMayJunJulAugSepOctNovDec").substr(today.tm_mon * 3, 3));
}

TEST_F(TransformerStyleSheetTest, TheOutputIsInTheLanguagesWebCharset)
{
    catalog.SetWebCharset("DE", "iso-8859-1");
    catalog.Name(100001, "DE", "Gr\xC3\xBC\xC3\x9F" "e");
    ASSERT_TRUE(Generate(100001, 3001, "DE")) << error;
    EXPECT_NE(html.find("charset=iso-8859-1"), std::string::npos) << html;
    EXPECT_NE(html.find("<title>Gr\xFC\xDF" "e</title>"), std::string::npos) << "the page's bytes are in its charset";
}

TEST_F(TransformerStyleSheetTest, PageNumberZeroIsTheFirstPageAndAMissingCountIsNine)
{
    configure = [](TTransformer& t) { t.SetPageNumber(0); };
    ASSERT_TRUE(Generate()) << error;
    EXPECT_EQ(Param("pagenum"), "1");
    EXPECT_EQ(Param("countonpage"), "9");
}

TEST_F(TransformerStyleSheetTest, CustomTemplatesAreIncludedOnlyWhenTheBodyAsksForThem)
{
    // The default custom templates, as catalog opening writes them.
    std::ofstream(catalog.GetPreviewDir() + "/custom.xsl") << TTemplates::GetDefaultCustomXsl();
    ASSERT_TRUE(Generate()) << error;
    EXPECT_EQ(catalog.WorkFile("out.xsl").find("custom.xsl"), std::string::npos);

    catalog.PutNumber(600201, kBodyClass, 3, "XXX", 1);
    ASSERT_TRUE(Generate()) << error;
    const std::vector<std::string> elements = Elements();
    ASSERT_GE(elements.size(), 5u);
    EXPECT_EQ(elements[4], "include custom.xsl");
}

TEST_F(TransformerStyleSheetTest, TheBackgroundImageIsLookedUpInTheTemplatesCatalogToo)
{
    catalog.AddTemplate(600101, 501, 600010, "Plain", TTransformerTestCatalog::SmallMaster, "t#1");
    catalog.AddTemplate(600201, 502, 600020, "Information", TTransformerTestCatalog::SmallBody, "t#1");
    catalog.AddTemplate(600301, 512, 5, "Common", TTransformerTestCatalog::SmallCommon, "t#1");
    catalog.SetImageFileName("t#1", 610007, "610007.gif");
    configure = [this](TTransformer& t) {
        t.SetTemplateSource("t#1", catalog.Fixture().Connection());
        t.SetTemplates(600101, 600201, 0, 0, 610007);
    };
    ASSERT_TRUE(Generate()) << error;
    EXPECT_EQ(Param("bgimage"), "610007.gif");
}

// ---- the compiled form --------------------------------------------------------------------------

TEST_F(TransformerStyleSheetTest, TheCompiledFormTransformsAPageAsTheWorkFileDoes)
{
    // Parameters are result tree fragments with text in out.xsl, and empty
    // ones are empty strings: true and false as conditions, and so on.
    catalog.PutNumber(600201, kBodyClass, 1, "XXX", 12);
    catalog.PutText(100001, kDesignClass, 1, "EN", "");
    const std::string probe =
        "<xsl:value-of select=\"concat(boolean($lang), boolean($charset), boolean($bgimage), $countonpage * 2, "
        "string-length($monthname) &gt; 2, $lang = 'EN')\"/>|<xsl:copy-of select=\"$lang\"/>|"
        "<xsl:for-each select=\"exsl:node-set($lang)/text()\">[<xsl:value-of select=\".\"/>]</xsl:for-each>|"
        "<xsl:if test=\"$charset\">charset set</xsl:if>|<xsl:call-template name=\"top\"/>|"
        "<xsl:call-template name=\"bottom\"/>";
    catalog.PutText(600201, kXslClass, 1, "XXX",
                    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" "
                    "xmlns:exsl=\"http://exslt.org/common\"><xsl:template name=\"body\">" + probe +
                        "</xsl:template></xsl:stylesheet>");
    ASSERT_TRUE(Generate()) << error;
    EXPECT_NE(html.find("truefalsefalse24truetrue|EN|[EN]||"), std::string::npos) << html;

    xsltStylesheetPtr style = xsltParseStylesheetFile(
        reinterpret_cast<const xmlChar*>((catalog.GetPreviewDir() + "/out.xsl").c_str()));
    ASSERT_NE(style, nullptr);
    const TXmlDocPtr doc(xmlReadFile((catalog.GetPreviewDir() + "/out.xml").c_str(), nullptr, 0));
    const TXmlDocPtr result(xsltApplyStylesheet(style, doc.get(), nullptr));
    xmlChar* text = nullptr;
    int length = 0;
    xsltSaveResultToString(&text, &length, result.get(), style);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)), html);
    xmlFree(text);
    xsltFreeStylesheet(style);
}

TEST_F(TransformerStyleSheetTest, TheCompiledFormDiffersOnlyByTheEmptinessOfValues)
{
    TTransformerStyleSheet a;
    TTransformerStyleSheet b;
    for (TTransformerStyleSheet* sheet : {&a, &b}) {
        sheet->SetOutput("html", "utf-8");
        sheet->AddInclude("master.xsl");
    }
    a.AddParam("lang", "EN");
    b.AddParam("lang", "DE");
    a.AddHtmlTemplate("top", "<b>one</b>");
    b.AddHtmlTemplate("top", "<i>two</i>");
    EXPECT_EQ(a.CompiledText(), b.CompiledText());
    EXPECT_EQ(a.CompiledShape(), b.CompiledShape()) << "the shape stands for the compiled text";
    EXPECT_NE(a.WorkFileText(), b.WorkFileText());
    EXPECT_EQ(b.PageValues(), (std::vector<std::pair<std::string, std::string>>{
                                  {"{urn:tolvex:page-values}param-lang", "DE"},
                                  {"{urn:tolvex:page-values}template-top", "<i>two</i>"}}));

    TTransformerStyleSheet c;
    c.SetOutput("html", "utf-8");
    c.AddInclude("master.xsl");
    c.AddParam("lang", "");
    c.AddHtmlTemplate("top", "<i>two</i>");
    EXPECT_NE(c.CompiledText(), b.CompiledText()) << "an empty value is no result tree fragment";
    EXPECT_NE(c.CompiledShape(), b.CompiledShape());

    // What the compiled form writes out (a variable's expression, the
    // output's encoding) tells the shapes apart as it does the texts.
    TTransformerStyleSheet d = a;
    TTransformerStyleSheet e = a;
    d.AddVariable("resource", "document('EN.xml')");
    e.AddVariable("resource", "empty");
    EXPECT_NE(d.CompiledShape(), e.CompiledShape());
    TTransformerStyleSheet f = a;
    f.SetOutput("html", "iso-8859-1");
    EXPECT_NE(f.CompiledShape(), a.CompiledShape());
}

// ---- compiled sheets kept -------------------------------------------------------------------------

TEST_F(TransformerStyleSheetTest, PagesWithTheSameTemplatesShareOneCompiledSheet)
{
    for (const int id : {100001, 100002, 100003})
        ASSERT_TRUE(Generate(id)) << error;
    EXPECT_EQ(Compilations(), 1);
    EXPECT_NE(html.find("<h1>Second</h1>"), std::string::npos) << "each page has its own values: " << html;

    configure = [](TTransformer& t) { t.SetPageNumber(2); };
    ASSERT_TRUE(Generate(100001)) << error;
    EXPECT_EQ(Compilations(), 1) << "other values, same sheet";
    EXPECT_NE(html.find("| 2/9/0/preview"), std::string::npos) << html;
}

TEST_F(TransformerStyleSheetTest, AChangedTemplateIsCompiledAfresh)
{
    ASSERT_TRUE(Generate()) << error;
    const std::string changed = std::regex_replace(std::string(TTransformerTestCatalog::SmallBody),
                                                   std::regex("<h1>"), "<h1 class=\"changed\">");
    catalog.PutText(600201, kXslClass, 1, "XXX", changed);
    ASSERT_TRUE(Generate()) << error;
    EXPECT_EQ(Compilations(), 2);
    EXPECT_NE(html.find("<h1 class=\"changed\">"), std::string::npos) << html;

    catalog.PutText(600201, kXslClass, 1, "XXX", TTransformerTestCatalog::SmallBody);
    ASSERT_TRUE(Generate()) << error;
    EXPECT_EQ(Compilations(), 2) << "the first sheet is still kept";
    EXPECT_NE(html.find("<h1>Welcome"), std::string::npos) << html;

    catalog.PutNumber(600201, kBodyClass, 3, "XXX", 1);
    std::ofstream(catalog.GetPreviewDir() + "/custom.xsl") << TTemplates::GetDefaultCustomXsl();
    ASSERT_TRUE(Generate()) << error;
    EXPECT_EQ(Compilations(), 3) << "a sheet that includes the custom templates";
    std::ofstream(catalog.GetPreviewDir() + "/custom.xsl")
        << "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
           "<xsl:template name=\"custom\"/></xsl:stylesheet>";
    ASSERT_TRUE(Generate()) << error;
    EXPECT_EQ(Compilations(), 4) << "changed custom templates";
}

TEST_F(TransformerStyleSheetTest, ABrokenTemplateIsNotCompiledForEveryPage)
{
    catalog.PutText(600201, kXslClass, 1, "XXX", "<xsl:stylesheet");
    EXPECT_FALSE(Generate(100001));
    EXPECT_FALSE(Generate(100002));
    EXPECT_EQ(Compilations(), 1);
    EXPECT_NE(error.find("body.xsl"), std::string::npos) << error;
}

TEST(StyleSheetCacheTest, TheLeastRecentlyUsedSheetMakesRoom)
{
    TTempFolder folder;
    TStyleSheetCache cache(2);
    const auto sheet = [](const std::string& text) {
        return "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
               "<xsl:template match=\"/\">" + text + "</xsl:template></xsl:stylesheet>";
    };
    const std::string base = folder.File("out.xsl");
    EXPECT_NE(cache.Get("a", sheet("a"), base).Sheet, nullptr);
    cache.Get("b", sheet("b"), base);
    cache.Get("a", sheet("a"), base);
    cache.Get("c", sheet("c"), base);  // b goes
    EXPECT_EQ(cache.CompileCount(), 3);
    cache.Get("a", sheet("a"), base);
    EXPECT_EQ(cache.CompileCount(), 3);
    cache.Get("b", sheet("b"), base);
    EXPECT_EQ(cache.CompileCount(), 4);
    EXPECT_EQ(cache.Size(), 2u);

    const TStyleSheetCache::TSheet& broken = cache.Get("x", "<xsl:stylesheet", base);
    EXPECT_EQ(broken.Sheet, nullptr);
    EXPECT_NE(broken.Error, "");
}

}  // namespace
