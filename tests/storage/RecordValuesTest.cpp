// Field values read as whole numbers: one rule for every reader.
#include "storage/RecordValues.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

TEST(RecordValues, AnyValueReadsAsAWholeNumber)
{
    struct TCase {
        TVariant value;
        int expected;
        const char* why;
    };
    const TCase cases[] = {
        {TVariant(), 0, "Null"},
        {TVariant(42), 42, "integer"},
        {TVariant(std::int64_t{1} << 40), INT_MAX, "a larger integer is clamped"},
        {TVariant(-(std::int64_t{1} << 40)), INT_MIN, "and so is a smaller one"},
        {TVariant(2.9), 2, "fraction cut off"},
        {TVariant(-2.9), -2, "toward zero"},
        {TVariant(std::nan("")), 0, "NaN"},
        {TVariant(1e20), INT_MAX, "a huge number is clamped"},
        {TVariant(true), 1, "Boolean"},
        {TVariant(TDateTime{45000.75}), 45000, "a date is its day number"},
        {TVariant("12"), 12, "a decimal text"},
        {TVariant(" 7 "), 7, "blanks around a text number"},
        {TVariant("1.5"), 1, "a text with a fraction"},
        {TVariant("12abc"), 0, "a text that is no number"},
        {TVariant(""), 0, "the empty text"},
        {TVariant(TBytes{"12"}), 0, "bytes"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(VariantToInteger(c.value), c.expected) << c.why;
}
