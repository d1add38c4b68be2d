// The page document "out.xml": the page's identity on the root, the extra
// data of the caller, a submitted web form and the simulated logins of the
// preview roles, before what the rules write; and malformed data, which
// ends the generation with an error.
#include "TransformerTestCatalog.h"

#include "common/Exceptions.h"
#include "generation/PageDocument.h"
#include "generation/Transformer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

class TransformerPageDocumentTest : public ::testing::Test {
protected:
    TransformerPageDocumentTest() { catalog.AddSmallSite(); }

    // The page document of the page, without its XML declaration and
    // without what the rules wrote.
    std::string Header(const std::string& role = "", int treeItemId = 100001)
    {
        TTransformer transformer(catalog, "shop", nullptr);
        configure(transformer);
        EXPECT_TRUE(transformer.GeneratePage(100001, treeItemId, 3001, "EN", catalog.Collection(),
                                             catalog.Fixture().Connection(), role))
            << transformer.GetErrorText();
        std::string xml = catalog.WorkFile("out.xml");
        xml = xml.substr(xml.find("<Page"));
        const std::size_t rules = xml.find("<Current>");
        return rules == std::string::npos ? xml : xml.substr(0, rules);
    }

    TTransformerTestCatalog catalog;
    std::function<void(TTransformer&)> configure = [](TTransformer&) {};
};

TEST_F(TransformerPageDocumentTest, TheRootCarriesThePagesIdentity)
{
    catalog.AddItem(604, 604, 8);
    catalog.PutNumber(604, kCatalogInfoClass, 1, "XXX", 8);
    catalog.PutString(100001, kNamesClass, 2, "XXX", "welcome");
    EXPECT_EQ(Header(), "<Page CatalogCode=\"shop\" CatalogType=\"8\" ItemId=\"100001\" ItemType=\"3001\" "
                        "TreeItemId=\"100001\" FileName=\"welcome\">");
    EXPECT_EQ(Header("", 0), "<Page CatalogCode=\"shop\" CatalogType=\"8\" ItemId=\"100001\">")
        << "without a tree item no type and no file name";
}

TEST_F(TransformerPageDocumentTest, ParametersBecomeElementsWithOneChildPerField)
{
    configure = [](TTransformer& t) {
        t.SetParameter("Search", "Word=red+shoes&Page=2");
        t.SetParameter("Cart", "Total=%2410");
        t.SetParameter("search", "Word=blue");  // replaces the first, whose name it keeps
    };
    EXPECT_EQ(Header().substr(Header().find('>') + 1),
              "<Search><Word>blue</Word></Search><Cart><Total>$10</Total></Cart>");
}

TEST_F(TransformerPageDocumentTest, ASubmittedQueryIsWrittenFieldByFieldAndWhole)
{
    configure = [](TTransformer& t) { t.SetSubmittedQuery("a=1&b=x+y"); };
    EXPECT_EQ(Header().substr(Header().find('>') + 1),
              "<Page><SubmitedParameters><Parameter><Name>a</Name><Value>1</Value></Parameter>"
              "<Parameter><Name>b</Name><Value>x y</Value></Parameter></SubmitedParameters>"
              "<QueryString>a=1&amp;b=x+y</QueryString></Page>");
}

TEST_F(TransformerPageDocumentTest, PreviewRolesSimulateALogin)
{
    const struct {
        const char* role;
        std::string written;
    } cases[] = {
        {"visitor", ""},
        {"unknown", ""},
        {"hotelowner", "<LogonResult><UserName>Administrator</UserName><CatalogCode>demo</CatalogCode>"
                       "<CatalogType>3</CatalogType><UserRole>Admin</UserRole></LogonResult>"},
        {"approvedwholesale", "<LogonResult><UserName>Administrator</UserName><CatalogCode>demo</CatalogCode>"
                              "<CatalogType>9</CatalogType><UserRole>Admin</UserRole></LogonResult>"
                              "<WholesaleBuyer><WholesaleBuyerLogin ItemId=\"0\" TreeItemId=\"0\"><Id>-1010101</Id><Login>test</Login>"
                              "</WholesaleBuyerLogin></WholesaleBuyer>"},
    };
    for (const auto& c : cases) {
        const std::string header = Header(c.role);
        EXPECT_EQ(header.substr(header.find('>') + 1), c.written) << c.role;
    }
}

TEST_F(TransformerPageDocumentTest, MalformedDataEndsTheGenerationBeforeThePageDocumentIsSaved)
{
    const struct {
        const char* why;
        std::function<void(TTransformer&)> set;
    } cases[] = {
        {"bad URL encoding in a parameter", [](TTransformer& t) { t.SetParameter("Search", "Word=%zz"); }},
        {"bad URL encoding in the query", [](TTransformer& t) { t.SetSubmittedQuery("a=%4"); }},
        {"a field without a name", [](TTransformer& t) { t.SetParameter("Search", "Word"); }},
        {"a name that is no XML name", [](TTransformer& t) { t.SetParameter("Search", "1st=x"); }},
        {"a parameter name that is no XML name", [](TTransformer& t) { t.SetParameter("a b", "x=1"); }},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(catalog.GetPreviewDir() + "/out.xml");
        TTransformer transformer(catalog, "shop", nullptr);
        c.set(transformer);
        EXPECT_THROW(transformer.GeneratePage(100001, 100001, 3001, "EN", catalog.Collection(),
                                              catalog.Fixture().Connection(), ""),
                     ECriticalTolvexException)
            << c.why;
        EXPECT_TRUE(std::filesystem::exists(catalog.GetPreviewDir() + "/out.xsl")) << c.why;
        EXPECT_FALSE(std::filesystem::exists(catalog.GetPreviewDir() + "/out.xml")) << c.why;
    }
}

TEST_F(TransformerPageDocumentTest, TheHourglassShowsWhileTheDocumentIsBuiltAndGoesAfterAFailure)
{
    Header();
    EXPECT_EQ(catalog.WaitDepthsOfRules(), (std::vector<int>{1, 1}));
    EXPECT_EQ(catalog.Gui().WaitDepth(), 0);
    TTransformer transformer(catalog, "shop", nullptr);
    transformer.SetParameter("Search", "Word");
    EXPECT_THROW(transformer.GeneratePage(100001, 100001, 3001, "EN", catalog.Collection(),
                                          catalog.Fixture().Connection(), ""),
                 ECriticalTolvexException);
    EXPECT_EQ(catalog.Gui().WaitDepth(), 0);
}

}  // namespace
