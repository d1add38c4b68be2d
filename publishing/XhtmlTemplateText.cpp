#include "publishing/XhtmlTemplateText.h"

#include "common/CommonFunctions.h"
#include "common/RegexPattern.h"

namespace xhtml_template {

namespace {

const char* const kXhtmlNamespace = "http://www.w3.org/1999/xhtml";
const char* const kDocType =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">";
const char* const kWrapOpen = "<xsl:text disable-output-escaping=\"yes\">";
const char* const kWrapClose = "</xsl:text>";

// Every match of Pattern replaced by what Replace makes of it.
template <typename F>
std::string ReplaceEach(const std::string& text, const TRegexPattern& pattern, F replace)
{
    std::string out;
    std::size_t last = 0;
    pattern.ForEachMatch(text, [&](const TRegexMatch& m) {
        out.append(text, last, m.Start() - last);
        out += replace(m);
        last = m.End();
    });
    out.append(text, last, std::string::npos);
    return out;
}

std::string ReplaceText(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

std::string ToXhtml(const std::string& source, int itemType, int colorScheme, int fontScheme)
{
    std::string text = TRegexPattern("<\\?xml[^>]*>").ReplaceAll(source, "");
    // Protected entities come back as plain references.
    const TRegexPattern wrapped(std::string(kWrapOpen) + "((&amp;[A-Za-z]{1,6};)+)" + kWrapClose);
    text = ReplaceEach(text, wrapped, [&](const TRegexMatch& m) { return ReplaceText(m.Group(text, 1), "&amp;", "&"); });
    text = TRegexPattern("<!--\\s*#BeginEditable\\s").ReplaceAll(text, "<!-- TemplateBeginEditable ");
    text = TRegexPattern("<!--\\s*#EndEditable\\s*-->").ReplaceAll(text, "<!-- TemplateEndEditable -->");
    text = TRegexPattern("<!--\\s*TemplateBeginEditable\\s*\"").ReplaceAll(text, "<!-- TemplateBeginEditable name=\"");
    text = TRegexPattern("<\\s*html\\s*>").ReplaceAll(text, std::string("<HTML xmlns=\"") + kXhtmlNamespace + "\">");
    text = TRegexPattern("<\\s*/html\\s*>").ReplaceAll(text, "</HTML>");
    if (itemType == 501 && (colorScheme != 0 || fontScheme != 0)) {
        TRegexMatch head(TRegexPattern("<head>"));
        const TRegexPattern headPattern("<head>");
        if (headPattern.Match(text, 0, head) > 0) {
            std::string links = kStartRemove;
            for (int scheme : {colorScheme, fontScheme})
                if (scheme != 0)
                    links += "<LINK REL=\"stylesheet\" TYPE=\"text/css\" TITLE=\"Style\" HREF=\"../css/" +
                             std::to_string(scheme) + ".css\"/>";
            links += kEndRemove;
            // After the first character that follows the tag (between CR and LF of a line end).
            const std::size_t at = std::min(text.size(), head.End() + 1);
            text.insert(at, links);
        }
    }
    return std::string(kDocType) + "\r\n" + text;
}

std::string FromXhtml(const std::string& xhtml)
{
    std::string text = TRegexPattern("<!DOCTYPE[^>]*>").ReplaceAll(xhtml, "");
    text = TRegexPattern(std::string("<HTML\\s+xmlns=\"") + kXhtmlNamespace + "\">").ReplaceAll(text, "<HTML>");
    // Each start marker with the nearest end marker after it.
    text = TRegexPattern("<!-- #tolvexstartremove -->.*?<!-- #tolvexendremove -->").ReplaceAll(text, "");
    TCommonFunctions::WrapNamedEntities(text);
    return text;
}

std::vector<std::string> LinkedStyleSheets(const std::string& text)
{
    std::vector<std::string> addresses;
    const TRegexPattern block("<!-- #tolvexstartremove -->(.*?)<!-- #tolvexendremove -->");
    const TRegexPattern link("<link\\s[^>]*?href\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>/]+))");
    block.ForEachMatch(text, [&](const TRegexMatch& b) {
        const std::string inner = b.Group(text, 1);
        link.ForEachMatch(inner, [&](const TRegexMatch& l) {
            for (int group : {2, 3, 4}) {
                const std::string value = l.Group(inner, group);
                if (!value.empty()) {
                    addresses.push_back(value);
                    break;
                }
            }
        });
    });
    return addresses;
}

std::string BaseName(const std::string& address)
{
    std::string name = address.substr(address.find_last_of("/\\") == std::string::npos
                                          ? 0
                                          : address.find_last_of("/\\") + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot);
}

}  // namespace xhtml_template
