// The generated-page cache (keys, replacing, the clearing switch) and the
// preview history (its limit of nine, moving, forward entries, menus).
#include "catalog/PreviewHistory.h"
#include "catalog/TransformCache.h"

#include <gtest/gtest.h>

namespace {

using TLines = std::vector<std::string>;

// Shows pages "p1", "p2", ... with the address "/p1" and so on.
void Show(TPreviewHistory& history, const std::string& name, int itemId = 1000)
{
    history.AddPreviewHistoryEntry(itemId, "EN", name, "/" + name, 1);
}

TLines BackList(const TPreviewHistory& history)
{
    TLines list;
    history.GetPreviewBackList(list);
    return list;
}

TLines ForwardList(const TPreviewHistory& history)
{
    TLines list;
    history.GetPreviewForwardList(list);
    return list;
}

}  // namespace

// ---- the page cache ---------------------------------------------------------------------------

TEST(TransformCacheTest, PagesAreKeyedByItemPageAndExactLanguage)
{
    TTransformCache cache;
    cache.PutTransformResult(1000, 1, "first", "EN");
    cache.PutTransformResult(1000, 1, "second", "EN");
    cache.PutTransformResult(1000, 1, "deutsch", "DE");
    cache.PutTransformResult(1000, 2, "page two", "EN");
    cache.PutTransformResult(1001, 0, "page zero", "EN");

    EXPECT_EQ(cache.Count(), 4u) << "storing the same key twice keeps one entry";
    struct TCase {
        int itemId;
        int pageNo;
        std::string lang;
        std::string text;
    } cases[] = {
        {1000, 1, "EN", "second"}, {1000, 0, "EN", "second"}, {1000, 1, "DE", "deutsch"},
        {1000, 1, "en", ""},       {1000, 2, "EN", "page two"}, {1001, 1, "EN", "page zero"},
        {1002, 1, "EN", ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(cache.GetTransformResult(c.itemId, c.pageNo, c.lang), c.text)
            << c.itemId << " page " << c.pageNo << " " << c.lang;
}

TEST(TransformCacheTest, ClearingCanBeSwitchedOff)
{
    TTransformCache cache;
    cache.PutTransformResult(1000, 1, "page", "EN");
    cache.SetTransformCacheEnabled(false);
    cache.ClearTransformCache();
    EXPECT_EQ(cache.GetTransformResult(1000, 1, "EN"), "page");
    cache.PutTransformResult(1001, 1, "stored while switched off", "EN");
    EXPECT_EQ(cache.Count(), 2u);

    cache.SetTransformCacheEnabled(true);
    cache.ClearTransformCache();
    EXPECT_EQ(cache.Count(), 0u);
}

// ---- the preview history ------------------------------------------------------------------------

TEST(PreviewHistoryTest, KeepsTheLastNinePagesAndMovesARepeatedPageToTheEnd)
{
    TPreviewHistory history;
    EXPECT_EQ(history.Position(), 0);
    EXPECT_FALSE(history.CanPreviewGoBack());
    for (int i = 1; i <= 10; ++i)
        Show(history, "p" + std::to_string(i));
    ASSERT_EQ(history.Count(), 9u);
    EXPECT_EQ(history.Entry(1).Title, "p2");
    EXPECT_EQ(history.Position(), 9);
    EXPECT_TRUE(history.CanPreviewGoBack());
    EXPECT_FALSE(history.CanPreviewGoForward());

    // A full history first lets its oldest entry go, then the repeated one.
    Show(history, "p5");
    EXPECT_EQ(history.Count(), 8u);
    EXPECT_EQ(history.Entry(8).Address, "/p5");
    EXPECT_EQ(history.Entry(3).Title, "p6");
    EXPECT_EQ(history.Position(), 8);

    Show(history, "");
    EXPECT_EQ(history.Count(), 8u) << "a page without title is not recorded";
}

TEST(PreviewHistoryTest, MovingBackThenShowingANewPageDropsTheForwardEntries)
{
    TPreviewHistory history;
    for (const char* name : {"a", "b", "c", "d"})
        Show(history, name);

    std::string address;
    history.MovePreviewHistory(-2, true, address);
    EXPECT_EQ(address, "/b");
    EXPECT_EQ(history.Position(), 2);
    EXPECT_EQ(BackList(history), (TLines{"1=a"}));
    EXPECT_EQ(ForwardList(history), (TLines{"3=c", "4=d"}));
    Show(history, "b");
    EXPECT_EQ(history.Count(), 4u) << "the page reached by moving is not added again";

    Show(history, "e");
    EXPECT_EQ(history.Count(), 3u);
    EXPECT_EQ(BackList(history), (TLines{"1=a", "2=b"}));
    EXPECT_TRUE(ForwardList(history).empty());

    history.MovePreviewHistory(1, false, address);
    EXPECT_EQ(address, "/a") << "entry numbers are absolute";
    EXPECT_TRUE(history.CanPreviewGoForward());
    EXPECT_FALSE(history.CanPreviewGoBack());
}

TEST(PreviewHistoryTest, AMoveToNoEntryChangesNothing)
{
    TPreviewHistory history;
    Show(history, "a");
    Show(history, "b");

    std::string address = "old";
    history.MovePreviewHistory(1, true, address);
    EXPECT_EQ(address, "");
    EXPECT_EQ(history.Position(), 2);
    history.MovePreviewHistory(0, false, address);
    EXPECT_EQ(history.Position(), 2);
    Show(history, "c");
    EXPECT_EQ(history.Count(), 3u) << "the next page shown is still recorded";
}

TEST(PreviewHistoryTest, DeletingEntriesKeepsThePositionOnTheCurrentEntry)
{
    TPreviewHistory history;
    for (const char* name : {"a", "b", "c", "d"})
        Show(history, name);
    std::string address;
    history.MovePreviewHistory(3, false, address);  // at c

    history.DeletePreviewHistoryEntry(0);
    EXPECT_EQ(history.Position(), 2);
    EXPECT_EQ(history.Entry(history.Position()).Title, "c");
    history.DeletePreviewHistoryEntry(7);
    EXPECT_EQ(history.Count(), 3u) << "an index out of range deletes nothing";
    history.DeletePreviewHistoryEntry(2);
    history.DeletePreviewHistoryEntry(1);
    EXPECT_EQ(history.Position(), 1) << "the position never exceeds the entries";
    history.DeletePreviewHistoryEntry(0);
    EXPECT_EQ(history.Position(), 0);
    EXPECT_FALSE(history.CanPreviewGoForward());
}
