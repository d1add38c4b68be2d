// How a source editor decides what it edits, what it stores, its template
// sections and its XML check, without widgets.
#include "editors/site/html/SourceEditorMode.h"
#include "editors/site/html/XmlSourceCheck.h"

#include <gtest/gtest.h>

namespace {

struct TModeCase {
    const char* name;
    std::string pluginName;
    std::string classTag;
    int mode;
    std::string expectedClass;
    TSourceColouring colouring;
};

std::ostream& operator<<(std::ostream& out, const TModeCase& c) { return out << c.name; }

class SourceEditorModeChoice : public ::testing::TestWithParam<TModeCase> {};

TEST_P(SourceEditorModeChoice, ByPluginNameAndClass)
{
    const TModeCase& c = GetParam();
    const TSourceEditorMode mode = TSourceEditorMode::Choose(c.pluginName, c.classTag, "", false);
    EXPECT_EQ(mode.Mode, c.mode);
    EXPECT_EQ(mode.ClassTag, c.expectedClass);
    EXPECT_EQ(mode.Colouring, c.colouring);
    EXPECT_EQ(mode.XmlTools, c.mode == smXml);
    if (c.mode != smDesign) {
        EXPECT_TRUE(mode.TopOnly);
        EXPECT_EQ(mode.MemberTag, "SourceCode");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SourceEditorModeChoice,
    ::testing::Values(
        TModeCase{"XmlPrefixWithAnySuffix", "CommonXmlSourcesEditorForXsl", "", smXml, "XmlData",
                  TSourceColouring::Xml},
        TModeCase{"XmlNameBeatsPhpClass", "CommonXmlSourcesEditor", "PHPData", smXml, "PHPData",
                  TSourceColouring::Xml},
        TModeCase{"Css", "CommonCSSSourcesEditor", "", smCss, "CSSData", TSourceColouring::Css},
        TModeCase{"CssNameBeatsPhpClass", "CommonCSSSourcesEditor", "PHPData", smCss, "PHPData",
                  TSourceColouring::Css},
        TModeCase{"PhpClassWhateverTheName", "CommonJavaScriptSourcesEditor", "PHPData", smPhp, "PHPData",
                  TSourceColouring::Php},
        TModeCase{"AspClassColoursHtml", "SomeEditor", "ASPData", smAsp, "ASPData", TSourceColouring::Html},
        TModeCase{"JspName", "CommonJSPSourcesEditor", "", smJsp, "JSPData", TSourceColouring::Html},
        TModeCase{"JavaScript", "CommonJavaScriptSourcesEditor", "", smJavaScript, "JavaScript",
                  TSourceColouring::JavaScript},
        TModeCase{"HtmlOfTheParameters", "CommonHtmlSourcesEditor", "", smHtmlParams, "XmlData",
                  TSourceColouring::Html},
        TModeCase{"HtmlTabOfTheDesignEditor", "HtmlEditor", "", smDesign, "", TSourceColouring::Html}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SourceEditorMode, DesignModeShowsBothPartsUnlessOnlyTop)
{
    EXPECT_FALSE(TSourceEditorMode::Choose("HtmlEditor", "", "", false).TopOnly);
    EXPECT_TRUE(TSourceEditorMode::Choose("HtmlEditor", "", "", true).TopOnly);
    EXPECT_EQ(TSourceEditorMode::Choose("CommonCSSSourcesEditor", "Css2", "Text", false).MemberTag, "Text");
}

TEST(SourceEditorMode, StoredTexts)
{
    const std::string source = "<%= x %>\r\n\t \r\n\r\n";
    EXPECT_EQ(TSourceEditorMode::Choose("CommonJSPSourcesEditor", "", "", false).StoredText(source), "<%= x %>");
    EXPECT_EQ(TSourceEditorMode::Choose("CommonXmlSourcesEditor", "", "", false).StoredText(source), source);
    EXPECT_EQ(TSourceEditorMode::StoredDesignPart("\r\n"), "");
    EXPECT_EQ(TSourceEditorMode::StoredDesignPart("\n"), "");
    EXPECT_EQ(TSourceEditorMode::StoredDesignPart("\r\n\r\n"), "\r\n\r\n");
}

TEST(SourceEditorMode, SectionsOfTemplates)
{
    const std::string text =
        "<html><!-- TemplateBeginEditable name=\"main\" --><p/><!-- TemplateEndEditable -->\n"
        "<!--#BeginEditable \"side\" -->x\n"
        "<!--   templatebegineditable name=\"Main\" -->"
        "<!-- TemplateBeginEditable name=\"a(b)\" -->\n"
        "<!-- TemplateBeginEditable name=\"main\" -->";
    EXPECT_EQ(TSourceEditorMode::SectionNames(text),
              (std::vector<std::string>{"name=Main", "name=a(b)", "name=main", "side"}))
        << "sorted, once each, the keyword found in any case";
    EXPECT_EQ(TSourceEditorMode::SectionNames("<html><!-- a comment --></html>"), std::vector<std::string>{});

    EXPECT_EQ(TSourceEditorMode::FindSection(text, "side"), static_cast<long long>(text.find("<!--#Begin")));
    EXPECT_EQ(TSourceEditorMode::FindSection(text, "a(b)"), -1)
        << "a region is found by a marker that holds only its quoted name";
    EXPECT_EQ(TSourceEditorMode::FindSection("<!-- #BeginEditable \"a(b)\" -->", "a(b)"), 0)
        << "characters of patterns in a name are taken literally";
    EXPECT_EQ(TSourceEditorMode::FindSection(text, "nowhere"), -1);
}

TEST(XmlSourceCheck, WellFormedOrWhereAndWhy)
{
    EXPECT_TRUE(TXmlSourceCheck::Check("<a><b/>\u00e9</a>").WellFormed);
    const std::string broken = "<a>\n  <b></c>\n</a>";
    const TXmlSourceCheck check = TXmlSourceCheck::Check(broken);
    EXPECT_FALSE(check.WellFormed);
    EXPECT_FALSE(check.Reason.empty());
    EXPECT_NE(check.Reason.back(), '\n');
    EXPECT_GT(check.Position, broken.find("<b>"));
    EXPECT_LE(check.Position, broken.size());
}

}  // namespace
