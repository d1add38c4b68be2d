#pragma once
// The tree view of a catalog tree: a QTreeView over a TTreeModel that routes
// the user's expanding, collapsing and selecting to the tree manager and
// follows what the manager expands, selects, reveals and puts into caption
// editing. Dragging a node onto another moves its item there (refused onto
// the item's own descendants and where the target may not hold it).
#include <QTreeView>

#include <functional>

class TTreeManager;
class TTreeModel;

class TCatalogTreeView : public QTreeView {
    Q_OBJECT
public:
    // Images: the icon of a cached image name; may be empty.
    TCatalogTreeView(TTreeManager& manager, std::function<QIcon(const QString&)> images,
                     QWidget* parent = nullptr);
    ~TCatalogTreeView() override;

    TTreeModel& Model() { return *model_; }
    TTreeManager& Manager() { return manager_; }

    void setSelectionModel(QItemSelectionModel* selectionModel) override;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnExpanded(const QModelIndex& index);
    void OnCollapsed(const QModelIndex& index);
    void OnUserSelection();
    void FollowManagerExpansion(const QModelIndex& index, bool expanded);
    void FollowManagerSelection();

    TTreeManager& manager_;
    TTreeModel* model_;
    // Set while the view follows the manager, so that its own signals are not routed back.
    bool following_ = false;
};
