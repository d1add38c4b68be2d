#include "common/Picture.h"

#include "common/Exceptions.h"

#include <string>


TPicture::TPicture(std::int64_t width, std::int64_t height, TPictureKind kind)
{
    CheckSize(width, height);
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    kind_ = kind;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
}

void TPicture::CheckSize(std::int64_t width, std::int64_t height)
{
    if (width <= 0 || height <= 0)
        throw ECriticalTolvexException("The picture has no width or no height");
    // Checked one side at a time first, so the product cannot overflow.
    if (width > MaxPixels || height > MaxPixels || width * height > MaxPixels)
        throw ECriticalTolvexException("The picture is too large (" + std::to_string(width) + " x " +
                                       std::to_string(height) + " pixels)");
}

TRgba TPicture::GetPixel(int x, int y) const
{
    const std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

void TPicture::SetPixel(int x, int y, TRgba color)
{
    std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 4;
    p[0] = color.Red;
    p[1] = color.Green;
    p[2] = color.Blue;
    p[3] = color.Alpha;
}

void TPicture::Fill(TRgba color)
{
    for (std::size_t i = 0; i < pixels_.size(); i += 4) {
        pixels_[i] = color.Red;
        pixels_[i + 1] = color.Green;
        pixels_[i + 2] = color.Blue;
        pixels_[i + 3] = color.Alpha;
    }
}

bool TPicture::HasTransparency() const
{
    for (std::size_t i = 3; i < pixels_.size(); i += 4)
        if (pixels_[i] != 255)
            return true;
    return false;
}

std::optional<TPictureKind> PictureKindByExtension(const std::string& extension)
{
    if (extension == "jpeg")
        return TPictureKind::Jpeg;
    if (extension == "gif")
        return TPictureKind::Gif;
    if (extension == "bmp")
        return TPictureKind::Bitmap;
    if (extension == "ico")
        return TPictureKind::Icon;
    if (extension == "png")
        return TPictureKind::Png;
    return std::nullopt;
}

std::string PictureKindMimeType(TPictureKind kind)
{
    switch (kind) {
    case TPictureKind::Jpeg: return "image/jpeg";
    case TPictureKind::Gif: return "image/gif";
    case TPictureKind::Bitmap: return "image/bmp";
    case TPictureKind::Icon: return "application/x-ico";
    case TPictureKind::Png: return "image/png";
    }
    return "image/bmp";
}
