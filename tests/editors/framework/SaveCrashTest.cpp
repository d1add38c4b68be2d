// The save of an item killed at random moments (a forked process that saves
// in a loop, ended with SIGKILL) never leaves a half-saved item: two objects
// of the item and its validation flags always come from the same save.
#include "EditingFixture.h"

#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kHome = 100001;

// The child: saves generation after generation into the item's name and its
// top design text, each save one whole unit, until it is killed.
[[noreturn]] void SaveForever(const std::string& home, const std::string& readyFile)
{
    int status = 0;
    try {
        TEditingFixture fixture({}, 1, home);
        TTolvexControlClass context(fixture.Services());
        context.Initialize(nullptr);
        context.SetItemId(kHome);
        context.SetTreeItemId(kHome);
        TObjectCollection& objects = context.GetObjectCollection();
        bool announced = false;
        for (int generation = 1;; ++generation) {
            const std::string value = "generation " + std::to_string(generation);
            objects.GetObject(kHome, "CommonNames")->SetLangString("ItemName", "EN", value, 0);
            objects.GetObject(kHome, "CommonDesign")->SetLangString("TopHTMLValue", "EN", value, 0);
            context.SetModified(true);
            if (!context.SaveChanges())
                break;
            if (!announced) {
                std::ofstream(readyFile) << "ready";
                announced = true;
            }
        }
        status = 2;
    } catch (...) {
        status = 3;
    }
    _exit(status);
}

TEST(SaveCrashTest, AKilledSaveLeavesTheItemWholeFromOneSave)
{
    TTempFolder home;
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> pause(5, 120);
    int generationsSeen = 0;
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        const std::string ready = home.Path() + "/ready" + std::to_string(round);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForever(home.Path(), ready);
        // Wait for the first whole save, then kill at a random moment.
        for (int i = 0; i < 600 && !std::filesystem::exists(ready); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(std::filesystem::exists(ready)) << "the child never saved";
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << WEXITSTATUS(status);

        TEditingFixture fixture({}, 1, home.Path());
        TTolvexControlClass context(fixture.Services());
        context.Initialize(nullptr);
        TObjectCollection& objects = context.GetObjectCollection();
        const std::string name = objects.GetObject(kHome, "CommonNames")->GetLangString("ItemName", "EN", 0);
        const std::string design = objects.GetObject(kHome, "CommonDesign")->GetLangString("TopHTMLValue", "EN", 0);
        EXPECT_EQ(name, design);
        EXPECT_EQ(name.rfind("generation ", 0), 0u) << name;
        generationsSeen = std::max(generationsSeen, std::atoi(name.c_str() + 11));
    }
    EXPECT_GT(generationsSeen, 1);
}

}  // namespace
