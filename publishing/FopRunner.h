#pragma once
// Runs the XSL-FO processor ("fop", which needs a Java runtime) on one
// document: started as a process with an argument vector (no shell), its
// standard error kept as its message, stopped when the time limit passes or
// the caller cancels. While it runs, the caller's Poll is called every
// 50 ms (the runner window handles its events there) and answers whether to
// go on; a stop kills the processor's whole process group at once.
//
//   TFopRunner fop;
//   TFopRunner::TResult r = fop.Run("/tmp/x/report.fo", "/tmp/x/.report.pdf", [&] { return !cancelled; });
#include <chrono>
#include <functional>
#include <string>
#include <vector>

class TFopRunner {
public:
    struct TResult {
        // The process ran and exited with code 0.
        bool Exited0 = false;
        // Stopped by Poll answering false, or by the time limit.
        bool Cancelled = false;
        bool TimedOut = false;
        // What the processor wrote on its standard error (and output), or why it did not start.
        std::string Message;
    };

    // Program: the processor's executable ("fop" found along PATH when empty).
    explicit TFopRunner(std::string program = {}, std::chrono::milliseconds timeLimit = std::chrono::minutes(5));

    // The processor's full file name; empty when it is not installed.
    std::string ProgramPath() const;
    // Why reports cannot be made as PDF here, one line per missing part; empty when nothing is missing.
    std::string MissingComponents() const;

    // Turns Input (XSL-FO) into the PDF Output. Poll, when given, is called
    // every 50 ms; false stops the processor.
    TResult Run(const std::string& input, const std::string& output, const std::function<bool()>& poll = {}) const;
    // The processor's configuration that gives the generic families
    // (sans-serif, serif, monospace) the DejaVu fonts of FontFolder, which
    // cover far more letters than its own; empty when none is there.
    static std::string FontConfiguration(const std::string& fontFolder);
    // Runs any argument vector the same way (the first entry is the program's full file name).
    TResult RunProcess(const std::vector<std::string>& argv, const std::function<bool()>& poll) const;

private:
    std::string program_;
    std::chrono::milliseconds timeLimit_;
};

// Whether a file is a PDF document: it starts with "%PDF".
bool IsPdfFile(const std::string& fileName);
