#pragma once
// What a catalog conversion reports while it runs and how it learns that the
// user stopped it: one log line per converted unit, and a cancel flag asked
// between units.
#include <functional>
#include <string>

class TConversionProgress {
public:
    virtual ~TConversionProgress() = default;
    virtual void Log(const std::string& line) = 0;
    virtual bool Cancelled() = 0;
};

// Logs nothing and never stops.
class TSilentConversionProgress : public TConversionProgress {
public:
    void Log(const std::string&) override {}
    bool Cancelled() override { return false; }
};

// Where the program shows a conversion while it runs (a window with its log
// and a Cancel). Run returns once Work has ended; an exception of Work
// passes out of Run. Work may run on another thread than Run's caller.
class TConversionWindow {
public:
    virtual ~TConversionWindow() = default;
    virtual void Run(const std::string& catalogCode, const std::function<void(TConversionProgress&)>& work) = 0;
};
