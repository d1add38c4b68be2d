// Picture decoders on any bytes: the first byte chooses the format, the rest
// is the file. A decoder answers with a picture or ECriticalTolvexException;
// a picture it gives is written again and read back to the same size.
#include "common/Exceptions.h"
#include "common/PictureCodec.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const TPictureKind kinds[] = {TPictureKind::Bitmap, TPictureKind::Jpeg, TPictureKind::Gif, TPictureKind::Icon,
                                  TPictureKind::Png};
    const TPictureCodec& codec = TPictureCodec::ForKind(kinds[data[0] % 5]);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        const TPicture picture = codec.Decode(bytes);
        if (picture.Width() * static_cast<std::int64_t>(picture.Height()) > 256 * 256)
            return 0;  // writing large pictures again only costs time
        std::string written;
        try {
            written = codec.Encode(picture);
        } catch (const ECriticalTolvexException&) {
            return 0;  // a format that cannot hold the picture (an icon too large)
        }
        const TPicture again = codec.Decode(written);
        FUZZ_CHECK(again.Width() == picture.Width() && again.Height() == picture.Height());
    } catch (const ECriticalTolvexException&) {
    }
    return 0;
}
