#pragma once
// The edits of a product's shipping data, for the advanced "Product Info"
// tab (outside catalog type 12) and the "Shipping" tab (type 12): capacity,
// preparation time, storage location, tax class and the introduction date,
// which shows "Unknown" until the user picks one.
#include <QObject>

#include <functional>

class QDateEdit;
class QFormLayout;
class QLabel;
class QLineEdit;
class QWidget;
class TProductShippingModel;

class TProductShippingControls : public QObject {
public:
    // SupplierCatalog: catalog type 12 (numeric entry, "Monthly Production Container").
    TProductShippingControls(QWidget& frame, bool supplierCatalog);

    void AddRows(QFormLayout& form);
    void Load(const TProductShippingModel& model);
    void Read(TProductShippingModel& model) const;
    std::function<void()> Changed;

private:
    void Edited();

    QWidget& frame_;
    bool supplierCatalog_;
    QLineEdit* edtMonthlyCapacity_;
    QLineEdit* edtPreparationTimeToShip_;
    QLineEdit* edtStorageLocation_;
    QLineEdit* edtTaxClass_;
    QDateEdit* dtpDateIntroduced_;
    bool dateSet_ = false;
    bool loading_ = false;
};
