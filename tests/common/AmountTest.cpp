#include "common/Amount.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

TEST(Amount, KeepsEveryDigitAndNoExponent)
{
    struct Case { double amount; const char* text; const char* why; };
    const Case cases[] = {
        {12499.99, "12499.99", "the cents stay (a \"%g\" form keeps 12500)"},
        {1234567.0, "1234567", "a million is no exponent (\"%g\": 1.23457e+06)"},
        {1e20, "100000000000000000000", "large amounts in full"},
        {0.125, "0.125", "more decimals than two stay"},
        {0.1 + 0.2, "0.30000000000000004", "the text reads back as the very number"},
        {-5.5, "-5.5", "a sign"},
        {0.0, "0", "zero"},
        {-0.0, "0", "minus zero is zero"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TAmount::ToText(c.amount), c.text) << c.why;
        EXPECT_EQ(TAmount::Read(TAmount::ToText(c.amount)), c.amount == 0 ? 0.0 : c.amount) << c.why;
    }
    EXPECT_EQ(TAmount::ToText(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(TAmount::ToText(std::numeric_limits<double>::infinity()), "");
}

TEST(Amount, ReadsWhatUsersType)
{
    struct Case { const char* text; std::optional<double> amount; const char* why; };
    const Case cases[] = {
        {"12499.99", 12499.99, "a point"},
        {"12499,99", 12499.99, "a comma"},
        {"12,499.99", 12499.99, "comma groups, point decimals"},
        {"12.499,99", 12499.99, "point groups, comma decimals"},
        {"12 499,99", 12499.99, "a blank groups"},
        {"12\xC2\xA0" "499,99", 12499.99, "a no-break space groups"},
        {"1'234.5", 1234.5, "an apostrophe groups"},
        {"1.234.567", 1234567.0, "one separator several times groups"},
        {"1,234,567", 1234567.0, "likewise with commas"},
        {"12,5", 12.5, "one separator once marks the decimals"},
        {"12,499", 12.499, "even with three digits after it"},
        {"  7 ", 7.0, "blanks around"},
        {".5", 0.5, "no whole part"},
        {"5.", 5.0, "no decimals after the mark"},
        {"-3,25", -3.25, "a sign"},
        {"+3", 3.0, "a plus sign"},
        {"", std::nullopt, "empty is no amount"},
        {"   ", std::nullopt, "blanks are no amount"},
        {".", std::nullopt, "a mark alone"},
        {"-", std::nullopt, "a sign alone"},
        {"1e5", std::nullopt, "no exponent"},
        {"12a", std::nullopt, "no letters"},
        {"EUR 5", std::nullopt, "no currency"},
        {"1.23.4", std::nullopt, "groups of three digits"},
        {"1,234.5,6", std::nullopt, "the last mark must be the only one of its kind"},
        {"1 234.567,89", std::nullopt, "one mark groups"},
        {"1..2", std::nullopt, "two marks in a row"},
        {",,", std::nullopt, "marks without digits"},
        {"1234,567.8", std::nullopt, "a first group of more than three digits"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TAmount::Read(c.text), c.amount) << c.text << ": " << c.why;
    EXPECT_EQ(TAmount::ReadOrZero("nonsense"), 0.0);
}

TEST(Amount, ReadsAndWritesAlikeInEveryLocale)
{
    // A process locale with a decimal comma changes neither form.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_EQ(TAmount::ToText(12499.99), "12499.99");
    EXPECT_EQ(TAmount::Read("12499.99"), 12499.99);
    EXPECT_EQ(TAmount::ToDisplayText(12499.99), "12,499.99");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Amount, ShowsTwoDecimalsGrouped)
{
    struct Case { double amount; const char* shown; };
    const Case cases[] = {
        {12499.99, "12,499.99"}, {1234567.0, "1,234,567.00"}, {0.5, "0.50"},  {999.999, "1,000.00"},
        {-1234.5, "-1,234.50"},  {-0.001, "0.00"},            {100.0, "100.00"}, {0.0, "0.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TAmount::ToDisplayText(c.amount), c.shown) << c.amount;
}
