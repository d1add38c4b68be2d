#include "generation/TemplatesRuleCache.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/XmlPtr.h"
#include "generation/TolvexNamespace.h"
#include "generation/TransformerXsltScope.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <memory>

namespace {

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

std::string Content(const xmlNode* node)
{
    xmlChar* value = xmlNodeGetContent(node);
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return common_detail::Trim(text);
}

// The name the DOM gives a node: the qualified name of an element, the
// target of a processing instruction, "#comment", "#text", "#cdata-section".
std::string NodeName(const xmlNode* node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
        return node->ns && node->ns->prefix
                   ? std::string(reinterpret_cast<const char*>(node->ns->prefix)) + ":" +
                         reinterpret_cast<const char*>(node->name)
                   : reinterpret_cast<const char*>(node->name);
    case XML_PI_NODE: return reinterpret_cast<const char*>(node->name);
    case XML_COMMENT_NODE: return "#comment";
    case XML_CDATA_SECTION_NODE: return "#cdata-section";
    default: return "#text";
    }
}

// The rule text of one rule element; empty when it has no child elements.
std::string RuleText(const xmlNode* rule)
{
    std::string text;
    bool hasElement = false;
    for (const xmlNode* child = rule->children; child; child = child->next) {
        const std::string content = Content(child);
        if (child->type == XML_TEXT_NODE && content.empty())
            continue;
        hasElement = hasElement || child->type == XML_ELEMENT_NODE;
        text += NodeName(child) + "=" + content + "&";
    }
    return hasElement ? text : std::string();
}

}  // namespace

bool TTemplatesRuleCache::GetRules(const std::string& text, const std::string& predicate,
                                   std::vector<std::string>& rules)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (it->predicate == predicate && it->text == text) {
            entries_.splice(entries_.begin(), entries_, it);
            rules = it->rules;
            return it->loaded;
        }
    TEntry entry;
    entry.predicate = predicate;
    entry.text = text;
    entry.loaded = ReadRules(text, predicate, entry.rules);
    rules = entry.rules;
    entries_.push_front(std::move(entry));
    if (entries_.size() > Capacity)
        entries_.pop_back();
    return entries_.front().loaded;
}

bool TTemplatesRuleCache::ReadRules(const std::string& text, const std::string& predicate,
                                    std::vector<std::string>& rules)
{
    rules.clear();
    TTransformerXsltScope scope;  // keeps parse errors of broken templates off the console
    const TXmlDocPtr doc(
        xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_NONET));
    if (!doc || !xmlDocGetRootElement(doc.get()))
        return false;
    const TXPathContextPtr context(xmlXPathNewContext(doc.get()));
    xmlXPathRegisterNs(context.get(), X(TolvexNamespacePrefix), X(TolvexNamespaceUri));
    context->node = xmlDocGetRootElement(doc.get());
    const std::string path = "//" + std::string(TolvexNamespacePrefix) + ":" + TolvexRuleElementName + predicate;
    const TXPathObjectPtr found(xmlXPathEvalExpression(X(path.c_str()), context.get()));
    if (!found)
        throw ECriticalTolvexException("The rules of a template cannot be selected by \"" + path + "\"");
    if (found->nodesetval)
        for (int i = 0; i < found->nodesetval->nodeNr; ++i)
            if (std::string rule = RuleText(found->nodesetval->nodeTab[i]); !rule.empty())
                rules.push_back(std::move(rule));
    return true;
}
