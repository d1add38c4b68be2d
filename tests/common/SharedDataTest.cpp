#include "common/ItemDescription.h"
#include "common/Log.h"
#include "common/OldLangInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(ItemDescription, DataItemIsTheLinkedItemWhenThereIsOne)
{
    struct Case { int itemId; int linkedId; int expected; const char* why; };
    const Case cases[] = {
        {1005, 2001, 2001, "a link shows the linked item's data"},
        {1005, 0, 1005, "no link: its own data"},
        {1005, 1005, 1005, "linked to itself: its own data"},
    };
    for (const auto& c : cases) {
        TItemDescription d;
        d.ItemId = c.itemId;
        d.LinkedItemId = c.linkedId;
        EXPECT_EQ(d.GetDataItemId(), c.expected) << c.why;
    }
}

TEST(ItemDescription, NewDescriptionIsVisibleWithoutFlags)
{
    TItemDescription d;
    EXPECT_TRUE(d.Visible);
    EXPECT_EQ(d.Flags, 0);
    EXPECT_FALSE(d.Stale);
    EXPECT_TRUE(d.ExpandedImageCode.empty());
}

namespace {
class TRecordingSink : public TLogSink {
public:
    void AppendLine(const std::string& text) override { lines.push_back(text); }
    void ProcessMessages() override { ++processed; }
    std::vector<std::string> lines;
    int processed = 0;
};
} // namespace

TEST(Log, LinesReachTheWindowWhileItExistsAndAreDroppedAfter)
{
    TLog log;
    log.AddLine("before binding");  // no window yet: dropped quietly
    auto sink = std::make_shared<TRecordingSink>();
    log.SetOutput(sink);
    log.AddLine("one");
    log.AddLine("two");
    EXPECT_EQ(sink->lines, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(sink->processed, 2);

    std::weak_ptr<TRecordingSink> gone = sink;
    sink.reset();  // the runner window was closed
    ASSERT_TRUE(gone.expired());
    EXPECT_NO_THROW(log.AddLine("after close"));
}

TEST(Log, CancellationFlag)
{
    TLog log;
    EXPECT_FALSE(log.IsCancelled());
    log.SetCancelled(true);
    EXPECT_TRUE(log.IsCancelled());
}

TEST(OldLangInfo, SlotsInUseNeedTwoCharactersAndZeroIsEmpty)
{
    TOldLangInfo info;
    info.SetSlot(0, "EN");
    info.SetSlot(1, "0");
    info.SetSlot(2, "D");
    EXPECT_TRUE(info.SlotUsed[0]);
    EXPECT_FALSE(info.SlotUsed[1]);
    EXPECT_EQ(info.Codes[1], "");
    EXPECT_FALSE(info.SlotUsed[2]);
}
