#include "publishing/CatalogNetwork.h"

#include "catalog/Catalog.h"
#include "common/IniSettings.h"
#include "common/WellKnownIds.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

namespace catalog_network {

std::string CodeCharacters(const std::string& text, bool underscore)
{
    std::string code;
    for (const char c : text) {
        if (c >= 'A' && c <= 'Z')
            code += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || (underscore && c == '_'))
            code += c;
    }
    return code;
}

std::string CachedCode(const std::string& memberCode)
{
    return "c#" + memberCode;
}

std::string MemberSiteAddress(const TIniSettings& settings, const std::string& memberCode)
{
    if (memberCode.empty())
        return {};
    std::string host = settings.GetString(siPublishOnTolvexHost);
    if (!host.empty() && host.back() != '/')
        host += '/';
    return host + memberCode;
}

std::vector<TFetch> MemberFetches(const std::string& memberCode)
{
    const std::vector<std::string> lines{"fromcatalog=" + memberCode};
    return {{kCompanyItemId, kCompanyClassId, lines}, {kCatalogInfoItemId, kCatalogInfoClassId, lines}};
}

TFetch LogoFetch(const std::string& memberCode, int logoItemId)
{
    return {logoItemId, kImageClassId, {"fromcatalog=" + memberCode}};
}

TCachedMember ReadCachedMember(TCatalog& catalog, TAbstractDBConnection& connection, const std::string& memberCode)
{
    TCachedMember found;
    if (memberCode.empty())
        return found;
    const std::string code = CachedCode(memberCode);
    TTolvexObjectFactory& factory = catalog.GetObjectFactory();
    if (std::unique_ptr<TTolvexObject> company = factory.GetObjectTyped(kCompanyItemId, kCompanyClassId, connection, code))
        found.LogoImageId = company->GetInteger("CompanyLogoImage", 0);
    if (std::unique_ptr<TTolvexObject> info =
            factory.GetObjectTyped(kCatalogInfoItemId, kCatalogInfoClassId, connection, code))
        found.CatalogType = info->GetInteger("CatalogType", 0);
    return found;
}

}  // namespace catalog_network
