#pragma once
// The "Product Info" tab in the advanced mode: code, name and description,
// and, outside catalog type 12 (where shipping has a tab of its own), the
// product's shipping data.
#include "editors/business/products/ProductFrameBase.h"

class TProductShippingControls;
class TProductShippingModel;

class TFrameProductBasicEditor : public TProductFrameBase {
public:
    explicit TFrameProductBasicEditor(TFrameSite& site);
    ~TFrameProductBasicEditor() override;

protected:
    void AddBelow(QWidget& frame) override;
    void LoadRows() override;
    void StoreRows() override;

private:
    TProductShippingControls* shipping_ = nullptr;
    std::unique_ptr<TProductShippingModel> shippingModel_;
};
