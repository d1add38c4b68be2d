#include "generation/TemplatesRuleCache.h"

#include "common/Exceptions.h"
#include "common/XmlPtr.h"
#include "generation/GenerationRule.h"
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
            if (std::string rule = TGenerationRule::TextOfElement(found->nodesetval->nodeTab[i]); !rule.empty())
                rules.push_back(std::move(rule));
    return true;
}
