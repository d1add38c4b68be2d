#pragma once
// TFrameTreeDataEditorModel: what a tree data frame decides, without the
// tree view: the items under a fixed root (with folders) as the frame shows
// them, the actions that open or add an item in the main editor, and the
// deletions, renames, moves and new folders the user makes. Each of those
// four is a command on the model's undo stack: shown at once in the model's
// tree, undoable and redoable until the save, and written on the editing
// connection only by Store; a cancel drops the model and the catalog is as
// it was. "Modified" is "the stack is not clean".
//
// A view follows the tree through TObserver (TTreeDataModel maps it onto
// Qt's row calls). A node keeps its place in the order the tree was read
// (new folders come last), so that an undone change puts it back where it
// was.
//
// The stories list is one configuration (Stories); the tree lists that a
// catalog definition describes are another (TFrameTreeListOfItemsViewerModel).
#include "editors/site/SiteModelContext.h"

#include <QUndoStack>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class TFrameTreeDataEditorModel {
public:
    struct TSettings {
        int TreeRoot = 0;
        int NewItemType = 0;
        int FolderItemType = 2;
        std::string NewFolderCaption = "New Folder";
        std::string DeleteQuestion = "Do you really want to delete the item?";
        std::string LinkedDeleteQuestion = "Do you really want to delete the item and all items which linked to it?";
        std::string StartCommand = "StartEdit";
        std::string LocateSettingName;
        std::string CancelAction;
        int RightEditorKind = 0;
        bool MultiSelect = false;
        bool KeepSaveBar = false;
        int TreeOptions = 33313;
        int WatchedKind = 0;  // a data-changed kind that reloads the tree
        bool ShowBottomPanel = false;
        bool ShowLocationPanel = false;
    };
    struct TNode {
        int ItemId = 0;  // below 0: a new folder not yet written
        int ParentItemId = 0;
        int ItemType = 0;
        int LinkedItemId = 0;
        std::string Name;
        bool IsFolder = false;
        int Order = 0;  // the place among its siblings
    };
    // Answers a question with Yes (true) or No.
    using TAsk = std::function<bool(const std::string& question)>;

    // What a view is told while the tree changes; rows count among the
    // children of the parent, the tree root's children being the top rows.
    class TObserver {
    public:
        virtual ~TObserver() = default;
        virtual void BeginReset() = 0;
        virtual void EndReset() = 0;
        virtual void BeginInsert(int parentItemId, int row) = 0;
        virtual void EndInsert() = 0;
        virtual void BeginRemove(int parentItemId, int row) = 0;
        virtual void EndRemove() = 0;
        virtual void BeginMove(int fromParentItemId, int fromRow, int toParentItemId, int toRow) = 0;
        virtual void EndMove() = 0;
        virtual void NodeChanged(int itemId) = 0;
    };

    // The stories list: items under item 10, new items of type 3002.
    static TSettings Stories();

    TFrameTreeDataEditorModel(const TSiteModelContext& context, TSettings settings);
    virtual ~TFrameTreeDataEditorModel();
    TFrameTreeDataEditorModel(const TFrameTreeDataEditorModel&) = delete;
    TFrameTreeDataEditorModel& operator=(const TFrameTreeDataEditorModel&) = delete;

    const TSettings& Settings() const { return settings_; }
    void SetObserver(TObserver* observer) { observer_ = observer; }
    // Reads the tree; drops every unsaved change.
    void Load();
    // Reads the tree again (others may have changed it) and makes the
    // unsaved changes on it anew; a change whose items are gone is dropped,
    // and so are the changes undone before.
    void Reload();

    // The children of a node (of the tree root for the top), in their order.
    std::vector<TNode> Children(int parentItemId) const;
    const std::vector<int>& ChildIds(int parentItemId) const;
    const TNode* Find(int itemId) const;
    // The node's row among its siblings; -1 for an id not in the tree.
    int RowOf(int itemId) const;

    // Edit and Delete need a selected item node.
    bool CanEdit(int selectedId) const;
    // The actions queued in the main editor (with the editor check).
    std::string EditAction(int itemId) const;
    std::string AddAction(int selectedId) const;
    std::string LocateAction(int selectedId) const;
    static std::string ClearLocateAction() { return "Action=LocateOnWebTree&ItemId=0"; }

    // Deletes the selected items (asking as the frame asks); the errors to show.
    std::vector<std::string> Delete(const std::vector<int>& ids, const TAsk& ask);
    // A caption edited in place; false (nothing changes) for the same or a blank caption.
    bool Rename(int itemId, const std::string& name);
    // Whether Dragged may be dropped onto Target.
    bool CanDrop(int targetId, int draggedId) const;
    // Moves every item that may go under Target; false when none could.
    bool Move(const std::vector<int>& ids, int targetId);
    // A new folder beside the selected item (under the root without one); its temporary id.
    int NewFolder(int selectedId);
    // A new item of the type under the parent, written by the save as a new
    // folder is; its temporary id, 0 when the parent is not in the tree.
    int NewItem(int parentItemId, int itemType, const std::string& caption);

    QUndoStack& UndoStack() { return undoStack_; }
    bool CanUndo() const { return undoStack_.canUndo(); }
    void Undo() { undoStack_.undo(); }
    bool IsModified() const { return !undoStack_.isClean(); }
    // Writes the changes on the stack in order; the errors of items the
    // catalog would not delete. The stack stays as it is until the next
    // Load (once the save is committed), so that a save that failed and was
    // rolled back writes them all again.
    std::vector<std::string> Store();
    // The items whose nodes elsewhere (the web tree) show what the last
    // Store changed: the parents that lost or gained children, the renamed.
    const std::vector<int>& StoredItemIds() const { return storedIds_; }

protected:
    // Called before a rename is recorded.
    virtual void NodeRenamed(int /*itemId*/, const std::string& /*name*/) {}
    // Called by Store after it wrote an item's name (a rename, a new item
    // or folder), with the item id written (a link's original).
    virtual void NameWritten(int /*itemId*/, const std::string& /*name*/) {}
    // Writes the deletion of the item (with what is below it); false when
    // the catalog refuses it.
    virtual bool WriteDelete(int itemId);
    // Records the deletion of the nodes (with their subtrees) as one command,
    // for descendants that decide about deletions themselves; false when
    // none of them is in the tree.
    bool PushDelete(const std::vector<int>& ids);

private:
    class TCommand;
    class TDeleteCommand;
    class TRenameCommand;
    class TMoveCommand;
    class TNewFolderCommand;
    struct TChange;
    struct TStoreRun;

    void ReadTree();
    // Pushes the command for a change made on the tree as it is now;
    // false when none of its items is there.
    bool Push(const TChange& change);

    // The tree's own edits, each told to the observer.
    void InsertSubtree(const std::vector<TNode>& nodes);
    std::vector<TNode> RemoveSubtree(int itemId);
    void MoveNode(int itemId, int parentItemId);
    void SetName(int itemId, const std::string& name);
    int InsertionRow(int parentItemId, int order) const;

    bool HasChildren(int itemId) const;
    bool IsBelow(int itemId, int ancestorId) const;
    std::string Text(const std::string& text, const std::string& arg = std::string()) const;
    void WriteMove(int itemId, int parentItemId);

    TSiteModelContext context_;
    TSettings settings_;
    TObserver* observer_ = nullptr;
    std::unordered_map<int, TNode> nodes_;
    std::unordered_map<int, std::vector<int>> children_;
    QUndoStack undoStack_;
    std::vector<int> storedIds_;
    int nextTemporaryId_ = -1;
    int nextOrder_ = 0;
};
