#pragma once
// Draws a language row as a highlighted badge with the language's code,
// then its name and, dimmed, its native name. The row keeps the code in
// CodeRole and the native name in NativeNameRole; the display text is the
// name.
#include <QStyledItemDelegate>

class TLanguageItemDelegate : public QStyledItemDelegate {
public:
    static constexpr int CodeRole = Qt::UserRole;
    static constexpr int NativeNameRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
