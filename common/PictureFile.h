#pragma once
// Pictures the user brings in (a file on disk, a download) read safely: the
// size of the data is checked before a byte of it is read or decoded, the
// picture's size before its pixels are made (TPicture::CheckSize), and the
// format comes from the bytes themselves, so that a PNG named ".jpg" or
// sent as "text/plain" still reads, and HTML sent as "image/png" does not. Each refusal raises ECriticalTolvexException with a message the
// user can act on, before anything is stored.
#include "common/Picture.h"

#include <cstdint>
#include <optional>
#include <string>

class TPictureFile {
public:
    // Larger files and downloads are refused before they are read.
    static constexpr std::int64_t MaxBytes = 64LL * 1024 * 1024;

    // The format the bytes are written in, by their first bytes; none for
    // bytes of no format the program reads.
    static std::optional<TPictureKind> KindOfBytes(const std::string& bytes);
    // The picture in the file. Raises for a missing or unreadable file, a
    // file over MaxBytes, data of no picture format, and a picture that is
    // damaged or too large.
    static TPicture Load(const std::string& fileName);
    // The picture in Bytes (a download), whatever type its sender gave.
    static TPicture Decode(const std::string& bytes);
};
