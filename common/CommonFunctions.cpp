// TCommonFunctions: creation, identity, character sets, versions, other text
// and the number reading shared by the value conversions.
#include "common/CommonFunctions.h"

#include "common/CommonFunctionsDetail.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <map>

using namespace common_detail;

namespace {

// Up to Count characters from the 1-based position Pos; empty past the end.
std::string CopyText(const std::string& text, std::size_t pos, std::size_t count)
{
    return pos - 1 < text.size() ? text.substr(pos - 1, count) : std::string();
}

std::string StripSpaces(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

TCommonFunctions::TCommonFunctions() : random_(std::random_device{}())
{
    tzset();
    bias_ = static_cast<int>(timezone / 60);
}

int TCommonFunctions::RandomInt(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random_);
}

std::string TCommonFunctions::GetTickCountString()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// ---- number reading ------------------------------------------------------

bool TCommonFunctions::TryReadNumber(const std::string& text, double& value)
{
    std::string s = StripSpaces(text);
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    if (s.empty() || !(IsAsciiDigit(s[0]) || s[0] == '-' || s[0] == '.'))
        return false;  // no "inf" or "nan"
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool TCommonFunctions::TryReadInteger(const std::string& text, std::int64_t& value)
{
    std::string s = StripSpaces(text);
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, value);
    return !s.empty() && ec == std::errc() && ptr == end;
}

std::int64_t TCommonFunctions::ReadTruncatedInteger(const std::string& text)
{
    std::int64_t exact = 0;
    if (TryReadInteger(text, exact))
        return exact;
    double number = 0;
    if (!TryReadNumber(text, number))
        return 0;
    number = std::trunc(number);
    // Outside the 64-bit range the number cannot be stored: taken as no number.
    if (number < -9.2e18 || number > 9.2e18)
        return 0;
    return static_cast<std::int64_t>(number);
}

// ---- character sets ------------------------------------------------------

int TCommonFunctions::GetCharsetByName(const std::string& name)
{
    static const std::map<std::string, int> charsets = {
        {"ENGLISH", 0},       {"ANSI", 0},     {"SYMBOL", 2},     {"MACINTOSH", 77},
        {"JAPANESE", 128},    {"WANSUNG", 129}, {"JOHAB", 130},    {"GB2312", 134},
        {"CHINESEBIG5", 136}, {"GREEK", 161},  {"TURKISH", 162},  {"VIETNAMESE", 163},
        {"HEBREW", 177},      {"ARABIC", 178}, {"BALTIC", 186},   {"RUSSIAN", 204},
        {"THAI", 222},        {"EASTEUROPE", 238}, {"OEM", 255},
    };
    const auto found = charsets.find(UpperCase(Trim(name)));
    return found == charsets.end() ? 1 : found->second;
}

// ---- versions --------------------------------------------------------------

double TCommonFunctions::VersionValue(const std::string& version)
{
    double value = 0;
    double weight = 1000000;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = version.find('.', start);
        std::int64_t part = 0;
        if (!TryReadInteger(version.substr(start, dot - start), part))
            part = 0;
        value += static_cast<double>(part) * weight;
        if (dot == std::string::npos)
            return value;
        weight /= 1000;
        start = dot + 1;
    }
}

int TCommonFunctions::CompareVersions(const std::string& a, const std::string& b)
{
    const double valueA = VersionValue(a);
    const double valueB = VersionValue(b);
    if (valueA == valueB)
        return 0;
    return valueA > valueB ? 1 : -1;
}

// ---- other text --------------------------------------------------------------

std::string TCommonFunctions::FilterChars(const std::string& text, const std::string& charSet)
{
    std::string out;
    for (const char c : text)
        if (charSet.find(c) != std::string::npos)
            out += c;
    return out;
}

std::string TCommonFunctions::TrimRightBlanks(const std::string& text)
{
    const std::size_t last = text.find_last_not_of("\t\n\r ");
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

bool TCommonFunctions::IsValidEmail(const std::string& text)
{
    if (text.size() <= 2 || text[0] == '@' || !IsAsciiLetter(text.back()))
        return false;
    int atSigns = 0;
    for (const char c : text) {
        if (c == '@')
            ++atSigns;
        else if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '-' && c != '.' && c != '_')
            return false;
    }
    return atSigns == 1;
}

std::string TCommonFunctions::ColorToHex(std::int32_t color)
{
    char digits[16];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(color), 16);
    std::string hex = UpperCase(std::string(digits, end));
    if (hex.size() < 6)
        hex.insert(0, 6 - hex.size(), '0');
    return hex.substr(4, 2) + hex.substr(2, 2) + hex.substr(0, 2);
}

std::int32_t TCommonFunctions::HexToColor(const std::string& text)
{
    const std::string hex = CopyText(text, 5, 2) + CopyText(text, 3, 2) + CopyText(text, 1, 2);
    std::uint32_t value = 0;
    const char* end = hex.data() + hex.size();
    const auto [ptr, ec] = std::from_chars(hex.data(), end, value, 16);
    if (hex.empty() || ec != std::errc() || ptr != end)
        return 0;
    return static_cast<std::int32_t>(value);
}
