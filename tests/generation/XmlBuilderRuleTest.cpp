// Generation rules: reading the rule text and its keys, the rule text of a
// rule element, link groups, member catalogs, and rules that must neither
// break nor corrupt the page.
#include "XmlBuilderFixture.h"
#include "common/Exceptions.h"
#include "common/XmlPtr.h"
#include "generation/TolvexNamespace.h"

#include <libxml/parser.h>

namespace xml_builder_test {
namespace {

// ---- the rule text ------------------------------------------------------------------------

TEST(GenerationRuleTest, KeysAreReadAsTheRuleLanguageSays)
{
    const TGenerationRule rule("action=Object&ClassXmlTag=A&classxmltag=B&ClassXmlTag=C&CatalogCode=x&"
                               "catalogcode=y&CatalogCode=z&Condition=A=B>C&ItemId=1&ItemId=2&TagName=a+b%&");
    EXPECT_EQ(rule.Value("Action"), "Object") << "single keys ignore case";
    EXPECT_EQ(rule.Values("ClassXmlTag"), (std::vector<std::string>{"A", "C"})) << "repeated keys match exactly";
    EXPECT_EQ(rule.LastValue("CatalogCode"), "z");
    EXPECT_EQ(rule.Value("Condition"), "A=B>C") << "split at the first =";
    EXPECT_EQ(rule.Value("ItemId"), "1") << "the first field counts";
    EXPECT_EQ(rule.Value("TagName"), "a+b%") << "no URL decoding";
    EXPECT_EQ(rule.Value("Missing"), "");
}

TEST(GenerationRuleTest, QuotesAndLineBreaksDecideWhereAValueEnds)
{
    const TGenerationRule quoted("XmlCondition=\"//a[@x='1' and @y='&']\"&Action=Object&");
    EXPECT_EQ(quoted.Value("XmlCondition"), "\"//a[@x='1' and @y='&']\"") << "the quotes stay";
    EXPECT_EQ(quoted.Value("Action"), "Object");
    const TGenerationRule bare("XmlCondition=//a[@y='&']&Action=Object&");
    EXPECT_EQ(bare.Value("XmlCondition"), "//a[@y='");
    EXPECT_EQ(bare.Fields()[1], "']") << "the rest is a field without a key";
    const TGenerationRule broken("TagName=Top\nItemId=5&");
    EXPECT_EQ(broken.Value("TagName"), "Top");
    EXPECT_EQ(broken.Value("ItemId"), "5") << "the text after the line break is a field of its own";
}

struct TConditionCase {
    const char* condition;
    const char* xmlCondition;
    int kind;
    const char* member;
    char op;
    const char* value;
};

TEST(GenerationRuleTest, AMemberComparisonSplitsAtItsFirstOperatorAndWinsOverXPath)
{
    const TConditionCase cases[] = {
        {"Price>100", "", TCondition::ckMember, "Price", '>', "100"},
        {"A=B>C", "", TCondition::ckMember, "A", '=', "B>C"},
        {"Name<M", "/Page", TCondition::ckMember, "Name", '<', "M"},
        {"Price", "/Page/x", TCondition::ckXPath, "", ' ', "/Page/x"},
        {"", "", TCondition::ckNone, "", ' ', ""},
    };
    for (const TConditionCase& c : cases) {
        const TCondition condition = TGenerationRule::ReadCondition(c.condition, c.xmlCondition);
        EXPECT_EQ(condition.Active, c.kind != TCondition::ckNone) << c.condition;
        EXPECT_EQ(condition.Kind, c.kind) << c.condition;
        EXPECT_EQ(condition.Member, c.member) << c.condition;
        EXPECT_EQ(condition.Operator, c.op) << c.condition;
        EXPECT_EQ(condition.Value, c.value) << c.condition;
    }
}

TEST(GenerationRuleTest, TheRuleTextOfAnElementListsItsChildNodes)
{
    const std::string ns = TolvexNamespaceUri;
    const auto textOf = [&](const std::string& inner) {
        const std::string xml = "<t xmlns:tolvex=\"" + ns + "\"><tolvex:xml-generation-rule>" + inner +
                                "</tolvex:xml-generation-rule></t>";
        const TXmlDocPtr doc(
            xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, "UTF-8", XML_PARSE_NONET));
        return TGenerationRule::TextOfElement(xmlDocGetRootElement(doc.get())->children);
    };
    EXPECT_EQ(textOf("<Action>Object</Action>\n  <ItemId>current</ItemId><!--why-->"),
              "Action=Object&ItemId=current&#comment=why&");
    EXPECT_EQ(textOf("<TagName>A&amp;B</TagName>"), "TagName=A&B&") << "nothing is escaped";
    EXPECT_EQ(textOf("only text"), "") << "no child element, no rule";
}

// ---- link groups ------------------------------------------------------------------------------

class XmlBuilderLinksTest : public XmlBuilderFixture {
protected:
    // A page-link object of the group "Top" with that link style on the item.
    void Links(int itemId, int styles, const std::string& group = "Top")
    {
        AddInstance(itemId, kPageLinks, 5);
        AddString(itemId, kPageLinks, 5, 1, group);
        AddNumber(itemId, kPageLinks, 5, 101, styles);
    }
    static std::string LinksOf(int itemId, int styles, const std::string& group = "Top")
    {
        const std::string id = std::to_string(itemId);
        return "<PageLinks ItemId=\"" + id + "\" TreeItemId=\"" + id + "\"><LinkGroup>" + group +
               "</LinkGroup><LinkStyles>" + std::to_string(styles) + "</LinkStyles></PageLinks>";
    }
    std::string RunLinks(int itemId = 112, bool stopAfterParentLinks = false)
    {
        builder->ProcessRule(itemId, itemId, kSection, kRule, catalog.Connection(), collection, "shop",
                             stopAfterParentLinks);
        return Page();
    }

    const std::string kRule = "TagName=Links&LinkGroup=Top&Action=Childs&ItemId=current&ClassXmlTag=CommonNames&";
};

TEST_F(XmlBuilderLinksTest, TheLinkStyleDecidesWhatTheRuleWrites)
{
    struct TCase {
        int styles;
        std::string expected;
    };
    const TCase cases[] = {
        {0, "<Links>" + Name(120) + LinksOf(112, 0) + "</Links>"},
        {1, "<Links>" + Name(120) + LinksOf(112, 1) + "</Links>"},
        {3, "<Links>" + LinksOf(112, 3) + "</Links>"},
        {4, "<Links/>"},
        {-1, "<Links/>"},
        {2, "<Links>" + Names({110, 111, 112}) + "</Links><Links>" + LinksOf(112, 2) + "</Links>"},
    };
    for (const TCase& c : cases) {
        catalog.Exec("DELETE FROM CObjectInstances WHERE ClassId = 103");
        catalog.Exec("DELETE FROM CStrings WHERE ClassId = 103");
        catalog.Exec("DELETE FROM CNumbers WHERE ClassId = 103");
        collection.Clear();
        NewPage();
        Links(112, c.styles);
        EXPECT_EQ(RunLinks(), c.expected) << "LinkStyles " << c.styles;
    }
}

TEST_F(XmlBuilderLinksTest, AnotherLinkGroupLeavesTheRuleAsItIs)
{
    Links(112, 3, "Bottom");
    EXPECT_EQ(RunLinks(), "<Links>" + Name(120) + "</Links>");
}

TEST_F(XmlBuilderLinksTest, ParentLinksDeferUpTheTreeAndTheLinkPreviewStopsAfterThem)
{
    Links(112, 2);
    Links(100, 2);
    EXPECT_EQ(RunLinks(), "<Links/><Links>" + LinksOf(100, 2) + "</Links><Links>" + LinksOf(112, 2) + "</Links>")
        << "the root's run lists nothing, then each page adds its own links";
    NewPage();
    EXPECT_EQ(RunLinks(112, true), "<Links/><Links>" + LinksOf(100, 2) + "</Links>");
}

TEST_F(XmlBuilderLinksTest, ACircleOfParentsDeferringToEachOtherEnds)
{
    Links(112, 2);
    Links(100, 2);
    SetParent(100, 112);
    EXPECT_EQ(RunLinks(), "<Links>" + LinksOf(100, 2) + "</Links><Links>" + LinksOf(112, 2) + "</Links>");
    SetParent(120, 120);
    Links(120, 2);
    NewPage();
    EXPECT_EQ(RunLinks(120), "<Links>" + LinksOf(120, 2) + "</Links>") << "an item that is its own parent";
}

// ---- member catalogs --------------------------------------------------------------------------

class XmlBuilderMemberTest : public XmlBuilderFixture {
protected:
    XmlBuilderMemberTest()
    {
        catalog.Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, "
                     "OrderNum) VALUES ('c#m1', 500, 20, 1, 500, 0, 1)");
        AddInstance(110, kMember, 7);
        AddString(110, kMember, 7, 1, "m1");
    }
};

TEST_F(XmlBuilderMemberTest, AMemberCatalogNamedByTheItemIsRead)
{
    EXPECT_EQ(Run("Action=Object&ItemId=500&CatalogCode=CoCMember&CatalogCodeItemId=current&ClassXmlTag=CommonNames&"),
              "<CommonNames CatalogCode=\"c#m1\" ItemId=\"500\" TreeItemId=\"500\"/>");
    EXPECT_EQ(builder->GetDataCatalogCode(), "c#m1");
    NewPage();
    EXPECT_EQ(Run("Action=Childs&ItemId=1&CatalogCode=CoCMember&CatalogCodeItemId=current&ClassXmlTag=CommonNames&"),
              Name(500));
}

TEST_F(XmlBuilderMemberTest, WithoutAMemberCatalogTheActionWritesNothing)
{
    EXPECT_EQ(Run("TagName=T&Action=Object&ItemId=current&CatalogCode=CoCMember&CatalogCodeItemId=111&"
                  "ClassXmlTag=CommonNames&"),
              "<T/>") << "the item names no member catalog";
    NewPage();
    EXPECT_EQ(Run("Action=Object&ItemId=current&CatalogCode=Other&CatalogCodeItemId=current&ClassXmlTag=CommonNames&"),
              Name(110)) << "any other code reads the open catalog";
    EXPECT_EQ(builder->GetDataCatalogCode(), "shop");
}

// ---- rules that must not break or corrupt the page ----------------------------------------------

TEST_F(XmlBuilderFixture, ValuesWithSpecialCharactersAreTakenAsTheyAre)
{
    AddInstance(110, kProduct, 2);
    AddString(110, kProduct, 2, 1, "50%+;:<x>");
    Run("Action=ObjectOrParents&ItemId=current&ClassXmlTag=Product&Condition=Name=50%+;:<x>&");
    EXPECT_EQ(Written("/Page/Product"), "110") << "neither decoded nor split";
    for (const char* hostile : {"ItemId=%&", "ItemId=%zz&", "ItemId=1 OR 1=1&", "ItemId=current;DROP TABLE Items&",
                                "ProcessFor=Childs&ProcessForItemId=%41&", "CategoryName=%%&", "MemberXmlTag=%&"})
        EXPECT_NO_THROW(Run(std::string("Action=Object&ClassXmlTag=CommonNames&") + hostile)) << hostile;
    EXPECT_EQ(catalog.Count("Items"), 8) << "nothing reached the statements";
}

TEST_F(XmlBuilderFixture, ElementNamesThatAreNoXmlNamesAndBrokenXPathAreReported)
{
    EXPECT_THROW(Run("TagName=a b&Action=Object&"), ECriticalTolvexException);
    EXPECT_THROW(Run("ItemTagName=1x&Action=Childs&ItemId=100&"), ECriticalTolvexException);
    EXPECT_THROW(Run("Action=AllChilds&ItemId=100&ItemType=Article&XmlCondition=/Page[&"), ECriticalTolvexException);
    EXPECT_EQ(Run("Action=AllChilds&ItemId=100&ItemType=Article&XmlCondition=count(/Page)&ClassXmlTag=CommonNames&"),
              "") << "an expression that selects no node fails";
}

}  // namespace
}  // namespace xml_builder_test
