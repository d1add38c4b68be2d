#pragma once
// Encoding a picture for storing, scaled down first when asked. The picture
// handed in never changes: each stored copy (main image, thumbnail, large
// copy) is made from the same original, never from another copy.
#include "common/Picture.h"

#include <optional>
#include <string>

// Which sides are shrunk to the maximum size: both (the picture fits a
// square), the height alone or the width alone.
enum class TImageScaleType { Maximal = 0, Vertical = 1, Horizontal = 2 };

// How a picture is scaled before it is encoded: only with Scale set and
// MaxSize above 0, and never enlarged.
struct TPictureScaling {
    bool Scale = false;
    int MaxSize = 0;
    TImageScaleType Type = TImageScaleType::Maximal;
};

// Encoded bytes with the pixel size and the MIME type of what they hold.
struct TEncodedPicture {
    std::string Bytes;
    int Width = 0;
    int Height = 0;
    std::string MimeType;
};

class TPictureEncoding {
public:
    // Shrinks Width and Height to MaxSize as the scale type says (aspect
    // kept, integer arithmetic that drops the fraction, no side below 1
    // pixel); true when a side changed. Scaling off or MaxSize 0 changes nothing.
    static bool ScaledSize(const TPictureScaling& scaling, int& width, int& height);
    // The format written for a MIME type: "image/gif" GIF, "image/bmp"
    // bitmap, "application/x-ico" icon, "image/png" PNG, any other JPEG.
    static TPictureKind KindForMimeType(const std::string& mimeType);
    // Picture scaled as asked and encoded in the format of MimeType; the
    // MIME type of the result is the format's own ("image/jpeg" for an
    // unknown type). None for an empty picture and for a format that cannot
    // hold the picture (an icon over 256 pixels, for example); Reason, when
    // given, receives the encoder's message then.
    static std::optional<TEncodedPicture> Encode(const TPicture& picture, const std::string& mimeType,
                                                 const TPictureScaling& scaling, std::string* reason = nullptr);
};
