// TCommonFunctions: Unix time texts. Date-times count days since 1899-12-30
// in local time, so 25569 is 1970-01-01; the local standard offset (Bias)
// turns them into UTC, daylight saving not applied.
#include "common/CommonFunctions.h"

#include <charconv>
#include <cmath>

namespace {

constexpr double UnixEpochDays = 25569;
constexpr double SecondsPerDay = 86400;

}  // namespace

std::string TCommonFunctions::DateTimeToUnixTime(double dateTime) const
{
    if (dateTime == 0)
        return "0";
    double seconds = std::round((dateTime - UnixEpochDays) * SecondsPerDay + bias_ * 60.0);
    if (seconds == 0)
        seconds = 0;  // no "-0"
    char text[400];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 0);
    return ec == std::errc() ? std::string(text, end) : "0";
}

double TCommonFunctions::UnixTimeToDateTime(const std::string& text) const
{
    double seconds = 0;
    if (!TryReadNumber(text, seconds) || seconds == 0)
        return 0;
    // Whole days and the seconds of the day apart, as the program's clock
    // makes a date-time (TMemberValueText::Now): a whole second read back
    // is then the very number that was written, not one a rounding away.
    const double local = seconds - bias_ * 60.0;
    const double wholeDays = std::floor(local / SecondsPerDay);
    const double days = UnixEpochDays + wholeDays + (local - wholeDays * SecondsPerDay) / SecondsPerDay;
    // A time no calendar of the program holds is taken as no number.
    return IsDateTimeInRange(days) ? days : 0;
}

double TCommonFunctions::ClampDateTime(double days)
{
    if (std::isnan(days))
        return 0;
    if (days < MinDateTime)
        return -693593.0;
    return days > MaxDateTime ? MaxDateTime : days;
}
