#include "storage/MemberValueText.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/FormatArg.h"
#include "storage/SQLiteFieldTypes.h"

#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr double kSecondsPerDay = 86400.0;

std::string ToChars(double value, std::chars_format format, int precision)
{
    char text[400];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, format, precision);
    return ec == std::errc() ? std::string(text, end) : std::string("0");
}

// "hh:nn" or "hh:nn:ss" as a fraction of a day; negative when the text is no time.
double ReadTimeOfDay(const std::string& text)
{
    int part[3] = {0, 0, 0};
    const char* p = text.data();
    const char* end = p + text.size();
    int count = 0;
    while (count < 3) {
        const auto [next, ec] = std::from_chars(p, end, part[count]);
        if (ec != std::errc())
            return -1;
        ++count;
        p = next;
        if (p == end || *p != ':')
            break;
        ++p;
    }
    if (p != end || count < 2 || part[0] > 23 || part[1] > 59 || part[2] > 59 || part[0] < 0 ||
        part[1] < 0 || part[2] < 0)
        return -1;
    return (part[0] * 3600.0 + part[1] * 60.0 + part[2]) / kSecondsPerDay;
}

}  // namespace

std::string TMemberValueText::FormatGeneral(double value)
{
    return TFormatArg::FormatFloat(value);
}

std::string TMemberValueText::FormatShort(double value)
{
    if (!std::isfinite(value))
        return FormatGeneral(value);
    return ToChars(value, std::chars_format::general, 6);
}

std::string TMemberValueText::FormatTwoDecimals(double value)
{
    if (!std::isfinite(value))
        return FormatGeneral(value);
    return ToChars(value, std::chars_format::fixed, 2);
}

int TMemberValueText::TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::trunc(value);
    if (whole >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (whole <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(whole);
}

TDateTimeParts TMemberValueText::DecodeDateTime(double days)
{
    using namespace std::chrono;
    days = TCommonFunctions::ClampDateTime(days);
    // The whole part counts days, the fraction's size the time of day, also
    // for dates before 1899-12-30.
    long long whole = static_cast<long long>(std::trunc(days));
    long long seconds = std::llround(std::fabs(days - std::trunc(days)) * kSecondsPerDay);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += days < 0 ? -1 : 1;
    }
    const year_month_day date{sys_days{1899y / December / 30} + std::chrono::days{whole}};
    TDateTimeParts parts;
    parts.Year = static_cast<int>(date.year());
    parts.Month = static_cast<int>(static_cast<unsigned>(date.month()));
    parts.Day = static_cast<int>(static_cast<unsigned>(date.day()));
    parts.Hour = static_cast<int>(seconds / 3600);
    parts.Minute = static_cast<int>(seconds / 60 % 60);
    parts.Second = static_cast<int>(seconds % 60);
    return parts;
}

std::string TMemberValueText::FormatShortDate(double days)
{
    const TDateTimeParts parts = DecodeDateTime(days);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.Year, parts.Month, parts.Day);
    return text;
}

std::string TMemberValueText::FormatLongTime(double days)
{
    const TDateTimeParts parts = DecodeDateTime(days);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", parts.Hour, parts.Minute, parts.Second);
    return text;
}

std::string TMemberValueText::FormatDateTime(double days)
{
    const TDateTimeParts parts = DecodeDateTime(days);
    if (parts.Hour == 0 && parts.Minute == 0 && parts.Second == 0)
        return FormatShortDate(days);
    return FormatShortDate(days) + " " + FormatLongTime(days);
}

double TMemberValueText::Now()
{
    using namespace std::chrono;
    const std::time_t now = system_clock::to_time_t(system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    const year_month_day date{year{local.tm_year + 1900}, month{static_cast<unsigned>(local.tm_mon + 1)},
                              day{static_cast<unsigned>(local.tm_mday)}};
    const double dayNumber = (sys_days{date} - sys_days{1899y / December / 30}).count();
    return dayNumber + (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / kSecondsPerDay;
}

int TMemberValueText::ReadInteger(const std::string& text)
{
    std::string s = common_detail::Trim(text);
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    int value = 0;
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, value);
    return !s.empty() && ec == std::errc() && ptr == end ? value : 0;
}

double TMemberValueText::ReadFloat(const std::string& text)
{
    std::string s = common_detail::Trim(text);
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    if (s.empty() || !(common_detail::IsAsciiDigit(s[0]) || s[0] == '-' || s[0] == '.'))
        return 0;  // no "inf" or "nan"
    double value = 0;
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value) ? value : 0;
}

double TMemberValueText::ReadDateTime(const std::string& text)
{
    const std::string s = common_detail::Trim(text);
    if (s.find('-') != std::string::npos) {
        const auto parsed = ParseIsoDateTime(s);
        return parsed && TCommonFunctions::IsDateTimeInRange(parsed->days) ? parsed->days : 0;
    }
    const double time = ReadTimeOfDay(s);
    return time < 0 ? 0 : time;
}
