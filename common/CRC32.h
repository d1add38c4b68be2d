#pragma once
// CRC-32 of ISO 3309 / ITU-T V.42 (the checksum of zip and zlib: reflected
// polynomial EDB88320, initial value all ones, final value complemented).
// It checks stored binary values, update files and the files of FTP publishing.
#include <cstdint>
#include <istream>
#include <string>

class TCRC32 {
public:
    // The CRC-32 of the whole stream, whatever its current position; the
    // position is left where it was. Read in blocks of at most 10240 bytes.
    // When a read fails the stream is left bad (after its position was
    // restored) and the value is not the CRC of the stream: check bad().
    std::uint32_t CalcStreamCRC(std::istream& stream) const;
    // The CRC-32 of bytes held in memory.
    static std::uint32_t CalcStringCRC(const std::string& data);
};
