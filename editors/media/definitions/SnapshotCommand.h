#pragma once
// An undoable change of a model's state kept whole: the state before and
// after the change, and how the model takes a state. Redo takes the state
// after, Undo the state before. Suits models whose state is a few small
// lists (the definitions' editors), where a copy is cheaper to reason about
// than a command per kind of change.
#include <QString>
#include <QUndoCommand>

#include <functional>
#include <utility>

template <class TState>
class TSnapshotCommand : public QUndoCommand {
public:
    using TApply = std::function<void(const TState&)>;

    TSnapshotCommand(const QString& text, TApply apply, TState before, TState after)
        : QUndoCommand(text), apply_(std::move(apply)), before_(std::move(before)), after_(std::move(after))
    {
    }

    void redo() override { apply_(after_); }
    void undo() override { apply_(before_); }

private:
    TApply apply_;
    TState before_;
    TState after_;
};
