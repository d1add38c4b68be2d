#include "editors/site/lists/FrameTreeListOfItemsViewer.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/lists/DefinitionValues.h"
#include "editors/site/lists/FrameTreeListOfItemsViewerModel.h"

TFrameTreeListOfItemsViewer::TFrameTreeListOfItemsViewer(TFrameSite& site) : TFrameTreeDataEditor(site)
{
    setObjectName("TFrameTreeListOfItemsViewer");
}

TFrameTreeDataEditorModel::TSettings TFrameTreeListOfItemsViewer::Settings()
{
    return TFrameTreeListOfItemsViewerModel::SettingsFrom(
        DefinitionValues(RootObject->Catalog(), GetUIEditor()->GetName()));
}
