// Which editors an item gets and what its item manager says: the item
// type's editor list with its conditions, pages that stand for editors the
// program does not have, an opening that fails when an editor cannot be
// created, the save refused to a role without rights, and the validation of
// pages by their item manager.
#include "EditingFixture.h"

#include "catalog/InternalPluginsManager.h"
#include "catalog/PlaceholderUIEditor.h"

#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/PlaceholderFrame.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexItemManager.h"
#include "editors/framework/TolvexUIEditor.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ObjectCollection.h"

#include <gtest/gtest.h>

namespace {

constexpr int kHome = 100001;

class ContainerTest : public ::testing::Test {
protected:
    bool Open(int itemId, const std::string& editorSpec = {})
    {
        editor_ = std::make_unique<TTolvexItemEditor>(fixture_.Services(), &fixture_.Panel());
        const int type = fixture_.Data()
                             .GetItemDescription(itemId, "shop", fixture_.Data().GetConnectionFactory().GetConnection())
                             .ItemType;
        if (editorSpec.empty())
            return editor_->OpenItem(itemId, itemId, type, nullptr, 0);
        const std::size_t equals = editorSpec.find('=');
        return editor_->OpenItemWithEditor(itemId, itemId, type, editorSpec.substr(0, equals),
                                           equals == std::string::npos ? "" : editorSpec.substr(equals + 1), nullptr);
    }

    // The auction editor stands for one the program lacks: its class is
    // registered again as the page that stands in for a missing editor.
    TEditingFixture fixture_{[](TInternalPluginsManager& registry) {
        registry.RegisterBuiltinClass("TEBayEditor", [](const std::string& name, const std::string& params) {
            return std::unique_ptr<TAbstractPluginClass>(new TPlaceholderUIEditor(name, params, "TEBayEditor"));
        });
    }};
    std::unique_ptr<TTolvexItemEditor> editor_;
};

TEST_F(ContainerTest, EditorsThatTheProgramLacksShowWhichEditorTheyStandFor)
{
    ASSERT_TRUE(Open(kHome, "eBayEditor="));
    TEditorTestPages* pages = fixture_.Panel().FakePages();
    ASSERT_NE(pages, nullptr);
    ASSERT_GE(pages->PageCount(), 1);
    const int active = pages->ActivePage();
    ASSERT_GE(active, 0);
    EXPECT_NE(pages->Site(active).Message.find("not part of the program yet"), std::string::npos)
        << pages->Site(active).Message;
    EXPECT_NE(pages->Site(active).Message.find(pages->Captions[active]), std::string::npos)
        << "the page names its editor";
    EXPECT_TRUE(fixture_.Host().SavePanel);
}

TEST_F(ContainerTest, ConditionsChooseTheEditors)
{
    ASSERT_TRUE(Open(kHome, "eBayEditor="));
    TItemEditorContainer& container = *editor_->Container();
    struct TCase {
        const char* condition;
        bool holds;
    };
    const bool advanced = fixture_.Root().IsAdvancedMode();
    for (const TCase& c : {TCase{"", true}, TCase{"IsLinked", false}, TCase{"HasLinked", false},
                           TCase{"Advanced", advanced}, TCase{"Simplified", !advanced},
                           TCase{"CatalogCode=shop", true}, TCase{"CatalogCode=Shop", false},
                           TCase{"CatalogCode=other", false}, TCase{"Whatever", true}}) {
        SCOPED_TRACE(c.condition);
        EXPECT_EQ(container.CheckEditorCondition(c.condition), c.holds);
    }
    // One line of a single-tab editor that is no single frame: a page control all the same.
    EXPECT_EQ(container.Editors().size(), 1u);
}

TEST_F(ContainerTest, AnEditorThatCannotBeCreatedFailsTheOpeningAndLeavesNothing)
{
    EXPECT_FALSE(Open(kHome, "NoSuchEditorAnywhere="));
    EXPECT_EQ(editor_->Context(), nullptr);
    EXPECT_EQ(editor_->Container(), nullptr);
    EXPECT_EQ(fixture_.Panel().FakePages(), nullptr);
    ASSERT_FALSE(fixture_.Gui().Messages("error").empty());
    EXPECT_NE(fixture_.Gui().Messages("error").back().find("NoSuchEditorAnywhere"), std::string::npos);
}

// An editor through which only power users may save.
class TPowerUsersEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override {}
    std::set<int> GetSaveRoles() const override { return {1}; }
};

TEST(ContainerRoles, ARoleWithoutRightsIsWarnedOnOpeningAndRefusedOnSaving)
{
    TEditingFixture fixture([](TInternalPluginsManager& registry) {
        registry.RegisterPluginClass("PowerUsersOnly", pkItemEditor, [](const std::string& n, const std::string& p) {
            return std::unique_ptr<TAbstractPluginClass>(new TPowerUsersEditor(n, p));
        });
    });
    ASSERT_EQ(fixture.Data().GetUserRole(), urAdministrator);
    TTolvexItemEditor editor(fixture.Services(), &fixture.Panel());
    ASSERT_TRUE(editor.OpenItemWithEditor(kHome, kHome, 1, "PowerUsersOnly", "", nullptr));
    EXPECT_EQ(fixture.Gui().Messages("warning"),
              std::vector<std::string>{"You have no permissions to save changes"});
    editor.SetModified();
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(fixture.Gui().Messages("error"), std::vector<std::string>{"You have no permissions to save changes"});
    EXPECT_TRUE(editor.Context()->IsModified());
}

TEST(PageValidation, NamesAndMessagesInTheirOrder)
{
    TEditingFixture fixture;
    TTolvexControlClass context(fixture.Services());
    context.Initialize(nullptr);
    context.SetItemId(kHome);
    context.SetTreeItemId(kHome);
    context.SetItemType(1);
    TAbstractCObject* names = context.GetObjectCollection().GetObject(kHome, "CommonNames");
    ASSERT_NE(names, nullptr);
    TTolvexItemManager manager("CommonItemManager", "");
    const std::string lang = fixture.Data().GetDefaultLangCode();

    std::string messages = "a warning";
    names->ClearMember("ItemName", "");
    EXPECT_EQ(manager.CheckMember(context, names, "ItemName", messages, 4, "No page name for \"$1\" language.", lang), 4);
    EXPECT_EQ(messages, "No page name for \"" + lang + "\" language.\r\na warning") << "errors come first";
    EXPECT_EQ(manager.CheckMember(context, names, "ItemName", messages, 1, "later $1", lang), 1);
    EXPECT_TRUE(messages.ends_with("a warning\r\nlater " + lang)) << messages;

    names->SetLangString("ItemName", "XXX", "Everywhere", 0);
    messages.clear();
    EXPECT_EQ(manager.CheckMember(context, names, "ItemName", messages, 4, "x", lang), 0)
        << "a value under XXX answers for the default language";
    EXPECT_EQ(manager.CheckMember(context, nullptr, "ItemName", messages, 4, "x", lang), 0);

    // Items that are new or stand for an item type are never validated.
    context.SetTreeItemId(-2);
    EXPECT_FALSE(TTolvexItemManager::IsValidated(context));
    context.SetTreeItemId(-5);
    EXPECT_TRUE(TTolvexItemManager::IsValidated(context));

    // The title of an item without a name in a one-language catalog.
    names->ClearMember("ItemName", "");
    if (!fixture.Data().IsMultilingual()) {
        EXPECT_EQ(manager.GetItemTitle(context), "100001.html");
    }
}

}  // namespace
