// TCommonFunctions: XML and HTML text, character references, wide text.
#include "common/CommonFunctions.h"

#include "common/CommonFunctionsDetail.h"
#include "common/ParamList.h"
#include "common/Exceptions.h"
#include "common/RegexPattern.h"
#include "common/XmlPtr.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

using namespace common_detail;

namespace {

bool IsDroppedControl(char c)
{
    return static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\n' && c != '\r';
}

// ---- UTF-8 ------------------------------------------------------------------

// Decodes the UTF-8 sequence at Pos into Cp; its length, or 0 when the
// bytes there are no valid sequence.
std::size_t DecodeUtf8At(const std::string& text, std::size_t pos, std::uint32_t& cp)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    if (lead < 0x80) { cp = lead; return 1; }
    if (lead >= 0xC2 && lead <= 0xDF) { length = 2; cp = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; cp = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; cp = lead & 0x07; }
    else return 0;
    if (pos + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    static const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

// UTF-16 code units to UTF-8: surrogate pairs combine, a lone surrogate
// becomes U+FFFD.
std::string Utf16ToUtf8(const std::vector<std::uint16_t>& units)
{
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

// A positive decimal integer (leading spaces allowed); 0 when the piece is none.
std::int32_t PositiveInteger(const std::string& piece)
{
    const std::size_t first = piece.find_first_not_of(' ');
    if (first == std::string::npos || !IsAsciiDigit(piece[first]))
        return 0;
    std::int32_t value = 0;
    const char* end = piece.data() + piece.size();
    const auto [ptr, ec] = std::from_chars(piece.data() + first, end, value);
    return ec == std::errc() && ptr == end && value > 0 ? value : 0;
}

// ---- regular expressions ----------------------------------------------------

// Case-insensitive, "." crossing lines, "$" only at the very end.
TRegexPattern CompilePattern(const char* pattern)
{
    return TRegexPattern(pattern, roCaseless | roDotAll | roDollarEndOnly);
}

// Removes the first match of Pattern from Text (each of the patterns used
// here can match only once); Text unchanged when nothing matches.
void RemoveMatch(std::string& text, const TRegexPattern& pattern)
{
    TRegexMatch match(pattern);
    if (pattern.Match(text, 0, match) > 0)
        text.erase(match.Start(), match.End() - match.Start());
}

// ---- named entities ---------------------------------------------------------

// Finds "&" followed by 1 to 6 ASCII letters and ";" at or after Pos.
bool FindNamedEntity(const std::string& text, std::size_t pos, std::size_t& start,
                     std::size_t& length)
{
    for (start = text.find('&', pos); start != std::string::npos; start = text.find('&', start + 1)) {
        std::size_t letters = 0;
        while (letters < 6 && start + 1 + letters < text.size() &&
               IsAsciiLetter(text[start + 1 + letters]))
            ++letters;
        if (letters > 0 && start + 1 + letters < text.size() && text[start + 1 + letters] == ';') {
            length = letters + 2;
            return true;
        }
    }
    return false;
}

std::string WrapEntitiesInStretch(std::string stretch)
{
    static const char* const xmlEntities[] = {"&lt;", "&gt;", "&amp;", "&apos;", "&quot;"};
    std::size_t pos = 0;
    std::size_t start = 0;
    std::size_t length = 0;
    while (FindNamedEntity(stretch, pos, start, length)) {
        const std::string entity = stretch.substr(start, length);
        if (std::find(std::begin(xmlEntities), std::end(xmlEntities), entity) !=
            std::end(xmlEntities)) {
            pos = start + length;
            continue;
        }
        const std::string wrapped = "<xsl:text disable-output-escaping=\"yes\">&amp;" +
                                    entity.substr(1) + "</xsl:text>";
        stretch.replace(start, length, wrapped);
        pos = start + wrapped.size();
    }
    return stretch;
}

// Finds the next stretch from a ">" to the next "<" that holds an "&".
bool FindEntityStretch(const std::string& text, std::size_t pos, std::size_t& start,
                       std::size_t& end)
{
    for (start = text.find('>', pos); start != std::string::npos; start = text.find('>', end)) {
        end = text.find('<', start + 1);
        if (end == std::string::npos)
            return false;
        if (text.find('&', start + 1) < end) {
            ++end;  // the stretch includes its "<"
            return true;
        }
    }
    return false;
}

// ---- XML well-formedness ----------------------------------------------------

// The byte offset of a 1-based line and character column in Text.
int OffsetOfLineColumn(const std::string& text, int line, int column)
{
    std::size_t pos = 0;
    for (int l = 1; l < line; ++l) {
        const std::size_t lf = text.find('\n', pos);
        if (lf == std::string::npos)
            break;
        pos = lf + 1;
    }
    for (int c = 1; c < column && pos < text.size() && text[pos] != '\n'; ++c) {
        std::uint32_t cp = 0;
        pos += std::max<std::size_t>(1, DecodeUtf8At(text, pos, cp));
    }
    return static_cast<int>(std::min(pos, text.size()));
}

std::string TrimMessage(const char* message)
{
    std::string text = message ? message : "";
    while (!text.empty() && IsBlankOrControl(text.back()))
        text.pop_back();
    return text;
}

// The first error the parser reports: later ones are mostly its echoes.
struct TFirstXmlError {
    bool found = false;
    std::string message;
    int line = 0;
    int column = 0;
};

void RecordFirstError(void* userData, xmlErrorPtr error)
{
    auto* context = static_cast<xmlParserCtxtPtr>(userData);
    auto* first = static_cast<TFirstXmlError*>(context->_private);
    if (first->found || !error || error->level < XML_ERR_ERROR)
        return;
    first->found = true;
    first->message = TrimMessage(error->message);
    first->line = error->line;
    first->column = error->int2;
}

}  // namespace

// ---- XML and HTML text ----------------------------------------------------------

std::string TCommonFunctions::EncodeXmlText(const std::string& text)
{
    if (Trim(text).empty())
        return std::string();
    std::string out = text;
    ReplaceAll(out, "&", "&amp;");
    ReplaceAll(out, "'", "&#39;");
    ReplaceAll(out, ">", "&gt;");
    ReplaceAll(out, "<", "&lt;");
    ReplaceAll(out, "\"", "&quot;");
    out.erase(std::remove_if(out.begin(), out.end(), IsDroppedControl), out.end());
    return out;
}

std::string TCommonFunctions::PlainTextPage(const std::string& text)
{
    return "<html><body><pre style=\"white-space: pre-wrap\">" + EncodeXmlText(text) + "</pre></body></html>";
}

std::string TCommonFunctions::EncodeHighChars(const std::string& text)
{
    // Each non-ASCII character becomes one reference to its code point; a
    // byte that is no part of valid UTF-8 is taken as the Latin-1 character.
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        std::uint32_t cp = 0;
        std::size_t length = DecodeUtf8At(text, pos, cp);
        if (length == 0) {
            cp = static_cast<unsigned char>(text[pos]);
            length = 1;
        }
        if (cp < 0x80)
            out += text[pos];
        else
            out += "&#" + std::to_string(cp) + ";";
        pos += length;
    }
    return out;
}

std::string TCommonFunctions::DecodeCharRefs(const std::string& text)
{
    // Every "&#" is dropped and the rest split at ";" and line breaks like
    // web-form fields; each piece that reads as a positive decimal integer
    // adds the UTF-16 code unit of its low 16 bits. A piece that cannot be
    // URL-decoded is ignored like any other piece that is no number.
    std::string rest = text;
    ReplaceAll(rest, "&#", "");
    std::vector<std::uint16_t> units;
    for (const std::string& field : TParamList::SplitFields(rest, ';', false)) {
        std::string piece;
        try {
            piece = TParamList::UrlDecode(field);
        } catch (const ETolvexException&) {
            continue;
        }
        const auto unit = static_cast<std::uint16_t>(PositiveInteger(piece) & 0xFFFF);
        if (unit != 0)
            units.push_back(unit);
    }
    return Utf16ToUtf8(units);
}

bool TCommonFunctions::IsNameChar(char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '-';
}

bool TCommonFunctions::IsSimpleName(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), IsNameChar);
}

std::string TCommonFunctions::ExtractHtmlBody(const std::string& html)
{
    static const TRegexPattern head = CompilePattern("^.*<body\\s*[^>]*>");
    static const TRegexPattern tail = CompilePattern("</body\\s*>.*$");
    std::string body = html;
    RemoveMatch(body, head);
    RemoveMatch(body, tail);
    return body;
}

std::string TCommonFunctions::RemoveBlocks(const std::string& text, const std::string& start,
                                           const std::string& stop)
{
    std::string out = text;
    if (start.empty())
        return out;
    for (std::size_t pos = out.find(start); pos != std::string::npos; pos = out.find(start, pos)) {
        const std::size_t end = out.find(stop, pos);
        out.erase(pos, end == std::string::npos ? std::string::npos : end + stop.size() - pos);
    }
    return out;
}

std::string TCommonFunctions::RemoveServerScripts(const std::string& text)
{
    return RemoveBlocks(RemoveBlocks(text, "<%", "%>"), "<?", "?>");
}

void TCommonFunctions::WrapNamedEntities(std::string& text)
{
    std::size_t start = 0;
    std::size_t end = 0;
    for (std::size_t pos = 0; FindEntityStretch(text, pos, start, end);) {
        const std::string wrapped = WrapEntitiesInStretch(text.substr(start, end - start));
        text.replace(start, end - start, wrapped);
        pos = start + wrapped.size();
    }
}

bool TCommonFunctions::CheckXml(const std::string& text, int& filePos, std::string& reason)
{
    filePos = 0;
    reason.clear();
    const std::string xml = AnsiToWide(text);
    if (xml.size() > static_cast<std::size_t>(INT_MAX)) {
        reason = "Document too large";
        return false;
    }
    const TXmlParserPtr context(xmlNewParserCtxt());
    if (!context) {
        reason = "Out of memory";
        return false;
    }
    TFirstXmlError firstError;
    context->_private = &firstError;
    context->sax->serror = RecordFirstError;
    // Read as UTF-8 whatever the declaration says, with no network access
    // and no substitution or loading of entities.
    const TXmlDocPtr doc(xmlCtxtReadMemory(context.get(), xml.data(), static_cast<int>(xml.size()), nullptr,
                                           "UTF-8", XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    const bool wellFormed = doc != nullptr && context->wellFormed;
    if (!wellFormed) {
        reason = firstError.found ? firstError.message : "The document is not well-formed";
        if (firstError.found)
            filePos = OffsetOfLineColumn(xml, firstError.line, firstError.column);
    }
    return wellFormed;
}

std::string TCommonFunctions::AnsiToWide(const std::string& text)
{
    std::string out = text;
    std::replace_if(out.begin(), out.end(), IsDroppedControl, ' ');
    return out;
}

std::string TCommonFunctions::XPathStringLiteral(const std::string& text)
{
    if (text.find('\'') == std::string::npos)
        return "'" + text + "'";
    if (text.find('"') == std::string::npos)
        return "\"" + text + "\"";
    // XPath 1.0 has no escape in literals: pieces without apostrophes
    // between apostrophes, each apostrophe between double quotes.
    std::string result = "concat(";
    std::size_t from = 0;
    bool first = true;
    while (from < text.size()) {
        const std::size_t quote = text.find('\'', from);
        const std::string piece =
            quote == from ? "\"'\"" : "'" + text.substr(from, quote == std::string::npos ? std::string::npos : quote - from) + "'";
        result += (first ? "" : ", ") + piece;
        first = false;
        from = quote == from ? from + 1 : (quote == std::string::npos ? text.size() : quote);
    }
    return result + ")";
}
