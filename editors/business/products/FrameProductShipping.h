#pragma once
// The "Shipping" tab of a product in catalog type 12: its shipping data,
// with numeric entry for the capacity and the preparation time.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class TFrameSite;
class TProductShippingControls;
class TProductShippingModel;

class TFrameProductShipping : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameProductShipping(TFrameSite& site);
    ~TFrameProductShipping() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    TProductShippingControls* controls_ = nullptr;
    std::unique_ptr<TProductShippingModel> model_;
};
