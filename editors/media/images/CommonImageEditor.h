#pragma once
// The UI editor of every editor name containing "CommonImageEditor": one
// tab with TFrameCommonImageEditor, so that a catalog definition gives any
// object's image member a tab without code. Parameters "tabname" and
// "tabcaption" (split at "&", trimmed) name the tab, each "Image" when empty.
#include "editors/framework/TolvexUIEditor.h"

class TCommonImageEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
};
