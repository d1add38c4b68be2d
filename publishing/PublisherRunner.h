#pragma once
// What a long operation asks of the runner window it runs in: the log
// control with its line levels, the progress bar, the transfer counters, the
// continue dialog, and the notices to the main window that the runner passes
// on. The Qt runner window implements it; tests use a scripted runner.
#include "common/LogSink.h"

#include <string>

// The answers of the continue dialog (its buttons' modal results).
enum TContinueAnswer : int {
    caCancel = 2,
    caRetry = 4,
    caIgnore = 5,
};

// What the continue dialog gave: the button, and whether nobody pressed it
// (the countdown ran out and the dialog pressed Retry by itself).
struct TContinueResult {
    int Answer = caRetry;
    bool Automatic = false;
};

class TPublisherRunner : public TLogSink {
public:
    // Level 1 for ordinary lines, 3 for errors; levels 3 and 4 show in red.
    virtual void AppendLogLine(const std::string& text, int level) = 0;
    // TLogSink: lines of the page generation are ordinary lines.
    void AppendLine(const std::string& text) override { AppendLogLine(text, 1); }

    virtual void SetProgressMax(int count) = 0;
    virtual void StepProgress() = 0;
    // The "Sent (bytes)" and "Received (bytes)" values.
    virtual void ShowTransferCounts(long long sent, long long received) = 0;

    // Shows the continue dialog with the error text and waits for its answer.
    virtual TContinueResult AskContinue(const std::string& errorText) = 0;

    // Main-window notices: data changed (item id, kind of change), reopen the catalog.
    virtual void PostDataChanged(int itemId, int kind) = 0;
    virtual void PostReopenCatalog() = 0;
    // Shows a runner window that was started hidden (reports show it once their forms were passed).
    virtual void ShowWindow() {}
};
