#include "editors/site/html/SourceEditorMode.h"

#include "common/CommonFunctionsDetail.h"

#include "common/RegexPattern.h"

#include <algorithm>
#include <set>

namespace {

struct TModeRow {
    int mode;
    const char* defaultClass;
    TSourceColouring colouring;
};

constexpr TModeRow kRows[] = {
    {smDesign, "", TSourceColouring::Html},
    {smXml, "XmlData", TSourceColouring::Xml},
    {smCss, "CSSData", TSourceColouring::Css},
    {smJavaScript, "JavaScript", TSourceColouring::JavaScript},
    {smHtmlParams, "XmlData", TSourceColouring::Html},
    {smPhp, "PHPData", TSourceColouring::Php},
    {smAsp, "ASPData", TSourceColouring::Html},
    {smJsp, "JSPData", TSourceColouring::Html},
};

int ModeOf(const std::string& name, const std::string& classTag)
{
    // Tried in this order; the first that matches wins.
    if (name.rfind("CommonXmlSourcesEditor", 0) == 0)
        return smXml;
    if (name == "CommonCSSSourcesEditor")
        return smCss;
    if (name == "CommonPHPSourcesEditor" || classTag == "PHPData")
        return smPhp;
    if (name == "CommonASPSourcesEditor" || classTag == "ASPData")
        return smAsp;
    if (name == "CommonJSPSourcesEditor" || classTag == "JSPData")
        return smJsp;
    if (name == "CommonJavaScriptSourcesEditor")
        return smJavaScript;
    if (name == "CommonHtmlSourcesEditor")
        return smHtmlParams;
    return smDesign;
}

const char* const kMarker = R"(<!--\s*(#BeginEditable|TemplateBeginEditable)\s*)";

// Escapes the characters a PCRE2 pattern gives a meaning to.
std::string QuoteForPattern(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (std::string_view("\\^$.|?*+()[]{}/#-").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

TSourceEditorMode TSourceEditorMode::Choose(const std::string& pluginName, const std::string& classTag,
                                            const std::string& memberTag, bool onlyTop)
{
    TSourceEditorMode result;
    result.Mode = ModeOf(pluginName, classTag);
    const TModeRow& row = kRows[result.Mode];
    result.Colouring = row.colouring;
    if (result.Mode == smDesign) {
        result.TopOnly = onlyTop;
        return result;
    }
    result.ClassTag = classTag.empty() ? row.defaultClass : classTag;
    result.MemberTag = memberTag.empty() ? "SourceCode" : memberTag;
    result.TopOnly = true;
    result.XmlTools = result.Mode == smXml;
    return result;
}

std::string TSourceEditorMode::StoredText(const std::string& text) const
{
    if (Mode != smJsp)
        return text;
    const auto last = text.find_last_not_of(" \t\r\n");
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string TSourceEditorMode::StoredDesignPart(const std::string& text)
{
    return text == "\r\n" || text == "\n" ? std::string() : text;
}

std::vector<std::string> TSourceEditorMode::SectionNames(const std::string& text)
{
    static const TRegexPattern marker(std::string(kMarker) + "[^>]*>", roCaseless);
    std::set<std::string> names;
    marker.ForEachMatch(text, [&](const TRegexMatch& match) {
        std::string found = match.Group(text);
        for (std::size_t end; (end = found.find("-->")) != std::string::npos;)
            found.erase(end, 3);
        // The name follows the keyword; a "#BeginEditable" marker is read from
        // the same offset, which its shorter keyword and blank also reach.
        const std::size_t keyword = common_detail::LowerCase(found).find("templatebegineditable");
        const std::size_t from = keyword != std::string::npos ? keyword + 21 : 20;
        std::string name = from < found.size() ? common_detail::Trim(found.substr(from)) : std::string();
        std::erase(name, '"');
        if (!name.empty())
            names.insert(name);
    });
    return {names.begin(), names.end()};
}

long long TSourceEditorMode::FindSection(const std::string& text, const std::string& name)
{
    const TRegexPattern pattern(std::string(kMarker) + "\"" + QuoteForPattern(name) + "\"[^>]*>", roCaseless);
    TRegexMatch match(pattern);
    return pattern.Match(text, 0, match) > 0 ? static_cast<long long>(match.Start()) : -1;
}
