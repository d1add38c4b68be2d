#include "editors/business/options/OptionTableModels.h"

#include "editors/business/options/OptionCombinations.h"
#include "editors/business/options/ProductOptionsModel.h"
#include "editors/business/options/ProductPricesModel.h"
#include "gui/UiText.h"

using UiText::Q;
using UiText::S;

TCombinationTableModel::TCombinationTableModel(QObject* parent, const TOptionCombinations* combinations,
                                               TProductOptionsModel* skus)
    : QAbstractTableModel(parent), combinations_(combinations), skus_(skus)
{
}

void TCombinationTableModel::Reset(const TOptionCombinations* combinations, TProductOptionsModel* skus)
{
    beginResetModel();
    combinations_ = combinations;
    if (skus_)
        skus_ = skus;
    endResetModel();
}

int TCombinationTableModel::SkuColumn() const
{
    return skus_ && combinations_ ? static_cast<int>(combinations_->Options().size()) : -1;
}

int TCombinationTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !combinations_ ? 0 : static_cast<int>(combinations_->Count());
}

int TCombinationTableModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !combinations_ || combinations_->Options().empty())
        return 0;
    return static_cast<int>(combinations_->Options().size()) + (skus_ ? 1 : 0);
}

QVariant TCombinationTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole) || index.row() >= rowCount() ||
        index.column() >= columnCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == SkuColumn())
        return Q(skus_->Sku(row));
    return Q(combinations_->ValueName(row, static_cast<std::size_t>(index.column())));
}

QVariant TCombinationTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !combinations_)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == SkuColumn())
        return tr("Stock Keeping Unit (SKU)");
    if (section >= 0 && section < static_cast<int>(combinations_->Options().size()))
        return Q(combinations_->Options()[static_cast<std::size_t>(section)].Name);
    return {};
}

Qt::ItemFlags TCombinationTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == SkuColumn())
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool TCombinationTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != SkuColumn())
        return false;
    const std::string text = S(value.toString());
    if (text == skus_->Sku(static_cast<std::size_t>(index.row())))
        return true;
    skus_->SetSku(static_cast<std::size_t>(index.row()), text);
    emit dataChanged(index, index);
    if (Edited)
        Edited();
    return true;
}

TPriceTableModel::TPriceTableModel(QObject* parent, TProductPricesModel* prices)
    : QAbstractTableModel(parent), prices_(prices)
{
}

void TPriceTableModel::Reset(TProductPricesModel* prices)
{
    beginResetModel();
    prices_ = prices;
    endResetModel();
}

int TPriceTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(prices_->Rows().size());
}

int TPriceTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : prices_->ColumnCount();
}

QVariant TPriceTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return Q(prices_->Cell(index.row(), index.column()));
    if (role == Qt::EditRole)
        return Q(prices_->EditText(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole && index.column() >= prices_->StockColumn())
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TPriceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return Q(prices_->Header(section));
}

Qt::ItemFlags TPriceTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return prices_->IsEditable(index.column()) ? flags | Qt::ItemIsEditable : flags;
}

bool TPriceTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !prices_->IsEditable(index.column()))
        return false;
    const std::string text = S(value.toString());
    if (text == prices_->EditText(index.row(), index.column()))
        return true;
    const std::string error = prices_->SetCell(index.row(), index.column(), text);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    if (Edited)
        Edited(error);
    return error.empty();
}
