// The HTTP client of the image import from the web when the caller gives
// none: one GET through libcurl, through the proxy of the settings.
#include "catalog/CatalogFolders.h"

#include "common/Exceptions.h"

#include <curl/curl.h>

#include <memory>

namespace {

// A picture larger than this is not fetched.
constexpr std::size_t kMaxBodyBytes = 64 * 1024 * 1024;
constexpr long kTimeoutSeconds = 60;
constexpr long kMaxRedirects = 5;

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* target)
{
    std::string& body = *static_cast<std::string*>(target);
    const std::size_t bytes = size * count;
    if (body.size() + bytes > kMaxBodyBytes)
        return 0;  // ends the transfer with an error
    body.append(data, bytes);
    return bytes;
}

}  // namespace

TCatalogFolders::THttpReply TCatalogFolders::HttpGet(const std::string& url, const std::string& proxyHost,
                                                     int proxyPort)
{
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        throw ECriticalTolvexException("Cannot start an HTTP transfer");
    THttpReply reply;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, kTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &reply.Body);
    // The proxy of the settings, or none at all (not one from the environment).
    curl_easy_setopt(curl.get(), CURLOPT_PROXY, proxyHost.c_str());
    if (!proxyHost.empty() && proxyPort > 0)
        curl_easy_setopt(curl.get(), CURLOPT_PROXYPORT, static_cast<long>(proxyPort));
    const CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK)
        throw ECriticalTolvexException(std::string("HTTP transfer failed: ") + curl_easy_strerror(result));
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    reply.Status = static_cast<int>(status);
    char* contentType = nullptr;
    if (curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
        reply.ContentType = contentType;
    return reply;
}
