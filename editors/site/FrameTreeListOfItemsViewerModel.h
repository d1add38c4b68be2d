#pragma once
// TFrameTreeListOfItemsViewerModel: a tree data frame configured entirely by
// the catalog definition's values under the UI editor's plug-in name
// ("TreeRoot", "TreeItemType", "FolderItemType", "NewFolderString",
// "DeleteQuestion", "LocateSettingsName", "DataBottom", "DataLocation",
// "OnCancel"; "ListItemsTabName" captions its tab).
#include "editors/site/lists/FrameTreeDataEditorModel.h"

#include <functional>

class TFrameTreeListOfItemsViewerModel : public TFrameTreeDataEditorModel {
public:
    // The definition value of a key under the plug-in name; empty when there is none.
    using TLookup = std::function<std::string(const std::string& key)>;

    static TSettings SettingsFrom(const TLookup& value);

    TFrameTreeListOfItemsViewerModel(const TSiteModelContext& context, const TLookup& value)
        : TFrameTreeDataEditorModel(context, SettingsFrom(value))
    {
    }
};
