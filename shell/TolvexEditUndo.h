#pragma once
// Edit / Undo and Edit / Redo of the main window (actMainEditUndo,
// actMainEditRedo): they work on the focused single- or multi-line edit or
// on the undo target the focused control belongs to (the HTML editors, the
// tree and list frames, TUndoTarget), enabled while it can undo or redo;
// disabled for any other focused control (the catalog trees included).
#include "gui/UndoRedoAction.h"

class TTolvexEditUndo : public TUndoRedoAction {
    Q_OBJECT
public:
    explicit TTolvexEditUndo(QObject* parent);
};

class TTolvexEditRedo : public TUndoRedoAction {
    Q_OBJECT
public:
    explicit TTolvexEditRedo(QObject* parent);
};
