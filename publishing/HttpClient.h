#pragma once
// The HTTP client of the long operations, on libcurl: one synchronous GET or
// POST at a time, through the proxy of the settings, with a limit on the size of the
// body and on the time of the whole exchange. Redirects are not followed;
// only http and https addresses are fetched; https checks the server's
// certificate against the system's authorities, or those of the file named
// by the environment variable SSL_CERT_FILE. While it waits it calls
// KeepAlive (the runner lets its window work and says whether to stop) and
// reports the bytes it sent and received.
//
//   THttpClient client("", 0);
//   THttpResponse answer = client.Get("http://127.0.0.1:8080/a.png", body);
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

struct THttpResponse {
    long StatusCode = 0;
    std::string ContentType;
    // The text after the status code in the status line ("Not Found").
    std::string ReasonPhrase;
};

class THttpClient {
public:
    // Default limits: 64 MiB of body, 120 seconds for the whole exchange.
    static constexpr std::int64_t kDefaultMaxBytes = 64LL * 1024 * 1024;
    static constexpr long kDefaultTimeoutSeconds = 120;

    // An empty proxy host means no proxy.
    THttpClient(std::string proxyHost, int proxyPort);

    void SetLimits(std::int64_t maxBytes, long timeoutSeconds);
    const std::string& ProxyHost() const { return proxyHost_; }
    int ProxyPort() const { return proxyPort_; }

    // Called while the exchange runs; answering true stops it.
    std::function<bool()> KeepAlive;
    // Bytes sent and received since the last call.
    std::function<void(std::int64_t)> OnDataSent;
    std::function<void(std::int64_t)> OnDataReceived;

    // GETs the address and appends the body to Body. Raises
    // EPublisherTolvexException for a failed exchange (no connection, time-out,
    // body over the limit, stopped by KeepAlive) and for a status of 400 or
    // more, with the server's reason phrase as its message.
    THttpResponse Get(const std::string& url, std::ostream& body);
    // POSTs Request with the content type given and appends the answer's
    // body to Body; the same limits and failures as Get.
    THttpResponse Post(const std::string& url, const std::string& contentType, const std::string& request,
                       std::ostream& body);

private:
    // One exchange; Request is null for a GET.
    THttpResponse Perform(const std::string& url, const std::string* requestType, const std::string* request,
                          std::ostream& body);

    std::string proxyHost_;
    int proxyPort_;
    std::int64_t maxBytes_ = kDefaultMaxBytes;
    long timeoutSeconds_ = kDefaultTimeoutSeconds;
};
