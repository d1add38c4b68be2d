#pragma once
// A folder a publishing run works in: a worker's folder for its work files,
// in the system's temporary folder ("tolvex-publish-XXXXXX"), or an FTP
// run's staging folder; removed with everything in it when the object dies. While it lives the process holds a lock on it, so
// that a later run can tell the folders of a killed run (no process holds
// them) from those of a run still going on, in this program or another
// one, and remove only the former (RemoveAbandoned).
#include <string>

class TWorkFolder {
public:
    static constexpr const char* kPrefix = "tolvex-publish-";
    // A folder left by a killed run is removed once it is this old: a folder
    // just made is locked a moment after it appears.
    static constexpr int kAbandonedAfterSeconds = 60;

    // Makes the folder Prefix + six letters or digits in Parent (the
    // system's temporary folder when empty). Raises EPublisherTolvexException
    // when it cannot.
    explicit TWorkFolder(const std::string& parent = {}, const std::string& prefix = kPrefix);
    ~TWorkFolder();
    TWorkFolder(const TWorkFolder&) = delete;
    TWorkFolder& operator=(const TWorkFolder&) = delete;

    const std::string& Path() const { return path_; }

    // Removes every folder of Prefix in Parent (the system's temporary
    // folder when empty) that no process holds and that was last changed
    // more than kAbandonedAfterSeconds ago. Returns how many were removed.
    static int RemoveAbandoned(const std::string& parent = {}, const std::string& prefix = kPrefix);

private:
    std::string path_;
    int lock_ = -1;
};
