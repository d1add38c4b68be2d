#include "common/JpegCodec.h"

#include "common/Exceptions.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg reports errors through a callback that must not return. The
// callbacks here jump back to the setjmp of the function that called into
// libjpeg. Every function that calls setjmp keeps its C++ objects outside
// the guarded stretch (they are created before setjmp and only read after a
// jump), and the reader and writer free libjpeg's memory in their destructors.

namespace {

// Progressive pictures with more scans than this are refused: each scan
// makes another pass over the whole picture.
constexpr int MaxScans = 500;
// Pictures with more corrupt-data warnings than this are refused.
constexpr int MaxWarnings = 1000;
// Memory libjpeg may take for its work arrays (progressive pictures).
constexpr long MaxWorkMemory = 1024L * 1024L * 1024L;

struct TJpegError {
    jpeg_error_mgr manager;  // first: libjpeg sees a jpeg_error_mgr*
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int warnings;
};

[[noreturn]] void JumpWithMessage(j_common_ptr cinfo)
{
    auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

void OnError(j_common_ptr cinfo)
{
    JumpWithMessage(cinfo);
}

// Warnings (level -1) about corrupt data are counted; trace messages ignored.
// Data that ends before the picture does is an error: libjpeg would fill
// the missing rows with grey and call the picture whole.
void OnMessage(j_common_ptr cinfo, int level)
{
    auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
    if (level < 0 && (cinfo->err->msg_code == JWRN_JPEG_EOF || ++error->warnings > MaxWarnings))
        JumpWithMessage(cinfo);
}

void OnProgress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > MaxScans) {
        auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
        std::snprintf(error->message, sizeof error->message, "more than %d scans", MaxScans);
        std::longjmp(error->jump, 1);
    }
}

void InitError(TJpegError& error)
{
    std::memset(&error, 0, sizeof error);
    jpeg_std_error(&error.manager);
    error.manager.error_exit = OnError;
    error.manager.emit_message = OnMessage;
}

class TJpegReader {
public:
    TJpegReader()
    {
        std::memset(&cinfo_, 0, sizeof cinfo_);
        InitError(error_);
        cinfo_.err = &error_.manager;
        progress_.progress_monitor = OnProgress;
    }
    ~TJpegReader() { jpeg_destroy_decompress(&cinfo_); }
    TJpegReader(const TJpegReader&) = delete;
    TJpegReader& operator=(const TJpegReader&) = delete;

    bool ReadHeader(const std::string& bytes)
    {
        if (setjmp(error_.jump))
            return false;
        jpeg_create_decompress(&cinfo_);
        cinfo_.mem->max_memory_to_use = MaxWorkMemory;
        cinfo_.progress = &progress_;
        jpeg_mem_src(&cinfo_, reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<unsigned long>(bytes.size()));
        if (jpeg_read_header(&cinfo_, TRUE) != JPEG_HEADER_OK) {
            std::snprintf(error_.message, sizeof error_.message, "no image in the data");
            return false;
        }
        const bool cmyk = cinfo_.jpeg_color_space == JCS_CMYK || cinfo_.jpeg_color_space == JCS_YCCK;
        cinfo_.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
        return true;
    }

    // Decodes into Picture, which has the header's size; every output row is
    // 4 bytes a pixel (RGBA, or CMYK for CMYK pictures).
    bool ReadPixels(TPicture& picture)
    {
        if (setjmp(error_.jump))
            return false;
        jpeg_start_decompress(&cinfo_);
        if (cinfo_.output_width != static_cast<JDIMENSION>(picture.Width()) ||
            cinfo_.output_height != static_cast<JDIMENSION>(picture.Height()) ||
            cinfo_.output_components != 4) {
            std::snprintf(error_.message, sizeof error_.message, "unexpected output layout");
            return false;
        }
        while (cinfo_.output_scanline < cinfo_.output_height) {
            JSAMPROW row = picture.Row(static_cast<int>(cinfo_.output_scanline));
            if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1) {
                std::snprintf(error_.message, sizeof error_.message, "no more rows");
                return false;
            }
        }
        jpeg_finish_decompress(&cinfo_);
        return true;
    }

    int Width() const { return static_cast<int>(cinfo_.image_width); }
    int Height() const { return static_cast<int>(cinfo_.image_height); }
    bool IsCmyk() const { return cinfo_.out_color_space == JCS_CMYK; }
    // Adobe writes CMYK JPEGs with the ink values inverted.
    bool IsInvertedCmyk() const { return cinfo_.saw_Adobe_marker; }
    std::string Message() const { return error_.message; }

private:
    jpeg_decompress_struct cinfo_;
    TJpegError error_;
    jpeg_progress_mgr progress_{};
};

void CmykRowsToRgba(TPicture& picture, bool inverted)
{
    std::uint8_t* p = picture.Pixels();
    const std::size_t count = static_cast<std::size_t>(picture.Width()) * picture.Height();
    for (std::size_t i = 0; i < count; ++i, p += 4) {
        int c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        p[0] = static_cast<std::uint8_t>(c * k / 255);
        p[1] = static_cast<std::uint8_t>(m * k / 255);
        p[2] = static_cast<std::uint8_t>(y * k / 255);
        p[3] = 255;
    }
}

class TJpegWriter {
public:
    TJpegWriter()
    {
        std::memset(&cinfo_, 0, sizeof cinfo_);
        InitError(error_);
        cinfo_.err = &error_.manager;
    }
    ~TJpegWriter()
    {
        jpeg_destroy_compress(&cinfo_);
        std::free(output_);
    }
    TJpegWriter(const TJpegWriter&) = delete;
    TJpegWriter& operator=(const TJpegWriter&) = delete;

    // Row is a buffer of 3 x width bytes, made by the caller.
    bool Write(const TPicture& picture, int quality, std::vector<std::uint8_t>& row)
    {
        if (setjmp(error_.jump))
            return false;
        jpeg_create_compress(&cinfo_);
        jpeg_mem_dest(&cinfo_, &output_, &outputSize_);
        cinfo_.image_width = static_cast<JDIMENSION>(picture.Width());
        cinfo_.image_height = static_cast<JDIMENSION>(picture.Height());
        cinfo_.input_components = 3;
        cinfo_.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo_);
        jpeg_set_quality(&cinfo_, quality, TRUE);
        jpeg_start_compress(&cinfo_, TRUE);
        while (cinfo_.next_scanline < cinfo_.image_height) {
            FillRow(picture, static_cast<int>(cinfo_.next_scanline), row.data());
            JSAMPROW rowPointer = row.data();
            jpeg_write_scanlines(&cinfo_, &rowPointer, 1);
        }
        jpeg_finish_compress(&cinfo_);
        return true;
    }

    std::string Bytes() const { return std::string(reinterpret_cast<const char*>(output_), outputSize_); }
    std::string Message() const { return error_.message; }

private:
    // One row as RGB, transparent pixels laid over white.
    static void FillRow(const TPicture& picture, int y, std::uint8_t* out)
    {
        const std::uint8_t* in = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, in += 4, out += 3) {
            const int alpha = in[3];
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<std::uint8_t>((in[c] * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    }

    jpeg_compress_struct cinfo_;
    TJpegError error_;
    unsigned char* output_ = nullptr;  // allocated by libjpeg with malloc
    unsigned long outputSize_ = 0;
};

}  // namespace

TPicture TJpegCodec::Decode(const std::string& bytes) const
{
    TJpegReader reader;
    if (!reader.ReadHeader(bytes))
        throw ECriticalTolvexException("The JPEG picture cannot be read: " + reader.Message());
    TPicture picture(reader.Width(), reader.Height(), TPictureKind::Jpeg);
    if (!reader.ReadPixels(picture))
        throw ECriticalTolvexException("The JPEG picture cannot be read: " + reader.Message());
    if (reader.IsCmyk())
        CmykRowsToRgba(picture, reader.IsInvertedCmyk());
    return picture;
}

std::string TJpegCodec::Encode(const TPicture& picture) const
{
    if (picture.IsEmpty())
        throw ECriticalTolvexException("An empty picture cannot be written as JPEG");
    std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.Width()) * 3);
    TJpegWriter writer;
    if (!writer.Write(picture, quality_, row))
        throw ECriticalTolvexException("The picture cannot be written as JPEG: " + writer.Message());
    return writer.Bytes();
}
