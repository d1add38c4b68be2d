#pragma once
// The main window's commands on the two catalog trees: deleting a page of
// the web tree or a template, sorting and moving pages, adding new items
// where the web tree allows, copying items, placing found items under a
// page, and selecting, locating and refreshing nodes. No widgets: it works
// on the tree managers and the open catalog and asks the user through
// TCommonGui, so every decision is tested without a window.
//
// Changes that span several statements (deleting a page and the item it
// shows) run on a connection of their own and are committed or rolled
// back as a whole; they never commit the unsaved work of the editor.
#include <functional>
#include <string>
#include <vector>

class TCatalogData;
class TCommonGui;
class TTranslation;
class TTreeManager;
class TTreeNode;

class TTreeCommands {
public:
    struct TServices {
        TTreeManager* WebTree = nullptr;        // not owned; null without a web tree
        TTreeManager* TemplatesTree = nullptr;  // not owned; null without a templates tree
        TCatalogData* Data = nullptr;           // the open catalog
        TCommonGui* Gui = nullptr;
        const TTranslation* Translation = nullptr;
        // Whether the item being edited may be left (may ask to save).
        std::function<bool()> CanLeave;
        // Drops the editor's unsaved work; with CancelEditors also that of its editors.
        std::function<void(bool cancelEditors)> CancelEditor;
        // "Create New Item": the chosen item type and ids; false when cancelled.
        std::function<bool(int& itemType, int& firstId, int& lastId)> ChooseItemType;
        std::function<int()> HomePageId;
        // The templates tree's items changed (the template list is read again).
        std::function<void()> TemplatesChanged;
    };

    explicit TTreeCommands(TServices services);

    // ---- web tree ----------------------------------------------------------------
    // Deletes the selected page (and, when the user chooses so, the item it
    // places); true when the node was removed.
    bool DeletePage();
    void ToggleSort();
    bool MoveUp();
    bool MoveDown();
    void ForceRepublish();
    // The ids of an item node, one per line; empty for any other node.
    static std::string NodeInfo(const TTreeNode* node);

    // ---- templates tree ----------------------------------------------------------
    bool DeleteTemplate();
    // Copies the selected template under a new id chosen by the catalog; its id, 0 for none.
    int CopyToNewTemplate();

    // ---- adding items --------------------------------------------------------------
    // Whether an item of the type can be added at the web tree's position
    // (LinkMarker -2: a further placement of a new item of the type).
    bool CanAddNewItem(int itemType, int linkMarker, bool possibleOnly, int rangeStart, int rangeEnd);
    // Adds a new item; item type 0 lets the user choose the type and ids.
    // False when nothing was added.
    bool AddNewItem(int itemType, int linkMarker, bool possibleOnly, int rangeStart, int rangeEnd,
                    int parentItemId);
    // Copies the selected node's item of a tree under the id typed (0: the
    // next free one); the copy's id, 0 for none.
    int CopySelected(bool templatesTree, const std::string& newIdText);

    // ---- placing found items --------------------------------------------------------
    struct TEntry {
        int ItemId = 0;     // the data item to place
        int ItemType = 0;
        std::string Caption;
    };
    // Whether every entry may be placed under the target node.
    bool CanPlace(TTreeNode* target, const std::vector<TEntry>& entries) const;
    // Places each entry the target accepts; the number placed.
    int Place(TTreeNode* target, const std::vector<TEntry>& entries);

    // ---- selecting and refreshing ----------------------------------------------------
    // Selects the web tree's current item again; false when there is none.
    bool SelectLastItem();
    void SelectFirstItem();
    // Shows the other placements of a data item (LocateOnWebTree).
    void LocateOnWebTree(int itemId);
    // Selects a tree item, loading and expanding the levels above it.
    void RevealOnWebTree(int treeItemId);
    // Rebuilds the templates tree on another root.
    void SelectTemplatesRoot(int rootItemId);
    void Refresh(bool templatesTree, int itemId);

    // Display options of a templates tree built on another root.
    static constexpr unsigned kSelectedTreeOptions = 6498;

private:
    std::string Format(const std::string& text, const std::string& arg) const;
    std::string Translate(const std::string& text) const;
    bool MayLeave() const;
    // The name of the further placement's item as the delete question shows it.
    std::string ItemNameForQuestion(const TTreeNode& node);

    TServices s_;
};
