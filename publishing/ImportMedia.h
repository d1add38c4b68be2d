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
//   TImportMedia::TServices services{runDialog, gui, log};
//   TImportMedia::ImportImages(services, files, "Photos", 100, 800);
#include <functional>
#include <string>
#include <vector>

class TCommonGui;

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
    // The alternative file name a picture's path proposes: letters, digits, "-" and "_" only.
    static std::string AltNameOfPath(const std::string& path);
};
