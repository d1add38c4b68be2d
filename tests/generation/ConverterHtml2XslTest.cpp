// The way back of the WYSIWYG template editor: a design tree, as the web
// engine gives it (names lower-cased, entities turned into characters, XSL
// elements as "bdo" elements), becomes the template's XSL again, and the
// comparison of style sheets tells a lossless round trip from one the HTML
// parser damaged.
#include "generation/ConverterHtml2Xsl.h"

#include "common/WellKnownIds.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using TKind = TDesignNode::TKind;

TDesignNode Text(std::string value) { return {TKind::Text, {}, {}, std::move(value), {}}; }
TDesignNode Comment(std::string value) { return {TKind::Comment, {}, {}, std::move(value), {}}; }
TDesignNode Element(std::string name, std::vector<std::pair<std::string, std::string>> attributes,
                    std::vector<TDesignNode> children = {})
{
    return {TKind::Element, std::move(name), std::move(attributes), {}, std::move(children)};
}
TDesignNode Body(std::vector<TDesignNode> children) { return Element("body", {}, std::move(children)); }

std::string BodyTemplate(const std::string& content)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" "
           "xmlns:o=\"urn:office\">\n"
           "  <!-- kept outside the body -->\n"
           "  <xsl:template name=\"body\">" +
           content + "</xsl:template>\n</xsl:stylesheet>\n";
}

}  // namespace

TEST(ConverterHtml2Xsl, UneditedDesignsGiveTheSameStyleSheet)
{
    struct TCase {
        const char* what;
        std::string content;  // the template's body
        TDesignNode design;   // as the engine parses its editable HTML
    };
    const TCase cases[] = {
        {"XSL elements come back from bdo elements, select attributes and all",
         "<p class=\"x\"><xsl:value-of select=\"a &lt; b\"/></p>",
         Body({Element("p", {{"class", "x"}}, {Element("bdo", {{"xsl", "value-of"}, {"select", "a < b"}})})})},
        {"attribute and element case as the template spells it",
         "<TD onClick=\"go()\" colSpan=\"2\">x</TD>",
         Body({Element("td", {{"onclick", "go()"}, {"colspan", "2"}}, {Text("x")})})},
        {"names that are no simple names", "<o:p xml:lang=\"de\">a</o:p>",
         Body({Element("o:p", {{"xml:lang", "de"}}, {Text("a")})})},
        {"comments", "<!-- region --><p>a</p>", Body({Comment(" region "), Element("p", {}, {Text("a")})})},
        {"UTF-8 text and escaped entities", "<p>Größe&#8364;<xsl:text disable-output-escaping=\"yes\">&amp;nbsp;&amp;copy;</xsl:text>x</p>",
         Body({Element("p", {}, {Text("Größe€\xC2\xA0\xC2\xA9x")})})},
        {"a bdo without an xsl attribute stays a bdo", "<bdo dir=\"rtl\">a</bdo>",
         Body({Element("bdo", {{"dir", "rtl"}}, {Text("a")})})},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string original = BodyTemplate(c.content);
        TConverterHtml2Xsl::TResult result;
        ASSERT_TRUE(TConverterHtml2Xsl::Convert(original, kBodyTemplateType, c.design, result));
        EXPECT_EQ(result.RejectedNames, std::vector<std::string>{});
        std::string difference;
        EXPECT_TRUE(TConverterHtml2Xsl::SameStyleSheet(original, result.Xsl, difference))
            << difference << "\n" << result.Xsl;
        // What lies outside the body is kept byte for byte.
        EXPECT_EQ(result.Xsl.substr(0, original.find("<xsl:template")), original.substr(0, original.find("<xsl:template")));
    }
}

TEST(ConverterHtml2Xsl, EditsAreWrittenAsXsl)
{
    const std::string original = BodyTemplate("<p><xsl:value-of select=\"Name\"/> text</p>");
    const TDesignNode edited = Body({Element(
        "p", {}, {Element("b", {}, {Element("bdo", {{"xsl", "value-of"}, {"select", "Name"}})}), Text(" text"),
                  Element("img", {{"src", "../images/7.gif"}})})});
    TConverterHtml2Xsl::TResult result;
    ASSERT_TRUE(TConverterHtml2Xsl::Convert(original, kBodyTemplateType, edited, result));
    EXPECT_NE(result.Xsl.find("<xsl:template name=\"body\"><p><b><xsl:value-of select=\"Name\"/></b> text"
                              "<img src=\"../images/7.gif\"/></p></xsl:template>"),
              std::string::npos)
        << result.Xsl;
    std::string difference;
    EXPECT_FALSE(TConverterHtml2Xsl::SameStyleSheet(original, result.Xsl, difference));
    EXPECT_NE(difference.find("the template has the element xsl:value-of where the browser put b"), std::string::npos) << difference;
}

TEST(ConverterHtml2Xsl, AForEachTheParserMovedOutOfItsTableIsNoLosslessRoundTrip)
{
    const std::string original = BodyTemplate(
        "<table><xsl:for-each select=\"Row\"><tr><td><xsl:value-of select=\".\"/></td></tr></xsl:for-each></table>");
    // The HTML parser puts the for-each before the table and keeps the row in it.
    const TDesignNode parsed = Body(
        {Element("bdo", {{"xsl", "for-each"}, {"select", "Row"}}),
         Element("table", {}, {Element("tbody", {}, {Element("tr", {}, {Element("td", {}, {Element("bdo", {{"xsl", "value-of"}, {"select", "."}})})})})})});
    TConverterHtml2Xsl::TResult result;
    ASSERT_TRUE(TConverterHtml2Xsl::Convert(original, kBodyTemplateType, parsed, result));
    std::string difference;
    EXPECT_FALSE(TConverterHtml2Xsl::SameStyleSheet(original, result.Xsl, difference));
    EXPECT_NE(difference.find("xsl:template"), std::string::npos) << difference;
}

TEST(ConverterHtml2Xsl, WhatXslCannotHoldIsRejectedAndLeftOut)
{
    const std::string original = BodyTemplate("<p>a</p>");
    const TDesignNode design = Body({Element("p", {{"a\"b", "1"}, {"id", "k"}}, {Text("a")}),
                                     Element("bdo", {{"xsl", "if"}, {"test", "1"}, {"style", "font-weight: normal"}}),
                                     Element("x<y", {}, {Text("gone")}), Comment("a -- b")});
    TConverterHtml2Xsl::TResult result;
    ASSERT_TRUE(TConverterHtml2Xsl::Convert(original, kBodyTemplateType, design, result));
    EXPECT_EQ(result.RejectedNames, (std::vector<std::string>{"a\"b", "style (on xsl:if)", "x<y", "<!--a -- b-->"}));
    EXPECT_EQ(result.Xsl.find("gone"), std::string::npos);
    EXPECT_NE(result.Xsl.find("<p id=\"k\">a</p><xsl:if test=\"1\"/>"), std::string::npos) << result.Xsl;
}

TEST(ConverterHtml2Xsl, BlanksCountOnlyWhereTheProcessorKeepsThem)
{
    std::string difference;
    const std::string a = BodyTemplate("<p>a</p>\n  <xsl:text> </xsl:text>");
    EXPECT_TRUE(TConverterHtml2Xsl::SameStyleSheet(a, BodyTemplate("<p>a</p><xsl:text> </xsl:text>"), difference))
        << difference;
    EXPECT_FALSE(TConverterHtml2Xsl::SameStyleSheet(a, BodyTemplate("<p>a</p><xsl:text/>"), difference));
    EXPECT_FALSE(TConverterHtml2Xsl::SameStyleSheet(a, "<broken", difference));
    EXPECT_EQ(difference, "the converted template is no well-formed XML");
}

TEST(ConverterHtml2Xsl, OnlyMasterAndBodyTemplatesConvert)
{
    TConverterHtml2Xsl::TResult result;
    EXPECT_FALSE(TConverterHtml2Xsl::Convert(BodyTemplate("<p/>"), 504, Body({}), result));
    EXPECT_FALSE(TConverterHtml2Xsl::Convert(BodyTemplate("<p/>"), kMasterTemplateType, Body({}), result));
    const std::string master = "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                               "<xsl:template match=\"/\"><html><body>a</body></html></xsl:template></xsl:stylesheet>";
    ASSERT_TRUE(TConverterHtml2Xsl::Convert(
        master, kMasterTemplateType, Element("html", {}, {Element("head", {}), Element("body", {}, {Text("a")})}),
        result));
    std::string difference;
    EXPECT_FALSE(TConverterHtml2Xsl::SameStyleSheet(master, result.Xsl, difference));
    EXPECT_NE(difference.find("the template has the element body where the browser put head"), std::string::npos) << difference;
}

TEST(ConverterHtml2Xsl, EditableHtmlWritesEmptyElementsWithAnEndTag)
{
    const std::string html = TConverterHtml2Xsl::EditableHtml(
        BodyTemplate("<xsl:call-template name=\"a\"/><p><xsl:if test=\"b &gt; 1\">x</xsl:if><br/>"
                     "<xsl:value-of select='c[. > 2]' /><span class=\"s\"/></p><!-- <x/> -->"),
        kBodyTemplateType);
    EXPECT_EQ(html, "<bdo xsl=call-template name=\"a\"></bdo><p><bdo xsl=if test=\"b &gt; 1\">x</bdo><br/>"
                    "<bdo xsl=value-of select='c[. > 2]'></bdo><span class=\"s\"></span></p><!-- <x/> -->");
}

TEST(ConverterHtml2Xsl, ComparingStyleSheetsReadsNoFileAnEntityNames)
{
    const TTempFolder folder;
    const std::string secret = folder.Write("secret.txt", "the-secret");
    const std::string head = "<?xml version=\"1.0\"?>\n<!DOCTYPE xsl:stylesheet [<!ENTITY e SYSTEM \"file://" + secret +
                             "\">]>\n<xsl:stylesheet version=\"1.0\" "
                             "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"><xsl:template match=\"/\"><p>";
    const std::string tail = "</p></xsl:template></xsl:stylesheet>";
    std::string difference;
    EXPECT_FALSE(TConverterHtml2Xsl::SameStyleSheet(head + "&e;" + tail, head + "the-secret" + tail, difference))
        << "the entity was replaced by the file's text";
}
