// Documents lent to transformations: read by document() instead of the
// file, parsed again when their text changes, kept alive across the
// contexts that borrowed them, and not lent where the file must be read.
#include "common/XmlPtr.h"
#include "generation/XsltLentDocuments.h"
#include "XsltContextRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <string>

namespace {

class XsltLentDocuments : public testing::Test {
protected:
    // Transforms a one-element page with a sheet whose Top (top-level
    // elements) and match="/" Body are given; Lend lends "EN.xml" with Text.
    std::string Transform(const std::string& top, const char* lentText)
    {
        const std::string text = "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                                 "<xsl:output method='text'/>" +
                                 top +
                                 "<xsl:variable name='resource' select=\"document('EN.xml')\"/>"
                                 "<xsl:template match='/'><xsl:for-each select='$resource/resources/text'>"
                                 "<xsl:value-of select='concat(@id, \"=\", ., \";\")'/></xsl:for-each>"
                                 "</xsl:template></xsl:stylesheet>";
        const std::string sheetUrl = folder_.File("out.xsl");
        xsltStylesheetPtr sheet = xsltParseStylesheetDoc(
            xmlReadMemory(text.data(), static_cast<int>(text.size()), sheetUrl.c_str(), nullptr, 0));
        EXPECT_NE(sheet, nullptr);
        const TXmlDocPtr page(xmlReadMemory("<Page/>", 7, "page.xml", nullptr, 0));
        const std::string output =
            TransformThroughContext(sheet, page.get(), [&](xsltTransformContextPtr context) {
                if (lentText)
                    lent_.Lend(context, sheetUrl, "EN.xml", lentText);
            });
        xsltFreeStylesheet(sheet);
        return output;
    }

    TTempFolder folder_;
    TXsltLentDocuments lent_;
};

TEST_F(XsltLentDocuments, TheLentTextIsReadInsteadOfTheFileUntilItChanges)
{
    folder_.Write("EN.xml", "<resources><text id='home'>On disk</text></resources>");
    EXPECT_EQ(Transform("", nullptr), "home=On disk;");
    const char* lent = "<resources><text id='home'>Home</text><text id='menu'> Menu </text></resources>";
    EXPECT_EQ(Transform("", lent), "home=Home;menu= Menu ;");
    EXPECT_EQ(Transform("", lent), "home=Home;menu= Menu ;") << "lent again after the first context freed it";
    EXPECT_EQ(Transform("", "<resources><text id='home'>Start</text></resources>"), "home=Start;");
}

TEST_F(XsltLentDocuments, ASheetThatStripsBlanksOrATextThatDoesNotParseReadsTheFile)
{
    folder_.Write("EN.xml", "<resources><text id='menu'> Menu </text></resources>");
    EXPECT_EQ(Transform("<xsl:strip-space elements='*'/>", "<resources><text id='menu'>lent</text></resources>"),
              "menu= Menu ;");
    EXPECT_EQ(Transform("", "<resources><text id='menu'>broken"), "menu= Menu ;");
}

}  // namespace
