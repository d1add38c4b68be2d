#pragma once
// A generation rule of a page template: a text of fields "key=value" joined
// by "&", which tells the page XML builder what to write into the page
// document. Templates hold a rule as a "tolvex:xml-generation-rule" element
// whose child elements are the keys; TextOfElement turns such an element
// into the rule text.
//
// The text is split like web-form fields (see TParamList) but without URL
// decoding, so values may hold "%" and "+" as they are. A field is split at
// its first "=": values may hold "=", a field without one has no key.
// ClassXmlTag, ItemType and ProcessForItemType may be repeated (every field
// whose key is exactly that word counts, in rule order); of CatalogCode the
// last field with exactly that key counts; every other key reads the value
// of its first field, keys compared without regard to case.
#include <string>
#include <vector>

typedef struct _xmlNode xmlNode;

// A condition of a rule: a member comparison ("Price>100") or an XPath
// expression that must select a node of the page document.
struct TCondition {
    enum TKind : int { ckNone = 0, ckMember = 1, ckXPath = 2 };

    bool Active = false;
    int Kind = ckNone;
    std::string Member;
    char Operator = ' ';  // "<", "=" or ">"; blank for XPath
    std::string Value;
};

// What an action of a rule works with.
struct TRuleData {
    std::string Action;
    std::vector<int> ItemTypes;  // resolved, none of them 0
    std::vector<std::string> ClassXmlTags;
    std::string TagName;
    std::string ItemTagName;
    TCondition Condition;
};

// How a rule iterates over a set of items (key ProcessFor).
struct TProcessForData {
    std::string ProcessFor;
    int ProcessForItemId = 0;
    std::vector<int> ProcessForItemTypes;  // resolved, none of them 0
    std::string ProcessForTagName;
    bool ProcessForAddItemType = false;
    TCondition Condition;
};

class TGenerationRule {
public:
    explicit TGenerationRule(const std::string& ruleText);

    // The rule text of a rule element: for every child node in document
    // order its node name, "=", its text and "&". Comments and text directly
    // inside take part under the names "#comment" and "#text" (which are no
    // keys); text that is only white space between the keys is left out.
    // Empty for an element without child elements.
    static std::string TextOfElement(const xmlNode* ruleElement);

    // The condition of the keys Condition and XmlCondition (or
    // ProcessForCondition and ProcessForXmlCondition): a member comparison,
    // split at its first "<", "=" or ">", wins over an XPath expression; a
    // comparison without any of the three characters counts as absent.
    static TCondition ReadCondition(const std::string& condition, const std::string& xmlCondition);

    const std::vector<std::string>& Fields() const { return fields_; }
    // The value of the first field whose key equals Key, ignoring case;
    // empty when there is none.
    std::string Value(const std::string& key) const;
    // The values of every field whose key is exactly Key, in rule order.
    std::vector<std::string> Values(const std::string& key) const;
    // The value of the last field whose key is exactly Key; empty when none.
    std::string LastValue(const std::string& key) const;

private:
    std::vector<std::string> fields_;
};
