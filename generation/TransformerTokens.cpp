// Source pages: the stored code of a page, with the tokens "$$name$$"
// replaced by values of the page.
#include "generation/Transformer.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/RegexPattern.h"
#include "common/WellKnownIds.h"
#include "generation/TransformerCatalog.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <algorithm>

namespace {

// The names of the tokens of Text in order of first occurrence; a name
// equal to one found before, ignoring case, is not taken again.
std::vector<std::string> TokenNames(const std::string& text)
{
    static const TRegexPattern pattern("\\$\\$([\\w/-]*)\\$\\$", roCaseless | roDotAll);
    std::vector<std::string> names;
    pattern.ForEachMatch(text, [&](const TRegexMatch& match) {
        std::string name = match.Group(text, 1);
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& known) { return common_detail::SameText(known, name); }))
            names.push_back(std::move(name));
    });
    return names;
}

}  // namespace

bool TTransformer::UseLinkedJSP(int id)
{
    static const std::pair<int, const char*> classes[] = {
        {402, "ASPData"}, {403, "JSPData"}, {404, "PHPData"}, {405, "ShtmlData"}};
    const int type = catalog_.GetItemType(id, catalogCode_, *connection_);
    const auto found = std::find_if(std::begin(classes), std::end(classes),
                                    [type](const auto& entry) { return entry.first == type; });
    if (found == std::end(classes))
        return false;
    TAbstractCObject* source = collection_->GetObject(id, found->second);
    const std::string code = source ? source->GetLangString("SourceCode", langCode_, 0) : "";
    if (code.empty())
        return false;
    resultHtml_ = ReplaceParams(code);
    return true;
}

std::string TTransformer::ReplaceParams(const std::string& text)
{
    std::string result = text;
    for (const std::string& name : TokenNames(text))
        common_detail::ReplaceAll(result, "$$" + name + "$$", ResolveToken(name));
    return result;
}

const std::string& TTransformer::PageFileName()
{
    if (!pageFileName_)
        pageFileName_ = catalog_.GetAltFileName(treeItemId_, *connection_, catalogCode_);
    return *pageFileName_;
}

std::string TTransformer::ResolveToken(const std::string& name)
{
    std::string value;
    if (name == "CatalogCode")
        value = catalogCode_;
    else if (name == "ItemId")
        value = std::to_string(itemId_);
    else if (name == "TreeItemId")
        value = std::to_string(treeItemId_);
    else if (name == "FileName")
        value = PageFileName();
    else if (name == "ItemType")
        value = std::to_string(itemType_);
    else if (name == "LanguageCode")
        value = langCode_;
    else if (name == "PageName")
        value = MemberValue(itemId_, "CommonNames", "ItemName");
    else if (name == "CompanyName")
        value = MemberValue(kCompanyItemId, "CommonCompanyInfo", "CompanyName");
    else
        value = PathValue(name);
    return value.empty() ? value : TCommonFunctions::EncodeXmlText(value);
}

// A token "Item/Class/Member" or "Class/Member" (the current item); a
// leading "/" is ignored. Any other form gives the empty text.
std::string TTransformer::PathValue(const std::string& name)
{
    const std::string path = !name.empty() && name.front() == '/' ? name.substr(1) : name;
    const std::size_t first = path.find('/');
    if (first == std::string::npos)
        return "";
    const std::size_t second = path.find('/', first + 1);
    if (second == std::string::npos)
        return MemberValue(catalog_.ResolveItemId("current", itemId_, treeItemId_), path.substr(0, first),
                           path.substr(first + 1));
    if (path.find('/', second + 1) != std::string::npos)
        return "";
    return MemberValue(catalog_.ResolveItemId(path.substr(0, first), itemId_, treeItemId_),
                       path.substr(first + 1, second - first - 1), path.substr(second + 1));
}

std::string TTransformer::MemberValue(int itemId, const std::string& classTag, const std::string& member)
{
    TAbstractCObject* object = itemId == 0 ? nullptr : collection_->GetObject(itemId, classTag);
    return object ? object->GetValueText(member, langCode_, 0, false) : "";
}
