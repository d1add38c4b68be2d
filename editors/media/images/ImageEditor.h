#pragma once
// The image dialog (the UI editor "CommonImage" of dialog item type 202):
// one tab a way to get the picture, "Image From Disk", "Image From
// Database" (left out with "DontShowDatabaseList") and "Image From
// Internet". Only the tab shown when OK is pressed stores; its answers go
// into the caller's parameter list (see TImageInsertModel).
#include "editors/framework/TolvexUIEditor.h"

class TImageEditor : public TTolvexUIEditor {
public:
    TImageEditor(std::string name, std::string params);

    void CreatePages() override;
    // 550 wide at the least, as high as the main window but at least 400.
    void GetPreferredSize(int& width, int& height) const override;
};
