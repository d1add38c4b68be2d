#include "catalog/SymbolicIds.h"

#include "catalog/CatalogDefinitionLookup.h"

#include <charconv>

namespace {

// A decimal integer (an optional sign, then digits) within the range of
// int; 0 for any other text.
int NumberOf(const std::string& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-')
            return 0;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last ? value : 0;
}

}  // namespace

int ResolveSymbolicItemId(const std::string& text, const TCurrentIds& current, TCatalogDefinitionLookup& lookup)
{
    if (text.empty())
        return 0;
    if (const int number = NumberOf(text); number != 0)
        return number;
    if (text == "current" || text == "process")
        return current.ItemId;
    if (text == "currenttree")
        return current.TreeItemId;
    if (text == "mastertemplate")
        return current.MasterTemplateId;
    if (text == "bodytemplate")
        return current.BodyTemplateId;
    if (text == "Home")
        return lookup.GetHomePageId();
    return lookup.GetItemIdByName(text);
}

int ResolveSymbolicItemType(const std::string& text, int currentType, TCatalogDefinitionLookup& lookup)
{
    if (text.empty())
        return 0;
    if (const int number = NumberOf(text); number != 0)
        return number;
    if (text == "current" || text == "process")
        return currentType;
    return lookup.GetItemTypeByName(text);
}
