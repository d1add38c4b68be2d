#pragma once
// The way back of the WYSIWYG template editor: the edited design document,
// read from the web engine as a tree of nodes, becomes the template's XSL
// again. Every "bdo" element with an "xsl" attribute becomes the XSL
// element it stands for; other elements, texts and comments are copied.
// The browser's HTML parser lower-cases names, so element and attribute
// names are given back the spelling the template used; named entities the
// template wrote as escaped xsl:text get that form back. What lies outside
// the edited template body (the style sheet, its rules, the other
// templates) is kept from the template's text byte for byte.
//
// The HTML parser also moves what it does not allow where it stands (an
// XSL element between table rows, inside a select box, in the document's
// head), so a template may not survive the trip through the browser.
// SameStyleSheet tells whether two XSL texts make the same style sheet; the
// editor stores a converted template only when the unedited round trip of
// that template made the same style sheet as its text.
#include <string>
#include <vector>

// One node of the design document as the web engine gives it.
struct TDesignNode {
    enum class TKind { Element, Text, Comment };
    TKind Kind = TKind::Element;
    std::string Name;                                              // an element's name
    std::vector<std::pair<std::string, std::string>> Attributes;  // in document order
    std::string Value;                                             // a text's or a comment's
    std::vector<TDesignNode> Children;
};

class TConverterHtml2Xsl {
public:
    // The HTML the editor shows for a template (TConverterXsl2Html), with
    // every empty element written as a start and an end tag: an HTML parser
    // takes "<bdo xsl=\"value-of\" .../>" for a start tag alone, and the
    // element would swallow what follows it. Void elements (br, img, ...)
    // stay as they are.
    static std::string EditableHtml(const std::string& xsl, int templateItemType);

    struct TResult {
        std::string Xsl;
        // Element and attribute names the XSL cannot hold, and attributes an
        // XSL element cannot have ("style (on xsl:if)"); their elements (and
        // what is in them) and attributes are left out of Xsl.
        std::vector<std::string> RejectedNames;
    };

    // The template's XSL with its edited part replaced by Design: for a
    // body template (502) the content of its template named "body" (Design
    // is the document's body element, whose children are the content), for
    // a master template (501) the content of its template matching "/"
    // (Design is the document's root element, which is the content). False,
    // with nothing in Result, for another item type or a template text
    // without that template.
    static bool Convert(const std::string& originalXsl, int templateItemType, const TDesignNode& design,
                        TResult& result);

    // Whether two XSL texts make the same style sheet: the same elements,
    // attributes (in order), namespace declarations, texts, comments and
    // processing instructions, where texts of blanks only are left out as
    // the XSLT processor leaves them out (outside xsl:text and xml:space
    // "preserve"). Otherwise false with where they first differ; a text
    // that is no well-formed XML differs from everything.
    static bool SameStyleSheet(const std::string& expected, const std::string& actual, std::string& difference);
};
