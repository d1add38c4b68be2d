// The HTML loader: pages decoded to UTF-8 by the charset the server sent, a
// byte-order mark or the page's meta element; markup only (scripts kept as
// text, no picture fetched); the limits of a load and its stop.
#include "publishing/HtmlLoader.h"

#include "support/LocalWebServer.h"
#include "publishing/HttpClient.h"

#include <gtest/gtest.h>

namespace {

std::string BodyText(THtmlLoader& loader)
{
    return loader.Body() ? THtmlLoader::Text(loader.Body()) : "<no body>";
}

TEST(HtmlLoader, TextIsDecodedToUtf8)
{
    const std::string latin1Cafe = "caf\xE9";
    struct TCase {
        const char* why;
        std::string bytes;
        std::string contentType;
        std::string text;
    };
    const TCase cases[] = {
        {"meta charset", "<html><head><meta charset=\"iso-8859-1\"></head><body>" + latin1Cafe + "</body></html>", "",
         "café"},
        {"meta http-equiv",
         "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\"></head><body>" +
             latin1Cafe + "</body></html>",
         "", "café"},
        {"server's charset", "<html><body>\x80 5</body></html>", "text/html; charset=windows-1252", "€ 5"},
        {"server's charset quoted and in capitals", "<html><body>" + latin1Cafe + "</body></html>",
         "text/html; Charset=\"ISO-8859-1\"", "café"},
        {"server's charset beats the meta element",
         "<html><head><meta charset=\"iso-8859-1\"></head><body>café</body></html>", "text/html; charset=utf-8",
         "café"},
        {"UTF-8 without any declaration", "<html><body>café</body></html>", "text/html", "café"},
        {"byte-order mark", "\xEF\xBB\xBF<html><body>café</body></html>", "", "café"},
        {"UTF-16 with its byte-order mark", std::string("\xFF\xFE<\0p\0>\0\xE9\0", 10), "", "é"},
        {"a charset nobody knows is read as UTF-8", "<html><body>café</body></html>", "text/html; charset=x-nothing",
         "café"},
        {"undeclared Latin-1 falls back on ISO-8859-1", "<html><body>" + latin1Cafe + "</body></html>", "", "café"},
    };
    for (const TCase& c : cases) {
        THtmlLoader loader;
        ASSERT_NE(loader.LoadFromMemory(c.bytes, "http://a.test/", c.contentType), nullptr) << c.why;
        EXPECT_EQ(BodyText(loader), c.text) << c.why;
    }
}

TEST(HtmlLoader, ThePageWrittenBackIsUtf8AndSaysSo)
{
    THtmlLoader loader;
    ASSERT_TRUE(loader.LoadFromMemory("<html><head><meta charset=\"iso-8859-1\"><title>Caf\xE9</title></head>"
                                      "<body><p>Caf\xE9 &amp; cr\xE8me</p></body></html>",
                                      ""));
    const std::string html = loader.Html();
    EXPECT_NE(html.find("<title>Café</title>"), std::string::npos) << html;
    EXPECT_NE(html.find("Café &amp; crème"), std::string::npos) << html;
    EXPECT_NE(html.find("charset=\"utf-8\""), std::string::npos) << html;
    EXPECT_EQ(html.find("iso-8859-1"), std::string::npos) << html;
}

TEST(HtmlLoader, OnlyTheMarkupIsLoaded)
{
    TLocalWebServer server;
    server.Serve("/page.html", "<html><body><script>document.write('<p id=\"written\">x</p>')</script>"
                               "<img src=\"pic.png\"><iframe src=\"inner.html\"></iframe>"
                               "<link rel=\"stylesheet\" href=\"s.css\"></body></html>");
    THtmlLoader loader;
    THttpClient client("", 0);
    ASSERT_NE(loader.LoadFromUrl(server.Url("/page.html"), client), nullptr) << loader.Error();
    std::vector<xmlNode*> scripts, images;
    THtmlLoader::CollectElements(loader.Root(), "script", scripts);
    THtmlLoader::CollectElements(loader.Root(), "img", images);
    ASSERT_EQ(scripts.size(), 1u);
    EXPECT_EQ(THtmlLoader::Text(scripts[0]), "document.write('<p id=\"written\">x</p>')");
    EXPECT_EQ(THtmlLoader::FindElement(loader.Root(), "p"), nullptr) << "the script never ran";
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(THtmlLoader::Attribute(images[0], "src"), "pic.png");
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/page.html"}) << "no picture, frame or sheet fetched";

    // A second load replaces the first document with a tree of its own.
    ASSERT_TRUE(loader.LoadFromMemory("<p>second</p>", ""));
    EXPECT_EQ(THtmlLoader::FindElement(loader.Root(), "img"), nullptr);
    EXPECT_EQ(BodyText(loader), "second");
}

TEST(HtmlLoader, ALoadOverItsLimitsOrStoppedGivesNothing)
{
    const std::string big = "<html><body>" + std::string(300 * 1024, 'x') + "</body></html>";
    THtmlLoader loader;
    loader.SetLimits(200 * 1024, 60);
    EXPECT_EQ(loader.LoadFromMemory(big, ""), nullptr);
    EXPECT_NE(loader.Error().find("larger than"), std::string::npos) << loader.Error();

    loader.SetLimits(1024 * 1024, 60);
    int asked = 0;
    loader.Stopped = [&asked] { return ++asked > 2; };
    EXPECT_EQ(loader.LoadFromMemory(big, ""), nullptr) << "stopped between two pieces of the page";
    EXPECT_EQ(loader.Document(), nullptr);

    loader.Stopped = nullptr;
    ASSERT_NE(loader.LoadFromMemory(big, ""), nullptr) << loader.Error();
    EXPECT_TRUE(loader.Error().empty());

    EXPECT_EQ(loader.LoadFromMemory("", ""), nullptr);
    EXPECT_EQ(loader.LoadFromFile("/no/such/file.html"), nullptr);

    // Over the size limit on the wire: the client gives up while receiving.
    TLocalWebServer server;
    server.Serve("/big.html", big);
    THttpClient client("", 0);
    loader.SetLimits(100 * 1024, 60);
    EXPECT_ANY_THROW(loader.LoadFromUrl(server.Url("/big.html"), client));
}

TEST(HtmlLoader, ContentTypes)
{
    EXPECT_EQ(THtmlLoader::MediaType("Text/HTML; charset=utf-8"), "text/html");
    EXPECT_EQ(THtmlLoader::MediaType("image/png"), "image/png");
    EXPECT_EQ(THtmlLoader::Charset("text/html; q=1; charset=\"UTF-8\""), "UTF-8");
    EXPECT_EQ(THtmlLoader::Charset("text/html"), "");
}

}  // namespace
