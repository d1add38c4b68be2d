#pragma once
// The decisions of the image editing tab, without widgets: the picture
// being edited, the working copy on which every operation is previewed,
// and the operations, each of which becomes part of the picture only with
// its Apply. The picture is kept as pixels together with the bytes it is
// stored as (Apply writes it in the chosen format and reads it back, so a
// JPEG's loss or a GIF's palette shows at once); Store puts those bytes,
// the size and the type into the item's Image object, whose save is the
// editor's.
//
//   TImageEditModel model;
//   model.Load(bytes, "image/jpeg");
//   model.StartCrop(); model.CropRect = {11, 11, 60, 40}; model.ApplyCrop();
//   model.Options.Format = TImageEditModel::TFormat::Gif; model.ApplyType();
//   model.Store(*imageObject, background);
#include "common/Picture.h"
#include "common/PictureEffects.h"
#include "common/PictureTransform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TAbstractCObject;

class TImageEditModel {
public:
    enum class TFormat { Jpeg = 1, Gif = 2, Bitmap = 3, Png = 4 };
    // The stored format and its options.
    struct TTypeOptions {
        TFormat Format = TFormat::Jpeg;
        int Quality = 90;            // JPEG, 1 to 100
        bool Transparent = false;    // GIF: pixels of TransparentColor become transparent
        TRgb TransparentColor;
    };
    // "Image Sizes": the typed size, its percentages of the working copy, the aspect box.
    struct TSizeFields {
        int Width = 0;
        int Height = 0;
        int WidthPercent = 100;
        int HeightPercent = 100;
        bool KeepAspect = true;
    };
    // "Crop": 1-based, inclusive.
    struct TCropRect {
        int Left = 1;
        int Top = 1;
        int Right = 0;
        int Bottom = 0;
    };
    // The effects list: caption and id; the amount the slider (1 to 100) gives.
    struct TEffect {
        const char* Caption;
        int Id;
    };
    static const std::vector<TEffect>& Effects();
    static int EffectAmount(int effectId, int slider);
    static constexpr int ZoomSteps[] = {25, 50, 75, 100, 150, 200, 400, 800};

    // ---- the picture ---------------------------------------------------------------------------
    // The stored bytes under their MIME type; false (and nothing changed)
    // when they hold no readable picture.
    bool Load(const std::string& bytes, const std::string& mimeType);
    // The picture of the item's Image object; false when it has none.
    bool LoadFromObject(TAbstractCObject& image);
    // A file the user opened ("Open File"): a new picture, marked changed.
    bool OpenFile(const std::string& fileName, std::string* reason);
    bool HasPicture() const { return !picture_.IsEmpty(); }
    const TPicture& Picture() const { return picture_; }
    const TPicture& WorkingCopy() const { return working_; }
    const std::string& MimeType() const { return mimeType_; }
    std::int64_t Bytes() const { return static_cast<std::int64_t>(bytes_.size()); }
    const std::string& StoredBytes() const { return bytes_; }
    // "Image size: W x H" and "JPEG: N bytes".
    std::string DimensionsText() const;
    std::string FileText() const;

    // Set by every Apply and by OpenFile: Store writes the picture only then.
    bool PictureChanged() const { return pictureChanged_; }
    // Set by an applied crop, turn, mirror or change of size: the stored
    // thumbnail and large copies no longer show the picture.
    bool ShapeChanged() const { return shapeChanged_; }
    // A preview (turn, border, monochrome, effect, type) is on the working
    // copy and not applied yet.
    bool HasPendingPreview() const { return pending_; }
    // Writes "ImageData" (language-neutral, under the MIME type),
    // "ImageWidth", "ImageHeight" and "IsBackgroundImage" into the Image
    // object when the picture changed; both flags are cleared.
    void Store(TAbstractCObject& image, bool background);

    // ---- the working copy ----------------------------------------------------------------------
    // The working copy becomes the picture again (previews dropped).
    void ResetWorkingCopy();
    int Zoom = 100;
    // The zoom box's text: a number below 10 (or none) means 100.
    void SetZoomText(const std::string& text);
    void ZoomIn();
    void ZoomOut();

    // ---- "Image Type" --------------------------------------------------------------------------
    TTypeOptions Options;
    // The format of a MIME type: GIF, bitmap, PNG (icons too), else JPEG.
    static TFormat FormatOf(const std::string& mimeType);
    static std::string MimeTypeOf(TFormat format);
    // The picture converted to the options, shown on the working copy.
    void PreviewType();
    bool ApplyType(std::string* reason);

    // ---- "Image Sizes" -------------------------------------------------------------------------
    TSizeFields Sizes;
    void StartResample();
    void WidthTyped(int width);
    void HeightTyped(int height);
    void WidthPercentTyped(int percent);
    void HeightPercentTyped(int percent);
    // On the working copy at once; a turn puts its new size into the fields.
    void RotateLeft();
    void RotateRight();
    void FlipHorizontal();
    void FlipVertical();
    // The working copy stretched to the typed size becomes the picture.
    // Sizes are checked in 64 bits: a size whose pixels exceed what the
    // decoders read (TPicture::MaxPixels) is refused with a reason.
    bool ApplyResample(std::string* reason);

    // ---- "Crop" --------------------------------------------------------------------------------
    TCropRect CropRect;
    void StartCrop();
    // The rectangle as drawn on the working copy (0-based, clamped), or none.
    std::optional<TCropRect> CropPreview() const;
    // False when the rectangle is the whole picture (nothing done) or the
    // result cannot be written.
    bool ApplyCrop(std::string* reason);

    // ---- previews applied by "Apply" -----------------------------------------------------------
    void PreviewBorder(int offset, TRgb color, int transparency);
    void PreviewMonochrome(TRgb dark, TRgb light);
    void PreviewEffect(int effectId, int slider);
    // The working copy, at its own size and in the chosen format, becomes the picture.
    bool ApplyPreview(std::string* reason);

private:
    // Picture written in the chosen format and read back; false with a reason when it cannot be written.
    bool Replace(const TPicture& source, std::string* reason);
    void Take(TPicture picture, std::string bytes, std::string mimeType);
    // The working copy turned or flipped; a turn swaps the size fields.
    void Turn(TTransformMode mode);

    TPicture picture_;
    TPicture working_;
    std::string bytes_;
    std::string mimeType_;
    bool pictureChanged_ = false;
    bool shapeChanged_ = false;
    bool pending_ = false;
    bool turned_ = false;
    unsigned randomSeed_ = 1;
};
