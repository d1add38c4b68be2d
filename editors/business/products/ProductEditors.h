#pragma once
// The UI editors of a product whose tabs depend on more than a fixed list.
//
// TProductBasicEditor ("ProductBasicEditor"): the pictures ("Images"); the
// product's data, as "Product Info" alone outside the advanced mode, or
// "Product Info" and "Specs" in it; "Shipping" in catalog type 12; and in the
// advanced mode "Options", "Prices" and "Custom Fields". Opening "Prices"
// first stores every tab of the product into its objects (the options among
// them), so that the prices see them; nothing is written to the database
// before the save.
//
// TProductAllImagesEditor ("ProductAllImagesEditor"): "Main Image", and,
// unless it is opened as "ProductMainProductImagesEditor" (then a single
// frame), "Additional Images" and "Full Size Image".
#include "editors/framework/TolvexUIEditor.h"

class TProductBasicEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;

    static constexpr const char* kPricesTab = "ProductBasicEditor-prices";

    void CreatePages() override;
    void TabActivated() override;
};

class TProductAllImagesEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;

    void CreatePages() override;
    bool IsSingleFrame() const override { return MainImageOnly(); }

private:
    bool MainImageOnly() const { return GetName() == "ProductMainProductImagesEditor"; }
};
