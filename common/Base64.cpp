#include "common/Base64.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::size_t ChunkSize = 2736;  // 48 lines of 57 bytes
constexpr std::size_t LineBytes = 57;    // one line of 76 characters
constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

void EncodeGroup(const unsigned char* in, std::size_t count, std::string& out)
{
    const std::uint32_t bits = (std::uint32_t{in[0]} << 16) |
                               (count > 1 ? std::uint32_t{in[1]} << 8 : 0) |
                               (count > 2 ? std::uint32_t{in[2]} : 0);
    out += Alphabet[(bits >> 18) & 63];
    out += Alphabet[(bits >> 12) & 63];
    out += count > 1 ? Alphabet[(bits >> 6) & 63] : '=';
    out += count > 2 ? Alphabet[bits & 63] : '=';
}

void EncodeLine(const char* data, std::size_t size, std::string& out)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    for (std::size_t at = 0; at < size; at += 3)
        EncodeGroup(bytes + at, std::min<std::size_t>(3, size - at), out);
}

// A complete chunk: every line followed by CR LF. The last, shorter chunk:
// CR LF only between its lines.
std::string EncodeChunk(const char* data, std::size_t size)
{
    std::string out;
    const bool complete = size == ChunkSize;
    for (std::size_t at = 0; at < size; at += LineBytes) {
        if (at > 0 && !complete)
            out += "\r\n";
        EncodeLine(data + at, std::min(LineBytes, size - at), out);
        if (complete)
            out += "\r\n";
    }
    return out;
}

int AlphabetValue(unsigned char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Decoding state carried across chunks: up to three pending characters.
class TDecoder {
public:
    void Feed(const char* text, std::size_t size, std::string& out)
    {
        for (std::size_t i = 0; i < size; ++i) {
            const int value = AlphabetValue(static_cast<unsigned char>(text[i]));
            if (value < 0)
                continue;
            bits_ = (bits_ << 6) | static_cast<std::uint32_t>(value);
            if (++count_ == 4) {
                Emit(3, out);
                bits_ = 0;
                count_ = 0;
            }
        }
    }
    // Three pending characters give two bytes, two give one, one gives nothing.
    void Finish(std::string& out)
    {
        if (count_ >= 2) {
            bits_ <<= 6 * (4 - count_);
            Emit(count_ - 1, out);
        }
        bits_ = 0;
        count_ = 0;
    }

private:
    void Emit(int bytes, std::string& out) const
    {
        out += static_cast<char>((bits_ >> 16) & 0xFF);
        if (bytes > 1) out += static_cast<char>((bits_ >> 8) & 0xFF);
        if (bytes > 2) out += static_cast<char>(bits_ & 0xFF);
    }

    std::uint32_t bits_ = 0;
    int count_ = 0;
};

// Reads up to one chunk; the number of bytes read.
std::size_t ReadChunk(std::istream& input, std::array<char, ChunkSize>& chunk)
{
    input.read(chunk.data(), chunk.size());
    return static_cast<std::size_t>(input.gcount());
}

}  // namespace

void Base64EncodeStream(std::istream& input, std::ostream& output)
{
    std::array<char, ChunkSize> chunk;
    for (;;) {
        const std::size_t got = ReadChunk(input, chunk);
        output << EncodeChunk(chunk.data(), got);
        if (got < ChunkSize)
            break;
    }
}

void Base64DecodeStream(std::istream& input, std::ostream& output)
{
    std::array<char, ChunkSize> chunk;
    TDecoder decoder;
    std::string out;
    for (;;) {
        const std::size_t got = ReadChunk(input, chunk);
        out.clear();
        decoder.Feed(chunk.data(), got, out);
        output << out;
        if (got < ChunkSize)
            break;
    }
    out.clear();
    decoder.Finish(out);
    output << out;
}

std::string Base64Encode(const std::string& data)
{
    std::string out;
    std::size_t at = 0;
    for (; data.size() - at >= ChunkSize; at += ChunkSize)
        out += EncodeChunk(data.data() + at, ChunkSize);
    out += EncodeChunk(data.data() + at, data.size() - at);
    return out;
}

std::string Base64Decode(const std::string& text)
{
    std::string out;
    TDecoder decoder;
    decoder.Feed(text.data(), text.size(), out);
    decoder.Finish(out);
    return out;
}
