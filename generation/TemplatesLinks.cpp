// Link previews of the page-links editor: the links that a link group of a
// page would show, found by running the group's rules into a scratch
// document and reading the names back.
#include "generation/Templates.h"

#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/XmlPtr.h"
#include "generation/GenerationRule.h"
#include "generation/TransformerCatalog.h"
#include "generation/PageXmlSource.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxslt/xslt.h>

#include <memory>
#include <vector>

namespace {

const xmlChar* X(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

std::string Content(const xmlNode* node)
{
    xmlChar* value = xmlNodeGetContent(node);
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

// The attribute "indent" of the node's parent element; "0" when absent.
std::string Indent(const xmlNode* node)
{
    if (!node->parent || node->parent->type != XML_ELEMENT_NODE)
        return "0";
    xmlChar* value = xmlGetProp(node->parent, X("indent"));
    std::string indent = value ? reinterpret_cast<const char*>(value) : "0";
    xmlFree(value);
    return indent;
}

// XPath selections on one document.
class TSelector {
public:
    explicit TSelector(xmlDocPtr doc) : context_(xmlXPathNewContext(doc)) {}

    // The nodes Path selects from Node (the document element when null).
    std::vector<xmlNodePtr> Select(const std::string& path, xmlNodePtr node = nullptr)
    {
        context_->node = node ? node : xmlDocGetRootElement(context_->doc);
        const TXPathObjectPtr found(xmlXPathEvalExpression(X(path), context_.get()));
        if (!found)
            throw ECriticalTolvexException("The links cannot be selected by \"" + path + "\"");
        std::vector<xmlNodePtr> nodes;
        if (found->nodesetval)
            nodes.assign(found->nodesetval->nodeTab, found->nodesetval->nodeTab + found->nodesetval->nodeNr);
        return nodes;
    }

private:
    TXPathContextPtr context_;
};

// A document whose element is an empty "xsl:stylesheet", for the rules to write into.
xmlDocPtr ScratchDocument()
{
    xmlDocPtr doc = xmlNewDoc(X("1.0"));
    xmlNodePtr root = xmlNewDocNode(doc, nullptr, X("stylesheet"), nullptr);
    xmlDocSetRootElement(doc, root);
    xmlSetNs(root, xmlNewNs(root, XSLT_NAMESPACE, X("xsl")));
    xmlNewProp(root, X("version"), X("1.0"));
    return doc;
}

}  // namespace

void TTemplates::GetDefaultLinks(int itemId, int treeItemId, const std::string& catalogCode,
                                 TAbstractObjectCollection& collection, TAbstractDBConnection& connection,
                                 const std::vector<std::string>& rules, std::vector<std::string>& list,
                                 const std::string& linkGroup, const std::string& langCode, int itemType)
{
    CollectLinks(itemId, treeItemId, catalogCode, collection, connection, rules, list, linkGroup, langCode,
                 itemType, false);
}

void TTemplates::GetParentLinks(int itemId, int treeItemId, const std::string& catalogCode,
                                TAbstractObjectCollection& collection, TAbstractDBConnection& connection,
                                const std::vector<std::string>& rules, std::vector<std::string>& list,
                                const std::string& linkGroup, const std::string& langCode, int itemType)
{
    CollectLinks(itemId, treeItemId, catalogCode, collection, connection, rules, list, linkGroup, langCode,
                 itemType, true);
}

void TTemplates::CollectLinks(int itemId, int treeItemId, const std::string& catalogCode,
                              TAbstractObjectCollection& collection, TAbstractDBConnection& connection,
                              const std::vector<std::string>& rules, std::vector<std::string>& list,
                              const std::string& linkGroup, const std::string& langCode, int itemType,
                              bool parentLinks)
{
    list.clear();
    const TXmlDocPtr doc(ScratchDocument());
    std::string tag;
    {
        std::unique_ptr<TPageXmlSource> builder = catalog_.CreatePageXmlSource(doc.get(), nullptr);
        for (const std::string& rule : rules) {
            const TGenerationRule fields(rule);
            if (fields.Value("LinkGroup") != linkGroup)
                continue;
            builder->ProcessRule(itemId, treeItemId, itemType, rule, connection, collection, catalogCode, true);
            tag = fields.Value("TagName");
        }
    }
    // The names are compared as XPath strings, so that any tag, group name
    // or language code selects exactly its own elements.
    const std::string wrappers =
        tag.empty() ? std::string("//*") : "//*[name() = " + TCommonFunctions::XPathStringLiteral(tag) + "]";
    TSelector selector(doc.get());
    const std::string inLanguage = "[@LanguageCode = " + TCommonFunctions::XPathStringLiteral(langCode) + "]";
    for (xmlNodePtr name : selector.Select(wrappers + "/CommonNames/ItemName" + inLanguage))
        list.push_back(Indent(name) + (parentLinks ? "=1#" : "=") + Content(name));
    if (!parentLinks)
        return;
    for (xmlNodePtr link : selector.Select(wrappers + "/LinkGroup[ ./LinkGroup = " +
                                           TCommonFunctions::XPathStringLiteral(linkGroup) +
                                           " ]/Link/LinkObject")) {
        const bool pageLink = !selector.Select("./IsPageLink[ . = '1' ]", link).empty();
        const std::vector<xmlNodePtr> caption =
            selector.Select(pageLink ? "./PageItemId/CommonNames/ItemName" + inLanguage : "./Caption" + inLanguage,
                            link);
        if (!caption.empty())
            list.push_back(Indent(link) + "=" + (pageLink ? "1#" : "0#") + Content(caption.front()));
    }
}
