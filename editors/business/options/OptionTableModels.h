#pragma once
// The grids of the option and price frames as Qt table models over their
// decision models: nothing is copied, each cell is asked for when it shows,
// so a product with 100,000 combinations opens as fast as one with six.
#include <QAbstractTableModel>

#include <functional>

class TOptionCombinations;
class TProductOptionsModel;
class TProductPricesModel;

// One column per option; with an options model, a last, editable column with the SKU.
class TCombinationTableModel : public QAbstractTableModel {
public:
    TCombinationTableModel(QObject* parent, const TOptionCombinations* combinations, TProductOptionsModel* skus);

    // After the model changed its options, or for another model.
    void Reset(const TOptionCombinations* combinations, TProductOptionsModel* skus);
    int SkuColumn() const;
    // Called after an SKU was typed.
    std::function<void()> Edited;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    const TOptionCombinations* combinations_;
    TProductOptionsModel* skus_;
};

class TPriceTableModel : public QAbstractTableModel {
public:
    TPriceTableModel(QObject* parent, TProductPricesModel* prices);

    void Reset(TProductPricesModel* prices);
    // The error of a refused cell; empty when stored. Called after each stored edit.
    std::function<void(const std::string& error)> Edited;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    TProductPricesModel* prices_;
};
