#include "editors/site/html/DesignDocument.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/RegexPattern.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

std::string TDesignDocument::BodyTag(bool top, const std::string& backgroundFile)
{
    std::string tag = "<body class=\"pagebody bodyContent bgcolor0 color0 font0 size0 body bgImage ";
    tag += top ? "topofpage\" " : "bottomofpage\" ";
    if (!backgroundFile.empty())
        tag += " background=\"../images/" + TCommonFunctions::EncodeXmlText(backgroundFile) + "\">";
    else
        tag += ">";
    return tag;
}

std::string TDesignDocument::Document(const std::string& html, const std::string& pageCss, bool top,
                                      const std::string& backgroundFile)
{
    // A style sheet cannot end its own STYLE element early.
    std::string css = pageCss;
    for (std::size_t at = 0; (at = css.find("</", at)) != std::string::npos; at += 3)
        css.replace(at, 2, "<\\/");
    return "<html><head><META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><STYLE>" + css +
           "</STYLE></head>" + BodyTag(top, backgroundFile) + html + "</body></html>";
}

std::string TDesignDocument::StoredBody(const std::string& bodyHtml)
{
    static const TRegexPattern empty(R"(^\s*(<p>\s*&nbsp;\s*</p>|<br>)?\s*$)", roCaseless);
    if (bodyHtml.size() < 32) {
        TRegexMatch match(empty);
        if (empty.Match(bodyHtml, 0, match) > 0)
            return {};
    }
    return bodyHtml;
}

std::string TDesignDocument::ScriptString(const std::string& text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                       (static_cast<unsigned char>(text[i + 2]) == 0xA8 ||
                        static_cast<unsigned char>(text[i + 2]) == 0xA9)) {
                // Line and paragraph separators end a line in older scripts.
                out += static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
                i += 2;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::vector<std::string> TDesignDocument::CssClassNames(const std::string& pageCss)
{
    static const TRegexPattern comments(R"(/\*.*?\*/)", roCaseless | roDotAll);
    static const TRegexPattern blocks(R"(\{[^}]*\})", roCaseless | roDotAll);
    const std::string selectors = blocks.ReplaceAll(comments.ReplaceAll(pageCss, " "), "\n");
    std::vector<std::string> names;
    std::set<std::string> seen;
    std::string token;
    const auto take = [&] {
        if (token.size() > 1 && token[0] == '.') {
            std::string name = common_detail::LowerCase(token.substr(1));
            if (seen.insert(name).second)
                names.push_back(name);
        }
        token.clear();
    };
    for (const char c : selectors) {
        if (c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n')
            take();
        else
            token += c;
    }
    take();
    return names;
}

std::string TDesignDocument::PhotoFileName(const std::string& source)
{
    static const std::string prefix = "../images/";
    if (source.compare(0, prefix.size(), prefix) != 0)
        return {};
    std::string path = source.substr(0, source.find_first_of("?#"));
    for (char& c : path)
        if (c == '\\')
            c = '/';
    const std::string last = path.substr(path.rfind('/') + 1);
    std::string name;
    for (std::size_t i = 0; i < last.size(); ++i) {
        const auto hex = [](char c) {
            return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        };
        if (last[i] == '+')
            name += ' ';
        else if (last[i] == '%' && i + 2 < last.size() + 0 && hex(last[i + 1]) >= 0 && hex(last[i + 2]) >= 0) {
            name += static_cast<char>(hex(last[i + 1]) * 16 + hex(last[i + 2]));
            i += 2;
        } else
            name += last[i];
    }
    // A decoded name never leads out of the folder it is saved in.
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name == "." || name == "..")
        return {};
    return name;
}

std::string TDesignDocument::PhotoFilter(const std::string& fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot + 1 == fileName.size())
        return {};
    const std::string extension = fileName.substr(dot);
    return extension.substr(1) + " files (*" + extension + ")";
}

int TDesignDocument::FontSizeStep(int points)
{
    // The sizes of the steps 1 to 7 in points.
    static const int steps[] = {8, 10, 12, 14, 18, 24, 36};
    int best = 1;
    for (int i = 0; i < 7; ++i)
        if (std::abs(points - steps[i]) < std::abs(points - steps[best - 1]))
            best = i + 1;
    return best;
}

std::string TDesignDocument::ToggleShadow(const std::string& style)
{
    static const TRegexPattern shadow(R"(\s*box-shadow\s*:[^;]*;?)", roCaseless);
    TRegexMatch match(shadow);
    if (shadow.Match(style, 0, match) > 0) {
        std::string rest = shadow.ReplaceAll(style, "");
        const std::size_t first = rest.find_first_not_of(" ");
        return first == std::string::npos ? std::string() : rest.substr(first);
    }
    std::string result = style;
    const std::size_t last = result.find_last_not_of(" ");
    result.erase(last == std::string::npos ? 0 : last + 1);
    if (!result.empty() && result.back() != ';')
        result += ";";
    return result + (result.empty() ? "" : " ") + "box-shadow: 4px 4px 4px gray;";
}
