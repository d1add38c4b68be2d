#pragma once
// What the main window hands on besides its commands: its private messages
// and the question whether it may close. The shell implements it.
#include "gui/MainWindowMessages.h"

class TMainWindowHandler {
public:
    virtual ~TMainWindowHandler() = default;
    virtual void HandleMessage(const TMainWindowPost& post) = 0;
    // Closing the window: true when it may close (the open catalog closed).
    virtual bool CanClose() = 0;
    // The window closes: store what it keeps (its placement).
    virtual void Closed() = 0;
};
