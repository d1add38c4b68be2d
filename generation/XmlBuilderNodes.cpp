#include "generation/XmlBuilderNodes.h"

#include "common/CommonFunctions.h"
#include "common/Exceptions.h"

#include <libxml/tree.h>

namespace xml_builder_nodes {

namespace {

const xmlChar* X(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

template <typename T>
T* Check(T* result)
{
    if (!result)
        throw ECriticalTolvexException("Cannot build the page document");
    return result;
}

}  // namespace

xmlNode* AddElement(xmlDoc* doc, xmlNode* parent, const std::string& name)
{
    if (!parent)
        throw EDeveloperTolvexException("No parent element in the page document");
    if (xmlValidateNCName(X(name), 0) != 0)
        throw ECriticalTolvexException("The generation rule names the element \"" + name +
                                       "\", which is not a valid XML name");
    xmlNode* element = Check(xmlNewDocNode(doc, nullptr, X(name), nullptr));
    if (!xmlAddChild(parent, element)) {
        xmlFreeNode(element);
        Check<xmlNode>(nullptr);
    }
    return element;
}

void SetAttribute(xmlNode* element, const std::string& name, const std::string& value)
{
    Check(xmlSetProp(element, X(name), X(TCommonFunctions::AnsiToWide(value))));
}

void SetAttribute(xmlNode* element, const std::string& name, int value)
{
    SetAttribute(element, name, std::to_string(value));
}

void AddText(xmlDoc* doc, xmlNode* element, const std::string& text)
{
    if (text.empty())
        return;
    xmlNode* node = Check(xmlNewDocText(doc, X(TCommonFunctions::AnsiToWide(text))));
    if (!xmlAddChild(element, node)) {
        xmlFreeNode(node);
        Check<xmlNode>(nullptr);
    }
}

xmlNode* RootElement(xmlDoc* doc)
{
    xmlNode* root = doc ? xmlDocGetRootElement(doc) : nullptr;
    if (!root)
        throw EDeveloperTolvexException("The page document has no root element");
    return root;
}

}  // namespace xml_builder_nodes
