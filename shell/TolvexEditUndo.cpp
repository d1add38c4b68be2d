#include "shell/TolvexEditUndo.h"

TTolvexEditUndo::TTolvexEditUndo(QObject* parent) : TUndoRedoAction(TKind::Undo, parent)
{
    setObjectName("actMainEditUndo");
}

TTolvexEditRedo::TTolvexEditRedo(QObject* parent) : TUndoRedoAction(TKind::Redo, parent)
{
    setObjectName("actMainEditRedo");
}
