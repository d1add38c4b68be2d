#include "storage/RecordsetXmlInput.h"

#include "common/Exceptions.h"

#include <zlib.h>

#include <memory>
#include <vector>

namespace {

constexpr std::size_t kChunk = 64 * 1024;

[[noreturn]] void RaiseTooLarge(std::size_t limit)
{
    throw EPublisherTolvexException("The record-set document is larger than the allowed " +
                                    std::to_string(limit) + " bytes");
}

// Reads up to Size bytes; the number read (0 at the end of the stream).
std::size_t ReadChunk(std::istream& stream, char* buffer, std::size_t size)
{
    stream.read(buffer, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(stream.gcount());
}

void Rewind(std::istream& stream)
{
    stream.clear();
    stream.seekg(0, std::ios::beg);
    stream.clear();  // a stream that cannot be positioned is read from where it stands
}

std::string ReadPlain(std::istream& stream, std::size_t limit)
{
    std::string bytes;
    std::vector<char> buffer(kChunk);
    while (std::size_t got = ReadChunk(stream, buffer.data(), buffer.size())) {
        if (got > limit - bytes.size())
            RaiseTooLarge(limit);
        bytes.append(buffer.data(), got);
    }
    return bytes;
}

struct TInflateEnd {
    void operator()(z_stream* zstream) const { inflateEnd(zstream); }
};

// Inflates what is in Zstream's input into Bytes; true at the end of the
// compressed data.
bool InflateAvailable(z_stream& zstream, std::string& bytes, std::size_t limit)
{
    std::vector<unsigned char> out(kChunk);
    while (true) {
        zstream.next_out = out.data();
        zstream.avail_out = static_cast<uInt>(out.size());
        const int result = inflate(&zstream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
            std::string reason = zstream.msg ? zstream.msg : "unknown error";
            throw EPublisherTolvexException("The compressed record-set document is damaged: " + reason);
        }
        const std::size_t produced = out.size() - zstream.avail_out;
        if (produced > limit - bytes.size())
            RaiseTooLarge(limit);
        bytes.append(reinterpret_cast<const char*>(out.data()), produced);
        if (result == Z_STREAM_END)
            return true;
        if (zstream.avail_out != 0)
            return false;  // all input used; more is needed
    }
}

std::string ReadCompressed(std::istream& stream, std::size_t limit)
{
    z_stream zstream{};
    if (inflateInit(&zstream) != Z_OK)
        throw ECriticalTolvexException("The decompression could not be started");
    std::unique_ptr<z_stream, TInflateEnd> end(&zstream);
    std::string bytes;
    std::vector<char> in(kChunk);
    while (std::size_t got = ReadChunk(stream, in.data(), in.size())) {
        zstream.next_in = reinterpret_cast<Bytef*>(in.data());
        zstream.avail_in = static_cast<uInt>(got);
        if (InflateAvailable(zstream, bytes, limit))
            return bytes;  // anything after the compressed data is not part of it
    }
    throw EPublisherTolvexException("The compressed record-set document is incomplete");
}

}  // namespace

std::string ReadRecordsetXmlInput(std::istream& stream, bool compressed, std::size_t limit)
{
    Rewind(stream);
    return compressed ? ReadCompressed(stream, limit) : ReadPlain(stream, limit);
}
