#include "editors/business/codes/CodesTreeModel.h"

#include "gui/UiText.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QMimeData>
#include <QPalette>

using UiText::Q;

TCodesTreeModel::TCodesTreeModel(TCodeTree& tree, QObject* parent) : QAbstractItemModel(parent), tree_(tree)
{
}

TCodeNode* TCodesTreeModel::NodeOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<TCodeNode*>(index.internalPointer()) : nullptr;
}

TCodeNode& TCodesTreeModel::NodeOrRoot(const QModelIndex& index) const
{
    TCodeNode* node = NodeOf(index);
    return node ? *node : tree_.Root();
}

QModelIndex TCodesTreeModel::IndexOf(const TCodeNode* node) const
{
    if (!node || node->Level < 0)
        return {};
    return createIndex(node->Index(), 0, const_cast<TCodeNode*>(node));
}

QString TCodesTreeModel::Caption(const std::string& name, const std::string& code)
{
    return QStringLiteral("%1 (%2)").arg(Q(name), Q(code));
}

void TCodesTreeModel::Load(TCodeNode& node)
{
    if (node.Loaded)
        return;
    std::vector<TCodeRow> rows = tree_.ReadChildren(node);
    if (rows.empty()) {
        // The expand mark goes: the node has no children after all.
        tree_.Attach(node, {});
        node.Row.HasChildren = false;
        const QModelIndex index = IndexOf(&node);
        if (index.isValid())
            emit dataChanged(index, index);
        return;
    }
    beginInsertRows(IndexOf(&node), 0, static_cast<int>(rows.size()) - 1);
    tree_.Attach(node, std::move(rows));
    endInsertRows();
}

QModelIndex TCodesTreeModel::Locate(const std::string& code)
{
    return IndexOf(tree_.Locate(code, [this](TCodeNode& node) { Load(node); }));
}

void TCodesTreeModel::Reload()
{
    beginResetModel();
    tree_.Reload();
    endResetModel();
}

void TCodesTreeModel::Remove(const QModelIndex& index)
{
    TCodeNode* node = NodeOf(index);
    if (!node)
        return;
    beginRemoveRows(index.parent(), index.row(), index.row());
    tree_.Remove(*node);
    endRemoveRows();
}

void TCodesTreeModel::HitsChanged()
{
    emit layoutChanged();
}

QModelIndex TCodesTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const TCodeNode& node = NodeOrRoot(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(node.Children.size()))
        return {};
    return createIndex(row, 0, node.Children[row].get());
}

QModelIndex TCodesTreeModel::parent(const QModelIndex& child) const
{
    const TCodeNode* node = NodeOf(child);
    return node ? IndexOf(node->Parent) : QModelIndex();
}

int TCodesTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(NodeOrRoot(parent).Children.size());
}

int TCodesTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TCodesTreeModel::hasChildren(const QModelIndex& parent) const
{
    const TCodeNode& node = NodeOrRoot(parent);
    return node.Loaded ? !node.Children.empty() : node.Row.HasChildren;
}

bool TCodesTreeModel::canFetchMore(const QModelIndex& parent) const
{
    return !NodeOrRoot(parent).Loaded;
}

void TCodesTreeModel::fetchMore(const QModelIndex& parent)
{
    Load(NodeOrRoot(parent));
}

QVariant TCodesTreeModel::data(const QModelIndex& index, int role) const
{
    const TCodeNode* node = NodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return Caption(node->Row.Name, node->Row.Code);
    case Qt::UserRole: return Q(node->Row.Code);
    case Qt::BackgroundRole:
        if (tree_.IsHit(node->Row.Code))
            return QApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        if (node->Row.IsTolvexCode && !tree_.IsHit(node->Row.Code))
            return QBrush(QColor(128, 0, 0));
        return {};
    default: return {};
    }
}

Qt::ItemFlags TCodesTreeModel::flags(const QModelIndex& index) const
{
    const TCodeNode* node = NodeOf(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (tree_.IsChoosable(*node))
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList TCodesTreeModel::mimeTypes() const
{
    return {kCodeMimeType};
}

QMimeData* TCodesTreeModel::mimeData(const QModelIndexList& indexes) const
{
    for (const QModelIndex& index : indexes)
        if (const TCodeNode* node = NodeOf(index); node && tree_.IsChoosable(*node)) {
            auto* data = new QMimeData;
            data->setData(kCodeMimeType, QByteArray::fromStdString(node->Row.Code));
            return data;
        }
    return nullptr;
}
