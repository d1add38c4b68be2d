// Kept menu elements lent to the page documents of a run: every page sees
// them as written, however many pages hold them at once, and a transform
// of one page never changes what the next page is lent.
#include "common/XmlPtr.h"
#include "generation/PageDocument.h"
#include "generation/XmlKeptElements.h"

#include <gtest/gtest.h>
#include <libxml/xpath.h>
#include <libxslt/transform.h>
#include <libxslt/xsltutils.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

std::string Text(const TPageDocument& page)
{
    return page.Text();
}

// Two menu entries written into a page of the run; Blank puts blank text
// between an entry's elements (as an indented document would have).
std::shared_ptr<TXmlKeptElements> KeepMenu(bool blank)
{
    auto kept = std::make_shared<TXmlKeptElements>();
    TPageDocument first("shop", kept);
    xmlNode* menu = first.AddElement(first.Root(), "Menu");
    for (const char* id : {"1", "2"}) {
        xmlNode* entry = first.AddElement(menu, "CommonNames");
        first.SetAttribute(entry, "ItemId", id);
        if (blank)
            xmlAddChild(entry, xmlNewDocText(first.Document(), X("\n  ")));
        first.AddElement(entry, "ItemName", std::string("Entry ") + id);
    }
    kept->Remember("menu", menu->children);
    return kept;
}

// A page of the run: a heading, the kept menu, a footer.
std::unique_ptr<TPageDocument> Page(const std::shared_ptr<TXmlKeptElements>& kept, const std::string& heading)
{
    auto page = std::make_unique<TPageDocument>("shop", kept);
    page->AddElement(page->Root(), "Heading", heading);
    xmlNode* menu = page->AddElement(page->Root(), "Menu");
    EXPECT_TRUE(kept->Put("menu", page->Document(), menu));
    page->AddElement(page->Root(), "Footer", heading);
    return page;
}

std::string Expected(const std::string& heading, bool blank)
{
    const std::string space = blank ? "\n  " : "";
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Page CatalogCode=\"shop\"><Heading>" + heading +
           "</Heading><Menu><CommonNames ItemId=\"1\">" + space +
           "<ItemName>Entry 1</ItemName></CommonNames><CommonNames ItemId=\"2\">" + space +
           "<ItemName>Entry 2</ItemName></CommonNames></Menu><Footer>" + heading + "</Footer></Page>\n";
}

// The number of nodes an XPath expression selects in the page, evaluated
// as a later generation rule would.
int Count(const TPageDocument& page, const char* expression)
{
    TXPathContextPtr context(xmlXPathNewContext(page.Document()));
    TXPathObjectPtr result(xmlXPathEvalExpression(X(expression), context.get()));
    return result && result->nodesetval ? result->nodesetval->nodeNr : -1;
}

TEST(XmlKeptElements, PagesAliveTogetherOrOneAfterAnotherAllHoldTheMenuAsWritten)
{
    auto kept = KeepMenu(false);
    {
        // Several pages at once (kept work files, a page built while the
        // last one is written), then pages freed and built again.
        std::vector<std::unique_ptr<TPageDocument>> pages;
        for (const char* heading : {"a", "b", "c"})
            pages.push_back(Page(kept, heading));
        pages.erase(pages.begin());
        pages.push_back(Page(kept, "d"));
        const char* headings[] = {"b", "c", "d"};
        for (std::size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(Text(*pages[i]), Expected(headings[i], false));
            // Document order and the way up reach the page's own nodes.
            EXPECT_EQ(Count(*pages[i], "//CommonNames[@ItemId='2']/preceding::Heading"), 1);
            EXPECT_EQ(Count(*pages[i], "/Page/Menu/CommonNames/ItemName"), 2);
        }
    }
    // A page that outlives the run's other holders.
    auto last = Page(kept, "e");
    kept.reset();
    EXPECT_EQ(Text(*last), Expected("e", false));
}

TEST(XmlKeptElements, AStyleSheetStrippingBlanksLeavesTheNextPageAsWritten)
{
    const char* sheet =
        "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
        "<xsl:strip-space elements=\"*\"/><xsl:output method=\"text\"/>"
        "<xsl:template match=\"/\"><xsl:value-of select=\"count(//text())\"/></xsl:template>"
        "</xsl:stylesheet>";
    xsltStylesheetPtr style = xsltParseStylesheetDoc(xmlReadMemory(sheet, static_cast<int>(std::string(sheet).size()),
                                                                   "strip.xsl", nullptr, 0));
    ASSERT_NE(style, nullptr);
    for (const bool blank : {false, true}) {
        SCOPED_TRACE(blank ? "blank text in the menu" : "no blank text");
        auto kept = KeepMenu(blank);
        {
            auto page = Page(kept, "a");
            TXmlDocPtr result(xsltApplyStylesheet(style, page->Document(), nullptr));
            ASSERT_NE(result, nullptr);
        }
        EXPECT_EQ(Text(*Page(kept, "b")), Expected("b", blank));
    }
    xsltFreeStylesheet(style);
}

// Elements given back by a freed page are copied correctly into a document
// that borrows nothing, and freed with the kept elements.
TEST(XmlKeptElements, ElementsReturnedByAFreedPageAreCopiedIntoADocumentThatBorrowsNothing)
{
    auto kept = KeepMenu(false);
    Page(kept, "a").reset();
    Page(kept, "b").reset();
    TXmlDocPtr other(xmlNewDoc(X("1.0")));
    xmlNode* root = xmlNewDocNode(other.get(), nullptr, X("Menu"), nullptr);
    xmlDocSetRootElement(other.get(), root);
    ASSERT_TRUE(kept->Put("menu", other.get(), root));
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemory(other.get(), &text, &size);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)),
              "<?xml version=\"1.0\"?>\n<Menu><CommonNames ItemId=\"1\"><ItemName>Entry 1</ItemName></CommonNames>"
              "<CommonNames ItemId=\"2\"><ItemName>Entry 2</ItemName></CommonNames></Menu>\n");
    xmlFree(text);
    EXPECT_EQ(Text(*Page(kept, "c")), Expected("c", false));
}

TEST(XmlKeptElements, NothingKeptUnderAKeyPutsNothing)
{
    auto kept = KeepMenu(false);
    auto page = std::make_unique<TPageDocument>("shop", kept);
    EXPECT_FALSE(kept->Put("other", page->Document(), page->Root()));
    kept->Remember("empty", nullptr);
    EXPECT_TRUE(kept->Put("empty", page->Document(), page->Root()));
    EXPECT_EQ(page->Root()->children, nullptr);
}

}  // namespace
