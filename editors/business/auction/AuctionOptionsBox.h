#pragma once
// The controls of the auction listing options, shared by the catalog's
// "eBay Options" tab and a product's own listing settings: site, counter and
// duration lists (text shown, code carried), the four payment methods and
// the payment service account, which can be typed only while that service
// is ticked. Changed() follows every user change.
#include "editors/business/auction/AuctionOptions.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

class TAuctionOptionsBox : public QWidget {
    Q_OBJECT
public:
    explicit TAuctionOptionsBox(QWidget* parent);

    void Show(const TAuctionOptions& options);
    TAuctionOptions Read() const;
    // Locked: every control disabled (the catalog's defaults shown).
    void SetLocked(bool locked);
    QComboBox* Sites() const { return cbSite_; }
    QFormLayout* Form() const { return form_; }

signals:
    void Changed();

private:
    void UpdateEnabling();

    bool locked_ = false;
    QFormLayout* form_ = nullptr;
    QComboBox* cbSite_ = nullptr;
    QComboBox* cbCounter_ = nullptr;
    QComboBox* cbDuration_ = nullptr;
    QCheckBox* chkAuctionPayment_ = nullptr;
    QCheckBox* chkPayPal_ = nullptr;
    QLabel* lblAccount_ = nullptr;
    QLineEdit* edtAccount_ = nullptr;
    QCheckBox* chkCashOnDelivery_ = nullptr;
    QCheckBox* chkPersonalChecks_ = nullptr;
};
