// The XHTML form of templates for outside design tools, and the export of
// a catalog's templates tree in that form.
#include "PublishSiteFixture.h"

#include "publishing/ExportXhtmlTemplates.h"
#include "publishing/XhtmlTemplateText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace xhtml_template;

TEST(XhtmlTemplateText, ExportFormUnwrapsEntitiesRewritesRegionsAndLinksTheSchemes)
{
    const std::string source =
        "<?xml version=\"1.0\"?><html><head>\r\n<title>t</title></head><body>"
        "<xsl:text disable-output-escaping=\"yes\">&amp;nbsp;&amp;copy;</xsl:text>"
        "<!-- #BeginEditable \"main\" -->x<!-- #EndEditable --></body></html>";
    const std::string xhtml = ToXhtml(source, 501, 600111, 0);
    EXPECT_EQ(xhtml.rfind("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\"", 0), 0u);
    EXPECT_EQ(xhtml.find("<?xml"), std::string::npos);
    EXPECT_NE(xhtml.find("<body>&nbsp;&copy;<!-- TemplateBeginEditable name=\"main\" -->x<!-- TemplateEndEditable -->"),
              std::string::npos)
        << xhtml;
    EXPECT_NE(xhtml.find("<HTML xmlns=\"http://www.w3.org/1999/xhtml\">"), std::string::npos);
    EXPECT_NE(xhtml.find("</HTML>"), std::string::npos);
    // One link (no font scheme), between CR and LF after <head>.
    EXPECT_NE(xhtml.find("<head>\r<!-- #tolvexstartremove --><LINK REL=\"stylesheet\" TYPE=\"text/css\" TITLE=\"Style\" "
                         "HREF=\"../css/600111.css\"/><!-- #tolvexendremove -->\n"),
              std::string::npos)
        << xhtml;
    // A body template gets no links.
    EXPECT_EQ(ToXhtml(source, 502, 600111, 0).find("tolvexstartremove"), std::string::npos);
}

TEST(XhtmlTemplateText, ImportFormRemovesMarkerPairsOneByOneAndFindsTheLinksInFileOrder)
{
    const std::string xhtml =
        "<!DOCTYPE html PUBLIC \"x\">\r\n<HTML xmlns=\"http://www.w3.org/1999/xhtml\"><head>"
        "<!-- #tolvexstartremove --><link rel=\"stylesheet\" href=\"../css/b.css\"/><!-- #tolvexendremove -->"
        "<title>kept</title>"
        "<!-- #tolvexstartremove --><LINK HREF=\"../css/a.css\"/><!-- #tolvexendremove -->"
        "</head><body>&nbsp;&amp;</body></HTML>";
    const std::string text = FromXhtml(xhtml);
    EXPECT_EQ(text.find("DOCTYPE"), std::string::npos);
    EXPECT_NE(text.find("<HTML><head><title>kept</title></head>"), std::string::npos) << text;
    EXPECT_NE(text.find("<xsl:text disable-output-escaping=\"yes\">&amp;nbsp;</xsl:text>&amp;"), std::string::npos)
        << text;
    EXPECT_EQ(LinkedStyleSheets(xhtml), (std::vector<std::string>{"../css/b.css", "../css/a.css"}));
    EXPECT_EQ(BaseName("../css/600111.css"), "600111");
    EXPECT_EQ(BaseName("../css/noext"), "");

    // The export's form comes back to the source.
    const std::string source = "<html><head>\r\n<title>t</title></head><body>&amp;</body></html>";
    EXPECT_EQ(FromXhtml(ToXhtml(source, 501, 600111, 600112)), "\r\n<HTML><head>\r\n<title>t</title></head><body>&amp;</body></HTML>");
}

TEST(ExportXhtmlTemplates, TheTreeIsWrittenByKindAndNamesNeverCollide)
{
    TPublishSite site;
    const int a = site.AddItem(504, 5);
    site.SetSource(a, "CSSData", "a{}");
    site.SetAltFileName(a, "site.colours");
    const int b = site.AddItem(505, 5);
    site.SetSource(b, "CSSData", "b{}");
    site.SetAltFileName(b, "site_colours");  // the same file name once made safe
    TTempFolder folder;
    std::vector<std::string> params{"DirName=" + folder.Path()};
    auto exporter = std::make_unique<TExportXhtmlTemplates>(
        params, site.Connection(),
        TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(), &site.Program().Root(), nullptr});
    exporter->Run();
    EXPECT_TRUE(exporter->Succeeded());
    EXPECT_EQ(TTempFolder::Read(folder.File("css/site_colours.css")), "a{}\r\n");
    EXPECT_EQ(TTempFolder::Read(folder.File("css/site_colours_" + std::to_string(b) + ".css")), "b{}\r\n");
    // The shipped master (600101) with its colour sheet linked, the pictures of the templates.
    const std::string master = TTempFolder::Read(folder.File("templates/600101.xhtml"));
    EXPECT_EQ(master.rfind("<!DOCTYPE html", 0), 0u);
    EXPECT_NE(master.find("HREF=\"../css/600111.css\""), std::string::npos);
    EXPECT_TRUE(fs::exists(folder.File("templates/600302.xml")));
    EXPECT_TRUE(fs::exists(folder.File("images/600121.png")));
}
