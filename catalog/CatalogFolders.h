#pragma once
// Ready-made item operations on the open catalog for editors, imports and
// publishing: find or create a named folder (item type 2) under a parent,
// give an item its name in the right languages, find a name no other item
// has, turn a picture file or a picture on the web into an image item
// (type 301) of the images folder (item 3), and the relative address under
// which a published page refers to a catalog image. The open catalog's data
// owns one and passes these operations on.
//
// An image item is only created once its picture has been decoded and
// encoded: a picture that cannot be stored leaves no item behind. The item,
// its name and its image are written as one unit of work.
#include <functional>
#include <iosfwd>
#include <string>

class TAbstractCatalog;
class TAbstractDBConnection;
class TAbstractObjectCollection;
class TCatalog;
class TCatalogQueries;
class TCommonGui;
class TGlobalSettings;
class TTolvexObjectContext;

class TCatalogFolders {
public:
    // The answer of an HTTP GET.
    struct THttpReply {
        int Status = 0;
        std::string ContentType;
        std::string Body;
    };
    // An HTTP client: gets the address; raises on failure.
    using THttpGet = std::function<THttpReply(const std::string& url)>;
    // The caption an item manager gives new items of its type in the
    // current editing context; empty when there is no item manager.
    using TNewItemCaption = std::function<std::string()>;

    // The services used; none is owned, all must outlive this object.
    struct TServices {
        TAbstractCatalog& Catalog;          // the open catalog: code and languages
        TCatalog& CatalogObject;            // creates items
        TCatalogQueries& Queries;           // finds items by name
        TTolvexObjectContext& ObjectContext;
        TCommonGui& Gui;                    // the hourglass
        TGlobalSettings& Settings;          // the temp folder and the proxy
    };

    explicit TCatalogFolders(const TServices& services) : services_(services) {}

    // The first folder named Name in Lang under ParentId, whatever its other
    // languages are called; when there is none and Create is set, a new one
    // named Name in Lang (and in the default language while the current
    // language is another one). 0 for an empty name or language, or when
    // nothing was found or created.
    int FindOrCreateFolder(int parentId, const std::string& name, bool create, TAbstractDBConnection& connection,
                           const std::string& langCode);
    // Names the item Text, or the item manager's caption for new items when
    // Text is empty, in the current language and in the default language,
    // and gives that name back. Nothing (and the empty text) without an item
    // manager. The name object comes from Collection (an editing context's
    // objects) when one is given, else straight from the database.
    std::string SetItemName(int itemId, const TNewItemCaption& newItemCaption, const std::string& text,
                            TAbstractDBConnection& connection, TAbstractObjectCollection* collection = nullptr);
    // BaseName, or BaseName " (1)", " (2)" ... : the first that no item of
    // the catalog has as its name in any language.
    std::string MakeUniqueItemName(const std::string& baseName, TAbstractDBConnection& connection);
    // A new image item from the picture file FileName in Folder, in the
    // images folder or its subfolder of that name; 0 for a missing file, a
    // file name without image extension, or a picture that cannot be
    // stored. Database errors and pictures that cannot be decoded raise.
    int ImportImageFromFile(const std::string& folder, const std::string& fileName, const std::string& subfolder,
                            TAbstractDBConnection& connection);
    // The same for the picture at an address, fetched with HttpGet (with an
    // HTTP client of its own when HttpGet is empty); the bytes are kept in
    // the temp folder as "imp_img." and the image subtype. 0 when the fetch
    // fails in any way, the reply is empty or not an image type.
    int ImportImageFromUrl(const std::string& url, const THttpGet& httpGet, const std::string& subfolder,
                           TAbstractDBConnection& connection);
    // "../images/" id "." and the subtype of the stored image's MIME type;
    // empty for id 0 and for an item without image data.
    std::string GetImageFileUrl(int itemId, TAbstractDBConnection& connection);

    // The HTTP client used when none is given (CatalogFoldersHttp.cpp):
    // libcurl through the proxy of the settings, redirects followed.
    static THttpReply HttpGet(const std::string& url, const std::string& proxyHost, int proxyPort);

private:
    // A picture turned into a new image item (see ImportImageFromFile):
    // decoded as the file DecodeAs names it, encoded for MimeType.
    int ImportPicture(const std::string& bytes, const std::string& decodeAs, const std::string& mimeType,
                      const std::string& baseName, const std::string& subfolder, TAbstractDBConnection& connection);
    // The image item of an encoded picture, named BaseName or a free name
    // made from it, in the images folder or its subfolder of that name.
    int CreateImageItem(std::istream& encoded, int width, int height, const std::string& mimeType,
                        const std::string& baseName, const std::string& subfolder, TAbstractDBConnection& connection);
    // Sets the item's name in Lang and, while the current language is not
    // the default one, in the default language.
    void NameItem(int itemId, const std::string& name, const std::string& langCode, TAbstractDBConnection& connection,
                  TAbstractObjectCollection* collection);
    THttpReply Fetch(const std::string& url, const THttpGet& httpGet);

    TServices services_;
};
