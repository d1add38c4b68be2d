#pragma once
// The countdown of the continue dialog, without the dialog: it starts at 11
// and steps once at once, so it reads 10 when the dialog appears; every
// further second it steps again; when it reaches 0 the dialog presses Retry
// by itself. The dialog refuses to close until one of its buttons was pressed.
//
//   TContinueCountdown countdown;           // the first step ran: 10 seconds left
//   if (countdown.Step()) PressRetry();     // on every timer tick
#include <string>

class TContinueCountdown {
public:
    TContinueCountdown() { Step(); }

    // One timer step; true when the countdown just ran out (press Retry).
    bool Step();
    int SecondsLeft() const { return countdown_; }
    bool Running() const { return countdown_ > 0; }
    // The template of the countdown label; $1 takes SecondsLeft.
    static const char* LabelTemplate() { return "Operation will continue in $1 seconds"; }

    // A button was pressed: the dialog may close now.
    void Answer() { answered_ = true; }
    bool CanClose() const { return answered_; }

private:
    int countdown_ = 11;
    bool answered_ = false;
};
