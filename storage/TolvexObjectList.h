#pragma once
// An owning list of objects with a binary search over a sorted list.
#include <functional>
#include <memory>
#include <vector>

template <typename T>
class TTolvexObjectList {
public:
    // Compare(Entry, Key): negative when the entry sorts before the key, 0 on
    // a match, positive after it.
    template <typename Key>
    using TCompare = std::function<int(const T& entry, const Key& key)>;

    std::vector<std::unique_ptr<T>>& Items() { return items_; }
    const std::vector<std::unique_ptr<T>>& Items() const { return items_; }
    bool Empty() const { return items_.empty(); }
    void Add(std::unique_ptr<T> item) { items_.push_back(std::move(item)); }

    // Binary search of a list sorted in Compare's order: the first (lowest
    // index) matching entry, or null.
    template <typename Key>
    T* FindSorted(const TCompare<Key>& compare, const Key& key) const
    {
        std::size_t low = 0;
        std::size_t high = items_.size();
        while (low < high) {
            std::size_t middle = low + (high - low) / 2;
            if (compare(*items_[middle], key) < 0)
                low = middle + 1;
            else
                high = middle;
        }
        return low < items_.size() && compare(*items_[low], key) == 0 ? items_[low].get() : nullptr;
    }

private:
    std::vector<std::unique_ptr<T>> items_;
};
