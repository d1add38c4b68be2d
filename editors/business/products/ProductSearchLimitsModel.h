#pragma once
// TProductSearchLimitsModel: how a product shows in search results
// ("ProductSearchLimits"): the thumbnail's size in pixels and the longest
// name in characters, edited as text and stored as whole numbers (0 for a
// text that is none).
#include "editors/site/SiteModelContext.h"

#include <string>

class TProductSearchLimitsModel {
public:
    explicit TProductSearchLimitsModel(const TSiteModelContext& context);

    void Load();
    const std::string& ThumbnailSize() const { return thumbnailSize_; }
    const std::string& NameLength() const { return nameLength_; }
    void SetValues(const std::string& thumbnailSize, const std::string& nameLength);
    void Store();

private:
    TSiteModelContext context_;
    std::string thumbnailSize_;
    std::string nameLength_;
};
