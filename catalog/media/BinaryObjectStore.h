#pragma once
// Stores a file as a binary object (item type 304) in the library under
// item 4: its bytes with the MIME type its name calls for, its original
// file name, its names and its alternative file name. The file is read
// whole before anything is written (TMediaFiles::ReadObjectFile: capped,
// refused when it changes while read), so that a refused file leaves the
// catalog as it was. Nothing here starts or ends a transaction: everything
// goes through the given connection (the editor's).
//
//   TBinaryObjectStore store({catalog, factory, &folders}, connection, "shop");
//   TBinaryObjectStore::TRequest request;
//   request.FileName = "/home/me/manual.pdf";
//   request.Names = {"EN=Manual"};
//   const TBinaryObjectStore::TResult stored = store.Store(request);
#include <cstdint>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalog;
class TCatalogFolders;
class TTolvexObjectFactory;

class TBinaryObjectStore {
public:
    struct TServices {
        TCatalog& Catalog;
        TTolvexObjectFactory& Objects;
        TCatalogFolders* Folders = nullptr;  // none: no named folders, item 4
    };
    struct TRequest {
        std::string FileName;
        std::vector<std::string> Names;  // "LANG=name"
        std::string AltFileName;         // filtered to letters, digits, "-" and "_"
        std::string FolderName;          // a folder under item 4, made when missing
        std::string LangCode = "XXX";    // the editing language of the name and the data
        int ReplaceItemId = 0;           // an existing object to overwrite
    };
    struct TResult {
        int ItemId = 0;
        std::string FileName;  // without folder
        std::string MimeType;
        std::int64_t Bytes = 0;
        std::vector<int> Created;  // the items made: a new folder, the new object
    };

    TBinaryObjectStore(const TServices& services, TAbstractDBConnection& connection, std::string catalogCode);

    // Files with these extensions can be embedded as an object with a size.
    static bool IsEmbeddable(const std::string& fileName);
    // Another binary object named Caption (as typed) in any language; 0 when none.
    int FindByCaption(const std::string& caption);
    // Raises ECriticalTolvexException (nothing written) for a file that cannot be stored.
    TResult Store(const TRequest& request);

private:
    TServices services_;
    TAbstractDBConnection& connection_;
    std::string code_;
};
