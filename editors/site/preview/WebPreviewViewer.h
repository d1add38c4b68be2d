#pragma once
// The UI editor of an item's "Preview" tab ("CommonWebPreview"): one tab,
// "WebPreviewViewer-preview", showing TFrameWebPreview, which may also
// stand alone without tabs. Before the tab shows, every editor of the item
// stores its controls into the item's objects, so that the page generated
// for the preview holds what the user typed and has not saved yet.
#include "editors/framework/TolvexUIEditor.h"

class TWebPreviewViewer : public TTolvexUIEditor {
public:
    static constexpr const char* kPreviewTab = "WebPreviewViewer-preview";

    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
    bool IsSingleFrame() const override { return true; }
    void TabActivated() override;
};
