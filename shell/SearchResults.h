#pragma once
// What the search-result pane finds and opens, without widgets. The action
// string of a search kind names the item type to search (ByItemType, an
// item type's tag name) and the classes whose texts are searched
// (ByClassId, any number of class tags; none means every class). A search
// lists the items of that type with a text of those classes (a short text
// or a long one, such as a page's own text), in the current editing
// language or stored for every language, that contains the keyword
// (compared with LIKE, so "%" and "_" in the keyword are wildcards), each
// captioned with its name. Opening a found item opens it at its visible
// place in the web tree.
#include "common/ItemDescription.h"

#include <functional>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TAbstractObjectCollection;

class TSearchResults {
public:
    struct TRequest {
        bool Runs = false;  // ByItemType was given
        int ItemType = 0;   // 0 when the tag names no item type
        std::vector<int> ClassIds;
    };
    struct TFound {
        std::string Caption;
        TItemDescription Item;
    };
    using TLookup = std::function<int(const std::string&)>;

    // Reads the keys of the action string; ItemTypeByName and ClassIdByTag
    // give 0 for an unknown name.
    static TRequest ParseRequest(const std::string& action, const TLookup& itemTypeByName,
                                 const TLookup& classIdByTag);
    // The statement of a request (parameters :CatalogCode, :StrValue,
    // :AllLangCode and :LangCode).
    static std::string BuildSearchQuery(const TRequest& request);
    // Runs the request on the connection; items without a "CommonNames"
    // object in the collection are left out.
    static std::vector<TFound> Search(const TRequest& request, const std::string& keyword,
                                      TAbstractDBConnection& connection, const std::string& catalogCode,
                                      const std::string& langCode, TAbstractObjectCollection& objects);

    // The tree item to open for a found entry: for the item's own placement
    // a visible further placement when there is one (FindVisibleCopy gives
    // 0 without), else the entry's own id.
    static int OpenTargetId(const TItemDescription& item, const std::function<int(int)>& findVisibleCopy);
    // The action string that opens it in the editor pane.
    static std::string OpenAction(const std::string& tabName, int itemId);
};
