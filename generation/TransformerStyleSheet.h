#pragma once
// The generated style sheet of one page ("out.xsl"): its top-level elements
// in document order (the output element, parameters, includes, the resource
// variable, the named templates "top" and "bottom"), and the two texts made
// of them:
//  - the work file, with every value written in place, as the work folder
//    keeps it;
//  - the compiled form, equal to it except that the HTML of "top" and
//    "bottom" and every parameter's text that is not empty are read from
//    hidden parameters that the page passes when it is transformed
//    (PageValues). The compiled form is therefore the same for every page
//    with the same templates and the same empty parameters, and is compiled
//    once for all of them (TStyleSheetCache).
// A parameter with text is a result tree fragment in the work file, so the
// compiled form keeps it one (xsl:value-of inside xsl:param); an empty value
// is an empty parameter in both. Both forms thus transform a page alike.
#include <string>
#include <utility>
#include <vector>

typedef struct _xmlDoc xmlDoc;

class TTransformerStyleSheet {
public:
    // The namespace of the hidden parameters of the compiled form.
    static constexpr const char* PageValuesNamespace = "urn:tolvex:page-values";

    // "xsl:output" with "method", "encoding" and "indent" = "no"; it always comes first.
    void SetOutput(const std::string& method, const std::string& encoding);
    // An "xsl:param" with the value as text.
    void AddParam(const std::string& name, const std::string& value);
    // An "xsl:include" of Href.
    void AddInclude(const std::string& href);
    // An "xsl:variable" with a "select" expression.
    void AddVariable(const std::string& name, const std::string& select);
    // A named "xsl:template" that writes Html unescaped ("xsl:text" with
    // "disable-output-escaping" = "yes").
    void AddHtmlTemplate(const std::string& name, const std::string& html);

    // The hrefs of the includes, in order.
    std::vector<std::string> Includes() const;
    // The text of the work file "out.xsl" (UTF-8, with its XML declaration).
    std::string WorkFileText() const;
    // The text of the compiled form.
    std::string CompiledText() const;
    // What the compiled form is made of, as a short text: equal for two
    // style sheets exactly when their compiled forms are equal, and much
    // cheaper to make than the compiled text.
    std::string CompiledShape() const;
    // The hidden parameters of the compiled form ("{namespace}name") with the
    // page's values, for the transformation.
    std::vector<std::pair<std::string, std::string>> PageValues() const;

private:
    enum class TKind { Param, Include, Variable, HtmlTemplate };
    struct TEntry {
        TKind kind;
        std::string name;   // param, variable or template name; the href of an include
        std::string value;  // param value, select expression or HTML
    };

    xmlDoc* BuildDocument(bool compiledForm) const;
    static bool IsHidden(const TEntry& entry);
    static std::string HiddenName(const TEntry& entry);
    static std::string Serialise(xmlDoc* doc);

    std::string method_ = "html";
    std::string encoding_ = "utf-8";
    std::vector<TEntry> entries_;
};
