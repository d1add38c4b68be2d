// The tree and list data frames in the main window's editor pane on a real
// catalog: the stories list with its deletions, renames, moves and new
// folders (undoable, written by Save, dropped by Cancel), the "All Stories"
// tab of a story, and the list of a service's fields with its dialog.
#include "EditorPaneHelpers.h"

#include "catalog/CatalogBookkeeping.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/lists/FrameTreeDataEditor.h"
#include "editors/site/SiteTabsEditor.h"
#include "editors/site/lists/TreeDataView.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"
#include "storage/ObjectFactory.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kCancel = 2;

int AddItem(TMainWindowFixture& f, int itemType, int parent, const std::string& name)
{
    TCatalog& catalog = f.Root().Catalog();
    const int id = catalog.CreateItem(itemType, parent, 0, "shop", f.Main(), 0);
    std::unique_ptr<TTolvexObject> names = catalog.GetObjectFactory().CreateObjectTyped(id, 1, 0, f.Main(), "shop");
    names->SetLangString("ItemName", f.Data().GetDefaultLangCode(), name, 0);
    names->Save();
    return id;
}

int ParentOf(TMainWindowFixture& f, int id) { return f.Root().Catalog().GetParentItemId(id, "shop", f.Main()); }

std::string NameOf(TMainWindowFixture& f, int id)
{
    return f.Data().GetItemName(id, f.Main(), f.Data().GetDefaultLangCode());
}

// The captions of the tree's nodes, children indented under their parents.
std::vector<std::string> Shown(QTreeView& tree)
{
    std::vector<std::string> lines;
    std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
        for (int row = 0; row < tree.model()->rowCount(parent); ++row) {
            const QModelIndex index = tree.model()->index(row, 0, parent);
            lines.push_back(std::string(depth * 2, ' ') + index.data().toString().toStdString());
            walk(index, depth + 1);
        }
    };
    walk(QModelIndex(), 0);
    return lines;
}

// The caption of an item's node; empty when the tree does not show it.
QString Caption(TTreeDataView& tree, int id) { return tree.IndexOf(id).data().toString(); }

void Select(TTreeDataView& tree, int id)
{
    const QModelIndex index = tree.IndexOf(id);
    ASSERT_TRUE(index.isValid()) << id;
    tree.setCurrentIndex(index);
}

// Drags the selected nodes onto the node of Target, as the mouse does.
bool DragSelectionOnto(TTreeDataView& tree, int targetId)
{
    std::unique_ptr<QMimeData> data(tree.model()->mimeData(tree.selectionModel()->selectedIndexes()));
    const QPoint at = tree.visualRect(tree.IndexOf(targetId)).center();
    // The enter makes the view the drag's target; the move and the drop go to it.
    QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(at, Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

// Types a new caption into the node being edited in place and confirms it.
void TypeCaption(TTreeDataView& tree, const QString& text)
{
    auto* edit = tree.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr) << "no caption editor open";
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
}

class StoriesListFrame : public ::testing::Test {
protected:
    StoriesListFrame() : f(RegisterFrameworkClasses)
    {
        EXPECT_EQ(f.CreateAndOpen(), "");
        folder = AddItem(f, 2, 10, "Archive");
        old = AddItem(f, 3002, folder, "Old news");
        first = AddItem(f, 3002, 10, "First");
        second = AddItem(f, 3002, 10, "Second");
        third = AddItem(f, 3002, 10, "Third");
    }
    TTreeDataView* Open()
    {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=10", false);
        QCoreApplication::processEvents();
        auto* tree = Find<TTreeDataView>(f, "tvTreeData");
        if (tree)
            tree->setFocus();
        return tree;
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(f, name); }

    TMainWindowFixture f;
    int folder, old, first, second, third;
};

TEST_F(StoriesListFrame, ChangesShowAtOnceAreUndoneOneByOneWrittenBySaveAndDroppedByCancel)
{
    TTreeDataView* tree = Open();
    ASSERT_NE(tree, nullptr);
    const std::vector<std::string> original{"First", "Second", "Third", "Archive", "  Old news"};
    EXPECT_EQ(Shown(*tree), original);
    EXPECT_FALSE(f.Window().findChild<QWidget*>("pnlMainClientSave")->isVisible()) << "the stories list starts without the Save bar";

    // Delete, rename, move and a new folder, each shown at once.
    auto change = [&] {
        tree->setFocus();
        Select(*tree, first);
        f.Boxes().QueueAnswer(kYes);
        QTest::keyClick(tree, Qt::Key_Delete);
        Select(*tree, second);
        QTest::keyClick(tree, Qt::Key_F2);
        TypeCaption(*tree, "Headline");
        Select(*tree, third);
        ASSERT_TRUE(DragSelectionOnto(*tree, folder));
        QTest::mouseClick(Button("btnTreeDataNewFolder"), Qt::LeftButton);
        TypeCaption(*tree, "2024");
    };
    change();
    EXPECT_EQ(f.Boxes().Messages("question").back(), "Do you really want to delete \"First\" story?");
    EXPECT_EQ(Shown(*tree),
              (std::vector<std::string>{"Headline", "Archive", "  Third", "  Old news", "  2024"}));
    EXPECT_TRUE(f.Window().findChild<QWidget*>("pnlMainClientSave")->isVisible()) << "unsaved changes can be saved";
    EXPECT_EQ(ParentOf(f, third), 10) << "nothing written before the save";
    Shoot(f, "stories-changed");

    // Undo steps back one change at a time: the folder's caption, the folder, the move.
    tree->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);
    const std::vector<std::string> undone{"Headline", "Third", "Archive", "  Old news"};
    EXPECT_EQ(Shown(*tree), undone);
    // The Edit menu's Redo makes the move again, its Undo takes it back.
    auto* undo = f.Window().findChild<QAction*>("actMainEditUndo");
    auto* redo = f.Window().findChild<QAction*>("actMainEditRedo");
    ASSERT_TRUE(undo && redo);
    ASSERT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(Shown(*tree), (std::vector<std::string>{"Headline", "Archive", "  Third", "  Old news"}));
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(Shown(*tree), undone);

    // The folder the user closed stays closed when the tree is read anew.
    Select(*tree, second);
    tree->collapse(tree->IndexOf(folder));
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(Shown(*tree), original);
    EXPECT_FALSE(tree->isExpanded(tree->IndexOf(folder)));
    EXPECT_FALSE(undo->isEnabled()) << "nothing left to undo";
    EXPECT_EQ(NameOf(f, first), "First");

    change();
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(ParentOf(f, first), 0) << "deleted";
    EXPECT_EQ(NameOf(f, second), "Headline");
    EXPECT_EQ(ParentOf(f, third), folder);
    const QModelIndex created = tree->model()
                                    ->match(tree->model()->index(0, 0), Qt::DisplayRole, "2024", 1,
                                            Qt::MatchExactly | Qt::MatchRecursive)
                                    .value(0);
    ASSERT_TRUE(created.isValid());
    const int createdId = TTreeDataView::ItemIdOf(created);
    EXPECT_GT(createdId, 0) << "the new folder is a catalog item now";
    EXPECT_EQ(ParentOf(f, createdId), folder) << "beside the story it was made next to";
    EXPECT_EQ(NameOf(f, createdId), "2024");
    Shoot(f, "stories-saved");
}

TEST_F(StoriesListFrame, DeletionAsksAsTheItemsRequire)
{
    TTreeDataView* tree = Open();
    ASSERT_NE(tree, nullptr);
    // A folder with a story in it cannot go, and nobody is asked.
    Select(*tree, folder);
    QTest::mouseClick(Button("btnTreeDataDelete"), Qt::LeftButton);
    EXPECT_TRUE(f.Boxes().Messages("question").empty());
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Cannot delete \"Archive\" item."});
    // Answering No keeps the story.
    Select(*tree, old);
    f.Boxes().QueueAnswer(kNo);
    QTest::mouseClick(Button("btnTreeDataDelete"), Qt::LeftButton);
    EXPECT_TRUE(tree->IndexOf(old).isValid());
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    // A caption cannot be emptied in place.
    Select(*tree, old);
    QTest::keyClick(tree, Qt::Key_F2);
    TypeCaption(*tree, " ");
    EXPECT_EQ(Caption(*tree, old), "Old news");
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    // Without a selected node, Edit and Delete are off.
    tree->clearSelection();
    EXPECT_FALSE(Button("btnTreeDataEdit")->isEnabled());
    EXPECT_FALSE(Button("btnTreeDataDelete")->isEnabled());
}

TEST_F(StoriesListFrame, DropsFollowThePlacementRules)
{
    TTreeDataView* tree = Open();
    ASSERT_NE(tree, nullptr);
    Select(*tree, first);
    EXPECT_FALSE(DragSelectionOnto(*tree, second)) << "a story holds no stories";
    Select(*tree, folder);
    EXPECT_FALSE(DragSelectionOnto(*tree, old)) << "never into its own subtree";
    Select(*tree, old);
    EXPECT_FALSE(DragSelectionOnto(*tree, folder)) << "already there";
    EXPECT_FALSE(f.Editor().Context()->IsModified());
}

TEST_F(StoriesListFrame, AddAndEditOpenTheStoryInTheMainEditor)
{
    TTreeDataView* tree = Open();
    ASSERT_NE(tree, nullptr);
    Shoot(f, "stories-list");
    // With a story in the folder selected, the new story goes beside it.
    Select(*tree, old);
    QTest::mouseClick(Button("btnTreeDataNew"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return f.Editor().Context()->GetItemType() == 3002; }));
    const int added = f.Editor().Context()->GetTreeItemId();
    EXPECT_EQ(ParentOf(f, added), folder);
    // Cancelling the new story removes it again and returns to the stories list.
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(ParentOf(f, added), 0);
    EXPECT_TRUE(WaitFor([&] { return f.Editor().Context() && f.Editor().Context()->GetItemType() == 10; }));

    tree = Open();
    ASSERT_NE(tree, nullptr);
    Select(*tree, second);
    QTest::mouseClick(Button("btnTreeDataEdit"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return f.Editor().Context()->GetItemId() == second; }));
}

TEST_F(StoriesListFrame, TheLocateCheckBoxIsRememberedForTheNextOpening)
{
    ASSERT_NE(Open(), nullptr);
    auto* locate = Find<QCheckBox>(f, "cbTreeDataLocateOnWebTree");
    ASSERT_NE(locate, nullptr);
    EXPECT_FALSE(locate->isChecked());
    QTest::mouseClick(locate, Qt::LeftButton);
    EXPECT_EQ(f.Data().GetBookkeeping().GetLocalSetting("LocateStoryOnWebTree"), "yes");

    ASSERT_TRUE(f.Editor().OpenItem(first, first, 3002, nullptr, 0));
    ASSERT_NE(Open(), nullptr);
    locate = Find<QCheckBox>(f, "cbTreeDataLocateOnWebTree");
    EXPECT_TRUE(locate->isChecked());
    QTest::mouseClick(locate, Qt::LeftButton);
    EXPECT_EQ(f.Data().GetBookkeeping().GetLocalSetting("LocateStoryOnWebTree"), "no");
}

TEST_F(StoriesListFrame, AnImportNoticeReloadsTheTreeAndKeepsTheUnsavedChanges)
{
    TTreeDataView* tree = Open();
    ASSERT_NE(tree, nullptr);
    Select(*tree, second);
    QTest::keyClick(tree, Qt::Key_F2);
    TypeCaption(*tree, "Headline");
    const int imported = AddItem(f, 3002, 10, "Imported");
    f.Editor().Context()->PostReloadNotice(0, 5);
    ASSERT_TRUE(WaitFor([&] { return tree->IndexOf(imported).isValid(); }));
    EXPECT_EQ(Caption(*tree, second), "Headline");
    EXPECT_TRUE(f.Editor().Context()->IsModified());
}

TEST_F(StoriesListFrame, TheAllStoriesTabOfAStoryAsksToSaveAndLeadsToTheList)
{
    ASSERT_TRUE(f.Editor().OpenItem(first, first, 3002, nullptr, 0));
    QCoreApplication::processEvents();
    TItemEditorContainer& container = *f.Editor().Container();
    const std::string start = container.GetActiveTabName();
    f.Editor().Context()->SetModified(true);

    auto* tabs = Find<QTabWidget>(f, nullptr);
    ASSERT_NE(tabs, nullptr);
    int allStories = -1;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == "All Stories")
            allStories = i;
    ASSERT_GE(allStories, 0);
    f.Boxes().QueueAnswer(kCancel);
    tabs->setCurrentIndex(allStories);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Boxes().Messages("question"), std::vector<std::string>{"Do you want to save changes?"});
    EXPECT_EQ(container.GetActiveTabName(), start) << "stayed on the story";
    EXPECT_EQ(f.Editor().Context()->GetItemId(), first);

    EXPECT_FALSE(container.ActivateTabByName("AllStories-list")) << "never a start tab";
    f.Boxes().QueueAnswer(kNo);
    tabs->setCurrentIndex(allStories);
    ASSERT_TRUE(WaitFor([&] { return Find<TTreeDataView>(f, "tvTreeData") != nullptr; }));
    EXPECT_EQ(f.Editor().Context()->GetItemType(), 10);
}

TEST_F(StoriesListFrame, ATreeListWithoutDefinitionValuesStaysEmptyAndUnconfigured)
{
    ASSERT_TRUE(f.Editor().OpenItemWithEditor(first, first, 3002, "CommonTreeListNews", "", nullptr));
    QCoreApplication::processEvents();
    auto* frame = Find<QWidget>(f, "TFrameTreeListOfItemsViewer");
    ASSERT_NE(frame, nullptr) << "the tree list is a frame of its own, not a placeholder";
    auto* tree = frame->findChild<TTreeDataView*>("tvTreeData");
    EXPECT_EQ(tree->model()->rowCount(), 0);
    EXPECT_FALSE(frame->findChild<QPushButton*>("btnTreeDataNew")->isVisible()) << "\"DataBottom\" is not \"yes\"";
}

// A tree with an item editor of kind 2 (the company's classification codes)
// on the right of the tree, over the items under gRightEditorRoot.
int gRightEditorRoot = 0;

class TTreeWithEditor : public TFrameTreeDataEditor {
public:
    using TFrameTreeDataEditor::TFrameTreeDataEditor;

protected:
    TFrameTreeDataEditorModel::TSettings Settings() override
    {
        TFrameTreeDataEditorModel::TSettings settings;
        settings.TreeRoot = gRightEditorRoot;
        settings.RightEditorKind = 2;
        return settings;
    }
};

TEST(TreeDataFrame, ARightHandEditorShowsTheSelectedItem)
{
    TMainWindowFixture f([](TInternalPluginsManager& registry) {
        RegisterFrameworkClasses(registry);
        registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TTreeWithEditor>>(
            "TestTreeWithEditor", "TTreeWithEditor", "Items", "TestTree-list", true));
    });
    ASSERT_EQ(f.CreateAndOpen(), "");
    constexpr int kCompany = 2001;
    gRightEditorRoot = ParentOf(f, kCompany);
    ASSERT_TRUE(f.Editor().OpenItemWithEditor(-1, -1, 10, "TestTreeWithEditor", "", nullptr));
    QCoreApplication::processEvents();
    auto* tree = Find<TTreeDataView>(f, "tvTreeData");
    ASSERT_NE(tree, nullptr);
    auto* right = Find<QWidget>(f, "pnlTreeViewClient");
    ASSERT_TRUE(right && right->isVisible());
    EXPECT_TRUE(right->findChildren<QTabWidget*>().isEmpty());
    Select(*tree, kCompany);
    QCoreApplication::processEvents();
    EXPECT_FALSE(right->findChildren<QTabWidget*>().isEmpty()) << "the company's code editors fill the right side";
    Shoot(f, "tree-right-editor");
}

// ---- list data -------------------------------------------------------------------------------------

// A service field dialog of the test: the field's name and tag; a field
// without a tag asks to be shown again.
class TFieldDialogFrame : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFieldDialogFrame(TFrameSite& site)
    {
        name_ = new QLineEdit(this);
        name_->setObjectName("edtFieldName");
        tag_ = new QLineEdit(this);
        tag_->setObjectName("edtFieldTag");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(name_);
        layout->addWidget(tag_);
        for (QLineEdit* edit : {name_, tag_})
            connect(edit, &QLineEdit::textChanged, this, [this] { SetModified(); });
        TQtFrameSite::Of(site)->Place(this);
    }
    void LoadFromObjects(bool) override
    {
        TrackChanges = false;
        name_->setText(QString::fromStdString(Value("FieldName")));
        tag_->setText(QString::fromStdString(Value("FieldTag")));
        TrackChanges = true;
    }
    void StoreToObjects(bool) override
    {

        Set("FieldName", name_->text().toStdString());
        Set("FieldTag", tag_->text().toStdString());
        if (tag_->text().isEmpty())
            Set("reedit", "yes");
    }

private:
    std::string Value(const std::string& name)
    {
        for (const std::string& line : *GetContext()->GetParams())
            if (line.rfind(name + "=", 0) == 0)
                return line.substr(name.size() + 1);
        return {};
    }
    void Set(const std::string& name, const std::string& value)
    {
        std::vector<std::string>& params = *GetContext()->GetParams();
        std::erase_if(params, [&](const std::string& line) { return line.rfind(name + "=", 0) == 0; });
        params.push_back(name + "=" + value);
    }
    QLineEdit* name_;
    QLineEdit* tag_;
};

const TFrameClassOf<TFieldDialogFrame> kFieldDialogFrame("", "TFieldDialogFrame");

void RegisterWithFieldDialog(TInternalPluginsManager& registry)
{
    RegisterFrameworkClasses(registry);
    registry.RegisterBuiltinClass("TTolvexServiceFieldEditor", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(
            name, params, {{"Field", "Field", &kFieldDialogFrame, {}}}, {0, 1, 3, 4}, true));
    });
}

// Answers the field dialogs as they show, one answer each (name, tag);
// what each held when it showed goes to Seen.
void AnswerFieldDialogs(std::vector<std::pair<QString, QString>> answers, QStringList* seen = nullptr)
{
    auto queue = std::make_shared<std::vector<std::pair<QString, QString>>>(std::move(answers));
    auto fill = std::make_shared<std::function<void()>>();
    *fill = [=] {
        auto* dialog = QApplication::activeModalWidget();
        auto* nameEdit = dialog ? dialog->findChild<QLineEdit*>("edtFieldName") : nullptr;
        if (!nameEdit || dialog->property("answered").toBool()) {
            QTimer::singleShot(5, *fill);
            return;
        }
        dialog->setProperty("answered", true);
        if (seen)
            *seen << nameEdit->text();
        const auto [name, tag] = queue->front();
        queue->erase(queue->begin());
        nameEdit->setText(name);
        dialog->findChild<QLineEdit*>("edtFieldTag")->setText(tag);
        dialog->findChild<QPushButton*>("btnContainerOk")->click();
        if (!queue->empty())
            QTimer::singleShot(5, *fill);
    };
    QTimer::singleShot(0, *fill);
}

int CountFields(TMainWindowFixture& f, int itemId)
{
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT COUNT(*) AS N FROM CObjectInstances WHERE CatalogCode = 'shop' AND ItemId = :ItemId "
                  "AND ClassId = :ClassId");
    query->SetParam("ItemId", itemId);
    query->SetParam("ClassId", f.Root().ObjectContext().GetClassId("ServiceField"));
    TAbstractRecordset& r = query->Open(true);
    return std::stoi(FieldText(r, "N"));
}

// Keys reach a frame's shortcuts only in the active window, as after a click into the control.
void Focus(QWidget& control)
{
    control.window()->activateWindow();
    control.setFocus();
    QCoreApplication::processEvents();
}

std::vector<std::string> Rows(QTreeWidget& list)
{
    std::vector<std::string> rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        rows.push_back(list.topLevelItem(i)->text(0).toStdString() + "|" + list.topLevelItem(i)->text(1).toStdString());
    return rows;
}

TEST(ListDataFrame, ServiceFieldsAreAddedEditedAndDeletedUndoablyUntilSave)
{
    TMainWindowFixture f(RegisterWithFieldDialog);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const int service = AddItem(f, 3301, 1, "Massage");
    ASSERT_TRUE(f.Editor().OpenItemWithEditor(service, service, 3301, "ListDataEditorServiceFields", "", nullptr));
    QCoreApplication::processEvents();
    auto* list = Find<QTreeWidget>(f, "lvListData");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(f.Window().findChild<QLabel*>("pnlMainClientCaption")->text(), "Service: Massage") << "the definition's caption template";
    EXPECT_EQ(list->headerItem()->text(0), "Name");
    EXPECT_EQ(list->headerItem()->text(3), "Description");
    list->setFocus();
    QPushButton* add = Find<QPushButton>(f, "btnListDataAdd");
    ASSERT_TRUE(add->isVisible());

    // A field without a tag comes back with what was typed; nothing is taken before.
    QStringList seen;
    AnswerFieldDialogs({{"Duration", ""}, {"Duration", "duration"}}, &seen);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(seen, (QStringList{"", "Duration"})) << "the dialog was shown again with the typed name";
    AnswerFieldDialogs({{"Room", "room"}});
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(Rows(*list), (std::vector<std::string>{"Duration|duration", "Room|room"}));
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    Shoot(f, "service-fields");

    Focus(*list);
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Rows(*list), std::vector<std::string>{"Duration|duration"});
    // The Edit menu's Redo adds the row again, its Undo takes it back.
    auto* redo = f.Window().findChild<QAction*>("actMainEditRedo");
    ASSERT_TRUE(redo && redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(Rows(*list), (std::vector<std::string>{"Duration|duration", "Room|room"}));
    f.Window().findChild<QAction*>("actMainEditUndo")->trigger();
    EXPECT_EQ(Rows(*list), std::vector<std::string>{"Duration|duration"});
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(CountFields(f, service), 1);

    // Edit starts from the row's values; Delete asks; Cancel brings both back.
    list->setCurrentItem(list->topLevelItem(0));
    seen.clear();
    AnswerFieldDialogs({{"Length", "length"}}, &seen);
    QTest::mouseClick(Find<QPushButton>(f, "btnListDataEdit"), Qt::LeftButton);
    EXPECT_EQ(seen, QStringList{"Duration"});
    EXPECT_EQ(Rows(*list), std::vector<std::string>{"Length|length"});
    f.Boxes().QueueAnswer(kYes);
    Focus(*list);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(f.Boxes().Messages("question").back(), "Do you really want to delete the field?");
    EXPECT_TRUE(Rows(*list).empty());
    EXPECT_EQ(CountFields(f, service), 1) << "deleted only by the save";
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(Rows(*list), std::vector<std::string>{"Duration|duration"});

    list->setCurrentItem(list->topLevelItem(0));
    f.Boxes().QueueAnswer(kYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnListDataDelete"), Qt::LeftButton);
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(CountFields(f, service), 0);
}

}  // namespace
