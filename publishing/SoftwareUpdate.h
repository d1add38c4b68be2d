#pragma once
// The program's update of its own files over HTTP, as a long operation: the
// update list (XML) from the address of setting 70, the files that are newer
// than the installed ones, a question, the zlib archives downloaded into the
// folder "update" of the program folder with their size and CRC-32 checked,
// unpacked there, and the pending work recorded in "doupdate". The files are
// put in place at once with "ApplyImmediate" = "yes", otherwise after a
// restart (OnRestartForUpdate).
//
// Parameters: "OnlyFromList" ("yes": only the files named by "File"
// entries), "File" (repeated), "ApplyImmediate" ("yes").
//
// Every name from the list is checked before it touches the disk: an
// archive or file name must be a plain name, and a folder is cut by
// SanitizeRelativePath, so nothing is written outside the program folder; a
// list with a name that fails is refused as a whole. An archive whose size or
// CRC-32 differs from the list, or whose stream is damaged, incomplete or
// unpacks to another size than the listed one, is refused; a run with any
// refused, skipped or interrupted archive writes no "doupdate" and removes
// the archives it fetched, so a partial update is never applied.
#include "publishing/TolvexPublisher.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct _xmlDoc;

class TSoftwareUpdate : public TTolvexPublisher {
public:
    // The most bytes of the update list and of one archive.
    static constexpr std::int64_t kMaxListBytes = 4LL * 1024 * 1024;
    static constexpr std::int64_t kMaxArchiveBytes = 256LL * 1024 * 1024;

    TSoftwareUpdate(std::vector<std::string>& params, TAbstractDBConnection& connection,
                    const TPublisherEnvironment& environment);
    ~TSoftwareUpdate() override;

    void Execute() override;
    std::string GetText(int kind) const override;

    // The program folder (the folder of the program file unless set).
    void SetProgramFolder(const std::string& folder) { programFolder_ = folder; }
    std::string UpdateFolder() const;
    // Called when the user agrees to restart for the update.
    std::function<void()> OnRestartForUpdate;

    // ---- the steps ----------------------------------------------------------------
    // True when files are to be downloaded (the user agreed).
    bool ReadUpdateList(const std::string& listText, const std::vector<std::string>& allowed);
    // Whether the last archive was done.
    bool DownloadArchives();
    // Whether the file matches its archive entry in the list; Report logs why not.
    bool CheckArchive(const std::string& archiveFile, bool report);
    // Puts the unpacked files of "doupdate" in place.
    void ApplyUpdate();

    // The lines of an apply: text and level (1 information, 3 error).
    using TLogLine = std::function<void(const std::string& text, int level)>;
    // Puts the unpacked files that ProgramFolder/update/doupdate records in
    // place: an installed file is kept as "<name>.bak", the versions go into
    // update/versions.xml, and "doupdate" is removed. Names are checked again
    // so that nothing lands outside ProgramFolder. Returns the number of files
    // that could not be placed; raises EPublisherTolvexException when the
    // installed versions cannot be read. Shared with the updater program.
    static int ApplyPending(const std::string& programFolder, const TLogLine& log);

    const std::vector<std::string>& GetDownloadList() const { return downloadList_; }
    const std::string& GetDownloadUrl() const { return downloadUrl_; }

private:
    // Unpacks the checked archive into the file of its name; refuses a stream
    // that is damaged, incomplete or unpacks to another size than the listed one.
    void Unpack(const std::string& archiveFile);
    std::string TickCount() const;

    std::string programFolder_;
    std::string downloadUrl_;
    struct TDocFree {
        void operator()(_xmlDoc* doc) const;
    };
    std::unique_ptr<_xmlDoc, TDocFree> list_;
    std::vector<std::string> downloadList_;
};
