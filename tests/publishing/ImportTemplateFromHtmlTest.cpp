// An HTML page made into a master and a body template beside the skeleton
// it was given: the page in the template's main rule, its pictures, style
// sheets and scripts imported from its own folder only and referred to where
// publishing writes them, numeric file names that name an item only of the
// right type, and pages generated with the new templates.
#include "publishing/ImportTemplateFromHtml.h"

#include "ImportFixture.h"

#include "catalog/CatalogPageGeneration.h"
#include "catalog/CatalogQueries.h"
#include "common/CommonGui.h"
#include "common/Picture.h"
#include "common/PictureCodec.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"

#include <gtest/gtest.h>

namespace {

std::string Png()
{
    TPicture picture(2, 2);
    picture.Fill({1, 2, 3, 255});
    return TPictureCodec::ForKind(TPictureKind::Png).Encode(picture);
}

const char* const kPage = R"HTML(<!DOCTYPE html>
<html><head><meta charset="iso-8859-1"><title>Imported</title>
<link rel="stylesheet" href="css/site.css"><link rel="stylesheet" href="1.css">
<link rel="stylesheet" href="../secret.css"><link rel="stylesheet" href="ABSOLUTE">
<script src="js/app.js"></script><script>if (a < b && c) { go(); }</script>
<style>p { color: red }</style></head>
<body><h1 onclick="show({x: 1})">Caf)HTML" "\xE9" R"HTML( du port</h1><img src="pics/logo.png" alt="logo">
<table background="pics/logo.png"><tr><td>cell</td></tr></table><o:p>office</o:p>
<a href="#top">top</a></body></html>)HTML";

class ImportTemplateTest : public ::testing::Test {
protected:
    ImportTemplateTest()
    {
        disk.Write("secret.css", "body { secret: 1 }");
        disk.Write("site/css/site.css", "h1 { color: navy }");
        disk.Write("site/1.css", "p { margin: 0 }");
        disk.Write("site/js/app.js", "function go() {}");
        disk.Write("site/pics/logo.png", Png());
        std::string page = kPage;
        page.replace(page.find("ABSOLUTE"), 8, disk.Path() + "/secret.css");
        file = disk.Write("site/page.html", page);
    }
    // Imports the page with the template as skeleton, answering yes to every question.
    std::unique_ptr<TImportTemplateFromHtml> Import(int skeleton)
    {
        for (int i = 0; i < 3; ++i)
            site.Program().Gui().QueueAnswer(mrYes);
        std::vector<std::string> params{"filename=" + file, "original=" + std::to_string(skeleton),
                                        "originaltype=0"};
        return site.Run<TImportTemplateFromHtml>(params);
    }
    std::string Xsl(int templateId) { return site.Text(templateId, 503, 1, "XXX"); }
    std::string Generate(int itemId, int itemType)
    {
        TObjectCollection collection(site.Program().Root().ObjectContext());
        collection.Open(TPublishSite::kCode, site.Connection());
        TTransformer transformer(site.Data().GetPageGeneration(), TPublishSite::kCode, nullptr);
        transformer.SetOutputKind(true, "html");
        transformer.SetPublishMode("locally");
        transformer.SetPageNumber(1);
        EXPECT_TRUE(transformer.GeneratePage(itemId, itemId, itemType, "EN", collection, site.Connection(), ""));
        return transformer.GetResultHtml();
    }

    TTempFolder disk;
    std::string file;
    TImportSite site;
};

TEST_F(ImportTemplateTest, APageBecomesAMasterTemplateWithItsFilesThatGeneratesPages)
{
    const int skeleton = site.ItemsOfType(501).front();
    const std::vector<int> sheetsBefore = site.ItemsOfType(504);
    auto import = Import(skeleton);
    ASSERT_TRUE(import->Succeeded()) << site.Runner().Last();

    const std::vector<int> masters = site.ItemsOfType(501);
    const int master = masters.back();
    EXPECT_EQ(site.Name(master), "page.html");
    EXPECT_EQ(site.ParentOf(master), site.ParentOf(skeleton));
    EXPECT_TRUE(site.Runner().Has("New template \"page.html\" was created with ID " + std::to_string(master)));

    // Two sheets: css/site.css and 1.css, a new item (item 1 is the web root, no sheet).
    const std::vector<int> sheets = site.ItemsOfType(504, master);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(site.Text(sheets[0], 504, 1, "XXX"), "h1 { color: navy }");
    EXPECT_EQ(site.Text(sheets[1], 504, 1, "XXX"), "p { margin: 0 }");
    EXPECT_EQ(site.Text(1, 504, 1, "XXX"), "") << "1.css never touches item 1";
    EXPECT_EQ(site.ItemsOfType(504).size(), sheetsBefore.size() + 2) << "the sheets outside the folder are not read";
    const std::vector<int> scripts = site.ItemsOfType(506, master);
    ASSERT_EQ(scripts.size(), 1u);
    EXPECT_EQ(site.Text(scripts[0], 506, 1, "XXX"), "function go() {}");
    const int logo = site.ItemsOfType(301).back();
    EXPECT_EQ(site.Name(site.ParentOf(logo)), "page.html Template Images");

    const std::string xsl = Xsl(master);
    for (const std::string& expected :
         {"href=\"../css/" + std::to_string(sheets[0]) + ".css\"", "href=\"../css/" + std::to_string(sheets[1]) + ".css\"",
          "src=\"../js/" + std::to_string(scripts[0]) + ".js\"", "src=\"../images/" + std::to_string(logo) + ".png\"",
          "background=\"../images/" + std::to_string(logo) + ".png\"", std::string("href=\"../secret.css\""),
          std::string("<![CDATA[if (a < b && c) { go(); }]]>"), std::string("Café du port"),
          std::string("onclick=\"show({{x: 1}})\""), std::string("<head>")})
        EXPECT_NE(xsl.find(expected), std::string::npos) << expected << "\n" << xsl;
    EXPECT_EQ(xsl.find("&#"), std::string::npos) << "UTF-8 kept, no character references";
    EXPECT_EQ(xsl.find("<o:p"), std::string::npos) << xsl;
    EXPECT_NE(xsl.find("office"), std::string::npos) << "the content of a prefixed element is kept";

    // A page generated with the new master template is the imported page.
    site.Data().MakeDefaultTemplate(master, site.Connection());
    const std::string html = Generate(site.HomePageId(), site.Data().GetQueries().GetItemType(
                                                             site.HomePageId(), TPublishSite::kCode, site.Connection()));
    EXPECT_NE(html.find("Café du port"), std::string::npos) << html;
    EXPECT_NE(html.find("onclick=\"show({x: 1})\""), std::string::npos) << html;
    EXPECT_NE(html.find("../css/" + std::to_string(sheets[0]) + ".css"), std::string::npos) << html;

    // The same file again makes a second template with a name of its own.
    ASSERT_TRUE(Import(skeleton)->Succeeded());
    EXPECT_EQ(site.Name(site.ItemsOfType(501).back()), "page.html (1)");
    EXPECT_TRUE(site.Runner().Has("Update CSS with ID " + std::to_string(sheets[1])) ||
                site.Runner().Has("New CSS with ID " + std::to_string(site.ItemsOfType(504).back()) + " was created"));
}

TEST_F(ImportTemplateTest, ABodyTemplateKeepsOnlyTheBodyAndANumberNamesOnlyItsOwnType)
{
    const int home = site.HomePageId();
    const int homeType = site.Data().GetQueries().GetItemType(home, TPublishSite::kCode, site.Connection());
    // The home page's own body template is the skeleton.
    int skeleton = 0;
    for (int id : site.ItemsOfType(502))
        if (site.Name(id) == "Product line" || site.Text(id, 1, 1, "XXX") == "Product line")
            skeleton = id;
    ASSERT_NE(skeleton, 0);
    // A sheet whose id the body names as "<id>.css" is updated, not duplicated.
    const int sheet = site.ItemsOfType(504).front();
    disk.Write("site/" + std::to_string(sheet) + ".css", "h2 { color: green }");
    std::string page = kPage;
    page.replace(page.find("</body>"), 0, "<link rel=\"stylesheet\" href=\"" + std::to_string(sheet) + ".css\">");
    disk.Write("site/page.html", page);
    ASSERT_TRUE(Import(skeleton)->Succeeded());

    const int body = site.ItemsOfType(502).back();
    const std::string xsl = Xsl(body);
    EXPECT_EQ(xsl.find("<head>"), std::string::npos) << xsl;
    EXPECT_EQ(xsl.find("<body"), std::string::npos) << xsl;
    EXPECT_NE(xsl.find("<xsl:template name=\"body\"><h1"), std::string::npos) << xsl;
    EXPECT_EQ(site.Text(sheet, 504, 1, "XXX"), "h2 { color: green }");
    EXPECT_TRUE(site.Runner().Has("Update CSS with ID " + std::to_string(sheet)));

    site.Data().MakeDefaultTemplate(body, site.Connection());
    const std::string html = Generate(home, homeType);
    EXPECT_NE(html.find("Café du port"), std::string::npos) << html;
    EXPECT_NE(html.find("<html"), std::string::npos) << "the master template around it";
}

TEST_F(ImportTemplateTest, AnEmptyPageOrAWrongSkeletonMakesNoTemplate)
{
    const std::size_t masters = site.ItemsOfType(501).size();
    file = disk.Write("site/empty.html", "  ");
    EXPECT_FALSE(Import(site.ItemsOfType(501).front())->Succeeded());
    EXPECT_TRUE(site.Runner().Has("Empty HTML data"));
    file = disk.Write("site/page2.html", "<p>x</p>");
    EXPECT_FALSE(Import(site.HomePageId())->Succeeded()) << "a page is no skeleton";
    EXPECT_EQ(site.ItemsOfType(501).size(), masters);
}

}  // namespace
