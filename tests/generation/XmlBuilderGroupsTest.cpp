// GroupData, Statistic, ClassInfo and CategoryInfo, and the lines the
// builder writes into the log of a publishing run.
#include "XmlBuilderFixture.h"
#include "common/LogSink.h"
#include "storage/TolvexObjectContext.h"

namespace xml_builder_test {
namespace {

class XmlBuilderGroupsTest : public XmlBuilderFixture {
protected:
    // A Product object of item 110 with a colour, a price and a weight.
    void Option(int instanceId, int color, double price, double weight)
    {
        AddInstance(110, kProduct, instanceId);
        AddNumber(110, kProduct, instanceId, 101, color);
        if (price != 0)
            AddNumber(110, kProduct, instanceId, 153, price);
        AddNumber(110, kProduct, instanceId, 152, weight);
    }
    void Tags(int instanceId, const std::vector<std::string>& tags)
    {
        for (std::size_t i = 0; i < tags.size(); ++i)
            AddString(110, kProduct, instanceId, 2, tags[i], static_cast<int>(i) + 1);
    }

    const std::string kRule = "TagName=G&Action=GroupData&ItemId=current&ClassXmlTag=Product&ItemTagName=Group&";
};

TEST_F(XmlBuilderGroupsTest, GroupDataGroupsByMemberValuesInTheOrderFirstMet)
{
    Option(2, 7, 10, 1.5);
    Option(3, 3, 12.5, 2);
    Option(4, 7, 20, 0.25);
    Option(5, 3, 0, 4);  // no price: counts as 0
    EXPECT_EQ(Run(kRule + "GroupBy=Color&Max=Price&Min=Price&Sum=Weight&Max=Weight&"),
              "<G ItemId=\"110\">"
              "<Group><Color>7</Color><MaxPrice>20.00</MaxPrice><MinPrice>10.00</MinPrice><SumWeight>1.75</SumWeight>"
              "<MaxWeight>1.5</MaxWeight></Group>"
              "<Group><Color>3</Color><MaxPrice>12.50</MaxPrice><MinPrice>0.00</MinPrice><SumWeight>6</SumWeight>"
              "<MaxWeight>4</MaxWeight></Group></G>");
    NewPage();
    EXPECT_EQ(Run("TagName=G&Action=GroupData&ItemId=current&ClassXmlTag=Product&Sum=Price&"),
              "<G ItemId=\"110\"><SumPrice>42.50</SumPrice></G>") << "without GroupBy one group, in the target";
}

TEST_F(XmlBuilderGroupsTest, AMultipleMemberGroupsBySortedValuesAndWritesEachOne)
{
    Option(2, 1, 5, 0);
    Tags(2, {"b", "a"});
    Option(3, 1, 9, 0);
    Tags(3, {"a", "b"});
    Option(4, 1, 1, 0);
    Tags(4, {"A", "B"});
    EXPECT_EQ(Run(kRule + "GroupBy=Tags&GroupBy=Color&Max=Price&"),
              "<G ItemId=\"110\"><Group><Tags>a</Tags><Tags>b</Tags><Color>1</Color><MaxPrice>9.00</MaxPrice></Group></G>")
        << "equal keys ignoring case form one group";
}

TEST_F(XmlBuilderGroupsTest, ValuesWithKeySeparatorsOrEscapesKeepTheirGroupsAndTexts)
{
    const std::vector<std::vector<std::string>> groups = {
        {"x;y", "q:r"}, {"50%", "a+b"}, {"%41", "\"quoted\""}, {"line\nbreak", "tab\there"}, {"x", "y;q:r"}};
    for (std::size_t i = 0; i < groups.size(); ++i) {
        Option(static_cast<int>(i) + 2, 1, static_cast<double>(i) + 1, 0);
        Tags(static_cast<int>(i) + 2, groups[i]);
    }
    std::string expected = "<G ItemId=\"110\">";
    for (const auto& tags : {std::vector<std::string>{"q:r", "x;y"}, {"50%", "a+b"}, {"\"quoted\"", "%41"},
                             {"line\nbreak", "tab\there"}, {"x", "y;q:r"}}) {
        expected += "<Group>";
        for (const std::string& tag : tags)
            expected += "<Tags>" + tag + "</Tags>";
        expected += "</Group>";
    }
    std::string page;
    ASSERT_NO_THROW(page = Run(kRule + "GroupBy=Tags&"));
    EXPECT_EQ(page, expected + "</G>");
}

TEST_F(XmlBuilderGroupsTest, GroupDataWithoutObjectsWritesNothing)
{
    EXPECT_EQ(Run(kRule + "GroupBy=Color&Max=Price&"), "<G/>");
    EXPECT_EQ(Run("TagName=H&Action=GroupData&ItemId=current&ClassXmlTag=NoClass&Max=Price&"), "<G/><H/>");
}

// ---- Statistic ------------------------------------------------------------------------------

TEST_F(XmlBuilderGroupsTest, StatisticCountsTheValuesOfAMemberInItsOwnTable)
{
    for (const auto& [item, color] : {std::pair{110, 1}, {111, 1}, {112, 2}}) {
        AddInstance(item, kProduct, 2);
        AddNumber(item, kProduct, 2, 101, color);
        AddNumber(item, kProduct, 2, 100, color * 10);
        AddString(item, kProduct, 2, 1, color == 1 ? "pen" : "Sub");
        catalog.Exec("INSERT INTO CText (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                     "MemberType, TextValue) VALUES ('shop', :Item, 10, 2, 51, 'XXX', 0, 51, 'long text')",
                     {{"Item", item}});
        catalog.Exec("INSERT INTO CDates (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                     "MemberType, DateValue) VALUES ('shop', :Item, 10, 2, 201, 'XXX', 0, 201, :Date)",
                     {{"Item", item}, {"Date", TDateTime{45000.0 + color}}});
    }
    struct TCase {
        const char* rule;
        const char* expected;
    };
    const TCase cases[] = {
        {"MemberXmlTag=Color&", "<Color NumValues=\"2\">1</Color><Color NumValues=\"1\">2</Color>"},
        {"MemberXmlTag=Color&ItemType=Section&", "<Color NumValues=\"1\">2</Color>"},
        {"MemberXmlTag=Rank&", "<Rank NumValues=\"2\">10</Rank><Rank NumValues=\"1\">20</Rank>"},
        {"MemberXmlTag=Name&", "<Name NumValues=\"2\">pen</Name><Name NumValues=\"1\">Sub</Name>"},
        {"MemberXmlTag=Summary&", "<Summary NumValues=\"3\">long text</Summary>"},
        {"MemberXmlTag=Released&",
         "<Released NumValues=\"2\">2023-03-16</Released><Released NumValues=\"1\">2023-03-17</Released>"},
        {"MemberXmlTag=Missing&", ""},
    };
    for (const TCase& c : cases) {
        NewPage();
        EXPECT_EQ(Run(std::string("TagName=S&Action=Statistic&ClassXmlTag=Product&") + c.rule),
                  std::string(c.expected).empty() ? "<S/>" : "<S>" + std::string(c.expected) + "</S>")
            << c.rule;
    }
    NewPage();
    EXPECT_EQ(Run("TagName=S&Action=Statistic&MemberXmlTag=Color&"), "<S/>") << "no class tag";
}

// ---- ClassInfo and CategoryInfo ---------------------------------------------------------------

// A class that describes itself with one element.
class TDescribedClass : public TFixtureClass {
public:
    using TFixtureClass::TFixtureClass;
    void WriteXml(xmlDoc* doc, xmlNode* parent) override
    {
        xmlNode* element = xmlNewDocNode(doc, nullptr, BAD_CAST "Class", nullptr);
        xmlSetProp(element, BAD_CAST "Tag", BAD_CAST GetClassXmlTag().c_str());
        xmlAddChild(parent, element);
    }
};

TEST_F(XmlBuilderFixture, ClassInfoWritesTheDescriptionOfEachNamedClass)
{
    TDescribedClass product(kProduct, "Product");
    TDescribedClass names(kNames, "CommonNames");
    TTolvexObjectContext context(
        [&](int id) -> TAbstractCClassDefinition* { return id == kProduct ? &product : id == kNames ? &names : nullptr; },
        [](const std::string& tag) { return tag == "Product" ? kProduct : tag == "CommonNames" ? kNames : 0; });
    TXmlBuilder describing(doc, nullptr, generation, context);
    describing.ProcessRule(110, 110, kArticle, "Action=ClassInfo&ClassXmlTag=Product&ClassXmlTag=None&ClassXmlTag=CommonNames&",
                           catalog.Connection(), collection, "shop", false);
    EXPECT_EQ(Page(), "<Class Tag=\"Product\"/><Class Tag=\"CommonNames\"/>");
}

TEST_F(XmlBuilderFixture, CategoryInfoWritesTheCategoryTreeWithTheLeavesCounted)
{
    EXPECT_EQ(Run("TagName=C&Action=CategoryInfo&CategoryName=zarivuro&"), "<C/>") << "no category database";
    generation.CreateCategories();
    generation.AddCategory(10, "Books", 1, 1, false);
    generation.AddCategory(11, "Art", 1, 1, true);
    generation.AddCategory(20, "Poetry", 2, 10, true);
    generation.AddCategory(21, "Novels", 2, 10, true);
    generation.AddCategory(22, "Old & rare", 2, 10, false);
    generation.AddCategory(30, "Maps", 3, 22, true);
    NewPage();
    EXPECT_EQ(Run("TagName=C&Action=CategoryInfo&CategoryName=ZariVuro&"),
              "<C><Category Name=\"Art\" Id=\"11\" Level=\"1\" Parent=\"1\"/>"
              "<Category Name=\"Books\" Id=\"10\" Level=\"1\" Parent=\"1\" NumChilds=\"2\">"
              "<Category Name=\"Novels\" Id=\"21\" Level=\"2\" Parent=\"10\"/>"
              "<Category Name=\"Old &amp; rare\" Id=\"22\" Level=\"2\" Parent=\"10\" NumChilds=\"1\">"
              "<Category Name=\"Maps\" Id=\"30\" Level=\"3\" Parent=\"22\"/></Category>"
              "<Category Name=\"Poetry\" Id=\"20\" Level=\"2\" Parent=\"10\"/></Category></C>");
    NewPage();
    EXPECT_EQ(Run("TagName=C&Action=CategoryInfo&CategoryName=other&"), "<C/>");
}

// ---- log lines ------------------------------------------------------------------------------

class TLines : public TLogSink {
public:
    void AppendLine(const std::string& text) override { lines.push_back(text); }
    void ProcessMessages() override {}
    std::vector<std::string> lines;
};

TEST_F(XmlBuilderGroupsTest, TheActionsLogTheItemsTheyWrite)
{
    auto lines = std::make_shared<TLines>();
    log.SetOutput(lines);
    Option(2, 1, 1, 1);
    Run("Action=Object&ItemId=current&ClassXmlTag=CommonNames&");
    Run("Action=Childs&ItemId=112&ClassXmlTag=CommonNames&");
    Run("Action=GroupData&ItemId=current&ClassXmlTag=Product&GroupBy=Color&");
    EXPECT_EQ(lines->lines, (std::vector<std::string>{"Object item id 110", "Object item id 120",
                                                      "Group data item id - 110"}));
}

}  // namespace
}  // namespace xml_builder_test
