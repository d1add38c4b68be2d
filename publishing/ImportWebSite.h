#pragma once
// Imports an existing web site into a catalog: the pages are crawled breadth
// first from the start address ("URL") within a depth ("DownloadDepth"; the
// start page has depth 1) and a number of pages ("MaxPages", 0 = no limit
// but the import's own), each page stored as an HTML source page (item type
// 401) below the page that first linked to it, with its pictures, style
// sheets and scripts as items of their own. Every reference to something
// stored is rewritten to where publishing writes it ("<id>.html",
// "../images/<id>.<ext>", "../css/<id>.css", "../js/<id>.js"); a reference
// to anything that was not stored is made absolute, so that it still leads
// to the original site.
//
// The crawl keeps to the site: only http and https, the start address's
// scheme, host and port, and with "OnlyUnderlying" = "yes" only pages below
// the start address (TSiteScope); nothing else is ever requested. Each
// response and the whole import are bounded in bytes and pages. A page or
// resource that cannot be fetched (a 404, a time-out) is logged and
// skipped; only a start page that cannot be stored ends the import
// unsuccessfully. Names and pages go into the catalog's default data
// language. Pages are committed one by one and no page's bytes are kept
// after it is stored, so memory stays flat however large the site.
//
// Parameters: "URL", "DownloadDepth", "MaxPages", "OnlyUnderlying",
// "CatalogCode" (the open catalog's when empty), "StartItemId" (0 or an
// existing id: a new one), "ParentItemId", "ItemType" (0 = 401); written
// back: "DownloadedPages".
#include "publishing/SiteScope.h"
#include "publishing/TolvexImport.h"

#include <libxml/tree.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TImportedItems;

class TImportWebSite : public TTolvexImport {
public:
    struct TLimits {
        std::int64_t MaxResponseBytes = 16LL * 1024 * 1024;
        std::int64_t MaxTotalBytes = 1024LL * 1024 * 1024;
        int MaxPages = 10000;
        long TimeoutSeconds = 60;
    };

    TImportWebSite(std::vector<std::string>& params, TAbstractDBConnection& connection,
                   const TPublisherEnvironment& environment);
    ~TImportWebSite() override;

    void SetLimits(const TLimits& limits) { limits_ = limits; }
    void Execute() override;

    // Pages stored by the last run.
    int StoredPages() const { return storedPages_; }

private:
    enum class TKind { Page, Picture, Script, StyleSheet };
    struct TPageEntry {
        std::string Url;
        int ItemId = 0;
        int ParentItemId = 0;
        int ItemType = 0;
        int Depth = 1;
    };
    struct TDownload {
        std::string Bytes;
        std::string ContentType;
        std::string MediaType;
    };

    void Crawl();
    // False when the page was not stored; Replacement then says what links to it become.
    bool ProcessPage(const TPageEntry& entry, std::string& replacement);
    std::optional<TDownload> Download(const std::string& url);
    bool StorePage(const TPageEntry& entry, const TDownload& page);
    void RewriteLinks(xmlNode* node, const TPageEntry& entry, std::string& title);
    void RewriteReference(xmlNode* element, const char* attribute, TKind kind, const TPageEntry& entry);
    void RewritePageLink(xmlNode* element, const char* attribute, const TPageEntry& entry);
    std::string RewriteCssUrls(const std::string& css, const std::string& base);
    // The published path of a resource, fetched and stored on first use; empty when it was not stored.
    std::string Resource(TKind kind, const std::string& url);
    std::string StoreResource(TKind kind, const std::string& url, const TDownload& data);
    std::string StorePicture(const std::string& url, const TDownload& data);
    int PictureFolder();
    int AssetFolder();
    void FixLinksToUnstoredPages();
    void CommitPage();
    bool LimitReached();

    TLimits limits_;
    std::unique_ptr<TImportedItems> items_;
    std::unique_ptr<TSiteScope> scope_;
    std::string langCode_;
    int downloadDepth_ = 0;
    int maxPages_ = 0;
    int pageCount_ = 0;
    int storedPages_ = 0;
    std::int64_t totalBytes_ = 0;
    bool limitLogged_ = false;
    int pictureFolder_ = 0;
    int assetFolder_ = 0;
    std::deque<TPageEntry> queue_;
    // Every page address queued, with the id it was given.
    std::unordered_map<std::string, int> pages_;
    // The pages that link to a page id, and what links to a page that was not stored become.
    std::unordered_map<int, std::vector<int>> linkers_;
    std::unordered_map<int, std::string> unstored_;
    // Every resource address met, with its published path (empty: not stored).
    std::unordered_map<std::string, std::string> resources_;
};
