#include "catalog/CatalogDefinition.h"
#include "support/TestPaths.h"

#include "catalog/CatalogDefinitionImageCache.h"
#include "catalog/CatalogDefinitionLookup.h"
#include "catalog/CatalogTypeData.h"
#include "catalog/Singletons.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/QueryGuard.h"
#include "storage/ShippedData.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kDefinitionsDir = ShippedDataSourceDir() + "/catalogtypes";

// The catalog types shipped as data/catalogtypes/catalog_<N>.xml.
std::vector<int> ShippedTypes()
{
    return TShippedData(ShippedDataSourceDir()).CatalogTypes();
}

// Item names and the home page, as the global definition and the root object answer them.
class TLookupTable : public TCatalogDefinitionLookup {
public:
    int GetItemIdByName(const std::string& name) override { return Find(itemIds, name); }
    int GetItemTypeByName(const std::string& name) override { return Find(itemTypes, name); }
    int GetHomePageId() override { return homePageId; }

    std::map<std::string, int> itemIds;
    std::map<std::string, int> itemTypes;
    int homePageId = 100001;

private:
    static int Find(const std::map<std::string, int>& table, const std::string& name)
    {
        auto found = table.find(name);
        return found == table.end() ? 0 : found->second;
    }
};

// The main window's image cache: records what it was given.
class TRecordingImageCache : public TCatalogDefinitionImageCache {
public:
    void ClearCachedImages() override
    {
        ++clears;
        images.clear();
    }
    void AddCachedImage(const std::string& name, const std::string& picture, const std::string& mimeType) override
    {
        images[name] = picture;
        mimeTypes.push_back(mimeType);
    }

    int clears = 0;
    std::map<std::string, std::string> images;
    std::vector<std::string> mimeTypes;
};

// A program folder with a "databases" folder, the process singletons (for
// the database-module manager) and the numbered settings.
class DefinitionFixture : public ::testing::Test {
protected:
    DefinitionFixture() : settings(home.File("tolvex.ini"))
    {
        fs::create_directories(home.File("databases"));
        CreateSingletons(home.Path());
    }
    ~DefinitionFixture() override
    {
        definition_.reset();
        FreeSingletons();
    }

    TCatalogDefinition& Definition()
    {
        if (!definition_)
            definition_ = std::make_unique<TCatalogDefinition>(settings, *DBManager, home.Path(), gui, lookup);
        return *definition_;
    }

    // Builds data/catalogtypes/catalog_<N>.xml into the databases folder.
    void BuildShipped(int catalogType)
    {
        const std::string name = "catalog_" + std::to_string(catalogType);
        BuildCatalogTypeDatabase(kDefinitionsDir + "/" + name + ".xml", home.File("databases/" + name + ".sqlite"));
    }

    // Builds a definition written here (the items of "t#N") into Database.sqlite.
    void BuildFixture(int catalogType, const std::string& items, const std::string& database)
    {
        const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CatalogDefinition catalogType=\"" +
                                std::to_string(catalogType) + "\">\n" + items + "</CatalogDefinition>\n";
        const std::string file = home.Write("source/catalog_" + std::to_string(catalogType) + ".xml", xml);
        BuildCatalogTypeDatabase(file, home.File("databases/" + database + ".sqlite"));
    }

    TTempFolder home;
    TIniSettings settings;
    TScriptedGui gui;
    TLookupTable lookup;

private:
    std::unique_ptr<TCatalogDefinition> definition_;
};

// ---- every shipped definition loads -----------------------------------------------------

// What a shipped file says, read independently of the loader.
struct TExpectedDefinition {
    int startActionId = 0;
    std::vector<std::string> actions;
    struct TFilter {
        std::string filterVal, keyVal, value;
    };
    std::map<std::string, TFilter> filters;  // the first of each name, in lower case
    std::vector<std::string> imageNames;
    struct TType {
        int definitionItemId = 0;
        int itemType = 0;
        std::string itemManager;
        int editors = 0;
        int uiElements = 0;
    };
    std::vector<TType> types;
};

const TCatalogTypeObject* ObjectOf(const TCatalogTypeItem& item, int classId)
{
    for (const auto& object : item.objects)
        if (object.classId == classId)
            return &object;
    return nullptr;
}

std::string StringOf(const TCatalogTypeObject* object, int member)
{
    for (std::size_t i = 0; object && i < object->values.size(); ++i)
        if (object->values[i].memberId == member && object->values[i].table == "CStrings")
            return object->values[i].text;
    return {};
}

int NumberOf(const TCatalogTypeObject* object, int member)
{
    for (std::size_t i = 0; object && i < object->values.size(); ++i)
        if (object->values[i].memberId == member && object->values[i].table == "CNumbers")
            return static_cast<int>(object->values[i].number);
    return 0;
}

int CountObjects(const TCatalogTypeItem& item, int classId)
{
    return static_cast<int>(std::count_if(item.objects.begin(), item.objects.end(),
                                          [&](const auto& object) { return object.classId == classId; }));
}

TExpectedDefinition ReadExpected(int catalogType)
{
    TCatalogTypeData data =
        TCatalogTypeData::ReadFile(kDefinitionsDir + "/catalog_" + std::to_string(catalogType) + ".xml");
    std::vector<TCatalogTypeItem> items = data.Items();
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return a.orderNum != b.orderNum ? a.orderNum < b.orderNum : a.itemId < b.itemId;
    });
    TExpectedDefinition expected;
    for (const TCatalogTypeItem& item : items) {
        if (item.itemId == 806)
            expected.startActionId = NumberOf(ObjectOf(item, 806), 5);
        if (item.notVisible)
            continue;
        if (item.itemType == 801 && item.parentItemId == 29) {
            const TCatalogTypeObject* action = ObjectOf(item, 801);
            expected.actions.push_back(std::to_string(NumberOf(action, 1)) + "=" + StringOf(action, 2));
        } else if (item.itemType == 804 && item.parentItemId == 30) {
            const TCatalogTypeObject* filter = ObjectOf(item, 804);
            TExpectedDefinition::TFilter line{StringOf(filter, 1), StringOf(filter, 2), StringOf(filter, 3)};
            std::string name = line.filterVal + "_" + line.keyVal;
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
            expected.filters.try_emplace(name, line);
        } else if (item.itemType == 301 && item.parentItemId == 640000) {
            expected.imageNames.push_back(StringOf(ObjectOf(item, 1), 1));
        } else if (item.itemType == 810 && item.parentItemId == 31) {
            expected.types.push_back({item.itemId, NumberOf(ObjectOf(item, 810), 1),
                                      StringOf(ObjectOf(item, 807), 2), CountObjects(item, 802),
                                      CountObjects(item, 809)});
        }
    }
    return expected;
}

class ShippedDefinitionLoad : public DefinitionFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ShippedDefinitionLoad, LoadsHeaderActionsFiltersImagesItemTypesAndUIElements)
{
    const int type = GetParam();
    const TExpectedDefinition expected = ReadExpected(type);
    ASSERT_FALSE(expected.types.empty());
    ASSERT_FALSE(expected.imageNames.empty());
    BuildShipped(type);
    TRecordingImageCache images;
    TCatalogDefinition& definition = Definition();
    definition.SetImageCache(&images);

    definition.Load(type);

    EXPECT_EQ(definition.GetLoadedCatalogType(), type);
    EXPECT_EQ(gui.WaitDepth(), 0) << "the hourglass is shown only while loading";
    EXPECT_EQ(definition.GetStartActionId(), expected.startActionId);
    EXPECT_EQ(definition.GetActions(), expected.actions);
    const auto& actions = definition.GetActions();
    EXPECT_TRUE(std::any_of(actions.begin(), actions.end(),
                            [](const std::string& line) { return line.rfind("10=Action=", 0) == 0; }))
        << "every type has action 10";
    for (const auto& [name, filter] : expected.filters)
        EXPECT_EQ(definition.GetFilterValue(filter.filterVal, filter.keyVal), filter.value) << name;
    EXPECT_EQ(images.clears, 1);
    EXPECT_EQ(images.images.size(), expected.imageNames.size());
    for (const std::string& name : expected.imageNames)
        EXPECT_EQ(images.images[name].substr(0, 2), "BM") << name;

    ASSERT_EQ(definition.GetItemTypeCount(), static_cast<int>(expected.types.size()));
    int uiElements = 0;
    int managers = 0;
    for (int i = 0; i < definition.GetItemTypeCount(); ++i) {
        const TTolvexItemTypeDetail& detail = *definition.GetItemTypeDetail(i);
        const TExpectedDefinition::TType& want = expected.types[static_cast<std::size_t>(i)];
        SCOPED_TRACE("item type " + std::to_string(want.itemType));
        EXPECT_EQ(detail.DefinitionItemId, want.definitionItemId);
        EXPECT_EQ(detail.ItemType, want.itemType);
        EXPECT_EQ(detail.ItemManagerName, want.itemManager);
        ASSERT_EQ(detail.GetEditorCount(), want.editors);
        std::vector<std::string> tabs;
        for (int e = 0; e < detail.GetEditorCount(); ++e) {
            const TCatalogEditor& editor = *detail.GetEditor(e);
            EXPECT_FALSE(editor.Name.empty());
            if (e > 0) {
                EXPECT_LE(detail.GetEditor(e - 1)->Order, editor.Order) << "editors in order";
            }
            if (editor.Kind == 0)
                tabs.push_back(editor.Name + "=" + editor.Condition);
        }
        if (definition.FindItemTypeDetail(want.itemType) == &detail) {
            std::vector<std::string> list{"left over"};
            definition.GetItemTypeEditors(want.itemType, list, 0);
            EXPECT_EQ(list, tabs);
            EXPECT_EQ(definition.GetItemManagerName(want.itemType),
                      want.itemManager.empty() ? "CommonItemManager" : want.itemManager);
        }
        uiElements += want.uiElements;
        managers += want.itemManager.empty() ? 0 : 1;
    }
    EXPECT_GT(managers, 0);

    ASSERT_EQ(definition.GetUIDetailCount(), uiElements);
    for (int i = 0; i < definition.GetUIDetailCount(); ++i) {
        const TCatalogUIDetail& element = *definition.GetUIDetail(i);
        if (i > 0) {
            const TCatalogUIDetail& before = *definition.GetUIDetail(i - 1);
            EXPECT_TRUE(before.Kind < element.Kind || (before.Kind == element.Kind && before.OrderNum <= element.OrderNum))
                << "UI elements sorted by kind, then order";
        }
        EXPECT_GE(element.Kind, 1);
        EXPECT_LE(element.Kind, 4);
        EXPECT_FALSE(element.Caption.empty());
        const auto owner = std::find_if(expected.types.begin(), expected.types.end(),
                                        [&](const auto& t) { return t.definitionItemId == element.DefinitionItemId; });
        ASSERT_NE(owner, expected.types.end());
        EXPECT_EQ(element.ItemType, owner->itemType);
        if (element.ActionId != 0) {
            const std::string prefix = std::to_string(element.ActionId) + "=";
            EXPECT_TRUE(std::any_of(actions.begin(), actions.end(),
                                    [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }))
                << element.Caption << " runs action " << element.ActionId;
        }
    }
    EXPECT_EQ(definition.GetUIDetail(definition.GetUIDetailCount()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(CatalogDefinition, ShippedDefinitionLoad, ::testing::ValuesIn(ShippedTypes()),
                         [](const auto& info) { return "Type" + std::to_string(info.param); });

// ---- a small definition that shows each rule -----------------------------------------------

const char* const kSmallDefinition = R"(
  <Item id="806" type="806" parent="8"><Object class="806" instance="1">
    <String member="2">Small</String><Number member="5">1</Number><Number member="5" index="1">7</Number>
  </Object></Item>
  <Item id="521" type="820" parent="8"><Object class="521" instance="1">
    <String member="1">100001</String><String member="1" index="1">2001</String>
    <String member="1" index="2" lang="EN">999</String>
    <String member="2">100002</String>
  </Object></Item>
  <Item id="290001" type="801" parent="29" order="1"><Object class="801" instance="1">
    <Number member="1">1</Number><String member="2">Action=NewWindowEditor&amp;Post=yes</String>
  </Object></Item>
  <Item id="290010" type="801" parent="29" order="10"><Object class="801" instance="1">
    <Number member="1">10</Number><String member="2">Action=MainPageEditor&amp;ItemType=1003</String>
  </Object></Item>
  <Item id="290011" type="801" parent="29" order="11" visible="0"><Object class="801" instance="1">
    <Number member="1">11</Number><String member="2">Action=Hidden</String>
  </Object></Item>
  <Item id="300001" type="804" parent="30"><Object class="804" instance="1">
    <String member="1">CommonXmlSourcesEditor</String><String member="2">TabCaption</String>
    <String member="3">XML Source</String>
  </Object></Item>
  <Item id="310001" type="810" parent="31" order="1">
    <Object class="1" instance="1"><String member="1">Whole catalog</String></Object>
    <Object class="802" instance="2"><String member="2">CommonEditor</String>
      <String member="5">Role=admin</String><Number member="6">1</Number></Object>
    <Object class="809" instance="3"><Number member="1">2</Number><Number member="10">1</Number>
      <String member="4">Button</String></Object>
    <Object class="809" instance="4"><Number member="1">1</Number><Number member="10">5</Number>
      <String member="4">Menu five</String></Object>
    <Object class="809" instance="5"><Number member="1">1</Number><Number member="10">2</Number>
      <Number member="3">10</Number><String member="4">Menu two</String><String member="5">Hint</String>
      <String member="6">MenuPath=Catalog</String><String member="7">page</String>
      <String member="8">Single=yes</String><String member="9">IfPossible</String></Object>
  </Item>
  <Item id="310002" type="810" parent="31" order="2">
    <Object class="810" instance="1"><Number member="1">101</Number></Object>
    <Object class="807" instance="2"><String member="2">PageItemManager</String>
      <String member="3">Main</String><String member="4">First</String><String member="5">Edit</String>
      <Number member="6">1</Number><String member="7">page</String><Number member="8">17</Number>
      <String member="9">Mode=page</String></Object>
    <Object class="803" instance="3"><Number member="5">1</Number></Object>
    <Object class="805" instance="4"><Number member="2">101</Number><Number member="2" index="1">102</Number></Object>
    <Object class="805" instance="5"><Number member="2">104</Number></Object>
    <Object class="802" instance="6"><String member="2">E3</String><Number member="6">3</Number></Object>
    <Object class="802" instance="7"><String member="2">E1</String><String member="4">Tab=one</String>
      <Number member="6">1</Number></Object>
    <Object class="802" instance="8"><String member="2">E2</String><Number member="6">2</Number></Object>
    <Object class="802" instance="9"><String member="2">E1</String><String member="4">Nested=yes</String>
      <Number member="3">1</Number></Object>
    <Object class="808" instance="10"><Number member="3">600001</Number></Object>
    <Object class="808" instance="11"><Number member="2">1</Number><Number member="3">600002</Number></Object>
  </Item>
  <Item id="310003" type="810" parent="31" order="3">
    <Object class="810" instance="1"><Number member="1">102</Number></Object>
    <Object class="807" instance="2"><String member="9">Orphan=yes</String></Object>
    <Object class="808" instance="3"><Number member="2">1</Number><Number member="3">600002</Number></Object>
  </Item>
  <Item id="310004" type="810" parent="31" order="4" visible="0">
    <Object class="810" instance="1"><Number member="1">103</Number></Object>
    <Object class="807" instance="2"><String member="2">HiddenManager</String></Object>
    <Object class="809" instance="3"><Number member="1">1</Number><String member="4">Hidden</String></Object>
    <Object class="802" instance="4"><String member="2">HiddenEditor</String></Object>
  </Item>
  <Item id="640001" type="301" parent="640000" order="1">
    <Object class="1" instance="1"><String member="1">page</String></Object>
    <Object class="5" instance="2"><Binary member="6" mime="image/bmp" file="page.bmp"/></Object>
  </Item>
  <Item id="640002" type="301" parent="640000" order="2" visible="0">
    <Object class="1" instance="1"><String member="1">hidden</String></Object>
    <Object class="5" instance="2"><Binary member="6" mime="image/bmp" file="page.bmp"/></Object>
  </Item>
  <Item id="640003" type="301" parent="640000" order="3">
    <Object class="1" instance="1"><String member="1">photo</String></Object>
    <Object class="5" instance="2"><Binary member="6" mime="image/jpeg" file="page.bmp"/></Object>
  </Item>
)";

constexpr char kPicture[] = "BM\x36\0\0\0picture";
const std::string kPictureBytes(kPicture, sizeof kPicture - 1);

class SmallDefinition : public DefinitionFixture {
protected:
    SmallDefinition()
    {
        home.Write("source/page.bmp", kPictureBytes);
        BuildFixture(77, kSmallDefinition, "catalog_77");
    }
};

TEST_F(SmallDefinition, LoadsTheVisibleRowsOfEachPart)
{
    TRecordingImageCache images;
    TCatalogDefinition& definition = Definition();
    definition.SetImageCache(&images);
    definition.Load(77);

    EXPECT_EQ(definition.GetStartActionId(), 7) << "the largest of several values";
    EXPECT_EQ(definition.GetActions(),
              (std::vector<std::string>{"1=Action=NewWindowEditor&Post=yes", "10=Action=MainPageEditor&ItemType=1003"}));
    ASSERT_EQ(images.images.size(), 1u) << "only visible bitmaps";
    EXPECT_EQ(images.images["page"], kPictureBytes);
    EXPECT_EQ(images.mimeTypes, std::vector<std::string>{"image/bmp"});
    ASSERT_EQ(definition.GetItemTypeCount(), 3) << "the hidden item type is left out";
    EXPECT_EQ(definition.FindItemTypeDetail(103), nullptr);
}

TEST_F(SmallDefinition, ItemTypeQuestionsAndTheirDefaults)
{
    TCatalogDefinition& definition = Definition();
    definition.Load(77);
    auto editors = [&](int type, int kind) {
        std::vector<std::string> list{"stale"};
        definition.GetItemTypeEditors(type, list, kind);
        std::string joined;
        for (const std::string& line : list)
            joined += (joined.empty() ? "" : ";") + line;
        return joined;
    };
    auto editorParams = [&](int type, int kind, const std::string& name) {
        std::string params = "unchanged";
        definition.GetItemTypeEditorParams(type, kind, name, params);
        return params;
    };
    auto usingTemplate = [&](int templateId, int kind) {
        std::vector<std::string> list{"stale"};
        definition.GetItemTypesUsingTemplate(templateId, kind, list);
        std::string joined;
        for (const std::string& line : list)
            joined += (joined.empty() ? "" : ",") + line;
        return joined;
    };
    auto text = [](int number) { return std::to_string(number); };

    const struct {
        const char* question;
        std::function<std::string()> ask;
        std::string expected;
    } cases[] = {
        {"editors of kind 0, by order", [&] { return editors(101, 0); }, "E1=;E2=;E3="},
        {"editors of another kind", [&] { return editors(101, 1); }, "E1="},
        {"editor line carries the condition", [&] { return editors(0, 0); }, "CommonEditor=Role=admin"},
        {"editors of a type without detail", [&] { return editors(555, 0); }, ""},
        {"editors of a hidden type", [&] { return editors(103, 0); }, ""},
        {"editor params by kind and name", [&] { return editorParams(101, 1, "E1"); }, "Nested=yes"},
        {"editor params of kind 0", [&] { return editorParams(101, 0, "E1"); }, "Tab=one"},
        {"editor name compared exactly", [&] { return editorParams(101, 0, "e1"); }, ""},
        {"editor params, type without detail", [&] { return editorParams(555, 0, "E1"); }, "unchanged"},
        {"item manager", [&] { return definition.GetItemManagerName(101); }, "PageItemManager"},
        {"item manager left empty", [&] { return definition.GetItemManagerName(102); }, "CommonItemManager"},
        {"item manager, no detail", [&] { return definition.GetItemManagerName(555); }, "CommonItemManager"},
        {"item manager params", [&] { return definition.GetItemManagerParams("PageItemManager"); }, "Mode=page"},
        {"manager params, name exactly", [&] { return definition.GetItemManagerParams("pageitemmanager"); }, ""},
        {"manager params of a hidden type", [&] { return definition.GetItemManagerParams("HiddenManager"); }, ""},
        {"manager params of the first detail with that name (type 0)",
         [&] { return definition.GetItemManagerParams(""); }, ""},
        {"default tab", [&] { return definition.GetItemTypeDefaultTab(101); }, "Main"},
        {"first tab", [&] { return definition.GetItemTypeFirstTab(101); }, "First"},
        {"edit tab", [&] { return definition.GetItemTypeEditTab(101); }, "Edit"},
        {"image name", [&] { return definition.GetItemTypeImageName(101); }, "page"},
        {"tab, no detail", [&] { return definition.GetItemTypeDefaultTab(555); }, ""},
        {"flags", [&] { return text(definition.GetItemTypeFlags(101)); }, "17"},
        {"flags, no detail", [&] { return text(definition.GetItemTypeFlags(555)); }, "0"},
        {"linked-item parent", [&] { return text(definition.GetItemTypeParentId(101)); }, "1"},
        {"linked-item parent, none", [&] { return text(definition.GetItemTypeParentId(102)); }, "0"},
        {"sort group", [&] { return text(definition.GetItemTypeSortGroup(1, 1, 101, 5)); }, "1"},
        {"sort group, none", [&] { return text(definition.GetItemTypeSortGroup(101, 5, 102, 6)); }, "0"},
        {"child type, first row", [&] { return text(definition.CanContainItemType(101, 101)); }, "1"},
        {"child type, second row of a member", [&] { return text(definition.CanContainItemType(101, 102)); }, "1"},
        {"child type, another instance", [&] { return text(definition.CanContainItemType(101, 104)); }, "1"},
        {"child type not allowed", [&] { return text(definition.CanContainItemType(101, 103)); }, "0"},
        {"parent without child rows", [&] { return text(definition.CanContainItemType(102, 101)); }, "0"},
        {"parent without detail", [&] { return text(definition.CanContainItemType(555, 101)); }, "0"},
        {"template of kind 0", [&] { return text(definition.GetItemTypeTemplateId(101, 0)); }, "600001"},
        {"template of kind 1", [&] { return text(definition.GetItemTypeTemplateId(101, 1)); }, "600002"},
        {"template of a missing kind", [&] { return text(definition.GetItemTypeTemplateId(101, 4)); }, "0"},
        {"template of a type without templates", [&] { return text(definition.GetItemTypeTemplateId(0, 0)); }, "0"},
        {"types using a body template", [&] { return usingTemplate(600002, 1); }, "101,102"},
        {"types using it as another kind", [&] { return usingTemplate(600002, 0); }, ""},
        {"filter value", [&] { return definition.GetFilterValue("CommonXmlSourcesEditor", "TabCaption"); }, "XML Source"},
        {"filter name ignores case", [&] { return definition.GetFilterValue("commonxmlsourceseditor", "tabcaption"); },
         "XML Source"},
        {"missing filter", [&] { return definition.GetFilterValue("CommonXmlSourcesEditor", "Other"); }, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.ask(), c.expected) << c.question;
}

TEST_F(SmallDefinition, UIElementsSortedWithEveryField)
{
    TCatalogDefinition& definition = Definition();
    definition.Load(77);

    ASSERT_EQ(definition.GetUIDetailCount(), 3) << "the hidden type's element is left out";
    std::vector<std::pair<int, int>> order;
    for (int i = 0; i < definition.GetUIDetailCount(); ++i)
        order.emplace_back(definition.GetUIDetail(i)->Kind, definition.GetUIDetail(i)->OrderNum);
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{1, 2}, {1, 5}, {2, 1}}));

    const TCatalogUIDetail& menu = *definition.GetUIDetail(0);
    EXPECT_EQ(menu.DefinitionItemId, 310001);
    EXPECT_EQ(menu.InstanceId, 5);
    EXPECT_EQ(menu.ItemType, 0);
    EXPECT_EQ(menu.ActionId, 10);
    EXPECT_EQ(menu.Caption, "Menu two");
    EXPECT_EQ(menu.Hint, "Hint");
    EXPECT_EQ(menu.Params, "MenuPath=Catalog");
    EXPECT_EQ(menu.ImageName, "page");
    EXPECT_EQ(menu.Condition, "Single=yes");
    EXPECT_EQ(menu.Extra, "IfPossible");
    EXPECT_EQ(definition.GetUIDetail(-1), nullptr);
    EXPECT_EQ(definition.GetUIDetail(3), nullptr);

    const TTolvexItemTypeDetail& pages = *definition.FindItemTypeDetail(101);
    std::vector<int> orders;
    for (int i = 0; i < pages.GetEditorCount(); ++i)
        orders.push_back(pages.GetEditor(i)->Order);
    EXPECT_EQ(orders, (std::vector<int>{0, 1, 2, 3})) << "editors sorted by Order";
    EXPECT_EQ(pages.GetEditor(4), nullptr);
}

TEST_F(SmallDefinition, LoadingTheLoadedTypeAgainLeavesTheDatabaseAlone)
{
    TCatalogDefinition& definition = Definition();
    definition.Load(77);
    TAbstractDBConnectionFactory* database = definition.GetDefinitionDatabase(kOpenCatalogType);
    ASSERT_NE(database, nullptr);
    {
        TQueryGuard query(database->GetConnection());
        query->SetSQL("UPDATE CStrings SET StringValue = 'Action=Changed' WHERE ItemId = 290001 AND ClassId = 801");
        query->ExecSQL();
    }

    definition.Load(77);

    EXPECT_EQ(definition.GetDefinitionDatabase(kOpenCatalogType), database);
    EXPECT_EQ(definition.GetActions().front(), "1=Action=NewWindowEditor&Post=yes");
}

TEST_F(SmallDefinition, OneDefinitionDatabaseAtATime)
{
    BuildShipped(0);
    TCatalogDefinition& definition = Definition();
    EXPECT_EQ(definition.GetLoadedCatalogType(), kNoCatalogType);
    EXPECT_EQ(definition.GetDefinitionDatabase(kOpenCatalogType), nullptr);
    EXPECT_EQ(definition.GetItemManagerName(101), "CommonItemManager");
    EXPECT_EQ(definition.GetUIDetail(0), nullptr);

    definition.Load(77);
    TAbstractDBConnectionFactory* types77 = definition.GetDefinitionDatabase(77);
    EXPECT_EQ(types77, definition.GetDefinitionDatabase(kOpenCatalogType));
    try {
        definition.GetDefinitionDatabase(0);
        FAIL() << "another type's database while one is open";
    } catch (const EDeveloperTolvexException& e) {
        EXPECT_STREQ(e.what(), "Request connection for not opened catalog type");
    }

    definition.Load(kDefaultCatalogType);
    EXPECT_EQ(definition.GetLoadedCatalogType(), 0);
    EXPECT_NE(definition.GetDefinitionDatabase(kDefaultCatalogType), nullptr);
    EXPECT_EQ(definition.GetDefinitionDatabase(kDefaultCatalogType), definition.GetDefinitionDatabase(0));
    EXPECT_EQ(definition.FindItemTypeDetail(101), nullptr) << "type 77's item types are gone";
    EXPECT_THROW(definition.GetDefinitionDatabase(77), EDeveloperTolvexException);
}

TEST_F(SmallDefinition, DatabaseNamedByTheStylesSettings)
{
    settings.SetString(siStylesDatabaseName, "defs_$CatalogType$_$CatalogType$");
    fs::rename(home.File("databases/catalog_77.sqlite"), home.File("databases/defs_77_$CatalogType$.sqlite"));
    TCatalogDefinition& definition = Definition();

    definition.Load(77);

    EXPECT_EQ(definition.GetItemTypeCount(), 3);
    auto own = definition.OpenDefinitionDatabase(77);
    EXPECT_NE(own.get(), definition.GetDefinitionDatabase(kOpenCatalogType)) << "a factory of the caller's own";
}

TEST_F(SmallDefinition, MissingOrDamagedDatabaseIsFatalAndLeavesNoTypeLoaded)
{
    home.Write("databases/catalog_66.sqlite", "this is no database file");
    TCatalogDefinition& definition = Definition();
    definition.Load(77);

    for (int type : {5, 66}) {
        SCOPED_TRACE(type);
        try {
            definition.Load(type);
            FAIL() << "no definition database for type " << type;
        } catch (const EFatalTolvexException& e) {
            EXPECT_STREQ(e.what(), "Cannot open catalog database");
        }
        EXPECT_EQ(gui.WaitDepth(), 0) << "the hourglass goes away on failure";
        EXPECT_EQ(definition.GetLoadedCatalogType(), kNoCatalogType);
        EXPECT_EQ(definition.GetItemTypeCount(), 0);
        EXPECT_TRUE(definition.GetActions().empty());
        EXPECT_EQ(definition.GetDefinitionDatabase(kOpenCatalogType), nullptr);
    }

    definition.Load(77);
    EXPECT_EQ(definition.GetItemTypeCount(), 3) << "a later load works again";
}

TEST_F(SmallDefinition, UnknownDatabaseModuleIsFatal)
{
    settings.SetString(siStylesDatabaseType, "NoSuchModule");
    EXPECT_THROW(Definition().Load(77), EFatalTolvexException);
}

TEST_F(SmallDefinition, InitialisationListsInIndexOrder)
{
    TCatalogDefinition& definition = Definition();
    definition.Load(77);
    TAbstractDBConnection& connection = definition.GetDefinitionDatabase(77)->GetConnection();

    EXPECT_EQ(TCatalogDefinition::ReadInitializationList(connection, 77, "IncludeItem"),
              (std::vector<std::string>{"100001", "2001"}))
        << "values of language XXX only";
    EXPECT_EQ(TCatalogDefinition::ReadInitializationList(connection, 77, "InitPageStructure"),
              std::vector<std::string>{"100002"});
    EXPECT_TRUE(TCatalogDefinition::ReadInitializationList(connection, 77, "DeleteItem").empty());
    EXPECT_TRUE(TCatalogDefinition::ReadInitializationList(connection, 12, "IncludeItem").empty())
        << "another catalog's lists";
    EXPECT_THROW(TCatalogDefinition::ReadInitializationList(connection, 77, "Include"), EDeveloperTolvexException);
}

TEST_F(DefinitionFixture, DefinitionWithoutItemTypes)
{
    BuildFixture(78,
                 R"(<Item id="806" type="806" parent="8"><Object class="806" instance="1">
                      <String member="2">Bare</String></Object></Item>)",
                 "catalog_78");
    TCatalogDefinition& definition = Definition();

    definition.Load(78);

    EXPECT_EQ(definition.GetLoadedCatalogType(), 78);
    EXPECT_EQ(definition.GetStartActionId(), 0);
    EXPECT_TRUE(definition.GetActions().empty());
    EXPECT_EQ(definition.GetItemTypeCount(), 0);
    EXPECT_EQ(definition.GetItemTypeDetail(0), nullptr);
    EXPECT_EQ(definition.GetUIDetailCount(), 0);
    EXPECT_EQ(definition.GetItemManagerName(0), "CommonItemManager");
    EXPECT_FALSE(definition.CanContainItemType(0, 0));
}

// ---- symbolic ids --------------------------------------------------------------------------

TEST_F(DefinitionFixture, ResolvesSymbolicItemIdsAndTypes)
{
    lookup.itemIds = {{"0", 555}, {"Current", 556}, {"home", 557}, {"WebPages", 1}};
    lookup.itemTypes = {{"0", 655}, {"Current", 656}, {"page", 101}};
    lookup.homePageId = 100007;
    TCatalogDefinition& definition = Definition();
    definition.SetCurrentTemplateIds(600101, 600201);

    const struct {
        const char* text;
        int itemId;    // ResolveItemId (text, 42, 43)
        int itemType;  // ResolveItemType (text, 44)
    } cases[] = {
        {"", 0, 0},
        {"17", 17, 17},
        {"-5", -5, -5},
        {"+8", 8, 8},
        {"0", 555, 655},  // 0 is no id: looked up as a tag name
        {"current", 42, 44},
        {"process", 42, 44},
        {"Current", 556, 656},  // keywords are case-sensitive
        {"currenttree", 43, 0},
        {"mastertemplate", 600101, 0},
        {"bodytemplate", 600201, 0},
        {"Home", 100007, 0},
        {"home", 557, 0},
        {"WebPages", 1, 0},
        {"page", 0, 101},
        {"17 ", 0, 0},
        {"99999999999", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(definition.ResolveItemId(c.text, 42, 43), c.itemId) << "id of \"" << c.text << "\"";
        EXPECT_EQ(definition.ResolveItemType(c.text, 44), c.itemType) << "type of \"" << c.text << "\"";
    }
}

TEST(CatalogDefinitionCodes, CatalogCodesAreLowerCaseLettersDigitsDashAndUnderscore)
{
    const struct {
        const char* code;
        bool valid;
    } cases[] = {
        {"shop", true},         {"my-shop_2", true},  {"0", true},         {"", false},
        {"Shop", false},        {"my shop", false},   {"../shop", false},  {"shop/x", false},
        {"shop.sqlite", false}, {"shop~new", false},  {"t#1", false},      {"caf\xc3\xa9", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TCatalogDefinition::IsValidCatalogCode(c.code), c.valid) << '"' << c.code << '"';
}

}  // namespace
