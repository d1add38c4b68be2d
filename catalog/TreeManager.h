#pragma once
// Binds one tree to the Items table of one catalog. Children are read only
// when a node is expanded (one statement per level delivers names, child
// counts and visibility), captions are the names in the caption language,
// siblings are ordered by order number and then by caption, and the nodes
// are kept in step with the database after edits. The tree lives in memory
// (TTreeNode); a view follows it through TTreeManagerObserver and routes
// its expand, collapse and selection events back here.
//
// Writes go through the connection the manager was attached to. Several
// statements that belong together run as one TUnitOfWorkScope: on a main
// connection they are committed together, inside a caller's unit of work
// they stay part of it, so that reordering never commits another unit's
// unsaved edits. Every walk over the database is bounded against loops.
#include "catalog/AbstractTreeManager.h"
#include "catalog/TreeNode.h"

#include <memory>
#include <string>
#include <vector>

class TTreeManagerHost;
class TTreeManagerObserver;
class TVariant;

// Options of TTreeManager::Setup.
enum TTreeOptions : std::uint16_t {
    toSelectInitial = 0x0001,      // after a reload, select the initial item
    toExpandFirst = 0x0002,        // after a reload, expand the first top-level node
    toExpandAll = 0x0004,          // after a reload, expand the whole tree
    toExpandTopLevel = 0x0008,     // after a reload, expand every top-level node
    toEditNewCaption = 0x0020,     // a node added by an edit goes into caption editing
    toHideEmptyFolders = 0x0040,   // folders (type 2) without children are left out
    toPageTypesOnly = 0x0080,      // only item types with a non-zero flag word
    toDefaultLanguage = 0x0100,    // captions in the default language
    toDataItemsOnly = 0x0200,      // only data items (ItemId = LinkedItemId)
    toNoNameFallback = 0x0400,     // no fall-back to the default-language name
    toTemplateFolders = 0x0800,    // each folder's default template is drawn bold
    toNoUnpublishedColor = 0x1000, // unpublished items are not drawn red
    toAllowedTypesOnly = 0x2000,   // only the "AllowItemType" parameters' types
    toGlobalIdNames = 0x4000,      // an unnamed item shows its global id's tag name
    toMultiSelect = 0x8000,        // several nodes may be selected
};

// Drawing colours (0xRRGGBB).
inline constexpr std::uint32_t kUnpublishedColor = 0xFF0000;
inline constexpr std::uint32_t kWarningBackground = 0xFFFFE8;
inline constexpr std::uint32_t kErrorBackground = 0xFFE8E8;

class TTreeManager : public TAbstractTreeManager {
public:
    explicit TTreeManager(TTreeManagerHost& host);
    ~TTreeManager() override;
    TTreeManager(const TTreeManager&) = delete;
    TTreeManager& operator=(const TTreeManager&) = delete;

    // Binds the manager; called before Setup. An empty caption language
    // follows the option rule (see CaptionLanguage).
    void Attach(TAbstractDBConnection& connection, const std::string& captionLangCode,
                const std::string& catalogCode);
    // The view that follows the tree; null for none. Not owned.
    void SetObserver(TTreeManagerObserver* observer) { observer_ = observer; }
    // The invisible root whose children are the top-level nodes.
    TTreeNode& Root() { return root_; }
    std::uint16_t GetOptions() const { return options_; }
    int GetLocatedItemId() const { return locatedItemId_; }
    // Replaces the hidden item types; whether the list is not empty.
    bool SetHiddenItemTypes(const std::vector<int>& itemTypes);
    // The catalog's current data language.
    std::string GetLangCode();
    // The language of captions: the fixed one, else with toDefaultLanguage
    // the default language, else the current data language.
    std::string CaptionLanguage();
    // Selects the node alone (null clears the selection); with multiple
    // selection, Add keeps the other selected nodes.
    void SetSelected(TTreeNode* node, bool add = false);
    // Expands a node whose children are not shown (loading them); nothing
    // for a node that is expanded or has no children.
    void Expand(TTreeNode* node);
    void Collapse(TTreeNode* node);

    // ---- TAbstractTreeManager: loading and display (TreeManager.cpp) ------------------
    void Clear() override;
    void LoadChildren(int parentItemId, TTreeNode* parentNode, TAbstractDBConnection& connection) override;
    void Setup(int rootItemId, std::uint16_t options, int initialItemId,
               const std::vector<std::string>* parameters) override;
    void Expanding(TTreeNode* node) override;
    void Collapsed(TTreeNode* node) override;
    TNodeStyle CustomDrawItem(TTreeNode* node, bool drawnSelected) override;
    void RefreshNode(TTreeNode* node, TAbstractDBConnection* connection) override;
    bool RefreshItem(int itemId, TAbstractDBConnection& connection) override;
    bool RefreshItemNodes(int itemId, TAbstractDBConnection& connection) override;
    void InvalidateAll() override;
    void UpdateSelectedCaption(int itemId, TAbstractDBConnection& connection) override;
    void SortChildren(TTreeNode* node) override;
    void Reload(TAbstractDBConnection* connection) override;
    void SetLangCode(const std::string& langCode) override { captionLang_ = langCode; }
    TAbstractDBConnection& GetConnection() override;
    int GetRootItemId() const override { return rootItemId_; }
    TTreeNode* GetSelectedNode() const override;
    int SetCurrentNode(TTreeNode* node) override;
    int GetCurrentItemId() const override;

    // ---- adding, placing, moving and ordering (TreeManagerEdit.cpp) ------------------
    void AddNode(int itemId, int itemType, int parentItemId, const std::string& caption, TTreeNode* parentNode,
                 bool editCaption) override;
    bool AddNewItemNode(int itemType, int linkedItemId, int parentItemId, bool toAllowedAncestor) override;
    bool CreateChildItem(int itemId, int itemType, int linkedItemId, int parentItemId,
                         bool toAllowedAncestor) override;
    bool CreateChildItemInRange(int minId, int maxId, int itemType, int linkedItemId, int parentItemId,
                                bool toAllowedAncestor) override;
    bool CanAddChild(int itemType, bool searchAncestors) override;
    bool CanAddChildEx(int rangeStart, int rangeEnd, int itemType, int further, bool searchAncestors) override;
    bool CanPlaceItem(TTreeNode* node, int itemId, int itemType, bool unused = false) override;
    // A further placement of the item under the node.
    void LinkItemUnderNode(TTreeNode* node, int itemId, int itemType, const std::string& caption);
    // Moves the source's item under the target's item (drag and drop);
    // false, changing nothing, when the target may not take it (its own
    // descendant among them).
    bool MoveNode(TTreeNode* target, TTreeNode* source);
    // False, changing nothing, when the new parent is the item itself or
    // lies below it in the database.
    bool MoveItemInDatabase(int itemId, int newParentItemId);
    bool MoveUp(TTreeNode* node) override;
    bool MoveDown(TTreeNode* node) override;
    void ToggleSort(TTreeNode* node) override;
    // Numbers the loaded ordered (unordered) children 100, 200, ...; writes
    // the numbers when Write is set.
    void RenumberOrderedChildren(TTreeNode* node, bool write);
    void NumberUnorderedChildren(TTreeNode* node, bool write);
    int CopyItemNode(TTreeNode* node, int newItemId) override;
    void DeleteNode(TTreeNode* node) override;
    void ForceRepublish(TTreeNode* node);

    // ---- locating, searching and selection (TreeManagerLocate.cpp) ---------------------
    void SelectItem(int itemId) override;
    void LocateItem(int itemId, const std::vector<int>* path) override;
    void LocateOtherPlace(int itemId) override;
    bool FindNext(const std::string& text) override;
    void SelectChildNode(TTreeNode* parentNode, int itemId, bool editCaption);
    void RevealChild(TTreeNode* parentNode, int itemId);
    void GetSelectedItemIds(std::vector<std::string>& list) const override;
    void MakeSelectedVisible() override;

    // Every node in view order (depth first over the loaded nodes).
    std::vector<TTreeNode*> AllNodes() const;

private:
    // One row of the children or node statement.
    struct TRow {
        int ItemId = 0;
        int ItemType = 0;
        int ParentItemId = 0;
        int LinkedItemId = 0;
        int OrderNum = 0;
        bool DontDelete = false;
        bool DontSort = false;
        bool Published = false;
        std::string ExpandedImageCode;
        std::string CollapsedImageCode;
        int UserPriority = 0;
        std::string NodeName;
        int NumChilds = 0;
        bool NotVisible = false;
    };

    // ---- loading
    std::string ChildrenSql(int parentItemId) const;
    std::string ItemSql(int itemId) const;
    std::vector<TRow> ReadRows(TAbstractDBConnection& connection, const std::string& sql);
    void FillData(TItemDescription& data, const TRow& row) const;
    std::string CaptionOf(const TRow& row, TAbstractDBConnection& connection, bool tryGlobalName);
    void SetNodeImages(TTreeNode& node);
    TTreeNode* AppendChild(TTreeNode* parent, std::unique_ptr<TTreeNode> node);
    void AddPlaceholder(TTreeNode* parent);
    void RemoveChildren(TTreeNode* node);
    void RemoveChild(TTreeNode* parent, int index);
    void ExpandAll(TTreeNode* node);
    // Sorts the loaded children without expanding the node.
    void SortLoaded(TTreeNode* node);
    // Reads the children of the node again and shows them.
    void RereadChildren(TTreeNode* node);
    // Shows every ancestor of the node expanded and scrolls to it.
    void RevealNode(TTreeNode* node);
    static bool NodeLess(const TTreeNode& a, const TTreeNode& b);
    bool InScope(TTreeNode* node) const;
    TTreeNode* Parent(TTreeNode* node) { return node && node->Parent != &root_ ? node->Parent : nullptr; }

    // ---- editing
    TTreeNode* FindParentForNew(int itemType, int& parentItemId, int linkedItemId, bool toAllowedAncestor);
    bool CreateChild(int itemId, int minId, int maxId, bool inRange, int itemType, int linkedItemId,
                     int parentItemId, bool toAllowedAncestor);
    void AddCreatedNode(TTreeNode* parentNode, std::unique_ptr<TItemDescription> data);
    void WriteOrderNum(int itemId, int orderNum, bool touch);
    void MoveChild(TTreeNode* parent, int from, int to);

    // ---- locating
    TTreeNode* FindLoaded(int itemId, TTreeNode* from = nullptr) const;
    TTreeNode* FindAmongSiblings(TTreeNode* first, int itemId) const;
    // One step of the name search below the last entry of Path; IntoStart
    // searches the subtree of the node the step starts from.
    bool SearchBelow(const std::string& text, std::vector<int>& path, int depth, bool intoStart);
    void SelectPath(const std::vector<int>& path);

    TTreeManagerHost& host_;
    TTreeManagerObserver* observer_ = nullptr;
    TTreeNode root_;
    int rootItemId_ = 0;
    int initialItemId_ = 0;
    std::uint16_t options_ = 0;
    std::string catalogCode_;
    std::string captionLang_;
    TAbstractDBConnection* connection_ = nullptr;
    int currentItemId_ = 0;
    std::vector<int> hiddenItemTypes_;
    int locatedItemId_ = 0;
    std::vector<std::string> parameters_;
};
