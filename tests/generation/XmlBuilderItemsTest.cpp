// The actions of generation rules that walk the catalog tree: each rule runs
// for a page of the fixture catalog and the page document is compared with
// the XML it should hold.
#include "XmlBuilderFixture.h"
#include "generation/XmlBuilderRunCache.h"

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

namespace xml_builder_test {
namespace {

struct TRuleCase {
    const char* why;
    std::string rule;
    int itemId;  // the page (its own tree item)
    std::string expected;
};

// GoogleTest prints a parameter in failures and test lists: the case's reason, not its bytes.
void PrintTo(const TRuleCase& c, std::ostream* os)
{
    *os << c.why;
}

class XmlBuilderItemsTest : public XmlBuilderFixture,
                            public ::testing::WithParamInterface<TRuleCase> {};

TEST_P(XmlBuilderItemsTest, TheRuleWritesItsFragment)
{
    const TRuleCase& c = GetParam();
    EXPECT_EQ(Run(c.rule, c.itemId), c.expected) << c.why;
}

const std::string kNamesTag = "ClassXmlTag=CommonNames&";

// The case's reason in CamelCase ("parent of the tree item" -> ParentOfTheTreeItem), so that
// test names are the same from run to run and can be picked with a filter.
std::string CaseName(const ::testing::TestParamInfo<TRuleCase>& info)
{
    std::string name;
    bool upper = true;
    for (const char* p = info.param.why; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (std::isalnum(c) == 0) {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(std::toupper(c)) : static_cast<char>(c);
        upper = false;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Actions, XmlBuilderItemsTest,
    ::testing::Values(
        TRuleCase{"Object of the current item", "Action=Object&ItemId=current&" + kNamesTag, 110, Name(110)},
        TRuleCase{"the TagName wrapper holds the output", "TagName=Me&Action=Object&ItemId=current&" + kNamesTag, 110,
                  "<Me>" + Name(110) + "</Me>"},
        TRuleCase{"without ItemId Object starts from item 0 and writes nothing", "Action=Object&" + kNamesTag, 110, ""},
        TRuleCase{"an unknown action leaves an empty wrapper", "TagName=Box&Action=objects&" + kNamesTag, 110, "<Box/>"},
        TRuleCase{"parent of the tree item", "Action=Object&ItemId=parent&" + kNamesTag, 110, Name(100)},
        TRuleCase{"next visible sibling", "Action=Object&ItemId=nexttree&" + kNamesTag, 111, Name(112)},
        TRuleCase{"next sibling of the same type: none", "Action=Object&ItemId=nexttreetype&" + kNamesTag, 111, ""},
        TRuleCase{"previous visible sibling", "Action=Object&ItemId=prevtree&" + kNamesTag, 111, Name(110)},
        TRuleCase{"PageItemId names the visible link copy",
                  "TagName=P&Action=Object&ItemId=current&AddPageItemId=Yes&" + kNamesTag, 110,
                  "<P PageItemId=\"300\">" + Name(110) + "</P>"},
        TRuleCase{"AddPageItemId must be exactly Yes",
                  "TagName=P&Action=Object&ItemId=current&AddPageItemId=yes&" + kNamesTag, 110, "<P>" + Name(110) + "</P>"},
        TRuleCase{"Childs in tree order", "Action=Childs&ItemId=100&" + kNamesTag, 110, Names({110, 111, 112})},
        TRuleCase{"Childs of one type (by tag name)", "Action=Childs&ItemId=100&ItemType=Article&" + kNamesTag, 110,
                  Names({110, 111})},
        TRuleCase{"item types by name and number combine", "Action=Childs&ItemId=100&ItemType=Section&ItemType=20&" + kNamesTag,
                  110, Names({110, 111, 112})},
        TRuleCase{"an item type that names no type is dropped", "Action=Childs&ItemId=100&ItemType=Nothing&" + kNamesTag,
                  110, Names({110, 111, 112})},
        TRuleCase{"Childs with a wrapper per item", "Action=Childs&ItemId=112&ItemTagName=Row&" + kNamesTag, 110,
                  "<Row>" + Name(120) + "</Row>"},
        TRuleCase{"hidden children are not listed", "Action=Childs&ItemId=200&" + kNamesTag, 110, ""},
        TRuleCase{"ObjectAndChilds", "Action=ObjectAndChilds&ItemId=112&" + kNamesTag, 110, Name(112) + Name(120)},
        TRuleCase{"AllChilds: flat, depth first, with Level and ParentItemId",
                  "Action=AllChilds&ItemId=100&ItemType=Section&ItemType=Article&" + kNamesTag, 110,
                  Name(110, "Level=\"0\" ParentItemId=\"100\"") + Name(111, "Level=\"0\" ParentItemId=\"100\"") +
                      Name(112, "Level=\"0\" ParentItemId=\"100\"") + Name(120, "Level=\"1\" ParentItemId=\"112\"")},
        TRuleCase{"AllChilds visits every level but writes the listed types",
                  "Action=AllChilds&ItemId=100&ItemType=Article&" + kNamesTag, 110,
                  Name(110, "Level=\"0\" ParentItemId=\"100\"") + Name(111, "Level=\"0\" ParentItemId=\"100\"") +
                      Name(120, "Level=\"1\" ParentItemId=\"112\"")},
        TRuleCase{"AllChilds without ItemType writes nothing", "Action=AllChilds&ItemId=100&" + kNamesTag, 110, ""},
        TRuleCase{"AllChilds wrappers: descendants go beside their ancestor's wrapper",
                  "Action=AllChilds&ItemId=100&ItemType=Section&ItemTagName=W&" + kNamesTag, 110,
                  "<W>" + Name(112, "Level=\"0\" ParentItemId=\"100\"") + "</W>"},
        TRuleCase{"AllChilds with a member comparison lets no row through",
                  "Action=AllChilds&ItemId=100&ItemType=Article&Condition=Price>1&" + kNamesTag, 110, ""},
        TRuleCase{"AllChilds with an XPath condition filters the rows",
                  "Action=AllChilds&ItemId=100&ItemType=Article&XmlCondition=/Page[not(@treeitemid = 111)]&" + kNamesTag,
                  110, Name(110, "Level=\"0\" ParentItemId=\"100\"") + Name(120, "Level=\"1\" ParentItemId=\"112\"")},
        TRuleCase{"Hierarchy: the item, then its ancestors up to the root",
                  "Action=Hierarchy&ItemId=current&" + kNamesTag, 120,
                  Name(120, "Level=\"1\"") + Name(112, "Level=\"2\"") + Name(100, "Level=\"3\"")},
        TRuleCase{"Hierarchy of one type counts only what it writes",
                  "Action=Hierarchy&ItemId=current&ItemType=Section&" + kNamesTag, 120,
                  Name(112, "Level=\"1\"") + Name(100, "Level=\"2\"")},
        TRuleCase{"HierarchyAndRoot: the path to the page opened",
                  "TagName=Menu&Action=HierarchyAndRoot&RootItemId=1&" + kNamesTag, 110,
                  "<Menu SelectedItemId=\"110\">" + Name(100, "indent=\"0\"") + Name(110, "indent=\"1\"") +
                      Name(111, "indent=\"1\"") + Name(112, "indent=\"1\"") + Name(200, "indent=\"0\"") +
                      Name(110, "indent=\"0\"", 300) + "</Menu>"},
        TRuleCase{"HierarchyAndRoot for a child of the root opens its children",
                  "TagName=Menu&Action=HierarchyAndRoot&RootItemId=1&" + kNamesTag, 100,
                  "<Menu SelectedItemId=\"100\">" + Name(100, "indent=\"0\"") + Name(110, "indent=\"1\"") +
                      Name(111, "indent=\"1\"") + Name(112, "indent=\"1\"") + Name(200, "indent=\"0\"") +
                      Name(110, "indent=\"0\"", 300) + "</Menu>"},
        TRuleCase{"HierarchyAndRoot for a deeper page: the path's items, then the page among its siblings",
                  "TagName=Menu&Action=HierarchyAndRoot&RootItemId=1&" + kNamesTag, 120,
                  "<Menu SelectedItemId=\"120\">" + Name(100, "indent=\"0\"") + Name(112, "indent=\"1\"") +
                      Name(120, "indent=\"2\"") + Name(200, "indent=\"0\"") + Name(110, "indent=\"0\"", 300) +
                      "</Menu>"},
        TRuleCase{"HierarchyAndRoot for a page outside the root",
                  "TagName=Menu&Action=HierarchyAndRoot&RootItemId=112&" + kNamesTag, 110,
                  "<Menu SelectedItemId=\"110\">" + Name(120, "indent=\"0\"") + "</Menu>"},
        TRuleCase{"HierarchyAndRoot counts the items of a type below each entry",
                  "TagName=Menu&Action=HierarchyAndRoot&RootItemId=100&ItemType=Section&CountChildItemType=Article&" +
                      kNamesTag,
                  112,
                  "<Menu SelectedItemId=\"112\"><CommonNames indent=\"0\" ItemId=\"112\" TreeItemId=\"112\" "
                  "NumChilds=\"1\"/></Menu>"},
        TRuleCase{"TreeInfo of a hidden item", "Action=TreeInfo&ItemId=210&", 110,
                  "<TreeInfo TreeItemId=\"210\" LinkedItemId=\"210\" ItemType=\"20\" ParentItemId=\"200\" Visible=\"0\"/>"},
        TRuleCase{"TreeInfo of a link placement", "Action=TreeInfo&ItemId=300&", 110,
                  "<TreeInfo TreeItemId=\"300\" LinkedItemId=\"110\" ItemType=\"20\" ParentItemId=\"1\" Visible=\"1\"/>"}),
    CaseName);

// A publishing run keeps menu entries, and the run of a page's siblings, to
// copy them into the next pages: every page's menu is the one written
// without the run cache, whether the page opens children below its entry
// (112), shares its siblings with the page before (110, 111), sits deeper
// (120), has other siblings at the same level (220) or comes back after others.
TEST_F(XmlBuilderFixture, MenusWrittenWithTheRunCacheAreTheMenusWrittenWithout)
{
    AddItem(220, kArticle, 200, 2, "Cup");
    const std::string rule = "TagName=Menu&Action=HierarchyAndRoot&RootItemId=1&" + kNamesTag;
    const int pages[] = {110, 111, 112, 120, 220, 111, 110, 100};
    std::vector<std::string> expected;
    for (const int page : pages) {
        NewPage();
        expected.push_back(Run(rule, page));
    }
    TXmlBuilderRunCache cache;
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < std::size(pages); ++i) {
            NewPage();
            builder->SetRunCache(&cache);
            EXPECT_EQ(Run(rule, pages[i]), expected[i]) << "page " << pages[i] << ", pass " << pass;
        }
}

// ---- cases with objects of their own ------------------------------------------------------------

TEST_F(XmlBuilderFixture, ChildsSkipsRowsWithoutVisibilityWhileAllChildsListsThem)
{
    catalog.Exec("UPDATE Items SET NotVisible = NULL WHERE ParentItemId = 112");
    EXPECT_EQ(Run("Action=Childs&ItemId=112&ClassXmlTag=CommonNames&"), "");
    EXPECT_EQ(Run("Action=AllChilds&ItemId=112&ItemType=Article&ClassXmlTag=CommonNames&"),
              Name(120, "Level=\"0\" ParentItemId=\"112\""));
}

TEST_F(XmlBuilderFixture, AllObjectsWritesEveryObjectOfTheClass)
{
    AddInstance(111, kProduct, 2);
    AddInstance(111, kProduct, 3);
    AddString(111, kProduct, 2, 1, "blue");
    AddString(111, kProduct, 3, 1, "red");
    Run("Action=AllObjects&ItemId=111&ClassXmlTag=Product&");
    EXPECT_EQ(Written("/Page/Product[Name='blue' or Name='red']"), "111,111");
}

class XmlBuilderParentsTest : public XmlBuilderFixture {
protected:
    XmlBuilderParentsTest()
    {
        for (const auto& [item, name] : {std::pair{100, "Top"}, {112, "Middle"}, {120, "Leaf"}}) {
            AddInstance(item, kProduct, 2);
            AddString(item, kProduct, 2, 1, name);
        }
    }
};

TEST_F(XmlBuilderParentsTest, ObjectAndParentsWalksUpWhileTheConditionHolds)
{
    Run("Action=ObjectAndParents&ItemId=current&ClassXmlTag=Product&", 120);
    EXPECT_EQ(Written("/Page/Product"), "120") << "without a condition only the item itself";
    NewPage();
    Run("Action=ObjectAndParents&ItemId=current&Condition=Name<Middle&ClassXmlTag=Product&", 120);
    EXPECT_EQ(Written("/Page/Product"), "120,112") << "Leaf < Middle goes up, Middle < Middle stops";
    NewPage();
    Run("Action=ObjectAndParents&ItemId=current&XmlCondition=/Page&ClassXmlTag=Product&", 120);
    EXPECT_EQ(Written("/Page/Product"), "120,112,100") << "up to the root, which is not written";
    NewPage();
    Run("Action=ObjectAndParents&ItemId=current&XmlCondition=/Page&ItemType=Section&ClassXmlTag=Product&", 120);
    EXPECT_EQ(Written("/Page/Product"), "112,100") << "the walk passes items of other types";
}

TEST_F(XmlBuilderParentsTest, ObjectOrParentsWritesTheNearestItemThatHoldsTheCondition)
{
    Run("Action=ObjectOrParents&ItemId=current&Condition=Name=Top&ClassXmlTag=Product&", 120);
    EXPECT_EQ(Written("/Page/Product"), "100");
    NewPage();
    Run("Action=ObjectOrParents&ItemId=current&Condition=Name<N&ClassXmlTag=Product&", 120);
    EXPECT_EQ(Written("/Page/Product"), "120") << "Leaf < N holds at once";
    NewPage();
    Run("Action=ObjectOrParents&ItemId=current&ClassXmlTag=Product&", 120);
    EXPECT_EQ(Page(), "") << "without a condition nothing is written";
}

TEST_F(XmlBuilderFixture, MemberObjectAndChildsWritesEachReferencedItemWithItsChildren)
{
    AddInstance(110, kProduct, 2);
    AddNumber(110, kProduct, 2, 102, 112, 0);
    AddNumber(110, kProduct, 2, 102, 100, 1);
    const std::string rule = "Action=MemberObjectAndChilds&ItemId=current&ClassXmlTag=Product&MemberXmlTag=Related&"
                             "IncludeClassXmlTag=CommonNames&ItemType=Article&";
    EXPECT_EQ(Run("ItemTagName=Ref&" + rule),
              "<Ref>" + Name(112) + "<Childs ParentItemId=\"112\">" + Name(120) + "</Childs></Ref><Ref>" + Name(100) +
                  "<Childs ParentItemId=\"100\">" + Names({110, 111}) + "</Childs></Ref>");
    NewPage();
    EXPECT_EQ(Run(rule), "") << "without ItemTagName nothing is written";
}

TEST_F(XmlBuilderFixture, ACancelledLogStopsTheActions)
{
    log.SetCancelled(true);
    for (const char* rule : {"Action=Object&ItemId=100&ClassXmlTag=CommonNames&",
                             "Action=Childs&ItemId=100&ClassXmlTag=CommonNames&",
                             "Action=AllChilds&ItemId=100&ItemType=Article&ClassXmlTag=CommonNames&",
                             "Action=Hierarchy&ItemId=120&ClassXmlTag=CommonNames&",
                             "Action=Childs&ProcessFor=AllChilds&ProcessForItemId=1&ProcessForItemType=Section&"
                             "ItemId=current&ClassXmlTag=CommonNames&"})
        EXPECT_EQ(Run(rule), "") << rule;
}

}  // namespace
}  // namespace xml_builder_test
