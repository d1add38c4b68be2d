#pragma once
// The interface every long operation offers the runner window: run once,
// cancel, preview the result, the runner's options, the standard texts of
// the run, the parameter list (which also carries results back) and the
// bodies of the last HTTP exchange.
#include <iosfwd>
#include <string>
#include <vector>

class TAbstractPublisher {
public:
    virtual ~TAbstractPublisher() = default;

    // The operation's work.
    virtual void Execute() = 0;
    // Runs Execute between the start and end lines.
    virtual void Run() = 0;
    // Stops the run at the next check.
    virtual void Cancel() = 0;
    // Shows the result; 1 when the runner window may close.
    virtual int Preview() = 0;
    virtual bool HasPreview() const = 0;
    virtual bool ShowProgressBar() const = 0;
    virtual bool Succeeded() const = 0;
    // The standard text of a kind (1 to 7); empty for any other kind.
    virtual std::string GetText(int kind) const = 0;
    virtual std::vector<std::string>& GetParams() = 0;
    // Whether the runner closes itself after a successful run.
    virtual bool AutoClose() const = 0;
    // The HTTP bodies, rewound; null when the operation has no HTTP client.
    virtual std::istream* GetResponseStream() = 0;
    virtual std::istream* GetRequestStream() = 0;
};
