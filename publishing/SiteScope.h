#pragma once
// Which addresses a web-site import may fetch. Addresses are compared in a
// normal form: http or https only, scheme and host in lower case, the
// default port left out, "." and ".." segments resolved, no fragment, no
// user name. The site is the start address's scheme, host and port; with
// "only underlying pages" a page must also lie below the start address's
// folder, at a segment boundary ("/dir" holds "/dir" and "/dir/a", not
// "/directory"); the path compares with regard to case.
#include <string>

class TSiteScope {
public:
    TSiteScope(const std::string& startUrl, bool onlyUnderlying);

    // The normal form of an absolute address; empty for anything that is
    // not an http or https address with a host.
    static std::string Normalize(const std::string& address);
    // Reference resolved against Base, in normal form; empty as above (a
    // link to "mailto:", "javascript:" or only a fragment gives nothing).
    static std::string Resolve(const std::string& base, const std::string& reference);
    // The fragment of a reference with its "#"; empty when it has none.
    static std::string FragmentOf(const std::string& reference);

    const std::string& Start() const { return start_; }
    // "host" or "host:port" of the start address.
    const std::string& HostName() const { return hostName_; }
    // Same scheme, host and port as the start address (Address in normal form).
    bool SameSite(const std::string& address) const;
    // On the site and, with only underlying pages, below the start folder.
    bool Contains(const std::string& address) const;

private:
    std::string start_;
    std::string origin_;
    std::string hostName_;
    std::string folder_;      // the prefix a page below the start lies under, ending in "/"
    std::string exactPath_;   // a start path that names a folder without its "/"
    bool onlyUnderlying_;
};
