#include "editors/business/network/FrameVendorAllListEditor.h"

#include "publishing/CatalogNetwork.h"

TFrameVendorAllListEditor::TFrameVendorAllListEditor(TFrameSite& site) : TFrameTreeDataEditor(site)
{
    setObjectName("TFrameVendorAllListEditor");
}

TFrameTreeDataEditorModel::TSettings TFrameVendorAllListEditor::VendorSettings()
{
    TFrameTreeDataEditorModel::TSettings settings;
    settings.TreeRoot = catalog_network::kMembersRoot;
    settings.NewItemType = catalog_network::kMemberItemType;
    settings.DeleteQuestion = "Do you really want to delete \"$1\" vendor info?";
    settings.StartCommand = "StartVendor";
    settings.LocateSettingName = "LocateVendorOnWebTree";
    settings.ShowBottomPanel = true;
    settings.ShowLocationPanel = true;
    settings.CancelAction = "Action=MainPageEditor&ItemType=" + std::to_string(catalog_network::kMembersRoot);
    return settings;
}
