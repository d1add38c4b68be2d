#include "generation/XmlBuilderRunCache.h"

#include <libxml/tree.h>

namespace {

bool UsesNamespaces(const xmlNode* node)
{
    for (; node; node = node->next) {
        if (node->ns || node->nsDef)
            return true;
        if (node->type == XML_ELEMENT_NODE) {
            for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next)
                if (attribute->ns)
                    return true;
            if (UsesNamespaces(node->children))
                return true;
        }
    }
    return false;
}

}  // namespace

TXmlBuilderRunCache::TXmlBuilderRunCache() : doc_(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"))) {}

TXmlBuilderRunCache::~TXmlBuilderRunCache()
{
    // The kept elements are no part of the document's tree: freed one by one.
    for (auto& [key, nodes] : elements_)
        for (xmlNode* node : nodes)
            xmlFreeNode(node);
    xmlFreeDoc(doc_);
}

const std::vector<int>& TXmlBuilderRunCache::Ids(const std::string& key, const std::function<std::vector<int>()>& read)
{
    auto found = ids_.find(key);
    if (found == ids_.end())
        found = ids_.emplace(key, read()).first;
    return found->second;
}

bool TXmlBuilderRunCache::CopyElements(const std::string& key, xmlDoc* document, xmlNode* target) const
{
    const auto found = elements_.find(key);
    if (found == elements_.end())
        return false;
    for (const xmlNode* node : found->second)
        xmlAddChild(target, xmlDocCopyNode(const_cast<xmlNode*>(node), document, 1));
    return true;
}

void TXmlBuilderRunCache::RememberElements(const std::string& key, const xmlNode* first)
{
    if (UsesNamespaces(first))
        return;
    std::vector<xmlNode*> copies;
    for (const xmlNode* node = first; node; node = node->next)
        copies.push_back(xmlDocCopyNode(const_cast<xmlNode*>(node), doc_, 1));
    elements_[key] = std::move(copies);
}
