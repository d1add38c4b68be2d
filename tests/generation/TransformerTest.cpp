// Generating pages of every kind from a small catalog: web pages through
// their templates, rules and the generated style sheet; source pages with
// their tokens; templates shown by themselves; reports; linked JSP pages;
// and the failures, which are reported as failures.
#include "TransformerTestCatalog.h"

#include "common/CommonFunctions.h"
#include "common/Log.h"
#include "generation/Transformer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <filesystem>
#include <functional>

namespace {

const std::string SmallPageHtml =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
    "<title>Welcome &amp; more</title></head><body><div class=\"top\">Our <b>news</b></div>"
    "<h1>Welcome &amp; more</h1><ul><li>First</li><li>Second</li></ul>"
    "<p class=\"footer\">Made with care | 1/9/0/preview</p><div class=\"bottom\">&copy; us</div></body></html>\n";

// A style sheet whose named template "body" is given.
std::string BodyTemplate(const std::string& body, const std::string& extraNamespaces = "")
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"" +
           extraNamespaces + ">\n<xsl:template name=\"body\">" + body + "</xsl:template>\n</xsl:stylesheet>\n";
}

// The text with CR LF line ends, as the work files keep it.
std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

class TransformerTest : public ::testing::Test {
protected:
    TransformerTest() { catalog.AddSmallSite(); }

    // Generates a page with a fresh transformer, as callers do.
    bool Generate(int itemId, int itemType, const std::string& lang = "EN")
    {
        TTransformer transformer(catalog, "shop", log);
        configure(transformer);
        const bool done = transformer.GeneratePage(itemId, itemId, itemType, lang, catalog.Collection(),
                                                   catalog.Fixture().Connection(), "");
        html = transformer.GetResultHtml();
        error = transformer.GetErrorText();
        return done;
    }

    // The page as an independent run of libxslt makes it from the work
    // files out.xml and out.xsl.
    std::string TransformWorkFiles()
    {
        const std::string xsl = catalog.GetPreviewDir() + "/out.xsl";
        xsltStylesheetPtr style = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(xsl.c_str()));
        xmlDocPtr doc = xmlReadFile((catalog.GetPreviewDir() + "/out.xml").c_str(), nullptr, 0);
        std::string text;
        if (style && doc) {
            xmlDocPtr result = xsltApplyStylesheet(style, doc, nullptr);
            xmlChar* out = nullptr;
            int length = 0;
            if (result && xsltSaveResultToString(&out, &length, result, style) == 0 && out)
                text.assign(reinterpret_cast<const char*>(out), static_cast<std::size_t>(length));
            xmlFree(out);
            xmlFreeDoc(result);
        }
        xmlFreeDoc(doc);
        if (style)
            xsltFreeStylesheet(style);
        return text;
    }

    void ReplaceTemplate(int itemId, const std::string& xsl)
    {
        catalog.PutText(itemId, kXslClass, 1, "XXX", xsl);
    }

    TTransformerTestCatalog catalog;
    TLog* log = nullptr;
    std::function<void(TTransformer&)> configure = [](TTransformer&) {};
    std::string html;
    std::string error;
};

// ---- web pages ------------------------------------------------------------------------------

TEST_F(TransformerTest, AWebPageIsBuiltFromItsTemplatesRulesAndStyleSheet)
{
    ASSERT_TRUE(Generate(100001, 3001)) << error;
    EXPECT_EQ(html, SmallPageHtml);
    EXPECT_EQ(error, "");
    EXPECT_EQ(TransformWorkFiles(), html) << "the work files give the same page";
    EXPECT_EQ(catalog.CurrentTemplateIds(), std::make_pair(600101, 600201));

    // Every work file is there: the templates, the resource, the documents, the result.
    for (const char* file : {"master.xsl", "body.xsl", "common.xsl", "EN.xml", "out.xsl", "out.xml"})
        EXPECT_TRUE(std::filesystem::exists(catalog.GetPreviewDir() + "/" + file)) << file;
    EXPECT_EQ(catalog.WorkFile("out.html"), WithCrLf(html));
    EXPECT_EQ(catalog.WorkFile("body.xsl").substr(0, 40), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n");
}

TEST_F(TransformerTest, ALanguageCodeWithAnApostropheFindsItsResource)
{
    catalog.AddTemplate(600402, 503, 5, "Quoted",
                        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                        "<resources lang=\"it's\"><text id=\"made\">Fatto</text></resources>\n");
    ASSERT_TRUE(Generate(100001, 3001, "it's")) << error;
    EXPECT_NE(html.find("<p class=\"footer\">Fatto | "), std::string::npos) << html;
}

TEST_F(TransformerTest, RulesRunOnceEachInTheOrderOfTheirTexts)
{
    // The master's rule is the body's first one written over several lines;
    // the body's rule on SubPages sorts after it.
    ASSERT_TRUE(Generate(100001, 3001)) << error;
    EXPECT_EQ(catalog.ProcessedRules(),
              (std::vector<std::string>{
                  "TagName=Current&Action=Object&ItemId=current&ClassXmlTag=CommonNames&",
                  "TagName=SubPages&Action=Childs&ItemId=currenttree&ClassXmlTag=CommonNames&ItemTagName=Entry&"}));
}

TEST_F(TransformerTest, APageInAnotherLanguageHasItsOwnTextsAndNoResourceWhenThereIsNone)
{
    ASSERT_TRUE(Generate(100001, 3001, "DE")) << error;
    EXPECT_NE(html.find("<title>Willkommen</title>"), std::string::npos) << html;
    EXPECT_NE(html.find("<li>First</li>"), std::string::npos) << "the default language's name shows through";
    EXPECT_NE(html.find("<p class=\"footer\"> | 1/9/0/preview</p>"), std::string::npos) << html;
    EXPECT_NE(catalog.WorkFile("out.xsl").find("<xsl:variable name=\"resource\" select=\"empty\"/>"),
              std::string::npos);
    EXPECT_EQ(TransformWorkFiles(), html);
}

TEST_F(TransformerTest, AUtf16CharsetInThePagesHeadNamesTheLanguagesCharset)
{
    const std::string meta = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-16\">";
    std::string escaped = meta;
    for (std::size_t at = escaped.find('<'); at != std::string::npos; at = escaped.find('<', at))
        escaped.replace(at, 1, "&lt;");
    ReplaceTemplate(600201, BodyTemplate("<xsl:text disable-output-escaping=\"yes\">" + escaped + escaped +
                                         "</xsl:text>"));
    catalog.SetWebCharset("EN", "windows-1252");
    ASSERT_TRUE(Generate(100001, 3001)) << error;
    EXPECT_NE(html.find("charset=windows-1252\">" + meta), std::string::npos) << "the first one only: " << html;
}

TEST_F(TransformerTest, ThePageObjectNamesItsOwnTemplates)
{
    catalog.AddTemplate(600102, 501, 600010, "Other",
                        "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                        "<xsl:template match=\"/\"><p>other master</p><xsl:call-template name=\"body\"/>"
                        "</xsl:template></xsl:stylesheet>");
    catalog.PutNumber(100001, kWebPageClass, 1, "XXX", 600102);
    ASSERT_TRUE(Generate(100001, 3001)) << error;
    EXPECT_EQ(html.substr(0, 17), "<p>other master</") << html;
    EXPECT_NE(html.find("<h1>Welcome &amp; more</h1>"), std::string::npos) << "the type's default body stays";
    EXPECT_EQ(catalog.CurrentTemplateIds(), std::make_pair(600102, 600201));
}

TEST_F(TransformerTest, FixedTemplatesAndStyleReplaceThePagesOwn)
{
    configure = [](TTransformer& t) { t.SetTemplates(600101, 600201, 504002, 505003, 0); };
    catalog.PutNumber(100001, kWebPageClass, 1, "XXX", 999999);  // ignored
    ASSERT_TRUE(Generate(100001, 3001)) << error;
    EXPECT_NE(html.find("| 1/9/504002/preview"), std::string::npos) << html;
    EXPECT_NE(catalog.WorkFile("out.xsl").find("<xsl:param name=\"css2\">505003</xsl:param>"), std::string::npos);
}

// ---- source pages -----------------------------------------------------------------------------

TEST_F(TransformerTest, SourcePagesAreTheirStoredCodeWithTokensReplacedInPreviews)
{
    const std::string code = "<p>$$PageName$$</p><% secret() %><?php echo 1; ?>$$LanguageCode$$";
    struct TCase {
        int type;
        int classId;
    };
    for (const TCase& c : {TCase{401, kHtmlDataClass}, TCase{402, kAspDataClass}, TCase{403, kJspDataClass},
                           TCase{404, kPhpDataClass}, TCase{405, kShtmlDataClass}}) {
        const int id = 200000 + c.type;
        catalog.AddItem(id, c.type, 1);
        catalog.Name(id, "EN", "Tom & Jerry");
        catalog.PutText(id, c.classId, 1, "EN", code);

        configure = [](TTransformer& t) { t.SetReplaceParams(); };
        ASSERT_TRUE(Generate(id, c.type)) << c.type;
        EXPECT_EQ(html, "<p>Tom &amp; Jerry</p>EN") << c.type;

        configure = [](TTransformer&) {};
        ASSERT_TRUE(Generate(id, c.type)) << c.type;
        EXPECT_EQ(html, code) << "published as stored: " << c.type;
    }
    EXPECT_FALSE(std::filesystem::exists(catalog.GetPreviewDir() + "/out.xml")) << "no transformation ran";
}

TEST_F(TransformerTest, AnEmptySourcePageIsAnEmptyDocumentInPreviewsAndEmptyWhenPublished)
{
    catalog.AddItem(200403, 403, 1);
    configure = [](TTransformer& t) { t.SetReplaceParams(); };
    ASSERT_TRUE(Generate(200403, 403));
    EXPECT_EQ(html, "<HTML></HTML>");
    configure = [](TTransformer&) {};
    ASSERT_TRUE(Generate(200403, 403));
    EXPECT_EQ(html, "");
}

TEST_F(TransformerTest, AWebPageWithALinkedJspPageIsThatPageWhenPublishedForAServer)
{
    catalog.AddItem(200403, 403, 1);
    catalog.PutText(200403, kJspDataClass, 1, "EN", "<%= header %><h1>$$PageName$$</h1>");
    catalog.PutNumber(100001, kWebPageClass, 3, "XXX", 200403);

    configure = [](TTransformer& t) { t.SetOutputKind(true, "jsp"); };
    ASSERT_TRUE(Generate(100001, 3001));
    EXPECT_EQ(html, "<%= header %><h1>Welcome &amp; more</h1>") << "scripts stay, tokens are replaced";

    configure = [](TTransformer& t) { t.SetOutputKind(true, "html"); };
    ASSERT_TRUE(Generate(100001, 3001));
    EXPECT_NE(html.find("<h1>Welcome &amp; more</h1><ul>"), std::string::npos) << "transformed as usual: " << html;

    catalog.PutText(200403, kJspDataClass, 1, "EN", "");
    catalog.ResetCollection();
    configure = [](TTransformer& t) { t.SetOutputKind(true, "jsp"); };
    EXPECT_FALSE(Generate(100001, 3001)) << "a linked page without code gives no page";
}

// ---- templates shown by themselves -------------------------------------------------------------------

TEST_F(TransformerTest, ATemplateShownByItselfIsItsOwnMasterWithTheDesktopsLook)
{
    catalog.AddTemplate(600501, 517, 5, "Preview",
                        "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                        "<xsl:template match=\"/\"><p style=\"font:{$FontSize}pt {$FontName};color:{$TextColor};"
                        "background:{$WindowColor}\"><xsl:call-template name=\"body\"/></p></xsl:template>"
                        "</xsl:stylesheet>");
    catalog.SetTypeBodyTemplate(BodyTemplate("<xsl:value-of select=\"$css\"/>-<xsl:value-of select=\"$Highlight\"/>"));
    TDesktopLook look;
    look.FontName = "Sans";
    look.FontSize = 11;
    look.WindowColor = 0xff0000;
    look.TextColor = 0x0a0b0c;
    look.Highlight = 0x00ff00;
    catalog.SetDesktopLook(look);

    ASSERT_TRUE(Generate(600501, 517)) << error;
    EXPECT_EQ(html, "<p style=\"font:11pt Sans;color:#0a0b0c;background:#ff0000\">0-#00ff00</p>\n");
    EXPECT_EQ(catalog.CurrentTemplateIds(), std::make_pair(600501, 0));
    EXPECT_EQ(catalog.WorkFile("out.xsl").find("<xsl:param name=\"css\">0</xsl:param>") != std::string::npos, true);
}

// ---- reports -----------------------------------------------------------------------------------------

class TransformerReportTest : public TransformerTest {
protected:
    TransformerReportTest()
    {
        catalog.AddTemplate(600601, 501, 5, "Report master",
                            "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                            "<xsl:template match=\"/\"><report><xsl:call-template name=\"body\"/></report>"
                            "</xsl:template></xsl:stylesheet>");
        catalog.AddTemplate(600602, 502, 5, "Report body", BodyTemplate("<line>$<xsl:value-of select=\"$lang\"/></line>"));
        catalog.AddTemplate(600603, 518, 5, "Report common",
                            "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"/>");
        for (const int id : {700001, 700003}) {
            catalog.AddItem(id, id == 700001 ? 7001 : 7003, 1);
            catalog.PutNumber(id, kReportClass, 1, "XXX", 600601);
            catalog.PutNumber(id, kReportClass, 2, "XXX", 600602);
        }
    }
};

TEST_F(TransformerReportTest, AReportUsesItsOwnTemplatesAndNoTopOrBottom)
{
    ASSERT_TRUE(Generate(700001, 7001)) << error;
    EXPECT_EQ(html, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<report><line>$EN</line></report>");
    const std::string xsl = catalog.WorkFile("out.xsl");
    EXPECT_NE(xsl.find("method=\"xml\""), std::string::npos);
    EXPECT_EQ(xsl.find("name=\"top\""), std::string::npos);
    EXPECT_EQ(catalog.WorkFile("common.xsl").find("xsl:template"), std::string::npos) << "common templates of reports";

    ASSERT_TRUE(Generate(700003, 7003)) << error;
    EXPECT_EQ(html, "<report><line>$EN</line></report>\n") << "an HTML report";
    EXPECT_NE(catalog.WorkFile("out.xsl").find("method=\"html\""), std::string::npos);
    EXPECT_EQ(catalog.WorkFile("out.xsl").find("name=\"top\""), std::string::npos);
}

TEST_F(TransformerReportTest, AReportWithABrokenBodyGivesThePlainErrorText)
{
    ReplaceTemplate(600602, BodyTemplate("<xsl:value-of select=\"count(\"/>"));
    EXPECT_FALSE(Generate(700003, 7003));
    EXPECT_EQ(error.rfind("XSL transformation error occurred: ", 0), 0u) << error;
    EXPECT_NE(error.find("Invalid number of arguments"), std::string::npos) << "the processor's message: " << error;
    EXPECT_EQ(html.rfind("<HTML><BODY><CENTER><H2>XSL transformation error occurred: ", 0), 0u) << html;
}

TEST_F(TransformerReportTest, AReportWithABodyThatIsNotWellFormedGivesTheParseError)
{
    ReplaceTemplate(600602, BodyTemplate("<line>open</lines>"));
    EXPECT_FALSE(Generate(700003, 7003));
    EXPECT_EQ(error.rfind("XSL data parse error occurred: body.xsl:3:", 0), 0u) << error;
    EXPECT_NE(error.find("mismatch"), std::string::npos) << "the parser's reason: " << error;
    EXPECT_EQ(html, "<HTML><BODY><CENTER><H2>" + TCommonFunctions::EncodeXmlText(error) + "</H2></CENTER></BODY></HTML>");
}

TEST_F(TransformerReportTest, AReportWithoutItsObjectIsNoPage)
{
    catalog.Fixture().DeclareClass(kReportClass, "");  // the class has no tag: no report object
    EXPECT_FALSE(Generate(700003, 7003));
    EXPECT_EQ(error, "Cannot load report object");
}

// ---- failures ----------------------------------------------------------------------------------------

TEST_F(TransformerTest, MissingTemplatesGiveNoPage)
{
    catalog.Fixture().Exec("DELETE FROM CText WHERE ItemId = 600301");
    EXPECT_FALSE(Generate(100001, 3001));
    EXPECT_EQ(error, "Cannot load templates");
    EXPECT_EQ(html, "<HTML><BODY><CENTER><H2>Cannot load templates</H2></CENTER></BODY></HTML>");
    EXPECT_FALSE(std::filesystem::exists(catalog.GetPreviewDir() + "/master.xsl")) << "nothing written";

    ReplaceTemplate(600301, TTransformerTestCatalog::SmallCommon);
    catalog.Fixture().Exec("DELETE FROM CText WHERE ItemId = 600101");
    EXPECT_FALSE(Generate(100001, 3001));
    EXPECT_EQ(error, "Cannot load templates");
}

TEST_F(TransformerTest, AWebPageWithoutItsPageObjectIsNoPage)
{
    catalog.Fixture().DeclareClass(kWebPageClass, "");
    EXPECT_FALSE(Generate(100001, 3001));
    EXPECT_EQ(error, "Cannot load page object");
}

TEST_F(TransformerTest, AFailedTransformationIsAFailureWithAnErrorPageForThePreview)
{
    const struct {
        const char* why;
        std::string body;
    } cases[] = {
        {"runtime error", BodyTemplate("<xsl:message terminate=\"yes\">stopped here</xsl:message>")},
        {"XPath error", BodyTemplate("<xsl:value-of select=\"1 +\"/>")},
        {"undefined template", BodyTemplate("<xsl:call-template name=\"nowhere\"/>")},
        {"an instruction without its select", BodyTemplate("<xsl:value-of/>")},
    };
    for (const auto& c : cases) {
        ReplaceTemplate(600201, c.body);
        EXPECT_FALSE(Generate(100001, 3001)) << c.why;
        EXPECT_EQ(html.rfind("<HTML><H2>XSL transformation error occurred</H2><BR>", 0), 0u) << c.why << ": " << html;
        EXPECT_GT(html.size(), 60u) << "with the processor's message: " << c.why;
        EXPECT_EQ(error.rfind("XSL transformation error occurred: ", 0), 0u) << c.why;
        EXPECT_EQ(catalog.WorkFile("out.html"), WithCrLf(html) + "\r\n") << c.why;
    }
    ReplaceTemplate(600201, TTransformerTestCatalog::SmallBody);
    EXPECT_TRUE(Generate(100001, 3001)) << "a mended template gives the page again: " << error;
    EXPECT_EQ(html, SmallPageHtml);
}

// A template that is not well-formed XML is named with its line, column
// and the parser's reason, so its author can find the fault.
TEST_F(TransformerTest, ATemplateThatIsNotWellFormedShowsTheParseError)
{
    const struct {
        const char* why;
        int templateId;
        std::string xsl;
        std::string where;   // how the reason starts
        std::string reason;  // a part of the parser's reason
    } cases[] = {
        {"an end tag that does not match", 600201, BodyTemplate("<p>open</b>"), "body.xsl:3:", "mismatch"},
        {"an undefined entity", 600201, BodyTemplate("a&nbsp;b"), "body.xsl:3:", "nbsp"},
        {"an unquoted attribute", 600201, BodyTemplate("<p class=x/>"), "body.xsl:3:", "AttValue"},
        {"a style sheet that never ends", 600201,
         "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">", "body.xsl:", ""},
        {"a broken master", 600101, "<xsl:stylesheet version=\"1.0\"\r\n<", "master.xsl:", ""},
    };
    for (const auto& c : cases) {
        ReplaceTemplate(c.templateId, c.xsl);
        EXPECT_FALSE(Generate(100001, 3001)) << c.why;
        const std::string head = "<HTML><H2>A parse error occurred</H2><BR>";
        ASSERT_EQ(html.rfind(head, 0), 0u) << c.why << ": " << html;
        const std::string reason = html.substr(head.size());
        EXPECT_EQ(reason.rfind(c.where, 0), 0u) << c.why << ": " << reason;
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.why << ": " << reason;
        EXPECT_GT(reason.size(), c.where.size() + 10) << "with the parser's reason: " << c.why;
        const std::string prefix = "XSL data parse error occurred: ";
        ASSERT_EQ(error.rfind(prefix, 0), 0u) << c.why << ": " << error;
        EXPECT_EQ(TCommonFunctions::EncodeXmlText(error.substr(prefix.size())), reason) << "escaped in the page";
        EXPECT_EQ(catalog.WorkFile("out.html"), WithCrLf(html) + "\r\n") << c.why;
        ReplaceTemplate(600101, TTransformerTestCatalog::SmallMaster);
        ReplaceTemplate(600201, TTransformerTestCatalog::SmallBody);
    }
    EXPECT_TRUE(Generate(100001, 3001)) << "mended templates give the page again: " << error;
    EXPECT_EQ(html, SmallPageHtml);
}

TEST_F(TransformerTest, TheMessageOfAFailureIsEscapedInTheErrorPage)
{
    ReplaceTemplate(600201, BodyTemplate("<xsl:message terminate=\"yes\">&lt;script&gt;x&lt;/script&gt;</xsl:message>"));
    EXPECT_FALSE(Generate(100001, 3001));
    EXPECT_EQ(html.find("<script>"), std::string::npos) << html;
    EXPECT_NE(html.find("&lt;script&gt;"), std::string::npos) << html;
}

TEST_F(TransformerTest, ACancelledRunStopsBetweenThePhases)
{
    TLog cancelled;
    cancelled.SetCancelled(true);
    log = &cancelled;
    EXPECT_FALSE(Generate(100001, 3001));
    EXPECT_EQ(error, "");
    EXPECT_TRUE(std::filesystem::exists(catalog.GetPreviewDir() + "/out.xsl"));
    EXPECT_FALSE(std::filesystem::exists(catalog.GetPreviewDir() + "/out.xml"));
}

TEST_F(TransformerTest, StyleSheetsCannotWriteFilesOrReadFromTheNetwork)
{
    const std::string written = catalog.GetPreviewDir() + "/written.txt";
    ReplaceTemplate(600201, BodyTemplate("<exsl:document href=\"" + written + "\" method=\"text\">x</exsl:document>",
                                         " xmlns:exsl=\"http://exslt.org/common\" extension-element-prefixes=\"exsl\""));
    EXPECT_FALSE(Generate(100001, 3001));
    EXPECT_FALSE(std::filesystem::exists(written));

    ReplaceTemplate(600201, BodyTemplate("<xsl:copy-of select=\"document('http://127.0.0.1:9/page.xml')\"/>"));
    Generate(100001, 3001);
    EXPECT_EQ(html.find("<h1>"), std::string::npos);

    ReplaceTemplate(600101, "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                            "<xsl:include href=\"http://127.0.0.1:9/master.xsl\"/></xsl:stylesheet>");
    EXPECT_FALSE(Generate(100001, 3001));
    EXPECT_NE(error.find("http://127.0.0.1:9/master.xsl"), std::string::npos) << error;
}

TEST_F(TransformerTest, ASecondPageOfTheSameTransformerStartsAfresh)
{
    TTransformer transformer(catalog, "shop", nullptr);
    ASSERT_TRUE(transformer.GeneratePage(100001, 100001, 3001, "EN", catalog.Collection(),
                                         catalog.Fixture().Connection(), ""));
    ASSERT_TRUE(transformer.GeneratePage(100002, 100002, 3001, "EN", catalog.Collection(),
                                         catalog.Fixture().Connection(), ""))
        << transformer.GetErrorText();
    EXPECT_NE(transformer.GetResultHtml().find("<h1>First</h1><ul></ul>"), std::string::npos)
        << transformer.GetResultHtml();
    EXPECT_EQ(catalog.WorkFile("out.xml").find("Welcome"), std::string::npos);
}

}  // namespace
