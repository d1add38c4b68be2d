#include "editors/business/products/FrameListProductsEditor.h"

#include "editors/business/BusinessIds.h"

TFrameListProductsEditor::TFrameListProductsEditor(TFrameSite& site) : TFrameTreeDataEditor(site)
{
    setObjectName("TFrameListProductsEditor");
}

TFrameTreeDataEditorModel::TSettings TFrameListProductsEditor::ProductSettings()
{
    TFrameTreeDataEditorModel::TSettings settings;
    settings.TreeRoot = business_ids::kProductsRoot;
    settings.NewItemType = business_ids::kProductType;
    settings.DeleteQuestion = "Do you really want to delete \"$1\" product?";
    settings.LocateSettingName = "LocateProductOnWebTree";
    settings.ShowBottomPanel = true;
    settings.ShowLocationPanel = true;
    settings.CancelAction = "Action=MainPageEditor&ItemType=" + std::to_string(business_ids::kProductsRoot);
    settings.RightEditorKind = 101;
    settings.MultiSelect = true;
    return settings;
}
