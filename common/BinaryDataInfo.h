#pragma once
// What is known of a stored binary value without reading its bytes.
#include <cstdint>
#include <string>

class TBinaryDataInfo {
public:
    std::uint32_t Crc = 0;     // CRC-32 stored with the value (column DataCrc)
    std::string MimeType;      // column DataMimeType
    std::int64_t Bytes = 0;    // size in bytes (column DataBytes)
};
