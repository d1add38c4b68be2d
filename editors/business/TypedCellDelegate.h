#pragma once
// A delegate for grids whose cells are typed into: the cell takes the text
// with every key, not only when its editor closes, so that a Save pressed
// while a cell is still being edited stores what was typed.
#include <QStyledItemDelegate>

class TTypedCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
