// TCommonFunctions: cookies of the browser's store and URL resolution.
#include "common/CommonFunctions.h"

#include "common/CookieStore.h"

#include <algorithm>
#include <cctype>

namespace {

// The five components of a URI reference (RFC 3986, 3 and appendix B); a flag
// tells a component that is absent from one that is empty.
struct TUriParts {
    bool hasScheme = false, hasAuthority = false, hasQuery = false, hasFragment = false;
    std::string scheme, authority, path, query, fragment;
};

TUriParts ParseUri(const std::string& uri)
{
    TUriParts parts;
    std::size_t pos = 0;
    const std::size_t colon = uri.find_first_of(":/?#");
    if (colon != std::string::npos && colon > 0 && uri[colon] == ':') {
        parts.hasScheme = true;
        parts.scheme = uri.substr(0, colon);
        pos = colon + 1;
    }
    if (uri.compare(pos, 2, "//") == 0) {
        const std::size_t end = std::min(uri.find_first_of("/?#", pos + 2), uri.size());
        parts.hasAuthority = true;
        parts.authority = uri.substr(pos + 2, end - pos - 2);
        pos = end;
    }
    const std::size_t pathEnd = std::min(uri.find_first_of("?#", pos), uri.size());
    parts.path = uri.substr(pos, pathEnd - pos);
    pos = pathEnd;
    if (pos < uri.size() && uri[pos] == '?') {
        const std::size_t end = std::min(uri.find('#', pos), uri.size());
        parts.hasQuery = true;
        parts.query = uri.substr(pos + 1, end - pos - 1);
        pos = end;
    }
    if (pos < uri.size()) {
        parts.hasFragment = true;
        parts.fragment = uri.substr(pos + 1);
    }
    return parts;
}

bool IsValidScheme(const std::string& scheme)
{
    if (scheme.empty() || !std::isalpha(static_cast<unsigned char>(scheme[0])))
        return false;
    for (const char c : scheme)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    return true;
}

// Removes "." and ".." segments (RFC 3986, 5.2.4).
std::string RemoveDotSegments(std::string input)
{
    std::string output;
    auto dropLastSegment = [&output] {
        const std::size_t slash = output.rfind('/');
        output.erase(slash == std::string::npos ? 0 : slash);
    };
    while (!input.empty()) {
        if (input.rfind("../", 0) == 0) {
            input.erase(0, 3);
        } else if (input.rfind("./", 0) == 0) {
            input.erase(0, 2);
        } else if (input.rfind("/./", 0) == 0) {
            input.erase(0, 2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.rfind("/../", 0) == 0) {
            input.erase(0, 3);
            dropLastSegment();
        } else if (input == "/..") {
            input = "/";
            dropLastSegment();
        } else if (input == "." || input == "..") {
            input.clear();
        } else {
            const std::size_t next = input.find('/', input[0] == '/' ? 1 : 0);
            output += input.substr(0, next);
            input.erase(0, next);
        }
    }
    return output;
}

// A relative path joined to the folder of the base's path (RFC 3986, 5.2.3).
std::string MergePaths(const TUriParts& base, const std::string& path)
{
    if (base.hasAuthority && base.path.empty())
        return "/" + path;
    const std::size_t slash = base.path.rfind('/');
    return slash == std::string::npos ? path : base.path.substr(0, slash + 1) + path;
}

// The target of a reference against a base (RFC 3986, 5.2.2).
TUriParts Resolve(const TUriParts& base, const TUriParts& ref)
{
    TUriParts target = ref;
    target.path = RemoveDotSegments(ref.path);
    if (ref.hasScheme)
        return target;
    target.hasScheme = true;
    target.scheme = base.scheme;
    if (ref.hasAuthority)
        return target;
    target.hasAuthority = base.hasAuthority;
    target.authority = base.authority;
    if (ref.path.empty()) {
        target.path = base.path;
        if (!ref.hasQuery) {
            target.hasQuery = base.hasQuery;
            target.query = base.query;
        }
    } else if (ref.path[0] != '/') {
        target.path = RemoveDotSegments(MergePaths(base, ref.path));
    }
    return target;
}

std::string Recompose(const TUriParts& parts)
{
    std::string uri;
    if (parts.hasScheme)
        uri += parts.scheme + ":";
    if (parts.hasAuthority)
        uri += "//" + parts.authority;
    uri += parts.path;
    if (parts.hasQuery)
        uri += "?" + parts.query;
    if (parts.hasFragment)
        uri += "#" + parts.fragment;
    return uri;
}

}  // namespace

bool TCommonFunctions::GetCookie(std::string& url, const std::string& name,
                                 std::string& value) const
{
    if (!cookieStore_)
        return false;
    if (cookieStore_->GetCookie(url, name, value))
        return true;
    if (url.find("http://") == std::string::npos)
        url.insert(0, "http://");
    if (cookieStore_->GetCookie(url, name, value))
        return true;
    if (url.find("www.") == std::string::npos)
        url.insert(url.find("http://") + 7, "www.");
    if (cookieStore_->GetCookie(url, name, value))
        return true;
    if (url.empty() || url.back() != '/')
        url += '/';
    return cookieStore_->GetCookie(url, name, value);
}

bool TCommonFunctions::DeleteCookie(const std::string& url, const std::string& name) const
{
    if (!cookieStore_)
        return false;
    return cookieStore_->SetCookie(url, name,
                                   "name=" + name + ";expires=Sat, 01-Jan-2000 00:00:00 GMT");
}

std::string TCommonFunctions::CombineUrl(const std::string& baseUrl,
                                         const std::string& relativeUrl)
{
    const TUriParts base = ParseUri(baseUrl);
    if (!base.hasScheme || !IsValidScheme(base.scheme))
        return relativeUrl;
    TUriParts ref = ParseUri(relativeUrl);
    if (ref.hasScheme && !IsValidScheme(ref.scheme)) {
        // "a b:c" is no scheme: the whole text is a relative path.
        ref = ParseUri("./" + relativeUrl);
    }
    return Recompose(Resolve(base, ref));
}

std::string TCommonFunctions::EncodeUrlPath(const std::string& path)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) && byte < 128) {
            encoded += c;
        } else if (c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kDigits[byte >> 4];
            encoded += kDigits[byte & 15];
        }
    }
    return encoded;
}
