#include "shell/FittingToolBar.h"

#include <QActionEvent>
#include <QResizeEvent>

TFittingToolBar::TFittingToolBar(QWidget* parent) : QToolBar(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

int TFittingToolBar::WidthWithCaptions() const
{
    int width = sizeHint().width();
    if (toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
        return width;
    // A tool button puts its caption, a space wider on either side, 4 pixels
    // beside its icon.
    const int spaces = 2 * fontMetrics().horizontalAdvance(QLatin1Char(' '));
    for (QAction* action : actions())
        if (action->isVisible() && !action->isSeparator() && !action->iconText().isEmpty())
            width += 4 + spaces + fontMetrics().horizontalAdvance(action->iconText());
    return width;
}

void TFittingToolBar::Fit()
{
    if (WidthWithCaptions() <= width()) {
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        // What was reckoned without the captions may fall short: the width
        // the captioned buttons take decides.
        if (sizeHint().width() <= width())
            return;
    }
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TFittingToolBar::actionEvent(QActionEvent* event)
{
    QToolBar::actionEvent(event);
    Fit();
}

void TFittingToolBar::resizeEvent(QResizeEvent* event)
{
    QToolBar::resizeEvent(event);
    Fit();
}
