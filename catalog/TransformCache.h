#pragma once
// The pages that editors generated for their previews, kept with the open
// catalog so that the preview scheme handler serves a page from here instead
// of generating it again. Pages are keyed by item id, page number (0 counts
// as 1) and language code (compared exactly). The cache has no size limit;
// it is emptied by Clear unless clearing is switched off (the style dialog
// does so while it previews styles). GUI thread only.
#include "catalog/TransformResult.h"

#include <string>
#include <vector>

class TTransformCache {
public:
    // Stores the page, replacing the text of a page cached under the same key.
    void PutTransformResult(int itemId, int pageNo, const std::string& text, const std::string& langCode);
    // The cached page; empty when there is none.
    std::string GetTransformResult(int itemId, int pageNo, const std::string& langCode) const;
    // Empties the cache while clearing is switched on; otherwise nothing.
    void ClearTransformCache();
    // Switches clearing on or off (on at first); storing and reading work either way.
    void SetTransformCacheEnabled(bool enabled) { clearingEnabled_ = enabled; }
    bool IsTransformCacheEnabled() const { return clearingEnabled_; }
    std::size_t Count() const { return pages_.size(); }

private:
    std::vector<TTransformResult> pages_;
    bool clearingEnabled_ = true;
};
