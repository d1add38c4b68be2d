#include "ExitWatchdog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

constexpr std::chrono::seconds kGrace{60};

class TExitWatchdog : public ::testing::Environment {
public:
    void TearDown() override
    {
        const int code = ::testing::UnitTest::GetInstance()->Passed() ? 0 : 1;
        std::thread([code] {
            std::this_thread::sleep_for(kGrace);
            std::fprintf(stderr, "The process did not end within %lld s of its last test; ended by the watchdog.\n",
                         static_cast<long long>(kGrace.count()));
            std::fflush(nullptr);
            std::_Exit(code);
        }).detach();
    }
};

}  // namespace

void ArmExitWatchdogAfterTests()
{
    static const bool armed = (::testing::AddGlobalTestEnvironment(new TExitWatchdog), true);
    (void)armed;
}
