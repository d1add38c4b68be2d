// The editing protocol over a real catalog, with frames that edit the
// item's name through a text held in memory: opening builds the editors of
// the item (frames made when their tab shows), Save stores every edit in
// one commit, Cancel leaves the database as it was, a preview sees unsaved
// values without keeping the write lock, a refused save commits nothing and
// keeps the edits, and leaving asks.
#include "EditingFixture.h"

#include "editors/framework/FrameClass.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ObjectCollection.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <gtest/gtest.h>

namespace {

constexpr int kHome = 100001;

// A frame whose one control is a text: the item's name in the content language.
class TNameFrame : public TTolvexFrameEditor {
public:
    explicit TNameFrame(TFrameSite&) { Made.push_back(this); }
    ~TNameFrame() override { std::erase(Made, this); }

    void LoadFromObjects(bool) override
    {
        TrackChanges = false;
        ++Loads;
        TAbstractCObject* names = GetObject("CommonNames");
        Text = names ? names->GetLangString("ItemName", ContentLangCode(), 0) : "";
        TrackChanges = true;
    }
    void StoreToObjects(bool) override
    {
        if (TAbstractCObject* names = GetObject("CommonNames"))
            names->SetLangString("ItemName", ContentLangCode(), Text, 0);
    }
    bool Save() override
    {
        if (Text.empty()) {
            GetUIEditor()->SetInvalidControl(&Text);
            return false;
        }
        return TTolvexFrameEditor::Save();
    }
    bool CanLeaveTab() override { return !Stuck; }
    void Type(const std::string& text)
    {
        Text = text;
        SetModified();
    }
    using TTolvexFrameEditor::WatchChangeKind;

    std::string Text;
    int Loads = 0;
    bool Stuck = false;
    static inline std::vector<TNameFrame*> Made;
};

const TFrameClassOf<TNameFrame> kNameFrame("", "TNameFrame");

// Two tabs over the same frame class.
class TNamesEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override
    {
        AddTab("Name", "Names-first", &kNameFrame);
        AddTab("Again", "Names-second", &kNameFrame);
    }
};

void RegisterNames(TInternalPluginsManager& registry)
{
    registry.RegisterPluginClass("TestNames", pkItemEditor, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TNamesEditor(name, params));
    });
}

class EditingProtocolTest : public ::testing::Test {
protected:
    EditingProtocolTest() : fixture_(RegisterNames) {}

    TTolvexItemEditor& Open(int itemId = kHome)
    {
        editor_ = std::make_unique<TTolvexItemEditor>(fixture_.Services(), &fixture_.Panel());
        editor_->SetMainEditor(true);
        const int type = Data().GetItemDescription(itemId, "shop", MainConnection()).ItemType;
        EXPECT_TRUE(editor_->OpenItemWithEditor(itemId, itemId, type, "TestNames", "", nullptr));
        return *editor_;
    }
    TCatalogData& Data() { return fixture_.Data(); }
    TAbstractDBConnection& MainConnection() { return Data().GetConnectionFactory().GetConnection(); }
    // The stored name of the default language (class 1, member 1).
    std::string StoredName(int itemId = kHome)
    {
        TQueryGuard query(MainConnection());
        query->SetSQL("SELECT StringValue FROM CStrings WHERE CatalogCode = 'shop' AND ItemId = :ItemId"
                      " AND ClassId = 1 AND MemberId = 1 AND LangCode = :LangCode");
        query->SetParam("ItemId", itemId);
        query->SetParam("LangCode", Data().GetDefaultLangCode());
        TAbstractRecordset& rows = query->Open(true);
        std::string name = rows.Eof() ? std::string() : FieldText(rows, "StringValue");
        query->Close();
        return name;
    }
    TNameFrame& Frame(std::size_t index = 0) { return *TNameFrame::Made.at(index); }
    TEditorTestPages& Pages() { return *fixture_.Panel().FakePages(); }

    TEditingFixture fixture_;
    std::unique_ptr<TTolvexItemEditor> editor_;
};

TEST_F(EditingProtocolTest, OpeningMakesOnlyTheShownTabsFrameLoadedAndUnmodified)
{
    ASSERT_EQ(fixture_.OpenError, "");
    Open();
    ASSERT_EQ(Pages().Captions, (std::vector<std::string>{"Name", "Again"}));
    ASSERT_EQ(TNameFrame::Made.size(), 1u) << "the second tab was never shown";
    EXPECT_EQ(Frame().Text, "Home");
    EXPECT_FALSE(editor_->Context()->IsModified());
    EXPECT_FALSE(fixture_.Host().SaveEnabled);

    Frame().Type("Welcome");
    EXPECT_TRUE(editor_->Context()->IsModified());
    EXPECT_TRUE(fixture_.Host().SaveEnabled);
    EXPECT_TRUE(fixture_.Host().CancelEnabled);
}

TEST_F(EditingProtocolTest, UnsavedEditsNeverBlockOtherWritersAndSaveCommitsThem)
{
    Open();
    Frame().Type("Welcome");
    // While the user works, the main connection writes freely.
    Data().SetCatalogProperty(707, "x", MainConnection());
    EXPECT_NE(StoredName(), "Welcome");

    ASSERT_TRUE(editor_->Save());
    EXPECT_EQ(StoredName(), "Welcome");
    EXPECT_FALSE(editor_->Context()->IsModified());
    // Saved and committed: the lock is free again.
    Data().SetCatalogProperty(707, "y", MainConnection());
}

TEST_F(EditingProtocolTest, CancelLeavesTheDatabaseAndReloadsTheFrame)
{
    const std::string before = StoredName();
    Open();
    Frame().Type("Changed");
    editor_->Cancel(true);
    EXPECT_EQ(StoredName(), before);
    EXPECT_EQ(Frame().Text, "Home");
    EXPECT_FALSE(editor_->Context()->IsModified());
    EXPECT_EQ(fixture_.Shell().Actions.back(), "Action=CancelAction");
}

TEST_F(EditingProtocolTest, PreviewSeesUnsavedValuesThenGivesTheLockBack)
{
    Open();
    Frame().Type("Preview me");
    std::string seen;
    ASSERT_TRUE(editor_->Context()->WithUnsavedValues([&](TAbstractDBConnection& connection) {
        TQueryGuard query(connection);
        query->SetSQL("SELECT StringValue FROM CStrings WHERE CatalogCode = 'shop' AND ItemId = 100001"
                      " AND ClassId = 1 AND MemberId = 1 AND LangCode = :LangCode");
        query->SetParam("LangCode", Data().GetDefaultLangCode());
        TAbstractRecordset& rows = query->Open(true);
        seen = rows.Eof() ? std::string() : FieldText(rows, "StringValue");
        query->Close();
    }));
    EXPECT_EQ(seen, "Preview me");
    EXPECT_NE(StoredName(), "Preview me") << "nothing is committed by a preview";
    Data().SetCatalogProperty(707, "z", MainConnection());  // the lock is free

    // The objects kept the change: the save writes it although the preview's writes were undone.
    ASSERT_TRUE(editor_->Save());
    EXPECT_EQ(StoredName(), "Preview me");
}

TEST_F(EditingProtocolTest, RefusedSaveCommitsNothingKeepsEditsAndRevealsTheField)
{
    Open();
    ASSERT_TRUE(Pages().ActivatePage(1));
    ASSERT_EQ(TNameFrame::Made.size(), 2u);
    Frame(1).Type("Second tab name");
    Frame(0).Type("");  // refuses
    EXPECT_FALSE(editor_->Save());
    EXPECT_EQ(fixture_.Panel().Revealed, &Frame(0).Text);
    EXPECT_TRUE(editor_->Context()->IsModified());
    Data().SetCatalogProperty(707, "free", MainConnection());  // nothing left locked

    Frame(0).Type("Fixed");
    ASSERT_TRUE(editor_->Save());
    EXPECT_EQ(StoredName(), "Second tab name") << "the frames saved in tab order, the second last";
}

TEST_F(EditingProtocolTest, AFrameThatCannotBeLeftKeepsItsTab)
{
    Open();
    Frame().Stuck = true;
    EXPECT_FALSE(Pages().ActivatePage(1));
    EXPECT_EQ(Pages().ActivePage(), 0);
    EXPECT_EQ(TNameFrame::Made.size(), 1u);
}

TEST_F(EditingProtocolTest, LeavingAModifiedItemAsks)
{
    struct TCase {
        int answer;
        int expected;
        bool saved;
        const char* typed;
    };
    for (const TCase& c : {TCase{mrYes, 1, true, "Saved when asked"}, TCase{mrNo, 1, false, "Discarded when asked"},
                           TCase{mrCancel, 0, false, "Kept when asked"}}) {
        SCOPED_TRACE(c.typed);
        const std::string before = StoredName();
        Open();
        Frame().Type(c.typed);
        fixture_.Gui().QueueAnswer(c.answer);
        EXPECT_EQ(editor_->CloseQuery(true), c.expected);
        EXPECT_EQ(StoredName(), c.saved ? c.typed : before);
        EXPECT_EQ(editor_->Context()->IsModified(), c.answer == mrCancel);
        EXPECT_EQ(Frame().Text, c.answer == mrNo ? before : c.typed);
        editor_.reset();
    }
    editor_.reset();
    Open();
    fixture_.Gui().Clear();
    EXPECT_EQ(editor_->CloseQuery(true), 1);
    EXPECT_TRUE(fixture_.Gui().Shown().empty()) << "nothing to ask about";
}

TEST_F(EditingProtocolTest, OpeningTheOpenItemAgainKeepsItsEdits)
{
    TTolvexItemEditor& editor = Open();
    Frame().Type("Kept");
    const int type = editor.GetItemType();
    ASSERT_TRUE(editor.OpenItemWithEditor(kHome, kHome, type, "TestNames", "", nullptr));
    EXPECT_EQ(Frame().Text, "Kept");
    EXPECT_TRUE(editor.Context()->IsModified());
}

TEST_F(EditingProtocolTest, DataChangedNoticeReloadsWatchingFramesKeepingTheirEdits)
{
    Open();
    Frame().WatchChangeKind(1003);
    const int loads = Frame().Loads;
    editor_->NotifyDataChanged(0, 5);
    EXPECT_EQ(Frame().Loads, loads) << "an unwatched kind";
    Frame().Type("Unsaved");
    editor_->NotifyDataChanged(0, 1003);
    EXPECT_EQ(Frame().Loads, loads + 1);
    EXPECT_EQ(Frame().Text, "Unsaved");
}

TEST_F(EditingProtocolTest, LanguageChangeStoresIntoTheLanguageLeftAndShowsTheNewOne)
{
    Open();
    Frame().Type("English name");
    const std::string first = Data().GetDefaultLangCode();
    editor_->Context()->SetContainerForm(&fixture_.Host());
    editor_->Context()->SetCurrentLangCode("DE");
    EXPECT_EQ(Frame().ContentLangCode(), "DE");
    EXPECT_EQ(fixture_.Host().LanguagePanelRepaints, 1);
    Frame().Type("Deutscher Name");
    editor_->Context()->SetCurrentLangCode(first);
    EXPECT_EQ(Frame().Text, "English name");
    TAbstractCObject* names = editor_->Context()->GetObjectCollection().GetObject(kHome, "CommonNames");
    EXPECT_EQ(names->GetLangString("ItemName", first, 0), "English name");
    EXPECT_EQ(names->GetLangString("ItemName", "DE", 0), "Deutscher Name");
}

TEST_F(EditingProtocolTest, SavedItemGetsItsValidationFlagsAndTheNotice)
{
    Open();
    Frame().Type("Named");
    ASSERT_TRUE(editor_->Save());
    EXPECT_EQ(Data().GetItemDescription(kHome, "shop", MainConnection()).UserPriority,
              editor_->Context()->GetUserPriority());
    EXPECT_EQ(fixture_.Host().NoticeFlags, editor_->Context()->GetUserPriority());
}

}  // namespace

namespace {

TEST_F(EditingProtocolTest, ANewItemIsThereAtOnceAndCancelTakesItAwayAgain)
{
    Open();
    const int homeType = editor_->GetItemType();
    editor_->PrepareOpen(kHome, 0, "", "");
    ASSERT_TRUE(editor_->OpenItemWithEditor(-2, -2, homeType, "TestNames", "", nullptr));
    const int created = editor_->GetTreeItemId();
    ASSERT_GT(created, 0);
    EXPECT_TRUE(editor_->Context()->IsNewItem());
    EXPECT_TRUE(editor_->Context()->IsModified()) << "a new item starts modified";
    EXPECT_TRUE(fixture_.Root().Catalog().ItemExists(created, "shop", MainConnection())) << "the trees can show it";
    Data().SetCatalogProperty(707, "free", MainConnection());  // and nothing holds the lock

    editor_->Cancel(true);
    EXPECT_FALSE(fixture_.Root().Catalog().ItemExists(created, "shop", MainConnection()));
    ASSERT_FALSE(fixture_.Shell().Posts.empty());
    EXPECT_EQ(fixture_.Shell().Posts.back().Message, WM_EDIT_ITEM) << "back to the item open before";
    EXPECT_EQ(fixture_.Shell().Posts.back().WParam, kHome);
}

}  // namespace

namespace {

TEST_F(EditingProtocolTest, CatalogOptionsSetInTheEditorAreWrittenWithTheSave)
{
    Open();
    TTolvexControlClass& context = *editor_->Context();
    context.SetCatalogOption(706, "EUR");
    EXPECT_EQ(context.GetCatalogOption(706), "EUR");
    EXPECT_NE(Data().GetCatalogProperty(706, MainConnection()), "EUR");
    Data().SetCatalogProperty(709, "no", MainConnection());  // nothing holds the lock
    context.CancelChanges();
    EXPECT_NE(context.GetCatalogOption(706), "EUR");

    context.SetCatalogOption(706, "CHF");
    context.SetModified(true);
    ASSERT_TRUE(editor_->Save());
    EXPECT_EQ(Data().GetCatalogProperty(706, MainConnection()), "CHF");
}

TEST_F(EditingProtocolTest, AWriteDeferredAgainUnderItsKeyReplacesTheEarlierOneUntilASaveCommitsIt)
{
    Open();
    TTolvexControlClass& context = *editor_->Context();
    std::vector<std::string> applied;
    auto defer = [&](const std::string& key, const std::string& value) {
        context.DeferUntilSave(key, [&applied, value, this](TAbstractDBConnection& connection) {
            applied.push_back(value);
            Data().SetCatalogProperty(708, value, connection);
        });
    };
    const std::string before = Data().GetCatalogProperty(708, MainConnection());
    defer("Visible:1", "first");
    defer("", "unkeyed");
    defer("Visible:1", "second");
    // A preview applies them and undoes them; they wait for the save.
    ASSERT_TRUE(context.WithUnsavedValues([](TAbstractDBConnection&) {}));
    EXPECT_EQ(applied, (std::vector<std::string>{"unkeyed", "second"})) << "the replaced write goes, the new one comes last";
    EXPECT_EQ(Data().GetCatalogProperty(708, MainConnection()), before);

    // A refused save keeps them too.
    Frame().Type("");
    EXPECT_FALSE(editor_->Save());
    Frame().Type("Saved");
    applied.clear();
    ASSERT_TRUE(editor_->Save());
    EXPECT_EQ(applied, (std::vector<std::string>{"unkeyed", "second"}));
    EXPECT_EQ(Data().GetCatalogProperty(708, MainConnection()), "second");

    // Committed: the next save writes them no more.
    Frame().Type("Again");
    applied.clear();
    ASSERT_TRUE(editor_->Save());
    EXPECT_TRUE(applied.empty());
}

}  // namespace
