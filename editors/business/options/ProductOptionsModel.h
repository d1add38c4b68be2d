#pragma once
// TProductOptionsModel: a product's options and the stock keeping unit
// (SKU) of each combination of their values, without widgets.
//
// Everything is written into the session's objects as the user edits
// (ProductOptions with its Options and one ProductOption per combination
// that has an SKU), so that the Prices tab sees it, and nothing into the
// database before the item's save: Cancel restores every option, SKU and
// price row.
//
// A combination's SKU belongs to its key (TOptionCombinations), so the SKUs
// of a product are lost whenever its set of options changes; so are the
// price rows that name a value of a removed option. The frame asks first,
// with Loss and Question saying what would go.
#include "editors/business/options/OptionCombinations.h"
#include "editors/site/SiteModelContext.h"

#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class TAbstractCObject;

class TProductOptionsModel {
public:
    explicit TProductOptionsModel(const TSiteModelContext& context);

    // From the objects: the flag, the options with their current values, the SKUs.
    void Load();

    bool HasOptions() const { return hasOptions_; }
    const std::vector<int>& OptionIds() const { return optionIds_; }
    const TOptionCombinations& Combinations() const { return combinations_; }
    // The SKU of a combination's row (counted from 0); empty without one.
    std::string Sku(std::size_t row) const;
    // Stores the SKU: a new ProductOption for a row without one, none for an
    // empty text (blanks alone count as empty), else the text as typed.
    void SetSku(std::size_t row, const std::string& text);
    // SKUs whose combination is no row of the grid (a value left the library): kept, not shown.
    std::size_t HiddenSkus() const { return hidden_; }

    // What changing the option set would take away.
    struct TLoss {
        int Skus = 0;
        int Prices = 0;
        bool Empty() const { return Skus == 0 && Prices == 0; }
    };
    // Adding or removing an option (removed: its values' price rows go too), or clearing them all (nullopt).
    TLoss LossOfAdding() const;
    TLoss LossOfRemoving(std::optional<int> optionId) const;
    // The question to ask before such a change (translated); empty when nothing would go.
    std::string Question(const TLoss& loss) const;

    // "The option already exists for the product" (translated) when it does; empty when added.
    std::string AddOption(int optionId);
    void RemoveOption(int optionId);
    // Unchecked: every option, SKU and price row naming an option value goes.
    void SetHasOptions(bool hasOptions);

private:
    struct TSku {
        int InstanceId = 0;
        std::string Text;
    };
    TAbstractCObject* Options() const;
    void ReadSkus();
    void ClearSkus();
    void WriteOptionIds();
    // The product's price rows that name one of the values (all option values when empty).
    std::set<int> PriceRowsNaming(const std::set<int>& valueIds, bool anyValue) const;
    std::set<int> ValuesOf(std::optional<int> optionId) const;
    void RemovePriceRows(const std::set<int>& instances);
    void Rebuild();

    TSiteModelContext context_;
    bool hasOptions_ = false;
    std::vector<int> optionIds_;
    TOptionCombinations combinations_;
    std::unordered_map<std::string, TSku> skus_;
    std::size_t hidden_ = 0;
};
