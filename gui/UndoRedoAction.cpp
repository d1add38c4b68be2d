#include "gui/UndoRedoAction.h"

#include "gui/UiText.h"
#include "gui/UndoTarget.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

namespace {

QIcon ThemeIcon(const char* name)
{
    const QString plain = QString::fromLatin1(name);
    return QIcon::hasThemeIcon(plain) ? QIcon::fromTheme(plain) : QIcon::fromTheme(plain + "-symbolic");
}

bool IsEdit(QWidget* widget)
{
    return qobject_cast<QLineEdit*>(widget) || qobject_cast<QTextEdit*>(widget) ||
           qobject_cast<QPlainTextEdit*>(widget);
}

// A popup (a menu) never becomes the target: the action works on the
// control that had the focus before it opened.
bool IsPopup(QWidget* widget)
{
    return widget && widget->window()->windowType() == Qt::Popup;
}

}  // namespace

QWidget* EditOf(QWidget* widget)
{
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        return combo->lineEdit();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
        if (auto* line = spin->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly))
            return line;
    return widget;
}

TUndoRedoAction::TUndoRedoAction(TKind kind, QObject* parent) : QAction(parent), kind_(kind)
{
    const bool undo = kind == TKind::Undo;
    setText(UiText::Tr(undo ? "Undo" : "Redo"));
    setToolTip(text());
    setStatusTip(UiText::Tr(undo ? "Reverts the last action" : "Makes the last undone action again"));
    setShortcuts(undo ? QKeySequence::Undo : QKeySequence::Redo);
    setIcon(ThemeIcon(undo ? "edit-undo" : "edit-redo"));
    setEnabled(false);
    connect(this, &QAction::triggered, this, [this] {
        QWidget* focused = QApplication::focusWidget();
        ExecuteTarget(focused && !IsPopup(focused) ? focused : target_.data());
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!IsPopup(now))
            Track(now);
    });
}

bool TUndoRedoAction::HandlesTarget(QWidget* target)
{
    target = EditOf(target);
    return target && (IsEdit(target) || TUndoTarget::Of(target));
}

bool TUndoRedoAction::Can(QWidget* target) const
{
    target = EditOf(target);
    const bool undo = kind_ == TKind::Undo;
    if (auto* line = qobject_cast<QLineEdit*>(target))
        return !line->isReadOnly() && (undo ? line->isUndoAvailable() : line->isRedoAvailable());
    if (auto* text = qobject_cast<QTextEdit*>(target))
        return !text->isReadOnly() &&
               (undo ? text->document()->isUndoAvailable() : text->document()->isRedoAvailable());
    if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
        return !plain->isReadOnly() &&
               (undo ? plain->document()->isUndoAvailable() : plain->document()->isRedoAvailable());
    if (TUndoTarget* custom = TUndoTarget::Of(target))
        return undo ? custom->CanUndo() : custom->CanRedo();
    return false;
}

void TUndoRedoAction::UpdateTarget(QWidget* target)
{
    setEnabled(Can(target));
}

void TUndoRedoAction::ExecuteTarget(QWidget* target)
{
    const bool undo = kind_ == TKind::Undo;
    target = EditOf(target);
    if (!Can(target)) {
        // Nothing to do: the state shown was out of date.
    } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
        undo ? line->undo() : line->redo();
    }
    else if (auto* text = qobject_cast<QTextEdit*>(target)) {
        undo ? text->undo() : text->redo();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
        undo ? plain->undo() : plain->redo();
    } else if (TUndoTarget* custom = TUndoTarget::Of(target)) {
        undo ? custom->Undo() : custom->Redo();
    }
    UpdateTarget(target);
}

void TUndoRedoAction::Track(QWidget* focused)
{
    for (const QMetaObject::Connection& connection : connections_)
        disconnect(connection);
    connections_.clear();
    focused = EditOf(focused);
    target_ = focused;
    const auto update = [this] { UpdateTarget(target_); };
    const auto watchDocument = [&](QTextDocument* document) {
        connections_ << connect(document, &QTextDocument::undoAvailable, this, update)
                     << connect(document, &QTextDocument::redoAvailable, this, update);
    };
    if (auto* line = qobject_cast<QLineEdit*>(focused))
        connections_ << connect(line, &QLineEdit::textChanged, this, update);
    else if (auto* text = qobject_cast<QTextEdit*>(focused))
        watchDocument(text->document());
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused))
        watchDocument(plain->document());
    else if (TUndoTarget* custom = TUndoTarget::Of(focused))
        connections_ << connect(&custom->UndoNotifier(), &TUndoNotifier::Changed, this, update);
    UpdateTarget(focused);
}
