#pragma once
// The rules of the GUI controller that need no window: whether a UI
// element's condition holds, the widths of the status bar's panels, the
// height share of the web tree, where a "before" menu element goes, and the
// language code of a language menu entry.
#include <string>
#include <vector>

class TItemDescription;

namespace GuiControlRules {

// What the tree-button rules need to know of a node: its description, its
// parent's (null when the parent is no item node or there is none), its
// previous sibling's (null when that is no item node or there is none).
struct TTreeNodeFacts {
    const TItemDescription* Node = nullptr;
    const TItemDescription* Parent = nullptr;
    const TItemDescription* Previous = nullptr;
    bool HasParent = false;
    bool HasChildren = false;
    bool IsFirst = true;
    bool IsLast = true;
};

// The web tree's Delete, Move Up, Move Down and Sort for a node.
struct TWebTreeButtons {
    bool DeleteEnabled = false;
    bool MoveShown = false;
    bool MoveUpEnabled = false;
    bool MoveDownEnabled = false;
    std::string MoveUpHint = "Move Up";
    std::string MoveDownHint = "Move Down";
    bool SortShown = false;
    bool SortPressed = false;
};
TWebTreeButtons WebTreeButtons(const TTreeNodeFacts& facts);

// The web tree's pop-up items for a node.
struct TWebTreePopup {
    bool DeletePage = false;
    bool MovePageUp = false;
    bool MovePageDown = false;
    bool Sort = false;
};
TWebTreePopup WebTreePopup(const TTreeNodeFacts& facts);

// An element's condition: fields split like an action string, every one
// must hold. "ItemId=" fields hold when their comma-separated list contains
// the node's item id (0 without a node; malformed entries read as 0);
// "CatalogCode=" fields when their list contains the open catalog's code
// exactly (empty while none is open); every other field holds.
bool CheckCondition(const std::string& condition, const int* nodeItemId, const std::string& catalogCode);

// Panel widths of a status bar Width pixels wide: the last panel 110; with
// two panels the first gets the rest; with more, the first gets two thirds
// of the rest and the ones between share one third.
std::vector<int> StatusPanelWidths(int barWidth, int panelCount);

// Height of the web-tree panel: (left pane height - toolbar dock height -
// splitter height) x Share, halves rounded to even.
int WebTreePanelHeight(int leftPaneHeight, int dockHeight, int splitterHeight, double share);

// Where a menu element placed "before" goes among a menu's entries, given
// which of them are dynamic: before the first built-in entry, after the
// dynamic ones placed there before; at the end when all are dynamic.
int BeforePlacementIndex(const std::vector<bool>& entryIsDynamic);

// The help aliases for context help, the first with a topic to be shown:
// "<parent>.<control>" (the control that had the focus, with its parent's
// name; nothing when the parent has none), then, with an item editor's help
// keyword, "<keyword>.<control>", "<keyword>" and the keyword's part after
// its first ".". Names may be empty (a control without a name, no control,
// no keyword).
std::vector<std::string> ContextHelpAliases(const std::string& controlName, const std::string& parentName,
                                            bool hasControl, const std::string& editorKeyword);

// Language code of a language menu entry: the text after the action
// string's last "=", at most 8 characters (the whole string without "=").
std::string LanguageCodeOfMenuEntry(const std::string& actionString);

}  // namespace GuiControlRules
