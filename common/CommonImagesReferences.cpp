// TCommonImages: image references in HTML text.
#include "common/CommonImages.h"

#include "common/CommonFunctionsDetail.h"
#include "common/RegexPattern.h"

#include <charconv>
#include <functional>

using namespace common_detail;

namespace {

// Case-insensitive, "." crossing lines, "^" and "$" at the start and end of
// the whole text.
TRegexPattern ImagePattern(const char* pattern)
{
    return TRegexPattern(pattern, roCaseless | roDotAll | roDollarEndOnly);
}

// Calls Found with the text of every match, left to right; stops at the
// first failure of the matcher (such as its backtracking limit).
void ForEachMatch(const TRegexPattern& pattern, const std::string& text,
                  const std::function<void(const std::string&)>& found)
{
    pattern.ForEachMatch(text, [&](const TRegexMatch& match) { found(match.Group(text)); });
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

// The value of the last Name attribute ("src=", "background=") of a tag:
// between quotes when it starts with one, else up to the first blank or ">".
std::string AttributeValue(const std::string& tag, const std::string& name)
{
    const std::size_t at = LowerCase(tag).rfind(name);
    if (at == std::string::npos)
        return std::string();
    std::string rest = tag.substr(at + name.size());
    if (!rest.empty() && rest.back() == '>')
        rest.pop_back();
    if (!rest.empty() && IsQuote(rest[0])) {
        const std::size_t close = rest.find(rest[0], 1);
        return rest.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    return rest.substr(0, end);
}

// The address inside "url(...)": blanks and quotes around it removed.
std::string UrlValue(const std::string& match)
{
    std::string value = match.substr(4, match.size() - 5);  // without "url(" and ")"
    std::size_t first = 0;
    while (first < value.size() && IsBlank(value[first]))
        ++first;
    if (first < value.size() && IsQuote(value[first]))
        ++first;
    std::size_t last = value.size();
    while (last > first && IsBlank(value[last - 1]))
        --last;
    if (last > first && IsQuote(value[last - 1]))
        --last;
    return value.substr(first, last - first);
}

void AddValue(std::vector<std::string>& list, const std::string& value)
{
    if (!value.empty())
        list.push_back(value);
}

// The number an entry's id stands for; 0 when it is none.
int EntryId(const std::string& text)
{
    const std::string trimmed = Trim(text);
    int id = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), id);
    return error == std::errc() && end == trimmed.data() + trimmed.size() ? id : 0;
}

struct TReplacement {
    std::string from;
    std::string to;
};

// Index of the longest replacement whose old text starts at Pos; -1 for none.
int LongestAt(const std::string& text, std::size_t pos, const std::vector<TReplacement>& replacements)
{
    int best = -1;
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        const std::string& from = replacements[i].from;
        if ((best < 0 || from.size() > replacements[best].from.size()) && text.compare(pos, from.size(), from) == 0)
            best = static_cast<int>(i);
    }
    return best;
}

}  // namespace

void TCommonImages::ExtractImageUrls(const std::string& html, std::vector<std::string>& list)
{
    static const TRegexPattern sources = ImagePattern(R"(<(img|input)\s+[^>]*src=[^>]*>)");
    static const TRegexPattern backgrounds = ImagePattern(R"(<[^>]*background=[^>]*>)");
    static const TRegexPattern urls = ImagePattern(R"(url\([^)]*\))");
    ForEachMatch(sources, html, [&](const std::string& tag) { AddValue(list, AttributeValue(tag, "src=")); });
    ForEachMatch(backgrounds, html, [&](const std::string& tag) { AddValue(list, AttributeValue(tag, "background=")); });
    ForEachMatch(urls, html, [&](const std::string& match) { AddValue(list, UrlValue(match)); });
}

std::string TCommonImages::ReplaceImageUrls(const std::string& html, const std::vector<std::string>& entries,
                                            TAbstractDBConnection& connection, const std::string& catalogCode)
{
    std::vector<TReplacement> replacements;
    for (const std::string& entry : entries) {
        const std::size_t equals = entry.find('=');
        const std::string from = equals == std::string::npos ? std::string() : entry.substr(equals + 1);
        if (from.empty())
            continue;  // an empty reference would match everywhere
        const std::string fileName = GetImageFileName(EntryId(entry.substr(0, equals)), connection, catalogCode);
        if (!fileName.empty())
            replacements.push_back({from, "../images/" + fileName});
    }
    if (replacements.empty())
        return html;

    std::string result;
    result.reserve(html.size());
    for (std::size_t pos = 0; pos < html.size();) {
        const int found = LongestAt(html, pos, replacements);
        if (found < 0) {
            result += html[pos++];
            continue;
        }
        result += replacements[found].to;
        pos += replacements[found].from.size();
    }
    return result;
}
