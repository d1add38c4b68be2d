#include "catalog/TransformCache.h"

#include <algorithm>

namespace {

int StoredPageNo(int pageNo)
{
    return pageNo == 0 ? 1 : pageNo;
}

}  // namespace

void TTransformCache::PutTransformResult(int itemId, int pageNo, const std::string& text, const std::string& langCode)
{
    pageNo = StoredPageNo(pageNo);
    const auto found = std::find_if(pages_.begin(), pages_.end(), [&](const TTransformResult& page) {
        return page.HasKey(itemId, pageNo, langCode);
    });
    if (found != pages_.end())
        found->Text = text;
    else
        pages_.emplace_back(itemId, pageNo, langCode, text);
}

std::string TTransformCache::GetTransformResult(int itemId, int pageNo, const std::string& langCode) const
{
    pageNo = StoredPageNo(pageNo);
    const auto found = std::find_if(pages_.begin(), pages_.end(), [&](const TTransformResult& page) {
        return page.HasKey(itemId, pageNo, langCode);
    });
    return found != pages_.end() ? found->Text : std::string();
}

void TTransformCache::ClearTransformCache()
{
    if (clearingEnabled_)
        pages_.clear();
}
