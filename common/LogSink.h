#pragma once
// Where the lines of a run log go: the log control of a runner window.
#include <string>

class TLogSink {
public:
    virtual ~TLogSink() = default;
    // Appends one line to the log control.
    virtual void AppendLine(const std::string& text) = 0;
    // Lets the user interface process pending events so the window stays responsive.
    virtual void ProcessMessages() = 0;
};
