// Text forms of member values: dates beyond the calendar the program knows.
#include "storage/MemberValueText.h"

#include <gtest/gtest.h>

#include <limits>

TEST(MemberValueText, DatesOutOfRangeAreTakenAsTheNearestDay)
{
    const struct {
        double days;
        const char* text;
    } cases[] = {
        {38061.6043402778, "2004-03-15 14:30:15"},
        {-8000.25, "1878-02-03 06:00:00"},
        {1e9, "9999-12-31 23:59:59"},
        {1e300, "9999-12-31 23:59:59"},
        {-1e300, "0001-01-01"},
        {std::numeric_limits<double>::quiet_NaN(), "1899-12-30"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TMemberValueText::FormatDateTime(c.days), c.text) << c.days;
    const TDateTimeParts parts = TMemberValueText::DecodeDateTime(1e300);
    EXPECT_EQ(parts.Year, 9999);
    EXPECT_EQ(parts.Second, 59);
}

TEST(MemberValueText, DateTextsOutsideTheYearsOneTo9999ReadAsNoDate)
{
    EXPECT_NEAR(TMemberValueText::ReadDateTime("9999-12-31 23:59:59"), 2958465.99998843, 1e-8);
    EXPECT_DOUBLE_EQ(TMemberValueText::ReadDateTime("0001-01-01"), -693593.0);
    for (const char* text : {"10000-01-01", "32767-12-31", "0000-12-31", "-5-01-01"})
        EXPECT_EQ(TMemberValueText::ReadDateTime(text), 0) << text;
}
