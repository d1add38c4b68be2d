#pragma once
// TNamedItemsModel: a list of catalog items of one type under a fixed root,
// known by their names, as the price schedules and the custom field
// definitions are: what their editors decide, without widgets.
//
// Names are unique among the items of the type, in every language, counting
// names changed in this editing session and not saved yet (TItemNames).
// A new item is made and committed at once (it must be there to be opened
// and listed), with an undo that the item's Cancel applies; a new name is
// written into the session's objects and saved with the item; a deletion is
// refused while anything refers to the item (a product's price or value)
// and otherwise waits for the save, which tests the item again.
#include "editors/business/ItemWrites.h"
#include "editors/site/SiteModelContext.h"

#include <set>
#include <string>
#include <vector>

class TNamedItemsModel {
public:
    struct TSettings {
        int Root = 0;
        int ItemType = 0;
        // The item's name is written in the default language too (when it is another).
        bool NameInDefaultLanguage = false;
        // The messages, translated when shown; an empty one lets the case pass
        // (no taken-name message: names may repeat).
        std::string EmptyName;
        std::string NewNameTaken;
        std::string RenameTaken;
        std::string InUse;
    };
    struct TItem {
        int ItemId = 0;
        int ParentItemId = 0;
        int Depth = 0;
        std::string Name;
    };

    // The price schedules (type 2002 under item 12) and the custom field definitions (type 306 under item 18).
    static TSettings Schedules();
    static TSettings Fields();

    TNamedItemsModel(const TSiteModelContext& context, TSettings settings);
    void UseWrites(const TItemWrites& writes) { writes_ = writes; }

    // The items in tree order, children after their parents, without the
    // ones deleted since the last save (their deletion is still to come).
    void Load();
    const std::vector<TItem>& Items() const { return items_; }
    const TItem* Find(int itemId) const;
    bool HasChildren(int itemId) const;

    // The error to show (translated); empty when done. Typed names are trimmed.
    std::string Add(const std::string& typed, int* newItemId = nullptr);
    // A name already held by another item is refused; Write: into the session's objects.
    std::string Rename(int itemId, const std::string& typed, bool write = true);
    bool IsTaken(const std::string& name, int exceptId) const;
    bool IsInUse(int itemId) const;
    std::string Delete(int itemId);
    // Before the save: a deleted item that something refers to by now refuses it.
    std::string CheckDeletions() const;
    const std::set<int>& Deleted() const { return deleted_; }
    // After the save or the cancel: the deletions are done or dropped.
    void ForgetDeletions() { deleted_.clear(); }

private:
    std::string Text(const std::string& text) const;
    void ReadChildren(int parentId, int depth);

    TSiteModelContext context_;
    TSettings settings_;
    TItemWrites writes_;
    std::vector<TItem> items_;
    std::set<int> deleted_;
};
