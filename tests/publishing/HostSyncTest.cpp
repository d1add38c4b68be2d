// The synchronisation with a stand-in host on 127.0.0.1: two catalog files
// of one code exchanging edits and deletions both ways, the lock, the
// global ids, and the ways a run must fail without losing data.
#include "HostSyncFixture.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

using TFailure = THostStandIn::TFailure;

TFailure ErrorReply(const std::string& text = "The request failed")
{
    TFailure failure;
    failure.Kind = TFailure::ErrorReply;
    failure.Text = text;
    return failure;
}

TFailure Failure(TFailure::TKind kind)
{
    TFailure failure;
    failure.Kind = kind;
    return failure;
}

TEST(HostSync, TwoCatalogFilesOfOneCodeExchangeEditsAndDeletionsBothWays)
{
    THostStandIn host;
    THostSyncSite site(host);
    TTempFolder other;
    const int alpha = site.AddPage("Alpha");
    const int beta = site.AddPage("Beta");
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams())) << site.Runner().Last();
    // The new items carry global ids now.
    EXPECT_FALSE(site.Exists(alpha));
    const int alphaGlobal = site.Data().GetQueries().FindItemByName("Alpha", THostSyncSite::kCode, site.Connection());
    const int betaGlobal = site.Data().GetQueries().FindItemByName("Beta", THostSyncSite::kCode, site.Connection());
    EXPECT_GT(alphaGlobal, 100000000);
    EXPECT_GT(betaGlobal, 100000000);
    EXPECT_NE(beta, betaGlobal);
    EXPECT_EQ(site.Count("Items", "IsSynchronized = 0"), 0);
    EXPECT_EQ(site.Runner().reopenRequests, 0) << "the run posts the reopen when it is freed";

    // B: a second file of the same catalog.
    site.CopyTo(other.Path());
    site.Open();

    // A: Alpha renamed, Beta deleted, Gamma new.
    site.SetName(alphaGlobal, "Alpha 2");
    site.SetDate(alphaGlobal, 60);
    site.Delete(betaGlobal);
    const int gamma = site.AddPage("Gamma");
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams())) << site.Runner().Last();
    EXPECT_EQ(site.Count("DeletedItems"), 0) << "the host applied the deletion";
    EXPECT_FALSE(site.Exists(gamma));
    const int gammaGlobal = site.Data().GetQueries().FindItemByName("Gamma", THostSyncSite::kCode, site.Connection());
    EXPECT_GT(gammaGlobal, betaGlobal) << "the host hands out ids once";

    // B takes all three changes, then renames Gamma and deletes Alpha.
    site.Close();
    site.Open(other.Path());
    EXPECT_EQ(site.Name(alphaGlobal), "Alpha");
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams())) << site.Runner().Last();
    EXPECT_EQ(site.Name(alphaGlobal), "Alpha 2");
    EXPECT_FALSE(site.Exists(betaGlobal));
    EXPECT_EQ(site.Name(gammaGlobal), "Gamma");
    site.SetName(gammaGlobal, "Gamma 2");
    site.SetDate(gammaGlobal, 120);
    site.Delete(alphaGlobal, 180);  // after A's rename of it
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams())) << site.Runner().Last();
    const std::vector<std::string> rowsOfB = site.ItemRows();

    // A takes them back: both files hold the same items.
    site.Close();
    site.Open();
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams())) << site.Runner().Last();
    EXPECT_EQ(site.Name(gammaGlobal), "Gamma 2");
    EXPECT_FALSE(site.Exists(alphaGlobal));
    EXPECT_EQ(site.ItemRows(), rowsOfB);
    EXPECT_EQ(host.Lock(THostSyncSite::kCode).Date, 0) << "every run unlocked the host";
}

}  // namespace
