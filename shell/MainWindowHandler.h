#pragma once
// What the main window hands on: its private messages, the built-in
// commands of its menus and buttons (by the object name of the action), and
// the question whether it may close. The shell implements it.
#include "gui/MainWindowMessages.h"

#include <string>

class TMainWindowHandler {
public:
    virtual ~TMainWindowHandler() = default;
    virtual void HandleMessage(const TMainWindowPost& post) = 0;
    virtual void HandleCommand(const std::string& name) = 0;
    // Closing the window: true when it may close (the open catalog closed).
    virtual bool CanClose() = 0;
    // The window closes: store what it keeps (its placement).
    virtual void Closed() = 0;
};
