#include "storage/RecordsetXmlOutput.h"

#include "common/Exceptions.h"

#include <algorithm>
#include <climits>

namespace {

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

TRecordsetXmlOutput::TRecordsetXmlOutput(std::ostream& stream, bool compress)
    : stream_(stream), compress_(compress)
{
    if (!compress_)
        return;
    if (deflateInit(&zstream_, Z_BEST_COMPRESSION) != Z_OK)
        throw ECriticalTolvexException("The compression could not be started");
    buffer_.resize(kChunk);
}

TRecordsetXmlOutput::~TRecordsetXmlOutput()
{
    if (compress_)
        deflateEnd(&zstream_);
}

void TRecordsetXmlOutput::WriteToStream(const char* data, std::size_t size)
{
    if (!stream_.write(data, static_cast<std::streamsize>(size)))
        throw ECriticalTolvexException("The record-set document could not be written to its stream");
}

void TRecordsetXmlOutput::Deflate(int flush)
{
    int result = Z_OK;
    do {
        zstream_.next_out = buffer_.data();
        zstream_.avail_out = static_cast<uInt>(buffer_.size());
        result = deflate(&zstream_, flush);
        if (result == Z_STREAM_ERROR)
            throw ECriticalTolvexException("The record-set document could not be compressed");
        WriteToStream(reinterpret_cast<const char*>(buffer_.data()), buffer_.size() - zstream_.avail_out);
    } while (zstream_.avail_out == 0 && result != Z_STREAM_END);
}

void TRecordsetXmlOutput::Write(const char* data, std::size_t size)
{
    if (!compress_) {
        WriteToStream(data, size);
        return;
    }
    while (size > 0) {
        const std::size_t part = std::min<std::size_t>(size, UINT_MAX);
        zstream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        zstream_.avail_in = static_cast<uInt>(part);
        Deflate(Z_NO_FLUSH);
        data += part;
        size -= part;
    }
}

void TRecordsetXmlOutput::Finish()
{
    if (compress_) {
        zstream_.next_in = nullptr;
        zstream_.avail_in = 0;
        Deflate(Z_FINISH);
    }
    if (!stream_.flush())
        throw ECriticalTolvexException("The record-set document could not be written to its stream");
}
