#include "publishing/HttpClient.h"

#include "common/Exceptions.h"

#include <curl/curl.h>

#include <cstdlib>
#include <memory>
#include <ostream>

namespace {

struct TExchange {
    THttpClient* Client = nullptr;
    std::ostream* Body = nullptr;
    std::int64_t MaxBytes = 0;
    std::int64_t Received = 0;
    bool TooLarge = false;
    bool Stopped = false;
    curl_off_t Sent = 0;
    THttpResponse Response;
};

// The reason phrase of a status line "HTTP/1.1 404 Not Found"; the last
// status line counts (an interim "100 Continue" comes first).
void ReadStatusLine(const std::string& line, THttpResponse& response)
{
    if (line.rfind("HTTP/", 0) != 0)
        return;
    std::size_t code = line.find(' ');
    if (code == std::string::npos)
        return;
    std::size_t reason = line.find(' ', code + 1);
    std::string phrase = reason == std::string::npos ? std::string() : line.substr(reason + 1);
    while (!phrase.empty() && (phrase.back() == '\r' || phrase.back() == '\n'))
        phrase.pop_back();
    response.ReasonPhrase = phrase;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user)
{
    auto* exchange = static_cast<TExchange*>(user);
    ReadStatusLine(std::string(data, size * count), exchange->Response);
    return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto* exchange = static_cast<TExchange*>(user);
    const std::int64_t bytes = static_cast<std::int64_t>(size * count);
    if (exchange->Received + bytes > exchange->MaxBytes) {
        exchange->TooLarge = true;
        return 0;
    }
    exchange->Received += bytes;
    exchange->Body->write(data, static_cast<std::streamsize>(bytes));
    if (exchange->Client->OnDataReceived)
        exchange->Client->OnDataReceived(bytes);
    return size * count;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded)
{
    auto* exchange = static_cast<TExchange*>(user);
    if (uploaded > exchange->Sent) {
        if (exchange->Client->OnDataSent)
            exchange->Client->OnDataSent(static_cast<std::int64_t>(uploaded - exchange->Sent));
        exchange->Sent = uploaded;
    }
    if (exchange->Client->KeepAlive && exchange->Client->KeepAlive()) {
        exchange->Stopped = true;
        return 1;
    }
    return 0;
}

struct TCurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct TSlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// libcurl's global set-up, once a process, before the first handle.
void InitCurlOnce()
{
    static const bool done = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    if (!done)
        throw EPublisherTolvexException("The HTTP client cannot be started");
}

}  // namespace

THttpClient::THttpClient(std::string proxyHost, int proxyPort)
    : proxyHost_(std::move(proxyHost)), proxyPort_(proxyPort)
{
}

void THttpClient::SetLimits(std::int64_t maxBytes, long timeoutSeconds)
{
    maxBytes_ = maxBytes;
    timeoutSeconds_ = timeoutSeconds;
}

THttpResponse THttpClient::Get(const std::string& url, std::ostream& body)
{
    return Perform(url, nullptr, nullptr, body);
}

THttpResponse THttpClient::Post(const std::string& url, const std::string& contentType, const std::string& request,
                                std::ostream& body)
{
    return Perform(url, &contentType, &request, body);
}

THttpResponse THttpClient::Perform(const std::string& url, const std::string* requestType,
                                   const std::string* request, std::ostream& body)
{
    InitCurlOnce();
    std::unique_ptr<CURL, TCurlDeleter> curl(curl_easy_init());
    if (!curl)
        throw EPublisherTolvexException("The HTTP client cannot be started");
    TExchange exchange;
    exchange.Client = this;
    exchange.Body = &body;
    exchange.MaxBytes = maxBytes_;
    CURL* handle = curl.get();
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, timeoutSeconds_);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, timeoutSeconds_ < 30 ? timeoutSeconds_ : 30L);
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(maxBytes_));
    // Certificates named by SSL_CERT_FILE are the ones trusted, as OpenSSL's
    // own programs take them (a company's TLS proxy, a server of the tests).
    if (const char* trusted = std::getenv("SSL_CERT_FILE"); trusted && *trusted)
        curl_easy_setopt(handle, CURLOPT_CAINFO, trusted);
    if (!proxyHost_.empty()) {
        curl_easy_setopt(handle, CURLOPT_PROXY, proxyHost_.c_str());
        curl_easy_setopt(handle, CURLOPT_PROXYPORT, static_cast<long>(proxyPort_));
    } else {
        curl_easy_setopt(handle, CURLOPT_PROXY, "");
    }
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &exchange);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &exchange);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &exchange);
    std::unique_ptr<curl_slist, TSlistDeleter> headers;
    if (request) {
        headers.reset(curl_slist_append(nullptr, ("Content-Type: " + *requestType).c_str()));
        // No "Expect: 100-continue" round trip before each body.
        headers.reset(curl_slist_append(headers.release(), "Expect:"));
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(handle, CURLOPT_POST, 1L);
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request->data());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request->size()));
    }

    const CURLcode result = curl_easy_perform(handle);
    if (exchange.Stopped)
        throw EPublisherTolvexException("The transfer was stopped");
    if (exchange.TooLarge || result == CURLE_FILESIZE_EXCEEDED)
        throw EPublisherTolvexException("The data is larger than " + std::to_string(maxBytes_) + " bytes");
    if (result != CURLE_OK)
        throw EPublisherTolvexException(error[0] ? std::string(error) : std::string(curl_easy_strerror(result)));
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &exchange.Response.StatusCode);
    char* contentType = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
        exchange.Response.ContentType = contentType;
    if (exchange.Response.StatusCode >= 400)
        throw EPublisherTolvexException(exchange.Response.ReasonPhrase.empty()
                                            ? "HTTP error " + std::to_string(exchange.Response.StatusCode)
                                            : exchange.Response.ReasonPhrase);
    return exchange.Response;
}
