// The tree and list data models on a real catalog: the stories list with its
// deletions, renames, moves and new folders recorded, undoable, written only
// by the save and dropped by a cancel; the definition-driven tree list; and
// the list of sub-objects with its dialog passes.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/lists/FrameListDataModel.h"
#include "editors/site/lists/FrameTreeDataEditorModel.h"
#include "editors/site/lists/FrameTreeListOfItemsViewerModel.h"
#include "editors/site/lists/ParamsItemManagerModel.h"
#include "editors/site/lists/TreeDataModel.h"

#include <QAbstractItemModelTester>
#include <QMimeData>

#include <gtest/gtest.h>

#include <functional>

#include <map>
#include <memory>

namespace {

using TTree = TFrameTreeDataEditorModel;

// Answers every question with Answer and keeps them.
struct TQuestions {
    bool answer = true;
    std::vector<std::string> asked;
    TTree::TAsk Ask()
    {
        return [this](const std::string& question) {
            asked.push_back(question);
            return answer;
        };
    }
};

class StoriesList : public ::testing::Test {
protected:
    StoriesList()
    {
        folder = site.AddItem(2, 10, "Archive");
        inFolder = site.AddItem(3002, folder, "Old news");
        first = site.AddItem(3002, 10, "First");
        second = site.AddItem(3002, 10, "Second");
        third = site.AddItem(3002, 10, "Third");
    }
    int Stories() { return site.CountOnMain("SELECT COUNT(*) FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = 3002"); }
    int ParentOnMain(int id) { return site.Catalog().GetParentItemId(id, TSiteModelFixture::kCode, site.MainConnection()); }
    // A stories list read anew; it lives as long as the test.
    TTree& Opened()
    {
        models.push_back(std::make_unique<TTree>(site.Context(10), TTree::Stories()));
        models.back()->Load();
        return *models.back();
    }

    TSiteModelFixture site;
    std::vector<std::unique_ptr<TTree>> models;
    int folder, inFolder, first, second, third;
};

TEST_F(StoriesList, ItemsWithChildrenAreNeverAskedAboutAndSeveralAreAskedOnce)
{
    TTree& model = Opened();
    ASSERT_NE(model.Find(inFolder), nullptr);
    EXPECT_EQ(model.Find(folder)->IsFolder, true);
    TQuestions questions;
    EXPECT_EQ(model.Delete({folder}, questions.Ask()), std::vector<std::string>{"Cannot delete \"Archive\" item."});
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_FALSE(model.IsModified());

    EXPECT_TRUE(model.Delete({first, second, third}, questions.Ask()).empty());
    EXPECT_EQ(questions.asked, std::vector<std::string>{"Do you really want to delete 3 items?"});
    EXPECT_EQ(model.Find(second), nullptr) << "gone from the list at once";
    EXPECT_EQ(Stories(), 4) << "nothing deleted before the save";

    questions.asked.clear();
    EXPECT_TRUE(model.Delete({inFolder}, questions.Ask()).empty());
    EXPECT_EQ(questions.asked, std::vector<std::string>{"Do you really want to delete \"Old news\" story?"});
    questions.answer = false;
    EXPECT_TRUE(model.Delete({folder}, questions.Ask()).empty()) << "the folder is empty now";
    EXPECT_EQ(questions.asked.back(), "Do you really want to delete the folder?");
    EXPECT_NE(model.Find(folder), nullptr) << "answered No";

    // Undo brings the single story back; the save deletes the other three.
    model.Undo();
    EXPECT_NE(model.Find(inFolder), nullptr);
    EXPECT_TRUE(model.Store().empty());
    site.Save();
    EXPECT_EQ(Stories(), 1);
}

TEST_F(StoriesList, AStoryNamedInAPageTextIsAskedAboutAgainAndMayBeSkippedAlone)
{
    TQueryGuard query(site.MainConnection());
    query->SetSQL("INSERT INTO CText (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, TextValue) VALUES (:CatalogCode, 100001, 4, 1, 1, 'EN', 0, 52, :Text)");
    query->SetParam("CatalogCode", std::string(TSiteModelFixture::kCode));
    query->SetParam("Text", "<p><a href=\"" + std::to_string(second) + ".html\">news</a></p>");
    query->ExecSQL();
    query.Release();

    TTree& model = Opened();
    std::vector<std::string> asked;
    const auto ask = [&asked](const std::string& question) {
        asked.push_back(question);
        return question.rfind("There are hyperlinks", 0) != 0;  // No to the hyperlink question only
    };
    EXPECT_TRUE(model.Delete({first, second, third}, ask).empty());
    EXPECT_EQ(asked, (std::vector<std::string>{
                         "Do you really want to delete 3 items?",
                         "There are hyperlinks to the \"Second\" item. Do you want to delete anyway?"}));
    EXPECT_EQ(model.Find(first), nullptr);
    EXPECT_NE(model.Find(second), nullptr) << "skipped alone";
    EXPECT_EQ(model.Find(third), nullptr);
}

TEST_F(StoriesList, RenamesMovesAndNewFoldersWaitForTheSaveAndCancelDropsThem)
{
    {
        TTree& model = Opened();
        model.Rename(first, "Headline");
        ASSERT_TRUE(model.Move({second}, folder));
        const int newFolder = model.NewFolder(third);
        EXPECT_EQ(model.Find(newFolder)->Name, "New Folder");
        EXPECT_EQ(model.Find(newFolder)->ParentItemId, 10) << "beside the selected story";
        ASSERT_TRUE(model.Move({third}, newFolder));
        EXPECT_EQ(model.Children(folder).size(), 2u);
        EXPECT_EQ(ParentOnMain(second), 10);
        site.Cancel();
    }
    EXPECT_EQ(ParentOnMain(second), 10);
    EXPECT_EQ(site.Data().GetItemName(first, site.MainConnection(), "EN"), "First");

    TTree& model = Opened();
    model.Rename(first, "Headline");
    ASSERT_TRUE(model.Move({second}, folder));
    const int newFolder = model.NewFolder(0);
    model.Rename(newFolder, "2024");
    ASSERT_TRUE(model.Move({third}, newFolder));
    ASSERT_TRUE(model.CanUndo());
    // A save that fails is rolled back; the next one writes everything again, once.
    EXPECT_TRUE(model.Store().empty());
    site.Cancel();
    EXPECT_TRUE(model.Store().empty());
    site.Save();
    EXPECT_EQ(site.CountOnMain("SELECT COUNT(*) FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = 2 AND ParentItemId = 10"), 2)
        << "the new folder exists once";
    EXPECT_EQ(site.Data().GetItemName(first, site.MainConnection(), "EN"), "Headline");
    EXPECT_EQ(ParentOnMain(second), folder);
    const int created = ParentOnMain(third);
    EXPECT_NE(created, 10);
    EXPECT_EQ(site.Data().GetItemName(created, site.MainConnection(), "EN"), "2024");
    EXPECT_EQ(ParentOnMain(created), 10);
}

// The item model over the stories list follows every change, its undo, its
// redo and a reload row by row (Qt's model tester checks each notice).
TEST_F(StoriesList, TheItemModelFollowsTheChangesTheirUndoRedoAndAReload)
{
    TTree& model = Opened();
    TTreeDataModel rows{QIcon(), QIcon()};
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
    rows.SetTree(&model);
    const auto shown = [&rows] {
        std::vector<std::string> lines;
        std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
            for (int row = 0; row < rows.rowCount(parent); ++row) {
                const QModelIndex index = rows.index(row, 0, parent);
                lines.push_back(std::string(depth * 2, ' ') + index.data().toString().toStdString());
                walk(index, depth + 1);
            }
        };
        walk(QModelIndex(), 0);
        return lines;
    };
    const std::vector<std::string> original{"First", "Second", "Third", "Archive", "  Old news"};
    EXPECT_EQ(shown(), original);

    // A caption typed in place, a drop onto the folder, a new folder, a deletion.
    EXPECT_TRUE(rows.setData(rows.IndexOf(first), "Headline"));
    EXPECT_FALSE(rows.setData(rows.IndexOf(second), "  ")) << "a caption is never blank";
    const std::unique_ptr<QMimeData> dragged(rows.mimeData({rows.IndexOf(third)}));
    EXPECT_FALSE(rows.canDropMimeData(dragged.get(), Qt::MoveAction, 0, 0, rows.IndexOf(folder)))
        << "a drop between two nodes";
    EXPECT_FALSE(rows.canDropMimeData(dragged.get(), Qt::MoveAction, -1, 0, rows.IndexOf(first)))
        << "a story holds no stories";
    ASSERT_TRUE(rows.dropMimeData(dragged.get(), Qt::MoveAction, -1, 0, rows.IndexOf(folder)));
    model.NewFolder(inFolder);
    TQuestions questions;
    EXPECT_TRUE(model.Delete({second}, questions.Ask()).empty());
    const std::vector<std::string> changed{"Headline", "Archive", "  Third", "  Old news", "  New Folder"};
    EXPECT_EQ(shown(), changed);

    // Undone one by one back to the tree as read (each node in its place), and made again.
    QUndoStack& stack = model.UndoStack();
    while (stack.canUndo())
        stack.undo();
    EXPECT_EQ(shown(), original);
    EXPECT_FALSE(model.IsModified());
    while (stack.canRedo())
        stack.redo();
    EXPECT_EQ(shown(), changed);

    // A reload makes the changes again on the tree read anew; the undone deletion is gone.
    stack.undo();
    model.Reload();
    EXPECT_EQ(shown(), (std::vector<std::string>{"Headline", "Second", "Archive", "  Third", "  Old news",
                                                 "  New Folder"}));
    EXPECT_EQ(stack.count(), 3);
    EXPECT_FALSE(stack.canRedo());
    EXPECT_EQ(Stories(), 4) << "nothing written";
}

TEST_F(StoriesList, AddAndEditOpenTheMainEditorAndDropsFollowThePlacementRules)
{
    TTree& model = Opened();
    EXPECT_EQ(model.AddAction(folder), "Action=MainPageEditor&ItemId=-2&ItemType=3002&ParentItemId=" +
                                           std::to_string(folder));
    EXPECT_EQ(model.AddAction(inFolder), "Action=MainPageEditor&ItemId=-2&ItemType=3002&ParentItemId=" +
                                             std::to_string(folder));
    EXPECT_EQ(model.AddAction(0), "Action=MainPageEditor&ItemId=-2&ItemType=3002&ParentItemId=10");
    EXPECT_EQ(model.EditAction(folder), "") << "a folder is renamed in place, not opened";
    EXPECT_NE(model.EditAction(first).find("&ItemId=" + std::to_string(first)), std::string::npos);
    EXPECT_EQ(model.LocateAction(first), "Action=LocateOnWebTree&ItemId=" + std::to_string(first));
    EXPECT_EQ(model.LocateAction(folder), "Action=LocateOnWebTree&ItemId=0");

    EXPECT_TRUE(model.CanDrop(folder, first)) << "a story into a folder";
    EXPECT_FALSE(model.CanDrop(first, first));
    const int other = model.NewFolder(0);
    EXPECT_EQ(model.CanDrop(other, folder),
              site.Catalog().GetDefinition().CanContainItemType(2, 2))
        << "a folder into a folder only where the definition allows it";
    ASSERT_TRUE(model.Move({folder}, other) || !model.CanDrop(other, folder));
    EXPECT_FALSE(model.CanDrop(inFolder, folder)) << "never into its own subtree";
}

TEST(TreeListOfItems, TheDefinitionValuesConfigureTheTree)
{
    std::map<std::string, std::string> values{{"TreeRoot", "10"}, {"TreeItemType", "3002"}, {"DataBottom", "yes"},
                                              {"NewFolderString", ""}};
    const TTree::TSettings settings = TFrameTreeListOfItemsViewerModel::SettingsFrom(
        [&values](const std::string& key) { return values.count(key) ? values[key] : std::string(); });
    EXPECT_EQ(settings.TreeRoot, 10);
    EXPECT_EQ(settings.NewItemType, 3002);
    EXPECT_EQ(settings.WatchedKind, 3002) << "reloads on data-changed notices of its item type";
    EXPECT_EQ(settings.FolderItemType, 2);
    EXPECT_EQ(settings.NewFolderCaption, "New Folder") << "kept when the value is empty";
    EXPECT_EQ(settings.DeleteQuestion, "Do you really want to the item \"$1\"?");
    EXPECT_EQ(settings.LocateSettingName, "LocateOnWebTree");
    EXPECT_TRUE(settings.ShowBottomPanel);
    EXPECT_FALSE(settings.ShowLocationPanel);
}

// ---- list data -------------------------------------------------------------------------------

TFrameListDataModel::TLookup Values(std::map<std::string, std::string> values)
{
    return [values](const std::string& key) {
        const auto found = values.find(key);
        return found == values.end() ? std::string() : found->second;
    };
}

TEST(ListDataModel, ColumnsStopAtTheFirstGapAndAtThirtyTwo)
{
    TSiteModelFixture site;
    std::map<std::string, std::string> values{{"ClassXmlTag", "LinkObject"}};
    for (int n = 1; n <= 33; ++n)
        if (n != 5)
            values["MemberXmlTagForColumn" + std::to_string(n)] = "URL=Address";
    EXPECT_EQ(TFrameListDataModel(site.Context(100001), Values(values)).Columns().size(), 4u);
    values["MemberXmlTagForColumn5"] = "URL=Address";
    EXPECT_EQ(TFrameListDataModel(site.Context(100001), Values(values)).Columns().size(), 32u);
    EXPECT_EQ(TFrameListDataModel(site.Context(100001), Values({})).Columns().front().Member, "ItemName");

    TFrameListDataModel empty(site.Context(100001), Values({{"ClassXmlTag", "LinkObject"}}));
    EXPECT_FALSE(empty.ShowsAddAndEdit()) << "EditItemType 0 hides Add and Edit";
    empty.Load();
    EXPECT_TRUE(empty.Rows().empty());
    EXPECT_TRUE(empty.ApplyDialog(-1, {"URL=x"}));
    EXPECT_FALSE(empty.IsModified()) << "no columns: Add writes nothing";
}

TEST(ListDataModel, RowsAddedEditedAndDeletedReachTheObjectsOnlyWithTheSave)
{
    TSiteModelFixture site;
    const int item = site.AddItem(site.Context(100001).ItemType, 100001, "Page");
    const auto lookup = Values({{"ClassXmlTag", "LinkObject"}, {"EditItemType", "204"},
                                {"MemberXmlTagForColumn1", "Caption=Caption"},
                                {"MemberXmlTagForColumn2", "URL=Address"}});
    auto instances = [&] {
        return site.CountOnMain("SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                std::to_string(item) + " AND ClassId = 102");
    };
    {
        TFrameListDataModel model(site.Context(item), lookup);
        model.Load();
        EXPECT_TRUE(model.ShowsAddAndEdit());
        EXPECT_FALSE(model.ApplyDialog(-1, {"Caption=Shop", "URL=http://shop.test/", "reedit=yes"}))
            << "the dialog asks to be shown again: nothing taken";
        EXPECT_TRUE(model.Rows().empty());
        ASSERT_TRUE(model.ApplyDialog(-1, {"Caption=Shop", "URL=http://shop.test/"}));
        ASSERT_TRUE(model.ApplyDialog(-1, {"Caption=Blog", "URL=http://blog.test/"}));
        model.Undo();
        ASSERT_EQ(model.Rows().size(), 1u);
        model.Store();  // a preview stores; a later change and the save store again
        ASSERT_TRUE(model.ApplyDialog(-1, {"Caption=Blog", "URL=http://blog.test/"}));
        model.Store();
        model.Undo();
        EXPECT_EQ(model.Rows().size(), 2u) << "nothing to undo once stored";
        model.Delete(1);
        model.Store();
        site.Save();
    }
    EXPECT_EQ(instances(), 1) << "each row created once";

    TFrameListDataModel model(site.Context(item), lookup);
    model.Load();
    ASSERT_EQ(model.Rows().size(), 1u);
    EXPECT_EQ(model.Rows()[0].Texts, (std::vector<std::string>{"Shop", "http://shop.test/"}));
    EXPECT_EQ(model.EditParams(0), (std::vector<std::string>{"Caption=Shop", "URL=http://shop.test/"}));
    ASSERT_TRUE(model.ApplyDialog(0, {"Caption=Shop!", "URL=http://shop.test/"}));
    model.Store();
    site.Cancel();
    model.Load();
    EXPECT_EQ(model.Rows()[0].Texts[0], "Shop") << "cancel restored the row";

    model.Delete(0);
    EXPECT_TRUE(model.Rows().empty());
    EXPECT_EQ(instances(), 1) << "nothing before the save";
    model.Store();
    site.Save();
    EXPECT_EQ(instances(), 0);
}

}  // namespace

namespace {

TEST(ParamsItemManagerModel, CaptionsFallBackFromTheTemplateToTheNoNameCaptionToTheProductName)
{
    struct TCase {
        std::map<std::string, std::string> values;
        std::optional<std::string> name;
        const char* caption;
    };
    const TCase cases[] = {
        {{{"ItemCaption", "Room $1"}}, "Blue", "Room Blue"},
        {{{"ItemCaption", "Room $1"}}, std::nullopt, "Room $1"},
        {{{"NoNameItemCaption", "Unnamed room"}}, "Blue", "Unnamed room"},
        {{}, std::nullopt, "Tolvex"},
    };
    for (const TCase& c : cases) {
        TParamsItemManagerModel model(Values(c.values));
        EXPECT_EQ(model.GetCaption(c.name), c.caption);
    }
    EXPECT_EQ(TParamsItemManagerModel(Values({})).GetNewItemCaption(), "New Item");
    EXPECT_EQ(TParamsItemManagerModel(Values({{"NewItemName", "New Room"}})).GetNewItemCaption(), "New Room");
}

}  // namespace
