// The preview resolver over a real catalog database: cached pages by item id,
// "index", alternative file name and page number; images, binary objects,
// style sheets and scripts; member catalogs; the style-preview host and the
// style-preview mode; imported web resources of other hosts; the content
// hooks; and the addresses it refuses.
#include "PreviewCatalogFixture.h"

#include "catalog/Catalog.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "catalog/TransformCache.h"
#include "generation/PreviewResolver.h"
#include "generation/PreviewSource.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace {

using TStatus = TPreviewResponse::TStatus;

const std::string kPreview = TTolvex::kPreviewHost;
const std::string kStyle = TTolvex::kStylePreviewHost;
constexpr int kHomePage = 100001;

// Binary bytes, with a NUL inside, as images and binary objects are.
std::string Bytes(const std::string& text)
{
    return std::string("\x89\0", 2) + text;
}

// The open catalog "shop" (type 1) of a real database, with its member
// catalog "c#shop1"; the definition database holds the style catalog "t#1"
// and the style-preview catalog "p#1". Item lookups are the catalog object's.
class TFixturePreviewSource : public TPreviewSource {
public:
    TFixturePreviewSource(TCatalogEnvironment& env, TCatalogFixture& definition) : env_(env), definition_(definition)
    {
    }

    bool open = true;
    bool stylePreview = false;
    std::optional<TEditedItem> edited;
    TTransformCache cache;

    std::string GetPreviewHostAddress() override { return kPreview; }
    std::string GetStylePreviewHostAddress() override { return kStyle; }
    bool IsOpen() override { return open; }
    bool IsStylePreview() override { return stylePreview; }
    std::string GetCatalogCode() override { return "shop"; }
    std::string GetStylePreviewCode() override { return "p#1"; }
    std::string GetStyleCatalogCode() override { return "t#1"; }
    TAbstractDBConnection& GetCurrentConnection() override { return env_.Connection(); }
    TAbstractDBConnection* GetDefinitionConnection() override { return &definition_.Connection(); }
    bool CatalogExists(const std::string& code, TAbstractDBConnection& connection) override
    {
        return TTolvexCatalog::ReadCatalogType(connection, code).has_value();
    }
    int GetHomePageId() override { return kHomePage; }
    bool ItemExists(int itemId, const std::string& code, TAbstractDBConnection& connection) override
    {
        return env_.Catalog().ItemExists(itemId, code, connection);
    }
    int FindItemByAltFileName(const std::string& name, TAbstractDBConnection& connection,
                              const std::string& code) override
    {
        return env_.Catalog().FindItemByAltFileName(name, connection, code, 0);
    }
    std::optional<TEditedItem> GetEditedItem() override { return edited; }
    std::string GetTransformResult(int itemId, int pageNo, const std::string& langCode) override
    {
        return cache.GetTransformResult(itemId, pageNo, langCode);
    }

private:
    TCatalogEnvironment& env_;
    TCatalogFixture& definition_;
};

// The catalogs, the page cache, the hooks and the resolver of one test.
class PreviewResolverFixture {
public:
    PreviewResolverFixture() : shop(env.Db()), style(definition), source(env, definition), resolver(source, hooks)
    {
        // Pages of the open catalog.
        shop.Item("shop", kHomePage);
        shop.Item("shop", 1234);
        shop.Item("shop", 2000);
        shop.String("shop", 2000, 1, 2, "about-us");
        shop.Item("shop", 2001);
        shop.String("shop", 2001, 1, 2, "summer-2024");
        shop.Item("shop", 2100);
        shop.String("shop", 2100, 1, 2, "draft");
        source.cache.PutTransformResult(kHomePage, 1, "home EN", "EN");
        source.cache.PutTransformResult(1234, 1, "1234 page 1", "EN");
        source.cache.PutTransformResult(1234, 3, "1234 page 3", "EN");
        source.cache.PutTransformResult(2000, 1, "about us", "EN");
        source.cache.PutTransformResult(2000, 2, "about us page 2", "EN");
        source.cache.PutTransformResult(2001, 1, "summer", "EN");
        source.cache.PutTransformResult(2101, 1, "draft in its tree place", "EN");
        source.cache.PutTransformResult(5, 1, "member page 5", "EN");
        source.cache.PutTransformResult(300, 1, "style preview catalog page", "EN");
        source.cache.PutTransformResult(TPreviewResolver::kStylePreviewPageId, 1, "style preview", "EN");

        // Resources of the open catalog.
        shop.Image("shop", 55, Bytes("shop image 55"), "image/gif");
        shop.Image("shop", 56, Bytes("shop logo"), "image/png");
        shop.String("shop", 56, 1, 2, "logo");
        shop.Image("shop", 1000055, Bytes("shop image 1000055"), "image/jpeg");
        shop.Image("shop", 1000056, Bytes("shop image 1000056"), "image/jpeg");
        shop.Item("shop", 77, 304);
        shop.Blob("shop", 77, 304, 2, Bytes("pdf of 77"), "application/pdf");
        shop.Item("shop", 88, 504);
        shop.Text("shop", 88, 504, "body { color: shop; }");
        shop.Item("shop", 89, 506);
        shop.Text("shop", 89, 506, "var shop = 1;");
        shop.Item("shop", 90, 504);
        shop.Text("shop", 90, 504, "/* only in the shop */");
        // A web resource imported from another site.
        shop.Item("shop", 3000, 301);
        shop.String("shop", 3000, 7, 1, "http://example.com/logo.gif");
        shop.Blob("shop", 3000, 5, 6, Bytes("imported logo"), "image/gif");

        // The member catalog.
        shop.CatalogInfo("c#shop1", 1);
        shop.Item("c#shop1", 5);

        // The definition database: style catalog and style-preview catalog.
        style.Item("t#1", 88, 504);
        style.Text("t#1", 88, 504, "body { color: style; }");
        style.Image("t#1", 1000056, Bytes("style image 1000056"), "image/jpeg");
        style.Image("p#1", 1000057, Bytes("style preview image"), "image/gif");
        style.Item("p#1", 300);
    }

    TCatalogEnvironment env;
    TCatalogFixture definition{"t#1"};
    TPreviewRows shop;
    TPreviewRows style;
    TFixturePreviewSource source;
    TPreviewContentHooks hooks;
    TPreviewResolver resolver;
};

struct TCase {
    std::string name;
    std::string url;
    TStatus status;
    std::string mimeType;  // checked when served
    std::string body;      // checked when served
};

std::ostream& operator<<(std::ostream& out, const TCase& c)
{
    return out << c.name << ": " << c.url;
}

// The table's cases only read: they share one catalog.
class PreviewResolverTest : public ::testing::TestWithParam<TCase> {
protected:
    static void SetUpTestSuite() { world = std::make_unique<PreviewResolverFixture>(); }
    static void TearDownTestSuite() { world.reset(); }
    static std::unique_ptr<PreviewResolverFixture> world;
};

std::unique_ptr<PreviewResolverFixture> PreviewResolverTest::world;

TEST_P(PreviewResolverTest, AnswersTheAddress)
{
    const TCase& c = GetParam();
    const TPreviewResponse response = world->resolver.Resolve(c.url);
    EXPECT_EQ(response.Status, c.status);
    if (c.status == TStatus::Served) {
        EXPECT_EQ(response.MimeType, c.mimeType);
        EXPECT_EQ(response.Body, c.body);
        EXPECT_EQ(response.HttpStatus(), 200);
    } else {
        EXPECT_EQ(response.Body, "") << "nothing is served for a refused or foreign address";
        EXPECT_EQ(response.HttpStatus(), 404);
    }
}

const std::string kHtml = "text/html";

INSTANTIATE_TEST_SUITE_P(
    Pages, PreviewResolverTest,
    ::testing::Values(
        TCase{"HomePageByIndex", kPreview + "/EN/index.html", TStatus::Served, kHtml, "home EN"},
        TCase{"IndexPageNumberIsNotRead", kPreview + "/EN/index-2.html", TStatus::Served, kHtml, "home EN"},
        TCase{"ItemById", kPreview + "/EN/1234.html", TStatus::Served, kHtml, "1234 page 1"},
        TCase{"PageNumberAfterDash", kPreview + "/EN/1234-3.html", TStatus::Served, kHtml, "1234 page 3"},
        TCase{"EveryPageExtension", kPreview + "/EN/1234-3.shtml", TStatus::Served, kHtml, "1234 page 3"},
        TCase{"PhpPage", kPreview + "/EN/1234.php", TStatus::Served, kHtml, "1234 page 1"},
        TCase{"QueryAndFragmentIgnored", kPreview + "/EN/1234-3.html?x=1&y=2#top", TStatus::Served, kHtml,
              "1234 page 3"},
        TCase{"AltFileNameWithDash", kPreview + "/EN/about-us.html", TStatus::Served, kHtml, "about us"},
        TCase{"AltFileNameWithPageNumber", kPreview + "/EN/about-us-2.html", TStatus::Served, kHtml,
              "about us page 2"},
        TCase{"AltFileNameEndingInNumber", kPreview + "/EN/summer-2024.html", TStatus::Served, kHtml, "summer"},
        TCase{"EncodedFileName", kPreview + "/EN/about%2Dus.html", TStatus::Served, kHtml, "about us"},
        TCase{"UncachedPageIsEmpty", kPreview + "/DE/1234.html", TStatus::Served, kHtml, ""},
        TCase{"StylePreviewPageInFolderLanguage", kStyle + "/EN/stylepreview.jsp", TStatus::Served, kHtml, "style preview"},
        TCase{"MemberCatalogPage", kPreview + "/c#shop1/EN/5.html", TStatus::Served, kHtml, "member page 5"},
        TCase{"MemberCatalogEncoded", kPreview + "/c%23shop1/EN/5.html", TStatus::Served, kHtml,
              "member page 5"},
        TCase{"MemberItemNotInOpenCatalog", kPreview + "/EN/5.html", TStatus::PassOn, "", ""},
        TCase{"UnknownItemIsPassedOn", kPreview + "/EN/999.html", TStatus::PassOn, "", ""},
        TCase{"UnknownAltNameIsPassedOn", kPreview + "/EN/nowhere.html", TStatus::PassOn, "", ""}),
    [](const ::testing::TestParamInfo<TCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Resources, PreviewResolverTest,
    ::testing::Values(
        TCase{"ImageAsGif", kPreview + "/images/55.gif", TStatus::Served, "image/gif", Bytes("shop image 55")},
        TCase{"ImageFolderAnyExtension", kPreview + "/images/55.png", TStatus::Served, "image/png",
              Bytes("shop image 55")},
        TCase{"JpgInAnyFolder", kPreview + "/pics/55.jpg", TStatus::Served, "image/jpeg", Bytes("shop image 55")},
        TCase{"ImageByAltFileName", kPreview + "/images/logo.png", TStatus::Served, "image/png",
              Bytes("shop logo")},
        TCase{"BinaryObject", kPreview + "/bin/77.pdf", TStatus::Served, "application/pdf", Bytes("pdf of 77")},
        TCase{"StyleSheet", kPreview + "/css/88.css", TStatus::Served, "text/css", "body { color: shop; }"},
        TCase{"Script", kPreview + "/js/89.js", TStatus::Served, "application/x-javascript", "var shop = 1;"},
        TCase{"ResourceQueryIgnored", kPreview + "/images/55.gif?v=3", TStatus::Served, "image/gif",
              Bytes("shop image 55")},
        TCase{"MissingImage", kPreview + "/images/99.gif", TStatus::NotFound, "", ""},
        TCase{"ImageOfItemWithout", kPreview + "/images/77.gif", TStatus::NotFound, "", ""},
        TCase{"UnknownKind", kPreview + "/docs/55.txt", TStatus::NotFound, "", ""},
        TCase{"NameThatIsNoItem", kPreview + "/images/nothing.gif", TStatus::NotFound, "", ""},
        TCase{"StyleHostCssFromStyleCatalog", kStyle + "/css/88.css", TStatus::Served, "text/css",
              "body { color: style; }"},
        TCase{"StyleHostCssOnlyInStyleCatalog", kStyle + "/css/90.css", TStatus::NotFound, "", ""},
        TCase{"StyleHostSmallIdOnlyInStyleCatalog", kStyle + "/images/55.gif", TStatus::NotFound, "", ""},
        TCase{"StyleHostLargeIdFallsBackToCatalog", kStyle + "/images/1000055.jpg", TStatus::Served, "image/jpeg",
              Bytes("shop image 1000055")},
        TCase{"StyleHostLargeIdStyleCatalogFirst", kStyle + "/images/1000056.jpg", TStatus::Served, "image/jpeg",
              Bytes("style image 1000056")},
        TCase{"PreviewHostLargeIdFromCatalog", kPreview + "/images/1000056.jpg", TStatus::Served, "image/jpeg",
              Bytes("shop image 1000056")}),
    [](const ::testing::TestParamInfo<TCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    OtherAddresses, PreviewResolverTest,
    ::testing::Values(
        TCase{"ImportedResourceBySource", "http://example.com/logo.gif?v=2", TStatus::Served, "image/gif",
              Bytes("imported logo")},
        TCase{"OtherAddressPassedOn", "http://example.com/other.gif", TStatus::PassOn, "", ""},
        TCase{"HostNameThatBeginsAnother", "tolvex://previewer/EN/1234.html", TStatus::PassOn, "", ""}),
    [](const ::testing::TestParamInfo<TCase>& info) { return info.param.name; });

// Nothing is ever read from a path the address builds; these are refused outright.
INSTANTIATE_TEST_SUITE_P(
    Refused, PreviewResolverTest,
    ::testing::Values(
        TCase{"ParentSegment", kPreview + "/EN/../1234.html", TStatus::NotFound, "", ""},
        TCase{"EncodedParentSegment", kPreview + "/EN/%2e%2E/1234.html", TStatus::NotFound, "", ""},
        TCase{"CurrentSegment", kPreview + "/./images/55.gif", TStatus::NotFound, "", ""},
        TCase{"BackslashParent", kPreview + "/images\\..\\55.gif", TStatus::NotFound, "", ""},
        TCase{"EncodedSlashInFile", kPreview + "/images/%2Fetc%2F55.gif", TStatus::NotFound, "", ""},
        TCase{"EncodedBackslashInFile", kPreview + "/images/..%5C55.gif", TStatus::NotFound, "", ""},
        TCase{"EncodedNulInFile", kPreview + "/images/55%00.gif", TStatus::NotFound, "", ""},
        TCase{"AbsolutePathAfterHost", kPreview + "//etc/images/55.gif", TStatus::NotFound, "", ""},
        TCase{"MalformedEscape", kPreview + "/EN/12%zz.html", TStatus::NotFound, "", ""},
        TCase{"TruncatedEscape", kPreview + "/images/55.gif%2", TStatus::NotFound, "", ""},
        TCase{"UnknownMemberCatalog", kPreview + "/c#nope/EN/5.html", TStatus::NotFound, "", ""},
        TCase{"EmptyMemberCode", kPreview + "/c#/EN/5.html", TStatus::NotFound, "", ""},
        TCase{"MemberCodeWithQuote", kPreview + "/c%23shop1'--/EN/5.html", TStatus::NotFound, "", ""}),
    [](const ::testing::TestParamInfo<TCase>& info) { return info.param.name; });

class PreviewResolverModeTest : public PreviewResolverFixture, public ::testing::Test {};

TEST_F(PreviewResolverModeTest, NoOpenCatalogPassesEveryAddressOn)
{
    source.open = false;
    for (const std::string& url : {kPreview + "/EN/index.html", kPreview + "/images/55.gif",
                                   std::string("http://example.com/logo.gif")})
        EXPECT_EQ(resolver.Resolve(url).Status, TStatus::PassOn) << url;
}

TEST_F(PreviewResolverModeTest, StylePreviewReadsTheStylePreviewCatalog)
{
    source.stylePreview = true;
    const TPreviewResponse image = resolver.Resolve(kPreview + "/images/1000057.gif");
    EXPECT_EQ(image.Status, TStatus::Served);
    EXPECT_EQ(image.Body, Bytes("style preview image"));
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/300.html").Body, "style preview catalog page")
        << "page 300 exists in the style-preview catalog only";
    EXPECT_EQ(resolver.Resolve(kPreview + "/images/55.gif").Status, TStatus::NotFound)
        << "the open catalog's images are not read in style-preview mode";
}

TEST_F(PreviewResolverModeTest, EditedItemIsShownInItsTreePlace)
{
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/draft.html").Status, TStatus::Served);
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/draft.html").Body, "") << "no page of 2100 is cached";
    source.edited = TPreviewSource::TEditedItem{2100, 2101};
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/draft.html").Body, "draft in its tree place");
    source.edited = TPreviewSource::TEditedItem{2000, 2101};
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/draft.html").Body, "") << "another item is being edited";
}

TEST_F(PreviewResolverModeTest, RequestPartsMakeTheSameAddress)
{
    const TPreviewResponse response = resolver.Resolve(TPreviewRequest{"tolvex", "preview", "/EN/1234-3.html", "a=1"});
    EXPECT_EQ(response.Status, TStatus::Served);
    EXPECT_EQ(response.Body, "1234 page 3");
    EXPECT_EQ(resolver.Resolve(TPreviewRequest{"tolvex", "stylepreview", "/css/88.css", ""}).Body,
              "body { color: style; }");
}

TEST_F(PreviewResolverModeTest, FailingQueryAnswersNotFound)
{
    env.Db().Exec("DROP TABLE CBinary");
    EXPECT_EQ(resolver.Resolve(kPreview + "/bin/77.pdf").Status, TStatus::NotFound);
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/1234.html").Body, "1234 page 1") << "pages need no value table";
}

// ---- content hooks ---------------------------------------------------------------------------

TEST_F(PreviewResolverModeTest, HookAnswersFirstEvenWithoutCatalog)
{
    source.open = false;
    auto handle = hooks.Install([](const std::string& url) -> std::optional<std::string> {
        if (url.find("/EN/1234.html") != std::string::npos)
            return "from the editor";
        if (url.find("pic.gif") != std::string::npos)
            return Bytes("hooked picture");
        return std::nullopt;
    });
    const TPreviewResponse page = resolver.Resolve(kPreview + "/EN/1234.html");
    EXPECT_EQ(page.Status, TStatus::Served);
    EXPECT_EQ(page.Body, "from the editor");
    EXPECT_EQ(page.MimeType, "text/html");
    const TPreviewResponse picture = resolver.Resolve("tolvex://editor/pic.gif?x");
    EXPECT_EQ(picture.Body, Bytes("hooked picture"));
    EXPECT_EQ(picture.MimeType, "image/gif");
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/index.html").Status, TStatus::PassOn)
        << "what the hook does not answer goes on as usual";
}

TEST(PreviewContentHooksTest, HooksStackAndEachHandleRemovesOnlyItsOwn)
{
    TPreviewContentHooks hooks;
    const auto answer = [](std::string text, std::string prefix) {
        return [text, prefix](const std::string& url) -> std::optional<std::string> {
            if (url.rfind(prefix, 0) == 0)
                return text;
            return std::nullopt;
        };
    };
    auto editorA = hooks.Install(answer("editor A", "a:"));
    auto import = hooks.Install(answer("import", "a:"));
    auto editorB = hooks.Install(answer("editor B", "b:"));

    EXPECT_EQ(hooks.Ask("a:x"), "import") << "the newest hook that answers wins";
    EXPECT_EQ(hooks.Ask("b:x"), "editor B");
    EXPECT_EQ(hooks.Ask("c:x"), std::nullopt);

    import.Reset();
    EXPECT_EQ(hooks.Ask("a:x"), "editor A") << "the older hook answers again";
    import.Reset();
    EXPECT_EQ(hooks.Count(), 2u) << "removing twice removes nothing else";

    {
        TPreviewContentHooks::THookHandle moved = std::move(editorB);
        EXPECT_FALSE(editorB.IsInstalled());
        editorB.Reset();
        EXPECT_EQ(hooks.Ask("b:x"), "editor B") << "a moved-from handle removes nothing";
    }
    EXPECT_EQ(hooks.Ask("b:x"), std::nullopt) << "the handle that went removed its hook";
    EXPECT_EQ(hooks.Ask("a:x"), "editor A") << "and only that one";
}

TEST(PreviewContentHooksTest, HookMayRemoveItselfWhileAnswering)
{
    TPreviewContentHooks hooks;
    TPreviewContentHooks::THookHandle self;
    self = hooks.Install([&self](const std::string&) -> std::optional<std::string> {
        self.Reset();
        return "once";
    });
    EXPECT_EQ(hooks.Ask("x"), "once");
    EXPECT_EQ(hooks.Ask("x"), std::nullopt);
    EXPECT_EQ(hooks.Count(), 0u);
}

}  // namespace
