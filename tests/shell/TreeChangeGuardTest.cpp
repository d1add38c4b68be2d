// Guarding selection changes in the catalog trees, without a window.
#include "shell/TreeChangeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct TGuardStand {
    std::uint32_t now = 1000;
    bool open = true;
    bool canLeave = false;
    int questions = 0;
    int focus = 0;
    TTreeChangeGuard guard{{[this] { return now; }, [this] { return open; },
                            [this] {
                                ++questions;
                                return canLeave;
                            },
                            [this] { ++focus; }}};
};

const TTreeChangeGuard::TTarget kItemNode{true, true};
const TTreeChangeGuard::TTarget kPlainNode{true, false};

TEST(TreeChangeGuard, WebTreeRefusalsInsideTheQuietPeriodExtendIt)
{
    TGuardStand s;
    EXPECT_FALSE(s.guard.AllowWebTreeChange(kItemNode));  // asked, refused
    EXPECT_EQ(s.questions, 1);
    s.now += 60;
    EXPECT_FALSE(s.guard.AllowWebTreeChange(kItemNode));  // quiet: not asked, period extended
    s.now += 60;                                           // 120 ms after the first, 60 after the second
    EXPECT_FALSE(s.guard.AllowWebTreeChange(kItemNode));
    EXPECT_EQ(s.questions, 1);
    s.now += 100;
    s.canLeave = true;
    EXPECT_TRUE(s.guard.AllowWebTreeChange(kItemNode));   // asked again
    EXPECT_EQ(s.questions, 2);
    EXPECT_EQ(s.focus, 3);
}

TEST(TreeChangeGuard, TemplatesRefusalsInsideTheQuietPeriodDoNotExtendIt)
{
    TGuardStand s;
    EXPECT_FALSE(s.guard.AllowTemplatesChange(kPlainNode));  // any node asks here
    s.now += 60;
    EXPECT_FALSE(s.guard.AllowTemplatesChange(kPlainNode));
    s.now += 60;  // 120 ms after the refusal that counted
    EXPECT_FALSE(s.guard.AllowTemplatesChange(kPlainNode));
    EXPECT_EQ(s.questions, 2);
}

TEST(TreeChangeGuard, NoQuestionForPlainNodesOrWithoutCatalog)
{
    TGuardStand s;
    EXPECT_TRUE(s.guard.AllowWebTreeChange(kPlainNode));
    EXPECT_TRUE(s.guard.AllowTemplatesChange({false, false}));
    s.open = false;
    EXPECT_TRUE(s.guard.AllowWebTreeChange(kItemNode));
    EXPECT_EQ(s.questions, 0);
}

TEST(TreeChangeGuard, TickCountWrapsAndBusyClearsAfterAFailedQuestion)
{
    TGuardStand s;
    s.now = 0xFFFFFFF0u;
    EXPECT_FALSE(s.guard.AllowWebTreeChange(kItemNode));
    s.now = 0x20;  // 48 ms later, across the wrap
    EXPECT_FALSE(s.guard.AllowWebTreeChange(kItemNode));
    EXPECT_EQ(s.questions, 1);

    TTreeChangeGuard throwing({[] { return 5000u; }, [] { return true; },
                               []() -> bool { throw std::runtime_error("editor failed"); }, [] {}});
    EXPECT_THROW(throwing.AllowWebTreeChange(kItemNode), std::runtime_error);
    EXPECT_FALSE(throwing.IsBusy());
}

TEST(TreeChangeGuard, RequestsWhileTheQuestionIsOpenAreRefused)
{
    TTreeChangeGuard* self = nullptr;
    bool nested = true;
    TTreeChangeGuard guard({[] { return 5000u; }, [] { return true; },
                            [&] {
                                nested = self->AllowWebTreeChange(kItemNode);
                                return true;
                            },
                            [] {}});
    self = &guard;
    EXPECT_TRUE(guard.AllowWebTreeChange(kItemNode));
    EXPECT_FALSE(nested);
}

}  // namespace
