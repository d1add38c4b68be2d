#include "editors/site/options/LanguageItemDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kMargin = 4;

int BadgeWidth(const QFontMetrics& metrics) { return metrics.horizontalAdvance("WW") + 2 * kMargin; }

}  // namespace

void TLanguageItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    QStyle* style = plain.widget ? plain.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

    painter->save();
    const QFontMetrics metrics(option.font);
    const QRect area = option.rect.adjusted(kMargin, 2, -kMargin, -2);
    const QRect badge(area.left(), area.top(), BadgeWidth(metrics), area.height());
    QPainterPath path;
    path.addRoundedRect(badge, 4, 4);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(path, option.palette.color(QPalette::Highlight));
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(option.palette.color(QPalette::HighlightedText));
    painter->drawText(badge, Qt::AlignCenter, index.data(CodeRole).toString().left(2).toUpper());

    const bool selected = option.state & QStyle::State_Selected;
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    QRect rest = area.adjusted(badge.width() + 2 * kMargin, 0, 0, 0);
    painter->setFont(option.font);
    painter->setPen(text);
    const QString name = index.data(Qt::DisplayRole).toString();
    painter->drawText(rest, Qt::AlignVCenter | Qt::AlignLeft, metrics.elidedText(name, Qt::ElideRight, rest.width()));
    const QString native = index.data(NativeNameRole).toString();
    if (!native.isEmpty() && native != name) {
        rest.setLeft(rest.left() + metrics.horizontalAdvance(name) + 2 * kMargin);
        QColor dim = text;
        dim.setAlphaF(0.6f);
        painter->setPen(dim);
        painter->drawText(rest, Qt::AlignVCenter | Qt::AlignLeft,
                          metrics.elidedText(native, Qt::ElideRight, std::max(0, rest.width())));
    }
    painter->restore();
}

QSize TLanguageItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics metrics(option.font);
    const QString text = index.data(Qt::DisplayRole).toString() + "  " + index.data(NativeNameRole).toString();
    return QSize(BadgeWidth(metrics) + metrics.horizontalAdvance(text) + 4 * kMargin,
                 std::max(metrics.height() + 8, QStyledItemDelegate::sizeHint(option, index).height()));
}
