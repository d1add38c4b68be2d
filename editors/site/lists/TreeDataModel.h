#pragma once
// The Qt item model over a tree data frame's model: one row per node, kept
// in step through the frame model's notices (its undo commands insert,
// remove, move and rename nodes; a load resets). A caption edited in place
// is a rename (setData), and a drop of nodes dragged from the same tree onto
// a node is a move (dropMimeData); whether it is allowed is the frame
// model's to say. The model attaches itself to the frame model as its
// observer and detaches when it is destroyed or given another.
#include "editors/site/lists/FrameTreeDataEditorModel.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <vector>

class TTreeDataModel : public QAbstractItemModel, public TFrameTreeDataEditorModel::TObserver {
    Q_OBJECT
public:
    TTreeDataModel(QIcon folderIcon, QIcon itemIcon, QObject* parent = nullptr);
    ~TTreeDataModel() override;

    // The frame model shown; null shows nothing.
    void SetTree(TFrameTreeDataEditorModel* tree);
    static int ItemIdOf(const QModelIndex& index);
    QModelIndex IndexOf(int itemId) const;

    // ---- QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;

    // ---- TFrameTreeDataEditorModel::TObserver
    void BeginReset() override;
    void EndReset() override;
    void BeginInsert(int parentItemId, int row) override;
    void EndInsert() override;
    void BeginRemove(int parentItemId, int row) override;
    void EndRemove() override;
    void BeginMove(int fromParentItemId, int fromRow, int toParentItemId, int toRow) override;
    void EndMove() override;
    void NodeChanged(int itemId) override;

private:
    QModelIndex ParentIndex(int parentItemId) const;
    int ChildParentId(const QModelIndex& parent) const;
    // The target and the dragged ids of a drop onto a node; false for a drop
    // between nodes or of nodes dragged from elsewhere.
    bool DropOnto(const QMimeData* data, int row, const QModelIndex& parent, int& targetId,
                  std::vector<int>& draggedIds) const;

    TFrameTreeDataEditorModel* tree_ = nullptr;
    QIcon folderIcon_;
    QIcon itemIcon_;
    // A move Qt cannot take as one (never for a move the frame model allows) resets the model.
    bool moveAsReset_ = false;
};
