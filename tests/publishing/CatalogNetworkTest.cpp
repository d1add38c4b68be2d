// The catalog network's core against the stand-in host: the code
// characters, a member's rows fetched into the local database under its own
// code and read back, and the management request with its retry.
#include "HostSyncFixture.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/Tolvex.h"
#include "publishing/CacheDataFromHost.h"
#include "publishing/CatalogNetwork.h"
#include "publishing/PublishCoCManagement.h"
#include "support/MemberCatalogOnHost.h"

#include <gtest/gtest.h>

namespace {

using TFailure = THostStandIn::TFailure;

TEST(CatalogNetwork, CodesKeepOnlyCodeCharacters)
{
    struct TCase {
        const char* typed;
        bool underscore;
        const char* stored;
    };
    const TCase cases[] = {
        {"Ac me/1", false, "acme1"},           // capitals made small, blank and slash dropped
        {"my_shop-2", false, "myshop-2"},      // the member code has no underscore
        {"my_shop-2", true, "my_shop-2"},      // the lists' codes have
        {"caf\xc3\xa9 \t\r\n", false, "caf"},  // no letter beyond a-z, no control character
        {"", true, ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(catalog_network::CodeCharacters(c.typed, c.underscore), c.stored) << c.typed;
}

// Runs the host data cache for one object, as the member's refresh does.
bool Fetch(THostSyncSite& site, const std::string& code, const catalog_network::TFetch& fetch)
{
    std::vector<std::string> params{"catalogcode=" + code, "itemid=" + std::to_string(fetch.ItemId),
                                    "classid=" + std::to_string(fetch.ClassId)};
    params.insert(params.end(), fetch.ExtraLines.begin(), fetch.ExtraLines.end());
    TCacheDataFromHost cache(params, site.Connection(),
                             TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(),
                                                   &site.Program().Root(), nullptr});
    cache.SetRequestTimeout(10);
    cache.QueueAction = [](const std::string&) {};
    cache.Run();
    return cache.Succeeded();
}

TEST(CatalogNetwork, AFetchedMemberIsReadUnderItsOwnCode)
{
    THostStandIn host;
    THostSyncSite site(host);
    PutMemberCatalogOnHost(host, "acme", "Member Works", 1, 3500);
    TCatalog& catalog = site.Program().Root().Catalog();

    EXPECT_EQ(catalog_network::ReadCachedMember(catalog, site.Connection(), "acme").CatalogType, 0) << "not fetched";
    for (const catalog_network::TFetch& fetch : catalog_network::MemberFetches("acme"))
        EXPECT_TRUE(Fetch(site, "acme", fetch)) << site.Runner().Texts().back();
    const catalog_network::TCachedMember member = catalog_network::ReadCachedMember(catalog, site.Connection(), "acme");
    EXPECT_EQ(member.CatalogType, 1);
    EXPECT_EQ(member.LogoImageId, 3500);
    EXPECT_TRUE(Fetch(site, "acme", catalog_network::LogoFetch("acme", member.LogoImageId)));
    EXPECT_TRUE(catalog_sql::HasRow(site.Connection(),
                                    "SELECT ItemId FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND "
                                    "ItemId = 3500 AND ClassId = 5",
                                    "c#acme"));
    // The open catalog's own company record is left alone.
    EXPECT_NE(site.Data().GetQueries().ReadStringMember(2001, 3, 1, "XXX", site.Connection()), "Member Works");

    // A code the host does not know: nothing comes, no catalog type.
    Fetch(site, "nobody", catalog_network::MemberFetches("nobody").back());
    EXPECT_EQ(catalog_network::ReadCachedMember(catalog, site.Connection(), "nobody").CatalogType, 0);
}

struct TManagementRun {
    bool succeeded = false;
    bool cancelled = false;
};

TManagementRun Manage(THostSyncSite& site, std::vector<std::string> params,
                      const std::function<void(TPublishCoCManagement&)>& prepare = {})
{
    TPublishCoCManagement manage(params, site.Connection(),
                                 TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(),
                                                       &site.Program().Root(), nullptr});
    manage.SetRequestTimeout(10);
    if (prepare)
        prepare(manage);
    manage.Run();
    return {manage.Succeeded(), manage.IsCancelled()};
}

TEST(CatalogNetwork, TheManagementRequestCarriesTheChoiceAndTheAccount)
{
    THostStandIn host;
    THostSyncSite site(host);

    EXPECT_TRUE(Manage(site, catalog_network::ManagementParams("0", "")).succeeded);
    THostStandIn::TRequest own = host.Requests().back();
    EXPECT_EQ(own.Path, THostStandIn::kCoCManagementScript);
    EXPECT_EQ(own.Field("catalogcode"), "shop");
    EXPECT_EQ(own.Field("username"), site.Program().Root().GetUserName());
    EXPECT_EQ(own.Field("password"), site.Program().Root().GetPassword());
    EXPECT_EQ(own.Field("actionvalue"), "") << "the catalog's own templates";

    // Every value travels URL-encoded and arrives as it was.
    EXPECT_TRUE(Manage(site, catalog_network::ManagementParams("100200", "acme"), [](TPublishCoCManagement& m) {
                    m.SetAccount("ad min", "p&ss=word?#");
                }).succeeded);
    const THostStandIn::TRequest member = host.Requests().back();
    EXPECT_EQ(member.Field("actionvalue"), "acme");
    EXPECT_EQ(member.Field("username"), "ad min");
    EXPECT_EQ(member.Field("password"), "p&ss=word?#");
    for (const std::string& line : site.Runner().Texts())
        EXPECT_EQ(line.find("p&ss"), std::string::npos) << "the address holds the password: " << line;
}

TEST(CatalogNetwork, AFailedManagementRequestIsRetriedOrCancelled)
{
    THostStandIn host;
    THostSyncSite site(host);
    TFailure failure;
    failure.Kind = TFailure::HttpStatus;
    failure.Status = 503;
    host.Fail("cocmanagement", failure);
    site.Runner().answers = {caRetry};
    EXPECT_TRUE(Manage(site, catalog_network::ManagementParams("0", "")).succeeded);
    EXPECT_EQ(host.Requests().size(), 2u) << "Retry sends the request again";
    const std::vector<std::string> texts = site.Runner().Texts();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return t.starts_with("Error: "); }));

    host.ClearRequests();
    host.Fail("cocmanagement", failure);
    site.Runner().lines.clear();
    site.Runner().answers = {caCancel};
    const TManagementRun cancelled = Manage(site, catalog_network::ManagementParams("0", ""));
    EXPECT_FALSE(cancelled.succeeded);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(host.Requests().size(), 1u);
    EXPECT_EQ(site.Runner().Texts().back(), "Operation was canceled by user.");
}

}  // namespace
