#pragma once
// Edit / Undo of the main window: works on the focused single- or
// multi-line edit, enabled while it can undo; disabled for any other
// focused control (trees included). HTML editing controls join later
// through TUndoTarget.
#include <QAction>
#include <QPointer>

class QWidget;

// A control with an undo of its own (the HTML editors).
class TUndoTarget {
public:
    virtual ~TUndoTarget() = default;
    virtual bool CanUndo() const = 0;
    virtual void Undo() = 0;
};

class TTolvexEditUndo : public QAction {
    Q_OBJECT
public:
    explicit TTolvexEditUndo(QObject* parent);

    static bool HandlesTarget(QWidget* target);
    // Enables the action for the focused control.
    void UpdateTarget(QWidget* target);
    void ExecuteTarget(QWidget* target);

private:
    void Track(QWidget* focused);

    QPointer<QWidget> target_;
    QMetaObject::Connection undoConnection_;
};
