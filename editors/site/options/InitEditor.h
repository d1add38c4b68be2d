#pragma once
// The initial settings editor: its one frame shown alone, without tabs, in
// a window of a fixed preferred size.
#include "editors/site/SiteTabsEditor.h"

class TInitEditor : public TSiteTabsEditor {
public:
    TInitEditor(std::string name, std::string params);

    void GetPreferredSize(int& width, int& height) const override;
};
