#pragma once
// The operations of a tree manager: one tree bound to the Items table of a
// catalog, loaded level by level, with its editing, locating and searching
// operations. TTreeManager implements every one.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TTreeNode;

// How an item node is drawn (TAbstractTreeManager::CustomDrawItem). Colours
// are 0xRRGGBB; no value keeps the view's default.
struct TNodeStyle {
    std::optional<std::uint32_t> FontColor;
    std::optional<std::uint32_t> Background;
    bool StrikeOut = false;
    bool Bold = false;
    // The background stands for the view's button-face colour (a placement
    // of the located item).
    bool ButtonFace = false;
};

class TAbstractTreeManager {
public:
    virtual ~TAbstractTreeManager() = default;

    // ---- loading and display -------------------------------------------------------
    virtual void Clear() = 0;
    virtual void LoadChildren(int parentItemId, TTreeNode* parentNode, TAbstractDBConnection& connection) = 0;
    virtual void Setup(int rootItemId, std::uint16_t options, int initialItemId,
                       const std::vector<std::string>* parameters) = 0;
    virtual void Expanding(TTreeNode* node) = 0;
    virtual void Collapsed(TTreeNode* node) = 0;
    virtual TNodeStyle CustomDrawItem(TTreeNode* node, bool drawnSelected) = 0;
    virtual void RefreshNode(TTreeNode* node, TAbstractDBConnection* connection) = 0;
    virtual bool RefreshItem(int itemId, TAbstractDBConnection& connection) = 0;
    virtual bool RefreshItemNodes(int itemId, TAbstractDBConnection& connection) = 0;
    virtual void InvalidateAll() = 0;
    virtual void UpdateSelectedCaption(int itemId, TAbstractDBConnection& connection) = 0;
    virtual void SortChildren(TTreeNode* node) = 0;
    virtual void Reload(TAbstractDBConnection* connection) = 0;
    virtual void SetLangCode(const std::string& langCode) = 0;
    virtual TAbstractDBConnection& GetConnection() = 0;
    virtual int GetRootItemId() const = 0;
    virtual TTreeNode* GetSelectedNode() const = 0;
    virtual int SetCurrentNode(TTreeNode* node) = 0;
    virtual int GetCurrentItemId() const = 0;

    // ---- adding, placing, moving and ordering ----------------------------------------
    virtual void AddNode(int itemId, int itemType, int parentItemId, const std::string& caption,
                         TTreeNode* parentNode, bool editCaption) = 0;
    virtual bool AddNewItemNode(int itemType, int linkedItemId, int parentItemId, bool toAllowedAncestor) = 0;
    virtual bool CreateChildItem(int itemId, int itemType, int linkedItemId, int parentItemId,
                                 bool toAllowedAncestor) = 0;
    virtual bool CreateChildItemInRange(int minId, int maxId, int itemType, int linkedItemId, int parentItemId,
                                        bool toAllowedAncestor) = 0;
    virtual bool CanAddChild(int itemType, bool searchAncestors) = 0;
    virtual bool CanAddChildEx(int rangeStart, int rangeEnd, int itemType, int further, bool searchAncestors) = 0;
    virtual bool CanPlaceItem(TTreeNode* node, int itemId, int itemType, bool unused) = 0;
    virtual void DeleteNode(TTreeNode* node) = 0;
    virtual bool MoveUp(TTreeNode* node) = 0;
    virtual bool MoveDown(TTreeNode* node) = 0;
    virtual int CopyItemNode(TTreeNode* node, int newItemId) = 0;
    virtual void ToggleSort(TTreeNode* node) = 0;

    // ---- locating, searching and selection ----------------------------------------------
    virtual void SelectItem(int itemId) = 0;
    virtual void LocateItem(int itemId, const std::vector<int>* path) = 0;
    virtual void LocateOtherPlace(int itemId) = 0;
    virtual bool FindNext(const std::string& text) = 0;
    virtual void MakeSelectedVisible() = 0;
    virtual void GetSelectedItemIds(std::vector<std::string>& list) const = 0;
};
