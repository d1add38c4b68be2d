#include "editors/site/preview/WebPreviewViewer.h"

#include "editors/framework/FrameClass.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/site/preview/FrameWebPreview.h"

namespace {

const TFrameClassOf<TFrameWebPreview> kPreviewFrame("", "TFrameWebPreview");

}  // namespace

void TWebPreviewViewer::CreatePages() { AddTab("Preview", kPreviewTab, &kPreviewFrame); }

void TWebPreviewViewer::TabActivated()
{
    // The item editor writes every frame's values into the objects first;
    // the frame's TabShown then generates the page from them.
    if (GetActiveTabName() == kPreviewTab && GetContainer())
        GetContainer()->FlushOwnerEditor();
    TTolvexUIEditor::TabActivated();
}
