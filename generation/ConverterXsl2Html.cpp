#include "generation/ConverterXsl2Html.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/RegexPattern.h"
#include "common/WellKnownIds.h"

#include <cstdint>
#include <map>

namespace {

// Start tag and end tag of an xsl:text element with output escaping disabled;
// the entity pattern matches exactly these texts (ignoring case) around
// its references, so their lengths frame the references.
constexpr std::size_t EntityStartTagLength = 40;  // <xsl:text disable-output-escaping="yes">
constexpr std::size_t EntityEndTagLength = 11;    // </xsl:text>

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
