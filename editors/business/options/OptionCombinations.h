#pragma once
// TOptionCombinations: every combination of one value of each of a
// product's options, in the order the options were added, the first option
// varying slowest, without holding the combinations themselves: a row's
// values are computed from its number, and a combination's row from its
// key, so that a product with 100,000 combinations costs no more than its
// values.
//
// A combination's key is its value ids as decimal text, sorted as numbers
// (ascending, duplicates dropped) and joined by ";". Stored keys are read
// back through KeyOf as well, so a stored combination and a grid row agree
// whatever the lengths of the ids (text order would put "100" before "99").
#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct TSiteModelContext;

class TOptionCombinations {
public:
    struct TOption {
        int OptionId = 0;
        std::string Name;
        std::vector<int> ValueIds;
        std::vector<std::string> ValueNames;
    };

    // The key of a set of value ids.
    static std::string KeyOf(std::vector<int> ids);
    // The ids of a key (or of any ";"-separated list), in its order; what is no number is skipped.
    static std::vector<int> IdsOf(const std::string& key);
    // A key read from elsewhere, in the one order.
    static std::string Normalised(const std::string& key) { return KeyOf(IdsOf(key)); }

    // The options' names and their visible values (in tree order) from the catalog.
    static std::vector<TOption> Read(const TSiteModelContext& context, const std::vector<int>& optionIds);

    void Set(std::vector<TOption> options);
    const std::vector<TOption>& Options() const { return options_; }

    // The number of combinations: 0 without options, or when an option has no values.
    std::size_t Count() const { return count_; }
    // The value of an option in a row (counted from 0): its index among the option's values.
    std::size_t ValueIndex(std::size_t row, std::size_t option) const
    {
        return (row / blocks_[option]) % options_[option].ValueIds.size();
    }
    int ValueId(std::size_t row, std::size_t option) const { return options_[option].ValueIds[ValueIndex(row, option)]; }
    const std::string& ValueName(std::size_t row, std::size_t option) const
    {
        return options_[option].ValueNames[ValueIndex(row, option)];
    }
    std::string Key(std::size_t row) const;
    // The row of a key; -1 when the key is no combination of these options.
    long RowOf(const std::string& key) const;
    // Every key, in row order.
    std::vector<std::string> AllKeys() const;
    // The option a value id belongs to (its index), -1 for none; and the value's name.
    int OptionOfValue(int valueId) const;
    std::string ValueNameOf(int valueId) const;

private:
    std::vector<TOption> options_;
    std::vector<std::size_t> blocks_;
    std::size_t count_ = 0;
    // value id -> (option index, value index)
    std::unordered_map<int, std::pair<std::size_t, std::size_t>> valueIndex_;
};
