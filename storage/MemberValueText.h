#pragma once
// The text forms of member values, one format for the page generation and
// the editors alike, whatever the process locale: numbers with "." as the
// decimal separator, dates as "yyyy-mm-dd" (the short date format) and
// times as "hh:nn:ss" (the long time format). Dates are day numbers since
// 1899-12-30 with the time of day as the fraction, 0 meaning "no date".
#include <string>

// The parts of a day number, rounded to the second.
struct TDateTimeParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0;
};

class TMemberValueText {
public:
    // General format with up to 15 significant digits.
    static std::string FormatGeneral(double value);
    // The "%g" form: up to 6 significant digits.
    static std::string FormatShort(double value);
    // Two decimals ("%.2f").
    static std::string FormatTwoDecimals(double value);
    // The number truncated toward zero, as a 32-bit integer (clamped; 0 for NaN).
    static int TruncateToInt(double value);

    // Days outside the years 1 to 9999 are taken as the nearest day of
    // them (TCommonFunctions::ClampDateTime).
    static TDateTimeParts DecodeDateTime(double days);
    static std::string FormatShortDate(double days);
    static std::string FormatLongTime(double days);
    // Date and time; the time is left out when it is midnight.
    static std::string FormatDateTime(double days);
    // The local date and time now.
    static double Now();

    // A decimal integer (blanks around allowed); 0 when the text is not one.
    static int ReadInteger(const std::string& text);
    // A number with "." as the decimal separator; 0 when the text is not one.
    static double ReadFloat(const std::string& text);
    // "yyyy-mm-dd", "yyyy-mm-dd hh:nn[:ss]" or "hh:nn[:ss]"; 0 when the text is none of them
    // or a date outside the years 1 to 9999.
    static double ReadDateTime(const std::string& text);
};
