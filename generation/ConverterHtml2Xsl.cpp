#include "generation/ConverterHtml2Xsl.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/RegexPattern.h"
#include "common/WellKnownIds.h"
#include "common/XmlPtr.h"
#include "generation/ConverterXsl2Html.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>

using namespace common_detail;

namespace {

constexpr const char* kXslNamespace = "http://www.w3.org/1999/XSL/Transform";

// A name XML allows for an element or an attribute (with a prefix or not):
// a letter, "_" or ":" first, then letters, digits, "-", "_", "." and ":";
// bytes of non-ASCII characters count as letters.
bool IsXmlName(const std::string& name)
{
    if (name.empty())
        return false;
    const auto letter = [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
    };
    if (!letter(static_cast<unsigned char>(name[0])))
        return false;
    for (unsigned char c : name)
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.')
            return false;
    return true;
}

// Where the edited part of a template's text starts and ends: the content of
// the template the forward conversion cuts out (the last start tag of that
// template, up to the first end tag of a template after it).
bool FindContent(const std::string& xsl, int templateItemType, std::size_t& start, std::size_t& end)
{
    static const TRegexPattern body("^.*<xsl:template\\s*name=\"body\"\\s*>", roCaseless | roDotAll);
    static const TRegexPattern master("^.*<xsl:template\\s*match=\"/\"\\s*>", roCaseless | roDotAll);
    const TRegexPattern* opening = nullptr;
    if (templateItemType == kBodyTemplateType)
        opening = &body;
    else if (templateItemType == kMasterTemplateType)
        opening = &master;
    else
        return false;
    TRegexMatch match(*opening);
    if (opening->Match(xsl, 0, match) <= 0)
        return false;
    start = match.End();
    static const TRegexPattern closing("</xsl:template>", roCaseless);
    TRegexMatch closed(closing);
    if (closing.Match(xsl, start, closed) <= 0)
        return false;
    end = closed.Start();
    return true;
}

std::string QualifiedName(const xmlNs* ns, const xmlChar* name)
{
    std::string result;
    if (ns && ns->prefix)
        result = std::string(reinterpret_cast<const char*>(ns->prefix)) + ":";
    return result + reinterpret_cast<const char*>(name);
}

// The spelling the template gives each name, found by its lower-case form.
// A name the template spells in two ways has no spelling of its own: the
// parser's form stays (and the round trip tells whether that is right).
class TSpellings {
public:
    void Collect(const std::string& xsl)
    {
        TXmlDocPtr doc(xmlReadMemory(xsl.data(), static_cast<int>(xsl.size()), nullptr, nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
        if (doc)
            Walk(xmlDocGetRootElement(doc.get()));
    }
    std::string Of(const std::string& name) const
    {
        const auto found = spellings_.find(LowerCase(name));
        return found == spellings_.end() || ambiguous_.count(found->first) ? name : found->second;
    }

private:
    void Add(const std::string& name)
    {
        const auto [at, added] = spellings_.emplace(LowerCase(name), name);
        if (!added && at->second != name)
            ambiguous_.insert(at->first);
    }
    void Walk(xmlNode* node)
    {
        for (; node; node = node->next) {
            if (node->type != XML_ELEMENT_NODE)
                continue;
            Add(QualifiedName(node->ns, node->name));
            for (xmlAttr* a = node->properties; a; a = a->next)
                Add(QualifiedName(a->ns, a->name));
            for (xmlNs* ns = node->nsDef; ns; ns = ns->next)
                Add(ns->prefix ? "xmlns:" + std::string(reinterpret_cast<const char*>(ns->prefix)) : "xmlns");
            Walk(node->children);
        }
    }

    std::map<std::string, std::string> spellings_;
    std::set<std::string> ambiguous_;
};

// Named entities of HTML (up to six letters, as the forward conversion
// unwraps them) and their characters.
const std::map<std::string, std::uint32_t>& HtmlEntities()
{
    static const std::map<std::string, std::uint32_t> entities = {
        {"nbsp", 160},   {"iexcl", 161},  {"cent", 162},   {"pound", 163},  {"curren", 164}, {"yen", 165},
        {"brvbar", 166}, {"sect", 167},   {"uml", 168},    {"copy", 169},   {"ordf", 170},   {"laquo", 171},
        {"not", 172},    {"shy", 173},    {"reg", 174},    {"macr", 175},   {"deg", 176},    {"plusmn", 177},
        {"sup2", 178},   {"sup3", 179},   {"acute", 180},  {"micro", 181},  {"para", 182},   {"middot", 183},
        {"cedil", 184},  {"sup1", 185},   {"ordm", 186},   {"raquo", 187},  {"frac14", 188}, {"frac12", 189},
        {"frac34", 190}, {"iquest", 191}, {"times", 215},  {"divide", 247}, {"ensp", 8194},  {"emsp", 8195},
        {"thinsp", 8201}, {"zwnj", 8204}, {"zwj", 8205},   {"lrm", 8206},   {"rlm", 8207},   {"ndash", 8211},
        {"mdash", 8212}, {"lsquo", 8216}, {"rsquo", 8217}, {"sbquo", 8218}, {"ldquo", 8220}, {"rdquo", 8221},
        {"bdquo", 8222}, {"dagger", 8224}, {"Dagger", 8225}, {"bull", 8226}, {"hellip", 8230}, {"permil", 8240},
        {"prime", 8242}, {"Prime", 8243}, {"lsaquo", 8249}, {"rsaquo", 8250}, {"euro", 8364}, {"trade", 8482},
        {"larr", 8592},  {"uarr", 8593},  {"rarr", 8594},  {"darr", 8595},  {"harr", 8596},  {"minus", 8722},
    };
    return entities;
}

// The attributes XSLT 1.0 gives its elements (all of them in one list):
// another attribute without a prefix on an XSL element, such as a style
// the design view put on it, makes no style sheet.
bool IsXsltAttribute(const std::string& name)
{
    static const std::set<std::string> names = {
        "name", "select", "test", "match", "mode", "priority", "use-attribute-sets", "namespace", "terminate",
        "disable-output-escaping", "value", "level", "count", "from", "format", "lang", "letter-value",
        "grouping-separator", "grouping-size", "data-type", "order", "case-order", "href", "version", "id",
        "exclude-result-prefixes", "extension-element-prefixes", "elements", "method", "encoding",
        "omit-xml-declaration", "standalone", "doctype-public", "doctype-system", "cdata-section-elements", "indent",
        "media-type", "use", "stylesheet-prefix", "result-prefix", "decimal-separator", "infinity", "minus-sign",
        "NaN", "percent", "per-mille", "zero-digit", "digit", "pattern-separator"};
    return names.count(name) > 0 || name.find(':') != std::string::npos;
}

// The characters of the named entities the template's content writes as
// escaped xsl:text (UTF-8 form to entity name): they go back into that form.
std::map<std::string, std::string> WrappedEntities(const std::string& content)
{
    std::map<std::string, std::string> result;
    static const TRegexPattern wrapped(
        "<xsl:text disable-output-escaping=\"yes\">((&amp;[A-Za-z]{1,6};)+)</xsl:text>", roCaseless);
    wrapped.ForEachMatch(content, [&](const TRegexMatch& match) {
        const std::string references = match.Group(content, 1);
        for (std::size_t at = references.find("&amp;"); at != std::string::npos;
             at = references.find("&amp;", at + 1)) {
            const std::size_t semicolon = references.find(';', at + 5);
            const std::string name = references.substr(at + 5, semicolon - at - 5);
            const auto entity = HtmlEntities().find(name);
            if (entity != HtmlEntities().end()) {
                std::string character;
                AppendUtf8(character, entity->second);
                result.emplace(character, name);
            }
        }
    });
    return result;
}

// Line breaks and tabs in values are written as they are: the template's
// own text had them so (XML reads them as blanks, as it read the template).
void AppendEscaped(std::string& out, const std::string& text, bool attribute)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        default:
            out += c;
        }
    }
}

// The length of the UTF-8 character at Pos (1 for a stray byte).
std::size_t CharLength(const std::string& text, std::size_t pos)
{
    const auto c = static_cast<unsigned char>(text[pos]);
    std::size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return pos + length <= text.size() ? length : 1;
}

class TWriter {
public:
    TWriter(const TSpellings& spellings, std::map<std::string, std::string> entities,
            std::vector<std::string>& rejected)
        : spellings_(spellings), entities_(std::move(entities)), rejected_(rejected)
    {
    }

    void Node(const TDesignNode& node, std::string& out, bool inXslText)
    {
        switch (node.Kind) {
        case TDesignNode::TKind::Text:
            Text(node.Value, out, inXslText);
            return;
        case TDesignNode::TKind::Comment:
            // XML does not allow "--" inside a comment, nor one that ends in "-".
            if (node.Value.find("--") != std::string::npos || (!node.Value.empty() && node.Value.back() == '-')) {
                Reject("<!--" + node.Value + "-->");
                return;
            }
            out += "<!--" + node.Value + "-->";
            return;
        case TDesignNode::TKind::Element:
            Element(node, out);
            return;
        }
    }

    void Children(const TDesignNode& node, std::string& out, bool inXslText)
    {
        for (const TDesignNode& child : node.Children)
            Node(child, out, inXslText);
    }

private:
    void Reject(const std::string& name)
    {
        for (const std::string& known : rejected_)
            if (known == name)
                return;
        rejected_.push_back(name);
    }

    void Element(const TDesignNode& node, std::string& out)
    {
        std::string name;
        const std::string* xslName = nullptr;
        if (LowerCase(node.Name) == "bdo")
            for (const auto& [attribute, value] : node.Attributes)
                if (LowerCase(attribute) == "xsl" && TCommonFunctions::IsSimpleName(value))
                    xslName = &value;
        if (xslName)
            name = "xsl:" + *xslName;
        else
            name = spellings_.Of(node.Name);
        if (!IsXmlName(name)) {
            Reject(node.Name);
            return;
        }
        out += "<" + name;
        for (const auto& [attribute, value] : node.Attributes) {
            if (xslName && LowerCase(attribute) == "xsl")
                continue;
            const std::string spelled = spellings_.Of(attribute);
            if (!IsXmlName(spelled)) {
                Reject(attribute);
                continue;
            }
            if (xslName && !IsXsltAttribute(spelled)) {
                Reject(spelled + " (on " + name + ")");
                continue;
            }
            out += " " + spelled + "=\"";
            AppendEscaped(out, value, true);
            out += "\"";
        }
        if (node.Children.empty()) {
            out += "/>";
            return;
        }
        out += ">";
        Children(node, out, name == "xsl:text");
        out += "</" + name + ">";
    }

    // Text, where the characters of the template's escaped entities get their form back.
    void Text(const std::string& text, std::string& out, bool inXslText)
    {
        std::string plain;
        std::string references;
        const auto flush = [&] {
            if (!references.empty())
                out += "<xsl:text disable-output-escaping=\"yes\">" + references + "</xsl:text>";
            references.clear();
        };
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t length = CharLength(text, at);
            const auto entity = inXslText || length == 1 ? entities_.end() : entities_.find(text.substr(at, length));
            if (entity != entities_.end()) {
                AppendEscaped(out, plain, false);
                plain.clear();
                references += "&amp;" + entity->second + ";";
            } else {
                flush();
                plain.append(text, at, length);
            }
            at += length;
        }
        flush();
        AppendEscaped(out, plain, false);
    }

    const TSpellings& spellings_;
    std::map<std::string, std::string> entities_;
    std::vector<std::string>& rejected_;
};

// ---- comparing two style sheets --------------------------------------------------------------

const char* Chars(const xmlChar* text) { return text ? reinterpret_cast<const char*>(text) : ""; }

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

struct TItem {
    xmlElementType Type;
    xmlNode* Node;
    std::string Text;  // a text's (adjacent texts and CDATA sections joined), a comment's
};

std::string Describe(const TItem& item)
{
    switch (item.Type) {
    case XML_ELEMENT_NODE:
        return "the element " + QualifiedName(item.Node->ns, item.Node->name);
    case XML_TEXT_NODE: {
        std::string shown = item.Text.substr(0, 40);
        return "the text \"" + shown + (item.Text.size() > 40 ? "..." : "") + "\"";
    }
    case XML_COMMENT_NODE:
        return "a comment";
    default:
        return "a processing instruction";
    }
}

bool IsXslText(const xmlNode* node)
{
    return node->ns && std::strcmp(Chars(node->ns->href), kXslNamespace) == 0 &&
           std::strcmp(Chars(node->name), "text") == 0;
}

std::vector<TItem> Items(xmlNode* parent, bool preserve)
{
    std::vector<TItem> items;
    for (xmlNode* child = parent->children; child; child = child->next) {
        switch (child->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            if (!items.empty() && items.back().Type == XML_TEXT_NODE && items.back().Node == nullptr)
                items.back().Text += Chars(child->content);
            else
                items.push_back({XML_TEXT_NODE, nullptr, Chars(child->content)});
            break;
        case XML_ELEMENT_NODE:
            items.push_back({XML_ELEMENT_NODE, child, {}});
            break;
        case XML_COMMENT_NODE:
            items.push_back({XML_COMMENT_NODE, child, Chars(child->content)});
            break;
        case XML_PI_NODE:
            items.push_back({XML_PI_NODE, child, std::string(Chars(child->name)) + " " + Chars(child->content)});
            break;
        default:
            break;
        }
    }
    if (!preserve && !IsXslText(parent))
        std::erase_if(items, [](const TItem& item) { return item.Type == XML_TEXT_NODE && IsBlank(item.Text); });
    return items;
}

bool Preserves(const xmlNode* node, bool inherited)
{
    TXmlStringPtr space(xmlGetNsProp(node, reinterpret_cast<const xmlChar*>("space"), XML_XML_NAMESPACE));
    if (!space)
        return inherited;
    return std::strcmp(Chars(space.get()), "preserve") == 0;
}

std::string Attributes(const xmlNode* node)
{
    std::string text;
    for (const xmlNs* ns = node->nsDef; ns; ns = ns->next)
        text += std::string(" xmlns:") + Chars(ns->prefix) + "=" + Chars(ns->href);
    for (const xmlAttr* a = node->properties; a; a = a->next) {
        TXmlStringPtr value(xmlNodeGetContent(reinterpret_cast<const xmlNode*>(a)));
        text += " {" + std::string(a->ns ? Chars(a->ns->href) : "") + "}" + Chars(a->name) + "=\"" +
                Chars(value.get()) + "\"";
    }
    return text;
}

bool SameElement(xmlNode* a, xmlNode* b, bool preserve, const std::string& path, std::string& difference)
{
    const std::string here = path + "/" + QualifiedName(a->ns, a->name);
    if (std::strcmp(Chars(a->name), Chars(b->name)) != 0 ||
        std::strcmp(a->ns ? Chars(a->ns->href) : "", b->ns ? Chars(b->ns->href) : "") != 0) {
        difference = "in " + path + " the template has the element " + QualifiedName(a->ns, a->name) +
                     " where the browser put " + QualifiedName(b->ns, b->name);
        return false;
    }
    if (Attributes(a) != Attributes(b)) {
        difference = "the attributes of " + here + " changed";
        return false;
    }
    preserve = Preserves(a, preserve);
    const std::vector<TItem> left = Items(a, preserve);
    const std::vector<TItem> right = Items(b, Preserves(b, preserve));
    for (std::size_t i = 0; i < left.size() || i < right.size(); ++i) {
        if (i >= right.size()) {
            difference = "in " + here + " the browser moved or dropped " + Describe(left[i]);
            return false;
        }
        if (i >= left.size()) {
            difference = "in " + here + " the browser added " + Describe(right[i]);
            return false;
        }
        if (left[i].Type != right[i].Type ||
            (left[i].Type != XML_ELEMENT_NODE && left[i].Text != right[i].Text)) {
            difference = "in " + here + " the template has " + Describe(left[i]) + " where the browser put " +
                         Describe(right[i]);
            return false;
        }
        if (left[i].Type == XML_ELEMENT_NODE &&
            !SameElement(left[i].Node, right[i].Node, preserve, here, difference))
            return false;
    }
    return true;
}

// Entities are not substituted: the comparison needs none of them, and an
// external entity could name a local file.
TXmlDocPtr Parse(const std::string& text)
{
    return TXmlDocPtr(xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

bool IsVoidElement(const std::string& lowerName)
{
    static const std::set<std::string> voids = {"area", "base", "br", "col", "embed", "hr", "img", "input",
                                                "link", "meta", "param", "source", "track", "wbr"};
    return voids.count(lowerName) > 0;
}

bool IsNameByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '-' || c == '_' || c == '.' || c == ':' || u >= 0x80;
}

// Every "<name .../>" of an element that is not void becomes "<name ...></name>".
std::string ExpandEmptyElements(const std::string& html)
{
    std::string out;
    out.reserve(html.size() + html.size() / 8);
    std::size_t done = 0;
    for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        if (html.compare(at, 4, "<!--") == 0) {
            const std::size_t end = html.find("-->", at + 4);
            if (end == std::string::npos)
                break;
            at = end + 2;
            continue;
        }
        std::size_t pos = at + 1;
        while (pos < html.size() && IsNameByte(html[pos]))
            ++pos;
        if (pos == at + 1 || !std::isalpha(static_cast<unsigned char>(html[at + 1])))
            continue;
        const std::string name = html.substr(at + 1, pos - at - 1);
        // The end of the tag, with ">" inside quoted values skipped.
        char quote = 0;
        for (; pos < html.size(); ++pos) {
            const char c = html[pos];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            }
        }
        if (pos >= html.size())
            break;
        if (html[pos - 1] == '/' && !IsVoidElement(LowerCase(name))) {
            std::size_t slash = pos - 1;
            while (slash > at && (html[slash - 1] == ' ' || html[slash - 1] == '\t' || html[slash - 1] == '\n' ||
                                  html[slash - 1] == '\r'))
                --slash;
            out.append(html, done, slash - done);
            out += "></" + name + ">";
            done = pos + 1;
        }
        at = pos;
    }
    out.append(html, done, std::string::npos);
    return out;
}

}  // namespace

std::string TConverterHtml2Xsl::EditableHtml(const std::string& xsl, int templateItemType)
{
    std::string html;
    TConverterXsl2Html().Convert(xsl, templateItemType, html);
    return ExpandEmptyElements(html);
}

bool TConverterHtml2Xsl::Convert(const std::string& originalXsl, int templateItemType, const TDesignNode& design,
                                 TResult& result)
{
    result = {};
    std::size_t start = 0;
    std::size_t end = 0;
    if (!FindContent(originalXsl, templateItemType, start, end))
        return false;
    TSpellings spellings;
    spellings.Collect(originalXsl);
    TWriter writer(spellings, WrappedEntities(originalXsl.substr(start, end - start)), result.RejectedNames);
    std::string content;
    if (templateItemType == kBodyTemplateType)
        writer.Children(design, content, false);
    else
        writer.Node(design, content, false);
    result.Xsl = originalXsl.substr(0, start) + content + originalXsl.substr(end);
    return true;
}

bool TConverterHtml2Xsl::SameStyleSheet(const std::string& expected, const std::string& actual,
                                        std::string& difference)
{
    difference.clear();
    TXmlDocPtr left = Parse(expected);
    TXmlDocPtr right = Parse(actual);
    if (!left || !right) {
        difference = !left ? "the template is no well-formed XML" : "the converted template is no well-formed XML";
        return false;
    }
    xmlNode* a = xmlDocGetRootElement(left.get());
    xmlNode* b = xmlDocGetRootElement(right.get());
    if (!a || !b) {
        difference = "the template has no root element";
        return false;
    }
    return SameElement(a, b, false, "", difference);
}
