#pragma once
// TInitializationListsModel: the initialisation lists of a catalog type's
// definition, without widgets. The item's "InitCatalog" object lists the
// items of the style catalog that a new catalog of the type gets
// ("IncludeItem", the list "Insert Initialy"), and, for catalogs upgraded to
// a newer definition, the items replaced ("UpdateItem", "Update In
// Existing") and deleted ("DeleteItem", "Delete From Existing"). The
// definition's data version is member "DataVersion" of item 806.
//
// Adding and removing are commands on the model's undo stack; the lists
// reach the item's object only when the model stores, so that a cancel
// restores them. A list holds an item once. "Delete From Existing" refuses
// the tree roots and the items the program knows by a global name (the home
// page, the company item 2001...), which the upgrade would delete with
// everything below them from every user catalog (TUpgradeDeletionRule). A
// list is written only when it changed, and the lists the frame does not
// show (the initial pages) are left alone.
#include "editors/site/SiteModelContext.h"

#include <QUndoStack>

#include <array>
#include <string>
#include <vector>

class TAbstractCObject;
class TGlobalDefinition;

class TInitializationListsModel {
public:
    enum class TList { Insert, Update, Delete };
    struct TRow {
        int ItemId = 0;
        std::string Caption;
        bool operator==(const TRow&) const = default;
    };
    enum class TAddResult {
        Added,
        AlreadyListed,  // the list holds the item already
        Refused,        // the item may not be deleted from existing catalogs
        NoLists,        // the item has no lists object
    };

    // The definition's header item, whose object holds the data version.
    static constexpr int kHeaderItemId = 806;

    TInitializationListsModel(const TSiteModelContext& context, TGlobalDefinition& globalDefinition);
    ~TInitializationListsModel();
    TInitializationListsModel(const TInitializationListsModel&) = delete;
    TInitializationListsModel& operator=(const TInitializationListsModel&) = delete;

    // Reads the lists and the data version afresh; the undo history starts anew.
    void Load();
    bool HasLists() const { return hasLists_; }
    const std::vector<TRow>& Rows(TList list) const { return lists_[Index(list)]; }
    // The caption of an id as the lists show it: the item's name in "XXX",
    // else the global name of the id, else the id.
    std::string CaptionOf(int itemId) const;

    TAddResult Add(TList list, int itemId, const std::string& caption);
    void Remove(TList list, int row);

    const std::string& DataVersion() const { return dataVersion_; }
    void SetDataVersion(const std::string& version) { dataVersion_ = version; }

    QUndoStack& UndoStack() { return undoStack_; }
    bool IsModified() const { return !undoStack_.isClean() || dataVersion_ != loadedDataVersion_; }
    // Writes the changed lists and the data version; the model counts as loaded then.
    void Store();

    static const char* MemberOf(TList list);

private:
    using TLists = std::array<std::vector<TRow>, 3>;
    static std::size_t Index(TList list) { return static_cast<std::size_t>(list); }
    TAbstractCObject* ListsObject() const;
    TAbstractCObject* HeaderObject() const;
    void Change(const QString& text, TLists next);

    TSiteModelContext context_;
    TGlobalDefinition& global_;
    bool hasLists_ = false;
    TLists lists_;
    TLists loaded_;
    std::string dataVersion_;
    std::string loadedDataVersion_;
    QUndoStack undoStack_;
};
