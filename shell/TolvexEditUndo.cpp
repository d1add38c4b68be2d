#include "shell/TolvexEditUndo.h"

#include "gui/UiText.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

TTolvexEditUndo::TTolvexEditUndo(QObject* parent) : QAction(parent)
{
    setObjectName("actMainEditUndo");
    setText(UiText::Tr("Undo"));
    setToolTip(UiText::Tr("Undo"));
    setStatusTip(UiText::Tr("Reverts the last action"));
    setShortcut(QKeySequence::Undo);
    setIcon(QIcon::hasThemeIcon("edit-undo") ? QIcon::fromTheme("edit-undo") : QIcon::fromTheme("edit-undo-symbolic"));
    setEnabled(false);
    connect(this, &QAction::triggered, this, [this] { ExecuteTarget(QApplication::focusWidget()); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Track(now); });
}

bool TTolvexEditUndo::HandlesTarget(QWidget* target)
{
    if (!target)
        return false;
    if (dynamic_cast<TUndoTarget*>(target))
        return true;
    return qobject_cast<QLineEdit*>(target) || qobject_cast<QTextEdit*>(target) ||
           qobject_cast<QPlainTextEdit*>(target);
}

void TTolvexEditUndo::UpdateTarget(QWidget* target)
{
    bool can = false;
    if (auto* custom = dynamic_cast<TUndoTarget*>(target))
        can = custom->CanUndo();
    else if (auto* line = qobject_cast<QLineEdit*>(target))
        can = line->isUndoAvailable() && !line->isReadOnly();
    else if (auto* text = qobject_cast<QTextEdit*>(target))
        can = text->document()->isUndoAvailable() && !text->isReadOnly();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
        can = plain->document()->isUndoAvailable() && !plain->isReadOnly();
    setEnabled(can);
}

void TTolvexEditUndo::ExecuteTarget(QWidget* target)
{
    if (auto* custom = dynamic_cast<TUndoTarget*>(target))
        custom->Undo();
    else if (auto* line = qobject_cast<QLineEdit*>(target))
        line->undo();
    else if (auto* text = qobject_cast<QTextEdit*>(target))
        text->undo();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
        plain->undo();
    UpdateTarget(target);
}

void TTolvexEditUndo::Track(QWidget* focused)
{
    disconnect(undoConnection_);
    target_ = focused;
    if (auto* line = qobject_cast<QLineEdit*>(focused))
        undoConnection_ = connect(line, &QLineEdit::textChanged, this, [this] { UpdateTarget(target_); });
    else if (auto* text = qobject_cast<QTextEdit*>(focused))
        undoConnection_ = connect(text, &QTextEdit::undoAvailable, this, [this] { UpdateTarget(target_); });
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused))
        undoConnection_ = connect(plain, &QPlainTextEdit::undoAvailable, this, [this] { UpdateTarget(target_); });
    UpdateTarget(focused);
}
