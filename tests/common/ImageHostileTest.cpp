// Hostile picture data: truncated and corrupted files of every format, and
// headers that claim huge pictures, must end in ECriticalTolvexException or
// a sound picture - never a crash, a hang or an unbounded allocation.
#include "common/CRC32.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/PictureBytes.h"
#include "common/PictureCodec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

TPicture Sample(int width, int height)
{
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x * 16), static_cast<std::uint8_t>(y * 16),
                                    static_cast<std::uint8_t>(x * y), static_cast<std::uint8_t>(x == y ? 0 : 255)});
    return picture;
}

std::string Encode(TPictureKind kind, const TPicture& picture)
{
    return TPictureCodec::ForKind(kind).Encode(picture);
}

// A progressive JPEG: its decoding takes other paths than baseline.
std::string ProgressiveJpeg()
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 16;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(16 * 3);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 48; ++x)
            row[x] = static_cast<std::uint8_t>(x * 5 + y * 9);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<char*>(out), size);
    std::free(out);
    return bytes;
}

// An 8-bit run-length bitmap of 8 x 4 pixels.
std::string RunLengthBitmap()
{
    TPictureByteWriter out;
    const std::string pixels("\x04\x01\x00\x02\x02\x01\x03\x02\x00\x00\x08\x01\x00\x01", 14);
    out.U8('B');
    out.U8('M');
    out.U32(14 + 40 + 8 + 14);
    out.U32(0);
    out.U32(14 + 40 + 8);
    out.U32(40);
    out.I32(8);
    out.I32(4);
    out.U16(1);
    out.U16(8);
    out.U32(1);
    out.U32(static_cast<std::uint32_t>(pixels.size()));
    out.Zeros(8);
    out.U32(2);
    out.U32(0);
    out.U32(0x000000FF);
    out.U32(0x00FF0000);
    out.Append(pixels);
    return out.Bytes();
}

// An icon whose one image is a PNG.
std::string PngIcon()
{
    const std::string png = Encode(TPictureKind::Png, Sample(16, 16));
    TPictureByteWriter out;
    out.U16(0);
    out.U16(1);
    out.U16(1);
    out.U8(16);
    out.U8(16);
    out.U16(0);
    out.U16(1);
    out.U16(32);
    out.U32(static_cast<std::uint32_t>(png.size()));
    out.U32(22);
    out.Append(png);
    return out.Bytes();
}

struct TSeed {
    const char* what;
    std::string mimeType;
    std::string bytes;
};

std::vector<TSeed> Seeds()
{
    const TPicture sample = Sample(16, 16);
    return {
        {"baseline JPEG", "image/jpeg", Encode(TPictureKind::Jpeg, sample)},
        {"progressive JPEG", "image/jpeg", ProgressiveJpeg()},
        {"PNG", "image/png", Encode(TPictureKind::Png, sample)},
        {"GIF", "image/gif", Encode(TPictureKind::Gif, sample)},
        {"32-bit bitmap", "image/bmp", Encode(TPictureKind::Bitmap, sample)},
        {"RLE8 bitmap", "image/bmp", RunLengthBitmap()},
        {"bitmap icon", "application/x-ico", Encode(TPictureKind::Icon, sample)},
        {"PNG icon", "application/x-ico", PngIcon()},
    };
}

// Decodes and checks the outcome: a sound picture or the program's error.
void ExpectSafeDecode(const TSeed& seed, const std::string& bytes, const std::string& variant)
{
    try {
        const std::unique_ptr<TPicture> picture = TCommonImages::LoadGraphicFromBytes(seed.mimeType, bytes);
        if (picture) {
            EXPECT_GT(picture->Width(), 0) << variant;
            EXPECT_LE(std::int64_t{picture->Width()} * picture->Height(), TPicture::MaxPixels) << variant;
        }
    } catch (const ECriticalTolvexException&) {
        // refused: fine
    } catch (const std::exception& e) {
        ADD_FAILURE() << seed.what << ", " << variant << ": unexpected " << e.what();
    }
}

}  // namespace

TEST(ImageHostile, EveryTruncationOfEveryFormatIsSafe)
{
    for (const TSeed& seed : Seeds()) {
        SCOPED_TRACE(seed.what);
        ASSERT_NE(TCommonImages::LoadGraphicFromBytes(seed.mimeType, seed.bytes), nullptr) << "the seed itself reads";
        for (std::size_t length = 1; length < seed.bytes.size(); ++length)
            ExpectSafeDecode(seed, seed.bytes.substr(0, length), "cut to " + std::to_string(length));
    }
}

TEST(ImageHostile, CorruptedBytesOfEveryFormatAreSafe)
{
    std::mt19937 random(20240607);
    for (const TSeed& seed : Seeds()) {
        SCOPED_TRACE(seed.what);
        std::uniform_int_distribution<std::size_t> position(0, seed.bytes.size() - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        std::uniform_int_distribution<int> count(1, 6);
        for (int round = 0; round < 400; ++round) {
            std::string bytes = seed.bytes;
            // Mostly the headers: they hold the sizes, offsets and counts.
            const std::size_t span = round % 2 ? bytes.size() : std::min<std::size_t>(bytes.size(), 128);
            for (int n = count(random); n > 0; --n)
                bytes[position(random) % span] = static_cast<char>(round % 3 ? byte(random) : 0xFF);
            ExpectSafeDecode(seed, bytes, "round " + std::to_string(round));
        }
    }
}

namespace {

void PutBigEndian16(std::string& bytes, std::size_t at, unsigned value)
{
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value);
}

std::string BigEndian32(std::uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

// A PNG file whose header claims the size and that has no pixel data.
std::string PngClaiming(std::uint32_t width, std::uint32_t height)
{
    const std::string header = "IHDR" + BigEndian32(width) + BigEndian32(height) + std::string("\x08\x06\0\0\0", 5);
    return "\x89PNG\r\n\x1A\n" + BigEndian32(13) + header + BigEndian32(TCRC32::CalcStringCRC(header)) +
           BigEndian32(0) + "IEND" + BigEndian32(TCRC32::CalcStringCRC("IEND"));
}

std::string JpegClaiming(unsigned width, unsigned height)
{
    std::string bytes = Encode(TPictureKind::Jpeg, Sample(8, 8));
    const std::size_t frame = bytes.find("\xFF\xC0");
    PutBigEndian16(bytes, frame + 5, height);
    PutBigEndian16(bytes, frame + 7, width);
    return bytes;
}

std::string GifClaiming(unsigned width, unsigned height)
{
    std::string bytes = Encode(TPictureKind::Gif, Sample(8, 8));
    bytes[6] = static_cast<char>(width), bytes[7] = static_cast<char>(width >> 8);
    bytes[8] = static_cast<char>(height), bytes[9] = static_cast<char>(height >> 8);
    return bytes;
}

std::string BitmapClaiming(std::int32_t width, std::int32_t height, std::uint32_t colors)
{
    std::string bytes = RunLengthBitmap();
    TPictureByteWriter patch;
    patch.I32(width);
    patch.I32(height);
    bytes.replace(18, 8, patch.Bytes());
    TPictureByteWriter count;
    count.U32(colors);
    bytes.replace(46, 4, count.Bytes());
    return bytes;
}

// An icon directory of 65535 entries that all point past the file's end.
std::string IconOfManyBrokenEntries()
{
    TPictureByteWriter out;
    out.U16(0);
    out.U16(1);
    out.U16(65535);
    for (int i = 0; i < 65535; ++i) {
        out.U8(0);
        out.U8(0);
        out.U16(0);
        out.U16(1);
        out.U16(32);
        out.U32(1000);
        out.U32(static_cast<std::uint32_t>(i) * 7);
    }
    return out.Bytes();
}

}  // namespace

TEST(ImageHostile, HeadersClaimingHugePicturesAreRefusedBeforeAnyPixelMemory)
{
    struct Case { const char* what; std::string mimeType; std::string bytes; };
    const Case cases[] = {
        {"PNG of 100000 x 100000", "image/png", PngClaiming(100000, 100000)},
        {"PNG of 4 billion x 1", "image/png", PngClaiming(0xFFFFFFFFu, 1)},
        {"JPEG of 60000 x 60000", "image/jpeg", JpegClaiming(60000, 60000)},
        {"GIF screen of 65535 x 65535", "image/gif", GifClaiming(65535, 65535)},
        {"bitmap of 30000 x 30000", "image/bmp", BitmapClaiming(30000, 30000, 0)},
        {"bitmap of the most negative height", "image/bmp", BitmapClaiming(10, INT32_MIN, 0)},
        {"bitmap with a negative width", "image/bmp", BitmapClaiming(-5, 4, 0)},
        {"bitmap with 4 billion palette colours", "image/bmp", BitmapClaiming(8, 4, 0xFFFFFFFFu)},
        {"icon of 65535 broken entries", "application/x-ico", IconOfManyBrokenEntries()},
    };
    for (const Case& c : cases)
        EXPECT_THROW(TCommonImages::LoadGraphicFromBytes(c.mimeType, c.bytes), ECriticalTolvexException) << c.what;
}
