#include "common/XmlPtr.h"
#include "generation/StyleSheetCache.h"

#include "generation/TransformerXsltScope.h"

#include <libxml/parser.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>

TStyleSheetCache::TStyleSheetCache(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

TStyleSheetCache::~TStyleSheetCache()
{
    Clear();
}

const TStyleSheetCache::TSheet& TStyleSheetCache::Get(const std::string& key, const std::string& text,
                                                       const std::string& baseUrl)
{
    return Get(key, [&text] { return text; }, baseUrl);
}

const TStyleSheetCache::TSheet& TStyleSheetCache::Get(const std::string& key,
                                                       const std::function<std::string()>& makeText,
                                                       const std::string& baseUrl)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (it->key == key) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front().sheet;
        }
    if (entries_.size() >= capacity_) {
        Free(entries_.back().sheet);
        entries_.pop_back();
    }
    ++compileCount_;
    entries_.push_front(TEntry{key, Compile(makeText(), baseUrl)});
    return entries_.front().sheet;
}

void TStyleSheetCache::Clear()
{
    for (TEntry& entry : entries_)
        Free(entry.sheet);
    entries_.clear();
}

TStyleSheetCache::TSheet TStyleSheetCache::Compile(const std::string& text, const std::string& baseUrl)
{
    TTransformerXsltScope scope;
    TSheet result;
    TXmlDocPtr doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), baseUrl.c_str(), nullptr,
                                 XSLT_PARSE_OPTIONS | XML_PARSE_NONET));
    if (doc) {
        // A compiled sheet owns its document; a failed compilation leaves it to us.
        result.Sheet = xsltParseStylesheetDoc(doc.get());
        if (result.Sheet)
            doc.release();
        if (result.Sheet && result.Sheet->errors != 0)
            Free(result);
    }
    if (!result.Sheet && !scope.FirstParseError().empty()) {
        result.ParseError = true;
        result.Error = scope.FirstParseError();
    } else if (!result.Sheet) {
        result.Error = scope.Messages().empty() ? "The style sheet does not compile" : scope.Messages();
    }
    return result;
}

void TStyleSheetCache::Free(TSheet& sheet)
{
    if (sheet.Sheet)
        xsltFreeStylesheet(sheet.Sheet);
    sheet.Sheet = nullptr;
}
