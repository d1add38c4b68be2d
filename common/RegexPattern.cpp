#include "common/RegexPattern.h"

#include "common/Exceptions.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdint>

namespace {

PCRE2_SPTR Subject(const std::string& text)
{
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

std::uint32_t CompileOptions(unsigned options)
{
    std::uint32_t flags = 0;
    if (options & roCaseless)
        flags |= PCRE2_CASELESS;
    if (options & roDotAll)
        flags |= PCRE2_DOTALL;
    if (options & roDollarEndOnly)
        flags |= PCRE2_DOLLAR_ENDONLY;
    return flags;
}

}  // namespace

void TRegexPattern::TCodeFree::operator()(pcre2_real_code_8* code) const
{
    pcre2_code_free(code);
}

TRegexPattern::TRegexPattern(const std::string& pattern, unsigned options) : pattern_(pattern)
{
    int error = 0;
    PCRE2_SIZE offset = 0;
    code_.reset(pcre2_compile(Subject(pattern), pattern.size(), CompileOptions(options), &error, &offset, nullptr));
    if (!code_)
        throw EDeveloperTolvexException("Invalid regular expression: " + pattern);
}

TRegexPattern::~TRegexPattern() = default;
TRegexPattern::TRegexPattern(TRegexPattern&&) noexcept = default;
TRegexPattern& TRegexPattern::operator=(TRegexPattern&&) noexcept = default;

int TRegexPattern::Match(const std::string& text, std::size_t start, TRegexMatch& match) const
{
    if (start > text.size())
        return NoMatch;
    return pcre2_match(code_.get(), Subject(text), text.size(), start, 0, match.data_, nullptr);
}

int TRegexPattern::ForEachMatch(const std::string& text,
                                const std::function<void(const TRegexMatch&)>& found) const
{
    TRegexMatch match(*this);
    std::size_t start = 0;
    for (;;) {
        const int rc = Match(text, start, match);
        if (rc == NoMatch)
            return 0;
        if (rc < 0)
            return rc;
        found(match);
        start = match.End() > match.Start() ? match.End() : match.End() + 1;
    }
}

std::string TRegexPattern::ReplaceAll(const std::string& text, const std::string& replacement) const
{
    const std::uint32_t options =
        PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_LITERAL | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;
    std::string result(text.size() + 64, '\0');
    for (;;) {
        PCRE2_SIZE length = result.size();
        const int rc = pcre2_substitute(code_.get(), Subject(text), text.size(), 0, options, nullptr, nullptr,
                                        Subject(replacement), replacement.size(),
                                        reinterpret_cast<PCRE2_UCHAR*>(result.data()), &length);
        if (rc == PCRE2_ERROR_NOMEMORY) {
            result.resize(length);
            continue;
        }
        if (rc < 0)
            throw EDeveloperTolvexException("Regular expression failed: " + pattern_);
        result.resize(length);
        return result;
    }
}

TRegexMatch::TRegexMatch(const TRegexPattern& pattern)
    : data_(pcre2_match_data_create_from_pattern(pattern.code_.get(), nullptr))
{
    if (!data_)
        throw ECriticalTolvexException("Out of memory");
}

TRegexMatch::~TRegexMatch()
{
    pcre2_match_data_free(data_);
}

std::size_t TRegexMatch::Start(int group) const
{
    return pcre2_get_ovector_pointer(data_)[2 * group];
}

std::size_t TRegexMatch::End(int group) const
{
    return pcre2_get_ovector_pointer(data_)[2 * group + 1];
}

std::string TRegexMatch::Group(const std::string& text, int group) const
{
    const std::size_t start = Start(group);
    const std::size_t end = End(group);
    return start <= end && end <= text.size() ? text.substr(start, end - start) : std::string();
}
