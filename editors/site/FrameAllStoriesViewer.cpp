#include "editors/site/lists/FrameAllStoriesViewer.h"

TFrameAllStoriesViewer::TFrameAllStoriesViewer(TFrameSite& site) : TFrameTreeDataEditor(site)
{
    setObjectName("TFrameAllStoriesViewer");
}

TFrameTreeDataEditorModel::TSettings TFrameAllStoriesViewer::Settings() { return TFrameTreeDataEditorModel::Stories(); }
