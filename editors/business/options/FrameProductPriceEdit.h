#pragma once
// The price dialog ("Edit Price", dialog name "editprice"): the schedule,
// the price with the schedule's currency, the stock, the minimum quantity
// or "The price for any quantity", "Request For Quote" (advanced mode), and
// with prices per option the combination ("...") or "Include All Options".
// It reads and writes the dialog's parameter list through TPriceEditModel;
// a price that is no amount above 0 is refused and the dialog shows again.
#include "editors/business/options/PriceEditModel.h"
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TFrameSite;

class TFrameProductPriceEdit : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameProductPriceEdit(TFrameSite& site);

    void InitControls() override;
    bool Save() override;

private:
    void ReadControls();
    void UpdateControls();
    void ChooseOption();
    std::string CurrencyOfSelected();

    TPriceEditModel model_;
    bool filling_ = false;
    QComboBox* cbSchedule_ = nullptr;
    QLabel* lblPrice_ = nullptr;
    QLineEdit* edtPrice_ = nullptr;
    QLineEdit* edtStock_ = nullptr;
    QCheckBox* chkAnyQuantity_ = nullptr;
    QLabel* lblMinimum_ = nullptr;
    QLineEdit* edtMinimum_ = nullptr;
    QCheckBox* chkRequestForQuote_ = nullptr;
    QWidget* pnlOption_ = nullptr;
    QCheckBox* chkIncludeAll_ = nullptr;
    QLabel* lblOption_ = nullptr;
    QLineEdit* edtOption_ = nullptr;
    QPushButton* btnOption_ = nullptr;
};
