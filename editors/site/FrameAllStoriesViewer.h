#pragma once
// The stories list: the stories under item 10 with their folders; Add
// starts a new story in the main editor, Edit opens the selected one.
#include "editors/site/lists/FrameTreeDataEditor.h"

class TFrameAllStoriesViewer : public TFrameTreeDataEditor {
public:
    explicit TFrameAllStoriesViewer(TFrameSite& site);

protected:
    TFrameTreeDataEditorModel::TSettings Settings() override;
};
