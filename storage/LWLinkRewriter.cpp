#include "storage/LWLinkRewriter.h"

#include "common/Exceptions.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

// One compiled expression; the map is chosen by the expression that matched,
// so that a link written in capitals ("../IMAGES/") still reaches its own map.
struct TLWLinkRewriter::TPattern {
    explicit TPattern(const char* pattern)
    {
        int error = 0;
        PCRE2_SIZE offset = 0;
        code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED,
                             PCRE2_CASELESS | PCRE2_DOTALL, &error, &offset, nullptr);
        if (!code)
            throw EDeveloperTolvexException(std::string("Cannot compile the link expression ") + pattern);
    }
    ~TPattern() { pcre2_code_free(code); }
    TPattern(const TPattern&) = delete;
    TPattern& operator=(const TPattern&) = delete;

    std::string ReplaceAll(const std::string& text, const TLWIdMap& map) const;

    pcre2_code* code = nullptr;
};

namespace {

class TMatchData {
public:
    explicit TMatchData(const pcre2_code* code) : data_(pcre2_match_data_create_from_pattern(code, nullptr))
    {
        if (!data_)
            throw ECriticalTolvexException("Out of memory");
    }
    ~TMatchData() { pcre2_match_data_free(data_); }
    TMatchData(const TMatchData&) = delete;
    TMatchData& operator=(const TMatchData&) = delete;
    pcre2_match_data* Get() const { return data_; }

private:
    pcre2_match_data* data_;
};

// The new id of a code as text, or the code itself when the map has none.
std::string MappedCode(const std::string& code, const TLWIdMap& map)
{
    const int id = map ? map(code) : 0;
    return (id == 0 || id == -1) ? code : std::to_string(id);
}

}  // namespace

std::string TLWLinkRewriter::TPattern::ReplaceAll(const std::string& text, const TLWIdMap& map) const
{
    TMatchData match(code);
    const auto subject = reinterpret_cast<PCRE2_SPTR>(text.data());
    std::string result;
    PCRE2_SIZE copied = 0;  // text before this offset is in result
    PCRE2_SIZE start = 0;
    while (start <= text.size()) {
        const int rc = pcre2_match(code, subject, text.size(), start, 0, match.Get(), nullptr);
        if (rc == PCRE2_ERROR_NOMATCH)
            break;
        if (rc < 0)
            throw ECriticalTolvexException("The links of a page text cannot be searched");
        const PCRE2_SIZE* range = pcre2_get_ovector_pointer(match.Get());
        result.append(text, copied, range[2] - copied);
        result += MappedCode(text.substr(range[2], range[3] - range[2]), map);
        copied = range[3];
        start = range[1];  // every expression matches at least one character
    }
    result.append(text, copied, std::string::npos);
    return result;
}

TLWLinkRewriter::TLWLinkRewriter(TLWIdMap objectIdMap, TLWIdMap pageIdMap, TLWIdMap imageIdMap)
    : objectIdMap_(std::move(objectIdMap)),
      pageIdMap_(std::move(pageIdMap)),
      imageIdMap_(std::move(imageIdMap)),
      images_(std::make_unique<TPattern>(R"(\.\.[/\\]images[/\\](.+?)\.)")),
      pages_(std::make_unique<TPattern>(R"(["/](\d+?)\.html)")),
      objects_(std::make_unique<TPattern>(R"(\.\.[/\\]objects[/\\](.+?)\.)"))
{
}

TLWLinkRewriter::~TLWLinkRewriter() = default;

std::string TLWLinkRewriter::Rewrite(const std::string& text) const
{
    std::string result = images_->ReplaceAll(text, imageIdMap_);
    result = pages_->ReplaceAll(result, pageIdMap_);
    return objects_->ReplaceAll(result, objectIdMap_);
}
