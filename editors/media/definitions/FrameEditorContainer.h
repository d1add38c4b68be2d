#pragma once
// A frame that shows, on its panel, a second item editor of the same item
// with the editors of one editor type, configured by the catalog
// definition: the frame is registered as "EditorContainer*" and reads the
// editor type from the key value "EditorType" of the editor name it is
// opened under (none, or 0: the panel stays empty). The nested editor
// shares the item's editing context, so it is saved and cancelled with it.
#include "editors/framework/TolvexFrameViewer.h"
#include "editors/site/page/FrameWebPageContainer.h"

#include <QWidget>

class TFrameSite;

class TFrameEditorContainer : public QWidget, private TNestedEditorPanelHolder, public TTolvexFrameViewer {
public:
    explicit TFrameEditorContainer(TFrameSite& site);
    ~TFrameEditorContainer() override;

    void InitControls() override;
    // The editor type read from the definition; 0 for none.
    int EditorType() const { return editorType_; }

private:
    int editorType_ = 0;
};
