#include "publishing/WebSiteImportRequest.h"

#include "common/CommonFunctionsDetail.h"
#include "publishing/SiteScope.h"

std::string TWebSiteImportRequest::StartUrl() const
{
    const std::string url = common_detail::Trim(Url);
    if (url.empty() || url.find("://") != std::string::npos)
        return url;
    return "http://" + url;
}

std::string TWebSiteImportRequest::Problem() const
{
    if (common_detail::Trim(Url).empty())
        return "Enter the address of the web site";
    if (TSiteScope::Normalize(StartUrl()).empty())
        return "The address must be a web address (http or https)";
    if (DownloadDepth < 1 || DownloadDepth > kMaxDepth)
        return "The depth must lie between 1 and " + std::to_string(kMaxDepth);
    if (MaxPages < 0 || MaxPages > kMaxPages)
        return "The number of pages must lie between 0 and " + std::to_string(kMaxPages);
    return {};
}

std::vector<std::string> TWebSiteImportRequest::Params(const std::string& catalogCode, int startItemId,
                                                       int parentItemId) const
{
    std::vector<std::string> params{"URL=" + StartUrl(),
                                    "DownloadDepth=" + std::to_string(DownloadDepth),
                                    "MaxPages=" + std::to_string(MaxPages),
                                    "StartItemId=" + std::to_string(startItemId),
                                    "ParentItemId=" + std::to_string(parentItemId),
                                    "CatalogCode=" + catalogCode};
    if (OnlyUnderlying)
        params.push_back("OnlyUnderlying=yes");
    return params;
}
