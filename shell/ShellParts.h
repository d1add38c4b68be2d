#pragma once
// The parts of the Qt shell that exist once the root object does, each
// playing one role: the open catalog's access, the action processor and its
// host, the GUI controller (handed over to the root object, which owns it),
// the dialogs, the publishing commands, the tree pane commands, the search
// and the window's commands. The shell makes them when the root object asks
// for its GUI controller.
#include "shell/ActionProcessor.h"
#include "shell/GuiControl.h"
#include "shell/MainWindowCommands.h"
#include "shell/MainWindowSearch.h"
#include "shell/OpenCatalog.h"
#include "shell/PublishingCommands.h"
#include "shell/QtActionHost.h"
#include "shell/ShellDialogs.h"
#include "shell/TreePaneCommands.h"

#include <memory>

class TEnvironmentCheck;
class TFindReplace;
class THelpRequests;
class TQtCommonGui;

struct TShellParts {
    // What the parts are made over; all must outlive them.
    struct TBase {
        TTolvex& Root;
        TCommonGui& Gui;
        TQtCommonGui* QtGui;
        TfrmMain& Window;
        TFindReplace& Find;
        THelpRequests& Help;
        const TEnvironmentCheck* EnvironmentCheck;
    };
    explicit TShellParts(const TBase& base);

    TCommonGui& Gui;
    TfrmMain& Window;
    TOpenCatalog Open;
    // The action processor's host reaches the parts below when an action runs.
    TQtActionHost Host;
    TActionProcessor Processor;
    // Made here, then owned by the root object.
    std::unique_ptr<TGUIControl> ControlOwner;
    TGUIControl& Control;
    TShellDialogs Dialogs;
    TPublishingCommands Publishing;
    TTreePaneCommands Trees;
    TMainWindowSearch Search;
    TMainWindowCommands Commands;
};
