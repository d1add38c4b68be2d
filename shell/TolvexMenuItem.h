#pragma once
// A menu entry built at run time (from the catalog definition, the catalog
// types, the reports, the languages): a QAction that carries its command.
// The controller finds and removes what it added by this class.
#include "shell/TolvexItemCommand.h"

#include <QAction>

class TTolvexMenuItem : public QAction {
public:
    using QAction::QAction;
    TTolvexItemCommand Command;
};
