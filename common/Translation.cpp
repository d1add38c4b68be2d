#include "common/Translation.h"

#include "common/CaptionValue.h"
#include "common/CommonFunctionsDetail.h"
#include "common/FileContent.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using common_detail::IsAsciiDigit;
using common_detail::LowerCase;

// The language code, a dot, any text (possibly none) and "lng".
bool IsDictionaryFileName(const std::string& name, const std::string& languageCode)
{
    std::string lower = LowerCase(name);
    std::string prefix = LowerCase(languageCode) + ".";
    const std::string suffix = "lng";
    return lower.size() >= prefix.size() + suffix.size() && lower.starts_with(prefix) &&
           lower.ends_with(suffix);
}

std::string ReadWholeFile(const std::string& fileName)
{
    std::string content = ReadFileContent(fileName).value_or("");
    if (content.starts_with("\xEF\xBB\xBF"))
        content.erase(0, 3);
    return content;
}

// The lookup key of a text: line breaks written as the two characters "\n".
std::string DictionaryKey(const std::string& text)
{
    if (text.find('\n') == std::string::npos)
        return text;
    std::string key;
    for (char c : text) {
        if (c == '\n')
            key += "\\n";
        else if (c != '\r')
            key += c;
    }
    return key;
}

// Appends the meaning of the escape whose backslash is at Pos (not the
// last character); returns the position after it.
size_t AppendEscape(const std::string& tmpl, size_t pos, std::string& out)
{
    char next = tmpl[pos + 1];
    switch (next) {
    case '$': out += '$'; break;
    case '\\': out += '\\'; break;
    case '`': out += '\''; break;
    case 'n': out += "\r\n"; break;
    default: out += '\\'; out += next; break;
    }
    return pos + 2;
}

}  // namespace

TTranslation::TTranslation(std::string appDir) : appDir_(std::move(appDir)) {}

void TTranslation::SetFont(const std::string& name, int size)
{
    fontName_ = name;
    fontSize_ = size;
}

void TTranslation::SetFixedFont(const std::string& name, int size)
{
    fixedFontName_ = name;
    fixedFontSize_ = size;
}

void TTranslation::LoadLanguage(const std::string& languageCode)
{
    dictionary_.clear();
    lineCount_ = 0;
    for (const std::string& fileName : DictionaryFiles(languageCode))
        LoadFile(fileName);
}

std::vector<std::string> TTranslation::DictionaryFiles(const std::string& languageCode) const
{
    std::vector<std::string> files;
    std::error_code ec;
    if (appDir_.empty())
        return files;
    for (fs::directory_iterator it(appDir_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) &&
            IsDictionaryFileName(it->path().filename().string(), languageCode))
            files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void TTranslation::LoadFile(const std::string& fileName)
{
    // Lines end with CR LF, LF or CR alone.
    std::string content = ReadWholeFile(fileName);
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = content.size();
        AddLine(content.substr(pos, end - pos));
        pos = end + 1;
        if (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n')
            ++pos;
    }
}

void TTranslation::AddLine(const std::string& line)
{
    ++lineCount_;
    size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0)
        return;  // no source text: the line never matches
    dictionary_.try_emplace(LowerCase(line.substr(0, equals)), line.substr(equals + 1));
}

const TTranslation& TTranslation::OrEnglish(const TTranslation* translation)
{
    static const TTranslation english;
    return translation ? *translation : english;
}

std::string TTranslation::Translate(const std::string& text) const
{
    std::string result = text;
    if (!dictionary_.empty()) {
        auto found = dictionary_.find(LowerCase(DictionaryKey(text)));
        if (found != dictionary_.end() && !found->second.empty())
            result = found->second;
    }
    common_detail::ReplaceAll(result, "\\`", "'");
    return result;
}

size_t TTranslation::Placeholder(const std::string& tmpl, size_t dollar, size_t argCount, int& number)
{
    size_t n = tmpl.size();
    size_t digits = 0;
    if (dollar + 2 < n && IsAsciiDigit(tmpl[dollar + 1]) && IsAsciiDigit(tmpl[dollar + 2])) {
        number = (tmpl[dollar + 1] - '0') * 10 + (tmpl[dollar + 2] - '0');
        digits = 2;
        if (static_cast<size_t>(number) > argCount) {
            number = tmpl[dollar + 1] - '0';
            digits = 1;
        }
    } else if (IsAsciiDigit(tmpl[dollar + 1])) {
        number = tmpl[dollar + 1] - '0';
        digits = 1;
    }
    if (digits == 0 || number < 1 || static_cast<size_t>(number) > argCount)
        return 0;
    return digits;
}

std::string TTranslation::FormatMessage(const std::string& tmpl, const std::vector<TFormatArg>& args,
                                        bool translate) const
{
    const std::string text = translate ? Translate(tmpl) : tmpl;
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        bool last = pos + 1 == text.size();
        if (text[pos] == '\\' && !last) {
            pos = AppendEscape(text, pos, out);
            continue;
        }
        int number = 0;
        size_t digits = (text[pos] == '$' && !last) ? Placeholder(text, pos, args.size(), number) : 0;
        if (digits > 0) {
            out += args[static_cast<size_t>(number) - 1].Text();
            pos += 1 + digits;
            continue;
        }
        out += text[pos++];
    }
    return out;
}

std::string TTranslation::Format(const std::string& tmpl, std::initializer_list<TFormatArg> args,
                                 bool translate) const
{
    return FormatMessage(tmpl, std::vector<TFormatArg>(args), translate);
}

void TTranslation::TranslateCaptionValueList(std::vector<std::string>& strings) const
{
    for (std::string& line : strings)
        line = CaptionValue::HasValue(line)
                   ? Translate(CaptionValue::CaptionOf(line)) + CaptionValue::kSeparator + CaptionValue::ValueOf(line)
                   : Translate(line);
}
