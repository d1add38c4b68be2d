#pragma once
// The retail price rows of the simple product frames over a
// TRetailPriceModel: the price (captioned with the first schedule's name, or
// "Price (name)"), and in the simple "Product Info" tab the schedule's
// currency (never editable) and the quantity in stock. Without a schedule
// the rows are disabled and say why.
#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QWidget;
class TRetailPriceModel;
struct TSiteModelContext;

class TRetailPriceControls : public QObject {
public:
    // WithCurrencyAndStock: the simple tab's rows; else the price alone, "Price (name)".
    TRetailPriceControls(QWidget& frame, bool withCurrencyAndStock);
    ~TRetailPriceControls() override;

    void AddRows(QFormLayout& form);
    void Load(const TSiteModelContext& context);
    // The reason to refuse the save, translated, with the edit to focus; empty when none.
    std::string Validate(QWidget*& invalid) const;
    void Store();
    // Called when the user changes the price or the stock.
    std::function<void()> Changed;

private:
    QWidget& frame_;
    bool withCurrencyAndStock_;
    std::unique_ptr<TRetailPriceModel> model_;
    QLabel* lblPrice_ = nullptr;
    QLineEdit* edtPrice_ = nullptr;
    QLabel* lblCurrency_ = nullptr;
    QComboBox* cbCurrency_ = nullptr;
    QLabel* lblStock_ = nullptr;
    QLineEdit* edtStock_ = nullptr;
    QLabel* lblNoSchedule_ = nullptr;
    bool loading_ = false;
};
