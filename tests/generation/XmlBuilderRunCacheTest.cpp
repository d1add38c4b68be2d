// The elements a publishing run keeps for its menus: copied into each page
// document exactly as they were written, also into pages that keep their
// names in the run's dictionary and outlive or precede the kept copies.
#include "generation/PageDocument.h"
#include "generation/XmlBuilderRunCache.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <memory>

namespace {

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

// A menu entry as the builder writes it: attributes (one empty, one with
// characters to escape), nested elements, text and a CDATA section.
void WriteEntry(TPageDocument& page, xmlNode* parent)
{
    xmlNode* entry = page.AddElement(parent, "CommonNames");
    page.SetAttribute(entry, "ItemId", "100002");
    page.SetAttribute(entry, "Title", "Fish & \"Chips\" <b>");
    page.SetAttribute(entry, "Empty", "");
    page.AddElement(entry, "ItemName", "Who we are");
    xmlAddChild(page.AddElement(entry, "Raw"), xmlNewCDataBlock(page.Document(), X("<i>kept</i>"), 11));
    page.AddElement(page.AddElement(entry, "Deeper"), "Deepest", "a\nb");
}

std::string Children(TPageDocument& page, xmlNode* parent)
{
    std::string text;
    for (xmlNode* child = parent->children; child; child = child->next) {
        xmlBufferPtr buffer = xmlBufferCreate();
        xmlNodeDump(buffer, page.Document(), child, 0, 0);
        text += reinterpret_cast<const char*>(xmlBufferContent(buffer));
        xmlBufferFree(buffer);
    }
    return text;
}

TEST(XmlBuilderRunCache, CopiesAreTheElementsAsWrittenWithSharedOrOwnNames)
{
    auto cache = std::make_unique<TXmlBuilderRunCache>();
    std::string written;
    {
        TPageDocument first("shop", cache->Names());
        xmlNode* menu = first.AddElement(first.Root(), "Menu");
        WriteEntry(first, menu);
        WriteEntry(first, menu);
        written = Children(first, menu);
        cache->RememberElements("menu", menu->children);
    }
    auto shared = std::make_unique<TPageDocument>("shop", cache->Names());
    auto borrower = std::make_unique<TPageDocument>("shop", cache->Kept());
    TPageDocument own("shop");
    for (TPageDocument* page : {shared.get(), borrower.get(), &own}) {
        xmlNode* menu = page->AddElement(page->Root(), "Menu");
        ASSERT_TRUE(cache->CopyElements("menu", page->Document(), menu));
        EXPECT_EQ(Children(*page, menu), written);
    }
    EXPECT_FALSE(cache->CopyElements("other", own.Document(), own.Root()));
    // The page outlives the run's kept elements (a kept work file).
    cache.reset();
    EXPECT_EQ(Children(*shared, shared->Root()->children), written);
    EXPECT_EQ(Children(*borrower, borrower->Root()->children), written);
}

}  // namespace
