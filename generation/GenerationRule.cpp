#include "generation/GenerationRule.h"

#include "common/CommonFunctionsDetail.h"
#include "common/ParamList.h"

#include <libxml/tree.h>

namespace {

std::string Text(const xmlChar* text)
{
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The DOM's name of a node: the qualified name of an element, "#text",
// "#comment" and "#cdata-section" for those, the target of a processing
// instruction.
std::string NodeName(const xmlNode* node)
{
    switch (node->type) {
    case XML_TEXT_NODE: return "#text";
    case XML_COMMENT_NODE: return "#comment";
    case XML_CDATA_SECTION_NODE: return "#cdata-section";
    case XML_ELEMENT_NODE:
        if (node->ns && node->ns->prefix)
            return Text(node->ns->prefix) + ":" + Text(node->name);
        return Text(node->name);
    default: return Text(node->name);
    }
}

std::string NodeText(const xmlNode* node)
{
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = Text(content);
    xmlFree(content);
    return text;
}

bool HasChildElement(const xmlNode* element)
{
    for (const xmlNode* child = element->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE)
            return true;
    return false;
}

}  // namespace

TGenerationRule::TGenerationRule(const std::string& ruleText) : fields_(TParamList::SplitFields(ruleText, '&', false))
{
}

std::string TGenerationRule::TextOfElement(const xmlNode* ruleElement)
{
    if (!ruleElement || !HasChildElement(ruleElement))
        return {};
    std::string text;
    for (const xmlNode* child = ruleElement->children; child; child = child->next) {
        const std::string value = NodeText(child);
        if (child->type == XML_TEXT_NODE && IsBlank(value))
            continue;
        text += NodeName(child) + "=" + value + "&";
    }
    return text;
}

TCondition TGenerationRule::ReadCondition(const std::string& condition, const std::string& xmlCondition)
{
    TCondition result;
    if (!xmlCondition.empty()) {
        result.Active = true;
        result.Kind = TCondition::ckXPath;
        result.Value = xmlCondition;
    }
    const std::size_t at = condition.find_first_of("<=>");
    if (!condition.empty() && at != std::string::npos) {
        result.Active = true;
        result.Kind = TCondition::ckMember;
        result.Operator = condition[at];
        result.Member = condition.substr(0, at);
        result.Value = condition.substr(at + 1);
    }
    return result;
}

std::string TGenerationRule::Value(const std::string& key) const
{
    for (const std::string& field : fields_)
        if (field.find('=') != std::string::npos && common_detail::SameText(TParamList::NameOf(field), key))
            return TParamList::ValueOf(field);
    return {};
}

std::vector<std::string> TGenerationRule::Values(const std::string& key) const
{
    std::vector<std::string> values;
    for (const std::string& field : fields_)
        if (field.find('=') != std::string::npos && TParamList::NameOf(field) == key)
            values.push_back(TParamList::ValueOf(field));
    return values;
}

std::string TGenerationRule::LastValue(const std::string& key) const
{
    const std::vector<std::string> values = Values(key);
    return values.empty() ? std::string() : values.back();
}
