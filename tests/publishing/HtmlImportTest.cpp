// HTML brought into the editor from a file and from a real HTTP server on
// 127.0.0.1: the body of the page, scripts kept or removed, the pictures of
// the page imported as image items and their references pointed at them,
// never a picture from outside the page's folder, and the limits of a fetch.
#include "publishing/HtmlImport.h"

#include "catalog/CatalogFolders.h"
#include "catalog/CatalogQueries.h"
#include "common/GlobalSettings.h"
#include "common/PictureCodec.h"
#include "support/CatalogFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <thread>

namespace {

std::string Png()
{
    TPicture picture(3, 2);
    picture.Fill({200, 40, 10, 255});
    return TPictureCodec::ForKind(TPictureKind::Png).Encode(picture);
}

const char* const kPage = R"(<html><head><title>Shop</title><script>var head = 1;</script></head>
<body class="main"><h1>Spring sale</h1><script>alert(1)</script><p>Fresh <b>apples</b></p>
<img src="pics/apple.png"><img src="/abs/pear.png"><script src="x.js"></script></body></html>)";

// Serves the page, its pictures and a page over the size limit.
class TPageServer {
public:
    TPageServer()
    {
        server_.Get("/shop/page.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(kPage, "text/html");
        });
        for (const char* path : {"/shop/pics/apple.png", "/abs/pear.png"})
            server_.Get(path, [](const httplib::Request&, httplib::Response& res) { res.set_content(Png(), "image/png"); });
        server_.Get("/huge.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<p>" + std::string(THtmlImport::kMaxPageBytes + 1, 'x') + "</p>", "text/html");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~TPageServer()
    {
        server_.stop();
        thread_.join();
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

class HtmlImportTest : public ::testing::Test {
protected:
    HtmlImportTest()
    {
        env.Db().DeclareClass(5, "Image").Member(1, "ImageWidth", 101).Member(2, "ImageHeight", 101).Member(6, "ImageData", 252);
    }
    int ImageItems() { return env.Db().Count("Items", "ItemType = 301"); }

    TCatalogEnvironment env;
    TCatalogQueries queries{env.Db(), env.Db().Context()};
    TCatalogFolders folders{{env.Db(), env.Catalog(), queries, env.Db().Context(), env.Gui(), env.Settings()}};
    THtmlImport import{env.Gui(), &folders, env.Connection(), "shop"};
};

TEST(HtmlImportBody, TheBodyOfThePageWithOrWithoutScripts)
{
    const std::string kept = THtmlImport::PageBody(kPage, false);
    EXPECT_EQ(kept.find("<title>"), std::string::npos) << kept;
    EXPECT_EQ(kept.find("<body"), std::string::npos) << kept;
    EXPECT_NE(kept.find("<h1>Spring sale</h1>"), std::string::npos) << kept;
    EXPECT_NE(kept.find("alert(1)"), std::string::npos) << kept;

    const std::string removed = THtmlImport::PageBody(kPage, true);
    EXPECT_EQ(removed.find("<script"), std::string::npos) << removed;
    EXPECT_NE(removed.find("<p>Fresh <b>apples</b></p>"), std::string::npos) << removed;

    // A fragment without a body still gives its content.
    EXPECT_NE(THtmlImport::PageBody("<p>Only this</p>", false).find("<p>Only this</p>"), std::string::npos);
    EXPECT_EQ(THtmlImport::PageBody("", false), "");

    std::vector<std::string> pictures;
    THtmlImport::PageBody(std::string(kPage) + "<img src=\"pics/apple.png\">", false, "http://example.test/shop/page.html",
                          &pictures);
    EXPECT_EQ(pictures, (std::vector<std::string>{"http://example.test/shop/pics/apple.png=pics/apple.png",
                                                  "http://example.test/abs/pear.png=/abs/pear.png"}))
        << "absolute addresses, each once";
}

TEST(HtmlImportBody, OnlyReferencesInsideThePagesFolderAreLocal)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"apple.png", true},        {"pics/apple.png", true},   {"../apple.png", false},
        {"pics/../../x.png", false}, {"/etc/x.png", false},      {"file:///etc/x.png", false},
        {"http://a.test/x.png", false}, {"pics\\..\\..\\x.png", false}, {"a.png?v=1", false},
        {"", false},
    };
    for (const auto& [reference, local] : cases)
        EXPECT_EQ(THtmlImport::IsLocalReference(reference), local) << reference;
}

TEST_F(HtmlImportTest, AFilesPicturesFromItsFolderAreImported)
{
    TTempFolder disk;
    disk.Write("site/pics/apple.png", Png());
    disk.Write("secret.png", Png());
    const std::string file = disk.Write(
        "site/page.html", "<html><body><img src=\"pics/apple.png\"><img src=\"../secret.png\"><img src=\"gone.png\">"
                          "<script>var kept = 1;</script></body></html>");
    std::string html;
    ASSERT_TRUE(import.ReadFile(file, true, html));
    EXPECT_EQ(ImageItems(), 1) << "only the picture inside the page's folder";
    EXPECT_EQ(html.find("pics/apple.png"), std::string::npos) << html;
    EXPECT_NE(html.find("../images/"), std::string::npos) << html;
    EXPECT_NE(html.find("../secret.png"), std::string::npos) << "left as written: " << html;
    EXPECT_NE(html.find("gone.png"), std::string::npos) << html;
    EXPECT_NE(html.find("var kept"), std::string::npos) << html;

    std::string none;
    EXPECT_FALSE(import.ReadFile(disk.Path() + "/missing.html", true, none));
    EXPECT_FALSE(import.ReadFile(disk.Write("empty.html", "<html><body>  </body></html>"), true, none));
}

TEST_F(HtmlImportTest, AWebPageComesWithItsPicturesAndWithoutItsScriptsWhenAsked)
{
    TPageServer server;
    env.Gui().QueueInput(server.Url("/shop/page.html"));
    env.Gui().QueueCheckBox(false);  // "Include script elements" cleared
    std::string html;
    ASSERT_TRUE(import.FromWeb(true, html));
    EXPECT_EQ(html.find("<script"), std::string::npos) << html;
    EXPECT_NE(html.find("<h1>Spring sale</h1>"), std::string::npos) << html;
    EXPECT_EQ(ImageItems(), 2);
    EXPECT_EQ(html.find("pics/apple.png"), std::string::npos) << html;
    EXPECT_EQ(html.find("/abs/pear.png"), std::string::npos) << html;

    // Without images the references stay as written.
    std::string plain;
    ASSERT_TRUE(import.ReadPage(server.Url("/shop/page.html"), false, false, plain));
    EXPECT_NE(plain.find("pics/apple.png"), std::string::npos);
    EXPECT_NE(plain.find("alert(1)"), std::string::npos);
    EXPECT_EQ(ImageItems(), 2);
}

TEST_F(HtmlImportTest, WhatIsNotFetchedImportsNothing)
{
    TPageServer server;
    std::string html;
    EXPECT_FALSE(import.ReadPage(server.Url("/huge.html"), false, true, html)) << "over the size limit";
    EXPECT_FALSE(import.ReadPage(server.Url("/nothing.html"), false, true, html));
    const std::vector<std::string> errors = env.Gui().Messages("error");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].rfind("Cannot download page data", 0), 0u) << errors[0];

    // Only web addresses are fetched, without a word.
    TTempFolder disk;
    const std::string local = disk.Write("page.html", kPage);
    EXPECT_FALSE(import.ReadPage("file://" + local, false, true, html));
    EXPECT_FALSE(import.ReadPage("ftp://127.0.0.1/page.html", false, true, html));
    env.Gui().QueueInput("", false);
    EXPECT_FALSE(import.FromWeb(true, html)) << "cancelled";
    EXPECT_EQ(env.Gui().Messages("error").size(), 2u);
    EXPECT_EQ(html, "");
    EXPECT_EQ(ImageItems(), 0);
}

}  // namespace
