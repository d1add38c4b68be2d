#pragma once
// The back and forward history of the pages that the web preview tab has
// shown, with the menus of the entries before and after the current one.
// At most nine entries, numbered from 1; the position is the number of the
// current entry (0 while the history is empty). A page reached by moving in
// the history is not added again. GUI thread only.
#include <string>
#include <vector>

class TPreviewHistory {
public:
    // One page shown.
    struct TEntry {
        std::string Title;
        std::string Address;
        std::string LangCode;
        int ItemId = 0;
        int PageNo = 0;
    };

    static constexpr std::size_t MaxEntries = 9;

    // Records a page the preview has shown, after the current entry (the
    // forward entries are dropped); an entry of the same address moves to
    // the end. Nothing for a page without title, and nothing for the page
    // that a move in the history led to.
    void AddPreviewHistoryEntry(int itemId, const std::string& langCode, const std::string& title,
                                const std::string& address, int pageNo);
    // Removes entry Index (counted from 0); nothing for an index out of range.
    void DeletePreviewHistoryEntry(int index);
    bool CanPreviewGoBack() const { return position_ > 1; }
    bool CanPreviewGoForward() const { return position_ < static_cast<int>(entries_.size()); }
    // Moves Step entries (Relative) or to entry number Step and gives the
    // address of the entry reached; the page shown next is then not added.
    // A move to no entry changes nothing and gives the empty address.
    void MovePreviewHistory(int step, bool relative, std::string& address);
    // Append menu lines "number=title" of the entries before (oldest first)
    // and after the current one; the numbers go back into MovePreviewHistory
    // with Relative false.
    void GetPreviewBackList(std::vector<std::string>& list) const;
    void GetPreviewForwardList(std::vector<std::string>& list) const;

    int Position() const { return position_; }
    std::size_t Count() const { return entries_.size(); }
    // Entry Number (from 1).
    const TEntry& Entry(int number) const { return entries_.at(static_cast<std::size_t>(number - 1)); }

private:
    void AppendMenuLines(int first, int last, std::vector<std::string>& list) const;

    std::vector<TEntry> entries_;
    int position_ = 0;
    bool navigating_ = false;
};
