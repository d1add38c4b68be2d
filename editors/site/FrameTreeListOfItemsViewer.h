#pragma once
// A tree data frame configured entirely by the catalog definition's values
// under its UI editor's plug-in name (see TFrameTreeListOfItemsViewerModel).
#include "editors/site/lists/FrameTreeDataEditor.h"

class TFrameTreeListOfItemsViewer : public TFrameTreeDataEditor {
public:
    explicit TFrameTreeListOfItemsViewer(TFrameSite& site);

protected:
    TFrameTreeDataEditorModel::TSettings Settings() override;
};
