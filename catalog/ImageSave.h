#pragma once
// Stores pictures as image items (item type 301) of the open catalog, with
// their scaled copies: besides the main image that pages show, a thumbnail
// copy (lists) and a large copy (the full picture), each an image item of
// its own and a child of the main image, named after it in every language
// ("$1 (thumbnail)", "$1 (large)").
//
// A store is whole or absent:
//  - every picture is encoded before anything is written (Prepare), each
//    copy scaled from the original picture, never from another copy, and
//    the copies encoded side by side; an encoding that fails raises and
//    writes nothing, so an overwritten picture and its copies stay as they were;
//  - a copy that cannot be made is a failure (false, or an exception),
//    never reported as stored;
//  - the MIME type stored with the bytes is the type of the bytes written
//    ("image/jpeg" for a picture asked for as "application/octet-stream"),
//    so that the published file gets a matching extension;
//  - the alternative file name is language-neutral (language "XXX", the
//    other languages cleared): publishing writes the file under one name,
//    and every page in every language links to that one;
//  - a stored "ThumbnailItemId" or "LargeItemId" is used again only when it
//    names an existing image item below the main image.
// Nothing here starts or ends a transaction: everything is written through
// the given connection (an editor commits it with an undo action; see
// editors/framework/DialogWriteChannel.h).
//
//   TImageSave save(services, connection);
//   TImageSave::TRequest request;                  // a new image in "Photos"
//   request.FolderName = "Photos";
//   request.Names = {"EN=Boat"};
//   request.MimeType = "image/jpeg";
//   request.Main = {true, 400, TImageScaleType::Maximal};
//   request.Thumbnail = {true, {true, 100, TImageScaleType::Maximal}};
//   const TImageSave::TPrepared prepared = TImageSave::Prepare(picture, request);  // raises when it cannot
//   const TImageSave::TResult stored = save.Write(request, prepared);
#include "common/PictureEncoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TAbstractCatalog;
class TAbstractDBConnection;
class TCatalog;
class TCatalogFolders;
class TTolvexObjectFactory;
class TTranslation;

class TImageSave {
public:
    // The services used; none is owned.
    struct TServices {
        TCatalog& Catalog;                  // creates items, reads alternative file names
        TAbstractCatalog& Open;             // the open catalog: code, languages, properties
        TTolvexObjectFactory& Objects;
        TCatalogFolders* Folders = nullptr; // finds or makes a named folder; none: no named folders
        const TTranslation* Translation = nullptr;  // null: English
    };

    // A copy asked for, with how it is scaled.
    struct TCopyRequest {
        bool Wanted = false;
        TPictureScaling Scaling;
    };

    // A whole image to store.
    struct TRequest {
        // The image item overwritten; 0 for a new one.
        int TargetItemId = 0;
        // Where a new image goes: the folder of this name under the images
        // root (made when missing), else FolderItemId.
        std::string FolderName;
        int FolderItemId = 3;
        // "LANG=name" entries: the image's name in those languages.
        std::vector<std::string> Names;
        // The name in the default language when the image has none there.
        std::string DefaultName;
        // Letters, digits, "-" and "_"; empty keeps an overwritten image's name.
        std::string AltFileName;
        // The format asked for; what is stored is the type of the bytes written.
        std::string MimeType;
        bool IsBackground = false;
        TPictureScaling Main;
        TCopyRequest Thumbnail;
        TCopyRequest Large;
    };

    // The encoded pictures of a request, made before anything is written.
    struct TPrepared {
        TEncodedPicture Main;
        std::optional<TEncodedPicture> Thumbnail;
        std::optional<TEncodedPicture> Large;
    };

    // One stored image item.
    struct TStored {
        int ItemId = 0;
        int Width = 0;
        int Height = 0;
        std::int64_t Bytes = 0;
        std::string MimeType;
        std::string AltFileName;
    };

    struct TResult {
        TStored Main;
        std::optional<TStored> Thumbnail;
        std::optional<TStored> Large;
    };

    TImageSave(const TServices& services, TAbstractDBConnection& connection);

    // ---- a whole image -------------------------------------------------------------------------
    // Encodes the main picture and the wanted copies, each from Picture.
    // Raises ECriticalTolvexException with a message for the user when one
    // of them cannot be encoded (translated by Translation; null: English).
    // Touches no database.
    static TPrepared Prepare(const TPicture& picture, const TRequest& request,
                             const TTranslation* translation = nullptr);
    // Writes what Prepare made: the target item (created when it is 0, in
    // its folder), the copies below it, then its names, alternative file
    // name, picture, sizes, copy ids ("ThumbnailItemId", "LargeItemId": 0
    // for a copy not stored now) and background flag.
    TResult Write(const TRequest& request, const TPrepared& prepared);
    // The items that exist now and that Write may change: the target and
    // the copies it would use again. An undo takes their rows before Write.
    std::vector<int> ItemsChangedBy(const TRequest& request);

    // ---- single copies ---------------------------------------------------------------------------
    // The thumbnail copy of the main image, scaled from Picture, named after
    // Names, stored under the picture's own type; AltFileName, when not
    // empty, gets "_thumbnail" appended and is stored so. True when stored
    // (the Last... fields tell what); false, with nothing written, when the
    // picture cannot be encoded. The main image does not change: the caller
    // records LastItemId as its "ThumbnailItemId".
    bool SaveThumbnailCopy(int mainItemId, const TPicture& picture, std::string& altFileName,
                           const std::vector<std::string>& names, const TPictureScaling& scaling,
                           const std::string& mimeType);
    // The same for the large copy ("$1 (large)", "_large").
    bool SaveLargeCopy(int mainItemId, const TPicture& picture, std::string& altFileName,
                       const std::vector<std::string>& names, const TPictureScaling& scaling,
                       const std::string& mimeType);
    // A new, smaller main image below the source image, which becomes its
    // "LargeItemId" ("$1 (thumbnail)", "_main").
    bool SaveMainCopy(int sourceItemId, const TPicture& picture, std::string& altFileName,
                      const std::vector<std::string>& names, const TPictureScaling& scaling,
                      const std::string& mimeType);
    // SaveMainCopy of the stored image, fitted into Size; false when the
    // image cannot be loaded or encoded.
    bool CreateMainFromImage(int imageItemId, int size);
    // SaveThumbnailCopy of the stored image at the catalog's thumbnail size
    // (property 705; unscaled when it is no number).
    bool CreateThumbnailFromImage(int imageItemId);
    // Whether the item is an image item (type 301) of the catalog.
    bool IsImageItem(int itemId);
    // The main image's thumbnail copy (else its large copy) when its stored
    // id names an image item below it; else 0.
    int UsableCopyId(int mainItemId, bool thumbnail) { return UsableCopy(mainItemId, thumbnail ? "ThumbnailItemId" : "LargeItemId"); }
    // The stored copy ids of the main image, as they are (0 when none).
    int GetThumbnailItemId(int mainItemId);
    int GetLargeItemId(int mainItemId);

    // What the last call stored.
    int LastItemId = 0;
    int LastWidth = 0;
    int LastHeight = 0;
    std::int64_t LastBytes = 0;
    std::string LastMimeType;
    // The items the calls so far created (new images, copies and folders).
    const std::vector<int>& CreatedItems() const { return created_; }

private:
    enum class TCopy { Thumbnail, Large, Main };

    bool SaveCopy(TCopy kind, int ownerItemId, const TPicture& picture, std::string& altFileName,
                  const std::vector<std::string>& names, const TPictureScaling& scaling, const std::string& mimeType);
    TStored WriteCopy(TCopy kind, int ownerItemId, const TEncodedPicture& encoded, std::string& altFileName,
                      const std::vector<std::string>& names);
    // The copy id the main image holds in Member when it names an image item
    // below it; else 0.
    int UsableCopy(int mainItemId, const char* member);
    int CreateImageItem(int parentItemId);
    int TargetFolder(const TRequest& request);
    void WriteNames(int itemId, const std::vector<std::string>& names, const std::string& defaultName,
                    const std::string& altFileName, bool keepAltFileName);
    std::vector<std::string> StoredNames(int itemId);
    int ReadImageNumber(int itemId, const char* member);
    std::string Code() const;

    TServices services_;
    TAbstractDBConnection& connection_;
    std::vector<int> created_;
};
