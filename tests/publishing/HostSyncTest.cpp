// The synchronisation with a stand-in host on 127.0.0.1: two catalog files
// of one code exchanging edits and deletions both ways, the lock, the
// global ids, and the ways a run must fail without losing data.
#include "HostSyncFixture.h"

#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <deque>

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


std::vector<std::string> CopyFromHostParams()
{
    return {"SendPacketSize=100", "Synchronization=HostToLocal", "ChangesHost=Immediately",
            "ChangesLocal=Immediately"};
}

TEST(HostSync, ALockYoungerThanHalfAnHourRefusesAnotherComputerAndAsksTheSameOne)
{
    struct TCase {
        const char* why;
        std::int64_t age;  // seconds before now; negative: in the future
        const char* computer;
        int answer;  // to the override question; 0: none asked
        bool runs;
    };
    const TCase cases[] = {
        {"29 minutes old, another computer", 29 * 60, "computer-b", 0, false},
        {"31 minutes old, another computer", 31 * 60, "computer-b", 0, true},
        {"10 minutes ahead, another computer", -10 * 60, "computer-b", 0, false},
        {"two hours ahead: not fresh for ever", -2 * 3600, "computer-b", 0, true},
        {"same computer, override refused", 60, "computer-a", mrNo, false},
        {"same computer, override taken", 60, "computer-a", mrYes, true},
    };
    THostStandIn host;
    THostSyncSite site(host);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.why);
        const std::int64_t date = static_cast<std::int64_t>(std::time(nullptr)) - c.age;
        host.SetLock(THostSyncSite::kCode, {date, "other-session", c.computer});
        site.Program().Gui().Clear();
        if (c.answer)
            site.Program().Gui().QueueAnswer(c.answer);
        host.ClearRequests();
        EXPECT_EQ(site.Sync(THostSyncSite::MergeParams()), c.runs);
        EXPECT_EQ(site.Program().Gui().Messages("question").size(), c.answer ? 1u : 0u);
        const std::vector<std::string> actions = host.Actions();
        const bool locked = std::find(actions.begin(), actions.end(), "lockcatalog") != actions.end();
        EXPECT_EQ(locked, c.runs);
        if (!c.runs && !c.answer) {
            EXPECT_EQ(site.Program().Gui().Messages("error").front(),
                      "Cannot publish the catalog to host. Host database locked. Try again later.");
        }
        if (!c.runs) {
            EXPECT_EQ(host.Lock(THostSyncSite::kCode).Session, "other-session") << "the other lock stays";
        }
    }
}

// A run that fails after locking unlocks the host, whichever way it ends.
TEST(HostSync, EveryWayOutAfterTheLockUnlocksTheHost)
{
    THostStandIn host;
    THostSyncSite site(host);
    site.AddPage("Alpha");

    // A refused list, a refused range of ids, a cancel in the middle of the
    // exchange, and an exception of a packet sent once.
    host.Fail("getprimarykeyanddatemodified", ErrorReply());
    EXPECT_FALSE(site.Sync(THostSyncSite::MergeParams()));
    EXPECT_EQ(host.Actions().back(), "unlockcatalog");
    EXPECT_EQ(host.Lock(THostSyncSite::kCode).Date, 0);

    host.ClearRequests();
    site.Runner().onProcessMessages = nullptr;
    EXPECT_FALSE(site.Sync(THostSyncSite::MergeParams(), [&](TPublishOnTolvex& sync) {
        site.Runner().onProcessMessages = [&] {
            if (!sync.IsCancelled() && site.Runner().Has("Uploading/Downloading data"))
                sync.Cancel();
        };
    }));
    site.Runner().onProcessMessages = nullptr;
    EXPECT_EQ(host.Actions().back(), "unlockcatalog");
    EXPECT_EQ(host.Lock(THostSyncSite::kCode).Date, 0);

    host.ClearRequests();
    host.Fail("xmldata", Failure(TFailure::Drop));
    std::vector<std::string> params{"SendPacketSize=100", "Synchronization=LocalToHost", "Delete=Host",
                                    "ChangesHost=Immediately"};
    EXPECT_THROW(site.Sync(params), ETolvexException) << "the packet that empties the host is sent once";
    EXPECT_EQ(host.Actions().back(), "unlockcatalog");
    EXPECT_EQ(host.Lock(THostSyncSite::kCode).Date, 0);
}

TEST(HostSync, AShortOrOverlappingRangeOfGlobalIdsRenumbersNothing)
{
    struct TCase {
        const char* why;
        const char* reply;
    };
    const TCase cases[] = {
        {"one id for two items", "StartId=7&EndId=7"},
        {"the range lands on an item the catalog has", "StartId=1&EndId=2"},
        {"a range that is not a range", "StartId=9&EndId=3"},
        {"a malformed escape", "StartId=%zz&EndId=9"},
    };
    THostStandIn host;
    THostSyncSite site(host);
    const int first = site.AddPage("One");
    const int second = site.AddPage("Two");
    // An item already holding the first global id of the second case.
    site.Program().Root().Catalog().CreateItem(THostSyncSite::kPageType, site.Program().Root().GetHomePageId(), 0,
                                               THostSyncSite::kCode, site.Connection(), 100000002);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.why);
        TFailure reply;
        reply.Kind = TFailure::Reply;
        reply.Text = c.reply;
        host.Fail("requestglobalids", reply, std::string(c.why) == "a malformed escape" ? 0 : 1);
        site.Runner().answers = {caCancel};
        EXPECT_FALSE(site.Sync(THostSyncSite::MergeParams()));
        host.ClearFailures();
        EXPECT_TRUE(site.Exists(first));
        EXPECT_TRUE(site.Exists(second));
        const std::vector<std::string> actions = host.Actions();
        EXPECT_EQ(std::count(actions.begin(), actions.end(), "xmldata"), 0) << "nothing was sent";
        EXPECT_EQ(actions.back(), "unlockcatalog");
        host.ClearRequests();
    }
    // The host's own answer renumbers both.
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams())) << site.Runner().Last();
    EXPECT_FALSE(site.Exists(first));
    EXPECT_EQ(site.Count("Items", "ItemId > 1000000 AND ItemId < 50000000"), 0);
}

TEST(HostSync, CopyFromHostDeletesNothingWithoutTheHostsList)
{
    const TFailure damaged = Failure(TFailure::DamagedZlib);
    const TFailure empty = Failure(TFailure::ShortBody);
    const TFailure refused = ErrorReply("Catalog is busy");
    const TFailure status = [] {
        TFailure f = Failure(TFailure::HttpStatus);
        f.Status = 503;
        return f;
    }();
    struct TCase {
        const char* why;
        TFailure failure;
        std::deque<int> answers;  // of the continue dialog
    };
    const TCase cases[] = {
        {"an \"Error:\" reply", refused, {}},
        {"an empty reply", empty, {}},
        {"damaged data, ignored", damaged, {caIgnore}},
        {"a failing status, ignored", status, {caIgnore}},
        {"damaged data, cancelled", damaged, {caCancel}},
    };
    THostStandIn host;
    THostSyncSite site(host);
    site.AddPage("Kept");
    const int items = site.Count("Items");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.why);
        host.Fail("getprimarykeyanddatemodified", c.failure);
        site.Runner().answers = c.answers;
        site.Runner().lines.clear();
        std::vector<std::string> params = CopyFromHostParams();
        params.push_back("Delete=Local");
        EXPECT_FALSE(site.Sync(params));
        host.ClearFailures();
        EXPECT_EQ(site.Count("Items"), items) << "the local catalog is whole";
        EXPECT_FALSE(site.Runner().Has("Successfully recovered."));
    }
}

TEST(HostSync, TheDeletionsHereAreForgottenOnlyOnceTheHostCommittedThem)
{
    THostStandIn host;
    THostSyncSite site(host);
    const int page = site.AddPage("Gone");
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams()));
    const int global = site.Data().GetQueries().FindItemByName("Gone", THostSyncSite::kCode, site.Connection());
    site.Delete(global);

    // Postponed on the host, and the commit refused: the tombstone stays.
    std::vector<std::string> postponed{"SendPacketSize=100", "Synchronization=Merge", "ChangesLocal=Immediately"};
    host.Fail("commitchanges", ErrorReply());
    EXPECT_FALSE(site.Sync(postponed));
    EXPECT_EQ(site.Count("DeletedItems", "ItemId = " + std::to_string(global)), 1);
    EXPECT_EQ(host.Count("Items", "ItemId = " + std::to_string(global)), 1) << "nothing committed on the host";
    EXPECT_FALSE(site.Exists(global)) << "and the item does not come back";

    ASSERT_TRUE(site.Sync(postponed)) << site.Runner().Last();
    EXPECT_EQ(site.Count("DeletedItems"), 0);
    EXPECT_EQ(host.Count("Items", "ItemId = " + std::to_string(global)), 0);
    EXPECT_FALSE(site.Exists(global));
    EXPECT_NE(page, global);
}

TEST(HostSync, AnItemTheHostDeletedButEditedHereLaterIsKept)
{
    THostStandIn host;
    THostSyncSite site(host);
    site.AddPage("Edited");
    site.AddPage("Untouched");
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams()));
    TCatalogQueries& queries = site.Data().GetQueries();
    const int edited = queries.FindItemByName("Edited", THostSyncSite::kCode, site.Connection());
    const int untouched = queries.FindItemByName("Untouched", THostSyncSite::kCode, site.Connection());
    // Another computer deleted both half a minute from now; this one edited one of them after that.
    const std::string deleted = "julianday('now', 'localtime') - 2415018.5 + 30.0 / 86400";
    for (int id : {edited, untouched}) {
        host.Exec("DELETE FROM Items WHERE ItemId = " + std::to_string(id));
        host.Exec("INSERT INTO HostDeletedItems VALUES ('shop', " + std::to_string(id) + ", " + deleted + ")");
    }
    site.SetName(edited, "Edited again");
    site.SetDate(edited, 90);
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams())) << site.Runner().Last();
    EXPECT_FALSE(site.Exists(untouched));
    EXPECT_TRUE(site.Exists(edited));
    EXPECT_TRUE(site.Runner().Has("Item Edited again (Information page) was deleted on the host but changed here "
                                  "afterwards: it is kept"))
        << site.Runner().Last();
    EXPECT_EQ(host.Count("Items", "ItemId = " + std::to_string(edited)), 1) << "it went back to the host";
    EXPECT_EQ(host.Count("HostDeletedItems", "ItemId = " + std::to_string(edited)), 0);
}

TEST(HostSync, ItemsAreMarkedSynchronisedOnlyOnceTheHostAcceptedTheirPacket)
{
    THostStandIn host;
    THostSyncSite site(host);
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams()));
    const int page = site.AddPage("Refused");
    site.SetDate(page, 30);
    ASSERT_EQ(site.Count("Items", "IsSynchronized = 0"), 1);
    // Ids first, then the packet of the new page is refused.
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams(), [&](TPublishOnTolvex&) { host.Fail("xmldata", ErrorReply()); }) ==
                false);
    EXPECT_EQ(site.Count("Items", "IsSynchronized = 0"), 1);
    EXPECT_TRUE(site.Runner().Has("Published and 1 error(s) occur")) << site.Runner().Last();
    // The next run sends it.
    ASSERT_TRUE(site.Sync(THostSyncSite::MergeParams())) << site.Runner().Last();
    EXPECT_EQ(site.Count("Items", "IsSynchronized = 0"), 0);
}

}  // namespace
