#pragma once
// The tree view of a tree data frame over its TTreeDataModel: item ids in
// the nodes, captions edited in place, and drag and drop of the selected
// nodes onto another node of the same tree (the model decides and moves).
// The nodes the user expanded stay expanded when the model is read anew
// (the first reading shows every node expanded) and when an undone change
// brings a node back.
#include <QSet>
#include <QTreeView>

#include <vector>

class TTreeDataView : public QTreeView {
public:
    explicit TTreeDataView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    static int ItemIdOf(const QModelIndex& index);
    // The index of an item's node; invalid when the tree does not show it.
    QModelIndex IndexOf(int itemId) const;
    // The ids of the selected nodes, in the order the tree shows them.
    std::vector<int> SelectedIds() const;
    // The current node when it is selected, else 0.
    int SelectedId() const;
    // Makes the item's node current and selected and scrolls to it; clears
    // the selection for an id the tree does not show.
    void Select(int itemId);
    // Whether a caption is being edited in place.
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

private:
    // Expands the nodes under Parent (and below) that were expanded.
    void RestoreExpanded(const QModelIndex& parent);

    QSet<int> expanded_;
    // Until the first reading, every node with children opens expanded.
    bool expandedKnown_ = false;
};
