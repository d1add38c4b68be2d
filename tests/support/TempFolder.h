#pragma once
// A fresh temporary folder, removed with everything in it when the object dies.
#include <string>

class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file or folder inside the temporary folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Writes a file (parent folders created) and returns its path.
    std::string Write(const std::string& name, const std::string& content) const;
    // Reads a whole file; empty when it does not exist.
    static std::string Read(const std::string& path);

private:
    std::string path_;
};
