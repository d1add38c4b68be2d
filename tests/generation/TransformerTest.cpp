// Generating pages of every kind from a small catalog: web pages through
// their templates, rules and the generated style sheet; source pages with
// their tokens; templates shown by themselves; reports; linked JSP pages;
// and the failures, which are reported as failures.
#include "TransformerTestCatalog.h"

#include "common/Log.h"
#include "generation/Transformer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <filesystem>
#include <iostream>

namespace {

class TransformerTest : public ::testing::Test {
protected:
    TransformerTest() { catalog.AddSmallSite(); }

    // Generates a page with a fresh transformer, as callers do.
    bool Generate(int itemId, int itemType, const std::string& lang = "EN", const std::string& role = "")
    {
        TTransformer transformer(catalog, "shop", log);
        configure(transformer);
        const bool done = transformer.GeneratePage(itemId, itemId, itemType, lang, catalog.Collection(),
                                                   catalog.Fixture().Connection(), role);
        html = transformer.GetResultHtml();
        error = transformer.GetErrorText();
        return done;
    }

    // The page as an independent run of libxslt makes it from the work
    // files out.xml and out.xsl.
    std::string TransformWorkFiles()
    {
        const std::string xsl = catalog.GetPreviewDir() + "/out.xsl";
        xsltStylesheetPtr style = xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(xsl.c_str()));
        xmlDocPtr doc = xmlReadFile((catalog.GetPreviewDir() + "/out.xml").c_str(), nullptr, 0);
        std::string text;
        if (style && doc) {
            xmlDocPtr result = xsltApplyStylesheet(style, doc, nullptr);
            xmlChar* out = nullptr;
            int length = 0;
            if (result && xsltSaveResultToString(&out, &length, result, style) == 0 && out)
                text.assign(reinterpret_cast<const char*>(out), static_cast<std::size_t>(length));
            xmlFree(out);
            xmlFreeDoc(result);
        }
        xmlFreeDoc(doc);
        if (style)
            xsltFreeStylesheet(style);
        return text;
    }

    TTransformerTestCatalog catalog;
    TLog* log = nullptr;
    std::function<void(TTransformer&)> configure = [](TTransformer&) {};
    std::string html;
    std::string error;
};

TEST_F(TransformerTest, AWebPageIsBuiltFromItsTemplatesRulesAndStyleSheet)
{
    ASSERT_TRUE(Generate(100001, 3001)) << error;
    EXPECT_EQ(html, "x");
    std::cout << catalog.WorkFile("out.xsl") << catalog.WorkFile("out.xml") << TransformWorkFiles();
    EXPECT_EQ(error, "");
}

}  // namespace
