#include "generation/PageDocument.h"

#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "generation/XmlKeptElements.h"

#include <libxml/tree.h>

namespace {

const xmlChar* X(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

}  // namespace

TPageDocument::TPageDocument(const std::string& catalogCode, xmlDict* names) : doc_(xmlNewDoc(X("1.0")))
{
    // The names of elements and attributes are kept once in the document's
    // dictionary instead of allocated (and freed) for every node.
    if (names && xmlDictReference(names) == 0)
        doc_->dict = names;
    else
        doc_->dict = xmlDictCreate();
    xmlNodePtr root = xmlNewDocNode(doc_, nullptr, X("Page"), nullptr);
    xmlDocSetRootElement(doc_, root);
    SetAttribute(root, "CatalogCode", catalogCode);
}

TPageDocument::TPageDocument(const std::string& catalogCode, std::shared_ptr<TXmlKeptElements> kept)
    : TPageDocument(catalogCode, kept ? kept->Names() : nullptr)
{
    kept_ = std::move(kept);
    if (kept_ && doc_->dict == kept_->Names())
        kept_->AcceptBorrower(doc_);
}

TPageDocument::~TPageDocument()
{
    // What the document borrows is no part of it: given back before it is freed.
    if (kept_)
        kept_->Return(doc_);
    xmlFreeDoc(doc_);
}

xmlNode* TPageDocument::Root() const
{
    return xmlDocGetRootElement(doc_);
}

void TPageDocument::SetAttribute(xmlNode* element, const std::string& name, const std::string& value)
{
    xmlSetProp(element, X(name), X(value));
}

xmlNode* TPageDocument::AddElement(xmlNode* parent, const std::string& name, const std::string& text)
{
    if (xmlValidateName(X(name), 0) != 0)
        throw ECriticalTolvexException("\"" + name + "\" is no valid name of an element of the page document");
    // A new node of the document, so that it takes no namespace of its parent.
    xmlNodePtr element = xmlAddChild(parent, xmlNewDocNode(doc_, nullptr, X(name), nullptr));
    if (!text.empty())
        xmlAddChild(element, xmlNewDocText(doc_, X(text)));
    return element;
}

std::string TPageDocument::Text() const
{
    xmlChar* text = nullptr;
    int length = 0;
    xmlDocDumpFormatMemoryEnc(doc_, &text, &length, "utf-8", 0);
    std::string result(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
    xmlFree(text);
    return result;
}

void TPageDocument::SaveToFile(const std::string& fileName) const
{
    TCommonFunctions::SaveWorkFile(Text(), fileName);
}
