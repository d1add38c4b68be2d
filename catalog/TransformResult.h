#pragma once
// One generated page kept for preview serving: the page of an item (a page
// number of a multi-page item, 1 and up) in the language it was generated in.
#include <string>
#include <utility>

class TTransformResult {
public:
    TTransformResult(int itemId, int pageNo, std::string langCode, std::string text)
        : ItemId(itemId), PageNo(pageNo), LangCode(std::move(langCode)), Text(std::move(text))
    {
    }

    // Whether the page is the one of that key; the language compares exactly.
    bool HasKey(int itemId, int pageNo, const std::string& langCode) const
    {
        return ItemId == itemId && PageNo == pageNo && LangCode == langCode;
    }

    int ItemId = 0;
    int PageNo = 1;
    std::string LangCode;
    std::string Text;
};
