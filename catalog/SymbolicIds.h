#pragma once
// How generation rules, links and tokens name items and item types. The
// catalog definition answers with these rules for the open catalog; test
// stand-ins of the catalog call them with a lookup of their own.
//
// An item: a number other than 0 stands for itself and the empty text for
// 0; "current" and "process" give the current item, "currenttree" the
// current tree item, "mastertemplate" and "bodytemplate" the templates of
// the page being made, "Home" the home page; any other text is looked up as
// an item's XML tag name (0 when not listed). Keywords are compared exactly.
//
// An item type: a number other than 0 or the empty text gives that number;
// "current" and "process" give the current type; any other text is looked
// up as an item type's XML tag name.
#include <string>

class TCatalogDefinitionLookup;

struct TCurrentIds {
    int ItemId = 0;
    int TreeItemId = 0;
    int MasterTemplateId = 0;
    int BodyTemplateId = 0;
};

int ResolveSymbolicItemId(const std::string& text, const TCurrentIds& current, TCatalogDefinitionLookup& lookup);
int ResolveSymbolicItemType(const std::string& text, int currentType, TCatalogDefinitionLookup& lookup);
