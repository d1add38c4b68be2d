#include "publishing/ImportWebSite.h"

#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/WellKnownIds.h"
#include "publishing/HtmlLoader.h"
#include "publishing/HttpClient.h"
#include "publishing/ImportedItems.h"
#include "storage/AbstractDBConnection.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>

namespace {

constexpr int kHtmlSourcePage = 401;
constexpr int kStyleSheetType = 504;
constexpr int kScriptType = 506;

int IntParam(const std::string& text)
{
    int value = 0;
    const std::string trimmed = common_detail::Trim(text);
    std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    return value;
}

bool IsPageType(const std::string& mediaType)
{
    return mediaType == "text/html" || mediaType == "application/xhtml+xml";
}

bool IsScriptType(const std::string& mediaType)
{
    static const std::set<std::string> kTypes{"application/javascript", "text/javascript", "application/x-javascript",
                                              "application/ecmascript", "text/ecmascript", "text/plain"};
    return kTypes.count(mediaType) != 0;
}

// The extension of an address's last segment, lower case; empty when it has none.
std::string ExtensionOf(const std::string& url)
{
    const std::string path = url.substr(0, url.find('?'));
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return common_detail::LowerCase(path.substr(dot + 1));
}

// An address that may well be a web page: no extension, or one a page has.
bool LooksLikePage(const std::string& url)
{
    static const std::set<std::string> kPageExtensions{"",    "html", "htm", "xhtml", "shtml", "php", "php3",
                                                       "asp", "aspx", "jsp", "cfm",   "cgi",   "pl"};
    return kPageExtensions.count(ExtensionOf(url)) != 0;
}

std::string CollapseSpaces(const std::string& text)
{
    std::string result;
    bool space = false;
    for (char c : common_detail::Trim(text)) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank && space)
            continue;
        result += blank ? ' ' : c;
        space = blank;
    }
    return result;
}

}  // namespace

TImportWebSite::TImportWebSite(std::vector<std::string>& params, TAbstractDBConnection& connection,
                               const TPublisherEnvironment& environment)
    : TTolvexImport(params, connection, environment)
{
    CreateHttpClient();
}

TImportWebSite::~TImportWebSite() = default;

void TImportWebSite::Execute()
{
    if (!Root())
        throw EPublisherTolvexException("The web-site import needs the program");
    TWaitCursor wait(Gui());
    try {
        Crawl();
    } catch (const ETolvexException& error) {
        SetParam("DownloadedPages", std::to_string(storedPages_));
        if (!cancelled_)
            WriteLog(Format("Error: $1", {error.what()}), 3);
        throw;
    }
    SetParam("DownloadedPages", std::to_string(storedPages_));
}

void TImportWebSite::Crawl()
{
    std::string code = Param("CatalogCode");
    if (code.empty() && OpenCatalog())
        code = OpenCatalog()->GetCatalogCode();
    if (code.empty())
        throw EPublisherTolvexException("No catalog to import into");
    scope_ = std::make_unique<TSiteScope>(Param("URL"), common_detail::LowerCase(Param("OnlyUnderlying")) == "yes");
    if (scope_->Start().empty())
        throw EPublisherTolvexException(Format("Invalid address \"$1\"", {Param("URL")}));
    items_ = std::make_unique<TImportedItems>(*Root(), connection_, code, Gui());
    langCode_ = items_->DefaultLangCode();
    downloadDepth_ = IntParam(Param("DownloadDepth"));
    maxPages_ = IntParam(Param("MaxPages"));
    if (maxPages_ <= 0 || maxPages_ > limits_.MaxPages)
        maxPages_ = limits_.MaxPages;
    httpClient_->SetLimits(limits_.MaxResponseBytes, limits_.TimeoutSeconds);

    TPageEntry start;
    start.Url = scope_->Start();
    start.ParentItemId = IntParam(Param("ParentItemId"));
    start.ItemType = IntParam(Param("ItemType"));
    start.ItemId = IntParam(Param("StartItemId"));
    // An id the catalog already has is not taken over.
    if (start.ItemId <= 0 || items_->ItemType(start.ItemId) != 0)
        start.ItemId = items_->NewItemId();
    pages_[start.Url] = start.ItemId;
    queue_.push_back(start);
    pageCount_ = 1;

    bool first = true;
    while (!queue_.empty() && !cancelled_) {
        const TPageEntry entry = queue_.front();
        queue_.pop_front();
        std::string replacement;
        const bool stored = ProcessPage(entry, replacement);
        if (stored)
            ++storedPages_;
        else
            unstored_[entry.ItemId] = replacement.empty() ? entry.Url : replacement;
        CommitPage();
        if (first && !stored) {
            WriteLog(Format("Error: $1", {Format("The start page $1 could not be imported", {entry.Url})}), 3);
            ++errorCount_;
            return;
        }
        first = false;
    }
    if (cancelled_)
        return;
    FixLinksToUnstoredPages();
    CommitPage();
    if (OpenCatalog() && OpenCatalog()->GetCatalogCode() == code)
        Root()->QueueAction("Action=Refresh&Name=WebTree&ItemId=" + std::to_string(start.ParentItemId), false);
    success_ = storedPages_ > 0;
}

void TImportWebSite::CommitPage()
{
    // A runner's own connection is rolled back when it is freed: each page is kept as it is stored.
    if (connection_.InTransaction()) {
        connection_.CommitTrans();
        connection_.BeginTrans();
    }
}

bool TImportWebSite::LimitReached()
{
    if (totalBytes_ < limits_.MaxTotalBytes)
        return false;
    if (!limitLogged_)
        WriteLog(Format("The import reached its limit of $1 bytes", {std::to_string(limits_.MaxTotalBytes)}), 3);
    limitLogged_ = true;
    return true;
}

std::optional<TImportWebSite::TDownload> TImportWebSite::Download(const std::string& url)
{
    if (LimitReached() || cancelled_)
        return std::nullopt;
    WriteLog(Format("Loading data: $1", {url}));
    std::ostringstream body;
    TDownload data;
    try {
        const THttpResponse answer = httpClient_->Get(url, body);
        if (answer.StatusCode < 200 || answer.StatusCode > 299) {
            WriteLog(Format("Error: $1", {url + ": HTTP " + std::to_string(answer.StatusCode)}), 3);
            return std::nullopt;
        }
        data.ContentType = answer.ContentType;
    } catch (const EPublisherTolvexException& error) {
        if (!cancelled_)
            WriteLog(Format("Error: $1", {url + ": " + error.what()}), 3);
        return std::nullopt;
    }
    data.Bytes = body.str();
    data.MediaType = THtmlLoader::MediaType(data.ContentType);
    totalBytes_ += static_cast<std::int64_t>(data.Bytes.size());
    WriteLog(Tr("Loaded"));
    return data;
}

// ---- pages -------------------------------------------------------------------------------------------

bool TImportWebSite::ProcessPage(const TPageEntry& entry, std::string& replacement)
{
    const std::optional<TDownload> page = Download(entry.Url);
    if (!page)
        return false;
    if (IsPageType(page->MediaType))
        return StorePage(entry, *page);
    // A link to a picture leads to the stored picture; to anything else, to where it was.
    if (TCommonImages::IsImageMimeType(page->MediaType)) {
        const std::string path = StorePicture(entry.Url, *page);
        resources_[entry.Url] = path;
        replacement = path;
    } else {
        WriteLog(Format("Not a web page: $1 ($2)", {entry.Url, page->MediaType}));
    }
    return false;
}

bool TImportWebSite::StorePage(const TPageEntry& entry, const TDownload& page)
{
    THtmlLoader loader;
    loader.SetLimits(limits_.MaxResponseBytes, limits_.TimeoutSeconds);
    loader.Stopped = [this] { return cancelled_; };
    if (!loader.LoadFromMemory(page.Bytes, entry.Url, page.ContentType)) {
        WriteLog(Tr("Cannot download page data"), 3);
        return false;
    }
    const int itemId =
        items_->Create(entry.ItemType != 0 ? entry.ItemType : kHtmlSourcePage, entry.ParentItemId, entry.ItemId);
    std::string title;
    RewriteLinks(loader.Root(), entry, title);
    items_->SetText(itemId, "HtmlData", langCode_, loader.Html());
    items_->SetName(itemId, title.empty() ? entry.Url : title);
    return true;
}

void TImportWebSite::RewriteLinks(xmlNode* node, const TPageEntry& entry, std::string& title)
{
    for (xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        const std::string name = common_detail::LowerCase(reinterpret_cast<const char*>(child->name));
        if (name == "title" && title.empty()) {
            title = CollapseSpaces(THtmlLoader::Text(child));
        } else if (name == "img" ||
                   (name == "input" && common_detail::LowerCase(THtmlLoader::Attribute(child, "type")) == "image")) {
            RewriteReference(child, "src", TKind::Picture, entry);
        } else if (name == "script") {
            RewriteReference(child, "src", TKind::Script, entry);
        } else if (name == "link") {
            const std::string rel = " " + common_detail::LowerCase(THtmlLoader::Attribute(child, "rel")) + " ";
            if (rel.find(" stylesheet ") != std::string::npos)
                RewriteReference(child, "href", TKind::StyleSheet, entry);
            else if (rel.find(" icon ") != std::string::npos)
                RewriteReference(child, "href", TKind::Picture, entry);
        } else if (name == "a" || name == "area") {
            RewritePageLink(child, "href", entry);
        } else if (name == "frame" || name == "iframe") {
            RewritePageLink(child, "src", entry);
        } else if (name == "style") {
            const std::string css = THtmlLoader::Text(child);
            const std::string rewritten = RewriteCssUrls(css, entry.Url);
            if (rewritten != css)
                xmlNodeSetContentLen(child, BAD_CAST rewritten.c_str(), static_cast<int>(rewritten.size()));
        }
        if (xmlHasProp(child, BAD_CAST "background"))
            RewriteReference(child, "background", TKind::Picture, entry);
        if (xmlHasProp(child, BAD_CAST "style")) {
            const std::string css = THtmlLoader::Attribute(child, "style");
            const std::string rewritten = RewriteCssUrls(css, entry.Url);
            if (rewritten != css)
                xmlSetProp(child, BAD_CAST "style", BAD_CAST rewritten.c_str());
        }
        RewriteLinks(child, entry, title);
    }
}

void TImportWebSite::RewriteReference(xmlNode* element, const char* attribute, TKind kind, const TPageEntry& entry)
{
    const std::string value = THtmlLoader::Attribute(element, attribute);
    const std::string url = TSiteScope::Resolve(entry.Url, value);
    if (url.empty())
        return;
    const std::string path = Resource(kind, url);
    xmlSetProp(element, BAD_CAST attribute, BAD_CAST(path.empty() ? url : path).c_str());
}

void TImportWebSite::RewritePageLink(xmlNode* element, const char* attribute, const TPageEntry& entry)
{
    const std::string value = THtmlLoader::Attribute(element, attribute);
    const std::string url = TSiteScope::Resolve(entry.Url, value);
    if (url.empty())
        return;  // mailto:, javascript:, a fragment of this page
    const std::string fragment = TSiteScope::FragmentOf(value);
    std::string target = url + fragment;
    const auto known = pages_.find(url);
    int pageId = known == pages_.end() ? 0 : known->second;
    if (pageId == 0 && scope_->SameSite(url) && TCommonImages::IsImageExtension(ExtensionOf(url))) {
        const std::string path = Resource(TKind::Picture, url);
        if (!path.empty())
            target = path;
    } else if (pageId == 0 && scope_->Contains(url) && LooksLikePage(url) && entry.Depth < downloadDepth_ &&
               pageCount_ < maxPages_) {
        TPageEntry page;
        page.Url = url;
        page.ItemId = items_->NewItemId();
        page.ParentItemId = entry.ItemId;
        page.Depth = entry.Depth + 1;
        queue_.push_back(page);
        pages_[url] = page.ItemId;
        ++pageCount_;
        pageId = page.ItemId;
    }
    if (pageId != 0) {
        const auto unstored = unstored_.find(pageId);
        if (unstored != unstored_.end()) {
            target = unstored->second + (unstored->second == url ? fragment : "");
        } else {
            target = std::to_string(pageId) + ".html" + fragment;
            linkers_[pageId].push_back(entry.ItemId);
        }
    }
    xmlSetProp(element, BAD_CAST attribute, BAD_CAST target.c_str());
}

std::string TImportWebSite::RewriteCssUrls(const std::string& css, const std::string& base)
{
    std::string result;
    std::size_t at = 0;
    while (true) {
        const std::size_t open = common_detail::LowerCase(css.substr(at)).find("url(");
        if (open == std::string::npos)
            break;
        const std::size_t start = at + open + 4;
        const std::size_t close = css.find(')', start);
        if (close == std::string::npos)
            break;
        std::string reference = common_detail::Trim(css.substr(start, close - start));
        if (reference.size() >= 2 && (reference.front() == '"' || reference.front() == '\'') &&
            reference.back() == reference.front())
            reference = reference.substr(1, reference.size() - 2);
        const std::string url = reference.rfind("data:", 0) == 0 ? "" : TSiteScope::Resolve(base, reference);
        std::string path;
        if (!url.empty() && TCommonImages::IsImageExtension(ExtensionOf(url)))
            path = Resource(TKind::Picture, url);
        result += css.substr(at, start - at);
        result += path.empty() ? css.substr(start, close - start) : "\"" + path + "\"";
        at = close;
    }
    return result + css.substr(at);
}

// ---- resources ---------------------------------------------------------------------------------------

std::string TImportWebSite::Resource(TKind kind, const std::string& url)
{
    const auto known = resources_.find(url);
    if (known != resources_.end())
        return known->second;
    std::string path;
    // Resources come from the site alone; anything elsewhere is left where it is.
    if (scope_->SameSite(url))
        if (const std::optional<TDownload> data = Download(url))
            path = StoreResource(kind, url, *data);
    resources_[url] = path;
    return path;
}

std::string TImportWebSite::StoreResource(TKind kind, const std::string& url, const TDownload& data)
{
    switch (kind) {
    case TKind::Picture:
        if (TCommonImages::IsImageMimeType(data.MediaType))
            return StorePicture(url, data);
        break;
    case TKind::StyleSheet:
        if (data.MediaType == "text/css") {
            const std::string css = RewriteCssUrls(data.Bytes, url);
            const int id = items_->Create(kStyleSheetType, AssetFolder());
            items_->SetName(id, url);
            items_->SetText(id, "CSSData", kNoLanguageCode, css);
            return "../css/" + std::to_string(id) + ".css";
        }
        break;
    case TKind::Script:
        if (IsScriptType(data.MediaType)) {
            const int id = items_->Create(kScriptType, AssetFolder());
            items_->SetName(id, url);
            items_->SetText(id, "JavaScript", kNoLanguageCode, data.Bytes);
            return "../js/" + std::to_string(id) + ".js";
        }
        break;
    case TKind::Page:
        break;
    }
    WriteLog(Format("Not imported: $1 ($2)", {url, data.MediaType}));
    return {};
}

std::string TImportWebSite::StorePicture(const std::string& url, const TDownload& data)
{
    try {
        const std::optional<TImportedItems::TEncodedPicture> picture =
            TImportedItems::PreparePicture(data.Bytes, data.MediaType);
        if (!picture) {
            WriteLog(Format("Not imported: $1 ($2)", {url, data.MediaType}));
            return {};
        }
        const int id = items_->Create(kImageItemType, PictureFolder());
        items_->SetName(id, url);
        items_->StorePicture(id, *picture);
        return "../images/" + std::to_string(id) + "." + TCommonFunctions::GetExtensionByMimeType(picture->MimeType, "");
    } catch (const ECriticalTolvexException& error) {
        WriteLog(Format("Cannot save image ($1): $2", {url, error.what()}), 3);
        return {};
    }
}

int TImportWebSite::PictureFolder()
{
    if (pictureFolder_ == 0)
        pictureFolder_ = items_->Folder(kImagesRootId, "Imported from " + scope_->HostName());
    return pictureFolder_;
}

int TImportWebSite::AssetFolder()
{
    // Below the templates root, where publishing finds style sheets and scripts.
    if (assetFolder_ == 0)
        assetFolder_ = items_->Folder(kTemplatesRootId, "Imported from " + scope_->HostName());
    return assetFolder_;
}

// Links written to pages that were queued but then not stored lead to the
// original address (or the stored picture) instead.
void TImportWebSite::FixLinksToUnstoredPages()
{
    std::unordered_map<int, std::vector<int>> byLinker;
    for (const auto& [pageId, replacement] : unstored_) {
        const auto linkers = linkers_.find(pageId);
        if (linkers != linkers_.end())
            for (int linker : linkers->second)
                byLinker[linker].push_back(pageId);
    }
    for (const auto& [linker, targets] : byLinker) {
        if (unstored_.count(linker))
            continue;
        THtmlLoader loader;
        if (!loader.LoadFromMemory(items_->GetText(linker, "HtmlData", langCode_), ""))
            continue;
        std::vector<xmlNode*> elements;
        for (const char* name : {"a", "area", "frame", "iframe"})
            THtmlLoader::CollectElements(loader.Root(), name, elements);
        for (xmlNode* element : elements) {
            const char* attribute = THtmlLoader::IsElement(element, "a") || THtmlLoader::IsElement(element, "area")
                                        ? "href"
                                        : "src";
            const std::string value = THtmlLoader::Attribute(element, attribute);
            for (int target : targets) {
                const std::string local = std::to_string(target) + ".html";
                if (value == local || value.rfind(local + "#", 0) == 0) {
                    const std::string& replacement = unstored_.at(target);
                    const bool picture = replacement.rfind("../images/", 0) == 0;
                    xmlSetProp(element, BAD_CAST attribute,
                               BAD_CAST(replacement + (picture ? "" : value.substr(local.size()))).c_str());
                }
            }
        }
        items_->SetText(linker, "HtmlData", langCode_, loader.Html());
    }
}
