#pragma once
// The Qt item model over a lazily read code tree (TCodeTree): a node's
// children are read when the view first expands it (fetchMore), and when a
// located code loads the branches on its way. Shows "name (code)", the
// highlighted codes in dark red and the last search's hits on the button
// face; choosable codes can be dragged.
#include "catalog/codes/CodeTree.h"

#include <QAbstractItemModel>

class TCodesTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The MIME type of a dragged code; its bytes are the code.
    static constexpr const char* kCodeMimeType = "application/x-tolvex-code";

    // Tree: not owned; outlives the model.
    explicit TCodesTreeModel(TCodeTree& tree, QObject* parent = nullptr);

    TCodeTree& Tree() { return tree_; }
    static TCodeNode* NodeOf(const QModelIndex& index);
    QModelIndex IndexOf(const TCodeNode* node) const;
    // The index of the code, loading the branches on its way; invalid when the tree lacks it.
    QModelIndex Locate(const std::string& code);
    // Reads the whole tree's first level again.
    void Reload();
    void Remove(const QModelIndex& index);
    // The hits changed: every row repaints.
    void HitsChanged();

    // The caption of a code: "name (code)".
    static QString Caption(const std::string& name, const std::string& code);

    // ---- QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

private:
    TCodeNode& NodeOrRoot(const QModelIndex& index) const;
    void Load(TCodeNode& node);

    TCodeTree& tree_;
};
