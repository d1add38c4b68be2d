#pragma once
// A settings file in the profile format: sections in square brackets and
// "key=value" lines below them. Section names and keys are compared without
// regard to case; the first of duplicate sections or keys counts.
//
// Every change is written to disk before the call returns, atomically: the
// whole file goes to a temporary file in the same folder, which is then
// renamed over the old one. The file is created by the first change.
// Comments, blank lines and the order of sections and keys survive a rewrite,
// and every line that the change does not touch is written back byte for
// byte, its own line end (LF or CR LF) included; new lines take the line
// end of the file's first line.
//
// Reads see changes made by other objects or processes at once: the file is
// read again whenever its identity, size or times differ from the last read.
//
// Values are trimmed of surrounding blanks when read, and one pair of
// matching surrounding quotes ('"' or '\'') is removed, as the format does;
// a value that would lose characters that way is written in double quotes,
// so every value without a line break reads back exactly as written.
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

class TIniFile {
public:
    explicit TIniFile(std::string fileName);
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    // The value of Key in Section; false (Value untouched) when absent.
    bool ReadValue(const std::string& section, const std::string& key, std::string& value) const;
    // The value, or Def when the key is absent.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    bool ValueExists(const std::string& section, const std::string& key) const;

    // Stores the value and writes the file. Section and key must be
    // non-empty single-line names (a key without "=", a section without
    // "]"): EDeveloperTolvexException otherwise. A value with a line break
    // cannot be stored: ECriticalTolvexException. A file that cannot be
    // written raises ECriticalTolvexException.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Removes the key and writes the file; nothing when the key is absent.
    void DeleteKey(const std::string& section, const std::string& key);

private:
    struct TLine {
        std::string raw;    // the line as it stands in the file, without its line end
        std::string eol;    // its line end: "\n", "\r\n", or "" for a last line without one
        bool isEntry = false;
        std::string key;    // entries only
        std::string value;  // entries only, decoded
    };
    struct TSection {
        bool hasHeader = false;  // false for lines before the first section
        std::string name;
        std::string header;      // the header line as it stands
        std::string headerEol;   // and its line end
        std::vector<TLine> lines;
    };
    // What identifies one version of the file on disk.
    struct TFileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modifiedSec = 0, modifiedNsec = 0, changedSec = 0, changedNsec = 0;
        bool operator==(const TFileStamp&) const = default;
    };

    TFileStamp CurrentStamp() const;
    void Refresh() const;  // re-reads the file when it changed on disk
    void Invalidate() const;  // makes the next read load the file
    void Parse(const std::string& content) const;
    static TLine ParseLine(const std::string& raw, const std::string& eol);
    std::string NewLineEnd() const { return crlf_ ? "\r\n" : "\n"; }
    TSection* FindSection(const std::string& name) const;
    static TLine* FindEntry(TSection& section, const std::string& key);
    static void InsertEntry(TSection& section, TLine line);
    void AppendSection(const std::string& name, TLine line);
    std::string Serialise() const;
    void Save();

    std::string fileName_;
    mutable std::mutex mutex_;
    mutable std::vector<TSection> sections_;
    mutable TFileStamp stamp_;
    mutable bool crlf_ = false;     // the file used CR LF line ends
    mutable bool byteOrderMark_ = false;
};
