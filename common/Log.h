#pragma once
// The run log of a long operation. Lines go to the runner window's log
// control while that window exists; its inner loops ask IsCancelled.
#include "common/LogSink.h"

#include <memory>
#include <string>

class TLog {
public:
    // Binds the log to a runner window's sink. The log keeps only a weak
    // reference: lines written after the window is gone are dropped.
    void SetOutput(std::weak_ptr<TLogSink> sink) { sink_ = std::move(sink); }
    void AddLine(const std::string& text);

    bool IsCancelled() const { return cancelled_; }
    void SetCancelled(bool value) { cancelled_ = value; }

private:
    std::weak_ptr<TLogSink> sink_;
    bool cancelled_ = false;
};
