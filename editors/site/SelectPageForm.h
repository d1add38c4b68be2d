#pragma once
// The state and rules of the page picker without its widgets: what it
// reads from the opened editor's parameters (caption, caption panel, tree
// root and options), the caption that follows the selected page until the
// user types one, the search messages, and the answers it writes on OK.
#include "editors/site/html/dialogs/DialogParams.h"

#include <cstdint>
#include <string>

class TSelectPageForm {
public:
    // Reads "Caption", "ShowCaptionPanel", "InitCaption", "RootItemId",
    // "SelectOnlyItemTypes", "AllowItemType", "ShowAllItems",
    // "ExpandFirstLevel" and "TreeCaption".
    void Init(const TDialogParams& params);

    // A node was selected: its text becomes the caption while the user has
    // not typed one. True when the caption changed.
    bool NodeSelected(const std::string& nodeText);
    void CaptionTyped(const std::string& caption);

    // The error shown when "Go" finds nothing further (catalog type 12
    // speaks of items).
    static std::string NotFoundMessage(int catalogType);

    // The selected page, with the file name its link addresses.
    struct TPage {
        int ItemId = 0;
        int ItemType = 0;
        std::string Name;
        std::string FileName;
    };
    // Writes the page's answers; nothing when no page item is selected.
    void Save(const TPage& page, TDialogParams& params) const;

    std::string DialogCaption = "Select Page";
    std::string TreeCaption = "All Pages";
    bool ShowCaptionPanel = false;
    bool CaptionEdited = false;
    std::string Caption;
    std::string Title;
    bool NewWindow = false;
    int RootItemId = 1;
    std::uint16_t TreeOptions = 0;
    std::string SelectOnlyItemTypes;
};
