#pragma once
// The few DOM operations of the page XML builder. Names come from
// generation rules and must be XML names; texts and attribute values are
// written with control characters turned into blanks, so that catalog
// values of any content give a well-formed page.
#include <string>

typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;

namespace xml_builder_nodes {

// Appends a new element to Parent. ECriticalTolvexException when Name is
// no XML name or the DOM fails.
xmlNode* AddElement(xmlDoc* doc, xmlNode* parent, const std::string& name);
void SetAttribute(xmlNode* element, const std::string& name, const std::string& value);
void SetAttribute(xmlNode* element, const std::string& name, int value);
// Appends a text node (nothing for an empty text).
void AddText(xmlDoc* doc, xmlNode* element, const std::string& text);
// The root element of the document; EDeveloperTolvexException when it has none.
xmlNode* RootElement(xmlDoc* doc);

}  // namespace xml_builder_nodes
