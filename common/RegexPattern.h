#pragma once
// Regular expressions of the program: PCRE2 patterns matched byte by byte
// (no UTF-8 mode, so any bytes of a page or template can be searched), with
// the options each caller asks for. A pattern is compiled once and owned by
// its TRegexPattern; a TRegexMatch holds the positions of one match.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

struct pcre2_real_code_8;
struct pcre2_real_match_data_8;

enum TRegexOption : unsigned {
    roCaseless = 1,       // letters match without regard to case
    roDotAll = 2,         // "." matches line breaks too
    roDollarEndOnly = 4,  // "$" only at the very end of the text, not before a final line break
};

class TRegexMatch;

class TRegexPattern {
public:
    // The matcher's answer when there is no match.
    static constexpr int NoMatch = -1;

    // Throws EDeveloperTolvexException when Pattern does not compile.
    explicit TRegexPattern(const std::string& pattern, unsigned options = roCaseless | roDotAll);
    ~TRegexPattern();
    TRegexPattern(TRegexPattern&&) noexcept;
    TRegexPattern& operator=(TRegexPattern&&) noexcept;

    const std::string& Pattern() const { return pattern_; }

    // Searches Text from byte Start: above 0 when Match holds a match,
    // NoMatch when there is none, another negative code when the matcher
    // failed (such as on its backtracking limit).
    int Match(const std::string& text, std::size_t start, TRegexMatch& match) const;

    // Calls Found for every match from left to right; after an empty match
    // the search goes on one byte further. Returns 0 after the last match, or
    // the matcher's negative code when it failed.
    int ForEachMatch(const std::string& text, const std::function<void(const TRegexMatch&)>& found) const;

    // Text with every match replaced by Replacement, taken literally. Throws
    // EDeveloperTolvexException when the matcher fails.
    std::string ReplaceAll(const std::string& text, const std::string& replacement) const;

private:
    friend class TRegexMatch;
    struct TCodeFree {
        void operator()(pcre2_real_code_8* code) const;
    };

    std::string pattern_;
    std::unique_ptr<pcre2_real_code_8, TCodeFree> code_;
};

class TRegexMatch {
public:
    // Room for the groups of Pattern; throws ECriticalTolvexException when
    // there is no memory for it.
    explicit TRegexMatch(const TRegexPattern& pattern);
    ~TRegexMatch();
    TRegexMatch(const TRegexMatch&) = delete;
    TRegexMatch& operator=(const TRegexMatch&) = delete;

    // Byte offsets of the whole match (group 0) or of a captured group.
    std::size_t Start(int group = 0) const;
    std::size_t End(int group = 0) const;
    // The text of that group in the searched Text.
    std::string Group(const std::string& text, int group = 0) const;

private:
    friend class TRegexPattern;
    pcre2_real_match_data_8* data_;
};
