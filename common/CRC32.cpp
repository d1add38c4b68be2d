#include "common/CRC32.h"

#include <zlib.h>

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t BlockSize = 10240;

std::uint32_t Update(std::uint32_t crc, const char* data, std::size_t size)
{
    return static_cast<std::uint32_t>(
        crc32(crc, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
}

}  // namespace

std::uint32_t TCRC32::CalcStreamCRC(std::istream& stream) const
{
    stream.clear();
    const std::istream::pos_type saved = stream.tellg();
    stream.seekg(0, std::ios::beg);

    std::uint32_t crc = Update(0, nullptr, 0);
    std::array<char, BlockSize> block;
    while (stream) {
        stream.read(block.data(), block.size());
        const std::streamsize got = stream.gcount();
        if (got <= 0)
            break;
        crc = Update(crc, block.data(), static_cast<std::size_t>(got));
    }

    // A read that failed (not the end of the stream) must stay visible:
    // the CRC then covers only the part read.
    const bool readFailed = stream.bad();
    stream.clear();
    if (saved != std::istream::pos_type(-1))
        stream.seekg(saved);
    if (readFailed)
        stream.setstate(std::ios::badbit);
    return crc;
}

std::uint32_t TCRC32::CalcStringCRC(const std::string& data)
{
    std::uint32_t crc = Update(0, nullptr, 0);
    for (std::size_t at = 0; at < data.size(); at += BlockSize)
        crc = Update(crc, data.data() + at, std::min(BlockSize, data.size() - at));
    return crc;
}
