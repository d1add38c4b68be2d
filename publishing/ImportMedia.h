#pragma once
// Picture and binary-object imports into the catalog's libraries: each
// chosen file goes through the insertion dialog ("image" or
// "insertbinaryobject") with the folder it is to go to, so that the user
// names, scales and copies it as when inserting one.
//
// A picture file that does not decode is skipped before its dialog, with a
// log line; a dialog the user refuses asks whether to go on when further
// files remain. The run answers whether anything was imported.
//
// Style images (catalogs of the definition type) need no dialog: each
// picture is written straight into the image item its file name names.
//
//   TImportMedia::TServices services{runDialog, gui, log};
//   TImportMedia::ImportImages(services, files, "Photos", 100, 800);
#include <functional>
#include <string>
#include <vector>

class TCommonGui;
class TImportedItems;

class TImportMedia {
public:
    struct TServices {
        // Runs the named dialog with the parameters; true when accepted.
        std::function<bool(const std::string& dialogName, std::vector<std::string>& params)> RunDialog;
        TCommonGui& Gui;
        std::function<void(const std::string& line)> Log;  // may be empty
    };
    struct TResult {
        int Imported = 0;
        std::vector<std::string> Skipped;  // files that could not be read
    };

    // Pictures into the image library's folder FolderName ("Imported
    // Images" when empty), with the catalog's thumbnail and large sizes.
    static TResult ImportImages(const TServices& services, const std::vector<std::string>& files,
                                const std::string& folderName, const std::string& thumbnailSize,
                                const std::string& largeSize);
    // Files of any kind into the binary-object library's folder ("Imported Objects" when empty).
    static TResult ImportBinaryObjects(const TServices& services, const std::vector<std::string>& files,
                                       const std::string& folderName);
    // Pictures written straight into image items of the folder FolderName
    // ("Imported Images" when empty, found or made under the images root):
    // the file "Logo Blue.gif" becomes the item named and with the
    // alternative file name "LogoBlue", a new one with an id of the style
    // range, or the image that already has that alternative file name, whose
    // picture is replaced. A file that does not decode, or whose name leaves
    // no usable file name or one another item has, is skipped with a log
    // line. Everything is written as one unit of work on the items'
    // connection; RunDialog is not used.
    static TResult ImportStyleImages(const TServices& services, TImportedItems& items,
                                     const std::vector<std::string>& files, const std::string& folderName);
    // The item name of a style image file: its name without folder and
    // extension, letters, digits, "-" and "_" only.
    static std::string StyleImageName(const std::string& path);
    // The alternative file name a picture's path proposes: letters, digits, "-" and "_" only.
    static std::string AltNameOfPath(const std::string& path);
};
