// The tokens "$$name$$" of stored source pages, replaced in previews by
// values of the page, XML-escaped.
#include "TransformerTestCatalog.h"

#include "generation/Transformer.h"

#include <gtest/gtest.h>

namespace {

class TransformerTokensTest : public ::testing::Test {
protected:
    TransformerTokensTest()
    {
        catalog.AddSmallSite();
        catalog.AddItem(200401, 401, 1);                 // the data item
        catalog.AddItem(300401, 401, 100001, 200401);    // its placement in the tree
        catalog.Name(200401, "EN", "Tom & Jerry's");
        catalog.Name(200401, "DE", "   ");
        catalog.PutString(200401, kNamesClass, 2, "XXX", "tom-and-jerry");
        catalog.AddItem(2001, 3, 8);
        catalog.PutString(2001, kCompanyClass, 1, "XXX", "A<B> \"Ltd\"");
    }

    // The preview of a source page holding Code.
    std::string Preview(const std::string& code, const std::string& lang = "EN")
    {
        catalog.PutText(200401, kHtmlDataClass, 1, "XXX", code);
        catalog.ResetCollection();
        TTransformer transformer(catalog, "shop", nullptr);
        transformer.SetReplaceParams();
        EXPECT_TRUE(transformer.GeneratePage(300401, 300401, 401, lang, catalog.Collection(),
                                             catalog.Fixture().Connection(), ""));
        return transformer.GetResultHtml();
    }

    TTransformerTestCatalog catalog;
};

TEST_F(TransformerTokensTest, TokensAreReplacedByThePagesValues)
{
    const struct {
        const char* code;
        const char* expected;
    } cases[] = {
        {"$$CatalogCode$$", "shop"},
        {"$$ItemId$$ $$TreeItemId$$ $$ItemType$$", "200401 300401 401"},
        {"$$LanguageCode$$", "EN"},
        {"$$FileName$$", "tom-and-jerry"},
        {"<p>$$PageName$$</p>", "<p>Tom &amp; Jerry&#39;s</p>"},
        {"$$CompanyName$$", "A&lt;B&gt; &quot;Ltd&quot;"},
        {"$$CommonNames/ItemName$$", "Tom &amp; Jerry&#39;s"},
        {"$$Home/CommonNames/ItemName$$", "Welcome &amp; more"},
        {"$$/Home/CommonNames/ItemName$$", "Welcome &amp; more"},
        {"$$100002/CommonNames/ItemName$$", "First"},
        {"$$Home/CommonNames/Nothing$$|$$Home/NoClass/ItemName$$", "|"},
        {"$$a/b/c/d$$|$$Unknown$$|$$$$", "||"},
        {"$$pagename$$", ""},
        {"$$PageName$$/$$pagename$$", "Tom &amp; Jerry&#39;s/$$pagename$$"},
        {"$$ItemId$$$$ItemId$$", "200401200401"},
        {"$$Item Id$$ $ItemId$", "$$Item Id$$ $ItemId$"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Preview(c.code), c.expected) << c.code;
}

TEST_F(TransformerTokensTest, AValueThatIsBlankIsEmpty)
{
    EXPECT_EQ(Preview("[$$PageName$$]", "DE"), "[]");
}

TEST_F(TransformerTokensTest, ServerScriptsAreRemovedBeforeTheTokensAreReplaced)
{
    EXPECT_EQ(Preview("<p>$$PageName$$</p><% Response.Write(\"$$ItemId$$\") %><?php echo 1 ?>!"),
              "<p>Tom &amp; Jerry&#39;s</p>!");
}

}  // namespace
