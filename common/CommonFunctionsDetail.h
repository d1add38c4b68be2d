#pragma once
// Small text helpers shared by the implementation files of
// TCommonFunctions and TParamList. Bytes of 128 and above are never letters.
#include <algorithm>
#include <cstdint>
#include <string>

namespace common_detail {

inline bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

inline bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), LowerAscii);
    return text;
}

inline std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return text;
}

inline bool SameText(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// Replaces every From in Text by To; the search goes on after each inserted To.
inline void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}

// A control character or space: what trimming removes.
inline bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Text without leading and trailing spaces and control characters.
inline std::string Trim(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first]))
        ++first;
    while (last > first && IsBlankOrControl(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// The UTF-8 bytes of code point Cp appended to Out.
inline void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace common_detail
