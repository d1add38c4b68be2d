#include "editors/framework/ui/QtEditorPanel.h"

#include "editors/framework/ui/EditorTabWidget.h"
#include "editors/framework/ui/QtFrameSite.h"

#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

TQtEditorPanel::TQtEditorPanel(QWidget& host, QWidget* emptyLabel) : host_(host), emptyLabel_(emptyLabel) {}

TQtEditorPanel::~TQtEditorPanel()
{
    Clear();
}

void TQtEditorPanel::Showing(QWidget* widget)
{
    host_.layout()->addWidget(widget);
    if (emptyLabel_)
        emptyLabel_->hide();
    widget->show();
}

TEditorPages& TQtEditorPanel::CreatePages()
{
    delete pages_;
    pages_ = new TEditorTabWidget(&host_);
    Showing(pages_);
    return *pages_;
}

TEditorPages* TQtEditorPanel::Pages()
{
    return pages_;
}

TFrameSite& TQtEditorPanel::CreateSingleSite()
{
    delete single_;
    single_ = new TQtFrameSite(&host_);
    single_->setObjectName("pnlItemEditorSingle");
    Showing(single_);
    return *single_;
}

void TQtEditorPanel::Clear()
{
    delete pages_;
    pages_ = nullptr;
    delete single_;
    single_ = nullptr;
    if (emptyLabel_)
        emptyLabel_->show();
}

void TQtEditorPanel::FocusFirstControl()
{
    QWidget* page = pages_ ? pages_->currentWidget() : static_cast<QWidget*>(single_);
    if (!page)
        return;
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
            child->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void TQtEditorPanel::RevealControl(void* control)
{
    auto* widget = static_cast<QWidget*>(control);
    if (!widget)
        return;
    // Every tab widget around the control shows the page it lies on.
    for (QWidget* page = widget; page; page = page->parentWidget()) {
        QWidget* stack = page->parentWidget();
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(page) >= 0)
            tabs->setCurrentWidget(page);
    }
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->selectAll();
    else if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
        text->selectAll();
    else if (auto* rich = qobject_cast<QTextEdit*>(widget))
        rich->selectAll();
}
