#pragma once
// The "Product Info" tab outside the advanced mode: the essentials of a
// product (code, name, description), its sizes, weight and keywords, and
// one price: the retail price of the first price schedule with its currency
// and the quantity in stock.
#include "editors/business/products/ProductFrameBase.h"

class TProductSpecsControls;
class TProductSpecsModel;
class TRetailPriceControls;

class TFrameSimpleProductProperties : public TProductFrameBase {
public:
    explicit TFrameSimpleProductProperties(TFrameSite& site);
    ~TFrameSimpleProductProperties() override;

protected:
    void AddRows(QFormLayout& form) override;
    void AddBelow(QWidget& frame) override;
    void LoadRows() override;
    void StoreRows() override;
    std::string ValidateRows(QWidget*& invalid) override;

private:
    TProductSpecsControls* keywords_ = nullptr;
    TProductSpecsControls* specs_ = nullptr;
    std::unique_ptr<TProductSpecsModel> specsModel_;
    TRetailPriceControls* price_ = nullptr;
};
