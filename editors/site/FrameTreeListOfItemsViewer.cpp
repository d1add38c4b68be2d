#include "editors/site/FrameTreeListOfItemsViewer.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/DefinitionValues.h"
#include "editors/site/FrameTreeListOfItemsViewerModel.h"

TFrameTreeListOfItemsViewer::TFrameTreeListOfItemsViewer(TFrameSite& site) : TFrameTreeDataEditor(site)
{
    setObjectName("TFrameTreeListOfItemsViewer");
}

TFrameTreeDataEditorModel::TSettings TFrameTreeListOfItemsViewer::Settings()
{
    return TFrameTreeListOfItemsViewerModel::SettingsFrom(
        DefinitionValues(RootObject->Catalog(), GetUIEditor()->GetName()));
}
