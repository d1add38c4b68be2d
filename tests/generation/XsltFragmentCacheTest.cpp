// Result tree fragments without a dictionary, put into a transformation
// context before it runs: style sheets that build, copy, search and
// convert fragments give the same result as with libxslt's own fragments.
#include "common/XmlPtr.h"
#include "generation/XsltFragmentCache.h"
#include "XsltContextRun.h"

#include <gtest/gtest.h>
#include <libexslt/exslt.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <string>

namespace {

struct TSheetCase {
    const char* name;
    const char* body;  // templates and variables inside xsl:stylesheet
};

const char* const kSource =
    "<Page Id='7'><Menu><Entry Id='1'><Name>One</Name></Entry><Entry Id='2'><Name>Two</Name></Entry>"
    "<Entry Id='3'><Name>Three &amp; more</Name></Entry></Menu><Text lang='EN'>Hello</Text></Page>";

// Transforms the source with Body; Filled puts the fragments without a
// dictionary into the context first.
std::string Transform(const char* body, bool filled)
{
    const std::string text = std::string("<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
                                         "xmlns:exsl='http://exslt.org/common' xmlns:p='urn:p' "
                                         "extension-element-prefixes='exsl'>"
                                         "<xsl:output method='xml' omit-xml-declaration='yes'/>") +
                             body + "</xsl:stylesheet>";
    xmlDocPtr sheetDocument = xmlReadMemory(text.data(), static_cast<int>(text.size()), "sheet.xsl", nullptr, 0);
    xsltStylesheetPtr sheet = xsltParseStylesheetDoc(sheetDocument);
    EXPECT_NE(sheet, nullptr);
    if (!sheet)
        return {};
    const TXmlDocPtr source(xmlReadMemory(kSource, static_cast<int>(std::char_traits<char>::length(kSource)),
                                          "page.xml", nullptr, 0));
    const std::string output = TransformThroughContext(sheet, source.get(), [filled](xsltTransformContextPtr context) {
        if (filled) {
            TXsltFragmentCache::Fill(context);
            EXPECT_EQ(context->cache->nbRVT, TXsltFragmentCache::kFragments);
        }
    });
    xsltFreeStylesheet(sheet);
    return output;
}

class XsltFragmentCache : public testing::TestWithParam<TSheetCase> {
protected:
    static void SetUpTestSuite() { exsltRegisterAll(); }
};

TEST_P(XsltFragmentCache, GivesWhatLibxsltsOwnFragmentsGive)
{
    const std::string own = Transform(GetParam().body, false);
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(Transform(GetParam().body, true), own);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, XsltFragmentCache,
    testing::Values(
        // Text and element fragments of global and local variables, nested calls.
        TSheetCase{"VariablesAndParameters",
                   "<xsl:variable name='g'><xsl:value-of select='/Page/@Id'/>-global</xsl:variable>"
                   "<xsl:template name='t'><xsl:param name='v'/><b><xsl:value-of select='$v'/></b></xsl:template>"
                   "<xsl:template match='/'><r><xsl:value-of select='$g'/>"
                   "<xsl:for-each select='//Entry'><xsl:variable name='n'><xsl:value-of select='Name'/></xsl:variable>"
                   "<xsl:call-template name='t'><xsl:with-param name='v'><i><xsl:value-of select='$n'/></i>"
                   "</xsl:with-param></xsl:call-template></xsl:for-each></r></xsl:template>"},
        // Fragments copied into the result: source names, computed names,
        // attributes and namespaces.
        TSheetCase{"CopiedFragments",
                   "<xsl:template match='/'><xsl:variable name='f'><xsl:copy-of select='//Entry'/>"
                   "<xsl:element name='{concat(\"made\", /Page/@Id)}'><xsl:attribute name='a'>1</xsl:attribute>"
                   "<p:x p:y='z'/></xsl:element><xsl:comment>c</xsl:comment></xsl:variable>"
                   "<r><xsl:copy-of select='$f'/><xsl:copy-of select='$f'/></r></xsl:template>"},
        // A fragment turned into a node set, searched, numbered and sorted.
        TSheetCase{"NodeSetOfAFragment",
                   "<xsl:template match='/'><xsl:variable name='f'><xsl:for-each select='//Entry'>"
                   "<e id='{@Id}'><xsl:value-of select='Name'/></e></xsl:for-each></xsl:variable>"
                   "<xsl:variable name='set' select='exsl:node-set($f)/e'/>"
                   "<r n='{count($set)}' same='{generate-id($set[1]) = generate-id($set[1])}'>"
                   "<xsl:for-each select='$set'><xsl:sort select='.' order='descending'/>"
                   "<xsl:value-of select='concat(position(), @id, .)'/></xsl:for-each>"
                   "<xsl:value-of select='$set[@id = 2]'/></r></xsl:template>"},
        // More fragments alive at once than the store holds.
        TSheetCase{"ManyFragmentsAtOnce",
                   "<xsl:template name='deep'><xsl:param name='n'/><xsl:variable name='v'>[<xsl:value-of select='$n'/>]"
                   "</xsl:variable><xsl:choose><xsl:when test='$n &gt; 0'><xsl:call-template name='deep'>"
                   "<xsl:with-param name='n' select='$n - 1'/></xsl:call-template></xsl:when></xsl:choose>"
                   "<xsl:value-of select='$v'/></xsl:template>"
                   "<xsl:template match='/'><r><xsl:call-template name='deep'><xsl:with-param name='n' select='60'/>"
                   "</xsl:call-template></r></xsl:template>"}),
    [](const testing::TestParamInfo<TSheetCase>& info) { return std::string(info.param.name); });

}  // namespace
