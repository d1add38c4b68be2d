#include "editors/site/lists/TreeDataModel.h"

#include "gui/UiText.h"

#include <QMimeData>

#include <algorithm>

namespace {

constexpr const char* kMimeType = "application/x-tolvex-tree-data-nodes";

quintptr InternalOf(int itemId) { return static_cast<quintptr>(static_cast<qintptr>(itemId)); }

}  // namespace

TTreeDataModel::TTreeDataModel(QIcon folderIcon, QIcon itemIcon, QObject* parent)
    : QAbstractItemModel(parent), folderIcon_(std::move(folderIcon)), itemIcon_(std::move(itemIcon))
{
}

TTreeDataModel::~TTreeDataModel()
{
    if (tree_)
        tree_->SetObserver(nullptr);
}

void TTreeDataModel::SetTree(TFrameTreeDataEditorModel* tree)
{
    beginResetModel();
    if (tree_)
        tree_->SetObserver(nullptr);
    tree_ = tree;
    if (tree_)
        tree_->SetObserver(this);
    endResetModel();
}

int TTreeDataModel::ItemIdOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<int>(static_cast<qintptr>(index.internalId())) : 0;
}

QModelIndex TTreeDataModel::IndexOf(int itemId) const
{
    const int row = tree_ ? tree_->RowOf(itemId) : -1;
    return row < 0 ? QModelIndex() : createIndex(row, 0, InternalOf(itemId));
}

QModelIndex TTreeDataModel::ParentIndex(int parentItemId) const
{
    return tree_ && parentItemId == tree_->Settings().TreeRoot ? QModelIndex() : IndexOf(parentItemId);
}

int TTreeDataModel::ChildParentId(const QModelIndex& parent) const
{
    return parent.isValid() ? ItemIdOf(parent) : tree_->Settings().TreeRoot;
}

QModelIndex TTreeDataModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!tree_ || column != 0 || row < 0)
        return {};
    const std::vector<int>& children = tree_->ChildIds(ChildParentId(parent));
    if (row >= static_cast<int>(children.size()))
        return {};
    return createIndex(row, 0, InternalOf(children[row]));
}

QModelIndex TTreeDataModel::parent(const QModelIndex& child) const
{
    const TFrameTreeDataEditorModel::TNode* node = tree_ ? tree_->Find(ItemIdOf(child)) : nullptr;
    return node ? ParentIndex(node->ParentItemId) : QModelIndex();
}

int TTreeDataModel::rowCount(const QModelIndex& parent) const
{
    if (!tree_ || parent.column() > 0)
        return 0;
    return static_cast<int>(tree_->ChildIds(ChildParentId(parent)).size());
}

int TTreeDataModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TTreeDataModel::data(const QModelIndex& index, int role) const
{
    const TFrameTreeDataEditorModel::TNode* node = tree_ ? tree_->Find(ItemIdOf(index)) : nullptr;
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return UiText::Q(node->Name);
    case Qt::DecorationRole:
        return node->IsFolder ? folderIcon_ : itemIcon_;
    default:
        return {};
    }
}

bool TTreeDataModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    // The node's caption changes through the rename's undo command.
    return tree_ && role == Qt::EditRole && index.isValid() &&
           tree_->Rename(ItemIdOf(index), UiText::S(value.toString()));
}

Qt::ItemFlags TTreeDataModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled;
}

// ---- drag and drop -----------------------------------------------------------------------------------

QStringList TTreeDataModel::mimeTypes() const { return {kMimeType}; }

// The dragged ids, marked with this model, so that a drop takes only nodes
// dragged from the same tree.
QMimeData* TTreeDataModel::mimeData(const QModelIndexList& indexes) const
{
    QStringList ids{QString::number(reinterpret_cast<quintptr>(this))};
    for (const QModelIndex& index : indexes)
        if (index.isValid() && !ids.contains(QString::number(ItemIdOf(index))))
            ids << QString::number(ItemIdOf(index));
    auto* data = new QMimeData;
    data->setData(kMimeType, ids.join(',').toLatin1());
    return data;
}

bool TTreeDataModel::DropOnto(const QMimeData* data, int row, const QModelIndex& parent, int& targetId,
                              std::vector<int>& draggedIds) const
{
    if (!tree_ || !data || !data->hasFormat(kMimeType) || row != -1 || !parent.isValid())
        return false;
    const QStringList parts = QString::fromLatin1(data->data(kMimeType)).split(',');
    if (parts.size() < 2 || parts.front() != QString::number(reinterpret_cast<quintptr>(this)))
        return false;
    draggedIds.clear();
    for (qsizetype i = 1; i < parts.size(); ++i)
        draggedIds.push_back(parts[i].toInt());
    targetId = ItemIdOf(parent);
    return true;
}

bool TTreeDataModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int row, int, const QModelIndex& parent) const
{
    int targetId = 0;
    std::vector<int> dragged;
    return DropOnto(data, row, parent, targetId, dragged) &&
           std::any_of(dragged.begin(), dragged.end(), [&](int id) { return tree_->CanDrop(targetId, id); });
}

bool TTreeDataModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                  const QModelIndex& parent)
{
    int targetId = 0;
    std::vector<int> dragged;
    // Whatever the drag proposes, the nodes move: the view removes nothing
    // afterwards (the model has no removeRows), the move's command did it.
    return canDropMimeData(data, action, row, column, parent) && DropOnto(data, row, parent, targetId, dragged) &&
           tree_->Move(dragged, targetId);
}

Qt::DropActions TTreeDataModel::supportedDragActions() const { return Qt::MoveAction; }

Qt::DropActions TTreeDataModel::supportedDropActions() const { return Qt::MoveAction | Qt::CopyAction; }

// ---- notices of the frame model ---------------------------------------------------------------------

void TTreeDataModel::BeginReset() { beginResetModel(); }

void TTreeDataModel::EndReset() { endResetModel(); }

void TTreeDataModel::BeginInsert(int parentItemId, int row) { beginInsertRows(ParentIndex(parentItemId), row, row); }

void TTreeDataModel::EndInsert() { endInsertRows(); }

void TTreeDataModel::BeginRemove(int parentItemId, int row) { beginRemoveRows(ParentIndex(parentItemId), row, row); }

void TTreeDataModel::EndRemove() { endRemoveRows(); }

void TTreeDataModel::BeginMove(int fromParentItemId, int fromRow, int toParentItemId, int toRow)
{
    moveAsReset_ = !beginMoveRows(ParentIndex(fromParentItemId), fromRow, fromRow, ParentIndex(toParentItemId), toRow);
    if (moveAsReset_)
        beginResetModel();
}

void TTreeDataModel::EndMove()
{
    if (moveAsReset_)
        endResetModel();
    else
        endMoveRows();
    moveAsReset_ = false;
}

void TTreeDataModel::NodeChanged(int itemId)
{
    const QModelIndex index = IndexOf(itemId);
    emit dataChanged(index, index);
}
