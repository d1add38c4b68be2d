#pragma once
// Files going into and out of the catalog's media libraries.
//
// A binary object's file is read in pieces, never more than MaxObjectBytes
// (well below what one SQLite value may hold), and refused when it changes
// while it is read (its size, time or identity differ afterwards, or more
// or fewer bytes came than it had), so that no half-written file is stored
// as if it were whole.
//
// An exported file's proposed name is a plain name of one path component,
// whatever the stored names hold ("../x", "a/b", control characters).
#include <cstdint>
#include <string>

class TAbstractDBConnection;

class TMediaFiles {
public:
    static constexpr std::int64_t MaxObjectBytes = 256LL * 1024 * 1024;

    // The file's bytes. Raises ECriticalTolvexException with a message for
    // the user for a missing or unreadable file, one over MaxBytes, and one
    // that changed while it was read.
    static std::string ReadObjectFile(const std::string& fileName, std::int64_t maxBytes = MaxObjectBytes);

    // A plain file name from Name (its last path component without control
    // characters and leading dots), Fallback when nothing is left, with
    // "." and Extension appended when Extension is not empty.
    static std::string ExportFileName(const std::string& name, const std::string& fallback,
                                      const std::string& extension);
    // The extension a picture of that MIME type is exported with ("image/jpeg": "jpeg").
    static std::string MimeSubtype(const std::string& mimeType);

    // Writes the item's first stored binary value (its picture or object
    // bytes) to FileName; false when the item has none.
    static bool ExportStored(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId,
                             const std::string& fileName);
};
