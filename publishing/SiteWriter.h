#pragma once
// Threads that write a site's files for the publisher, so the thread that
// replays the pages only hands each file over. Each file is written whole
// into the site folder (TSiteFolder::WriteFile); which thread writes which
// file does not matter, since every file of a run has its own name. A file
// that cannot be written is raised on the publisher's thread by the next
// Write or by Finish, and no further file is written after it.
//
//   TSiteWriter writer(site, 2);
//   writer.Write("en/1.html", html);   // many times
//   writer.Finish();                   // every file written, or raises
#include "publishing/SiteFolder.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TSiteWriter {
public:
    // Site must outlive the writer.
    TSiteWriter(const TSiteFolder& site, std::size_t threads);
    // Waits for the files handed over (errors are dropped: call Finish to see them).
    ~TSiteWriter();
    TSiteWriter(const TSiteWriter&) = delete;
    TSiteWriter& operator=(const TSiteWriter&) = delete;

    // Hands Site/Relative over to be written with Content (shared by the
    // files of one page). Waits while many files are still to be written;
    // raises the error of a file that could not be written.
    void Write(std::string relative, std::shared_ptr<const std::string> content);
    // Waits until every file handed over is written and stops the threads;
    // raises the first error of a file that could not be written.
    void Finish();

private:
    struct TFile {
        std::string Relative;
        std::shared_ptr<const std::string> Content;
    };
    void Run();
    void Stop();
    void RaiseError();

    const TSiteFolder& site_;
    std::mutex mutex_;
    // A file to write, or the end (for the writing threads); room in the
    // queue or an error (for the publisher). Each is notified only when
    // somebody waits for it.
    std::condition_variable notEmpty_;
    std::condition_variable notFull_;
    std::size_t idleWriters_ = 0;
    std::size_t fullWaiters_ = 0;
    std::deque<TFile> queue_;
    std::exception_ptr error_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};
