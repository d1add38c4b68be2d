// A merge killed with SIGKILL in the middle, then run again, ends where an
// uninterrupted merge ends, and brings back no deleted item. The merge runs
// in a process of its own (tolvex-sync-client) against the stand-in host of
// this process, which kills it when the second packet asking for items arrives.
#include "HostSyncFixture.h"

#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct TOutcome {
    std::vector<std::string> rows;  // of the catalog file that merged
    std::vector<std::string> hostRows;
    std::vector<int> deleted;       // ids deleted on either side before the merge
    bool killed = false;
};

pid_t StartClient(const std::string& folder, const std::string& host)
{
    const std::string program = TestBinaryDir() + "/tolvex-sync-client";
    std::vector<std::string> args{program, folder, host, "kill-test"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

// Waits for the client; its exit status, or -signal when a signal ended it.
int WaitClient(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

// Two files of one catalog: A changes and publishes; B, left behind, has
// changes of its own and merges them in a child process, killed or not.
TOutcome Scenario(bool kill)
{
    TOutcome outcome;
    THostStandIn host;
    THostSyncSite site(host, "kill-test");
    TTempFolder other;
    std::vector<int> pages;
    for (int i = 0; i < 40; ++i)
        pages.push_back(site.AddPage("Page " + std::to_string(i)));
    EXPECT_TRUE(site.Sync(THostSyncSite::MergeParams()));
    pages.clear();
    for (int i = 0; i < 40; ++i)
        pages.push_back(site.Data().GetQueries().FindItemByName("Page " + std::to_string(i), THostSyncSite::kCode,
                                                                 site.Connection()));
    site.CopyTo(other.Path());
    site.Open();
    // A: 30 new pages, 10 renamed, 5 deleted.
    for (int i = 0; i < 30; ++i)
        site.AddPage("New in A " + std::to_string(i));
    for (int i = 0; i < 10; ++i) {
        site.SetName(pages[i], "Renamed in A " + std::to_string(i));
        site.SetDate(pages[i], 60);
    }
    for (int i = 10; i < 15; ++i) {
        site.Delete(pages[i], 60);
        outcome.deleted.push_back(pages[i]);
    }
    EXPECT_TRUE(site.Sync(THostSyncSite::MergeParams()));
    // B: 3 deleted, 5 renamed, 10 new.
    site.Close();
    site.Open(other.Path());
    for (int i = 15; i < 18; ++i) {
        site.Delete(pages[i], 120);
        outcome.deleted.push_back(pages[i]);
    }
    for (int i = 20; i < 25; ++i) {
        site.SetName(pages[i], "Renamed in B " + std::to_string(i));
        site.SetDate(pages[i], 120);
    }
    for (int i = 0; i < 10; ++i)
        site.AddPage("New in B " + std::to_string(i));
    site.Close();

    std::atomic<pid_t> client{-1};
    int downloads = 0;
    if (kill)
        host.OnRequest = [&](const THostStandIn::TRequest& request) {
            if (request.Action == "xmldata" && request.Packet.find("requestupdate") != std::string::npos &&
                ++downloads == 2 && client > 0)
                ::kill(client, SIGKILL);
        };
    client = StartClient(other.Path(), host.BaseUrl());
    EXPECT_GT(client, 0);
    const int first = WaitClient(client);
    host.OnRequest = nullptr;
    if (kill) {
        outcome.killed = first == -SIGKILL;
        EXPECT_EQ(first, -SIGKILL);
        EXPECT_NE(host.Lock(THostSyncSite::kCode).Date, 0) << "the killed run held the lock";
        client = StartClient(other.Path(), host.BaseUrl());
        EXPECT_EQ(WaitClient(client), 0);
    } else {
        EXPECT_EQ(first, 0);
    }
    site.Open(other.Path());
    // Everything but the administrator's scrambled password, which each scenario's new catalog salts anew.
    for (const std::string& row : site.ItemRows())
        if (row.rfind("CStrings|shop|602|602|1|2|", 0) != 0)
            outcome.rows.push_back(row);
    outcome.hostRows = host.Rows("SELECT ItemId, ItemType, ParentItemId FROM Items ORDER BY ItemId");
    for (int id : outcome.deleted) {
        EXPECT_FALSE(site.Exists(id)) << id;
        EXPECT_EQ(host.Count("Items", "ItemId = " + std::to_string(id)), 0) << id;
    }
    EXPECT_EQ(site.Count("DeletedItems"), 0);
    return outcome;
}

TEST(HostSyncKill, AMergeKilledInTheMiddleEndsAsAnUninterruptedOneWhenRunAgain)
{
    const TOutcome whole = Scenario(false);
    const TOutcome killed = Scenario(true);
    ASSERT_TRUE(killed.killed);
    std::vector<std::string> onlyKilled;
    std::vector<std::string> onlyWhole;
    std::set_difference(killed.rows.begin(), killed.rows.end(), whole.rows.begin(), whole.rows.end(),
                        std::back_inserter(onlyKilled));
    std::set_difference(whole.rows.begin(), whole.rows.end(), killed.rows.begin(), killed.rows.end(),
                        std::back_inserter(onlyWhole));
    EXPECT_EQ(onlyKilled, std::vector<std::string>{}) << "rows only after the killed run";
    EXPECT_EQ(onlyWhole, std::vector<std::string>{}) << "rows only after the uninterrupted run";
    EXPECT_EQ(killed.hostRows, whole.hostRows);
    EXPECT_GT(whole.rows.size(), 100u);
}

}  // namespace
