#pragma once
// What the user asks of a web-site import: the start address, how deep and
// how many pages, and whether only the pages below the start address are
// taken. Checked here and turned into the import's parameter lines.
#include <string>
#include <vector>

struct TWebSiteImportRequest {
    static constexpr int kMaxDepth = 10;
    static constexpr int kMaxPages = 10000;

    std::string Url;
    int DownloadDepth = 2;
    int MaxPages = 100;
    bool OnlyUnderlying = true;

    // The address as the import reads it: "http://" put in front of an address without a scheme.
    std::string StartUrl() const;
    // Empty when the request can run; else the message that says why not.
    std::string Problem() const;
    // The import's parameters for the catalog, the start page's id (0: a new one) and its parent.
    std::vector<std::string> Params(const std::string& catalogCode, int startItemId, int parentItemId) const;
};
