#include "common/XmlPtr.h"
#include "generation/TransformerStyleSheet.h"

#include <libxml/tree.h>
#include <libxslt/xsltInternals.h>

#include <memory>

namespace {

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

const xmlChar* X(const std::string& text)
{
    return X(text.c_str());
}

// The prefix of the hidden parameters inside the compiled form.
const char* const HiddenPrefix = "page";

xmlNodePtr AddXslElement(xmlNodePtr parent, xmlNsPtr xsl, const char* name)
{
    return xmlNewChild(parent, xsl, X(name), nullptr);
}

}  // namespace

void TTransformerStyleSheet::SetOutput(const std::string& method, const std::string& encoding)
{
    method_ = method;
    encoding_ = encoding;
}

void TTransformerStyleSheet::AddParam(const std::string& name, const std::string& value)
{
    entries_.push_back({TKind::Param, name, value});
}

void TTransformerStyleSheet::AddInclude(const std::string& href)
{
    entries_.push_back({TKind::Include, href, ""});
}

void TTransformerStyleSheet::AddVariable(const std::string& name, const std::string& select)
{
    entries_.push_back({TKind::Variable, name, select});
}

void TTransformerStyleSheet::AddHtmlTemplate(const std::string& name, const std::string& html)
{
    entries_.push_back({TKind::HtmlTemplate, name, html});
}

std::vector<std::string> TTransformerStyleSheet::Includes() const
{
    std::vector<std::string> hrefs;
    for (const TEntry& entry : entries_)
        if (entry.kind == TKind::Include)
            hrefs.push_back(entry.name);
    return hrefs;
}

// Whether the compiled form takes the entry's value from a hidden parameter:
// the HTML of a template always, a parameter's value when it is not empty
// (an empty one stays an empty parameter, see the header).
bool TTransformerStyleSheet::IsHidden(const TEntry& entry)
{
    return entry.kind == TKind::HtmlTemplate || (entry.kind == TKind::Param && !entry.value.empty());
}

std::string TTransformerStyleSheet::HiddenName(const TEntry& entry)
{
    return (entry.kind == TKind::Param ? "param-" : "template-") + entry.name;
}

std::vector<std::pair<std::string, std::string>> TTransformerStyleSheet::PageValues() const
{
    std::vector<std::pair<std::string, std::string>> values;
    for (const TEntry& entry : entries_)
        if (IsHidden(entry))
            values.emplace_back("{" + std::string(PageValuesNamespace) + "}" + HiddenName(entry), entry.value);
    return values;
}

xmlDoc* TTransformerStyleSheet::BuildDocument(bool compiledForm) const
{
    xmlDocPtr doc = xmlNewDoc(X("1.0"));
    xmlNodePtr root = xmlNewDocNode(doc, nullptr, X("stylesheet"), nullptr);
    xmlDocSetRootElement(doc, root);
    xmlNsPtr xsl = xmlNewNs(root, XSLT_NAMESPACE, X("xsl"));
    xmlSetNs(root, xsl);
    xmlNewProp(root, X("version"), X("1.0"));

    xmlNodePtr output = AddXslElement(root, xsl, "output");
    xmlNewProp(output, X("method"), X(method_));
    xmlNewProp(output, X("encoding"), X(encoding_));
    xmlNewProp(output, X("indent"), X("no"));

    if (compiledForm) {
        xmlNewNs(root, X(PageValuesNamespace), X(HiddenPrefix));
        for (const TEntry& entry : entries_)
            if (IsHidden(entry))
                xmlNewProp(AddXslElement(root, xsl, "param"), X("name"),
                           X(std::string(HiddenPrefix) + ":" + HiddenName(entry)));
    }

    for (const TEntry& entry : entries_) {
        const bool hidden = compiledForm && IsHidden(entry);
        std::string valueOf = "$";
        valueOf.append(HiddenPrefix).append(":").append(HiddenName(entry));
        switch (entry.kind) {
        case TKind::Param: {
            xmlNodePtr param = AddXslElement(root, xsl, "param");
            xmlNewProp(param, X("name"), X(entry.name));
            if (hidden)
                xmlNewProp(AddXslElement(param, xsl, "value-of"), X("select"), X(valueOf));
            else
                xmlAddChild(param, xmlNewText(X(entry.value)));
            break;
        }
        case TKind::Include:
            xmlNewProp(AddXslElement(root, xsl, "include"), X("href"), X(entry.name));
            break;
        case TKind::Variable: {
            xmlNodePtr variable = AddXslElement(root, xsl, "variable");
            xmlNewProp(variable, X("name"), X(entry.name));
            xmlNewProp(variable, X("select"), X(entry.value));
            break;
        }
        case TKind::HtmlTemplate: {
            xmlNodePtr templ = AddXslElement(root, xsl, "template");
            xmlNewProp(templ, X("name"), X(entry.name));
            xmlNodePtr text = AddXslElement(templ, xsl, hidden ? "value-of" : "text");
            xmlNewProp(text, X("disable-output-escaping"), X("yes"));
            if (hidden)
                xmlNewProp(text, X("select"), X(valueOf));
            else
                xmlAddChild(text, xmlNewText(X(entry.value)));
            break;
        }
        }
    }
    return doc;
}

std::string TTransformerStyleSheet::Serialise(xmlDoc* doc)
{
    xmlChar* text = nullptr;
    int length = 0;
    xmlDocDumpFormatMemoryEnc(doc, &text, &length, "utf-8", 1);
    std::string result(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
    xmlFree(text);
    return result;
}

std::string TTransformerStyleSheet::WorkFileText() const
{
    const TXmlDocPtr doc(BuildDocument(false));
    return Serialise(doc.get());
}

std::string TTransformerStyleSheet::CompiledText() const
{
    const TXmlDocPtr doc(BuildDocument(true));
    return Serialise(doc.get());
}

// The output, then each entry's kind and name, and its value where the
// compiled form holds it (each text ended by a zero byte, which no text holds).
std::string TTransformerStyleSheet::CompiledShape() const
{
    std::string shape = method_;
    shape += '\0';
    shape += encoding_;
    shape += '\0';
    for (const TEntry& entry : entries_) {
        shape += static_cast<char>('0' + static_cast<int>(entry.kind));
        shape += IsHidden(entry) ? 'h' : 'v';
        shape += entry.name;
        shape += '\0';
        if (!IsHidden(entry)) {
            shape += entry.value;
            shape += '\0';
        }
    }
    return shape;
}
