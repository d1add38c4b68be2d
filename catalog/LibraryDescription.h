#pragma once
// One loaded plug-in library: its module handle, the id the libraries
// manager gave it and its file name. Destroying it unloads the library.
#include <string>

class TLibraryDescription {
public:
    TLibraryDescription(void* handle, int id, std::string fileName);
    ~TLibraryDescription();
    TLibraryDescription(const TLibraryDescription&) = delete;
    TLibraryDescription& operator=(const TLibraryDescription&) = delete;

    void* GetHandle() const { return handle_; }
    int GetId() const { return id_; }
    const std::string& GetFileName() const { return fileName_; }

private:
    void* handle_;
    int id_;
    std::string fileName_;
};
