#include "publishing/SiteScope.h"

#include "common/CommonFunctionsDetail.h"
#include "common/XmlPtr.h"

#include <libxml/uri.h>

#include <memory>
#include <vector>

namespace {

struct TUriFree {
    void operator()(xmlURI* uri) const { xmlFreeURI(uri); }
};

std::string Text(const char* text) { return text ? text : ""; }

// RFC 3986, 5.2.4: "." and ".." segments removed ("/a/b/../c" -> "/a/c").
std::string RemoveDotSegments(const std::string& path)
{
    std::vector<std::string> segments;
    std::size_t start = 1;
    const bool trailing = path.size() > 1 && (path.back() == '/' || path.ends_with("/.") || path.ends_with("/.."));
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (segment != "." && !(segment.empty() && end == path.size())) {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string result;
    for (const std::string& segment : segments)
        result += "/" + segment;
    if (result.empty() || (trailing && result.back() != '/'))
        result += "/";
    return result;
}

// The path part of a normal-form address (from the first "/" after the host, without the query).
std::string PathOf(const std::string& address)
{
    const std::size_t host = address.find("://");
    const std::size_t slash = address.find('/', host == std::string::npos ? 0 : host + 3);
    if (slash == std::string::npos)
        return "/";
    return address.substr(slash, address.find('?', slash) - slash);
}

std::string OriginOf(const std::string& address)
{
    const std::size_t host = address.find("://");
    return address.substr(0, address.find('/', host == std::string::npos ? 0 : host + 3));
}

}  // namespace

TSiteScope::TSiteScope(const std::string& startUrl, bool onlyUnderlying)
    : start_(Normalize(startUrl)), onlyUnderlying_(onlyUnderlying)
{
    origin_ = OriginOf(start_);
    const std::size_t host = origin_.find("://");
    hostName_ = host == std::string::npos ? origin_ : origin_.substr(host + 3);
    const std::string path = PathOf(start_);
    const std::size_t lastSlash = path.rfind('/');
    const std::string last = path.substr(lastSlash + 1);
    if (last.empty()) {
        folder_ = path;
    } else if (last.find('.') != std::string::npos) {
        folder_ = path.substr(0, lastSlash + 1);  // a file: its folder
    } else {
        folder_ = path + "/";  // a folder named without its "/"
        exactPath_ = path;
    }
}

std::string TSiteScope::Normalize(const std::string& address)
{
    const std::string trimmed = common_detail::Trim(address);
    const std::unique_ptr<xmlURI, TUriFree> uri(xmlParseURI(trimmed.c_str()));
    if (!uri)
        return {};
    const std::string scheme = common_detail::LowerCase(Text(uri->scheme));
    const std::string host = common_detail::LowerCase(Text(uri->server));
    if ((scheme != "http" && scheme != "https") || host.empty() || uri->opaque)
        return {};
    std::string result = scheme + "://" + host;
    const int defaultPort = scheme == "http" ? 80 : 443;
    if (uri->port > 0 && uri->port != defaultPort)
        result += ":" + std::to_string(uri->port);
    result += RemoveDotSegments(uri->path && *uri->path ? uri->path : "/");
    if (uri->query_raw && *uri->query_raw)
        result += "?" + Text(uri->query_raw);
    return result;
}

std::string TSiteScope::Resolve(const std::string& base, const std::string& reference)
{
    const std::string trimmed = common_detail::Trim(reference);
    if (trimmed.empty() || trimmed[0] == '#')
        return {};
    const TXmlStringPtr absolute(xmlBuildURI(BAD_CAST trimmed.c_str(), BAD_CAST base.c_str()));
    if (!absolute)
        return {};
    std::string text = reinterpret_cast<const char*>(absolute.get());
    text = text.substr(0, text.find('#'));
    return Normalize(text);
}

std::string TSiteScope::FragmentOf(const std::string& reference)
{
    const std::size_t hash = reference.find('#');
    return hash == std::string::npos ? std::string() : common_detail::Trim(reference.substr(hash));
}

bool TSiteScope::SameSite(const std::string& address) const
{
    return !address.empty() && !origin_.empty() && OriginOf(address) == origin_;
}

bool TSiteScope::Contains(const std::string& address) const
{
    if (!SameSite(address))
        return false;
    if (!onlyUnderlying_)
        return true;
    const std::string path = PathOf(address);
    return path == exactPath_ || path.rfind(folder_, 0) == 0;
}
