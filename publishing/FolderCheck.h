#pragma once
// Whether the program may write files into a folder the user chose: it must
// be a folder, on a file system that stores files (not one of the kernel's
// virtual file systems such as /proc, /sys or /dev, whose files show the
// state of the computer and may block whoever reads them), and the user
// must be allowed to write into it. Asked before a chosen folder is used or
// remembered.
#include <string>

class TTranslation;

class TFolderCheck {
public:
    // Empty when files may be written into Folder; otherwise the message to
    // show, through Translation when given.
    static std::string Problem(const std::string& folder, const TTranslation* translation);
    // Whether Folder lies on (or below a mount of) a virtual file system of the kernel.
    static bool IsOnVirtualFileSystem(const std::string& folder);
};
