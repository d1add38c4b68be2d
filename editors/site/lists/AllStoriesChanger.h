#pragma once
// The "All Stories" tab among a story's tabs: it has no frame of its own;
// choosing it leaves the story (asking to save its changes) for the stories
// list in the main editor, or goes back to the previous tab when the user
// stays. It is never a start tab.
#include "editors/framework/TolvexUIEditor.h"

class TAllStoriesChanger : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;

    void CreatePages() override;
    void TabActivated() override;
    bool SelectTab(const std::string& /*tabName*/) override { return false; }
};
