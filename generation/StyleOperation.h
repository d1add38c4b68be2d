#pragma once
// A long operation of the styles that a runner window carries out: the
// window shows the operation's texts and log, lets the user cancel, and
// hands the operation a connection of its own to the open catalog.
#include <string>

class TAbstractDBConnection;

class TStyleOperation {
public:
    // What the runner offers while the operation runs.
    class TRun {
    public:
        virtual ~TRun() = default;
        // The runner's connection to the open catalog (a second connection).
        virtual TAbstractDBConnection& Connection() = 0;
        // Adds a line to the runner's log.
        virtual void Log(const std::string& line) = 0;
        // True once the user asked to cancel.
        virtual bool Cancelled() = 0;
    };

    virtual ~TStyleOperation() = default;
    // Runs the operation; true reports success to the runner.
    virtual bool Execute(TRun& run) = 0;
    // The runner's texts: 1 the cancel question, 2 the start, 3 success,
    // 4 cancelled by the user, 5 done with errors ($1 their number), 6 the
    // cancel notice, 7 the failure; any other kind gives an empty text.
    virtual std::string GetText(int kind) const = 0;
};
