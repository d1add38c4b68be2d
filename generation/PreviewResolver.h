#pragma once
// Answers the addresses of the two preview hosts, which the program's
// browser views request through a URL scheme of its own: generated pages
// from the open catalog's page cache, and the images, binary objects, style
// sheets and scripts of the catalog from its database. An editor or an
// import may answer addresses first through a content hook
// (TPreviewContentHooks); an address of another host that was imported as a
// web resource is served from the database by its source address; anything
// else is passed on.
//
// Addresses, after the host ("/c#" may come percent-encoded, "/c%23"):
//   /LANG/PAGE.EXT          a cached page of the open catalog in LANG; EXT one
//                           of html, jsp, php, asp, shtml; PAGE an item id,
//                           "index" (the home page) or an alternative file
//                           name, optionally followed by "-" and a page number
//   /c#MEMBER/LANG/PAGE.EXT the same for the member catalog "c#" + MEMBER
//   /FOLDER/FILE            a resource, FILE an item id or alternative file
//                           name: an image (FOLDER "images" or an image
//                           extension), a binary object (FOLDER "bin"), a
//                           style sheet (".css") or a script (".js")
//   /LANG/stylepreview.jsp  the cached style-preview page (item -4)
// On the style-preview host resources come from the style catalog of the
// catalog type first. While the style dialog previews styles, the data comes
// from the style-preview catalog of the definition database.
//
// Nothing is ever written to disk, and no file name is taken from an
// address: the answer is bytes in memory. A path with a "." or ".." segment,
// a file name that decodes to a path, a malformed "%" escape, an unknown
// member catalog and a failing query all answer not found.
//
// It runs where the browser views ask, on the GUI thread: it reads the open
// catalog's connections and page cache, as the rest of the window side does.
#include "generation/PreviewContentHooks.h"

#include <optional>
#include <string>

class TAbstractDBConnection;
class TPreviewSource;

struct TPreviewResponse {
    enum class TStatus {
        Served,    // Body with MimeType (an uncached page is served empty)
        NotFound,  // an address of the preview hosts with nothing behind it, or refused
        PassOn,    // not the resolver's address (or no catalog open): the browser's own handling
    };
    TStatus Status = TStatus::PassOn;
    std::string MimeType;
    std::string Body;

    // 200 when served, else 404.
    int HttpStatus() const { return Status == TStatus::Served ? 200 : 404; }
};

// An address as a URL scheme handler receives it: the path and query still
// percent-encoded.
struct TPreviewRequest {
    std::string Scheme;  // "tolvex"
    std::string Host;    // "preview" or "stylepreview"
    std::string Path;    // "/EN/5.html"
    std::string Query;   // without "?"
};

class TPreviewResolver {
public:
    // The page extensions, with their dot.
    static bool IsPageExtension(const std::string& dottedExtension);
    // The item id of the cached style-preview page.
    static constexpr int kStylePreviewPageId = -4;

    // Source must outlive the resolver; Hooks too (the process's by default).
    explicit TPreviewResolver(TPreviewSource& source,
                              const TPreviewContentHooks& hooks = TPreviewContentHooks::Global());

    TPreviewResponse Resolve(const std::string& url);
    TPreviewResponse Resolve(const TPreviewRequest& request);

private:
    enum class THostKind { Other, Preview, StylePreview };
    // The catalog and connection a request reads.
    struct TDataSource {
        std::string CatalogCode;
        TAbstractDBConnection* Connection = nullptr;
    };
    // The parts of a preview path.
    struct TPreviewPath {
        std::string File;       // decoded
        std::string Base;       // File before its last "."
        std::string Extension;  // after it, without the dot
        std::string Folder;     // the decoded folder that holds File
    };

    TPreviewResponse ResolveAddress(const std::string& url);
    THostKind HostOf(const std::string& url, std::string& path);
    TDataSource DataSource();
    // A path below "/c#" (or "/c%23") and a member code reads that member
    // catalog: Path loses the prefix. False for an unknown member.
    bool TakeMemberCatalog(std::string& path, TDataSource& data);
    // Splits a path cut before query and fragment; nothing for a refused path.
    static std::optional<TPreviewPath> SplitPath(const std::string& path);

    // Pages: the item a page name stands for (0 for none), and its page number.
    int FindPageItem(const TPreviewPath& path, const TDataSource& data, int& pageNo);
    int FindItemByName(const std::string& name, const TDataSource& data);
    TPreviewResponse ServePage(int itemId, int pageNo, const std::string& langCode);

    // Resources: nothing when the source has none.
    std::optional<TPreviewResponse> ServeResource(const TPreviewPath& path, const TDataSource& data);
    std::optional<TPreviewResponse> ServeStyleHostResource(const TPreviewPath& path, const TDataSource& data);
    // A web resource imported from Url; nothing when none was.
    std::optional<TPreviewResponse> ServeBySourceUrl(const std::string& url, const TDataSource& data);

    TPreviewSource& source_;
    const TPreviewContentHooks& hooks_;
};
