#pragma once
// The change list of FTP publishing ("siteinfo.zip" on the server): the
// CRC-32 of every file that reached the server, by its name. Stored as a
// zlib stream (maximum compression) of the XML document
//   <Files CatalogCode="shop"><File Name="\css\12.css" CRC32="-1234"/>...</Files>
// A name is the file's path below the staging folder in lower case with
// backslashes ("\en\index.html"); a CRC-32 is written as a signed 32-bit
// decimal number.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TFtpChangeList {
public:
    // The most bytes a change list may unpack to.
    static constexpr std::size_t kMaxDocumentBytes = 64u * 1024 * 1024;

    // Replaces the list with the one in the compressed bytes. Bytes that
    // cannot be unpacked or read leave the list empty: the previous run's
    // list is then as good as missing and every file counts as changed.
    void Load(const std::string& compressed);
    // Gives an empty list its root with the catalog code.
    void EnsureRoot(const std::string& catalogCode);
    bool HasRoot() const { return hasRoot_; }

    // True when the name has no entry, or an entry with another CRC-32.
    bool IsChanged(const std::string& name, std::uint32_t crc) const;
    // Sets the name's CRC-32, adding the name at the end when it is new.
    void Record(const std::string& name, std::uint32_t crc);
    // Sets the name's CRC-32 text as another list had it (Forget's answer).
    void Restore(const std::string& name, const std::string& crcText);
    // Removes the entries of the names; answers the removed entries, name -> CRC-32 text.
    std::map<std::string, std::string> Forget(const std::set<std::string>& names);

    // The document, and the document compressed as stored on the server.
    std::string Xml() const;
    std::string Compressed() const;

    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }
    const std::string& CatalogCode() const { return catalogCode_; }

    // The CRC-32 as a signed decimal ("-2147483648" for 0x80000000).
    static std::string CrcText(std::uint32_t crc);
    // The entry name of a file below the staging folder ("\css\1.css").
    static std::string EntryName(const std::string& stagingFolder, const std::string& fileName);

private:
    bool hasRoot_ = false;
    std::string catalogCode_;
    // Name -> CRC-32 text, in the order of the document.
    std::vector<std::pair<std::string, std::string>> entries_;
    std::map<std::string, std::size_t> index_;
};
