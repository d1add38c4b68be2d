// The hand-over to the software update: the update's parameter lines, the
// restart when an update waits, and starting the updater at the end.
#include "catalog/CatalogDataFixture.h"

#include "catalog/UpdateHandover.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST(RootObjectUpdateTest, UpdateRunsWithItsParameterLines)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    const Lines files{"tolvex.zip", "help.zip"};

    EXPECT_TRUE(root.RunSoftwareUpdate(&files, true));
    EXPECT_EQ(fixture.Shell().updateParams,
              (Lines{"OnlyFromList=yes", "File=tolvex.zip", "File=help.zip", "ApplyImmediate=yes"}));
    EXPECT_TRUE(fixture.Log().Has("RunSoftwareUpdate modal"));

    root.RunSoftwareUpdate(nullptr, false);
    EXPECT_EQ(fixture.Shell().updateParams, Lines{});

    const Lines none;
    root.StartSoftwareUpdate(&none);
    EXPECT_EQ(fixture.Shell().updateParams, Lines{"OnlyFromList=yes"});
    EXPECT_TRUE(fixture.Log().Has("RunSoftwareUpdate background"));
}

TEST(RootObjectUpdateTest, PendingUpdateClosesTheProgramForARestart)
{
    TRootFixture fixture;
    TTolvex& root = fixture.Root();
    EXPECT_FALSE(root.RestartIfUpdatePending());
    EXPECT_EQ(UpdateArguments, "");
    EXPECT_FALSE(fixture.Log().Has("PostCloseRequest"));

    fixture.Home().Write("update/doupdate", "");
    EXPECT_TRUE(root.RestartIfUpdatePending());
    EXPECT_EQ(UpdateArguments, "restart 1000");
    EXPECT_TRUE(fixture.Log().Has("PostCloseRequest"));
}

TEST(RootObjectUpdateTest, UpdaterStartsBesideTheProgramWithoutWaiting)
{
    TTempFolder folder;
    const std::string program = folder.File("tolvex");
    EXPECT_FALSE(TUpdateHandover::StartUpdater(program, "restart 1000")) << "no updater there";
    EXPECT_FALSE(TUpdateHandover::StartUpdater("", "restart 1000"));

    // The updater writes its arguments, then lingers: the start does not wait for it.
    const std::string updater = folder.Write(TUpdateHandover::kUpdaterFileName,
                                             "#!/bin/sh\nexec </dev/null >/dev/null 2>&1\necho \"$#:$*\" > \"$(dirname \"$0\")/ran.tmp\"\n"
                                             "mv \"$(dirname \"$0\")/ran.tmp\" \"$(dirname \"$0\")/ran.txt\"\n"
                                             "sleep 2\n");
    fs::permissions(updater, fs::perms::owner_all);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(TUpdateHandover::StartUpdater(program, "restart 1000"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    for (int i = 0; i < 100 && !fs::exists(folder.File("ran.txt")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(TTempFolder::Read(folder.File("ran.txt")), "2:restart 1000\n");
}
