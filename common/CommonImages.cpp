// TCommonImages: pictures, their kinds, encoding and transforms.
#include "common/CommonImages.h"

#include "common/CommonBinary.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/PictureCodec.h"
#include "common/PictureScaler.h"
#include "common/PictureTransform.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>

using namespace common_detail;

namespace {

const char* const ImageExtensions[] = {"gif", "jpeg", "jpg", "bmp", "png"};

// The format SavePictureToStream writes for a MIME type.
TPictureKind EncodingKind(const std::string& mimeType)
{
    const std::string type = LowerCase(mimeType);
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

// Shrinks Width and Height to MaxSize as the scale type says; true when a
// side changed. Integer arithmetic; no side becomes smaller than 1.
bool FitToMaxSize(int maxSize, TImageScaleType type, int& width, int& height)
{
    bool changed = false;
    if (maxSize < height && type != TImageScaleType::Horizontal) {
        width = std::max<int>(1, static_cast<int>(std::int64_t{maxSize} * width / height));
        height = maxSize;
        changed = true;
    }
    if (maxSize < width && type != TImageScaleType::Vertical) {
        height = std::max<int>(1, static_cast<int>(std::int64_t{maxSize} * height / width));
        width = maxSize;
        changed = true;
    }
    return changed;
}

}  // namespace

TCommonImages::TCommonImages(std::function<TCommonGui*()> gui) : gui_(std::move(gui))
{
}

// ---- pictures ---------------------------------------------------------------

std::optional<TPictureKind> TCommonImages::KindOfMimeType(const std::string& mimeType)
{
    return PictureKindByExtension(LowerCase(TCommonFunctions::GetExtensionByMimeType(LowerCase(mimeType), "")));
}

std::unique_ptr<TPicture> TCommonImages::LoadGraphicFromBytes(const std::string& mimeType, const std::string& bytes)
{
    const std::optional<TPictureKind> kind = KindOfMimeType(mimeType);
    if (bytes.empty() || !kind)
        return nullptr;
    return std::make_unique<TPicture>(TPictureCodec::ForKind(*kind).Decode(bytes));
}

std::unique_ptr<TPicture> TCommonImages::LoadGraphicFromStream(const std::string& mimeType, std::istream& stream)
{
    stream.clear();
    stream.seekg(0, std::ios::beg);
    const std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    return LoadGraphicFromBytes(mimeType, bytes);
}

std::unique_ptr<TPicture> TCommonImages::LoadGraphicFromField(const std::string& mimeType, const TVariant& field)
{
    const std::optional<std::string> bytes = TCommonBinary::FieldBytes(field);
    return bytes ? LoadGraphicFromBytes(mimeType, *bytes) : nullptr;
}

bool TCommonImages::SavePictureToStream(TPicture& picture, const std::string& mimeType, bool scale, int maxSize,
                                        TImageScaleType scaleType, std::ostream& stream, int& width, int& height,
                                        std::int64_t& bytes, std::string& writtenMimeType)
{
    if (picture.IsEmpty())
        return false;
    int newWidth = picture.Width();
    int newHeight = picture.Height();
    if (scale && maxSize > 0 && FitToMaxSize(maxSize, scaleType, newWidth, newHeight))
        picture = TPictureScaler::Scale(picture, newWidth, newHeight);

    const TPictureKind kind = EncodingKind(mimeType);
    std::string data;
    try {
        data = TPictureCodec::ForKind(kind).Encode(picture);
    } catch (const ECriticalTolvexException&) {
        // The format cannot hold this picture: nothing is written, and
        // nothing of another format stands in for it.
        return false;
    }
    if (!stream.write(data.data(), static_cast<std::streamsize>(data.size())))
        throw ECriticalTolvexException("The encoded picture cannot be written to its stream");
    width = newWidth;
    height = newHeight;
    bytes = static_cast<std::int64_t>(data.size());
    writtenMimeType = PictureKindMimeType(kind);
    return true;
}

void TCommonImages::TransformImage(TPicture& picture, TTransformMode mode) const
{
    std::optional<TWaitCursor> wait;
    if (TCommonGui* gui = gui_ ? gui_() : nullptr)
        wait.emplace(*gui);
    picture = TPictureTransform::Apply(picture, mode);
}

void TCommonImages::FlipVertical(TPicture& picture) const
{
    TransformImage(picture, TTransformMode::FlipTopToBottom);
}

void TCommonImages::FlipHorizontal(TPicture& picture) const
{
    TransformImage(picture, TTransformMode::FlipLeftToRight);
}

void TCommonImages::RotateRight(TPicture& picture) const
{
    TransformImage(picture, TTransformMode::RotateClockwise);
}

void TCommonImages::RotateLeft(TPicture& picture) const
{
    TransformImage(picture, TTransformMode::RotateCounterClockwise);
}

bool TCommonImages::IsImageExtension(const std::string& extension)
{
    const std::string lower = LowerCase(extension);
    return std::find(std::begin(ImageExtensions), std::end(ImageExtensions), lower) != std::end(ImageExtensions);
}

bool TCommonImages::IsImageMimeType(const std::string& mimeType)
{
    const std::string lower = LowerCase(mimeType);
    if (lower.rfind("image/", 0) != 0)
        return false;
    return IsImageExtension(lower.substr(lower.rfind('/') + 1));
}
