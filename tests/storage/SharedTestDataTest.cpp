// The files tests share: made once, then copied, so that a test that
// changes its copy changes nobody else's; a failed making keeps nothing.
#include "support/SharedTestData.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(SharedTestData, ACopyIsTheTestsOwnAndAFailedMakingIsNotKept)
{
    if (!SharedTestData::Enabled())
        GTEST_SKIP() << "shared test data is switched off";
    TTempFolder folder;
    int made = 0;
    const auto make = [&](const std::string& target) {
        return [&made, target] {
            ++made;
            std::ofstream(target) << "as made";
            return true;
        };
    };
    const std::string first = folder.File("first.bin");
    const std::string second = folder.File("second.bin");
    ASSERT_TRUE(SharedTestData::InstallFile("self-test.bin", first, make(first)));
    EXPECT_EQ(TTempFolder::Read(first), "as made");
    std::ofstream(first) << "changed by its test";
    const int before = made;
    ASSERT_TRUE(SharedTestData::InstallFile("self-test.bin", second, make(second)));
    EXPECT_EQ(made, before) << "the second comes from the cache";
    EXPECT_EQ(TTempFolder::Read(second), "as made") << "the first test's change reached another test";

    int failed = 0;
    const auto fail = [&] {
        ++failed;
        return false;
    };
    EXPECT_FALSE(SharedTestData::InstallFile("self-test-failing.bin", folder.File("a.bin"), fail));
    EXPECT_FALSE(SharedTestData::InstallFile("self-test-failing.bin", folder.File("b.bin"), fail));
    EXPECT_EQ(failed, 2) << "a failed making is tried again";
}
