#pragma once
// The search results in the editor pane: one column "Item Name" listing the
// found items (several may be selected and dragged onto the web tree), an
// "Edit" button that opens the selected item, and "Your search did not
// match any items" when nothing was found. What is found and what opening
// means is TSearchResults'; the frame only shows it.
#include "shell/SearchResults.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

class TFrameSearchResult : public QWidget {
    Q_OBJECT
public:
    explicit TFrameSearchResult(std::vector<TSearchResults::TFound> found, QWidget* parent = nullptr);

    static constexpr const char* kPluginName = "SearchResult";
    static constexpr const char* kTabCaption = "Search Result";
    static constexpr const char* kTabName = "SearchResult-basic";

    // The items of the selected entries, in list order.
    std::vector<TSearchResults::TFound> SelectedItems() const;

    QTreeWidget* List() const { return list_; }
    QPushButton* EditButton() const { return edit_; }
    QLabel* NoMatchLabel() const { return noMatch_; }

signals:
    // "Edit" was clicked on an entry: its item is to be opened.
    void openRequested(const TItemDescription& item);

private:
    void EditClick();
    void SelectionChanged();

    std::vector<TSearchResults::TFound> found_;
    QStackedWidget* pages_;
    QTreeWidget* list_;
    QWidget* bottom_;
    QPushButton* edit_;
    QLabel* noMatch_;
};
