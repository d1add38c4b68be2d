// Rules that run once per item of a set (ProcessFor Childs, AllChilds and
// BuildHierarchy), and walks over a catalog whose parents run in a circle.
#include "XmlBuilderFixture.h"

namespace xml_builder_test {
namespace {

// An iteration element of the data item Id (placed as TreeId) around Inner.
std::string Item(int id, const std::string& extra, const std::string& inner = "", int treeId = 0)
{
    const std::string open = "<Item ItemId=\"" + std::to_string(id) + "\" TreeItemId=\"" +
                             std::to_string(treeId == 0 ? id : treeId) + "\"" + (extra.empty() ? "" : " " + extra);
    return inner.empty() ? open + "/>" : open + ">" + inner + "</Item>";
}

std::string Parent(int id)
{
    return "ParentItemId=\"" + std::to_string(id) + "\"";
}

const std::string kAction = "Action=Object&ItemId=current&ClassXmlTag=CommonNames&";

TEST_F(XmlBuilderFixture, ProcessForChildsRunsTheActionForEachVisibleChild)
{
    EXPECT_EQ(Run("ProcessFor=Childs&ProcessForItemId=1&ProcessForTagName=Item&" + kAction),
              Item(100, "", Name(100)) + Item(200, "", Name(200)) + Item(110, "", Name(110), 300))
        << "a link placement runs for its data item";
    NewPage();
    EXPECT_EQ(Run("ProcessFor=Childs&ProcessForItemId=current&ProcessForItemType=Article&" + kAction, 100),
              Names({110, 111})) << "without a wrapper everything goes into the target";
    NewPage();
    EXPECT_EQ(Run("ProcessFor=Elsewhere&ProcessForItemId=1&" + kAction), "") << "an unknown mode runs nothing";
}

TEST_F(XmlBuilderFixture, ProcessForAllChildsNestsTheWrappersLikeTheTree)
{
    const std::string rule =
        "ProcessFor=AllChilds&ProcessForItemId=100&ProcessForTagName=Item&ProcessForItemType=Article&" + kAction;
    EXPECT_EQ(Run(rule + "ProcessForItemType=Section&"),
              Item(110, Parent(100) + " ItemType=\"20\"", Name(110)) + Item(111, Parent(100) + " ItemType=\"20\"", Name(111)) +
                  Item(112, Parent(100) + " ItemType=\"10\"", Name(112) + Item(120, Parent(112) + " ItemType=\"20\"", Name(120))));
    NewPage();
    EXPECT_EQ(Run(rule),
              Item(110, Parent(100), Name(110)) + Item(111, Parent(100), Name(111) + Item(120, Parent(112), Name(120))))
        << "the descendants of a row passed over go into the element of the row before it";
    NewPage();
    EXPECT_EQ(Run(rule + "ProcessForXmlCondition=/Page[not(@treeitemid = 111)]&"),
              Item(110, Parent(100), Name(110) + Item(120, Parent(112), Name(120))));
    NewPage();
    EXPECT_EQ(Run("ProcessFor=AllChilds&ProcessForItemId=100&ProcessForTagName=Item&" + kAction), "")
        << "without item types no action runs";
    NewPage();
    EXPECT_EQ(Run(rule + "ProcessForCondition=Name=Pen&"), "") << "a member comparison lets no row through";
}

TEST_F(XmlBuilderFixture, ProcessForBuildHierarchyWalksLevelsUpToTheLimit)
{
    const std::string rule = "ProcessFor=BuildHierarchy&ProcessForItemId=1&ProcessForTagName=Item&" + kAction;
    const auto item = [](int id, int parent, int level, const std::string& inner, int treeId = 0) {
        return Item(id, Parent(parent) + " Level=\"" + std::to_string(level) + "\"", inner, treeId);
    };
    EXPECT_EQ(Run(rule + "ProcessForItemType=Section&"),
              item(100, 1, 0, Name(100) + item(112, 100, 1, Name(112))) + item(200, 1, 0, Name(200)))
        << "without CheckAll a branch ends at an item of another type";
    NewPage();
    const std::string sectionA = item(100, 1, 0,
                                      Name(100) + item(110, 100, 1, Name(110)) + item(111, 100, 1, Name(111)) +
                                          item(112, 100, 1, Name(112)));
    const std::string rest = item(200, 1, 0, Name(200)) + item(110, 1, 0, Name(110), 300);
    EXPECT_EQ(Run(rule + "ProcessForMaxLevel=1&"), sectionA + rest) << "levels 0 and 1";
    NewPage();
    EXPECT_EQ(Written("//Item"), "");
    Run(rule + "ProcessForMaxLevel=none&");
    EXPECT_EQ(Written("//Item"), "100,110,111,112,120,200,300") << "no limit";
    NewPage();
    Run(rule + "ProcessForCheckAll=yes&ProcessForItemType=Article&ProcessForAddItemType=yes&");
    EXPECT_EQ(Written("//Item"), "100,110,111,112,120,200,300") << "CheckAll walks every type";
    EXPECT_EQ(Written("//Item/CommonNames"), "110,111,120,110") << "but runs the action for the listed ones";
    EXPECT_EQ(Written("//Item[@ItemType='10']"), "100,112,200");
}

// ---- a catalog whose parents run in a circle -----------------------------------------------------

TEST_F(XmlBuilderFixture, EveryWalkEndsInACircleOfParents)
{
    SetParent(100, 120);  // 100 -> 120 -> 112 -> 100
    for (const int item : {100, 112, 120}) {
        AddInstance(item, kProduct, 2);
        AddString(item, kProduct, 2, 1, "Name");
    }
    const std::vector<std::pair<std::string, std::string>> rules = {
        {"Action=Hierarchy&ItemId=120&ClassXmlTag=CommonNames&", "120,112,100"},
        {"Action=AllChilds&ItemId=100&ItemType=Article&ItemType=Section&ClassXmlTag=CommonNames&", "110,111,112,120,100"},
        {"Action=ObjectAndParents&ItemId=120&XmlCondition=/Page&ClassXmlTag=Product&", "120,112,100"},
        {"Action=ObjectOrParents&ItemId=120&XmlCondition=/Nothing&ClassXmlTag=Product&", ""},
        {"ProcessFor=AllChilds&ProcessForItemId=100&ProcessForItemType=Section&" + kAction, "112,100"},
        {"ProcessFor=BuildHierarchy&ProcessForItemId=100&" + kAction, "110,111,112,120,100"},
        {"Action=HierarchyAndRoot&RootItemId=112&ClassXmlTag=CommonNames&", "120,100"},
    };
    for (const auto& [rule, written] : rules) {
        NewPage();
        Run(rule, 120);
        EXPECT_EQ(Written("/Page/*"), written) << rule;
    }
}

}  // namespace
}  // namespace xml_builder_test
