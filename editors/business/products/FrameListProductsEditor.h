#pragma once
// The product list ("All Products"): the products under item 11 with their
// folders, several selectable at once; Add starts a new product in the main
// editor, Edit opens the selected one, and the right-hand side shows the
// selected product's summary (editor kind 101).
#include "editors/site/lists/FrameTreeDataEditor.h"

class TFrameListProductsEditor : public TFrameTreeDataEditor {
public:
    explicit TFrameListProductsEditor(TFrameSite& site);

    // The list's configuration of the tree data frame.
    static TFrameTreeDataEditorModel::TSettings ProductSettings();

protected:
    TFrameTreeDataEditorModel::TSettings Settings() override { return ProductSettings(); }
};
