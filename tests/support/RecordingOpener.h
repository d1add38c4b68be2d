#pragma once
// For the Qt tests: puts an "xdg-open" first on PATH that writes what the
// program asked the desktop to open into a file, and takes PATH back when
// it goes.
#include "support/TempFolder.h"

#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TRecordingOpener {
public:
    TRecordingOpener() : oldPath_(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        const std::filesystem::path script = std::filesystem::path(folder_.Path()) / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << Record() << ".part'\nmv '" << Record()
                              << ".part' '" << Record() << "'\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        ::setenv("PATH", (folder_.Path() + ":" + oldPath_).c_str(), 1);
    }
    ~TRecordingOpener() { ::setenv("PATH", oldPath_.c_str(), 1); }
    TRecordingOpener(const TRecordingOpener&) = delete;
    TRecordingOpener& operator=(const TRecordingOpener&) = delete;

    std::string Record() const { return folder_.Path() + "/opened.txt"; }
    // What was opened, once the opener ran (events are processed meanwhile);
    // empty after about ten seconds.
    std::string Opened() const
    {
        if (!QTest::qWaitFor([&] { return std::filesystem::exists(Record()); }, 10000))
            return {};
        std::ifstream in(Record());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    TTempFolder folder_;
    std::string oldPath_;
};
