#pragma once
// TOptionLibraryModel: the catalog's option library (options under item 13,
// each option's values its children, all of item type 302), without
// widgets, for the library's own tab and for the dialog that picks an
// option.
//
// A new option or value is made and committed at once (a product must be
// able to pick it), with an undo that the editor's Cancel applies. Names
// are unique: an option's among every option and value (so an option never
// takes a value's name), a value's among its option's values; the test runs
// for every rename, typed in place or through Edit. A rename is written into
// the session's objects and saved with the item. A deletion is refused while
// the item has values or anything refers to it (a product's options, stock
// codes or prices), and otherwise waits for the save, which tests it again.
// The order of an option's values (moved up and down) is written with the
// save as well.
#include "editors/business/ItemWrites.h"
#include "editors/site/SiteModelContext.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class TOptionLibraryModel {
public:
    static constexpr int kRoot = 13;
    static constexpr int kItemType = 302;

    struct TEntry {
        int ItemId = 0;
        std::string Name;
    };
    struct TOption {
        int ItemId = 0;
        std::string Name;
        std::vector<TEntry> Values;
    };

    explicit TOptionLibraryModel(const TSiteModelContext& context);
    void UseWrites(const TItemWrites& writes) { writes_ = writes; }

    // The language the names are read and written in.
    void SetLangCode(const std::string& langCode) { context_.LangCode = langCode; }
    void Load();
    const std::vector<TOption>& Options() const { return options_; }
    const TOption* FindOption(int optionId) const;
    // The option a value belongs to; 0 for an option itself or an unknown id.
    int OptionOf(int itemId) const;
    bool IsOption(int itemId) const { return FindOption(itemId) != nullptr; }
    std::string NameOf(int itemId) const;
    // The name a new item is offered with.
    std::string DefaultName() const;

    // The error to show (translated); empty when done. Typed names are trimmed.
    std::string AddOption(const std::string& typed, int* newId = nullptr);
    std::string AddValue(int optionId, const std::string& typed, int* newId = nullptr);
    std::string Rename(int itemId, const std::string& typed);
    std::string Delete(int itemId);
    bool CanDelete(int itemId) const;
    // Moves a value among its option's values; false when it cannot move that way.
    bool CanMove(int valueId, int step) const;
    bool Move(int valueId, int step);
    const std::set<int>& Deleted() const { return deleted_; }
    // After the save or the cancel.
    void Forget()
    {
        deleted_.clear();
        moved_.clear();
    }

private:
    std::string Text(const std::string& text) const;
    bool OptionNameTaken(const std::string& name, int exceptId) const;
    bool ValueNameTaken(int optionId, const std::string& name, int exceptId) const;
    int Create(int parentId, const std::string& name);
    void WriteOrderAtSave(int optionId);

    TSiteModelContext context_;
    TItemWrites writes_;
    std::vector<TOption> options_;
    std::set<int> deleted_;
    std::set<int> moved_;
};
