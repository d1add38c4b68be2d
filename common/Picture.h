#pragma once
// A decoded picture: width, height and 32-bit RGBA pixels (rows top to
// bottom, no padding, alpha not premultiplied), together with the kind of
// file it came from. Pictures are what the image helpers load from stored
// image data, transform and encode again.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The file formats a picture can be read from and written to.
enum class TPictureKind { Bitmap, Jpeg, Gif, Icon, Png };

// One pixel; Alpha 0 is fully transparent, 255 opaque.
struct TRgba {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    std::uint8_t Alpha = 0;
    bool operator==(const TRgba&) const = default;
};

class TPicture {
public:
    // The largest picture the program decodes or creates: 100 megapixels.
    static constexpr std::int64_t MaxPixels = 100'000'000;

    TPicture() = default;
    // A picture of the given size, every pixel transparent black. Raises
    // ECriticalTolvexException for a size that is not positive or exceeds MaxPixels.
    TPicture(std::int64_t width, std::int64_t height, TPictureKind kind = TPictureKind::Bitmap);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    TPictureKind Kind() const { return kind_; }
    void SetKind(TPictureKind kind) { kind_ = kind; }

    // Raw pixels: 4 bytes (red, green, blue, alpha) a pixel.
    std::uint8_t* Pixels() { return pixels_.data(); }
    const std::uint8_t* Pixels() const { return pixels_.data(); }
    std::uint8_t* Row(int y) { return pixels_.data() + RowOffset(y); }
    const std::uint8_t* Row(int y) const { return pixels_.data() + RowOffset(y); }

    TRgba GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TRgba color);
    // Every pixel set to Color.
    void Fill(TRgba color);
    // True when some pixel is not fully opaque.
    bool HasTransparency() const;

    // Raises ECriticalTolvexException unless 0 < width, 0 < height and
    // width x height <= MaxPixels.
    static void CheckSize(std::int64_t width, std::int64_t height);

    bool operator==(const TPicture&) const = default;

private:
    std::size_t RowOffset(int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) * 4; }

    int width_ = 0;
    int height_ = 0;
    TPictureKind kind_ = TPictureKind::Bitmap;
    std::vector<std::uint8_t> pixels_;
};

// The kind that reads files of an extension (lower case, without dot):
// "jpeg", "gif", "bmp", "ico" and "png"; none for any other extension.
std::optional<TPictureKind> PictureKindByExtension(const std::string& extension);
// The MIME type of files of a kind ("image/jpeg", "application/x-ico", ...).
std::string PictureKindMimeType(TPictureKind kind);
