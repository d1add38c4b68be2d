#pragma once
// What the picture preview shows, without widgets: one picture with its
// facts (pixel size, format, byte size) and, for a picture of an image item,
// its name and the address under which the published site serves it. It
// loads from a file, from downloaded bytes, from an image item of the
// database, or from an image item held in an editor's objects (so that
// unsaved edits show). A load that cannot be done leaves what was shown.
// The owner reads the picture back when it stores it, and may turn it.
#include "common/Picture.h"

#include <cstdint>
#include <functional>
#include <string>

class TAbstractDBConnection;
class TAbstractObjectCollection;
class TCatalog;
class TTolvexControlClass;

class TImagePreviewModel {
public:
    struct TServices {
        TCatalog* Catalog = nullptr;                // names and alternative file names of items
        TAbstractDBConnection* Connection = nullptr;
        std::string OpenCatalogCode;
        std::function<std::string()> LangCode;      // the current editing language
    };
    // The services of an editing context: its catalog, connection and language.
    static TServices ServicesOf(TTolvexControlClass& context);

    explicit TImagePreviewModel(TServices services) : services_(std::move(services)) {}

    // The picture file; false (nothing changes) for a missing file. Raises
    // ECriticalTolvexException for a file that is too large or no readable
    // picture (TPictureFile).
    bool LoadFromFile(const std::string& fileName);
    // Downloaded bytes sent as MimeType: any picture the program reads, told
    // by its bytes. False (nothing changes) for a type that is no image
    // type; raises for image bytes that cannot be read.
    bool LoadFromStream(const std::string& bytes, const std::string& mimeType);
    // The image item's picture and names; CatalogCode empty: the open
    // catalog. False (nothing changes) when it has no readable picture.
    bool LoadImageItem(int itemId, const std::string& catalogCode);
    // The same from the objects of an editor (its unsaved values).
    bool LoadImageFromCollection(int itemId, const std::string& catalogCode, TAbstractObjectCollection& collection);

    bool HasPicture() const { return !picture_.IsEmpty(); }
    const TPicture& Picture() const { return picture_; }
    // The picture turned a quarter clockwise or counter-clockwise, in place.
    void RotateRight();
    void RotateLeft();
    int Width() const { return picture_.Width(); }
    int Height() const { return picture_.Height(); }
    std::int64_t Bytes() const { return bytes_; }
    // The stored MIME type for an item; the upper-case format ("JPEG") else.
    const std::string& TypeText() const { return typeText_; }
    const std::string& Name() const { return name_; }
    const std::string& AltFileName() const { return altFileName_; }
    int ItemId() const { return itemId_; }

    // The three lines: "Image size: 800 x 600", "JPEG: 51234 bytes",
    // "Boat (url: ../images/boat.jpeg)" (empty when there is no name).
    std::string DimensionsText() const;
    std::string FileText() const;
    std::string CaptionText() const;
    // "../images/" and the published file name; empty for a picture of no item.
    std::string PublishedAddress() const;

private:
    void TakePicture(TPicture picture, std::int64_t bytes, std::string typeText);
    std::string FormatLabel() const;
    std::string CodeOr(const std::string& catalogCode) const;

    TServices services_;
    TPicture picture_;
    std::int64_t bytes_ = 0;
    std::string typeText_;
    std::string mimeType_;
    std::string name_;
    std::string altFileName_;
    int itemId_ = 0;
};
