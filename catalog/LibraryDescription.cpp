#include "catalog/LibraryDescription.h"

#include <dlfcn.h>

#include <utility>

TLibraryDescription::TLibraryDescription(void* handle, int id, std::string fileName)
    : handle_(handle), id_(id), fileName_(std::move(fileName))
{
}

TLibraryDescription::~TLibraryDescription()
{
    if (handle_)
        dlclose(handle_);
}
