#pragma once
// The frame of the product's essentials alone (frame plug-in
// "ProductSimplifiedEditor", tab "Product Info"): code, name, description,
// the retail price captioned "Price (schedule)", and the main picture with
// its thumbnail as the "Main Image" tab edits them (the main picture shown
// at its own size, shrunk only).
#include "editors/business/products/ProductFrameBase.h"

class TProductImagesPanel;
class TRetailPriceControls;

class TFrameSimpliestProductProperties : public TProductFrameBase {
public:
    explicit TFrameSimpliestProductProperties(TFrameSite& site);

protected:
    void AddRows(QFormLayout& form) override;
    void AddBelow(QWidget& frame) override;
    void LoadRows() override;
    void StoreRows() override;
    std::string ValidateRows(QWidget*& invalid) override;

private:
    TRetailPriceControls* price_ = nullptr;
    TProductImagesPanel* pictures_ = nullptr;
};
