#pragma once
// A toolbar or drop-down entry built at run time ("Select Tree" entries,
// search kinds): a QAction that carries its command (its action id, or a
// value in its action string).
#include "shell/TolvexItemCommand.h"

#include <QAction>

class TTolvexToolbarItem : public QAction {
public:
    using QAction::QAction;
    TTolvexItemCommand Command;
};
