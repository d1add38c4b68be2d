#pragma once
// How the business editors' models change items of the catalog itself (a
// price schedule, a custom field definition) rather than objects of the
// opened item, without holding the catalog's write lock while the user
// works.
//
// A new item must exist at once: the editor opens it, lists and trees show
// it. CommitNow writes it and commits it at once, and hands the editing
// context a write that undoes it, which Cancel applies. Everything else (a
// deletion) waits for the save: AtSave defers it into the save's unit, and
// Cancel drops it. Without an editing context (a model used alone, in tests)
// both go straight to the model's connection, whose unit the caller commits
// or rolls back.
#include <functional>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TTolvexControlClass;
struct TSiteModelContext;

class TItemWrites {
public:
    using TWrite = std::function<void(TAbstractDBConnection&)>;

    // Straight on the model's editing connection; Undo is never needed.
    static TItemWrites Direct(const TSiteModelContext& context);
    // Through the editing context: committed now with an undo, or deferred until the save.
    static TItemWrites Through(TTolvexControlClass& context);

    // Runs Write now; Cancel of the opening runs Undo.
    void CommitNow(const TWrite& write, TWrite undo) const { commitNow_(write, std::move(undo)); }
    // Runs Write inside the next save's unit (in place of one deferred before under Key).
    void AtSave(const std::string& key, TWrite write) const { atSave_(key, std::move(write)); }

    // Creates an item of ItemType under ParentId named Name in each of
    // Languages ("CommonNames"), now; the undo deletes it with its children.
    // The new item's id (0 when nothing was created).
    int CreateNamedItem(const TSiteModelContext& context, int itemType, int parentId,
                        const std::vector<std::string>& languages, const std::string& name) const;
    // Deletes the item in the next save's unit (in place of a deletion
    // deferred before under Key); the save fails with Refused when the item
    // is still in use or has children by then.
    void DeleteAtSave(const TSiteModelContext& context, const std::string& key, int itemId,
                      const std::string& refused) const;

private:
    std::function<void(const TWrite&, TWrite)> commitNow_;
    std::function<void(const std::string&, TWrite)> atSave_;
};
