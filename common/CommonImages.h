#pragma once
// The image helpers, one object a process (in the common-procedures
// container): stored catalog images turned into pictures and back, picture
// transforms, the images a catalog uses, and the image references of HTML.
//
// Catalog images are the member "ImageData" (member 6) of the image object
// (class 5) of an image item, stored in CBinary with their MIME type. The
// member is not language-dependent, so its value lives under the language
// "XXX" whatever the current language is.
#include "common/Picture.h"
#include "common/PictureEncoding.h"
#include "common/PictureTransform.h"
#include "common/Variant.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TAbstractObjectCollection;
class TCommonGui;

class TCommonImages {
public:
    // Gui gives the user interface that shows the hourglass while a picture
    // is flipped or turned; it may give null (no hourglass then).
    explicit TCommonImages(std::function<TCommonGui*()> gui = {});

    // ---- pictures -----------------------------------------------------------
    // The kind whose decoder reads a MIME type: the extension of the type
    // (TCommonFunctions::GetExtensionByMimeType), lower-cased, among "jpeg",
    // "gif", "bmp", "ico" and "png"; none for any other type.
    static std::optional<TPictureKind> KindOfMimeType(const std::string& mimeType);
    // A new picture read from the whole stream (from its start); null for an
    // empty stream or a type without a decoder. Raises
    // ECriticalTolvexException when the bytes cannot be decoded.
    static std::unique_ptr<TPicture> LoadGraphicFromStream(const std::string& mimeType, std::istream& stream);
    static std::unique_ptr<TPicture> LoadGraphicFromBytes(const std::string& mimeType, const std::string& bytes);
    // The same from a database field's bytes; null for a null field.
    static std::unique_ptr<TPicture> LoadGraphicFromField(const std::string& mimeType, const TVariant& field);

    // Encodes Picture into Stream. False for a picture without width or
    // height, and when the format cannot hold the picture (nothing is written
    // then). With Scale and MaxSize above 0 the picture is first shrunk
    // (never enlarged, aspect kept, integer arithmetic, at least 1 pixel a
    // side; TPictureEncoding::ScaledSize) and the scaled copy replaces it
    // (TPictureEncoding::Encode leaves its picture alone). The format follows the MIME
    // type: "image/gif" GIF (quantised, Stucki dithering), "image/bmp"
    // bitmap, "application/x-ico" icon, "image/png" PNG, any other type JPEG
    // at quality 90. WrittenMimeType is the MIME type of the bytes actually
    // written ("image/jpeg" for every other type): store that one with them.
    static bool SavePictureToStream(TPicture& picture, const std::string& mimeType, bool scale, int maxSize,
                                    TImageScaleType scaleType, std::ostream& stream, int& width, int& height,
                                    std::int64_t& bytes, std::string& writtenMimeType);

    // Mirrored left to right, top to bottom; turned 90 degrees clockwise,
    // counter-clockwise. The picture becomes a bitmap.
    void FlipHorizontal(TPicture& picture) const;
    void FlipVertical(TPicture& picture) const;
    void RotateRight(TPicture& picture) const;
    void RotateLeft(TPicture& picture) const;

    // True for gif, jpeg, jpg, bmp and png, ignoring case.
    static bool IsImageExtension(const std::string& extension);
    // True when the type starts with "image/" (ignoring case) and the part
    // after its last "/" is an image extension.
    static bool IsImageMimeType(const std::string& mimeType);

    // ---- stored images --------------------------------------------------------
    // True when the image item has image data that decodes; Picture takes it.
    // Size and MimeType are those of the stored data whenever there is some.
    static bool LoadImageToPicture(const std::string& catalogCode, int itemId, TPicture& picture,
                                   std::int64_t& size, std::string& mimeType, TAbstractDBConnection& connection);
    // The same with the item's "Image" object taken from an object collection
    // (where it stays; an item without one gets a new, empty one there).
    static bool LoadCollectionImageToPicture(int itemId, TPicture& picture, std::int64_t& size,
                                             std::string& mimeType, TAbstractObjectCollection& collection);
    // True when the image item has image data; its bytes are written to
    // Stream unchanged.
    static bool LoadImageToStream(const std::string& catalogCode, int itemId, std::ostream& stream,
                                  std::int64_t& size, std::string& mimeType, TAbstractDBConnection& connection);
    // The extension of the file publishing writes for an image of the MIME
    // type ("jpeg", "gif", "png", "bmp", "ico").
    static std::string PublishedExtension(const std::string& mimeType);
    // The file name under which the published site serves an image: its
    // alternative file name (else its item id), "." and PublishedExtension.
    // Publishing writes its files by it; the preview's address and the
    // pictures inserted into pages use it, so they name files the site has.
    static std::string PublishedFileName(const std::string& itemId, const std::string& altFileName,
                                         const std::string& mimeType);
    // The item id, "." and the extension of the stored MIME type; empty when
    // the item has no image data.
    static std::string GetImageFileName(int itemId, TAbstractDBConnection& connection,
                                        const std::string& catalogCode);
    // Appends the images the catalog uses: every item id held by an image
    // reference member (type 106), as decimal text, and every name that
    // follows "../images/" in the HTML texts (member types 52 and 53), up to
    // the next "." - except where a double quote, "<", "[" or "{" follows
    // (a template's placeholder). Names may repeat.
    static void GetUsedImageIds(const std::string& catalogCode, std::vector<std::string>& list,
                                TAbstractDBConnection& connection);
    // Writes the field's bytes to the file when the file's folder exists.
    static void SaveBlobToFile(const std::string& fileName, const TVariant& field);

    // ---- image references in HTML -------------------------------------------
    // Appends every image reference of the text in this order: the src
    // values of img and input tags, the background attribute values, then the
    // url(...) values of style text; quotes removed, empty values skipped.
    static void ExtractImageUrls(const std::string& html, std::vector<std::string>& list);
    // The text with each entry's old reference replaced by the catalog
    // address of its image ("../images/" and the image's file name). Entries
    // are "id=old reference"; an id that is no number counts as 0, and an id
    // without image data replaces nothing. The text is scanned once: at each
    // place the longest old reference wins, and inserted addresses are never
    // replaced again.
    static std::string ReplaceImageUrls(const std::string& html, const std::vector<std::string>& entries,
                                        TAbstractDBConnection& connection, const std::string& catalogCode);

private:
    void TransformImage(TPicture& picture, TTransformMode mode) const;

    std::function<TCommonGui*()> gui_;
};
