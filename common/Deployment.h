#pragma once
// Addresses of this installation's deployment: the maker's sites, its
// cookie domain and the support address. They are configuration values;
// the paths and queries the program appends to them are fixed elsewhere.
#include <string>

namespace Deployment {
inline const std::string kUpdateSite = "http://www.example.com";
inline const std::string kHostingSite = "http://www.example.com";
inline const std::string kMakerSite = "http://www.example.com";
inline const std::string kMakerDomain = "example.com";
inline const std::string kSupportAddress = "support@example.com";
}  // namespace Deployment
