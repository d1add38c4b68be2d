#pragma once
// Turns the XSL text of a master or body template into HTML that the
// WYSIWYG template editor loads into an editable document. Every XSL
// element becomes a "bdo" element whose "xsl" attribute carries the XSL
// element's name, so the editor shows the template's layout and the way
// back can restore the XSL elements. The converter works on the text alone
// with regular expressions (caseless, "." crossing lines, "^" and "$" only
// at the ends of the whole text); it parses no XML and reports nothing: a
// step whose pattern does not match leaves the text as it is.
#include <memory>
#include <string>

class TConverterXsl2Html {
public:
    TConverterXsl2Html();
    ~TConverterXsl2Html();
    TConverterXsl2Html(const TConverterXsl2Html&) = delete;
    TConverterXsl2Html& operator=(const TConverterXsl2Html&) = delete;

    // Html := the editable HTML of the XSL text of a template item of the
    // given type: 501 master (the content of its last template matching
    // "/"), 502 body (the content of its last template named "body");
    // empty for any other type.
    void Convert(const std::string& xsl, int templateItemType, std::string& html);

private:
    class TExpression;

    // Cuts the template's content out of the working text by item type;
    // false for a type that has none.
    bool CutContent(int templateItemType);
    // Removes the comment that opens an editable region when it stands at
    // the very end of the working text.
    void RemoveTrailingRegionComment();
    // Turns xsl:text elements with output escaping disabled that hold only
    // escaped named entity references back into the plain references.
    void UnwrapEntities();

    std::unique_ptr<TExpression> expression_;        // cutting and renaming steps
    std::unique_ptr<TExpression> entityExpression_;  // the entity step
    std::string text_;                               // the working text
};
