#include "editors/business/TypedCellDelegate.h"

#include <QLineEdit>

QWidget* TTypedCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        auto* self = const_cast<TTypedCellDelegate*>(this);
        connect(line, &QLineEdit::textEdited, line, [self, line] { emit self->commitData(line); });
    }
    return editor;
}
