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
    if (TPictureEncoding::ScaledSize({scale, maxSize, scaleType}, newWidth, newHeight))
        picture = TPictureScaler::Scale(picture, newWidth, newHeight);
    const std::optional<TEncodedPicture> encoded = TPictureEncoding::Encode(picture, mimeType, {});
    if (!encoded)
        return false;
    if (!stream.write(encoded->Bytes.data(), static_cast<std::streamsize>(encoded->Bytes.size())))
        throw ECriticalTolvexException("The encoded picture cannot be written to its stream");
    width = encoded->Width;
    height = encoded->Height;
    bytes = static_cast<std::int64_t>(encoded->Bytes.size());
    writtenMimeType = encoded->MimeType;
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

std::string TCommonImages::PublishedExtension(const std::string& mimeType)
{
    return TCommonFunctions::GetExtensionByMimeType(mimeType, "");
}

std::string TCommonImages::PublishedFileName(const std::string& itemId, const std::string& altFileName,
                                             const std::string& mimeType)
{
    return (altFileName.empty() ? itemId : altFileName) + "." + PublishedExtension(mimeType);
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
