#include "common/PictureEncoding.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/PictureCodec.h"
#include "common/PictureScaler.h"

#include <algorithm>
#include <cstdint>

bool TPictureEncoding::ScaledSize(const TPictureScaling& scaling, int& width, int& height)
{
    if (!scaling.Scale || scaling.MaxSize <= 0)
        return false;
    const int maxSize = scaling.MaxSize;
    bool changed = false;
    if (maxSize < height && scaling.Type != TImageScaleType::Horizontal) {
        width = std::max<int>(1, static_cast<int>(std::int64_t{maxSize} * width / height));
        height = maxSize;
        changed = true;
    }
    if (maxSize < width && scaling.Type != TImageScaleType::Vertical) {
        height = std::max<int>(1, static_cast<int>(std::int64_t{maxSize} * height / width));
        width = maxSize;
        changed = true;
    }
    return changed;
}

TPictureKind TPictureEncoding::KindForMimeType(const std::string& mimeType)
{
    const std::string type = common_detail::LowerCase(mimeType);
    if (type == "image/gif")
        return TPictureKind::Gif;
    if (type == "image/bmp")
        return TPictureKind::Bitmap;
    if (type == "application/x-ico")
        return TPictureKind::Icon;
    if (type == "image/png")
        return TPictureKind::Png;
    return TPictureKind::Jpeg;
}

std::optional<TEncodedPicture> TPictureEncoding::Encode(const TPicture& picture, const std::string& mimeType,
                                                        const TPictureScaling& scaling, std::string* reason)
{
    if (picture.IsEmpty()) {
        if (reason)
            *reason = "The picture has no width or no height";
        return std::nullopt;
    }
    TEncodedPicture encoded;
    encoded.Width = picture.Width();
    encoded.Height = picture.Height();
    const TPictureKind kind = KindForMimeType(mimeType);
    try {
        if (ScaledSize(scaling, encoded.Width, encoded.Height))
            encoded.Bytes =
                TPictureCodec::ForKind(kind).Encode(TPictureScaler::Scale(picture, encoded.Width, encoded.Height));
        else
            encoded.Bytes = TPictureCodec::ForKind(kind).Encode(picture);
    } catch (const ECriticalTolvexException& error) {
        // The format cannot hold this picture: nothing of another format stands in for it.
        if (reason)
            *reason = error.what();
        return std::nullopt;
    }
    encoded.MimeType = PictureKindMimeType(kind);
    return encoded;
}
