#include "common/IniFile.h"

#include "common/AtomicFile.h"
#include "common/CommonFunctionsDetail.h"

#include "common/Exceptions.h"
#include "common/FileContent.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

const char* const kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

using common_detail::SameText;

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

bool HasMatchingQuotes(const std::string& text)
{
    return text.size() >= 2 && IsQuote(text.front()) && text.back() == text.front();
}

// The stored value of a trimmed value text: one pair of matching
// surrounding quotes removed.
std::string DecodeValue(const std::string& trimmed)
{
    return HasMatchingQuotes(trimmed) ? trimmed.substr(1, trimmed.size() - 2) : trimmed;
}

// The value text that reads back as Value.
std::string EncodeValue(const std::string& value)
{
    bool loses = !value.empty() &&
                 (IsBlank(value.front()) || IsBlank(value.back()) || HasMatchingQuotes(value));
    return loses ? "\"" + value + "\"" : value;
}

bool HasLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

void CheckName(const std::string& name, const char* forbidden, const char* what)
{
    bool bad = name.empty() || Trim(name) != name || HasLineBreak(name) ||
               name.find_first_of(forbidden) != std::string::npos;
    if (bad)
        throw EDeveloperTolvexException(std::string("Invalid settings ") + what + " \"" + name + "\"");
}

void CheckKey(const std::string& key)
{
    CheckName(key, "=", "key");
    if (key.front() == '[' || key.front() == ';')
        throw EDeveloperTolvexException("Invalid settings key \"" + key + "\"");
}


[[noreturn]] void ThrowCannotWrite(const std::string& fileName)
{
    throw ECriticalTolvexException("Unable to write to " + fileName);
}

// Writes the whole content safely; returns the inode of the new file. The
// settings file holds scrambled passwords, so a new one is private.
ino_t WriteIniFile(const std::string& fileName, const std::string& content)
{
    ino_t inode = 0;
    if (!WriteFileAtomically(fileName, content, 0600, &inode))
        ThrowCannotWrite(fileName);
    return inode;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName))
{
    sections_.push_back(TSection{});
}

bool TIniFile::ReadValue(const std::string& section, const std::string& key,
                         std::string& value) const
{
    std::lock_guard lock(mutex_);
    Refresh();
    TSection* found = FindSection(section);
    TLine* entry = found ? FindEntry(*found, key) : nullptr;
    if (!entry)
        return false;
    value = entry->value;
    return true;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const
{
    std::string value;
    return ReadValue(section, key, value) ? value : def;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    std::string value;
    return ReadValue(section, key, value);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value)
{
    CheckName(section, "]", "section");
    CheckKey(key);
    if (HasLineBreak(value))
        throw ECriticalTolvexException("A setting cannot hold a line break: [" + section + "] " + key);

    std::lock_guard lock(mutex_);
    Refresh();
    TLine line{key + "=" + EncodeValue(value), NewLineEnd(), true, key, value};
    TSection* found = FindSection(section);
    if (!found) {
        AppendSection(section, std::move(line));
    } else if (TLine* entry = FindEntry(*found, key)) {
        if (entry->value == value && stamp_.exists)
            return;  // already on disk as asked
        entry->raw = entry->key + "=" + EncodeValue(value);
        entry->value = value;
    } else {
        InsertEntry(*found, std::move(line));
    }
    Save();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    std::lock_guard lock(mutex_);
    Refresh();
    TSection* found = FindSection(section);
    TLine* entry = found ? FindEntry(*found, key) : nullptr;
    if (!entry)
        return;
    found->lines.erase(found->lines.begin() + (entry - found->lines.data()));
    Save();
}

TIniFile::TFileStamp TIniFile::CurrentStamp() const
{
    struct stat st {};
    TFileStamp stamp;
    if (::stat(fileName_.c_str(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedSec = st.st_mtim.tv_sec;
    stamp.modifiedNsec = st.st_mtim.tv_nsec;
    stamp.changedSec = st.st_ctim.tv_sec;
    stamp.changedNsec = st.st_ctim.tv_nsec;
    return stamp;
}

void TIniFile::Refresh() const
{
    // The stamp is taken before reading: a change during the read leaves a
    // different stamp on disk, so the next call reads again.
    TFileStamp stamp = CurrentStamp();
    if (stamp == stamp_)
        return;
    std::string content;
    if (stamp.exists) {
        std::optional<std::string> read = ReadFileContent(fileName_);
        if (!read && errno != ENOENT)
            throw ECriticalTolvexException("Unable to read " + fileName_);
        content = std::move(read).value_or("");
    }
    Parse(content);
    stamp_ = stamp;
}

void TIniFile::Parse(const std::string& content) const
{
    sections_.assign(1, TSection{});
    byteOrderMark_ = content.compare(0, 3, kByteOrderMark) == 0;
    size_t pos = byteOrderMark_ ? 3 : 0;
    size_t firstBreak = content.find('\n', pos);
    crlf_ = firstBreak != std::string::npos && firstBreak > pos && content[firstBreak - 1] == '\r';
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        std::string eol;
        if (end == std::string::npos) {
            end = content.size();
        } else {
            // Only the CR right before the LF belongs to the line end; any
            // other stays part of the line, so it is written back as it was.
            eol = end > pos && content[end - 1] == '\r' ? "\r\n" : "\n";
        }
        std::string raw = content.substr(pos, end - pos - (eol.size() == 2 ? 1 : 0));
        pos = end + 1;
        std::string trimmed = Trim(raw);
        if (!trimmed.empty() && trimmed.front() == '[') {
            size_t close = trimmed.find(']');
            std::string name = trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            sections_.push_back(TSection{true, Trim(name), raw, eol, {}});
        } else {
            sections_.back().lines.push_back(ParseLine(raw, eol));
        }
    }
}

TIniFile::TLine TIniFile::ParseLine(const std::string& raw, const std::string& eol)
{
    TLine line;
    line.raw = raw;
    line.eol = eol;
    std::string trimmed = Trim(raw);
    size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || equals == std::string::npos || equals == 0)
        return line;  // blank line, comment or text that is no entry: kept as it is
    line.isEntry = true;
    line.key = Trim(trimmed.substr(0, equals));
    line.value = DecodeValue(Trim(trimmed.substr(equals + 1)));
    return line;
}

TIniFile::TSection* TIniFile::FindSection(const std::string& name) const
{
    for (TSection& section : sections_)
        if (section.hasHeader && SameText(section.name, name))
            return &section;
    return nullptr;
}

TIniFile::TLine* TIniFile::FindEntry(TSection& section, const std::string& key)
{
    for (TLine& line : section.lines)
        if (line.isEntry && SameText(line.key, key))
            return &line;
    return nullptr;
}

void TIniFile::InsertEntry(TSection& section, TLine line)
{
    // A new key goes after the section's last key (before trailing blank
    // lines and comments), or right below the header when it has none.
    size_t at = 0;
    for (size_t i = 0; i < section.lines.size(); ++i)
        if (section.lines[i].isEntry)
            at = i + 1;
    section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void TIniFile::AppendSection(const std::string& name, TLine line)
{
    TSection& last = sections_.back();
    bool fileEmpty = sections_.size() == 1 && last.lines.empty();
    bool endsBlank = !last.lines.empty() && Trim(last.lines.back().raw).empty();
    if (!fileEmpty && !endsBlank) {
        TLine blank;  // a blank line between sections
        blank.eol = NewLineEnd();
        last.lines.push_back(std::move(blank));
    }
    TSection section{true, name, "[" + name + "]", NewLineEnd(), {}};
    section.lines.push_back(std::move(line));
    sections_.push_back(std::move(section));
}

std::string TIniFile::Serialise() const
{
    std::string out = byteOrderMark_ ? kByteOrderMark : "";
    // A last line without a line end gets one when lines follow it now.
    bool open = false;
    const auto put = [&](const std::string& raw, const std::string& eol) {
        if (open)
            out += NewLineEnd();
        out += raw;
        out += eol;
        open = eol.empty();
    };
    for (const TSection& section : sections_) {
        if (section.hasHeader)
            put(section.header, section.headerEol);
        for (const TLine& line : section.lines)
            put(line.raw, line.eol);
    }
    return out;
}

void TIniFile::Save()
{
    ino_t written = 0;
    try {
        written = WriteIniFile(fileName_, Serialise());
    } catch (...) {
        Invalidate();  // the change did not reach the disk: forget it
        throw;
    }
    // Someone else may have replaced the file right after the rename: the
    // cache is then stale and the next read loads their version.
    TFileStamp stamp = CurrentStamp();
    if (stamp.exists && stamp.inode == written)
        stamp_ = stamp;
    else
        Invalidate();
}

void TIniFile::Invalidate() const
{
    stamp_ = TFileStamp{};
    stamp_.size = -1;  // differs from any state on disk, forcing a re-read
}
