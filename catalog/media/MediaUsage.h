#pragma once
// Which pictures (image items, type 301) or binary objects (type 304) of a
// catalog are in use, and the deletion of those that are not.
//
// A picture is in use when a member value refers to its id (an image-item
// or item-id member of any item), when a page text of any language names it
// after "../images/" by its id or by its alternative file name in any
// language, or when a predefined style of a style catalog lists its id. A
// binary object is in use when a page text names it after "../bin/".
//
// An item goes together with the items below it (a main picture's thumbnail
// and large copies), and only when nothing outside that subtree uses any of
// them: the main picture's own "ThumbnailItemId" does not keep its copy, a
// product that shows the copy keeps the main picture too. An item marked not
// to delete ("DontDelete") keeps its subtree and the items above it.
//
// The references are collected and the items deleted inside one unit of
// work on the given connection, so that no reference saved in between is
// missed; the caller's transaction (an editor's) decides in the end.
//
//   TMediaUsage usage(catalog, connection, "shop", TMediaKind::Images);
//   if (usage.IsInUse(itemId)) ...                 // refuse the deletion
//   const TMediaUsage::TResult result = usage.DeleteUnreferenced({});
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TAbstractDBConnection;
class TCatalog;

enum class TMediaKind { Images, BinaryObjects };

class TMediaUsage {
public:
    // Told before each candidate is looked at: the rows done, their count
    // and the candidate's name; answers false to stop the run there.
    using TProgress = std::function<bool(int done, int count, const std::string& name)>;

    struct TResult {
        int Candidates = 0;  // items of the kind in the catalog
        int Deleted = 0;     // items really deleted, copies included
        bool Cancelled = false;
    };

    TMediaUsage(TCatalog& catalog, TAbstractDBConnection& connection, std::string catalogCode, TMediaKind kind);

    static int ItemTypeOf(TMediaKind kind) { return kind == TMediaKind::Images ? 301 : 304; }

    // Whether the item or anything below it is used from outside its
    // subtree; reads the catalog afresh.
    bool IsInUse(int itemId);
    // Deletes the item with its subtree when nothing outside uses it, inside
    // one unit of work with the check; the count of items deleted (0: in
    // use, marked not to delete, or gone already).
    int DeleteIfUnused(int itemId);
    // The items that DeleteUnreferenced would delete now, each the top of a
    // subtree that goes whole, parents before children; reads the catalog
    // afresh and writes nothing. Count (may be null) is told how many items
    // the subtrees hold.
    std::vector<int> Unreferenced(int* count = nullptr);
    // For many single deletions in one unit of work (a save that writes
    // the deletions the user made): ReadReferences once inside the unit,
    // then DeleteIfUnusedAsRead for each item (the count it will delete; 0:
    // kept), then WritePending, which writes them all.
    void ReadReferences() { Read(); }
    int DeleteIfUnusedAsRead(int itemId) { return Deletable(itemId) ? Forget(itemId) : 0; }
    void WritePending();
    // Deletes every item of the kind that nothing uses, each with its
    // subtree; Progress (may be empty) can stop the run, leaving what was
    // deleted before deleted. LangCode names the items told to Progress.
    TResult DeleteUnreferenced(const TProgress& progress, const std::string& langCode = "XXX");

private:
    struct TCandidate {
        int ParentItemId = 0;
        bool DontDelete = false;
        std::vector<std::string> AltNames;  // lower case, every language
    };

    // Reads the candidates and every reference to them.
    void Read();
    // The item and the candidates below it.
    std::vector<int> Subtree(int itemId) const;
    bool NamedOrListed(int itemId) const;
    bool UsedFromOutside(const std::vector<int>& subtree) const;
    bool Deletable(int itemId) const;
    // Every candidate, parents before their children.
    std::vector<int> TopDownOrder() const;
    // Takes the item's subtree out of the candidates and into the pending deletions.
    int Forget(int itemId);
    int DeleteSubtree(int itemId);

    TCatalog& catalog_;
    TAbstractDBConnection& connection_;
    std::string code_;
    TMediaKind kind_;

    std::unordered_map<int, TCandidate> candidates_;
    std::unordered_map<int, std::vector<int>> children_;      // candidates by parent
    std::unordered_set<int> parentsOfOthers_;                  // items with a child of another type
    std::unordered_map<int, std::vector<int>> memberUsers_;    // referred id -> the items whose members refer to it
    std::unordered_set<std::string> names_;                    // lower-case names the page texts and styles use
    std::unordered_set<int> gone_;                             // deleted in this run
    std::vector<int> pending_;                                 // to be written by WritePending
};
