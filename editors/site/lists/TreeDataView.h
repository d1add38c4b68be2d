#pragma once
// The tree view of a tree data frame: item ids in the nodes, in-place
// caption editing, and drag and drop of the selected nodes onto another
// node of the same view. The view moves nothing itself: it asks the frame
// whether a drop is allowed and tells it what was dropped where, and the
// frame changes its model and fills the view again.
#include <QTreeWidget>

#include <functional>
#include <vector>

class TTreeDataView : public QTreeWidget {
public:
    static constexpr int kItemIdRole = Qt::UserRole;

    // Whether the dragged ids may be dropped onto Target.
    std::function<bool(int targetId, const std::vector<int>& draggedIds)> CanDrop;
    std::function<void(int targetId, const std::vector<int>& draggedIds)> Dropped;

    explicit TTreeDataView(QWidget* parent = nullptr);

    static int ItemIdOf(const QTreeWidgetItem* item);
    // The ids of the selected nodes, in the order the tree shows them.
    std::vector<int> SelectedIds() const;
    QTreeWidgetItem* FindItem(int itemId) const;
    // Whether a caption is being edited in place.
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The target id and the dragged ids of a drag over this view; false for
    // a drag that did not start in this view or has no node under it.
    bool DropTarget(const QDropEvent& event, int& targetId, std::vector<int>& draggedIds) const;
};
