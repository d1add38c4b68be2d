// The preview resolver over the program's open catalog (TCatalogPreviewSource):
// pages from the open catalog's page cache, resources from its database, the
// style catalog of its type's definition database, the style-preview mode,
// and the item editor's connection and tree place when the window side tells them.
#include "PreviewCatalogFixture.h"

#include "catalog/CatalogDataFixture.h"
#include "generation/CatalogPreviewSource.h"
#include "generation/PreviewResolver.h"
#include "support/FreePort.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using TStatus = TPreviewResponse::TStatus;

const std::string kPreview = TTolvex::kPreviewHost;
const std::string kStyle = TTolvex::kStylePreviewHost;
// The image server of these tests listens here, not on the program's port.
const int kImageServerPort = FreeLocalPort();

class PreviewCatalogSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture.MakeCatalog({.code = "shop"});
        ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
        data = fixture.Data();
        ASSERT_NE(data, nullptr);
        TPreviewRows shop(data->GetConnectionFactory().GetConnection());
        home = fixture.Root().GetHomePageId();
        shop.Item("shop", home);
        shop.Item("shop", 1234);
        shop.Item("shop", 2100);
        shop.String("shop", 2100, 1, 2, "draft");
        shop.Image("shop", 55, "gif bytes of 55", "image/gif");
        shop.Item("shop", 77, 304);
        shop.Blob("shop", 77, 304, 2, "pdf bytes", "application/pdf");
        shop.Item("shop", 88, 504);
        shop.Text("shop", 88, 504, "h1 { color: shop; }");
        shop.Item("shop", 89, 506);
        shop.Text("shop", 89, 506, "var shop;");
        data->GetTransformCache().PutTransformResult(home, 1, "home page", "EN");
        data->GetTransformCache().PutTransformResult(1234, 2, "page two", "EN");
        data->GetTransformCache().PutTransformResult(2101, 1, "draft in the tree", "EN");

        TAbstractDBConnectionFactory* definition =
            fixture.Root().Catalog().GetDefinition().GetDefinitionDatabase(kOpenCatalogType);
        ASSERT_NE(definition, nullptr);
        TPreviewRows style(definition->GetConnection());
        style.Item("t#1", 999988, 504);
        style.Text("t#1", 999988, 504, "h1 { color: style; }");
        style.Image("p#1", 1000057, "style preview image", "image/gif");
    }

    TRootFixture fixture{true, kImageServerPort};
    TCatalogData* data = nullptr;
    int home = 0;
    TCatalogPreviewSource source{fixture.Root().Catalog(), fixture.Root()};
    TPreviewContentHooks hooks;
    TPreviewResolver resolver{source, hooks};
};

TEST_F(PreviewCatalogSourceTest, ServesTheOpenCatalog)
{
    struct TCase {
        std::string url;
        std::string mimeType;
        std::string body;
    } cases[] = {
        {kPreview + "/EN/index.html", "text/html", "home page"},
        {kPreview + "/EN/1234-2.html", "text/html", "page two"},
        {kPreview + "/images/55.gif", "image/gif", "gif bytes of 55"},
        {kPreview + "/bin/77.pdf", "application/pdf", "pdf bytes"},
        {kPreview + "/css/88.css", "text/css", "h1 { color: shop; }"},
        {kPreview + "/js/89.js", "application/x-javascript", "var shop;"},
        {kStyle + "/css/999988.css", "text/css", "h1 { color: style; }"},
    };
    for (const TCase& c : cases) {
        const TPreviewResponse response = resolver.Resolve(c.url);
        EXPECT_EQ(response.Status, TStatus::Served) << c.url;
        EXPECT_EQ(response.MimeType, c.mimeType) << c.url;
        EXPECT_EQ(response.Body, c.body) << c.url;
    }
    EXPECT_EQ(resolver.Resolve(kPreview + "/images/56.gif").Status, TStatus::NotFound);
    EXPECT_EQ(resolver.Resolve(kPreview + "/c#nope/EN/1234.html").Status, TStatus::NotFound);

    ASSERT_TRUE(fixture.Root().CloseCatalog());
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/index.html").Status, TStatus::PassOn) << "no catalog open";
}

TEST_F(PreviewCatalogSourceTest, StylePreviewFlagReadsTheStylePreviewCatalog)
{
    EXPECT_EQ(resolver.Resolve(kPreview + "/images/1000057.gif").Status, TStatus::NotFound);
    data->SetStylePreview(true);
    const TPreviewResponse response = resolver.Resolve(kPreview + "/images/1000057.gif");
    EXPECT_EQ(response.Status, TStatus::Served);
    EXPECT_EQ(response.Body, "style preview image");
    data->SetStylePreview(false);
    EXPECT_EQ(resolver.Resolve(kPreview + "/images/1000057.gif").Status, TStatus::NotFound);
}

TEST_F(PreviewCatalogSourceTest, ItemEditorShowsItsUnsavedDataInItsTreePlace)
{
    std::unique_ptr<TAbstractDBConnection> editor = data->GetConnectionFactory().OpenSecondConnection();
    TPreviewRows(*editor).Image("shop", 58, "unsaved image", "image/gif");
    EXPECT_EQ(resolver.Resolve(kPreview + "/images/58.gif").Status, TStatus::NotFound) << "not saved yet";
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/draft.html").Body, "") << "no page of 2100 is cached";

    source.SetEditorState({[&editor] { return editor.get(); },
                           [] { return std::optional<TPreviewSource::TEditedItem>({2100, 2101}); }});
    EXPECT_EQ(resolver.Resolve(kPreview + "/images/58.gif").Body, "unsaved image") << "the editor's connection";
    EXPECT_EQ(resolver.Resolve(kPreview + "/EN/draft.html").Body, "draft in the tree");
    editor->RollbackTrans();
}

}  // namespace
