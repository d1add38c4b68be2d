#include "catalog/PreviewHistory.h"

#include <algorithm>

void TPreviewHistory::AddPreviewHistoryEntry(int itemId, const std::string& langCode, const std::string& title,
                                             const std::string& address, int pageNo)
{
    if (navigating_) {
        navigating_ = false;
        return;
    }
    if (title.empty())
        return;
    if (entries_.size() >= MaxEntries)
        DeletePreviewHistoryEntry(0);
    const auto same = std::find_if(entries_.begin(), entries_.end(),
                                   [&](const TEntry& entry) { return entry.Address == address; });
    if (same != entries_.end())
        DeletePreviewHistoryEntry(static_cast<int>(same - entries_.begin()));
    entries_.resize(static_cast<std::size_t>(position_));
    entries_.push_back({title, address, langCode, itemId, pageNo});
    position_ = static_cast<int>(entries_.size());
}

void TPreviewHistory::DeletePreviewHistoryEntry(int index)
{
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return;
    entries_.erase(entries_.begin() + index);
    if (index < position_ - 1)
        --position_;
    position_ = std::min(position_, static_cast<int>(entries_.size()));
}

void TPreviewHistory::MovePreviewHistory(int step, bool relative, std::string& address)
{
    address.clear();
    const int target = relative ? position_ + step : step;
    if (target < 1 || target > static_cast<int>(entries_.size()))
        return;
    navigating_ = true;
    position_ = target;
    address = entries_[static_cast<std::size_t>(target - 1)].Address;
}

void TPreviewHistory::AppendMenuLines(int first, int last, std::vector<std::string>& list) const
{
    for (int number = first; number <= last; ++number)
        list.push_back(std::to_string(number) + "=" + entries_[static_cast<std::size_t>(number - 1)].Title);
}

void TPreviewHistory::GetPreviewBackList(std::vector<std::string>& list) const
{
    AppendMenuLines(1, position_ - 1, list);
}

void TPreviewHistory::GetPreviewForwardList(std::vector<std::string>& list) const
{
    AppendMenuLines(position_ + 1, static_cast<int>(entries_.size()), list);
}
