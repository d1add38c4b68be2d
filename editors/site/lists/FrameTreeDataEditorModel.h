#pragma once
// TFrameTreeDataEditorModel: what a tree data frame decides, without the
// tree view: the items under a fixed root (with folders) as the frame shows
// them, the actions that open or add an item in the main editor, and the
// deletions, renames, moves and new folders the user makes. Those four are
// recorded, shown at once in the model's tree, each undoable until the save,
// and written on the editing connection only by Store; a cancel drops the
// model and the catalog is as it was.
//
// The stories list is one configuration (Stories); the tree lists that a
// catalog definition describes are another (TFrameTreeListOfItemsViewerModel).
#include "editors/site/SiteModelContext.h"

#include <functional>
#include <string>
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
    };
    // Answers a question with Yes (true) or No.
    using TAsk = std::function<bool(const std::string& question)>;

    // The stories list: items under item 10, new items of type 3002.
    static TSettings Stories();

    TFrameTreeDataEditorModel(const TSiteModelContext& context, TSettings settings);
    virtual ~TFrameTreeDataEditorModel() = default;

    const TSettings& Settings() const { return settings_; }
    // Reads the tree; drops every unsaved change.
    void Load();
    // Reads the tree again (others may have changed it) and applies the
    // unsaved changes to it anew; a change whose items are gone is dropped.
    void Reload();
    // Every node, parents before their children.
    const std::vector<TNode>& Nodes() const { return nodes_; }
    std::vector<TNode> Children(int parentItemId) const;
    const TNode* Find(int itemId) const;

    // Edit and Delete need a selected item node.
    bool CanEdit(int selectedId) const;
    // The actions queued in the main editor (with the editor check).
    std::string EditAction(int itemId) const;
    std::string AddAction(int selectedId) const;
    std::string LocateAction(int selectedId) const;
    static std::string ClearLocateAction() { return "Action=LocateOnWebTree&ItemId=0"; }

    // Deletes the selected items (asking as the frame asks); the errors to show.
    std::vector<std::string> Delete(const std::vector<int>& ids, const TAsk& ask);
    // A caption edited in place.
    void Rename(int itemId, const std::string& name);
    // Whether Dragged may be dropped onto Target.
    bool CanDrop(int targetId, int draggedId) const;
    // Moves every item that may go under Target; false when none could.
    bool Move(const std::vector<int>& ids, int targetId);
    // A new folder beside the selected item (under the root without one); its temporary id.
    int NewFolder(int selectedId);

    bool CanUndo() const { return !operations_.empty(); }
    void Undo();
    bool IsModified() const { return !operations_.empty(); }
    // Writes the recorded operations in order; the errors of items the
    // catalog would not delete. The operations stay recorded until the next
    // Load (once the save is committed), so that a save that failed and was
    // rolled back writes them all again.
    std::vector<std::string> Store();
    // The items whose nodes elsewhere (the web tree) show what the last
    // Store changed: the parents that lost or gained children, the renamed.
    const std::vector<int>& StoredItemIds() const { return storedIds_; }

protected:
    // Called before a rename is recorded.
    virtual void NodeRenamed(int /*itemId*/, const std::string& /*name*/) {}

private:
    enum class TKind { Delete, Rename, Move, NewFolder };
    struct TOperation {
        TKind Kind;
        std::vector<int> Ids;
        int ParentItemId = 0;
        std::string Name;
        int ItemType = 0;
        std::vector<TNode> Before;  // the tree before the operation
    };

    void ReadTree();
    // Changes the shown tree as the operation says; false when none of its items is there.
    bool Apply(const TOperation& operation);
    bool HasChildren(int itemId) const;
    bool IsBelow(int itemId, int ancestorId) const;
    void RemoveSubtree(int itemId);
    std::string Text(const std::string& text, const std::string& arg = std::string()) const;
    bool WriteDelete(int itemId);
    void WriteMove(int itemId, int parentItemId);

    TSiteModelContext context_;
    TSettings settings_;
    std::vector<TNode> nodes_;
    std::vector<TOperation> operations_;
    std::vector<int> storedIds_;
    int nextTemporaryId_ = -1;
};
