// Field values and Unix time texts.
#include "common/Base64.h"
#include "common/CommonFunctions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

using F = TCommonFunctions;

namespace {

// Runs with the local time zone set to TZ for the lifetime of the object.
class TTimeZone {
public:
    explicit TTimeZone(const char* tz)
    {
        const char* old = std::getenv("TZ");
        hadOld_ = old != nullptr;
        old_ = old ? old : "";
        ::setenv("TZ", tz, 1);
        ::tzset();
    }
    ~TTimeZone()
    {
        if (hadOld_)
            ::setenv("TZ", old_.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    bool hadOld_ = false;
    std::string old_;
};

}  // namespace

TEST(CommonFunctionsTime, BiasIsTheStandardOffset)
{
    TTimeZone zone("EST5EDT");  // five hours west, daylight saving not applied
    const F functions;
    EXPECT_EQ(functions.Bias(), 300);
    EXPECT_EQ(functions.DateTimeToUnixTime(25569), "18000");  // Bias * 60
    EXPECT_EQ(functions.DateTimeToUnixTime(0), "0");
    EXPECT_EQ(functions.DateTimeToUnixTime(25569.5), "61200");
    EXPECT_DOUBLE_EQ(functions.UnixTimeToDateTime("18000"), 25569);
    EXPECT_DOUBLE_EQ(functions.UnixTimeToDateTime("61200"), 25569.5);
    EXPECT_EQ(functions.UnixTimeToDateTime("0"), 0);
    EXPECT_EQ(functions.UnixTimeToDateTime("not a number"), 0);
    EXPECT_EQ(functions.UnixTimeToDateTime(""), 0);
}

TEST(CommonFunctionsTime, RoundTripAndRounding)
{
    TTimeZone zone("UTC-2");  // east of UTC: a negative bias
    const F functions;
    EXPECT_EQ(functions.Bias(), -120);
    EXPECT_EQ(functions.DateTimeToUnixTime(45000.25), "1678852800");
    EXPECT_EQ(functions.DateTimeToUnixTime(functions.UnixTimeToDateTime("1700000001")), "1700000001");
    EXPECT_EQ(functions.DateTimeToUnixTime(25569 + 7200.4 / 86400), "0");  // to whole seconds, no "-0"
    EXPECT_EQ(functions.DateTimeToUnixTime(1), "-2209082400");            // before 1970
}

// A date-time of whole seconds as the program's clock makes it (day number
// plus the seconds of the day) comes back from its Unix time as the same
// number, to the last bit: exported and imported tables keep their rows.
TEST(CommonFunctionsTime, WholeSecondsComeBackExactly)
{
    TTimeZone zone("UTC-2");
    const F functions;
    int differing = 0;
    for (int day : {1, 25568, 25569, 46367}) {
        for (int second = 0; second < 86400; second += 7) {
            const double written = day + second / 86400.0;
            const double read = functions.UnixTimeToDateTime(functions.DateTimeToUnixTime(written));
            differing += read != written;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(CommonFunctionsFields, TypeNames)
{
    struct Case { TFieldType type; const char* name; };
    const Case cases[] = {
        {TFieldType::String, "string"},   {TFieldType::Memo, "string"},
        {TFieldType::WideString, "string"}, {TFieldType::FmtMemo, "blob"},
        {TFieldType::FixedChar, "char"},  {TFieldType::Smallint, "smallint"},
        {TFieldType::Integer, "integer"}, {TFieldType::Word, "unknown"},
        {TFieldType::Boolean, "boolean"}, {TFieldType::Float, "float"},
        {TFieldType::Currency, "currency"}, {TFieldType::Date, "date"},
        {TFieldType::Time, "time"},       {TFieldType::DateTime, "datetime"},
        {TFieldType::Blob, "blob"},       {TFieldType::Graphic, "blob"},
        {TFieldType::TypedBinary, "blob"}, {TFieldType::Bytes, "bytes"},
        {TFieldType::VarBytes, "varbytes"}, {TFieldType::AutoInc, "auto-incrementing"},
        {TFieldType::Unknown, "unknown"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(F::GetFieldTypeName(c.type), c.name);
}

TEST(CommonFunctionsFields, SetFieldFromString)
{
    TTimeZone zone("UTC0");
    const F functions;
    using T = TFieldType;
    struct Case { T type; std::string text; std::optional<TVariant> value; const char* why; };
    const Case cases[] = {
        {T::Memo, "", TVariant(""), "texts unchanged, empty too"},
        {T::FixedChar, " x ", TVariant(" x "), "no trimming"},
        {T::Integer, "12.9", TVariant(std::int64_t{12}), "truncated toward zero"},
        {T::Smallint, "-7.9", TVariant(std::int64_t{-7}), "truncated toward zero"},
        {T::Word, "1e3", TVariant(std::int64_t{1000}), "any number form"},
        {T::Integer, "9007199254740993", TVariant(std::int64_t{9007199254740993}), "exact"},
        {T::Integer, "12,5", TVariant(std::int64_t{0}), "only \".\" separates decimals"},
        {T::Integer, "abc", TVariant(std::int64_t{0}), "not a number"},
        {T::Boolean, "TRUE", TVariant(true), "true in any case"},
        {T::Boolean, "1", TVariant(true), "one"},
        {T::Boolean, "yes", TVariant(false), "anything else is false"},
        {T::Float, "2.5", TVariant(2.5), "float"},
        {T::Currency, "x", TVariant(0.0), "not a number"},
        {T::Float, "inf", TVariant(0.0), "not a finite number"},
        {T::DateTime, "86400", TVariant(TDateTime{25570}), "Unix time"},
        {T::Date, "0", TVariant(TDateTime{0}), "no date"},
        {T::Blob, "", TVariant(), "an empty blob is Null"},
        {T::Graphic, "AAH/", TVariant(TBytes{std::string("\0\x01\xFF", 3)}), "Base64"},
        {T::Bytes, "AA==", std::nullopt, "nothing written"},
        {T::VarBytes, "AA==", std::nullopt, "nothing written"},
        {T::AutoInc, "5", std::nullopt, "nothing written"},
        {T::Unknown, "5", std::nullopt, "nothing written"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(functions.SetFieldFromString(c.type, c.text), c.value) << c.why;
}

TEST(CommonFunctionsFields, StringToVariant)
{
    TTimeZone zone("UTC0");
    const F functions;
    using T = TFieldType;
    EXPECT_EQ(functions.StringToVariant(T::String, ""), TVariant());  // empty gives Null for any type
    EXPECT_EQ(functions.StringToVariant(T::Integer, ""), TVariant());
    EXPECT_EQ(functions.StringToVariant(T::String, "abc"), TVariant("abc"));
    EXPECT_EQ(functions.StringToVariant(T::Integer, "3.7"), TVariant(std::int64_t{3}));
    EXPECT_EQ(functions.StringToVariant(T::Boolean, "true"), TVariant(true));
    EXPECT_EQ(functions.StringToVariant(T::Float, "0.25"), TVariant(0.25));
    EXPECT_EQ(functions.StringToVariant(T::Time, "43200"), TVariant(TDateTime{25569.5}));
    EXPECT_EQ(functions.StringToVariant(T::Blob, "AAAA"), TVariant());
    EXPECT_EQ(functions.StringToVariant(T::AutoInc, "1"), TVariant());
}

TEST(CommonFunctionsFields, VariantToString)
{
    EXPECT_EQ(F::VariantToString(TVariant()), "");
    EXPECT_EQ(F::VariantToString(TVariant("text")), "text");
    EXPECT_EQ(F::VariantToString(TVariant(std::int64_t{-42})), "-42");
    EXPECT_EQ(F::VariantToString(TVariant(0.1 + 0.2)), "0.3");
    EXPECT_EQ(F::VariantToString(TVariant(2.5)), "2.5");
    EXPECT_EQ(F::VariantToString(TVariant(true)), "True");
    EXPECT_EQ(F::VariantToString(TVariant(TDateTime{25569})), "1970-01-01");
    EXPECT_EQ(F::VariantToString(TVariant(TDateTime{45000.75})), "2023-03-15 18:00:00");
    EXPECT_EQ(F::VariantToString(TVariant(TBytes{"ab"})), "ab");
}

// Day numbers beyond the years 1 to 9999 (a damaged database or document)
// are written as the nearest day of them, never as a wrapped year.
TEST(CommonFunctionsFields, DatesOutOfRangeAreWrittenAsTheNearestDay)
{
    const struct {
        double days;
        const char* text;
    } cases[] = {
        {2958465.5, "9999-12-31 12:00:00"},
        {-693593.25, "0001-01-01 06:00:00"},
        {2958466.0, "9999-12-31 23:59:59"},
        {1e9, "9999-12-31 23:59:59"},
        {1e300, "9999-12-31 23:59:59"},
        {std::numeric_limits<double>::infinity(), "9999-12-31 23:59:59"},
        {-693594.0, "0001-01-01"},
        {-1e300, "0001-01-01"},
        {-std::numeric_limits<double>::infinity(), "0001-01-01"},
        {std::numeric_limits<double>::quiet_NaN(), "1899-12-30"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(F::VariantToString(TVariant(TDateTime{c.days})), c.text) << c.days;
}

// A Unix time text of a day beyond those years is read as no date.
TEST(CommonFunctionsTime, UnixTimesOutOfRangeReadAsNoDate)
{
    TTimeZone zone("UTC");
    const F functions;
    EXPECT_DOUBLE_EQ(functions.UnixTimeToDateTime("253402300799"), F::MaxDateTime) << "9999-12-31 23:59:59";
    EXPECT_DOUBLE_EQ(functions.UnixTimeToDateTime("-62135596800"), -693593.0) << "0001-01-01";
    for (const char* text : {"253402300800", "-62135683200", "1e300", "-1e300", "1e15"})
        EXPECT_EQ(functions.UnixTimeToDateTime(text), 0) << text;
}
