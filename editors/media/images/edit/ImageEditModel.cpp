#include "editors/media/images/edit/ImageEditModel.h"

#include "common/BinaryDataInfo.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/JpegCodec.h"
#include "common/PictureCodec.h"
#include "common/PictureFile.h"
#include "common/PictureScaler.h"
#include "common/PictureTransform.h"
#include "storage/AbstractCObject.h"
#include "storage/CatalogTables.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

TPictureKind KindOf(TImageEditModel::TFormat format)
{
    switch (format) {
    case TImageEditModel::TFormat::Gif: return TPictureKind::Gif;
    case TImageEditModel::TFormat::Bitmap: return TPictureKind::Bitmap;
    case TImageEditModel::TFormat::Png: return TPictureKind::Png;
    case TImageEditModel::TFormat::Jpeg: break;
    }
    return TPictureKind::Jpeg;
}

std::string UpperSubtype(const std::string& mimeType)
{
    return common_detail::UpperCase(mimeType.substr(mimeType.find('/') + 1));
}

}  // namespace

const std::vector<TImageEditModel::TEffect>& TImageEditModel::Effects()
{
    static const std::vector<TEffect> effects = {
        {"Gaussian Blur", 1}, {"Split Blur", 2}, {"Add Color Noise", 3}, {"Add Mono Noise", 4}, {"Contrast", 5},
        {"Lightness", 6},     {"Darkness", 7},   {"Saturation", 8},      {"Split Light", 9}};
    return effects;
}

int TImageEditModel::EffectAmount(int effectId, int slider)
{
    switch (effectId) {
    case 3: case 4: case 5: return slider * 3;
    case 6: case 7: return slider * 2;
    case 8: return 255 - slider * 255 / 100;
    case 9: return slider / 20;
    default: return slider;
    }
}

// ---- the picture -------------------------------------------------------------------------------

void TImageEditModel::Take(TPicture picture, std::string bytes, std::string mimeType)
{
    picture_ = std::move(picture);
    bytes_ = std::move(bytes);
    mimeType_ = std::move(mimeType);
    ResetWorkingCopy();
}

bool TImageEditModel::Load(const std::string& bytes, const std::string& mimeType)
{
    try {
        TPicture picture = TPictureFile::Decode(bytes);
        Options.Format = FormatOf(mimeType);
        Take(std::move(picture), bytes, mimeType);
    } catch (const ECriticalTolvexException&) {
        return false;
    }
    pictureChanged_ = shapeChanged_ = false;
    return true;
}

bool TImageEditModel::LoadFromObject(TAbstractCObject& image)
{
    std::ostringstream bytes;
    TBinaryDataInfo info;
    if (!image.GetBinaryData("ImageData", kNoLanguageCode, bytes, 0, &info))
        return false;
    return Load(bytes.str(), info.MimeType);
}

bool TImageEditModel::OpenFile(const std::string& fileName, std::string* reason)
{
    try {
        TPicture picture = TPictureFile::Load(fileName);
        const TPictureKind kind = picture.Kind();
        std::string mimeType = PictureKindMimeType(kind);
        std::string bytes = TPictureCodec::ForKind(kind).Encode(picture);
        Options.Format = FormatOf(mimeType);
        Take(std::move(picture), std::move(bytes), std::move(mimeType));
    } catch (const ECriticalTolvexException& error) {
        if (reason)
            *reason = error.what();
        return false;
    }
    pictureChanged_ = shapeChanged_ = true;
    return true;
}

std::string TImageEditModel::DimensionsText() const
{
    return "Image size: " + std::to_string(picture_.Width()) + " x " + std::to_string(picture_.Height());
}

std::string TImageEditModel::FileText() const
{
    return UpperSubtype(mimeType_) + ": " + std::to_string(bytes_.size()) + " bytes";
}

void TImageEditModel::Store(TAbstractCObject& image, bool background)
{
    if (!pictureChanged_)
        return;
    image.SetLangNumber("ImageWidth", kNoLanguageCode, picture_.Width(), 0);
    image.SetLangNumber("ImageHeight", kNoLanguageCode, picture_.Height(), 0);
    image.SetLangBoolean("IsBackgroundImage", kNoLanguageCode, background, 0);
    std::istringstream stream(bytes_);
    image.SetBinaryData("ImageData", kNoLanguageCode, mimeType_, stream, 0, nullptr);
    pictureChanged_ = shapeChanged_ = false;
}

// ---- the working copy ------------------------------------------------------------------------

void TImageEditModel::ResetWorkingCopy()
{
    working_ = picture_;
    pending_ = false;
    turned_ = false;
}

void TImageEditModel::SetZoomText(const std::string& text)
{
    const int zoom = std::atoi(text.c_str());
    Zoom = zoom < 10 ? 100 : std::min(zoom, 3200);
}

void TImageEditModel::ZoomIn()
{
    for (int step : ZoomSteps)
        if (step > Zoom) {
            Zoom = step;
            return;
        }
}

void TImageEditModel::ZoomOut()
{
    for (auto it = std::rbegin(ZoomSteps); it != std::rend(ZoomSteps); ++it)
        if (*it < Zoom) {
            Zoom = *it;
            return;
        }
}

// ---- conversion -------------------------------------------------------------------------------

TImageEditModel::TFormat TImageEditModel::FormatOf(const std::string& mimeType)
{
    if (mimeType == "image/gif")
        return TFormat::Gif;
    if (mimeType == "image/bmp")
        return TFormat::Bitmap;
    if (mimeType == "image/png" || mimeType == "application/x-ico")
        return TFormat::Png;
    return TFormat::Jpeg;
}

std::string TImageEditModel::MimeTypeOf(TFormat format)
{
    return PictureKindMimeType(KindOf(format));
}

bool TImageEditModel::Replace(const TPicture& source, std::string* reason)
{
    TPicture prepared = source;
    const TPictureKind kind = KindOf(Options.Format);
    // JPEG and bitmaps are opaque; a GIF is, but for its transparent colour.
    if (kind != TPictureKind::Png) {
        const TRgb& key = Options.TransparentColor;
        const bool keyed = kind == TPictureKind::Gif && Options.Transparent;
        for (int y = 0; y < prepared.Height(); ++y) {
            std::uint8_t* p = prepared.Row(y);
            for (int x = 0; x < prepared.Width(); ++x, p += 4)
                p[3] = keyed && p[0] == key.Red && p[1] == key.Green && p[2] == key.Blue ? 0 : 255;
        }
    }
    try {
        const TJpegCodec jpeg(std::clamp(Options.Quality, 1, 100));
        const TPictureCodec& codec = kind == TPictureKind::Jpeg ? jpeg : TPictureCodec::ForKind(kind);
        std::string bytes = codec.Encode(prepared);
        TPicture decoded = codec.Decode(bytes);
        Take(std::move(decoded), std::move(bytes), MimeTypeOf(Options.Format));
    } catch (const ECriticalTolvexException& error) {
        if (reason)
            *reason = error.what();
        return false;
    }
    pictureChanged_ = true;
    return true;
}

void TImageEditModel::PreviewType()
{
    if (!HasPicture())
        return;
    // What Apply would store, shown without changing the picture.
    const TPicture picture = picture_;
    const std::string bytes = bytes_;
    const std::string mimeType = mimeType_;
    const bool changed = pictureChanged_;
    TPicture preview;
    if (Replace(picture, nullptr))
        preview = picture_;
    picture_ = picture;
    bytes_ = bytes;
    mimeType_ = mimeType;
    pictureChanged_ = changed;
    working_ = preview.IsEmpty() ? picture_ : preview;
    pending_ = true;
}

bool TImageEditModel::ApplyType(std::string* reason)
{
    return HasPicture() && Replace(picture_, reason);
}

// ---- sizes -------------------------------------------------------------------------------------

void TImageEditModel::StartResample()
{
    ResetWorkingCopy();
    Sizes.Width = picture_.Width();
    Sizes.Height = picture_.Height();
    Sizes.WidthPercent = Sizes.HeightPercent = 100;
}

namespace {

// Value * Numerator / Denominator truncated, in 64 bits, kept to int.
int Ratio(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    if (denominator <= 0)
        return 0;
    return static_cast<int>(std::clamp<std::int64_t>(value * numerator / denominator, 0, 1'000'000'000));
}

}  // namespace

void TImageEditModel::WidthTyped(int width)
{
    const int w = working_.Width();
    if (width <= 0 || w <= 0)
        return;
    Sizes.Width = width;
    Sizes.WidthPercent = Ratio(width, 100, w);
    if (Sizes.KeepAspect) {
        Sizes.Height = Ratio(width, working_.Height(), w);
        Sizes.HeightPercent = Sizes.WidthPercent;
    }
}

void TImageEditModel::HeightTyped(int height)
{
    const int h = working_.Height();
    if (height <= 0 || h <= 0)
        return;
    Sizes.Height = height;
    Sizes.HeightPercent = Ratio(height, 100, h);
    if (Sizes.KeepAspect) {
        Sizes.Width = Ratio(height, working_.Width(), h);
        Sizes.WidthPercent = Sizes.HeightPercent;
    }
}

void TImageEditModel::WidthPercentTyped(int percent)
{
    const int width = Ratio(percent, working_.Width(), 100);
    if (percent <= 0 || width <= 0)
        return;
    Sizes.WidthPercent = percent;
    Sizes.Width = width;
    if (Sizes.KeepAspect) {
        Sizes.Height = Ratio(percent, working_.Height(), 100);
        Sizes.HeightPercent = percent;
    }
}

void TImageEditModel::HeightPercentTyped(int percent)
{
    const int height = Ratio(percent, working_.Height(), 100);
    if (percent <= 0 || height <= 0)
        return;
    Sizes.HeightPercent = percent;
    Sizes.Height = height;
    if (Sizes.KeepAspect) {
        Sizes.Width = Ratio(percent, working_.Width(), 100);
        Sizes.WidthPercent = percent;
    }
}

void TImageEditModel::Turn(TTransformMode mode)
{
    if (working_.IsEmpty())
        return;
    working_ = TPictureTransform::Apply(working_, mode);
    if (mode == TTransformMode::RotateClockwise || mode == TTransformMode::RotateCounterClockwise)
        std::swap(Sizes.Width, Sizes.Height);
    pending_ = turned_ = true;
}

void TImageEditModel::RotateLeft() { Turn(TTransformMode::RotateCounterClockwise); }
void TImageEditModel::RotateRight() { Turn(TTransformMode::RotateClockwise); }
void TImageEditModel::FlipHorizontal() { Turn(TTransformMode::FlipLeftToRight); }
void TImageEditModel::FlipVertical() { Turn(TTransformMode::FlipTopToBottom); }

bool TImageEditModel::ApplyResample(std::string* reason)
{
    if (working_.IsEmpty())
        return false;
    const std::int64_t width = Sizes.Width;
    const std::int64_t height = Sizes.Height;
    if (width <= 0 || height <= 0 || width * height > TPicture::MaxPixels) {
        if (reason)
            *reason = "The size " + std::to_string(width) + " x " + std::to_string(height) +
                      " is not possible: a picture has at most " + std::to_string(TPicture::MaxPixels) + " pixels.";
        return false;
    }
    const bool resized = width != working_.Width() || height != working_.Height();
    const bool turned = turned_;
    TPicture source;
    try {
        source = resized ? TPictureScaler::Scale(working_, static_cast<int>(width), static_cast<int>(height)) : working_;
    } catch (const ECriticalTolvexException& error) {
        if (reason)
            *reason = error.what();
        return false;
    }
    if (!Replace(source, reason))
        return false;
    shapeChanged_ = shapeChanged_ || resized || turned;
    StartResample();
    return true;
}

// ---- crop --------------------------------------------------------------------------------------

void TImageEditModel::StartCrop()
{
    ResetWorkingCopy();
    CropRect = {1, 1, picture_.Width(), picture_.Height()};
}

std::optional<TImageEditModel::TCropRect> TImageEditModel::CropPreview() const
{
    if (!HasPicture())
        return std::nullopt;
    const auto clampX = [&](int v) { return std::clamp(v - 1, 0, picture_.Width() - 1); };
    const auto clampY = [&](int v) { return std::clamp(v - 1, 0, picture_.Height() - 1); };
    return TCropRect{clampX(CropRect.Left), clampY(CropRect.Top), clampX(CropRect.Right), clampY(CropRect.Bottom)};
}

bool TImageEditModel::ApplyCrop(std::string* reason)
{
    if (!HasPicture())
        return false;
    const int left = std::max(CropRect.Left, 1);
    const int top = std::max(CropRect.Top, 1);
    const int right = std::min(CropRect.Right, picture_.Width());
    const int bottom = std::min(CropRect.Bottom, picture_.Height());
    if (left == 1 && top == 1 && right == picture_.Width() && bottom == picture_.Height())
        return false;
    if (left > right || top > bottom) {
        if (reason)
            *reason = "The rectangle to crop to is empty.";
        return false;
    }
    TPicture cropped(right - left + 1, bottom - top + 1);
    const std::size_t rowBytes = static_cast<std::size_t>(cropped.Width()) * 4;
    for (int y = 0; y < cropped.Height(); ++y)
        std::copy_n(picture_.Row(top - 1 + y) + static_cast<std::size_t>(left - 1) * 4, rowBytes, cropped.Row(y));
    if (!Replace(cropped, reason))
        return false;
    shapeChanged_ = true;
    StartCrop();
    return true;
}

// ---- previews ----------------------------------------------------------------------------------

void TImageEditModel::PreviewBorder(int offset, TRgb color, int transparency)
{
    ResetWorkingCopy();
    TPictureEffects::Border(working_, offset, color, transparency);
    pending_ = true;
}

void TImageEditModel::PreviewMonochrome(TRgb dark, TRgb light)
{
    ResetWorkingCopy();
    TPictureEffects::Monochrome(working_, dark, light);
    pending_ = true;
}

void TImageEditModel::PreviewEffect(int effectId, int slider)
{
    ResetWorkingCopy();
    const int amount = EffectAmount(effectId, slider);
    // The same noise for the same slider position, so that Apply keeps what was shown.
    std::mt19937 random(randomSeed_);
    switch (effectId) {
    case 1: TPictureEffects::GaussianBlur(working_, amount); break;
    case 2: TPictureEffects::SplitBlur(working_, amount); break;
    case 3: TPictureEffects::AddColorNoise(working_, amount, random); break;
    case 4: TPictureEffects::AddMonoNoise(working_, amount, random); break;
    case 5: TPictureEffects::Contrast(working_, amount); break;
    case 6: TPictureEffects::Lightness(working_, amount); break;
    case 7: TPictureEffects::Darkness(working_, amount); break;
    case 8: TPictureEffects::Saturation(working_, amount); break;
    case 9: TPictureEffects::SplitLight(working_, amount); break;
    default: return;
    }
    pending_ = true;
}

bool TImageEditModel::ApplyPreview(std::string* reason)
{
    if (working_.IsEmpty())
        return false;
    const bool turned = turned_;
    if (!Replace(working_, reason))
        return false;
    shapeChanged_ = shapeChanged_ || turned;
    ++randomSeed_;
    return true;
}
