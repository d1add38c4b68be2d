#pragma once
// What the importers write into a catalog, open or not: items with ids drawn
// in advance, names in the catalog's default data language, source texts,
// pictures, alternative file names and folders, all on one connection and
// catalog code. Pictures are decoded and encoded in one place
// (PreparePicture), before any item is made for them.
//
//   TImportedItems items(root, connection, "shop", gui);
//   const int id = items.Create(401, 1);
//   items.SetName(id, "Home");
//   items.SetText(id, "HtmlData", items.DefaultLangCode(), html);
#include "catalog/CatalogFolders.h"
#include "catalog/CatalogQueries.h"
#include "catalog/TolvexCatalog.h"

#include <optional>
#include <string>

class TAbstractDBConnection;
class TCommonGui;
class TPicture;
class TTolvex;

class TImportedItems {
public:
    // A picture made ready to be stored.
    struct TEncodedPicture {
        std::string Bytes;
        std::string MimeType;
        int Width = 0;
        int Height = 0;
    };

    // Root, Connection and Gui are not owned and must outlive the object.
    TImportedItems(TTolvex& root, TAbstractDBConnection& connection, const std::string& catalogCode, TCommonGui& gui);

    const std::string& CatalogCode() const { return code_; }
    // The catalog's default data language, upper case.
    std::string DefaultLangCode() const { return catalog_.GetDefaultLangCode(); }
    TAbstractDBConnection& Connection() { return connection_; }

    // ---- items ------------------------------------------------------------------------
    // A fresh id from the catalog's sequence "Items".
    int NewItemId();
    // The item's type; 0 when there is no such item.
    int ItemType(int itemId);
    int ParentOf(int itemId);
    // A new item of the type under Parent, with ItemId (0: a fresh one); its id.
    int Create(int itemType, int parentId, int itemId = 0);
    // A new item of the type under Parent with the next free id strictly
    // between MinId and MaxId (a fresh one when the range is full); its id.
    int CreateInRange(int itemType, int parentId, int minId, int maxId);
    // The item a file's base name stands for: a number names the item of
    // that id only when that item has ItemType; any other name the item of
    // that type with that alternative file name. 0 when there is none.
    int ItemForBaseName(const std::string& baseName, int itemType);
    // The folder of that name under Parent, made when there is none.
    int Folder(int parentId, const std::string& name);
    // Name, or Name " (1)", " (2)" ...: the first no item has as its name.
    std::string UniqueName(const std::string& name);

    // ---- values -----------------------------------------------------------------------
    // "ItemName" in the language (the default data language when empty).
    void SetName(int itemId, const std::string& name, const std::string& langCode = "");
    // "AltFileName" set to Name when it is a plain file name (letters, digits,
    // "-" and "_", not only digits, which would clash with the files named
    // by item id) that no other item has; true when set.
    bool SetAltFileName(int itemId, const std::string& name);
    // "SourceCode" (or another text member) of the class with that tag.
    void SetText(int itemId, const std::string& classTag, const std::string& langCode, const std::string& text,
                 const std::string& member = "SourceCode");
    std::string GetText(int itemId, const std::string& classTag, const std::string& langCode,
                        const std::string& member = "SourceCode");

    // ---- pictures ------------------------------------------------------------------------
    // The picture in Bytes, of the MIME type, decoded and encoded for
    // storing. Nothing for a type that is no known picture type or a picture
    // the format cannot hold; raises ECriticalTolvexException for bytes that
    // do not decode.
    static std::optional<TEncodedPicture> PreparePicture(const std::string& bytes, const std::string& mimeType);
    // A decoded picture encoded for storing as the MIME type (the type
    // actually written is kept); nothing when the format cannot hold it.
    static std::optional<TEncodedPicture> EncodePicture(TPicture& decoded, const std::string& mimeType);
    // Replaces the item's image with Picture. With DropCopies the image also
    // forgets its thumbnail and large copies (they show the old picture) and
    // is no background picture.
    void StorePicture(int itemId, const TEncodedPicture& picture, bool dropCopies = false);

private:
    TTolvex& root_;
    TAbstractDBConnection& connection_;
    std::string code_;
    TTolvexCatalog catalog_;
    TCatalogQueries queries_;
    TCatalogFolders folders_;
};
