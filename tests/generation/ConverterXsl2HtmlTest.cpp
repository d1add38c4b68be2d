// The XSL-to-HTML converter: the cutting of master and body templates, the
// editable-region comments, the entity unwrapping and the renaming of XSL
// elements; and the round trip of every shipped master and body template:
// each bdo element carries the name of the XSL element it stands for, in
// the same order, and putting the XSL elements back gives the template's
// content unchanged.
#include "ShippedTemplates.h"

#include "common/WellKnownIds.h"
#include "common/XmlPtr.h"
#include "generation/ConverterXsl2Html.h"

#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <string>
#include <vector>

namespace {


std::string Convert(const std::string& xsl, int type)
{
    TConverterXsl2Html converter;
    std::string html = "left over";
    converter.Convert(xsl, type, html);
    return html;
}

const std::string Head =
    "<?xml version=\"1.0\"?>\n<xsl:stylesheet version=\"1.0\" "
    "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n";

TEST(ConverterXsl2Html, CutsTheContentOfTheTemplateByItemType)
{
    struct TCase {
        const char* Why;
        std::string Xsl;
        int Type;
        std::string Html;
    };
    const std::vector<TCase> cases = {
        {"master: the content of its last template matching / up to the first end tag after it",
         Head + "<xsl:template match=\"/\">old</xsl:template>\n<xsl:template  match=\"/\" >"
                "<html><body><xsl:call-template name=\"body\"/></body></html></xsl:template>\n"
                "<xsl:template name=\"x\"><p/></xsl:template></xsl:stylesheet>",
         kMasterTemplateType, "<html><body><bdo xsl=call-template name=\"body\"/></body></html>"},
        {"body: the content of its template named body",
         Head + "<xsl:template name=\"body\">\n<h1><xsl:value-of select=\"a\"/></h1>\n"
                "</xsl:template></xsl:stylesheet>",
         kBodyTemplateType, "\n<h1><bdo xsl=value-of select=\"a\"/></h1>\n"},
        {"body: region comments right at the start and the end go, with the blanks after them",
         Head + "<xsl:template name=\"body\"><!-- #EndEditable -->\n<p>x</p>\n"
                "<!-- #BeginEditable \"body\" -->  \n</xsl:template></xsl:stylesheet>",
         kBodyTemplateType, "<p>x</p>\n"},
        {"body: design-tool region comments likewise",
         Head + "<xsl:template name=\"body\"><!--TemplateEndEditable--><p>x</p>"
                "<!-- TemplateBeginEditable \"body\" --></xsl:template></xsl:stylesheet>",
         kBodyTemplateType, "<p>x</p>"},
        {"body: a line break before the first comment keeps it",
         Head + "<xsl:template name=\"body\">\n<!-- #EndEditable -->\n<p>x</p>"
                "<!-- #BeginEditable \"body\" --></xsl:template></xsl:stylesheet>",
         kBodyTemplateType, "\n<!-- #EndEditable -->\n<p>x</p>"},
        {"body: without the named template, everything up to the first end tag",
         "<xsl:template match=\"/\"><p>x</p></xsl:template><xsl:template name=\"y\"/>", kBodyTemplateType,
         "<bdo xsl=template match=\"/\"><p>x</p>"},
        {"upper-case XSL elements are renamed like lower-case ones",
         Head + "<XSL:TEMPLATE NAME=\"body\"><XSL:IF test=\"a\"><b/></XSL:IF></XSL:TEMPLATE>", kBodyTemplateType,
         "<bdo xsl=IF test=\"a\"><b/></bdo>"},
        {"a language resource has no editable form", "<resources lang=\"EN\"/>", 503, ""},
        {"nor a common template", Head + "<xsl:template match=\"/\"/></xsl:stylesheet>", 512, ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Convert(c.Xsl, c.Type), c.Html) << c.Why;
}

TEST(ConverterXsl2Html, UnwrapsOnlyTextElementsThatHoldNothingButEscapedEntities)
{
    const std::string wrapped = "<xsl:text disable-output-escaping=\"yes\">";
    struct TCase {
        const char* Why;
        std::string Content;
        std::string Html;
    };
    const std::vector<TCase> cases = {
        {"two references", "a" + wrapped + "&amp;nbsp;&amp;nbsp;</xsl:text>b", "a&nbsp;&nbsp;b"},
        {"each element of several", wrapped + "&amp;copy;</xsl:text> " + wrapped + "&amp;reg;</xsl:text>",
         "&copy; &reg;"},
        {"references apart are left to the renaming",
         wrapped + "&amp;nbsp; &amp;nbsp;</xsl:text>",
         "<bdo xsl=text disable-output-escaping=\"yes\">&amp;nbsp; &amp;nbsp;</bdo>"},
        {"a name longer than six letters", wrapped + "&amp;thetasym;</xsl:text>",
         "<bdo xsl=text disable-output-escaping=\"yes\">&amp;thetasym;</bdo>"},
        {"other text", wrapped + "&lt;!DOCTYPE html&gt;</xsl:text>",
         "<bdo xsl=text disable-output-escaping=\"yes\">&lt;!DOCTYPE html&gt;</bdo>"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Convert(Head + "<xsl:template match=\"/\">" + c.Content + "</xsl:template></xsl:stylesheet>",
                          kMasterTemplateType),
                  c.Html)
            << c.Why;
}

// The region comment at the end of a body, and its near misses: the
// comment holds no ">" and a quoted name, and only blanks may follow it.
TEST(ConverterXsl2Html, OnlyARegionCommentWithAQuotedNameAtTheVeryEndGoes)
{
    struct TCase {
        const char* Why;
        std::string Content;
        std::string Html;
    };
    const std::vector<TCase> cases = {
        {"blanks everywhere", "<p/><!--\t#BeginEditable\n\"a \"b\" c\" \r\n-->\r\n ", "<p/>"},
        {"an empty name", "<p/><!--#BEGINEDITABLE\"\"-->", "<p/>"},
        {"the first of two comments that qualify", "<p/><!--#BeginEditable \"<!--#BeginEditable \"x\"-->", "<p/>"},
        {"a name with one quote only", "<p/><!--#BeginEditable \"-->", "<p/><!--#BeginEditable \"-->"},
        {"a \">\" inside", "<p/><!--#BeginEditable \"a>b\"-->", "<p/><!--#BeginEditable \"a>b\"-->"},
        {"a later comment after a \">\"", "<!--#BeginEditable \"a><!-- TemplateBeginEditable \"b\" -->", "<!--#BeginEditable \"a>"},
        {"text after it", "<p/><!--#BeginEditable \"x\"--> x", "<p/><!--#BeginEditable \"x\"--> x"},
        {"no quotes", "<p/><!--#BeginEditable x-->", "<p/><!--#BeginEditable x-->"},
        {"another keyword", "<p/><!--#EndEditable \"x\"-->", "<p/><!--#EndEditable \"x\"-->"},
        {"something between keyword and name", "<p/><!--#BeginEditable: \"x\"-->", "<p/><!--#BeginEditable: \"x\"-->"},
        {"only the end", "\"-->", "\"-->"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Convert(Head + "<xsl:template name=\"body\">" + c.Content + "</xsl:template>", kBodyTemplateType), c.Html)
            << c.Why;
}

// Large malformed bodies: every step takes time in proportion to the text,
// and the text comes out as the steps say.
TEST(ConverterXsl2Html, LargeMalformedBodiesAreConvertedWhole)
{
    const std::string open = Head + "<xsl:template name=\"body\">";
    std::string comments;
    while (comments.size() < 256 * 1024)
        comments += "<!-- #BeginEditable \"region ";
    EXPECT_EQ(Convert(open + comments, kBodyTemplateType), comments) << "unterminated region comments stay";
    EXPECT_EQ(Convert(open + "<b/>" + comments + "\" -->", kBodyTemplateType), "<b/>") << "from the first one on";
    EXPECT_EQ(Convert(open + comments + "\" --> x", kBodyTemplateType), comments + "\" --> x") << "text after the last";

    std::string ends;
    while (ends.size() < 256 * 1024)
        ends += "</xsl:if ";
    EXPECT_EQ(Convert(open + ends, kBodyTemplateType), ends) << "end tags that never close stay";
    const std::string closed = Convert(open + ends + ">", kBodyTemplateType);
    EXPECT_EQ(closed, "</bdo>") << "one end tag up to the only \">\"";

    std::string wrapped;
    std::string unwrapped;
    while (wrapped.size() < 256 * 1024) {
        wrapped += "<xsl:text disable-output-escaping=\"yes\">&amp;nbsp;&amp;copy;</xsl:text>.";
        unwrapped += "&nbsp;&copy;.";
    }
    EXPECT_EQ(Convert(open + wrapped, kBodyTemplateType), unwrapped) << "every one of many text elements";
}

TEST(ConverterXsl2Html, OneConverterServesSeveralConversions)
{
    TConverterXsl2Html converter;
    std::string first;
    std::string second;
    converter.Convert(Head + "<xsl:template name=\"body\"><i/></xsl:template>", kBodyTemplateType, first);
    converter.Convert("<x/>", 503, second);
    EXPECT_EQ(first, "<i/>");
    EXPECT_EQ(second, "");
}

// ---- round trip of the shipped templates ----------------------------------------

// The content of the template that the converter edits, cut from the raw
// text: between the start tag and the first end tag after it.
std::string TemplateContent(const std::string& xsl, const std::string& startTag)
{
    const std::size_t start = xsl.rfind(startTag);
    if (start == std::string::npos)
        return "";
    const std::size_t from = start + startTag.size();
    return xsl.substr(from, xsl.find("</xsl:template>", from) - from);
}

// End of the tag that starts at Pos (after its ">"), skipping quoted values.
std::size_t TagEnd(const std::string& text, std::size_t pos)
{
    char quote = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return pos + 1;
        }
    }
    return std::string::npos;
}

// Puts the XSL elements back: a "bdo" start tag becomes the XSL start tag
// its "xsl" attribute names, a "</bdo>" the end tag of the innermost open
// one. Names collects the element names in order; false when an end tag
// has no open element or an element stays open.
bool RestoreXsl(const std::string& html, std::string& xsl, std::vector<std::string>& names)
{
    const std::string open = "<bdo xsl=";
    const std::string close = "</bdo>";
    std::vector<std::string> stack;
    std::size_t pos = 0;
    xsl.clear();
    while (pos < html.size()) {
        if (html.compare(pos, open.size(), open) == 0) {
            const std::size_t nameStart = pos + open.size();
            const std::size_t nameEnd = html.find_first_of(" \t\r\n/>", nameStart);
            const std::size_t end = TagEnd(html, pos);
            if (nameEnd == std::string::npos || end == std::string::npos)
                return false;
            const std::string name = html.substr(nameStart, nameEnd - nameStart);
            names.push_back(name);
            if (html[end - 2] != '/')
                stack.push_back(name);
            xsl += "<xsl:" + html.substr(nameStart, end - nameStart);
            pos = end;
        } else if (html.compare(pos, close.size(), close) == 0) {
            if (stack.empty())
                return false;
            xsl += "</xsl:" + stack.back() + ">";
            stack.pop_back();
            pos += close.size();
        } else {
            xsl += html[pos++];
        }
    }
    return stack.empty();
}

// Local names of the XSL elements below Parent, in document order.
void CollectXslNames(xmlNodePtr parent, std::vector<std::string>& names)
{
    for (xmlNodePtr child = xmlFirstElementChild(parent); child; child = xmlNextElementSibling(child)) {
        if (child->ns && std::string(reinterpret_cast<const char*>(child->ns->href)) ==
                             "http://www.w3.org/1999/XSL/Transform")
            names.emplace_back(reinterpret_cast<const char*>(child->name));
        CollectXslNames(child, names);
    }
}

// The XSL element names inside the edited template, from the parsed file.
std::vector<std::string> XslNamesInTemplate(const std::string& path, int type)
{
    std::vector<std::string> names;
    const TXmlDocPtr doc(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET));
    if (!doc)
        return names;
    xmlNodePtr edited = nullptr;
    for (xmlNodePtr t = xmlFirstElementChild(xmlDocGetRootElement(doc.get())); t; t = xmlNextElementSibling(t)) {
        if (std::string(reinterpret_cast<const char*>(t->name)) != "template")
            continue;
        xmlChar* match = xmlGetProp(t, reinterpret_cast<const xmlChar*>("match"));
        xmlChar* name = xmlGetProp(t, reinterpret_cast<const xmlChar*>("name"));
        if ((type == kMasterTemplateType && match && std::string(reinterpret_cast<char*>(match)) == "/") ||
            (type == kBodyTemplateType && name && std::string(reinterpret_cast<char*>(name)) == "body"))
            edited = t;
        xmlFree(match);
        xmlFree(name);
    }
    if (edited)
        CollectXslNames(edited, names);
    return names;
}

TEST(ConverterXsl2Html, ShippedMasterAndBodyTemplatesMakeTheRoundTrip)
{
    std::size_t templates = 0;
    for (int type : {kMasterTemplateType, kBodyTemplateType}) {
        for (const TShippedItem& item : ShippedItemsOfType(type)) {
            SCOPED_TRACE(item.File);
            ++templates;
            const std::string xsl = ReadDataFile(item.File);
            const std::string html = Convert(xsl, type);
            ASSERT_FALSE(html.empty());
            for (const char* rest : {"<xsl:", "</xsl:", "<XSL:", "tolvex"})
                EXPECT_EQ(html.find(rest), std::string::npos) << rest;

            std::string restored;
            std::vector<std::string> names;
            ASSERT_TRUE(RestoreXsl(html, restored, names)) << "every </bdo> closes an open bdo";
            EXPECT_EQ(names, XslNamesInTemplate(DataPath(item.File), type))
                << "each bdo names its XSL element";
            const std::string startTag =
                type == kMasterTemplateType ? "<xsl:template match=\"/\">" : "<xsl:template name=\"body\">";
            EXPECT_EQ(restored, TemplateContent(xsl, startTag)) << "nothing else changed";
        }
    }
    EXPECT_GE(templates, 4u);
}

}  // namespace
