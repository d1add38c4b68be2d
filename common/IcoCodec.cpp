#include "common/IcoCodec.h"

#include "common/BmpCodec.h"
#include "common/PictureBytes.h"
#include "common/PngCodec.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint64_t DirectoryHeaderSize = 6;
constexpr std::uint64_t EntrySize = 16;
constexpr std::size_t MaxAttempts = 8;
constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);

struct TIconEntry {
    int side = 0;  // the larger of width and height as the directory gives them
    int bitCount = 0;
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
};

std::vector<TIconEntry> ReadDirectory(const TPictureByteReader& in)
{
    if (in.U16(0) != 0 || (in.U16(2) != 1 && in.U16(2) != 2))
        in.Fail("no icon header");
    const unsigned count = in.U16(4);
    if (count == 0)
        in.Fail("the icon holds no image");
    in.Need(DirectoryHeaderSize, count * EntrySize);
    std::vector<TIconEntry> entries;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint64_t at = DirectoryHeaderSize + i * EntrySize;
        const int width = in.U8(at) == 0 ? 256 : in.U8(at);
        const int height = in.U8(at + 1) == 0 ? 256 : in.U8(at + 1);
        entries.push_back({std::max(width, height), in.U16(at + 6), in.U32(at + 8), in.U32(at + 12)});
    }
    // Largest first, then deepest colours; equal entries keep their order.
    std::stable_sort(entries.begin(), entries.end(), [](const TIconEntry& a, const TIconEntry& b) {
        return a.side != b.side ? a.side > b.side : a.bitCount > b.bitCount;
    });
    return entries;
}

TPicture DecodeEntry(const TPictureByteReader& in, const TIconEntry& entry)
{
    const std::string_view data = in.Slice(entry.offset, entry.size);
    if (data.substr(0, PngSignature.size()) == PngSignature) {
        TPicture picture = TPngCodec().Decode(std::string(data));
        picture.SetKind(TPictureKind::Icon);
        return picture;
    }
    return TBmpCodec::DecodeDib(data, std::nullopt, true, "icon");
}

}  // namespace

TPicture TIcoCodec::Decode(const std::string& bytes) const
{
    const TPictureByteReader in(bytes, "icon");
    std::string firstError;
    std::vector<std::uint32_t> tried;
    for (const TIconEntry& entry : ReadDirectory(in)) {
        // Each image is tried once, and only a few of them: a damaged
        // directory must not make the reader decode the same data many times.
        if (std::find(tried.begin(), tried.end(), entry.offset) != tried.end())
            continue;
        if (tried.size() == MaxAttempts)
            break;
        tried.push_back(entry.offset);
        try {
            return DecodeEntry(in, entry);
        } catch (const ECriticalTolvexException& error) {
            if (firstError.empty())
                firstError = error.what();
        }
    }
    throw ECriticalTolvexException(firstError);
}

std::string TIcoCodec::Encode(const TPicture& picture) const
{
    if (picture.IsEmpty())
        throw ECriticalTolvexException("An empty picture cannot be written as an icon");
    if (picture.Width() > MaxSide || picture.Height() > MaxSide)
        throw ECriticalTolvexException("An icon cannot be larger than 256 x 256 pixels");
    const std::string image = TBmpCodec::EncodeIconDib(picture);
    TPictureByteWriter out;
    out.U16(0);
    out.U16(1);  // icon
    out.U16(1);  // one image
    out.U8(static_cast<std::uint8_t>(picture.Width() % 256));  // 256 is written as 0
    out.U8(static_cast<std::uint8_t>(picture.Height() % 256));
    out.U8(0);   // no colour table
    out.U8(0);
    out.U16(1);  // planes
    out.U16(32); // bits a pixel
    out.U32(static_cast<std::uint32_t>(image.size()));
    out.U32(static_cast<std::uint32_t>(DirectoryHeaderSize + EntrySize));
    out.Append(image);
    return std::move(out.Bytes());
}
