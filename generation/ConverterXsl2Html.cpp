#include "generation/ConverterXsl2Html.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/WellKnownIds.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdint>
#include <map>

namespace {

// Start tag and end tag of an xsl:text element with output escaping disabled;
// the entity pattern matches exactly these texts (ignoring case) around
// its references, so their lengths frame the references.
constexpr std::size_t EntityStartTagLength = 40;  // <xsl:text disable-output-escaping="yes">
constexpr std::size_t EntityEndTagLength = 11;    // </xsl:text>

struct TCodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct TMatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using TCode = std::unique_ptr<pcre2_code, TCodeDeleter>;
using TMatchData = std::unique_ptr<pcre2_match_data, TMatchDataDeleter>;

PCRE2_SPTR Subject(const std::string& text)
{
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

}  // namespace

// A regular-expression object with the converter's settings: ignore case,
// "." matches line breaks, "^" and "$" anchor at the ends of the whole text
// only. Patterns are compiled on first use and kept.
class TConverterXsl2Html::TExpression {
public:
    // Text with every match of Pattern replaced by Replacement (taken literally).
    std::string ReplaceAll(const std::string& text, const char* pattern,
                           const std::string& replacement)
    {
        const pcre2_code* code = Compile(pattern);
        const std::uint32_t options = PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_LITERAL |
                                      PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;
        std::string result(text.size() + 64, '\0');
        for (;;) {
            PCRE2_SIZE length = result.size();
            const int rc = pcre2_substitute(
                code, Subject(text), text.size(), 0, options, nullptr, nullptr,
                reinterpret_cast<PCRE2_SPTR>(replacement.data()), replacement.size(),
                reinterpret_cast<PCRE2_UCHAR*>(result.data()), &length);
            if (rc == PCRE2_ERROR_NOMEMORY) {
                result.resize(length);
                continue;
            }
            if (rc < 0)
                throw EDeveloperTolvexException("Regular expression failed: " + std::string(pattern));
            result.resize(length);
            return result;
        }
    }

    // Finds the first match of Pattern at or after Start: its position and length.
    bool Find(const std::string& text, const char* pattern, std::size_t start, std::size_t& pos,
              std::size_t& length)
    {
        if (start > text.size())
            return false;
        const pcre2_code* code = Compile(pattern);
        TMatchData match(pcre2_match_data_create_from_pattern(code, nullptr));
        if (!match)
            throw EDeveloperTolvexException("Out of memory for a regular expression match");
        const int rc = pcre2_match(code, Subject(text), text.size(), start, 0, match.get(), nullptr);
        if (rc == PCRE2_ERROR_NOMATCH)
            return false;
        if (rc < 0)
            throw EDeveloperTolvexException("Regular expression failed: " + std::string(pattern));
        const PCRE2_SIZE* range = pcre2_get_ovector_pointer(match.get());
        pos = range[0];
        length = range[1] - range[0];
        return true;
    }

private:
    const pcre2_code* Compile(const char* pattern)
    {
        auto found = codes_.find(pattern);
        if (found != codes_.end())
            return found->second.get();
        int error = 0;
        PCRE2_SIZE offset = 0;
        TCode code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED,
                                 PCRE2_CASELESS | PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY, &error,
                                 &offset, nullptr));
        if (!code)
            throw EDeveloperTolvexException("Invalid regular expression: " + std::string(pattern));
        return codes_.emplace(pattern, std::move(code)).first->second.get();
    }

    std::map<std::string, TCode> codes_;
};

TConverterXsl2Html::TConverterXsl2Html()
    : expression_(std::make_unique<TExpression>()),
      entityExpression_(std::make_unique<TExpression>())
{
}

TConverterXsl2Html::~TConverterXsl2Html() = default;

void TConverterXsl2Html::Convert(const std::string& xsl, int templateItemType, std::string& html)
{
    text_ = xsl;
    if (!CutContent(templateItemType)) {
        text_.clear();
        html.clear();
        return;
    }
    UnwrapEntities();
    text_ = expression_->ReplaceAll(text_, "<xsl:", "<bdo xsl=");
    text_ = expression_->ReplaceAll(text_, "</xsl:[^>]*>", "</bdo>");
    html = text_;
}

bool TConverterXsl2Html::CutContent(int templateItemType)
{
    TExpression& e = *expression_;
    if (templateItemType == kBodyTemplateType) {
        text_ = e.ReplaceAll(text_, "^.*<xsl:template\\s*name=\"body\"\\s*>", "");
        text_ = e.ReplaceAll(text_, "</xsl:template>.*$", "");
        // Editable-region comments of design tools standing right at the
        // start and at the very end of the content.
        text_ = e.ReplaceAll(text_, "^<!--\\s*(#EndEditable|TemplateEndEditable)\\s*-->\\s*", "");
        text_ = e.ReplaceAll(
            text_, "<!--\\s*(#BeginEditable|TemplateBeginEditable)\\s*\"[^>]*\"\\s*-->\\s*$", "");
        return true;
    }
    if (templateItemType == kMasterTemplateType) {
        text_ = e.ReplaceAll(text_, "^.*<xsl:template\\s*match=\"/\"\\s*>", "");
        text_ = e.ReplaceAll(text_, "</xsl:template>.*$", "");
        return true;
    }
    return false;
}

void TConverterXsl2Html::UnwrapEntities()
{
    static const char* const pattern =
        "<xsl:text disable-output-escaping=\"yes\">(&amp;[A-Za-z]{1,6};){1,}</xsl:text>";
    std::size_t start = 0;
    std::size_t pos = 0;
    std::size_t length = 0;
    while (entityExpression_->Find(text_, pattern, start, pos, length)) {
        std::string inner =
            text_.substr(pos + EntityStartTagLength, length - EntityStartTagLength - EntityEndTagLength);
        common_detail::ReplaceAll(inner, "&amp;", "&");
        text_ = text_.substr(0, pos) + inner + text_.substr(pos + length);
        start = pos + 1;
    }
}
