// A dialog run on an open editor's connection: what it writes is committed
// at once through that editor (nothing holds the write lock while the user
// goes on editing, so other writers are not kept waiting), the editor's Save
// keeps it, and the editor's Cancel takes it back: a new item goes again,
// an overwritten one gets its old rows back. A dialog's own object writes
// take the same way.
#include "EditingFixture.h"

#include "catalog/Catalog.h"
#include "editors/framework/DialogWriteChannel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"

#include <gtest/gtest.h>

namespace {

constexpr int kHome = 100001;

// A dialog page that writes on Ok as its parameter "Mode" says: "new" a new
// image item named "Picture", "overwrite" renames item "Target" to
// "Replaced", "objects" renames it through the dialog's own objects.
class TWriterFrame : public TTolvexFrameEditor {
public:
    explicit TWriterFrame(TFrameSite&) {}
    void LoadFromObjects(bool) override {}
    void StoreToObjects(bool) override {}
    bool Save() override
    {
        TTolvexControlClass& context = *GetContext();
        std::vector<std::string>& params = *context.GetParams();
        const std::string mode = ValueOfName(params, "Mode");
        const int target = std::atoi(ValueOfName(params, "Target").c_str());
        TTolvex& root = context.Services().Root;
        TDialogWriteChannel channel(context);
        if (mode == "new") {
            const std::vector<int> created = channel.CommitItems({}, [&](TAbstractDBConnection& connection) {
                const int id = root.Catalog().CreateItem(301, 3, 0, "shop", connection, 0);
                Rename(root, id, "Picture", connection);
                return std::vector<int>{id};
            });
            editor_params::SetValue(params, "ImageItemId", std::to_string(created.at(0)));
        } else if (mode == "overwrite") {
            channel.CommitItems({target}, [&](TAbstractDBConnection& connection) {
                Rename(root, target, "Replaced", connection);
                return std::vector<int>{};
            });
        } else if (mode == "objects") {
            context.GetObjectCollection().GetObject(target, "CommonNames")->SetLangString("ItemName", "EN", "Objects", 0);
        }
        return TTolvexFrameEditor::Save();
    }

private:
    static void Rename(TTolvex& root, int itemId, const std::string& name, TAbstractDBConnection& connection)
    {
        const std::unique_ptr<TTolvexObject> names =
            root.Catalog().GetObjectFactory().GetObjectTyped(itemId, 1, connection, "shop");
        names->SetLangString("ItemName", "EN", name, 0);
        names->Save();
    }
};

const TFrameClassOf<TWriterFrame> kWriterFrame("", "TWriterFrame");

class TWriterEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override { AddTab("Write", "Writer-write", &kWriterFrame); }
};

void RegisterWriter(TInternalPluginsManager& registry)
{
    registry.RegisterPluginClass("TestWriter", pkItemEditor, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TWriterEditor(name, params));
    });
}

class DialogWriteChannelTest : public ::testing::Test {
protected:
    DialogWriteChannelTest() : fixture_(RegisterWriter)
    {
        editor_ = std::make_unique<TTolvexItemEditor>(fixture_.Services(), &fixture_.Panel());
        editor_->SetMainEditor(true);
        const int type = Data().GetItemDescription(kHome, "shop", Main()).ItemType;
        EXPECT_TRUE(editor_->OpenItemWithEditor(kHome, kHome, type, "TestWriter", "", nullptr));
    }
    TCatalogData& Data() { return fixture_.Data(); }
    TAbstractDBConnection& Main() { return Data().GetConnectionFactory().GetConnection(); }
    // Runs the writer dialog on the page editor's connection, as RunDialog does; its answers.
    std::vector<std::string> RunDialog(const std::string& mode, int target = 0)
    {
        std::vector<std::string> params{"Mode=" + mode, "Target=" + std::to_string(target)};
        TTolvexItemEditor dialog(fixture_.Services(), nullptr);
        dialog.SetConnection(&editor_->Context()->GetConnection());
        dialog.PrepareOpen(0, 0, "", "");
        EXPECT_TRUE(dialog.OpenItemWithEditor(-1, -1, 202, "TestWriter", "", &params));
        return params;
    }
    std::string Name(int itemId)
    {
        TQueryGuard query(Main());
        query->SetSQL("SELECT StringValue FROM CStrings WHERE CatalogCode = 'shop' AND ItemId = :Id AND ClassId = 1 "
                      "AND MemberId = 1 AND LangCode = 'EN'");
        query->SetParam("Id", itemId);
        TAbstractRecordset& rows = query->Open(true);
        return rows.Eof() ? "(none)" : FieldText(rows, "StringValue");
    }
    bool Exists(int itemId) { return fixture_.Root().Catalog().ItemExists(itemId, "shop", Main()); }
    // Another writer commits at once: it would wait for the lock and fail if the dialog's write still held it.
    void AnotherEditorSaves()
    {
        std::unique_ptr<TAbstractDBConnection> other = Data().GetConnectionFactory().OpenSecondConnection();
        Data().SetCatalogProperty(707, "saved by another editor", *other);
        other->CommitTrans();
        other->BeginTrans();
    }

    TEditingFixture fixture_;
    std::unique_ptr<TTolvexItemEditor> editor_;
};

}  // namespace

TEST_F(DialogWriteChannelTest, ANewItemIsCommittedAtOnceKeptBySaveAndTakenBackByCancel)
{
    const int first = std::atoi(ValueOfName(RunDialog("new"), "ImageItemId").c_str());
    ASSERT_GT(first, 0);
    EXPECT_TRUE(Exists(first)) << "committed: other connections see it";
    EXPECT_EQ(Name(first), "Picture");
    AnotherEditorSaves();
    editor_->Context()->SetModified(true);
    ASSERT_TRUE(editor_->Save());
    EXPECT_TRUE(Exists(first));

    const int second = std::atoi(ValueOfName(RunDialog("new"), "ImageItemId").c_str());
    AnotherEditorSaves();
    editor_->Cancel(true);
    EXPECT_FALSE(Exists(second)) << "the page's Cancel removes the new picture";
    EXPECT_EQ(fixture_.Root().Catalog().GetItemReferences(second, 1, "shop", Main()), 0);
    EXPECT_TRUE(Exists(first)) << "what was saved before stays";
}

TEST_F(DialogWriteChannelTest, AnOverwrittenItemGetsItsOldRowsBackOnCancel)
{
    const int image = std::atoi(ValueOfName(RunDialog("new"), "ImageItemId").c_str());
    editor_->Context()->SetModified(true);
    ASSERT_TRUE(editor_->Save());

    RunDialog("overwrite", image);
    EXPECT_EQ(Name(image), "Replaced");
    AnotherEditorSaves();
    editor_->Cancel(true);
    EXPECT_EQ(Name(image), "Picture");

    RunDialog("objects", image);
    EXPECT_EQ(Name(image), "Objects") << "the dialog's own object writes are committed too";
    AnotherEditorSaves();
}
