#include "gui/UndoTarget.h"

#include <QUndoStack>
#include <QWidget>

QWidget* TUndoTarget::WidgetOf(QWidget* focused)
{
    for (QWidget* widget = focused; widget; widget = widget->parentWidget()) {
        if (dynamic_cast<TUndoTarget*>(widget))
            return widget;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

TUndoTarget* TUndoTarget::Of(QWidget* focused)
{
    return dynamic_cast<TUndoTarget*>(WidgetOf(focused));
}

bool TUndoStackTarget::CanUndo() const { return stack_ && stack_->canUndo(); }
bool TUndoStackTarget::CanRedo() const { return stack_ && stack_->canRedo(); }

void TUndoStackTarget::Undo()
{
    if (stack_)
        stack_->undo();
}

void TUndoStackTarget::Redo()
{
    if (stack_)
        stack_->redo();
}

void TUndoStackTarget::SetUndoStack(QUndoStack* stack)
{
    if (stack_)
        QObject::disconnect(stack_, nullptr, &UndoNotifier(), nullptr);
    stack_ = stack;
    if (stack_) {
        QObject::connect(stack_, &QUndoStack::canUndoChanged, &UndoNotifier(), &TUndoNotifier::Changed);
        QObject::connect(stack_, &QUndoStack::canRedoChanged, &UndoNotifier(), &TUndoNotifier::Changed);
    }
    UndoStateChanged();
}
