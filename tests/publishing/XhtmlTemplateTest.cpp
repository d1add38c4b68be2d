// The XHTML form of templates for outside design tools, and the export of
// a catalog's templates tree in that form.
#include "ImportFixture.h"

#include "catalog/CatalogPageGeneration.h"
#include "catalog/CatalogQueries.h"
#include "generation/Transformer.h"
#include "publishing/ImportTemplateFromXhtml.h"
#include "storage/ObjectCollection.h"
#include "common/CommonGui.h"

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

namespace {

int Number(TImportSite& site, int itemId, int classId, int memberId)
{
    TQueryGuard query(site.Connection());
    query->SetSQL("SELECT NumberValue FROM CNumbers WHERE CatalogCode = 'shop' AND ItemId = " + std::to_string(itemId) +
                  " AND ClassId = " + std::to_string(classId) + " AND MemberId = " + std::to_string(memberId));
    TAbstractRecordset& rows = query->Open(true);
    return rows.Eof() ? 0 : catalog_sql::IntOf(rows.Field("NumberValue"));
}

}  // namespace

TEST(ImportTemplateFromXhtml, AnEditedExportComesBackAsATemplateWithItsSchemesAndGeneratesThePage)
{
    TImportSite site;
    TTempFolder folder;
    std::vector<std::string> exportParams{"DirName=" + folder.Path()};
    ASSERT_TRUE(site.Run<TExportXhtmlTemplates>(exportParams)->Succeeded());
    // The design tool's edits: a paragraph in the page, a changed colour sheet.
    std::string xhtml = TTempFolder::Read(folder.File("templates/600101.xhtml"));
    const std::size_t body = xhtml.find('>', xhtml.find("<body"));
    ASSERT_NE(body, std::string::npos);
    xhtml.insert(body + 1, "<p>Edited outside&nbsp;now</p>");
    folder.Write("templates/600101.xhtml", xhtml);
    folder.Write("css/600111.css", "body { color: #123456 }");

    for (int i = 0; i < 3; ++i)
        site.Program().Gui().QueueAnswer(mrYes);
    std::vector<std::string> params{"filename=" + folder.File("templates/600101.xhtml"), "original=600101",
                                    "originaltype=501"};
    auto import = site.Run<TImportTemplateFromXhtml>(params);
    ASSERT_TRUE(import->Succeeded()) << ::testing::PrintToString(site.Runner().Texts());
    const int master = import->TemplateId();
    EXPECT_EQ(site.ParentOf(master), site.ParentOf(600101));
    EXPECT_EQ(site.Name(master), "600101.xhtml");
    const std::string source = site.Text(master, 503, 1, "XXX");
    EXPECT_EQ(source.find("tolvexstartremove"), std::string::npos);
    EXPECT_EQ(source.find("XHTML 1.0 Transitional"), std::string::npos);
    // The schemes come back from the links between the markers; the sheet was updated, not copied.
    EXPECT_EQ(Number(site, master, 501, 1), 600111);
    EXPECT_EQ(Number(site, master, 501, 2), 600112);
    EXPECT_EQ(site.Text(600111, 504, 1, "XXX").find("#123456") != std::string::npos, true);
    EXPECT_EQ(site.ItemsOfType(504).size(), 1u);

    TObjectCollection collection(site.Program().Root().ObjectContext());
    collection.Open(TPublishSite::kCode, site.Connection());
    TTransformer transformer(site.Data().GetPageGeneration(), TPublishSite::kCode, nullptr);
    transformer.SetTemplates(master, 600201, 600111, 600112, 0);
    const int home = site.HomePageId();
    const int homeType = site.Data().GetQueries().GetItemType(home, TPublishSite::kCode, site.Connection());
    ASSERT_TRUE(transformer.GeneratePage(home, home, homeType, "EN", collection, site.Connection(), ""))
        << transformer.GetErrorText();
    EXPECT_NE(transformer.GetResultHtml().find("Edited outside"), std::string::npos);

    // Importing it again makes a second template, named with (1).
    for (int i = 0; i < 3; ++i)
        site.Program().Gui().QueueAnswer(mrYes);
    auto again = site.Run<TImportTemplateFromXhtml>(params);
    EXPECT_EQ(site.Name(again->TemplateId()), "600101.xhtml (1)");
}

TEST(ImportTemplateFromXhtml, AFileThatIsNotWellFormedIsRefusedWithItsLineAndNothingIsStored)
{
    TImportSite site;
    TTempFolder folder;
    const std::string file = folder.Write("broken.xhtml", "<html>\n<body>\n<p>open\n</body></html>");
    const std::size_t masters = site.ItemsOfType(501).size();
    std::vector<std::string> params{"filename=" + file, "original=600101", "originaltype=501"};
    auto import = site.Run<TImportTemplateFromXhtml>(params);
    EXPECT_FALSE(import->Succeeded());
    EXPECT_EQ(site.ItemsOfType(501).size(), masters);
    bool told = false;
    for (const auto& line : site.Runner().lines)
        told = told || line.Text.rfind("The file is not well-formed XSL (line 4)", 0) == 0;
    EXPECT_TRUE(told) << ::testing::PrintToString(site.Runner().Texts());
}
