#pragma once
// A product's "Prices" tab: "Has different prices for different options",
// the grid of price rows (stock, minimum and price edited in place; the
// option columns with prices per option) and "New", "Edit" and "Delete",
// which run the price dialog ("editprice"). The decisions are
// TProductPricesModel's; the grid is read again whenever the tab shows, so
// it sees the options the Options tab stored.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QPushButton;
class QTableView;
class TFrameSite;
class TPriceTableModel;
class TProductPricesModel;

class TFrameProductPrices : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameProductPrices(TFrameSite& site);
    ~TFrameProductPrices() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    void TabShown() override;

    TProductPricesModel& Model() { return *model_; }
    QTableView* Grid() const { return sgPrices_; }
    // The current data row; -1 for none.
    int CurrentRow() const;

private:
    void Rebuild(int selectInstance);
    void EditPrice(bool existing);
    void DeletePrice();
    void UpdateButtons();
    void CommitOpenCell();

    std::unique_ptr<TProductPricesModel> model_;
    TPriceTableModel* table_ = nullptr;
    QCheckBox* chkDifferentPrices_ = nullptr;
    QTableView* sgPrices_ = nullptr;
    QPushButton* btnNew_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    bool loaded_ = false;
    bool firstShow_ = true;
};
