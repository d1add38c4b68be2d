#pragma once
// The list of all member catalogs ("All Vendors"): the members under item
// 20 with their folders; New starts a new member in the main editor, Edit
// opens the selected one.
#include "editors/site/lists/FrameTreeDataEditor.h"

class TFrameVendorAllListEditor : public TFrameTreeDataEditor {
public:
    explicit TFrameVendorAllListEditor(TFrameSite& site);

    static TFrameTreeDataEditorModel::TSettings VendorSettings();

protected:
    TFrameTreeDataEditorModel::TSettings Settings() override { return VendorSettings(); }
};
