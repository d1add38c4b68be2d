#include "generation/ConverterXsl2Html.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/RegexPattern.h"
#include "common/WellKnownIds.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <string_view>

namespace {

// Start tag and end tag of an xsl:text element with output escaping disabled;
// the entity pattern matches exactly these texts (ignoring case) around
// its references, so their lengths frame the references.
constexpr std::size_t EntityStartTagLength = 40;  // <xsl:text disable-output-escaping="yes">
constexpr std::size_t EntityEndTagLength = 11;    // </xsl:text>

// The characters of "\s" in the patterns: blank, TAB, LF, VT, FF and CR.
bool IsPatternBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The position of the first character at or after Pos that is no blank; Limit at most.
std::size_t SkipPatternBlanks(const std::string& text, std::size_t pos, std::size_t limit)
{
    while (pos < limit && IsPatternBlank(text[pos]))
        ++pos;
    return pos;
}

bool StartsWithIgnoringCase(const std::string& text, std::size_t pos, std::string_view word)
{
    if (pos > text.size() || text.size() - pos < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) != std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
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
        return Compile(pattern).ReplaceAll(text, replacement);
    }

    // Finds the first match of Pattern at or after Start: its position and length.
    bool Find(const std::string& text, const char* pattern, std::size_t start, std::size_t& pos,
              std::size_t& length)
    {
        if (start > text.size())
            return false;
        const TRegexPattern& expression = Compile(pattern);
        TRegexMatch match(expression);
        const int rc = expression.Match(text, start, match);
        if (rc == TRegexPattern::NoMatch)
            return false;
        if (rc < 0)
            throw EDeveloperTolvexException("Regular expression failed: " + std::string(pattern));
        pos = match.Start();
        length = match.End() - match.Start();
        return true;
    }

private:
    const TRegexPattern& Compile(const char* pattern)
    {
        auto found = codes_.find(pattern);
        if (found != codes_.end())
            return found->second;
        return codes_.emplace(pattern, TRegexPattern(pattern, roCaseless | roDotAll | roDollarEndOnly))
            .first->second;
    }

    std::map<std::string, TRegexPattern> codes_;
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
        RemoveTrailingRegionComment();
        return true;
    }
    if (templateItemType == kMasterTemplateType) {
        text_ = e.ReplaceAll(text_, "^.*<xsl:template\\s*match=\"/\"\\s*>", "");
        text_ = e.ReplaceAll(text_, "</xsl:template>.*$", "");
        return true;
    }
    return false;
}

// The comment that opens an editable region, with a quoted region name,
// standing at the very end of the content (blanks may follow it), as the
// pattern <!--\s*(#BeginEditable|TemplateBeginEditable)\s*"[^>]*"\s*-->\s*$
// finds it. Found by hand, because the pattern, tried at every "<!--" of a
// text that does not end in such a comment, takes time in proportion to the
// square of the text's length: the comment ends with the text's last
// non-blank characters, '"' and "-->", and holds no ">", so it can only
// start after the last ">" before them; of the "<!--" there, the first one
// followed by the keyword and an opening quote is its start.
void TConverterXsl2Html::RemoveTrailingRegionComment()
{
    const std::string& text = text_;
    std::size_t end = text.size();
    while (end > 0 && IsPatternBlank(text[end - 1]))
        --end;
    if (end < 3 || text.compare(end - 3, 3, "-->") != 0)
        return;
    const std::size_t close = end - 3;
    std::size_t quote = close;
    while (quote > 0 && IsPatternBlank(text[quote - 1]))
        --quote;
    if (quote == 0 || text[quote - 1] != '"')
        return;
    const std::size_t closingQuote = quote - 1;
    const std::size_t lastGreater = close == 0 ? std::string::npos : text.rfind('>', close - 1);
    const std::size_t from = lastGreater == std::string::npos ? 0 : lastGreater + 1;
    for (std::size_t start = text.find("<!--", from); start < closingQuote; start = text.find("<!--", start + 1)) {
        std::size_t at = SkipPatternBlanks(text, start + 4, closingQuote);
        std::size_t keyword = 0;
        if (StartsWithIgnoringCase(text, at, "#BeginEditable"))
            keyword = std::strlen("#BeginEditable");
        else if (StartsWithIgnoringCase(text, at, "TemplateBeginEditable"))
            keyword = std::strlen("TemplateBeginEditable");
        else
            continue;
        at = SkipPatternBlanks(text, at + keyword, closingQuote);
        if (at < closingQuote && text[at] == '"') {
            text_.erase(start);
            return;
        }
    }
}

// Every match of the entity pattern, from the start of the text on, gives
// way to its references with "&amp;" turned into "&". A match never starts
// inside the references put in (they hold no "<"), so the search goes on
// behind each match in the original text, and the result is built in one pass.
void TConverterXsl2Html::UnwrapEntities()
{
    static const char* const pattern =
        "<xsl:text disable-output-escaping=\"yes\">(&amp;[A-Za-z]{1,6};){1,}</xsl:text>";
    std::string result;
    std::size_t done = 0;
    std::size_t pos = 0;
    std::size_t length = 0;
    while (entityExpression_->Find(text_, pattern, done, pos, length)) {
        std::string inner =
            text_.substr(pos + EntityStartTagLength, length - EntityStartTagLength - EntityEndTagLength);
        common_detail::ReplaceAll(inner, "&amp;", "&");
        result.append(text_, done, pos - done);
        result += inner;
        done = pos + length;
    }
    if (done == 0)
        return;
    result.append(text_, done, std::string::npos);
    text_ = std::move(result);
}
