#include "common/Amount.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

// Blanks that may surround an amount or group its thousands: the space, the
// no-break space and the narrow no-break space (as UTF-8), and the tab.
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
constexpr std::string_view kNarrowNoBreakSpace = "\xE2\x80\xAF";

// The length of the blank at Pos, 0 when there is none.
std::size_t BlankAt(std::string_view text, std::size_t pos)
{
    if (text[pos] == ' ' || text[pos] == '\t')
        return 1;
    for (std::string_view blank : {kNoBreakSpace, kNarrowNoBreakSpace})
        if (text.substr(pos, blank.size()) == blank)
            return blank.size();
    return 0;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t blank = BlankAt(text, 0);
        if (blank == 0)
            break;
        text.remove_prefix(blank);
    }
    for (bool more = true; more && !text.empty();) {
        more = false;
        for (std::size_t size = 1; size <= 3 && size <= text.size(); ++size)
            if (BlankAt(text, text.size() - size) == size) {
                text.remove_suffix(size);
                more = true;
                break;
            }
    }
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text as runs of digits and the single separators between them
// ('.', ',' or 'g' for a blank or an apostrophe, which only group);
// false for any other character or two separators in a row.
bool Split(std::string_view body, std::vector<std::string>& runs, std::string& separators)
{
    runs.assign(1, std::string());
    for (std::size_t pos = 0; pos < body.size();) {
        const char c = body[pos];
        if (IsDigit(c)) {
            runs.back() += c;
            ++pos;
            continue;
        }
        char separator = 0;
        std::size_t size = 1;
        if (c == '.' || c == ',')
            separator = c;
        else if (c == '\'')
            separator = 'g';
        else if ((size = BlankAt(body, pos)) != 0)
            separator = 'g';
        else
            return false;
        // A separator needs digits before it, except a decimal mark that opens the amount (".5").
        if (runs.back().empty() && !(pos == 0 && separator != 'g'))
            return false;
        separators += separator;
        runs.emplace_back();
        pos += size;
    }
    return true;
}

// Whether the runs make thousands groups: the first of one to three digits, the others of three.
bool AreGroups(const std::vector<std::string>& runs, std::size_t count)
{
    if (count < 2)
        return true;
    if (runs[0].empty() || runs[0].size() > 3)
        return false;
    for (std::size_t i = 1; i < count; ++i)
        if (runs[i].size() != 3)
            return false;
    return true;
}

}  // namespace

std::string TAmount::ToText(double amount)
{
    if (!std::isfinite(amount))
        return {};
    if (amount == 0)
        return "0";
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, amount, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::optional<double> TAmount::Read(const std::string& text)
{
    std::string_view body = Trimmed(text);
    bool negative = false;
    if (!body.empty() && (body.front() == '-' || body.front() == '+')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    std::vector<std::string> runs;
    std::string separators;
    if (body.empty() || !Split(body, runs, separators))
        return std::nullopt;

    // Which separator marks the decimals: the last of "." and "," when both
    // are there (it must then come once), else the one that comes once.
    const auto count = [&](char c) { return std::count(separators.begin(), separators.end(), c); };
    char decimal = 0;
    if (count('.') > 0 && count(',') > 0)
        decimal = separators.find_last_of(".,") == separators.rfind('.') ? '.' : ',';
    else if (count('.') == 1)
        decimal = '.';
    else if (count(',') == 1)
        decimal = ',';
    if (decimal != 0 && (count(decimal) != 1 || separators.back() != decimal))
        return std::nullopt;

    // The other separators group, all with one mark.
    const std::size_t groupSeparators = separators.size() - (decimal != 0 ? 1 : 0);
    for (std::size_t i = 1; i < groupSeparators; ++i)
        if (separators[i] != separators[0])
            return std::nullopt;
    if (!AreGroups(runs, groupSeparators + 1))
        return std::nullopt;

    std::string number = negative ? "-" : "";
    for (std::size_t i = 0; i <= groupSeparators; ++i)
        number += runs[i];
    const std::string fraction = decimal != 0 ? runs.back() : std::string();
    if (number.empty() || number == "-")
        number += '0';
    if (runs.size() == 1 && runs[0].empty())
        return std::nullopt;
    if (decimal != 0 && runs[0].empty() && fraction.empty())
        return std::nullopt;  // "." alone
    if (!fraction.empty())
        number += "." + fraction;

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value == 0 ? 0.0 : value;
}

double TAmount::ReadOrZero(const std::string& text)
{
    return Read(text).value_or(0.0);
}

std::string TAmount::ToDisplayText(double amount)
{
    if (!std::isfinite(amount))
        return {};
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, amount, std::chars_format::fixed, 2);
    std::string plain(buffer, result.ptr);
    const bool negative = plain.front() == '-';
    if (negative)
        plain.erase(0, 1);
    const std::size_t point = plain.find('.');
    std::string whole = plain.substr(0, point);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), ",");
    std::string shown = whole + plain.substr(point);
    // A tiny negative amount rounds to zero, which has no sign.
    if (negative && shown.find_first_not_of("0.,") != std::string::npos)
        shown.insert(0, "-");
    return shown;
}
