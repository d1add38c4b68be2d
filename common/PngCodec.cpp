#include "common/PngCodec.h"

#include "common/Exceptions.h"

#include <cstring>
#include <vector>

#include <png.h>

namespace {

// Frees libpng's part of a png_image on every way out.
class TPngImage {
public:
    TPngImage()
    {
        std::memset(&image_, 0, sizeof image_);
        image_.version = PNG_IMAGE_VERSION;
    }
    ~TPngImage() { png_image_free(&image_); }
    TPngImage(const TPngImage&) = delete;
    TPngImage& operator=(const TPngImage&) = delete;

    png_image* operator->() { return &image_; }
    png_image& operator*() { return image_; }
    std::string Message() const { return image_.message; }

private:
    png_image image_;
};

[[noreturn]] void Fail(const std::string& what, const std::string& message)
{
    throw ECriticalTolvexException(what + ": " + message);
}

// The opaque picture's pixels without their alpha bytes.
std::vector<std::uint8_t> RgbPixels(const TPicture& picture)
{
    const std::size_t count = static_cast<std::size_t>(picture.Width()) * picture.Height();
    std::vector<std::uint8_t> rgb(count * 3);
    const std::uint8_t* in = picture.Pixels();
    for (std::size_t i = 0; i < count; ++i) {
        rgb[i * 3] = in[i * 4];
        rgb[i * 3 + 1] = in[i * 4 + 1];
        rgb[i * 3 + 2] = in[i * 4 + 2];
    }
    return rgb;
}

}  // namespace

TPicture TPngCodec::Decode(const std::string& bytes) const
{
    const char* what = "The PNG picture cannot be read";
    TPngImage image;
    if (!png_image_begin_read_from_memory(&*image, bytes.data(), bytes.size()))
        Fail(what, image.Message());
    TPicture picture(image->width, image->height, TPictureKind::Png);
    image->format = PNG_FORMAT_RGBA;
    if (!png_image_finish_read(&*image, nullptr, picture.Pixels(),
                               static_cast<png_int_32>(picture.Width()) * 4, nullptr))
        Fail(what, image.Message());
    return picture;
}

std::string TPngCodec::Encode(const TPicture& picture) const
{
    const char* what = "The picture cannot be written as PNG";
    if (picture.IsEmpty())
        Fail(what, "it is empty");
    const bool alpha = picture.HasTransparency();
    std::vector<std::uint8_t> rgb;
    if (!alpha)
        rgb = RgbPixels(picture);

    TPngImage image;
    image->width = static_cast<png_uint_32>(picture.Width());
    image->height = static_cast<png_uint_32>(picture.Height());
    image->format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const void* pixels = alpha ? static_cast<const void*>(picture.Pixels()) : rgb.data();

    // The bound on the compressed size lets one pass write the file.
    std::string bytes(PNG_IMAGE_PNG_SIZE_MAX(*image), '\0');
    png_alloc_size_t size = bytes.size();
    if (!png_image_write_to_memory(&*image, bytes.data(), &size, 0, pixels, 0, nullptr))
        Fail(what, image.Message());
    bytes.resize(size);
    return bytes;
}
