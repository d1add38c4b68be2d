#pragma once
// The product wizard's last page, "Product Prices": the price schedule
// (every schedule of the catalog, indented by depth, the first selected),
// the price and the stock, kept in the wizard's parameter list
// ("PriceSchedule", "Price", "Quantity"). The currency shows the chosen
// schedule's and cannot be changed here. A catalog without schedules shows
// the controls disabled. Its save refuses a price that is no amount and a
// stock that is no whole number (TProductWizardModel).
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class TFrameSite;

class TFrameWizardProductPrice : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameWizardProductPrice(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

private:
    void ShowCurrency();

    QComboBox* cbSchedule_ = nullptr;
    QComboBox* cbCurrency_ = nullptr;
    QLineEdit* edtPrice_ = nullptr;
    QLineEdit* edtQuantity_ = nullptr;
};
