#pragma once
// Little-endian reading and writing of the binary headers of picture files.
// The reader checks every access against the bytes it was given and raises
// ECriticalTolvexException instead of reading past them.
#include "common/Exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>

class TPictureByteReader {
public:
    TPictureByteReader(std::string_view bytes, const char* format) : bytes_(bytes), format_(format) {}

    std::size_t Size() const { return bytes_.size(); }
    bool Has(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    // Raises unless Count bytes from Offset are there.
    void Need(std::uint64_t offset, std::uint64_t count) const
    {
        if (!Has(offset, count))
            Fail("the data is truncated");
    }
    std::uint8_t U8(std::uint64_t offset) const
    {
        Need(offset, 1);
        return static_cast<std::uint8_t>(bytes_[offset]);
    }
    std::uint16_t U16(std::uint64_t offset) const
    {
        Need(offset, 2);
        return static_cast<std::uint16_t>(Byte(offset) | Byte(offset + 1) << 8);
    }
    std::uint32_t U32(std::uint64_t offset) const
    {
        Need(offset, 4);
        return Byte(offset) | Byte(offset + 1) << 8 | Byte(offset + 2) << 16 |
               static_cast<std::uint32_t>(Byte(offset + 3)) << 24;
    }
    std::int32_t I32(std::uint64_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    // Count bytes from Offset, checked.
    std::string_view Slice(std::uint64_t offset, std::uint64_t count) const
    {
        Need(offset, count);
        return bytes_.substr(offset, count);
    }
    const std::uint8_t* Data(std::uint64_t offset) const
    {
        return reinterpret_cast<const std::uint8_t*>(bytes_.data()) + offset;
    }

    [[noreturn]] void Fail(const std::string& reason) const
    {
        throw ECriticalTolvexException(std::string("The ") + format_ + " picture cannot be read: " + reason);
    }

private:
    std::uint32_t Byte(std::uint64_t offset) const { return static_cast<std::uint8_t>(bytes_[offset]); }

    std::string_view bytes_;
    const char* format_;
};

class TPictureByteWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void U16(std::uint16_t value)
    {
        U8(static_cast<std::uint8_t>(value));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value)
    {
        U16(static_cast<std::uint16_t>(value));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Append(std::string_view bytes) { bytes_.append(bytes); }
    void Zeros(std::size_t count) { bytes_.append(count, '\0'); }
    void Reserve(std::size_t count) { bytes_.reserve(count); }
    std::size_t Size() const { return bytes_.size(); }
    std::string& Bytes() { return bytes_; }

private:
    std::string bytes_;
};
