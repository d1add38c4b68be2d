// Names and addresses of items: page file names from alternative file
// names, preview addresses taken apart, and lists of item names.
#include "catalog/Catalog.h"

#include "catalog/AbstractCatalogData.h"
#include "catalog/CatalogHost.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctionsDetail.h"
#include "storage/MemberValueText.h"

#include <algorithm>

namespace {

// The position of the last "/" or "\" of Text; npos when there is none.
std::size_t LastSeparator(const std::string& text)
{
    return text.find_last_of("/\\");
}

}  // namespace

std::string TCatalog::GetPageFileNameByAltName(int itemId, int itemType, int pageNo, const std::string& defaultName,
                                               TAbstractDBConnection* connection, const std::string& catalogCode,
                                               const std::string& altName)
{
    if (itemId == 0 || !connection)
        return defaultName;
    const std::string alt = !altName.empty() ? altName : GetAltFileName(itemId, connection, catalogCode);
    if (alt.empty())
        return defaultName;
    std::string fileName = alt;
    if (pageNo >= 2) {
        fileName += '-';
        fileName += std::to_string(pageNo);
    }
    return fileName + services_.Host.GetPageExtension(itemType);
}

TCatalog::TPreviewUrl TCatalog::ParsePreviewUrl(const std::string& url, TAbstractDBConnection& connection,
                                                const std::string& catalogCode)
{
    TPreviewUrl result;
    const auto contains = [&url](const std::string& address) {
        return !address.empty() && url.find(address) != std::string::npos;
    };
    if (contains(services_.Host.GetPreviewHostAddress()))
        result.Kind = 1;
    else if (contains(services_.Host.GetStylePreviewHostAddress()))
        result.Kind = 2;
    else
        return result;

    result.CleanUrl = url.substr(0, url.find_last_of("#?"));
    // The file and folder come from the path alone, also when a query is
    // followed by a fragment.
    std::string rest = url.substr(0, url.find_first_of("#?"));

    std::string base;
    const std::size_t separator = LastSeparator(rest);
    if (separator != std::string::npos) {
        result.FileName = rest.substr(separator + 1);
        rest.erase(separator);
        const std::size_t dot = result.FileName.rfind('.');
        base = result.FileName.substr(0, dot);
        if (dot != std::string::npos)
            result.Ext = result.FileName.substr(dot + 1);
        const std::size_t folder = LastSeparator(rest);
        result.Dir = folder == std::string::npos ? rest : rest.substr(folder + 1);
    }
    const std::size_t dash = base.find('-');
    if (dash != std::string::npos) {
        result.PageNo = TMemberValueText::ReadInteger(base.substr(dash + 1));
        base.erase(dash);
    }
    result.ItemId = TMemberValueText::ReadInteger(base);
    if (result.ItemId == 0)
        result.ItemId = FindItemByAltFileName(base, connection, catalogCode, 0);
    return result;
}

void TCatalog::GetItemNamesList(const std::vector<int>& idList, std::vector<std::string>& names,
                                const std::string& /*catalogCode: the open catalog's*/,
                                TAbstractDBConnection& connection, bool sorted, bool withIds)
{
    if (!data_)
        return;
    const std::string lang = data_->GetCatalog().GetDefaultLangCode();
    std::vector<std::string> entries;
    for (int id : idList) {
        std::string entry = data_->GetItemName(id, connection, lang);
        if (withIds)
            entry += "===" + std::to_string(id);
        entries.push_back(std::move(entry));
    }
    if (sorted)
        std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
            return common_detail::LowerCase(a) < common_detail::LowerCase(b);
        });
    names.insert(names.end(), entries.begin(), entries.end());
}
