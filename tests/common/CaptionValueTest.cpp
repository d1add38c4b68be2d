#include "common/CaptionValue.h"

#include <gtest/gtest.h>

TEST(CaptionValue, SplitsAtTheFirstSeparator)
{
    struct Case { const char* entry; const char* caption; const char* value; bool hasValue; const char* why; };
    const Case cases[] = {
        {"English===EN", "English", "EN", true, "caption and value"},
        {"a===b===c", "a", "b===c", true, "a later separator belongs to the value"},
        {"All===", "All", "", true, "an empty value is still a value"},
        {"plain", "plain", "plain", false, "an entry without a separator is its own caption and value"},
        {"a==b", "a==b", "a==b", false, "two equals signs are no separator"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaptionValue::CaptionOf(c.entry), c.caption) << c.why;
        EXPECT_EQ(CaptionValue::ValueOf(c.entry), c.value) << c.why;
        EXPECT_EQ(CaptionValue::HasValue(c.entry), c.hasValue) << c.why;
    }
}
