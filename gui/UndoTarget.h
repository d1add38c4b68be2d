#pragma once
// A control with an undo of its own, which Edit / Undo and Edit / Redo
// reach while the focus is in it or in a control below it that has no undo
// of its own (a tree frame's buttons and tree view). The source editor
// (QScintilla's history), the design view (the web engine's) and the frames
// whose models keep a QUndoStack (TUndoStackTarget) are targets.
#include <QObject>
#include <QPointer>
#include <QUndoStack>

class QWidget;

// Tells the Edit actions that what a target answers may have changed.
class TUndoNotifier : public QObject {
    Q_OBJECT
signals:
    void Changed();
};

class TUndoTarget {
public:
    virtual ~TUndoTarget() = default;
    virtual bool CanUndo() const = 0;
    virtual void Undo() = 0;
    virtual bool CanRedo() const = 0;
    virtual void Redo() = 0;
    // Emits Changed whenever CanUndo or CanRedo may answer otherwise.
    TUndoNotifier& UndoNotifier() { return notifier_; }

    // The target of a focused control: the nearest widget at or above it
    // that is one; null when there is none.
    static TUndoTarget* Of(QWidget* focused);
    // The widget that is that target.
    static QWidget* WidgetOf(QWidget* focused);

protected:
    void UndoStateChanged() { emit notifier_.Changed(); }

private:
    TUndoNotifier notifier_;
};

// A target over a QUndoStack kept by a model; the stack may be replaced
// when the model is made anew (null: nothing to undo).
class TUndoStackTarget : public TUndoTarget {
public:
    bool CanUndo() const override;
    void Undo() override;
    bool CanRedo() const override;
    void Redo() override;

protected:
    void SetUndoStack(QUndoStack* stack);
    QUndoStack* UndoStack() const { return stack_; }

private:
    QPointer<QUndoStack> stack_;
};
