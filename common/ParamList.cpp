#include "common/ParamList.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"

#include <algorithm>

namespace {

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads one field starting at Pos (line breaks already skipped); moves Pos
// past the field and what ends it.
std::string ReadField(const std::string& text, char separator, std::size_t& pos)
{
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != separator && !IsLineBreak(text[pos]) &&
           text[pos] != '"')
        ++pos;
    if (pos >= text.size())
        return text.substr(start);
    if (text[pos] != '"') {
        std::string field = text.substr(start, pos - start);
        ++pos;  // the separator or line break
        return field;
    }
    const std::size_t close = text.find('"', pos + 1);
    const std::size_t end = close == std::string::npos ? text.size() : close + 1;
    if (pos == start) {
        // A leading quote: the quotes are not part of the field, and the
        // next field starts right after the closing one.
        pos = end;
        const std::size_t innerEnd = close == std::string::npos ? text.size() : close;
        return text.substr(start + 1, innerEnd - start - 1);
    }
    std::string field = text.substr(start, end - start);
    pos = std::min(end + 1, text.size());  // the character after the quote
    return field;
}

}  // namespace

TParamList::TParamList(const std::string& text) : fields_(SplitFields(text, '&', true)) {}

std::vector<std::string> TParamList::SplitFields(const std::string& text, char separator,
                                                 bool urlDecode)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    for (;;) {
        while (pos < text.size() && IsLineBreak(text[pos]))
            ++pos;
        if (pos >= text.size())
            break;
        std::string field = ReadField(text, separator, pos);
        fields.push_back(urlDecode ? UrlDecode(field) : std::move(field));
    }
    return fields;
}

std::string TParamList::UrlDecode(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c != '%') {
            out += c;
        } else if (i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else if (i + 2 >= text.size()) {
            throw ECriticalTolvexException("Error decoding URL style (%XX) encoded string at position " +
                                           std::to_string(i + 1));
        } else {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0)
                throw ECriticalTolvexException("Invalid URL encoded character (" +
                                               text.substr(i, 3) + ") at position " +
                                               std::to_string(i + 1));
            out += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return out;
}

std::string TParamList::UrlEncode(const std::string& value, bool lowerCaseHex)
{
    static const std::string kept = "*@._-$!'()";
    const char* digits = lowerCaseHex ? "0123456789abcdef" : "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            kept.find(c) != std::string::npos) {
            out += c;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 15];
        }
    }
    return out;
}

std::string TParamList::NameOf(const std::string& field)
{
    const std::size_t eq = field.find('=');
    return eq == std::string::npos ? std::string() : field.substr(0, eq);
}

std::string TParamList::ValueOf(const std::string& field)
{
    const std::size_t eq = field.find('=');
    return eq == std::string::npos ? std::string() : field.substr(eq + 1);
}

const std::string* TParamList::Find(const std::string& name) const
{
    for (const std::string& field : fields_) {
        const std::size_t eq = field.find('=');
        if (eq != std::string::npos && common_detail::SameText(field.substr(0, eq), name))
            return &field;
    }
    return nullptr;
}

std::string TParamList::Value(const std::string& name) const
{
    const std::string* field = Find(name);
    return field ? ValueOf(*field) : std::string();
}

bool TParamList::Contains(const std::string& name) const
{
    return Find(name) != nullptr;
}
