// Exporting the stored pictures and the template sources of a created
// catalog into a folder.
#include "PublishSiteFixture.h"

#include "common/CommonFunctions.h"
#include "publishing/ExportImages.h"
#include "publishing/ExportTemplates.h"
#include "storage/QueryGuard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

const std::string kGif("GIF89a-logo-bytes");

std::map<std::string, std::string> FilesIn(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = TTempFolder::Read(entry.path().string());
    return files;
}

template <class TExport>
std::unique_ptr<TExport> MakeExport(TPublishSite& site, std::vector<std::string>& params)
{
    return std::make_unique<TExport>(params, site.Connection(),
                                     TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(),
                                                           &site.Program().Root(), nullptr});
}

TEST(ExportImages, EveryPictureIsWrittenUnderItsSafeNameWithItsSubtype)
{
    TPublishSite site;
    const int logo = site.AddItem(301, 3);
    site.AddBinary(logo, 5, "image/gif", kGif);
    site.SetAltFileName(logo, "my.logo");
    site.SetName(logo, "Logo", "Logo");
    TTempFolder folder;
    std::vector<std::string> params{"DirName=" + folder.Path()};
    auto exporter = MakeExport<TExportImages>(site, params);
    EXPECT_TRUE(exporter->ShowProgressBar());
    exporter->Run();
    const std::map<std::string, std::string> files = FilesIn(folder.Path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files.at("my_logo.gif"), kGif);
    EXPECT_TRUE(files.count("600121.png"));
    EXPECT_TRUE(site.Runner().Has("Image: Logo (my_logo.gif)"));
    EXPECT_EQ(site.Runner().progressMax, 2);
    EXPECT_EQ(site.Runner().progressSteps, 2);
    EXPECT_EQ(site.Runner().Last(), "Successfully exported.");
}

TEST(ExportImages, ACatalogWithoutPicturesEndsAtOnceSuccessfully)
{
    TPublishSite site;
    {
        TQueryGuard query(site.Connection());
        query->SetSQL("DELETE FROM CBinary");
        query->ExecSQL();
    }
    TTempFolder folder;
    std::vector<std::string> params{"DirName=" + folder.Path()};
    MakeExport<TExportImages>(site, params)->Run();
    EXPECT_TRUE(fs::is_empty(folder.Path()));
    EXPECT_EQ(site.Runner().progressMax, -1) << "no progress";
    EXPECT_EQ(site.Runner().Texts(), (std::vector<std::string>{"Start export", "Successfully exported."}));
}

TEST(ExportImages, CancellingStopsBeforeTheNextPictureAndKeepsTheWrittenOnes)
{
    TPublishSite site;
    for (int i = 0; i < 3; ++i)
        site.AddBinary(site.AddItem(301, 3), 5, "image/gif", kGif);
    TTempFolder folder;
    std::vector<std::string> params{"DirName=" + folder.Path()};
    auto exporter = MakeExport<TExportImages>(site, params);
    site.Runner().onProcessMessages = [&] {
        if (!exporter->IsCancelled() && site.Runner().Last().rfind("Image:", 0) == 0)
            exporter->Cancel();
    };
    exporter->Run();
    EXPECT_EQ(FilesIn(folder.Path()).size(), 1u);
    EXPECT_EQ(site.Runner().Last(), "Operation was canceled by user.");
}

TEST(ExportTemplates, TemplateSourcesAreWrittenByTypeUnderTheirNames)
{
    TPublishSite site;
    const int script = site.AddItem(506, 5);
    site.SetName(script, "menu: main/top", "Menue");
    site.SetSource(script, "JavaScript", "var a = 1;\nvar b = 2;");
    const int empty = site.AddItem(506, 5);
    site.SetName(empty, "empty", "leer");
    TTempFolder folder;
    std::vector<std::string> params{"DirName=" + folder.Path()};
    MakeExport<TExportTemplates>(site, params)->Run();
    const std::map<std::string, std::string> files = FilesIn(folder.Path());
    std::set<std::string> names;
    for (const auto& [name, bytes] : files)
        names.insert(name);
    // The shipped templates of the catalog type, body templates included, and the added script.
    const std::set<std::string> expected{
        "All products.xsl", "All stories.xsl",     "Common templates.xsl", "Contact page.xsl",
        "English.xml",      "French.xml",          "German.xml",           "Harbor colours.css",
        "Harbor fonts.css", "Harbor.xsl",          "Information page.xsl", "Product line.xsl",
        "Product.xsl",      "Spanish.xml",         "menu_ main_top.js",
        // The report templates with their common templates and form.
        "Common templates of reports.xsl", "Product list (PDF).xsl", "Product list (HTML).xsl",
        "Customize product list.xsl"};
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(site.Runner().Has("Template (Master template): Harbor.xsl"));
    EXPECT_TRUE(site.Runner().Has("Template (Colour style sheet): Harbor colours.css"));
    EXPECT_TRUE(site.Runner().Has("Template (Script): menu_ main_top.js"));
    EXPECT_EQ(files.at("menu_ main_top.js"), "var a = 1;\r\nvar b = 2;\r\n");
    EXPECT_FALSE(files.count("empty.js")) << "a template without source writes no file";
    EXPECT_EQ(site.Runner().Last(), "Successfully exported.");
}

}  // namespace
