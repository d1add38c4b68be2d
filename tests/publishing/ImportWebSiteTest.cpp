// A web site imported from a server on 127.0.0.1 (tests/publishing/fixtures/website):
// the pages, pictures, style sheets and scripts a crawl of depth 2 stores,
// links rewritten so that the site published locally resolves every link
// and picture, the site's bounds (a second server never asked), missing
// pages skipped, charset-typed pages, the caps, and a start page that fails.
#include "publishing/ImportWebSite.h"

#include "ImportFixture.h"
#include "support/LocalWebServer.h"

#include "common/Picture.h"
#include "common/PictureCodec.h"
#include "common/FileContent.h"
#include "publishing/HtmlLoader.h"
#include "publishing/SiteScope.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string Picture(TPictureKind kind)
{
    TPicture picture(3, 2);
    picture.Fill({30, 90, 160, 255});
    return TPictureCodec::ForKind(kind).Encode(picture);
}

std::string TypeOf(const std::string& path)
{
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".css")
        return "text/css";
    if (extension == ".js")
        return "application/javascript";
    if (extension == ".html")
        return "text/html; charset=utf-8";
    return "application/octet-stream";
}

// The fixture site on one server, a partner page on a second one.
class TFixtureSite {
public:
    TFixtureSite()
    {
        const fs::path root = TestSourceDir() + "/publishing/fixtures/website";
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".md")
                continue;
            std::string text = ReadFileContent(entry.path().string()).value_or("");
            for (std::size_t at = text.find("OTHER_ORIGIN"); at != std::string::npos; at = text.find("OTHER_ORIGIN"))
                text.replace(at, 12, other.Origin());
            const std::string path = "/" + fs::relative(entry.path(), root).generic_string();
            site.Serve(path, text, TypeOf(path));
        }
        site.Serve("/shop/about.html", ReadFileContent(root.string() + "/shop/about.html").value_or(""),
                   "text/html; charset=iso-8859-1");
        site.Serve("/shop/pics/logo.png", Picture(TPictureKind::Png), "image/png");
        site.Serve("/shop/pics/bg.png", Picture(TPictureKind::Png), "image/png");
        site.Serve("/shop/pics/apple.jpg", Picture(TPictureKind::Jpeg), "image/jpeg");
        site.Serve("/shop/pics/drawing.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>", "image/svg+xml");
        site.Serve("/shop/manual.pdf", "%PDF-1.4", "application/pdf");
        other.Serve("/page.html", "<html><body>partner</body></html>");
        other.Serve("/banner.png", Picture(TPictureKind::Png), "image/png");
    }
    std::string Start() const { return site.Url("/shop/index.html"); }

    TLocalWebServer other;  // first, so that the site's pages can name it
    TLocalWebServer site;
};

class ImportWebSiteTest : public ::testing::Test {
protected:
    std::unique_ptr<TImportWebSite> Import(const std::string& url, int depth, int maxPages, bool onlyUnderlying,
                                           const TImportWebSite::TLimits* limits = nullptr)
    {
        params = {"URL=" + url, "DownloadDepth=" + std::to_string(depth), "MaxPages=" + std::to_string(maxPages),
                  "StartItemId=0", "ParentItemId=1", "CatalogCode=shop"};
        if (onlyUnderlying)
            params.push_back("OnlyUnderlying=yes");
        before = Snapshot();
        return catalog.Run<TImportWebSite>(params, [limits](TImportWebSite& import) {
            if (limits)
                import.SetLimits(*limits);
        });
    }
    struct TSnapshot {
        std::set<int> pages, pictures, sheets, scripts;
    };
    TSnapshot Snapshot()
    {
        auto ids = [this](int type) {
            const std::vector<int> list = catalog.ItemsOfType(type);
            return std::set<int>(list.begin(), list.end());
        };
        return {ids(401), ids(301), ids(504), ids(506)};
    }
    // What the last import added, of one kind.
    std::vector<int> Added(std::set<int> TSnapshot::*kind)
    {
        const TSnapshot now = Snapshot();
        std::vector<int> added;
        for (int id : now.*kind)
            if (!(before.*kind).count(id))
                added.push_back(id);
        return added;
    }
    std::string Param(const std::string& name)
    {
        for (const std::string& line : params)
            if (line.rfind(name + "=", 0) == 0)
                return line.substr(name.size() + 1);
        return {};
    }
    std::string Source(int page) { return catalog.Text(page, 17, 1, "EN"); }

    TFixtureSite web;
    TImportSite catalog;
    std::vector<std::string> params;
    TSnapshot before;
};

TEST(SiteScope, AddressesAreComparedInTheirNormalFormAndKeptToTheSite)
{
    const TSiteScope everything("HTTP://A.test:80/dir/index.html", false);
    const TSiteScope underlying("http://a.test/dir", true);
    struct TCase {
        const char* address;
        bool onSite;
        bool underStart;
    };
    const TCase cases[] = {
        {"http://a.test/x.html", true, false},
        {"http://a.test/dir/x.html", true, true},
        {"http://a.test/dir", true, true},
        {"http://a.test/directory/x.html", true, false},
        {"http://a.test/dir/../x.html", true, false},
        {"http://a.test.evil/dir/x.html", false, false},
        {"http://a.test@evil.test/dir/x.html", false, false},
        {"http://a.test:8080/dir/x.html", false, false},
        {"https://a.test/dir/x.html", false, false},
        {"ftp://a.test/dir/x.html", false, false},
        {"http://a.test/DIR/x.html", true, false},
    };
    for (const TCase& c : cases) {
        const std::string address = TSiteScope::Normalize(c.address);
        EXPECT_EQ(everything.SameSite(address), c.onSite) << c.address;
        EXPECT_EQ(everything.Contains(address), c.onSite) << c.address;
        EXPECT_EQ(underlying.Contains(address), c.underStart) << c.address;
    }
    EXPECT_EQ(TSiteScope::Normalize("HTTP://A.Test:80"), "http://a.test/");
    EXPECT_EQ(TSiteScope::Resolve("http://a.test/dir/p.html", "../b/./c.html?x=1#top"), "http://a.test/b/c.html?x=1");
    EXPECT_EQ(TSiteScope::Resolve("http://a.test/dir/p.html", "mailto:x@a.test"), "");
    EXPECT_EQ(TSiteScope::Resolve("http://a.test/dir/p.html", "#top"), "");
    EXPECT_EQ(TSiteScope::Resolve("http://a.test/dir/p.html", "javascript:go()"), "");
    EXPECT_EQ(TSiteScope::FragmentOf("a.html#team"), "#team");
}

TEST_F(ImportWebSiteTest, ADepthTwoImportHoldsTheSiteAndPublishesWithEveryLinkResolved)
{
    auto import = Import(web.Start(), 2, 0, true);
    ASSERT_TRUE(import->Succeeded()) << catalog.Runner().Last();
    EXPECT_EQ(Param("DownloadedPages"), "3");

    const std::vector<int> pages = Added(&TSnapshot::pages);
    ASSERT_EQ(pages.size(), 3u) << "the start page, about.html and products/list.html";
    const int index = pages[0], about = pages[1];
    EXPECT_EQ(catalog.Name(index), "Harbour Shop");
    EXPECT_EQ(catalog.Name(about), "About us");
    EXPECT_EQ(catalog.ParentOf(index), 1);
    EXPECT_EQ(catalog.ParentOf(about), index);
    EXPECT_EQ(Added(&TSnapshot::pictures).size(), 3u) << "logo.png once, bg.png, apple.jpg; no svg, nothing elsewhere";
    ASSERT_EQ(Added(&TSnapshot::sheets).size(), 1u);
    ASSERT_EQ(Added(&TSnapshot::scripts).size(), 1u);
    EXPECT_EQ(catalog.Text(Added(&TSnapshot::scripts)[0], 506, 1, "XXX"), "function openMenu() { return true; }\n");

    // The charset-typed page is a page, its text UTF-8; the data is in the default language.
    EXPECT_NE(Source(about).find("Café by the harbour"), std::string::npos) << Source(about);
    EXPECT_EQ(catalog.Text(about, 17, 1, "DE"), "");

    const std::string start = Source(index);
    const std::string aboutLink = std::to_string(about) + ".html";
    EXPECT_NE(start.find("href=\"" + aboutLink + "\""), std::string::npos) << start;
    EXPECT_NE(start.find("href=\"" + aboutLink + "#team\""), std::string::npos) << "the second link too: " << start;
    EXPECT_NE(start.find("href=\"" + web.site.Url("/shop/missing.html") + "\""), std::string::npos)
        << "a page that was not stored is linked where it was: " << start;
    EXPECT_NE(start.find("href=\"" + web.site.Url("/outside.html") + "\""), std::string::npos) << start;
    EXPECT_NE(start.find("href=\"" + web.other.Url("/page.html") + "\""), std::string::npos) << start;
    EXPECT_NE(start.find("href=\"mailto:info@harbour.test\""), std::string::npos) << start;
    EXPECT_NE(start.find("href=\"#top\""), std::string::npos) << start;
    EXPECT_NE(Source(about).find("href=\"" + std::to_string(index) + ".html\""), std::string::npos)
        << "a link back to a page already stored";
    EXPECT_NE(Source(about).find(web.site.Url("/shop/team/deeper.html")), std::string::npos) << "beyond the depth";

    // The site stays on its server: no second server, nothing outside the start folder or too deep.
    EXPECT_TRUE(web.other.Requests().empty());
    const std::vector<std::string> requests = web.site.Requests();
    EXPECT_EQ(web.site.RequestsFor("/shop/pics/logo.png"), 1);
    for (const char* never : {"/outside.html", "/shop/team/deeper.html", "/shop/products/item.html"})
        EXPECT_EQ(web.site.RequestsFor(never), 0) << never;
    EXPECT_EQ(web.site.RequestsFor("/shop/missing.html"), 1);
    bool missingLogged = false;
    for (const TScriptedRunner::TLine& line : catalog.Runner().lines)
        missingLogged = missingLogged || (line.Text.find("missing.html") != std::string::npos && line.Level == 3);
    EXPECT_TRUE(missingLogged) << "the 404 is logged";

    // Published locally, every relative link and picture of the imported pages names a file of the site.
    std::vector<std::string> publish = catalog.Params("EN");
    auto publishing = catalog.Make(publish);
    publishing->Run();
    ASSERT_TRUE(publishing->Succeeded()) << catalog.Runner().Last();
    const std::map<std::string, std::string> files = catalog.Files();
    int checked = 0;
    for (int page : pages) {
        const std::string name = "EN/" + std::to_string(page) + ".html";
        ASSERT_TRUE(files.count(name)) << name;
        THtmlLoader loader;
        ASSERT_TRUE(loader.LoadFromMemory(files.at(name), ""));
        for (const char* element : {"a", "img", "link", "script"}) {
            std::vector<xmlNode*> found;
            THtmlLoader::CollectElements(loader.Root(), element, found);
            for (xmlNode* node : found) {
                std::string target = THtmlLoader::Attribute(node, std::string(element) == "a" || std::string(element) == "link" ? "href" : "src");
                target = target.substr(0, target.find('#'));
                if (target.empty() || target.find(':') != std::string::npos)
                    continue;
                const std::string file = fs::path("EN/" + target).lexically_normal().generic_string();
                EXPECT_TRUE(files.count(file)) << target << " in " << name;
                ++checked;
            }
        }
        for (const char* old : {"\"pics/", "'pics/", "\"../pics/", "\"css/", "\"js/"})
            EXPECT_EQ(files.at(name).find(old), std::string::npos) << old << " left in " << name;
    }
    EXPECT_GE(checked, 10);
    const std::string css = files.at("css/" + std::to_string(Added(&TSnapshot::sheets)[0]) + ".css");
    const std::size_t image = css.find("../images/");
    ASSERT_NE(image, std::string::npos) << css;
    EXPECT_TRUE(files.count(css.substr(image + 3, css.find('"', image) - image - 3))) << css;
}

TEST_F(ImportWebSiteTest, DepthPagesAndBytesBoundTheCrawl)
{
    struct TCase {
        const char* why;
        int depth;
        int maxPages;
        bool onlyUnderlying;
        std::size_t pages;
    };
    const TCase cases[] = {
        {"depth 1: the start page alone", 1, 0, true, 1},
        {"one page at most", 3, 1, true, 1},
        {"two pages at most", 3, 2, true, 2},
        {"depth 3 below the start", 3, 0, true, 3},
        {"beside the start folder too", 2, 0, false, 4},
    };
    for (const TCase& c : cases) {
        auto import = Import(web.Start(), c.depth, c.maxPages, c.onlyUnderlying);
        EXPECT_TRUE(import->Succeeded()) << c.why;
        EXPECT_EQ(Added(&TSnapshot::pages).size(), c.pages) << c.why;
    }
    EXPECT_TRUE(web.other.Requests().empty());

    TImportWebSite::TLimits small;
    small.MaxTotalBytes = 1;  // the start page alone passes it
    auto bounded = Import(web.Start(), 3, 0, true, &small);
    EXPECT_TRUE(bounded->Succeeded());
    EXPECT_EQ(Added(&TSnapshot::pages).size(), 1u);
    EXPECT_TRUE(Added(&TSnapshot::pictures).empty());
    EXPECT_TRUE(catalog.Runner().Has("The import reached its limit of 1 bytes"));

    small = {};
    small.MaxResponseBytes = 600;  // larger than the start page's pictures' bytes, not than the page
    auto tooLarge = Import(web.Start(), 1, 0, true, &small);
    EXPECT_FALSE(tooLarge->Succeeded()) << "a start page over the limit ends the import";
}

TEST_F(ImportWebSiteTest, ACancelStopsTheCrawlAndKeepsThePagesStoredSoFar)
{
    params = {"URL=" + web.Start(), "DownloadDepth=3", "MaxPages=0", "StartItemId=0", "ParentItemId=1",
              "CatalogCode=shop"};
    before = Snapshot();
    TImportWebSite* running = nullptr;
    catalog.Runner().onProcessMessages = [&] {
        if (running && !running->IsCancelled() && catalog.Runner().Has("Loading data: " + web.site.Url("/shop/about.html")))
            running->Cancel();
    };
    auto import = catalog.Run<TImportWebSite>(params, [&running](TImportWebSite& operation) { running = &operation; });
    catalog.Runner().onProcessMessages = nullptr;
    EXPECT_FALSE(import->Succeeded());
    EXPECT_EQ(Added(&TSnapshot::pages).size(), 1u) << "the start page stays";
    EXPECT_EQ(web.site.RequestsFor("/shop/products/list.html"), 0);
    EXPECT_EQ(catalog.Runner().Last(), "Operation was canceled by user.");
}

TEST_F(ImportWebSiteTest, AStartPageThatCannotBeFetchedEndsTheImport)
{
    for (const std::string& url : {web.site.Url("/shop/nothing.html"), web.site.Url("/shop/manual.pdf")}) {
        auto import = Import(url, 2, 0, false);
        EXPECT_FALSE(import->Succeeded()) << url;
        EXPECT_EQ(Param("DownloadedPages"), "0") << url;
        EXPECT_TRUE(Added(&TSnapshot::pages).empty()) << url;
        EXPECT_NE(catalog.Runner().Last(), "Successfully imported.");
    }
}

}  // namespace
