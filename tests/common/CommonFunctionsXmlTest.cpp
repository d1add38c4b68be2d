// XML and HTML text, character references, wide text.
#include "common/CommonFunctions.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>

using F = TCommonFunctions;

TEST(CommonFunctionsXml, EncodeXmlText)
{
    struct Case { std::string text; std::string encoded; const char* why; };
    const Case cases[] = {
        {"   ", "", "only spaces"},
        {" \t\r\n\x01", "", "only blanks and control characters"},
        {"a&b<c>'d\"", "a&amp;b&lt;c&gt;&#39;d&quot;", "the five characters"},
        {"&lt;", "&amp;lt;", "an existing reference is escaped again"},
        {"text\x01", "text", "a trailing control character 1 is lost"},
        {" a\tb\r\nc\x1f ", " a\tb\r\nc ", "TAB, CR and LF stay; spaces are not trimmed"},
        {"caf\xC3\xA9", "caf\xC3\xA9", "non-ASCII text stays"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(F::EncodeXmlText(c.text), c.encoded) << c.why;
        EXPECT_EQ(F::EncodeXmlValue(c.text), c.encoded) << c.why;
    }
    // An error text shown as a page is escaped and keeps its lines.
    EXPECT_EQ(F::PlainTextPage("line 1: <b>\nline 2"),
              "<html><body><pre style=\"white-space: pre-wrap\">line 1: &lt;b&gt;\nline 2</pre></body></html>");
}

TEST(CommonFunctionsXml, CharacterReferences)
{
    EXPECT_EQ(F::EncodeHighChars("a\xC3\xA9 \xE2\x82\xAC<"), "a&#233; &#8364;<");
    EXPECT_EQ(F::EncodeHighChars("\xF0\x9F\x98\x80"), "&#128512;");
    EXPECT_EQ(F::EncodeHighChars("x\xE9y"), "x&#233;y");  // a stray byte read as Latin-1

    struct Case { std::string text; std::string decoded; const char* why; };
    const Case cases[] = {
        {"&#1058;&#1077;&#1089;&#1090;", "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82", "Cyrillic letters"},
        {"&#65;x;&#66;", "AB", "a piece that is no number is ignored"},
        {"&#65;\r\n&#66;", "AB", "line breaks split too"},
        {"%36%35;+67", "AC", "pieces are URL-decoded"},
        {"&#%4;&#66;", "B", "a piece that cannot be URL-decoded is ignored"},
        {"&#65601;", "A", "the low 16 bits count"},
        {"&#0;&#-5;", "", "only positive numbers"},
        {"&#55357;&#56832;", "\xF0\x9F\x98\x80", "a surrogate pair makes one character"},
        {"&#55357;", "\xEF\xBF\xBD", "a lone surrogate is replaced"},
        {"\"65;66\"", "", "a quoted stretch is one piece"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(F::DecodeCharRefs(c.text), c.decoded) << c.why;
    EXPECT_EQ(F::DecodeCharRefs(F::EncodeHighChars("\xC3\xA9\xE2\x82\xAC")), "\xC3\xA9\xE2\x82\xAC");
}

TEST(CommonFunctionsXml, ExtractHtmlBody)
{
    struct Case { std::string html; std::string body; const char* why; };
    const Case cases[] = {
        {"<html><head><title>t</title></head><BODY class=\"x\">\nhi\n</Body >tail</html>", "\nhi\n",
         "case-insensitive, across lines, attributes"},
        {"<body>a<body>b</body>c</body>", "b", "after the last opening and before the first closing tag"},
        {"no body here", "no body here", "no tags: unchanged"},
        {"<head></head><body>open to the end", "open to the end", "no closing tag"},
        {"start</body>\n\nend", "start", "no opening tag"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(F::ExtractHtmlBody(c.html), c.body) << c.why;
}

TEST(CommonFunctionsXml, RemoveServerScripts)
{
    EXPECT_EQ(F::RemoveServerScripts("a<%x%>b<?php echo 1; ?>c<% y %>d"), "abcd");
    EXPECT_EQ(F::RemoveServerScripts("keep<% never closed %"), "keep");
    EXPECT_EQ(F::RemoveServerScripts("<?a<%b%>?>z"), "z");  // "<%" blocks go first
    EXPECT_EQ(F::RemoveServerScripts("<%%><%%>x"), "x");
    EXPECT_EQ(F::RemoveBlocks("a[1]b[2]c", "[", "]"), "abc");
    EXPECT_EQ(F::RemoveBlocks("abc", "", "]"), "abc");
}

TEST(CommonFunctionsXml, WrapNamedEntities)
{
    const std::string open = "<xsl:text disable-output-escaping=\"yes\">";
    const std::string close = "</xsl:text>";
    struct Case { std::string text; std::string wrapped; const char* why; };
    const Case cases[] = {
        {"<p>a&nbsp;b</p>", "<p>a" + open + "&amp;nbsp;" + close + "b</p>", "one entity"},
        {"<p>&lt;&gt;&amp;&apos;&quot;</p>", "<p>&lt;&gt;&amp;&apos;&quot;</p>", "the XML five stay"},
        {"<p>&AMP;</p>", "<p>" + open + "&amp;AMP;" + close + "</p>", "compared exactly"},
        {"<p>&copy;&reg;</p><i>&eacute;</i>",
         "<p>" + open + "&amp;copy;" + close + open + "&amp;reg;" + close + "</p><i>" + open +
             "&amp;eacute;" + close + "</i>",
         "several entities and stretches"},
        {"<a title=\"&nbsp;\">x</a>", "<a title=\"&nbsp;\">x</a>", "not inside a tag"},
        {"<p>&toolong;&#160;& x;</p>", "<p>&toolong;&#160;& x;</p>", "not entities of 1-6 letters"},
        {"<p>&nbsp;", "<p>&nbsp;", "a stretch needs its closing <"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        F::WrapNamedEntities(text);
        EXPECT_EQ(text, c.wrapped) << c.why;
    }
}

TEST(CommonFunctionsXml, CheckXml)
{
    int pos = -1;
    std::string reason = "old";
    EXPECT_TRUE(F::CheckXml("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a x=\"1\">caf\xC3\xA9</a>",
                            pos, reason));
    EXPECT_EQ(reason, "");
    EXPECT_TRUE(F::CheckXml("<a>\x01</a>", pos, reason)) << "control characters become spaces";
    EXPECT_TRUE(F::CheckXml("<!DOCTYPE a [<!ENTITY e SYSTEM \"http://127.0.0.1:1/x\">]><a>&e;</a>",
                            pos, reason))
        << "external entities are neither fetched nor required";

    const std::string bad = "<a>\n  <b></a>";
    EXPECT_FALSE(F::CheckXml(bad, pos, reason));
    EXPECT_NE(reason.find("mismatch"), std::string::npos) << reason;
    EXPECT_GT(pos, 3) << "the error lies on the second line";
    EXPECT_LE(pos, static_cast<int>(bad.size()));

    EXPECT_FALSE(F::CheckXml("", pos, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(F::CheckXml("<a></a><b/>", pos, reason));
}

TEST(CommonFunctionsXml, WideText)
{
    EXPECT_EQ(F::AnsiToWide(std::string("\x01" "a\tb\r\n\x1f\x7f\xC3\xA9", 10)),
              std::string(" a\tb\r\n \x7f\xC3\xA9", 10));
    EXPECT_EQ(F::WideToAnsi("caf\xC3\xA9"), "caf\xC3\xA9");
}

// The literal, evaluated by the XPath engine, gives the text back unchanged
// and compares equal to an attribute holding it.
TEST(CommonFunctionsXml, XPathStringLiteralSelectsExactlyItsText)
{
    const std::string texts[] = {"", "EN", "it's", "say \"hi\"", "Tom's \"best\"", "'", "\"'", "''\"\"",
                                 "a'b\"c'd", "'\"", "]) or (1=1", "caf\xC3\xA9's"};
    for (const std::string& text : texts) {
        const std::string literal = F::XPathStringLiteral(text);
        xmlDocPtr doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
        xmlNodePtr root = xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar*>("r"), nullptr);
        xmlDocSetRootElement(doc, root);
        xmlSetProp(root, reinterpret_cast<const xmlChar*>("v"), reinterpret_cast<const xmlChar*>(text.c_str()));
        xmlXPathContextPtr context = xmlXPathNewContext(doc);
        xmlXPathObjectPtr value =
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(("string(" + literal + ")").c_str()), context);
        ASSERT_NE(value, nullptr) << literal;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(value->stringval)), text) << literal;
        xmlXPathFreeObject(value);
        xmlXPathObjectPtr found =
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(("/r[@v = " + literal + "]").c_str()), context);
        ASSERT_NE(found, nullptr) << literal;
        EXPECT_EQ(xmlXPathNodeSetGetLength(found->nodesetval), 1) << literal;
        xmlXPathFreeObject(found);
        xmlXPathFreeContext(context);
        xmlFreeDoc(doc);
    }
}
