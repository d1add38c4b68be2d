// The page XML of catalog objects: elements per member, language and index,
// the form of each member type, nested objects, member tags in texts, and
// tags that are no XML names.
#include "common/Exceptions.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <sstream>

namespace {

constexpr int kPage = 30;
constexpr int kNames = 1;
constexpr int kImage = 5;

class ObjectXmlTest : public ::testing::Test {
protected:
    ObjectXmlTest()
    {
        catalog.DeclareClass(kPage, "Page")
            .Member(1, "Title", 1, mfIsMultiLang | mfUseDefLangForNull)
            .Member(2, "Code", 1)
            .Member(3, "Color", 1, mfIsList)
            .Member(4, "Features", 6, mfIsList | mfIsMultiple)
            .Member(5, "Lines", 56)
            .Member(6, "Body", 52)
            .Member(7, "Intro", 90)
            .Member(8, "Tags", 1, mfIsMultiple)
            .Member(9, "Notes", 1, mfIsMultiple | mfIsMultiLang)
            .Member(101, "Measure", 101, mfIsList)
            .Member(102, "Link", 102)
            .Member(104, "Active", 104)
            .Member(105, "Parts", 105, mfIsMultiple)
            .Member(106, "Picture", 106)
            .Member(107, "Related", 107, 0, "", "Page")
            .Member(152, "Weight", 152)
            .Member(153, "Price", 153)
            .Member(201, "Published", 201)
            .Member(202, "OpensAt", 202)
            .Member(203, "Updated", 203)
            .Member(251, "File", 251)
            .ListValue(3, "r", "XXX", "Red", "#f00")
            .ListValue(4, "w", "XXX", "Wifi")
            .ListValue(4, "p", "XXX", "Parking")
            .ListValue(101, "2", "XXX", "Medium");
        catalog.DeclareClass(kNames, "CommonNames").Member(1, "ItemName", 1, mfIsMultiLang);
        catalog.DeclareClass(kImage, "Image").Member(1, "Alt", 1).Member(106, "Page", 106);
        catalog.AddItem(1001, 100, 1);
        doc = xmlNewDoc(BAD_CAST "1.0");
        root = xmlNewDocNode(doc, nullptr, BAD_CAST "Root", nullptr);
        xmlDocSetRootElement(doc, root);
    }
    ~ObjectXmlTest() override { xmlFreeDoc(doc); }

    std::unique_ptr<TTolvexObject> Object(int itemId = 1001, int classId = kPage)
    {
        return factory.GetObjectTyped(itemId, classId, catalog.Connection(), "");
    }

    // The XML text of what the object writes under the root.
    std::string Write(TTolvexObject& object, int flags = 0, const std::string& attrName = "")
    {
        xmlNode* element = object.WriteXml(doc, root, attrName, "2", flags);
        return element ? Text(element) : "(nothing)";
    }

    static std::string Text(xmlNode* node)
    {
        xmlBufferPtr buffer = xmlBufferCreate();
        xmlNodeDump(buffer, node->doc, node, 0, 0);
        std::string text(reinterpret_cast<const char*>(xmlBufferContent(buffer)));
        xmlBufferFree(buffer);
        return text;
    }

    // The member elements of one tag in a written object (not nested in others of the tag).
    static std::string Members(const std::string& xml, const std::string& tag)
    {
        std::string out;
        std::size_t at = 0;
        while ((at = xml.find("<" + tag, at)) != std::string::npos) {
            const char next = xml[at + tag.size() + 1];
            if (next != ' ' && next != '>' && next != '/') {
                ++at;
                continue;
            }
            const std::size_t open = xml.find('>', at);
            const std::size_t end = xml[open - 1] == '/' ? open + 1 : xml.find("</" + tag + ">", at) + tag.size() + 3;
            out += xml.substr(at, end - at);
            at = end;
        }
        return out;
    }

    TCatalogFixture catalog;
    TTolvexObjectFactory factory{catalog.Context()};
    xmlDocPtr doc = nullptr;
    xmlNode* root = nullptr;
};

TEST_F(ObjectXmlTest, TheObjectElementCarriesItsIdsAndTheAttributesTheFlagsAsk)
{
    auto page = Object();
    const std::string plain = Write(*page);
    EXPECT_EQ(plain.substr(0, plain.find('>') + 1), "<Page ItemId=\"1001\" TreeItemId=\"1001\">");
    const std::string all = Write(*page, oxAllItemAttributes, "Level");
    EXPECT_EQ(all.substr(0, all.find('>') + 1),
              "<Page Level=\"2\" CatalogCode=\"shop\" ItemType=\"100\" ParentItemId=\"1\" ItemId=\"1001\" "
              "TreeItemId=\"1001\">");
    const std::string two = Write(*page, oxItemType);
    EXPECT_EQ(two.substr(0, two.find('>') + 1), "<Page ItemType=\"100\" ItemId=\"1001\" TreeItemId=\"1001\">");
}

TEST_F(ObjectXmlTest, HiddenItemsAndAClosedCatalogWriteNothing)
{
    catalog.AddItem(1002, 100, 1, 0, true);
    auto fresh = Object(1002);
    EXPECT_NE(Write(*fresh), "(nothing)") << "not loaded yet: hidden is not known";
    auto loaded = Object(1002);
    loaded->Load();
    EXPECT_EQ(Write(*loaded), "(nothing)");

    TObjectCollection collection(catalog.Context());
    collection.Open("shop", catalog.Connection());
    EXPECT_EQ(Write(*collection.GetObject(1002, "Page")), "(nothing)") << "cached items know their row";

    catalog.Close();
    auto page = Object();
    EXPECT_EQ(Write(*page), "(nothing)");
}

TEST_F(ObjectXmlTest, ALanguageDependentMemberIsWrittenPerLanguageAndOnceMoreForTheDefault)
{
    auto page = Object();
    page->SetStringById(1, "EN", "Home", 0);
    page->SetStringById(1, "DE", "Startseite", 0);
    page->SetStringById(2, "XXX", "H1", 0);
    const std::string xml = Write(*page);
    EXPECT_EQ(Members(xml, "Title"), "<Title LanguageCode=\"EN\">Home</Title>"
                                     "<Title LanguageCode=\"DE\">Startseite</Title>"
                                     "<Title LanguageCode=\"DEF\">Home</Title>");
    EXPECT_EQ(Members(xml, "Code"), "<Code>H1</Code>");
}

TEST_F(ObjectXmlTest, MultipleValuesAreWrittenInTheOrderOfTheirIndexesAsTexts)
{
    auto page = Object();
    for (int i = 0; i < 12; ++i)
        page->SetStringById(8, "XXX", "t" + std::to_string(i), -1);
    std::string order;
    const std::string xml = Members(Write(*page), "Tags");
    for (std::size_t at = xml.find("<Tags>t"); at != std::string::npos; at = xml.find("<Tags>t", at + 1))
        order += xml.substr(at + 7, xml.find('<', at + 7) - at - 7) + " ";
    EXPECT_EQ(order, "0 1 10 11 2 3 4 5 6 7 8 9 ");
}

TEST_F(ObjectXmlTest, MultipleValuesOfALanguageAreWrittenInThatLanguage)
{
    auto page = Object();
    page->SetStringById(9, "DE", "erste", -1);
    page->SetStringById(9, "DE", "zweite", -1);
    EXPECT_EQ(Members(Write(*page), "Notes"), "<Notes LanguageCode=\"DE\">erste</Notes>"
                                              "<Notes LanguageCode=\"DE\">zweite</Notes>");
}

struct TFormCase {
    const char* why;
    int member;
    const char* text;  // set through the text form; "" sets nothing
    const char* tag;
    const char* expected;
};

TEST_F(ObjectXmlTest, EachMemberTypeHasItsForm)
{
    const TFormCase cases[] = {
        {"list text and additional text", 3, "r", "Color", "<Color ListValue=\"Red\" AddListValue=\"#f00\">r</Color>"},
        {"integer with list text", 101, "2", "Measure", "<Measure ListValue=\"Medium\">2</Measure>"},
        {"item reference", 102, "1001", "Link", "<Link ItemId=\"1001\">1001</Link>"},
        {"no item reference", 102, "", "Link", "<Link/>"},
        {"Boolean", 104, "", "Active", "<Active>0</Active>"},
        {"number", 152, "0.1", "Weight", "<Weight>0.1</Weight>"},
        {"amount", 153, "1234.5", "Price", "<Price Short=\"1234.5\">1234.50</Price>"},
        {"no date", 201, "", "Published", "<Published/>"},
        {"date", 201, "2004-01-14", "Published", "<Published day=\"14\" month=\"1\" year=\"2004\">2004-01-14</Published>"},
        {"time", 202, "18:30:05", "OpensAt", "<OpensAt hour=\"18\" minute=\"30\" second=\"5\">18:30:05</OpensAt>"},
        {"date and time", 203, "2004-01-14 09:05", "Updated",
         "<Updated day=\"14\" month=\"1\" year=\"2004\" hour=\"9\" minute=\"5\" second=\"0\">2004-01-14 09:05:00</Updated>"},
        {"midnight leaves the time out", 203, "2004-01-14", "Updated",
         "<Updated day=\"14\" month=\"1\" year=\"2004\" hour=\"0\" minute=\"0\" second=\"0\">2004-01-14</Updated>"},
        {"long text", 6, "<b>bold</b> & more", "Body", "<Body><![CDATA[<b>bold</b> & more]]></Body>"},
        {"no binary data", 251, "", "File", "<File><Size>0</Size><MimeType/><FileExt/></File>"},
    };
    for (const TFormCase& c : cases) {
        auto page = Object();
        if (*c.text)
            page->SetValueText(c.tag, "XXX", c.text, 0);
        EXPECT_EQ(Members(Write(*page), c.tag), c.expected) << c.why;
    }
}

TEST_F(ObjectXmlTest, SetsAndListsOfPiecesGiveOneElementEach)
{
    auto page = Object();
    page->SetStringById(4, "XXX", "w", -1);
    page->SetStringById(4, "XXX", "p", -1);
    page->SetStringById(5, "XXX", "one; two\r\n\"three;four\";%41+b;;", 0);
    const std::string xml = Write(*page);
    EXPECT_EQ(Members(xml, "Features"),
              "<Features><Set Code=\"w\">Wifi</Set><Set Code=\"p\">Parking</Set></Features>");
    EXPECT_EQ(Members(xml, "Lines"), "<Lines>one</Lines><Lines>two</Lines><Lines>three;four</Lines><Lines>A b</Lines>");

    page->SetStringById(5, "XXX", "bad %zz", 0);
    EXPECT_THROW(Write(*page), ECriticalTolvexException);
}

TEST_F(ObjectXmlTest, BinaryDataIsDescribedBySizeMimeTypeAndExtension)
{
    auto page = Object();
    std::istringstream png("12345");
    page->SetBinaryDataById(251, "XXX", "image/png", png, 0, nullptr);
    EXPECT_EQ(Members(Write(*page), "File"), "<File><Size>5</Size><MimeType>image/png</MimeType><FileExt>png</FileExt></File>");
}

TEST_F(ObjectXmlTest, LongTextThatHoldsTheEndOfACDataSectionStaysWellFormed)
{
    auto page = Object();
    const std::string body = "a]]>b]]]]>c";
    page->SetStringById(6, "XXX", body, 0);
    Write(*page);
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemory(doc, &text, &size);
    xmlDocPtr reread = xmlReadMemory(reinterpret_cast<const char*>(text), size, nullptr, nullptr, 0);
    xmlFree(text);
    ASSERT_NE(reread, nullptr);
    xmlChar* content = xmlNodeGetContent(xmlDocGetRootElement(reread));
    EXPECT_NE(std::string(reinterpret_cast<const char*>(content)).find(body), std::string::npos);
    xmlFree(content);
    xmlFreeDoc(reread);
}

TEST_F(ObjectXmlTest, MemberTagsInATextAreReplacedAndOtherTagsDisappear)
{
    catalog.AddItem(1002);
    auto other = Object(1002);
    other->SetStringById(2, "XXX", "X-2", 0);
    other->Save();
    auto page = Object();
    page->SetStringById(2, "XXX", "P-1", 0);
    page->SetStringById(7, "XXX", "<b>Code</b> <Page/Code>, other <1002/Page/Code>, <a/b/c/d> <Page/Nothing>.", 0);
    EXPECT_EQ(Members(Write(*page), "Intro"), "<Intro>Code P-1, other X-2,  .</Intro>");
    EXPECT_EQ(page->ReplaceMemberTags("<current/Page/Code>", "EN"), "P-1");
}

TEST_F(ObjectXmlTest, ReferencedObjectsAreWrittenInsideTheirMember)
{
    catalog.AddItem(2001, 301);
    catalog.AddItem(2002, 100);
    auto image = Object(2001, kImage);
    image->SetStringById(1, "XXX", "A photo", 0);
    image->Save();
    auto names = Object(2001, kNames);
    names->SetStringById(1, "EN", "Photo", 0);
    names->Save();
    auto related = Object(2002);
    related->SetStringById(2, "XXX", "R", 0);
    related->Save();

    auto page = Object();
    page->SetNumberById(106, "XXX", 2001, 0);
    page->SetNumberById(107, "XXX", 2002, 0);
    TCObjectHandle part(page->AddSubObject("Parts", "Page", "XXX"));
    part->SetStringById(2, "XXX", "sub", 0);
    part->Save();
    page->Save();
    const std::string xml = Write(*page);
    EXPECT_NE(Members(xml, "Picture").find("<Image ItemId=\"2001\" TreeItemId=\"2001\"><Alt>A photo</Alt>"),
              std::string::npos);
    EXPECT_NE(Members(xml, "Picture").find("<CommonNames ItemId=\"2001\" TreeItemId=\"2001\">"), std::string::npos);
    EXPECT_NE(xml.find("<Related ItemId=\"2002\"><Page ItemId=\"2002\" TreeItemId=\"2002\"><Title"), std::string::npos);
    EXPECT_NE(xml.find("<Parts><Page ItemId=\"1001\" TreeItemId=\"1001\"><Title"), std::string::npos);
    EXPECT_NE(xml.find("<Code>sub</Code>"), std::string::npos);
}

TEST_F(ObjectXmlTest, ReferencesInACircleEnd)
{
    catalog.AddItem(2001, 301);
    auto there = Object(2001, kImage);
    there->SetNumberById(106, "XXX", 1001, 0);  // the image of 2001 shows item 1001 ...
    there->Save();
    auto here = Object(1001, kImage);
    here->SetNumberById(106, "XXX", 2001, 0);  // ... whose image shows item 2001
    here->Save();
    const std::string xml = Write(*here);
    std::size_t images = 0;
    for (std::size_t at = xml.find("<Image "); at != std::string::npos; at = xml.find("<Image ", at + 1))
        ++images;
    EXPECT_EQ(images, 2u) << "each image once: " << xml;
}

TEST_F(ObjectXmlTest, ATagThatIsNoXmlNameFailsNamingClassAndMember)
{
    catalog.DeclareClass(40, "Broken").Member(1, "Good", 1).Member(2, "2nd Value", 1);
    catalog.DeclareClass(41, "Bad Class").Member(1, "Good", 1);
    auto broken = Object(1001, 40);
    try {
        Write(*broken);
        FAIL() << "no exception";
    } catch (const ECriticalTolvexException& e) {
        EXPECT_NE(std::string(e.what()).find("\"2nd Value\" of member 2 of class Broken"), std::string::npos) << e.what();
    }
    auto badClass = Object(1001, 41);
    EXPECT_THROW(Write(*badClass), ECriticalTolvexException);
}

}  // namespace
