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

// A copy of Node for Document, whose names are in the same dictionary as
// Node's: element and attribute names are taken over as they are. What is
// no plain element, attribute or text is copied by libxml2.
xmlNode* CopyWithSameNames(const xmlNode* node, xmlDoc* document)
{
    // Text nodes named "textnoenc" (written without escaping) are left to libxml2.
    if (node->type == XML_TEXT_NODE && xmlStrEqual(node->name, reinterpret_cast<const xmlChar*>("text")))
        return xmlNewDocText(document, node->content);
    if (node->type != XML_ELEMENT_NODE || node->ns || node->nsDef)
        return xmlDocCopyNode(const_cast<xmlNode*>(node), document, 1);
    xmlNode* copy = xmlNewDocNodeEatName(document, nullptr, const_cast<xmlChar*>(node->name), nullptr);
    for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
        const xmlNode* value = attribute->children;
        if (!attribute->ns && (!value || (value->type == XML_TEXT_NODE && !value->next))) {
            xmlNewNsPropEatName(copy, nullptr, const_cast<xmlChar*>(attribute->name), value ? value->content : nullptr);
        } else {
            xmlFreeNode(copy);
            return xmlDocCopyNode(const_cast<xmlNode*>(node), document, 1);
        }
    }
    // Children linked as libxml2 links a copied list (adjacent texts stay apart).
    xmlNode* last = nullptr;
    for (const xmlNode* child = node->children; child; child = child->next) {
        xmlNode* childCopy = CopyWithSameNames(child, document);
        childCopy->parent = copy;
        childCopy->prev = last;
        if (last)
            last->next = childCopy;
        else
            copy->children = childCopy;
        last = childCopy;
    }
    copy->last = last;
    return copy;
}

}  // namespace

TXmlBuilderRunCache::TXmlBuilderRunCache() : doc_(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")))
{
    doc_->dict = xmlDictCreate();
}

xmlDict* TXmlBuilderRunCache::Names() const
{
    return doc_->dict;
}

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
    const bool sameNames = document->dict && document->dict == doc_->dict;
    for (const xmlNode* node : found->second)
        xmlAddChild(target, sameNames ? CopyWithSameNames(node, document)
                                      : xmlDocCopyNode(const_cast<xmlNode*>(node), document, 1));
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
