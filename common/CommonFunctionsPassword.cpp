// TCommonFunctions: the scrambled form of stored passwords.
//
// This is an obfuscation, not encryption: it keeps passwords in the settings
// file and the catalog from being readable at a glance, nothing more. Anyone
// with the program (or this file) can unscramble them.
//
// Form: "$", two random digits (1-9, 0-9), N = length * 10 + key number + 30,
// "$", then Base64 without line breaks of: for every byte of the password
// XOR-ed with the key, a random byte and that byte; then 0 to 9 random bytes.
#include "common/CommonFunctions.h"

#include "common/Base64.h"

#include <charconv>

namespace {

// Keys 1 to 9. Scrambling picks one of 1 to 8; 9 is only accepted.
const char* const ScrambleKeys[] = {
    "3A7F0C19E24B4D6E8B51C2A0F97D13E5", "B84E21D07A3C4F95A6E8013C5D72B9F0",
    "6C1D93F4208E4AB7B3C5E71A0F6D482C", "E05A7B3D91C64F28A4D03B6E7C19F258",
    "9F2C6E01B4D84A73B1E95C2807A3D6F4", "4D8B0F63A2E14C59973A6D1C05B8E2F7",
    "A163E9C7045D4B82B0F47E5A9C2D3816", "17E4C0B95F3A42D1A8C6093E7B54DF0A",
    "C9305D8A1E6F47B3B52A8D0C64E1F7B9",
};

std::string RemoveLineBreaks(const std::string& text)
{
    std::string out;
    for (const char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

}  // namespace

std::string TCommonFunctions::XorWithKey(const std::string& text, const std::string& key)
{
    if (key.empty())
        return text;
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(out[i] ^ key[i % key.size()]);
    return out;
}

std::string TCommonFunctions::ScramblePassword(const std::string& plain)
{
    if (plain.empty())
        return std::string();
    const int keyNumber = RandomInt(1, 8);
    const std::string mixed = XorWithKey(plain, ScrambleKeys[keyNumber - 1]);

    std::string padded;
    for (const char c : mixed) {
        padded += static_cast<char>(RandomInt(0, 254));
        padded += c;
    }
    for (int extra = RandomInt(0, 9); extra > 0; --extra)
        padded += static_cast<char>(RandomInt(0, 254));

    const long long number = static_cast<long long>(plain.size()) * 10 + keyNumber + 30;
    std::string scrambled = "$";
    scrambled += static_cast<char>('0' + RandomInt(1, 9));
    scrambled += static_cast<char>('0' + RandomInt(0, 9));
    scrambled += std::to_string(number);
    scrambled += '$';
    scrambled += RemoveLineBreaks(Base64Encode(padded));
    return scrambled;
}

std::string TCommonFunctions::UnscramblePassword(const std::string& text)
{
    if (text.empty() || text[0] != '$')
        return text;
    const std::size_t second = text.find('$', 1);
    if (second == std::string::npos || second <= 3)
        return text;

    long long number = 0;
    const char* first = text.data() + 3;
    const char* last = text.data() + second;
    const auto [ptr, ec] = std::from_chars(first, last, number);
    if (ec != std::errc() || ptr != last || number == 0)
        return text;

    const long long length = (number - 30) / 10;
    const long long keyNumber = number % 10;
    if (keyNumber < 1 || keyNumber > 9 || length < 1)
        return text;

    const std::string padded = Base64Decode(text.substr(second + 1));
    if (static_cast<long long>(padded.size()) < 2 * length)
        return text;
    std::string mixed;
    for (long long i = 0; i < length; ++i)
        mixed += padded[static_cast<std::size_t>(2 * i + 1)];
    return XorWithKey(mixed, ScrambleKeys[keyNumber - 1]);
}
