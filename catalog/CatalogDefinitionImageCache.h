#pragma once
// The image cache of the main window, which the catalog definition fills
// with the tree images of the loaded catalog type. The GUI controller
// implements it; while it does not exist, a definition loads no images.
#include <string>

class TCatalogDefinitionImageCache {
public:
    virtual ~TCatalogDefinitionImageCache() = default;

    // Drops every cached image.
    virtual void ClearCachedImages() = 0;
    // Adds a picture under its name; Picture holds the stored bytes of the
    // given MIME type ("image/bmp").
    virtual void AddCachedImage(const std::string& name, const std::string& picture,
                                const std::string& mimeType) = 0;
};
