#pragma once
// The bytes of a record-set document on their way into a stream: as they
// are, or zlib-compressed (zlib format) at the maximum level.
#include <cstddef>
#include <ostream>
#include <vector>

#include <zlib.h>

class TRecordsetXmlOutput {
public:
    TRecordsetXmlOutput(std::ostream& stream, bool compress);
    ~TRecordsetXmlOutput();
    TRecordsetXmlOutput(const TRecordsetXmlOutput&) = delete;
    TRecordsetXmlOutput& operator=(const TRecordsetXmlOutput&) = delete;

    // ECriticalTolvexException when the stream refuses the bytes.
    void Write(const char* data, std::size_t size);
    // Ends the compressed data and flushes the stream; call once, at the end.
    void Finish();

private:
    void Deflate(int flush);
    void WriteToStream(const char* data, std::size_t size);

    std::ostream& stream_;
    bool compress_;
    z_stream zstream_{};
    std::vector<unsigned char> buffer_;
};
