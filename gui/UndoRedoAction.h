#pragma once
// Edit / Undo or Edit / Redo of a window: works on the focused single- or
// multi-line edit (also the one of an editable combo, a date or number box),
// or on the undo target the focused control belongs to (TUndoTarget: the
// source and design editors, the tree and list frames);
// enabled while that can undo (or redo), disabled for any other focused
// control. The window's menu, toolbar and shortcut share the one action.
#include <QAction>
#include <QList>
#include <QPointer>

class QWidget;

// The line edit an editable combo box, a date or number box is typed into
// (it keeps the undo and takes cut, copy and paste); any other widget itself.
QWidget* EditOf(QWidget* widget);

class TUndoRedoAction : public QAction {
    Q_OBJECT
public:
    enum class TKind { Undo, Redo };

    // An action with its caption, hint, shortcut and icon, following the
    // focus in Parent's window.
    TUndoRedoAction(TKind kind, QObject* parent);

    TKind Kind() const { return kind_; }
    // Whether the action works on Target (an edit, or a control of an undo target).
    static bool HandlesTarget(QWidget* target);
    // Enables the action for the control.
    void UpdateTarget(QWidget* target);
    void ExecuteTarget(QWidget* target);

private:
    void Track(QWidget* focused);
    bool Can(QWidget* target) const;

    TKind kind_;
    QPointer<QWidget> target_;
    QList<QMetaObject::Connection> connections_;
};
