#include "gui/ElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace {

// The most room a label asks for: about forty characters.
constexpr int kHintCharacters = 40;

}  // namespace

TElidedLabel::TElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize TElidedLabel::sizeHint() const
{
    QSize hint = QLabel::sizeHint();
    hint.setWidth(std::min(hint.width(), fontMetrics().averageCharWidth() * kHintCharacters));
    return hint;
}

QSize TElidedLabel::minimumSizeHint() const
{
    QSize hint = QLabel::minimumSizeHint();
    hint.setWidth(0);
    return hint;
}

QRect TElidedLabel::TextArea() const
{
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

bool TElidedLabel::IsElided() const
{
    return fontMetrics().horizontalAdvance(text()) > TextArea().width();
}

bool TElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (IsElided())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

void TElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = TextArea();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}
