#pragma once
// The document the visual HTML editor shows one part of a page in: the
// page's style sheet, the body tag the templates give the top or bottom
// part (with the background picture), and the part's HTML; and the part's
// HTML as stored when it is read back. No widgets.
#include <string>
#include <vector>

struct TDesignDocument {
    // The body start tag of the top or bottom part; BackgroundFile is the
    // background picture's file name, empty for none.
    static std::string BodyTag(bool top, const std::string& backgroundFile);
    // The whole document: UTF-8, the style sheet, the body tag and the HTML.
    static std::string Document(const std::string& html, const std::string& pageCss, bool top,
                                const std::string& backgroundFile);
    // The body's HTML as stored: an editor left empty (a line break, an
    // empty paragraph or the engine's lone line break) stores nothing.
    static std::string StoredBody(const std::string& bodyHtml);
    // The class names a style sheet defines (".name" selectors), each once,
    // lower-cased, without the dot, in the order they first appear.
    static std::vector<std::string> CssClassNames(const std::string& pageCss);
    // The file name "Save Photo" offers for a picture's address: the last
    // part of a catalog image's address ("../images/..."), without query and
    // fragment, URL-decoded; empty for any other address.
    static std::string PhotoFileName(const std::string& source);
    // The save dialog's filter for a file name: "jpg files (*.jpg)".
    static std::string PhotoFilter(const std::string& fileName);
    // A picture's style attribute with its shadow switched: added after
    // the other declarations, or removed when it has one.
    static std::string ToggleShadow(const std::string& style);
    // The document's font size step (1-7) nearest to a size in points.
    static int FontSizeStep(int points);
    // Text as a JavaScript string literal.
    static std::string ScriptString(const std::string& text);
};
