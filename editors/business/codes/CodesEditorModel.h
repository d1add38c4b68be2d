#pragma once
// The decisions of a classification codes tab, without widgets: the item's
// chosen codes and the company's codes of one code system, what may be added
// from the tree or the company's list, and how each change reaches the
// items' objects.
//
// Changes are written into the objects of the editing context at once (the
// context saves or discards them with the item), value by value: a stored
// code is never rewritten, so codes the shipped code tables lack are shown
// as unknown and kept until the user removes them.
#include "catalog/codes/CodeTree.h"

#include <functional>
#include <string>
#include <vector>

class TAbstractCObject;

struct TCodeEntry {
    std::string Code;
    // Empty when the code table lacks the code.
    std::string Name;
    bool IsTolvexCode = false;

    bool IsKnown() const { return !Name.empty(); }
};

class TCodesEditorModel {
public:
    struct TServices {
        // The object of the system's class of an item; null when it has none.
        std::function<TAbstractCObject*(int itemId)> Object;
        // How many stored values of items other than the company and
        // ExceptItem name the partner category.
        std::function<int(int exceptItem, int category)> OtherUsers;
        // The language the values are written in.
        std::string Lang;
    };

    enum class TAdd { Added, AlreadyChosen, LimitReached, NotChoosable };

    // The most eBay categories an item holds.
    static constexpr std::size_t kMaxEBayCategories = 2;

    // Tree: not owned. CompanyId: the company item, 0 when the catalog has
    // none; the company-variant tab edits the company itself (ItemId).
    TCodesEditorModel(TCodeTree& tree, bool companyVariant, int itemId, int companyId, TServices services);

    // Reads both lists from the objects.
    void Load();

    TCodeSystem System() const { return tree_.Database().System(); }
    bool ShowsCompanyList() const { return !companyVariant_; }
    const std::vector<TCodeEntry>& Chosen() const { return chosen_; }
    const std::vector<TCodeEntry>& Company() const { return company_; }
    bool IsChosen(const std::string& code) const;

    // Whether one more code may be chosen (an item holds at most two eBay categories).
    bool CanChooseMore() const;
    // What adding the node would do, without doing it.
    TAdd CheckAdd(const TCodeNode& node) const;
    TAdd AddFromTree(const TCodeNode& node);
    // What adding the company's code would do, without doing it.
    TAdd CheckAddFromCompany(const std::string& code) const;
    TAdd AddFromCompany(const std::string& code);
    // Removes a chosen code; for the partner categories the company's list
    // loses the code too when no other item uses it any more.
    void Remove(const std::string& code);

private:
    std::vector<TCodeEntry> Read(int itemId);
    TCodeEntry EntryOf(const std::string& code);
    TAdd Add(const TCodeEntry& entry, bool alsoToCompany);
    void Append(int itemId, const std::string& code);
    void Delete(int itemId, const std::string& code);

    TCodeTree& tree_;
    bool companyVariant_;
    int itemId_;
    int companyId_;
    TServices services_;
    std::vector<TCodeEntry> chosen_;
    std::vector<TCodeEntry> company_;
};
