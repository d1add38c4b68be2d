#pragma once
// The binary-object helpers. Binary objects (downloadable files) are
// referred to from HTML texts as "../bin/" followed by the item id or the
// alternative file name, "." and the extension. Keeps no state.
#include "common/Variant.h"

#include <optional>
#include <string>
#include <vector>

class TAbstractDBConnection;

class TCommonBinary {
public:
    // Writes the field's bytes to the file (through a temporary file renamed
    // into place) when the file's folder exists; nothing otherwise. A null
    // field writes an empty file. Raises ECriticalTolvexException when the
    // file cannot be written.
    static void SaveBlobToFile(const std::string& fileName, const TVariant& field);
    // Appends every name that follows "../bin/" in the catalog's HTML texts
    // (member types 52 and 53), up to the next "."; names may repeat.
    static void GetUsedBinaryIds(const std::string& catalogCode, std::vector<std::string>& list,
                                 TAbstractDBConnection& connection);

    // The bytes of a blob (or text) field; none for a null field. Raises
    // EDeveloperTolvexException for a field of another kind.
    static std::optional<std::string> FieldBytes(const TVariant& field);
    // Appends, for every occurrence of Marker (any case) in the catalog's
    // HTML texts, the text from after it up to the next "."; an occurrence
    // followed by one of the characters of SkipNext, or by no ".", adds nothing.
    static void AddNamesAfterMarker(const std::string& catalogCode, const std::string& marker,
                                    const std::string& skipNext, std::vector<std::string>& list,
                                    TAbstractDBConnection& connection);
};
