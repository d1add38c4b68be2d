#pragma once
// Parses an HTML page into a document tree that importers walk and change:
// from bytes already fetched, from a file, or from an address fetched with
// the caller's HTTP client. Only the markup is read: the parser makes no
// network access of its own, runs no script and fetches no picture.
//
// The text is decoded to UTF-8 by the charset the server sent, else by a
// byte-order mark or the page's own meta element, else as UTF-8 falling
// back on ISO-8859-1. A load is bounded in bytes and time and can be
// stopped; a load that fails in any way gives no root element.
//
//   THtmlLoader loader;
//   if (xmlNode* root = loader.LoadFromMemory(bytes, url, "text/html; charset=utf-8"))
//       ... walk root, then loader.Html() gives the page back as UTF-8 text
#include "common/XmlPtr.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class THttpClient;
struct THttpResponse;

class THtmlLoader {
public:
    static constexpr std::int64_t kDefaultMaxBytes = 16LL * 1024 * 1024;
    static constexpr long kDefaultTimeoutSeconds = 60;

    THtmlLoader() = default;
    THtmlLoader(const THtmlLoader&) = delete;
    THtmlLoader& operator=(const THtmlLoader&) = delete;

    // A page larger than MaxBytes, or whose load takes longer than
    // TimeoutSeconds, gives nothing.
    void SetLimits(std::int64_t maxBytes, long timeoutSeconds);
    // Asked while a page is parsed; answering true stops the load.
    std::function<bool()> Stopped;

    // Each load replaces the previous document and answers its root element,
    // or null. Url is what relative addresses of the page are resolved
    // against; ContentType is the type the server sent (its charset counts).
    xmlNode* LoadFromMemory(const std::string& bytes, const std::string& url, const std::string& contentType = "");
    xmlNode* LoadFromFile(const std::string& fileName);
    // Fetches with Client, whose limits become the loader's. Raises what the
    // client raises (a failed exchange, a status of 400 or more); any other
    // status outside 200..299 gives null. Response, when given, receives the answer.
    xmlNode* LoadFromUrl(const std::string& url, THttpClient& client, THttpResponse* response = nullptr);

    xmlDoc* Document() const { return doc_.get(); }
    xmlNode* Root() const;
    // The body element; null when the page has none.
    xmlNode* Body() const;
    // Why the last load gave nothing; empty after a load that worked.
    const std::string& Error() const { return error_; }
    // The whole document as HTML text in UTF-8; its meta elements that
    // name a charset name UTF-8.
    std::string Html() const;

    // ---- walking a tree --------------------------------------------------------
    // Element names compare without regard to case.
    static bool IsElement(const xmlNode* node, const char* name);
    // Every element of that name below Node, in document order.
    static void CollectElements(xmlNode* node, const char* name, std::vector<xmlNode*>& found);
    // The first element of that name below Node; null when there is none.
    static xmlNode* FindElement(xmlNode* node, const char* name);
    // An attribute's value; empty when it is missing.
    static std::string Attribute(const xmlNode* node, const char* name);
    // The text of every text node below Node, joined.
    static std::string Text(const xmlNode* node);
    // The children of Node as HTML text in UTF-8.
    static std::string InnerHtml(xmlDoc* doc, const xmlNode* node);

    // ---- content types ---------------------------------------------------------------
    // The media type without its parameters, in lower case ("text/html; charset=utf-8" -> "text/html").
    static std::string MediaType(const std::string& contentType);
    // The value of the charset parameter, without quotes; empty when there is none.
    static std::string Charset(const std::string& contentType);

private:
    bool TimeIsUp(std::chrono::steady_clock::time_point deadline);

    TXmlDocPtr doc_;
    std::string error_;
    std::int64_t maxBytes_ = kDefaultMaxBytes;
    long timeoutSeconds_ = kDefaultTimeoutSeconds;
    std::chrono::steady_clock::time_point started_{};
};
