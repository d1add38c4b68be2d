#pragma once
// The questions that editors, the page builder, the trees and the shell ask
// about the open catalog's items: names with their fall-backs, names of
// many items at once, children in the orders the program shows them,
// ancestors, items of a type, visible siblings, and whether a member value
// is already used by another item. The open catalog's data owns one and
// passes these operations on.
//
// Every operation reads through the connection the caller passes (the main
// connection or an editing context's own one) and hands back the queries it
// borrows on every path; database errors raise to the caller. Missing rows
// give 0, the empty text or an empty list.
//
// Catalog codes: operations without one read the open catalog; those with
// one read the given catalog, an empty code meaning the open catalog's.
// Languages: an empty language stands for the current data language.
// Lists are text lists: "id=name" lines or plain ids as decimal text.
//
// Item names are member 1 of class 1 ("CommonNames"/"ItemName") in CStrings,
// one row per language; a name under "XXX" serves every language.
#include "common/ItemDescription.h"

#include <string>
#include <vector>

class TAbstractCatalog;
class TAbstractDBConnection;
class TTolvexObjectContext;

class TCatalogQueries {
public:
    // Catalog: the open catalog (code and languages); Context: the class
    // definitions. Neither is owned.
    TCatalogQueries(TAbstractCatalog& catalog, TTolvexObjectContext& context) : catalog_(catalog), context_(context) {}

    // ---- single values (one statement each) ----------------------------------------
    // ItemType of the row; 0 without.
    int GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    // The row as a tree node sees it: Visible when NotVisible is 0 or empty,
    // Flags 0. For id 0 or a missing row every field is empty (not visible).
    TItemDescription GetItemDescription(int itemId, const std::string& catalogCode,
                                        TAbstractDBConnection& connection);
    // The first item that has the name in any language; 0 without.
    int FindItemByName(const std::string& name, const std::string& catalogCode, TAbstractDBConnection& connection);
    // The same among the children of ParentId.
    int FindChildByName(const std::string& name, const std::string& catalogCode, TAbstractDBConnection& connection,
                        int parentId);
    // The user item (class 602) of that user name, compared as stored.
    int FindUserItem(const std::string& userName, TAbstractDBConnection& connection);
    // The first object of the item whose member holds Value in Lang; its InstanceId or 0.
    int FindInstanceByValue(int itemId, int classId, int memberId, TAbstractDBConnection& connection,
                            const std::string& langCode, const std::string& value);
    // The first child of the type; 0 without.
    int FindChildOfType(int parentId, int itemType, TAbstractDBConnection& connection,
                        const std::string& catalogCode);
    // The text value of the member in Lang (first row), empty without; no fall-backs.
    std::string ReadStringMember(int itemId, int classId, int memberId, const std::string& langCode,
                                 TAbstractDBConnection& connection);
    std::string ReadStringMemberOfCatalog(int itemId, int classId, int memberId, const std::string& langCode,
                                          TAbstractDBConnection& connection, const std::string& catalogCode);

    // ---- simple lists -------------------------------------------------------------
    // List cleared, then every text value of the member in Lang, in index order.
    void ReadStringMemberList(std::vector<std::string>& list, int itemId, int classId, int memberId,
                              const std::string& catalogCode, const std::string& langCode,
                              TAbstractDBConnection& connection);
    // List cleared, then the children (of the type; 0 any type) in their
    // order numbers; nothing for parent 0.
    void GetChildIdsOfType(int parentId, int itemType, TAbstractDBConnection& connection,
                           std::vector<std::string>& list);
    void GetChildIds(int parentId, std::vector<std::string>& list, TAbstractDBConnection& connection);
    // List cleared, then the items of the type (only data items with
    // DataItemsOnly), in the database's order.
    void GetItemIdsOfType(int itemType, std::vector<std::string>& list, bool dataItemsOnly,
                          TAbstractDBConnection& connection, const std::string& catalogCode);
    // Appends the InstanceIds of the item's objects of the class.
    void ListInstanceIds(int itemId, int classId, TAbstractDBConnection& connection, const std::string& catalogCode,
                         std::vector<std::string>& list);

    // ---- names (CatalogQueriesNames.cpp) ------------------------------------------------
    // The name in the language (or "XXX"), else in the default language,
    // else the name of the data item the item is a placement of.
    std::string GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode = "");
    // "id=name" per named item, in the order of Ids: the name in the
    // language, else in the default language, else any (the first read).
    void GetItemNames(const std::vector<int>& ids, std::vector<std::string>& names,
                      TAbstractDBConnection& connection, const std::string& langCode = "");
    // "id=name" for every entry of Ids in its order, the name being the
    // item's own in exactly that language (empty without); read 32 ids at a time.
    void GetItemNamesInLanguage(const std::vector<int>& ids, std::vector<std::string>& names,
                                TAbstractDBConnection& connection, const std::string& langCode,
                                const std::string& catalogCode);

    // ---- children and subtrees (CatalogQueriesTree.cpp) ----------------------------------
    // Appends the subtree below ParentId in pre-order, one line per item:
    // Depth x 3 + 1 blanks, the name in the current language, "===", the id.
    void ListSubtree(int parentId, std::vector<std::string>& list, int depth, TAbstractDBConnection& connection);
    // Appends "id=name" per child (of the type; 0 any) in tree order; an
    // unnamed child takes its name in the default language.
    void ListChildren(int parentId, std::vector<std::string>& list, int itemType, TAbstractDBConnection& connection,
                      const std::string& langCode, const std::string& catalogCode);
    // List cleared, then "id=name" per visible child in tree order, named
    // after its data item; nothing for parent 0.
    void ListVisibleChildren(int parentId, std::vector<std::string>& list, int itemType, const std::string& langCode,
                             TAbstractDBConnection& connection);
    // The number of items of the type below ParentId, counting only items
    // none of whose placements is hidden (and the items below those only).
    int CountItemsOfType(int parentId, int itemType, TAbstractDBConnection& connection,
                         const std::string& catalogCode);
    // The visible sibling after (Forward) or before the item among its
    // parent's visible children, of its own type with SameTypeOnly; 0 when none.
    int GetSiblingId(int itemId, const std::string& catalogCode, bool forward, TAbstractDBConnection& connection,
                     bool sameTypeOnly);
    int GetPreviousSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                             bool sameTypeOnly);
    int GetNextSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                         bool sameTypeOnly);

    // ---- ancestors (CatalogQueriesTree.cpp) -------------------------------------------------
    // The parents of the visible items on the way up, nearest first; the
    // walk ends at the first tree root (ids 0 to 99).
    std::vector<int> GetParentChain(int itemId, TAbstractDBConnection& connection);
    // The item and its visible ancestors whose type is one of ItemTypes
    // (any type when empty), nearest first; the walk ends at the first root.
    std::vector<int> GetItemPath(int itemId, const std::vector<int>& itemTypes, TAbstractDBConnection& connection,
                                 const std::string& catalogCode = "");

    // ---- values already used (CatalogQueriesTree.cpp) ------------------------------------------
    // True when an item other than ItemId (of the type and below the parent,
    // when they are not 0) holds Value in the member, in any language and
    // index. Only string members (types below 50) and number members
    // (types above 100) are compared; any other member gives false.
    bool MemberValueExistsIn(int itemType, int parentId, TAbstractDBConnection& connection, int itemId,
                             const std::string& value, const std::string& memberName, const std::string& classTag);
    bool MemberValueExists(TAbstractDBConnection& connection, int itemId, const std::string& value,
                           const std::string& memberName, const std::string& classTag);

private:
    // The open catalog's code.
    std::string Code() const;
    // Code, or the open catalog's when it is empty.
    std::string CodeOr(const std::string& catalogCode) const;
    // Lang, or the current data language when it is empty.
    std::string LangOr(const std::string& langCode) const;
    // The own name of one item (language or "XXX"), then in the default language.
    std::string OwnName(int itemId, const std::string& langCode, const std::string& catalogCode,
                        TAbstractDBConnection& connection);
    // GetItemName in the catalog of that code.
    std::string ItemNameIn(int itemId, const std::string& langCode, const std::string& catalogCode,
                           TAbstractDBConnection& connection);
    void ListVisibleChildrenOf(int parentId, std::vector<std::string>& list, int itemType, const std::string& langCode,
                               TAbstractDBConnection& connection, const std::string& catalogCode);

    TAbstractCatalog& catalog_;
    TTolvexObjectContext& context_;
};
