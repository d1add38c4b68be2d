#pragma once
// The folder a site is published into. Every file is written whole (to a
// temporary name, then renamed into place) but not synced one by one: a
// site folder is rebuilt from the catalog, so the whole folder's file
// system is synced once when the run ends. Names that become path
// components (alternative file names, language codes, the redirect page's
// name) must be plain names: they can never lead out of the site folder.
#include <string>
#include <thread>

class TSiteFolder {
public:
    // The tag of the temporary names of files being written.
    static constexpr const char* kTempTag = "tolvex-tmp";

    explicit TSiteFolder(std::string path) : path_(std::move(path)) {}
    // Waits for a sync that StartSync began.
    ~TSiteFolder();
    TSiteFolder(const TSiteFolder&) = delete;
    TSiteFolder& operator=(const TSiteFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path, "/" and the relative name.
    std::string FullName(const std::string& relative) const { return path_ + "/" + relative; }

    // True for a name that is one path component of letters, digits and
    // "-", "_", ".", "+" only ("svg+xml"), not starting with a full stop (so
    // not "." or "..").
    static bool IsPlainName(const std::string& name);
    // True for a name a file of the site may have: any name a file system
    // and a browser accept ("Über uns.html", "#1 100%.html", ".htaccess"),
    // but not one that leads elsewhere or cannot be a file's name: empty,
    // "." or "..", a slash or backslash, a control character (NUL included),
    // more than 255 bytes, or a temporary name of this program's.
    static bool IsSafeName(const std::string& name);

    // Whether Name is the temporary name of a file this program was writing
    // (".<name>.tolvex-tmp-" and six letters or digits).
    static bool IsTemporaryName(const std::string& name);
    // Removes the temporary files a killed run left in the folder and its
    // sub-folders (the site's files are at most one level down); nothing
    // else is touched. Returns how many were removed.
    int RemoveLeftovers() const;

    // Creates Path/Folder when missing (Path itself must exist). Raises
    // EPublisherTolvexException when it cannot.
    void EnsureFolder(const std::string& folder) const;
    // Writes Path/Relative whole. Raises EPublisherTolvexException when it cannot.
    void WriteFile(const std::string& relative, const std::string& content) const;
    // Writes the text as a text file (lines ended by CR LF).
    void WriteTextFile(const std::string& relative, const std::string& text) const;
    // Starts pushing what was written so far to the disk on a thread of its
    // own (the pages' files, once the last is written), so that the wait
    // overlaps the run's last work; Sync waits for it.
    void StartSync();
    // Pushes everything written to the disk (one sync of the folder's file
    // system, after the one StartSync began). Raises
    // EPublisherTolvexException when either failed.
    void Sync();

private:
    static bool SyncFileSystem(const std::string& path);

    std::string path_;
    std::thread started_;
    bool startedSynced_ = false;
};
