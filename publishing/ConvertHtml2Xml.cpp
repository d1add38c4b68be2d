#include "publishing/ConvertHtml2Xml.h"

#include "common/CommonFunctionsDetail.h"
#include "publishing/HtmlLoader.h"

#include <libxml/valid.h>

#include <algorithm>

namespace {

std::string Trimmed(const xmlChar* text)
{
    return common_detail::Trim(text ? reinterpret_cast<const char*>(text) : "");
}

// A name XML takes without a namespace: a valid name without a prefix, or
// with the "xml" prefix every document has.
bool IsPlainXmlName(const std::string& name)
{
    if (name.empty() || xmlValidateName(BAD_CAST name.c_str(), 0) != 0)
        return false;
    const std::size_t colon = name.find(':');
    return colon == std::string::npos || name.compare(0, colon, "xml") == 0;
}

}  // namespace

bool TConvertHtml2Xml::ConvertFile(const std::string& fileName, xmlNode* parent, bool bodyOnly)
{
    THtmlLoader loader;
    if (!loader.LoadFromFile(fileName))
        return false;
    ConvertNode(loader.Root(), parent, !bodyOnly);
    return true;
}

void TConvertHtml2Xml::Collect(std::vector<std::string>* list, const std::string& address)
{
    if (list && !address.empty() && std::find(list->begin(), list->end(), address) == list->end())
        list->push_back(address);
}

void TConvertHtml2Xml::ConvertNode(const xmlNode* node, xmlNode* parent, bool copy)
{
    const std::string name = Trimmed(node->name);
    if (name.empty() || name.find('/') != std::string::npos) {
        if (Log)
            Log("Wrong tag name \"" + name + "\"");
        return;
    }
    xmlNode* current = parent;
    if (copy) {
        if (IsPlainXmlName(name)) {
            current = xmlNewDocNode(parent->doc, nullptr, node->name, nullptr);
            xmlAddChild(parent, current);
            if (THtmlLoader::IsElement(node, "script")) {
                const std::string text = THtmlLoader::Text(node);
                if (!common_detail::Trim(text).empty())
                    xmlAddChild(current, xmlNewCDataBlock(parent->doc, BAD_CAST text.c_str(), static_cast<int>(text.size())));
            }
            CopyAttributes(node, current);
        } else if (Log) {
            // Its content is kept, in the element above it.
            Log("Wrong tag name \"" + name + "\"");
        }
    }
    if (THtmlLoader::IsElement(node, "body"))
        copy = true;
    if (THtmlLoader::IsElement(node, "script") && current != parent)
        return;  // its text is the CDATA section above
    for (const xmlNode* child = node->children; child; child = child->next) {
        switch (child->type) {
        case XML_ELEMENT_NODE:
            ConvertNode(child, current, copy);
            break;
        case XML_TEXT_NODE:
            if (copy)
                xmlAddChild(current, xmlNewDocText(parent->doc, child->content));
            break;
        case XML_CDATA_SECTION_NODE:
            if (copy)
                xmlAddChild(current, xmlNewDocText(parent->doc, child->content));
            break;
        case XML_COMMENT_NODE:
            if (copy)
                xmlAddChild(current, xmlNewDocComment(parent->doc, child->content));
            break;
        default:
            if (Log)
                Log("Unknown html node type " + std::to_string(static_cast<int>(child->type)));
        }
    }
}

void TConvertHtml2Xml::CopyAttributes(const xmlNode* node, xmlNode* element)
{
    for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
        const std::string name = reinterpret_cast<const char*>(attribute->name);
        const std::string lower = common_detail::LowerCase(name);
        if (lower == "xmlns" || lower.rfind("xmlns:", 0) == 0)
            continue;
        if (!IsPlainXmlName(name)) {
            if (Log)
                Log("Wrong attribute name \"" + name + "\"");
            continue;
        }
        const TXmlStringPtr value(xmlNodeListGetString(node->doc, attribute->children, 1));
        const std::string text = value ? reinterpret_cast<const char*>(value.get()) : "";
        xmlSetProp(element, attribute->name, BAD_CAST text.c_str());
        if (lower == "href" && THtmlLoader::IsElement(node, "link"))
            Collect(StyleSheets, text);
        else if (lower == "src" && (THtmlLoader::IsElement(node, "img") || THtmlLoader::IsElement(node, "input")))
            Collect(Images, text);
        else if (lower == "background")
            Collect(Images, text);
        else if (lower == "src" && THtmlLoader::IsElement(node, "script"))
            Collect(Scripts, text);
    }
}
