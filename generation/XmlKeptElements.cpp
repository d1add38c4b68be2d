#include "generation/XmlKeptElements.h"

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

// Whether a transform leaves the nodes as they are: elements and what is
// in them, without blank text nodes (stripped by xsl:strip-space).
bool Lendable(const xmlNode* node, bool topLevel)
{
    for (; node; node = node->next) {
        if (topLevel && node->type != XML_ELEMENT_NODE)
            return false;
        if (node->type == XML_TEXT_NODE && xmlIsBlankNode(node))
            return false;
        if (node->type == XML_ELEMENT_NODE && !Lendable(node->children, false))
            return false;
    }
    return true;
}

// Makes Node and everything in it part of Document. The order a transform
// noted in elements (XPath keeps it in their content) is cleared, as a new
// element has none.
void Adopt(xmlNode* node, xmlDoc* document)
{
    node->doc = document;
    if (node->type == XML_ELEMENT_NODE) {
        node->content = nullptr;
        for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
            attribute->doc = document;
            for (xmlNode* text = attribute->children; text; text = text->next)
                text->doc = document;
        }
    }
    for (xmlNode* child = node->children; child; child = child->next)
        Adopt(child, document);
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

TXmlKeptElements::TXmlKeptElements() : doc_(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")))
{
    doc_->dict = xmlDictCreate();
}

TXmlKeptElements::~TXmlKeptElements()
{
    // Every borrower holds this object, so nothing is lent any more. The
    // kept elements are no part of the document's tree: freed one by one.
    for (auto& [key, entry] : elements_)
        for (TSet& set : entry.sets) {
            Own(set);
            for (xmlNode* node : set.nodes)
                xmlFreeNode(node);
        }
    xmlFreeDoc(doc_);
}

xmlDict* TXmlKeptElements::Names() const
{
    return doc_->dict;
}

void TXmlKeptElements::Remember(const std::string& key, const xmlNode* first)
{
    if (UsesNamespaces(first))
        return;
    const std::lock_guard lock(mutex_);
    if (elements_.count(key))
        return;
    TEntry entry;
    entry.lendable = first && Lendable(first, true);
    TSet& set = entry.sets.emplace_back();
    for (const xmlNode* node = first; node; node = node->next)
        set.nodes.push_back(xmlDocCopyNode(const_cast<xmlNode*>(node), doc_, 1));
    elements_.emplace(key, std::move(entry));
}

bool TXmlKeptElements::Put(const std::string& key, xmlDoc* document, xmlNode* target)
{
    const std::lock_guard lock(mutex_);
    const auto found = elements_.find(key);
    if (found == elements_.end())
        return false;
    TEntry& entry = found->second;
    const auto borrower = loans_.find(document);
    if (entry.lendable && borrower != loans_.end()) {
        TSet& set = FreeSet(entry);
        for (xmlNode* node : set.nodes) {
            Adopt(node, document);
            xmlAddChild(target, node);
        }
        set.lentTo = document;
        set.stale = false;
        borrower->second.push_back(&set);
        return true;
    }
    const bool sameNames = document->dict && document->dict == doc_->dict;
    Own(entry.sets.front());
    for (const xmlNode* node : entry.sets.front().nodes)
        xmlAddChild(target, sameNames ? CopyWithSameNames(node, document)
                                      : xmlDocCopyNode(const_cast<xmlNode*>(node), document, 1));
    return true;
}

// A set of the entry's elements that no document borrows; a new copy when all are lent.
TXmlKeptElements::TSet& TXmlKeptElements::FreeSet(TEntry& entry)
{
    for (TSet& set : entry.sets)
        if (!set.lentTo)
            return set;
    Own(entry.sets.front());
    TSet& copy = entry.sets.emplace_back();
    for (const xmlNode* node : entry.sets.front().nodes)
        copy.nodes.push_back(CopyWithSameNames(node, doc_));
    return copy;
}

void TXmlKeptElements::Own(TSet& set)
{
    if (!set.stale)
        return;
    for (xmlNode* node : set.nodes)
        Adopt(node, doc_);
    set.stale = false;
}

void TXmlKeptElements::AcceptBorrower(xmlDoc* document)
{
    const std::lock_guard lock(mutex_);
    loans_[document];
}

void TXmlKeptElements::Return(xmlDoc* document)
{
    const std::lock_guard lock(mutex_);
    const auto borrower = loans_.find(document);
    if (borrower == loans_.end())
        return;
    // The nodes are only unlinked here: walking them all to make them the
    // kept document's again is left until they are used otherwise than
    // lent once more (lending walks them anyway).
    for (TSet* set : borrower->second) {
        for (xmlNode* node : set->nodes)
            xmlUnlinkNode(node);
        set->lentTo = nullptr;
        set->stale = true;
    }
    loans_.erase(borrower);
}
