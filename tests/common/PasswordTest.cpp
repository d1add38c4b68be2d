#include "common/Base64.h"
#include "common/CommonFunctions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The number N of a scrambled text: between the two digits and the second "$".
std::string NumberOf(const std::string& scrambled)
{
    return scrambled.substr(3, scrambled.find('$', 1) - 3);
}

}  // namespace

TEST(PasswordScrambling, RoundTripWithDifferentTexts)
{
    TCommonFunctions functions;
    const std::vector<std::string> passwords = {"a", "secret", "p@ss w0rd$", "\xC3\xA9t\xC3\xA9",
                                                std::string(200, 'x')};
    for (const std::string& plain : passwords) {
        const std::string first = functions.ScramblePassword(plain);
        const std::string second = functions.ScramblePassword(plain);
        EXPECT_NE(first, second);
        EXPECT_EQ(TCommonFunctions::UnscramblePassword(first), plain);
        EXPECT_EQ(TCommonFunctions::UnscramblePassword(second), plain);
        for (const char c : first)
            EXPECT_TRUE(c > ' ' && c < 127) << "printable";
        EXPECT_EQ(first.find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(functions.ScramblePassword(""), "");
}

TEST(PasswordScrambling, Form)
{
    TCommonFunctions functions;
    bool sawKey4 = false;
    for (int i = 0; i < 500 && !sawKey4; ++i) {
        const std::string scrambled = functions.ScramblePassword("0123456789");
        ASSERT_EQ(scrambled[0], '$');
        ASSERT_TRUE(scrambled[1] >= '1' && scrambled[1] <= '9');
        ASSERT_TRUE(scrambled[2] >= '0' && scrambled[2] <= '9');
        const int number = std::stoi(NumberOf(scrambled));
        ASSERT_TRUE(number >= 131 && number <= 138) << "key 9 is never chosen";
        const std::string padded = Base64Decode(scrambled.substr(scrambled.find('$', 1) + 1));
        ASSERT_GE(padded.size(), 20u);
        ASSERT_LE(padded.size(), 29u);
        sawKey4 = number == 134;  // 10 characters, key 4
    }
    EXPECT_TRUE(sawKey4);
}

TEST(PasswordScrambling, KnownTextWithKey9)
{
    // Built by hand: "ab" with key 9 ("C9...": 'C' and '9'), padding bytes 'Z'.
    const std::string padded = std::string("Z") + char('a' ^ 'C') + "Z" + char('b' ^ '9') + "ZZZ";
    const std::string text = "$xy59$" + Base64Encode(padded);
    EXPECT_EQ(TCommonFunctions::UnscramblePassword(text), "ab");  // any two characters after "$"
}

TEST(PasswordScrambling, MalformedTextsComeBackUnchanged)
{
    TCommonFunctions functions;
    const std::string good = functions.ScramblePassword("secret");  // 6 characters
    const std::string number = NumberOf(good);
    const std::string base64 = good.substr(good.find('$', 1) + 1);
    const std::string tooShort = "$12" + number + "$" + Base64Encode(Base64Decode(base64).substr(0, 11));
    const std::string cases[] = {
        "plain password",
        "$1290",                       // no second "$"
        "$12100$" + base64,            // number ends in 0: no key
        "$12" + number + "x$" + base64, // number is not decimal
        "$120$" + base64,              // number 0
        "$12$" + base64,               // no number
        "$$1$" + base64,
        "$1225$" + base64,             // length 0
        tooShort,                      // fewer than twice the length of bytes
        "",
    };
    for (const std::string& text : cases)
        EXPECT_EQ(TCommonFunctions::UnscramblePassword(text), text) << text;
}

TEST(PasswordScrambling, XorWithKey)
{
    EXPECT_EQ(TCommonFunctions::XorWithKey(std::string("\x01\x02\x03", 3), "AB"),
              std::string("\x40\x40\x42", 3));
    EXPECT_EQ(TCommonFunctions::XorWithKey(TCommonFunctions::XorWithKey("text", "key"), "key"), "text");
}
