#pragma once
// What a catalog conversion reports while it runs and how it learns that the
// user stopped it: one log line per converted unit, and a cancel flag asked
// between units.
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
