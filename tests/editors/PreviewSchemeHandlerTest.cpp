// The preview scheme in a real browser view: a cached page of a fixture
// catalog loads with its image, a missing resource fails, an address is not
// answered while no catalog is open, and an image imported from another site
// is shown from the catalog instead of the network; the generated home page
// of a catalog of a shipped type shows with its pictures and style sheets.
#include "QtTestApplication.h"

#include "generation/PreviewCatalogFixture.h"
#include "generation/StyleFixture.h"

#include "catalog/Catalog.h"
#include "catalog/Tolvex.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/CatalogQueries.h"
#include "catalog/TransformCache.h"
#include "generation/CatalogPreviewSource.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"
#include "generation/PreviewResolver.h"
#include "generation/PreviewSource.h"
#include "generation/ui/PreviewSchemeHandler.h"
#include "support/CatalogFixture.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace {

constexpr int kHomePage = 100001;

// A 1x1 GIF.
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00,"
                       "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;",
                       43);

// The open catalog "shop" of a real database and its page cache.
class TShopPreviewSource : public TPreviewSource {
public:
    explicit TShopPreviewSource(TCatalogEnvironment& env) : env_(env) {}

    bool open = true;
    TTransformCache cache;

    std::string GetPreviewHostAddress() override { return TTolvex::kPreviewHost; }
    std::string GetStylePreviewHostAddress() override { return TTolvex::kStylePreviewHost; }
    bool IsOpen() override { return open; }
    bool IsStylePreview() override { return false; }
    std::string GetCatalogCode() override { return "shop"; }
    std::string GetStylePreviewCode() override { return "p#1"; }
    std::string GetStyleCatalogCode() override { return "t#1"; }
    TAbstractDBConnection& GetCurrentConnection() override { return env_.Connection(); }
    TAbstractDBConnection* GetDefinitionConnection() override { return nullptr; }
    bool CatalogExists(const std::string&, TAbstractDBConnection&) override { return false; }
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
    std::optional<TEditedItem> GetEditedItem() override { return std::nullopt; }
    std::string GetTransformResult(int itemId, int pageNo, const std::string& langCode) override
    {
        return cache.GetTransformResult(itemId, pageNo, langCode);
    }

private:
    TCatalogEnvironment& env_;
};

class PreviewSchemeHandlerTest : public ::testing::Test {
protected:
    PreviewSchemeHandlerTest()
    {
        EnsureQtApplication();
        TPreviewRows rows(env.Db());
        rows.Item("shop", kHomePage);
        rows.Item("shop", 1234);
        rows.String("shop", 1234, 1, 2, "about-us");
        rows.Image("shop", 55, kGif, "image/gif");
        rows.Item("shop", 88, 504);
        rows.Text("shop", 88, 504, "body { color: rgb(1, 2, 3); }");
        // An image imported from another site, stored under its address.
        rows.Item("shop", 3000, 301);
        rows.String("shop", 3000, 7, 1, "http://example.invalid/logo.gif");
        rows.Blob("shop", 3000, 5, 6, kGif, "image/gif");
        source.cache.PutTransformResult(
            1234, 1,
            "<html><head><title>About us</title><link rel=\"stylesheet\" href=\"/css/88.css\"></head>"
            "<body><img id=\"own\" src=\"/images/55.gif\">"
            "<img id=\"imported\" src=\"http://example.invalid/logo.gif\"></body></html>",
            "EN");
        profile = std::make_unique<QWebEngineProfile>();
        handler.Install(*profile);
        page = std::make_unique<QWebEnginePage>(profile.get());
    }
    ~PreviewSchemeHandlerTest() override
    {
        page.reset();
        profile.reset();
    }

    // Loads the address; whether the load succeeded.
    bool Load(const QString& url)
    {
        QSignalSpy finished(page.get(), &QWebEnginePage::loadFinished);
        page->load(QUrl(url));
        if (!finished.wait(20000))
            return false;
        return finished.takeFirst().at(0).toBool();
    }

    QVariant Evaluate(const QString& script)
    {
        QVariant result;
        QEventLoop loop;
        page->runJavaScript(script, [&](const QVariant& value) {
            result = value;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return result;
    }

    TCatalogEnvironment env;
    TShopPreviewSource source{env};
    TPreviewContentHooks hooks;
    TPreviewResolver resolver{source, hooks};
    TPreviewSchemeHandler handler{resolver};
    std::unique_ptr<QWebEngineProfile> profile;
    std::unique_ptr<QWebEnginePage> page;
};

TEST_F(PreviewSchemeHandlerTest, ShowsACachedPageWithItsStyleSheetAndImages)
{
    // By alternative file name, with a query that the resolver ignores.
    ASSERT_TRUE(Load(QStringLiteral("tolvex://preview/EN/about-us.html?x=1")));
    EXPECT_EQ(page->title(), QStringLiteral("About us"));
    EXPECT_EQ(Evaluate(QStringLiteral("document.getElementById('own').naturalWidth")).toInt(), 1);
    EXPECT_EQ(Evaluate(QStringLiteral("getComputedStyle(document.body).color")).toString(),
              QStringLiteral("rgb(1, 2, 3)"));
    // Another site's address stored as an imported resource comes from the catalog.
    EXPECT_EQ(Evaluate(QStringLiteral("document.getElementById('imported').naturalWidth")).toInt(), 1);
}

TEST_F(PreviewSchemeHandlerTest, ServesResourcesWithTheirMimeType)
{
    ASSERT_TRUE(Load(QStringLiteral("tolvex://preview/EN/1234.html")));
    const QVariant answer = Evaluate(QStringLiteral(
        "var x = new XMLHttpRequest(); x.open('GET', '/images/55.gif', false);"
        " x.overrideMimeType('text/plain; charset=x-user-defined'); x.send();"
        " x.getResponseHeader('content-type') + ' ' + x.responseText.length"));
    EXPECT_EQ(answer.toString(), QStringLiteral("image/gif 43"));
}

TEST_F(PreviewSchemeHandlerTest, FailsWhatIsNotThere)
{
    // A resource of the preview host that the catalog lacks.
    EXPECT_FALSE(Load(QStringLiteral("tolvex://preview/images/999.gif")));
    // A page whose item does not exist, and no stored resource.
    EXPECT_FALSE(Load(QStringLiteral("tolvex://preview/EN/nosuchpage.html")));
}

TEST_F(PreviewSchemeHandlerTest, AnswersNothingWhileNoCatalogIsOpen)
{
    source.open = false;
    EXPECT_FALSE(Load(QStringLiteral("tolvex://preview/EN/1234.html")));
    source.open = true;
    EXPECT_TRUE(Load(QStringLiteral("tolvex://preview/EN/1234.html")));
}

TEST(PreviewOfACatalog, HomePageShowsWithItsPicturesAndStyleSheets)
{
    EnsureQtApplication();
    TStyleProgram program{1};
    TCatalogData& data = program.Data();
    const std::string code = data.GetCatalogCode();
    const std::string lang = data.GetDefaultLangCode();
    const int home = program.Root().GetHomePageId();
    {
        // The page as the preview generates it, into the catalog's page cache.
        TObjectCollection collection(program.Root().ObjectContext());
        collection.Open(code, program.Connection());
        TTransformer transformer(data.GetPageGeneration(), code, nullptr);
        const int type = data.GetQueries().GetItemType(home, code, program.Connection());
        ASSERT_TRUE(transformer.GeneratePage(home, home, type, lang, collection, program.Connection(), ""))
            << transformer.GetErrorText();
        data.GetTransformCache().PutTransformResult(home, 1, transformer.GetResultHtml(), lang);
    }
    TCatalogPreviewSource source(program.Root().Catalog(), program.Root());
    TPreviewResolver resolver(source);
    TPreviewSchemeHandler handler(resolver);
    QWebEngineProfile profile;
    handler.Install(profile);
    {
        QWebEngineView view;
        view.setPage(new QWebEnginePage(&profile, &view));
        view.resize(900, 650);
        view.show();
        QSignalSpy finished(view.page(), &QWebEnginePage::loadFinished);
        view.load(QUrl(QString("tolvex://preview/%1/%2.html").arg(QString::fromStdString(lang)).arg(home)));
        ASSERT_TRUE(finished.wait(20000));
        ASSERT_TRUE(finished.takeFirst().at(0).toBool());
        EXPECT_FALSE(view.page()->title().isEmpty());

        auto evaluate = [&](const QString& script) {
            QVariant result;
            QEventLoop loop;
            view.page()->runJavaScript(script, [&](const QVariant& value) {
                result = value;
                loop.quit();
            });
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            loop.exec();
            return result;
        };
        // Every picture of the page, as <img> or as a background, arrives and is decoded.
        const int pictures = evaluate(QStringLiteral(
            "window.pictures = Array.from(document.images).map(i => i.src).concat("
            "  Array.from(document.querySelectorAll('*')).map(e => getComputedStyle(e).backgroundImage)"
            "  .filter(b => b.startsWith('url(')).map(b => b.slice(4, -1).replace(/[\"']/g, '')))"
            ".map(u => { const i = new Image(); i.src = u; return i; }); window.pictures.length")).toInt();
        EXPECT_GT(pictures, 0);
        for (int i = 0; i < 200 && !evaluate(QStringLiteral("window.pictures.every(i => i.complete)")).toBool(); ++i)
            QTest::qWait(20);
        const QVariantList images =
            evaluate(QStringLiteral("window.pictures.map(i => i.src + ' ' + i.naturalWidth)")).toList();
        for (const QVariant& image : images)
            EXPECT_FALSE(image.toString().endsWith(" 0")) << image.toString().toStdString();
        // Every linked style sheet was read, and its rules reach elements of the page.
        const QVariantList sheets = evaluate(QStringLiteral(
            "Array.from(document.querySelectorAll('link[rel=stylesheet]')).map(l => l.getAttribute('href') + ' ' + "
            "(l.sheet ? l.sheet.cssRules.length : -1))")).toList();
        EXPECT_FALSE(sheets.isEmpty());
        for (const QVariant& sheet : sheets) {
            const QString text = sheet.toString();
            EXPECT_GT(text.section(' ', -1).toInt(), 0) << text.toStdString();
        }
        const int applied = evaluate(QStringLiteral(
            "Array.from(document.styleSheets).flatMap(s => Array.from(s.cssRules))"
            ".filter(r => r.selectorText && document.querySelector(r.selectorText)).length")).toInt();
        EXPECT_GT(applied, 0);
        QTest::qWait(200);
        SaveWidgetPicture(view, QStringLiteral("preview-home-page"));
    }
    handler.Uninstall(profile);
}

}  // namespace
