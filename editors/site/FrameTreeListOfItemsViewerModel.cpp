#include "editors/site/lists/FrameTreeListOfItemsViewerModel.h"

#include <cstdlib>

TFrameTreeDataEditorModel::TSettings TFrameTreeListOfItemsViewerModel::SettingsFrom(const TLookup& value)
{
    TSettings settings;
    auto text = [&](const char* key, const std::string& fallback) {
        const std::string found = value(key);
        return found.empty() ? fallback : found;
    };
    settings.DeleteQuestion = text("DeleteQuestion", "Do you really want to the item \"$1\"?");
    settings.LocateSettingName = text("LocateSettingsName", "LocateOnWebTree");
    settings.TreeRoot = std::atoi(value("TreeRoot").c_str());
    settings.NewItemType = std::atoi(value("TreeItemType").c_str());
    settings.WatchedKind = settings.NewItemType;
    settings.FolderItemType = std::atoi(text("FolderItemType", "2").c_str());
    settings.NewFolderCaption = text("NewFolderString", settings.NewFolderCaption);
    settings.ShowBottomPanel = value("DataBottom") == "yes";
    settings.ShowLocationPanel = value("DataLocation") == "yes";
    settings.CancelAction = value("OnCancel");
    return settings;
}
