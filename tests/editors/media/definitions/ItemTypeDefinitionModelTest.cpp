// The item-type definition model on the shipped style catalog of type 1
// (the product line page's definition, item 310047): the flag word with the
// bits the frame does not show, numbers typed as text, the lists' order and
// entries, and template folders, each written only when changed and only by
// the save.
#include "../StyleCatalogFixture.h"

#include "editors/media/definitions/ItemTypeDefinitionModel.h"

#include <gtest/gtest.h>

namespace {

using TModel = TItemTypeDefinitionModel;

constexpr int kDefinition = 310047;  // item type 4001, the product line page
constexpr int kTypesClass = 807;
constexpr int kIsPage = 8;

class ItemTypeDefinitionModelTest : public ::testing::Test {
protected:
    std::vector<std::string> IsPage() { return styles.Numbers(kDefinition, kTypesClass, kIsPage); }
    std::vector<std::string> Instances(int classId)
    {
        return styles.Column("SELECT InstanceId FROM CObjectInstances WHERE CatalogCode = :Code AND ItemId = " +
                             std::to_string(kDefinition) + " AND ClassId = " + std::to_string(classId) +
                             " ORDER BY InstanceId");
    }
    std::vector<std::string> TemplateFolders()
    {
        return styles.Column("SELECT CAST(NumberValue AS INTEGER) FROM CNumbers WHERE CatalogCode = :Code AND "
                             "ItemId = " + std::to_string(kDefinition) + " AND ClassId = 808 AND MemberId = 3 "
                             "ORDER BY InstanceId");
    }

    TStyleCatalogFixture styles{1};
};

TEST_F(ItemTypeDefinitionModelTest, TheFlagWordKeepsTheBitsTheFrameDoesNotShow)
{
    // The ASP and SHTML output kinds (8 and 0x10) and the unused 0x100 are not on the frame.
    styles.Exec("UPDATE CNumbers SET NumberValue = 0x119 WHERE CatalogCode = :Code AND ItemId = 310047 "
                "AND ClassId = 807 AND MemberId = 8");
    TModel model(styles.Context(kDefinition));
    model.Load();
    ASSERT_TRUE(model.HasObjects());
    EXPECT_EQ(model.Fields().Flags, TModel::kGenerateHtml);

    // "Show at Main Tree" unticked, HTML and PDF ticked: 0xA1, and the others stay.
    TModel::TFields fields = model.Fields();
    fields.Flags = TModel::kGenerateHtml | TModel::kGeneratePdf | TModel::kNotInMainTree;
    fields.ItemTypeId = "abc";
    model.SetFields(fields);
    model.Store();
    styles.Save();
    EXPECT_EQ(IsPage(), std::vector<std::string>{std::to_string(0xA1 | 0x118)});
    EXPECT_EQ(styles.Numbers(kDefinition, 810, 1), std::vector<std::string>{}) << "a number typed as text is 0";
    EXPECT_EQ(styles.Strings(kDefinition, kTypesClass, 2), std::vector<std::string>{"ProductLineItemManager"})
        << "a field left alone";
}

TEST_F(ItemTypeDefinitionModelTest, ListsAreInNumericOrderAndAChildTypeIsAllowedOnce)
{
    TModel model(styles.Context(kDefinition));
    model.Load();
    const std::vector<std::string> entry9 = {"PluginName=ItemProperties", "EditorsType=0", "OrderNum=9"};
    const int key = model.ApplyEditor(-1, entry9);
    ASSERT_LT(key, 0);
    EXPECT_EQ(model.Editors()[model.EditorRow(key)].Values.PluginName, "ItemProperties");
    EXPECT_EQ(model.EditorRow(key), 0) << "order 9 comes before 10";
    const int typed = model.ApplyEditor(-1, {"PluginName=X", "EditorsType=abc", "OrderNum=5x"});
    EXPECT_EQ(model.Editors()[model.EditorRow(typed)].Values.EditorsType, "0");

    const int element = model.ApplyUIElement(-1, {"ElementType=7", "Caption=Odd", "OrderNum=1"});
    EXPECT_EQ(TModel::ElementTypeName(model.UIElements()[model.UIElementRow(element)].Values.ElementType), "Unknown");
    EXPECT_EQ(model.UIElementRow(element), static_cast<int>(model.UIElements().size()) - 1)
        << "type 7 after the known ones";

    const std::size_t children = model.Children().size();
    EXPECT_EQ(model.ApplyChild(-1, 4001), 0) << "4001 is allowed already";
    EXPECT_EQ(model.ApplyChild(0, model.Children()[1].ItemType), 0) << "an edit into another row's type";
    EXPECT_LT(model.ApplyChild(-1, 301), 0);
    EXPECT_EQ(model.Children().size(), children + 1);

    // Every change is undoable.
    model.UndoStack().undo();
    EXPECT_EQ(model.Children().size(), children);
}

TEST_F(ItemTypeDefinitionModelTest, EntriesAreWrittenByTheSaveAndDroppedByACancel)
{
    const std::vector<std::string> editorsBefore = Instances(802);
    TModel model(styles.Context(kDefinition));
    model.Load();
    model.DeleteEditor(0);
    model.ApplyChild(-1, 301);
    model.ApplyEditor(-1, {"PluginName=ItemProperties", "EditorsType=0", "OrderNum=80"});
    model.Store();
    EXPECT_EQ(Instances(802), editorsBefore) << "nothing is committed before the save";
    styles.Cancel();
    EXPECT_EQ(Instances(802), editorsBefore);

    TModel again(styles.Context(kDefinition));
    again.Load();
    again.ApplyChild(-1, 301);
    again.ApplyEditor(-1, {"PluginName=ItemProperties", "EditorsType=0", "OrderNum=80"});
    again.Store();
    styles.Save();
    EXPECT_EQ(Instances(802).size(), editorsBefore.size() + 1);
    const std::vector<std::string> children = styles.Numbers(kDefinition, 805, 2);
    EXPECT_EQ(std::count(children.begin(), children.end(), "301"), 1);
}

TEST_F(ItemTypeDefinitionModelTest, NoneRemovesATemplateFolderOnlyWithTheSave)
{
    // The master's folder is listed; the body folder is made one the combo does not list.
    styles.Exec("UPDATE CNumbers SET NumberValue = 777777 WHERE CatalogCode = :Code AND ItemId = 310047 "
                "AND ClassId = 808 AND MemberId = 3 AND NumberValue = 600014");
    TModel model(styles.Context(kDefinition));
    model.Load();
    EXPECT_EQ(model.TemplateFolder(0), 600001);
    EXPECT_EQ(model.TemplateChoices(0).front().Value, 0) << "\"(none)\" first";
    EXPECT_EQ(model.TemplateFolder(1), 777777);
    EXPECT_EQ(model.TemplateChoices(1).back().Value, 777777) << "an unlisted folder still shows";

    model.SetTemplateFolder(0, 0);
    model.Store();
    EXPECT_EQ(TemplateFolders(), (std::vector<std::string>{"600001", "777777"})) << "not before the save";
    styles.Cancel();
    EXPECT_EQ(TemplateFolders(), (std::vector<std::string>{"600001", "777777"}));

    TModel again(styles.Context(kDefinition));
    again.Load();
    again.SetTemplateFolder(0, 0);
    again.SetTemplateFolder(6, 600001);  // a kind without an entry gets one
    again.Store();
    styles.Save();
    EXPECT_EQ(TemplateFolders(), (std::vector<std::string>{"777777", "600001"}));
    EXPECT_EQ(styles.Column("SELECT CAST(NumberValue AS INTEGER) FROM CNumbers WHERE CatalogCode = :Code AND "
                            "ItemId = 310047 AND ClassId = 808 AND MemberId = 2 ORDER BY InstanceId"),
              (std::vector<std::string>{"1", "6"}));
}

}  // namespace
