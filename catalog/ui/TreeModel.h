#pragma once
// The Qt item model over a tree manager's node tree: one row per node,
// kept in step through the manager's notifications. Captions, images and
// the drawing state (colours, struck-out and bold fonts) come from the
// manager; what only a view can do (expanding, selecting, scrolling,
// editing captions) is passed on as signals to TCatalogTreeView. The model
// attaches itself to the manager as its observer and detaches when it is
// destroyed: it (and its view) must go before the manager.
#include "catalog/TreeManagerObserver.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <functional>

class TTreeManager;
class TTreeNode;

class TTreeModel : public QAbstractItemModel, public TTreeManagerObserver {
    Q_OBJECT
public:
    // Images: the icon of a cached image name; may be empty (no icons).
    TTreeModel(TTreeManager& manager, std::function<QIcon(const QString&)> images, QObject* parent = nullptr);
    ~TTreeModel() override;

    TTreeManager& Manager() { return manager_; }
    // The node of an index; null for the invisible root.
    static TTreeNode* NodeOf(const QModelIndex& index);
    QModelIndex IndexOf(TTreeNode* node) const;
    // What the view answers for IsShowing and IsReadOnly.
    void SetViewState(std::function<bool()> showing, std::function<bool()> readOnly);

    // ---- QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // ---- TTreeManagerObserver
    void BeginReset() override;
    void EndReset() override;
    void BeginInsert(TTreeNode* parent, int first, int last) override;
    void EndInsert() override;
    void BeginRemove(TTreeNode* parent, int first, int last) override;
    void EndRemove() override;
    void BeginReorder(TTreeNode* parent) override;
    void EndReorder(TTreeNode* parent) override;
    void NodeChanged(TTreeNode* node) override;
    void ExpandedChanged(TTreeNode* node) override;
    void SelectionChanged() override;
    void MakeVisible(TTreeNode* node) override;
    void EditCaption(TTreeNode* node) override;
    void Repaint() override;
    bool IsShowing() override;
    bool IsReadOnly() override;

signals:
    void expandedChangedByManager(const QModelIndex& index, bool expanded);
    void selectionChangedByManager();
    void makeVisibleRequested(const QModelIndex& index);
    void editCaptionRequested(const QModelIndex& index);
    void repaintRequested();
    // The user finished editing a caption; the owner stores the name.
    void captionEdited(int itemId, const QString& caption);

private:
    TTreeManager& manager_;
    std::function<QIcon(const QString&)> images_;
    std::function<bool()> showing_;
    std::function<bool()> readOnly_;
};
