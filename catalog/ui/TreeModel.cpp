#include "catalog/ui/TreeModel.h"

#include "catalog/TreeManager.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

namespace {

QColor ColorOf(std::uint32_t rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

TTreeModel::TTreeModel(TTreeManager& manager, std::function<QIcon(const QString&)> images, QObject* parent)
    : QAbstractItemModel(parent), manager_(manager), images_(std::move(images))
{
    manager_.SetObserver(this);
}

TTreeModel::~TTreeModel()
{
    manager_.SetObserver(nullptr);
}

TTreeNode* TTreeModel::NodeOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<TTreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TTreeModel::IndexOf(TTreeNode* node) const
{
    if (!node || node == &manager_.Root())
        return {};
    return createIndex(node->Index(), 0, node);
}

void TTreeModel::SetViewState(std::function<bool()> showing, std::function<bool()> readOnly)
{
    showing_ = std::move(showing);
    readOnly_ = std::move(readOnly);
}

QModelIndex TTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    TTreeNode* node = parent.isValid() ? NodeOf(parent) : &manager_.Root();
    if (column != 0 || row < 0 || row >= static_cast<int>(node->Children.size()))
        return {};
    return createIndex(row, 0, node->Children[row].get());
}

QModelIndex TTreeModel::parent(const QModelIndex& child) const
{
    TTreeNode* node = NodeOf(child);
    if (!node || node->Parent == &manager_.Root())
        return {};
    return IndexOf(node->Parent);
}

int TTreeModel::rowCount(const QModelIndex& parent) const
{
    TTreeNode* node = parent.isValid() ? NodeOf(parent) : &manager_.Root();
    return static_cast<int>(node->Children.size());
}

int TTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant TTreeModel::data(const QModelIndex& index, int role) const
{
    TTreeNode* node = NodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (node->IsItem() && node->Data->Stale)
            manager_.CustomDrawItem(node, node->Selected);
        return QString::fromStdString(node->Caption);
    case Qt::DecorationRole:
        if (images_ && !node->ImageName.empty())
            return images_(QString::fromStdString(node->ImageName));
        return {};
    case Qt::ForegroundRole: {
        const TNodeStyle style = manager_.CustomDrawItem(node, node->Selected);
        return style.FontColor ? QVariant(QBrush(ColorOf(*style.FontColor))) : QVariant();
    }
    case Qt::BackgroundRole: {
        const TNodeStyle style = manager_.CustomDrawItem(node, node->Selected);
        if (style.ButtonFace)
            return QBrush(QGuiApplication::palette().color(QPalette::Button));
        return style.Background ? QVariant(QBrush(ColorOf(*style.Background))) : QVariant();
    }
    case Qt::FontRole: {
        const TNodeStyle style = manager_.CustomDrawItem(node, node->Selected);
        if (!style.StrikeOut && !style.Bold)
            return {};
        QFont font;
        font.setStrikeOut(style.StrikeOut);
        font.setBold(style.Bold);
        return font;
    }
    default:
        return {};
    }
}

bool TTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TTreeNode* node = NodeOf(index);
    if (!node || !node->IsItem() || role != Qt::EditRole)
        return false;
    node->Caption = value.toString().toStdString();
    emit dataChanged(index, index);
    emit captionEdited(node->ItemId(), value.toString());
    return true;
}

Qt::ItemFlags TTreeModel::flags(const QModelIndex& index) const
{
    TTreeNode* node = NodeOf(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (node->IsItem()) {
        flags |= Qt::ItemIsSelectable;
        if (manager_.GetOptions() & toEditNewCaption)
            flags |= Qt::ItemIsEditable;
    }
    return flags;
}

// ---- notifications of the manager --------------------------------------------------------

void TTreeModel::BeginReset()
{
    beginResetModel();
}

void TTreeModel::EndReset()
{
    endResetModel();
}

void TTreeModel::BeginInsert(TTreeNode* parent, int first, int last)
{
    beginInsertRows(IndexOf(parent), first, last);
}

void TTreeModel::EndInsert()
{
    endInsertRows();
}

void TTreeModel::BeginRemove(TTreeNode* parent, int first, int last)
{
    beginRemoveRows(IndexOf(parent), first, last);
}

void TTreeModel::EndRemove()
{
    endRemoveRows();
}

void TTreeModel::BeginReorder(TTreeNode* parent)
{
    const QModelIndex index = IndexOf(parent);
    emit layoutAboutToBeChanged(index.isValid() ? QList<QPersistentModelIndex>{index}
                                                : QList<QPersistentModelIndex>{});
}

void TTreeModel::EndReorder(TTreeNode* parent)
{
    // Nodes keep their identity; only their rows change.
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& old : persistent) {
        TTreeNode* node = NodeOf(old);
        if (node && node->Parent == (parent ? parent : &manager_.Root()))
            changePersistentIndex(old, createIndex(node->Index(), old.column(), node));
    }
    const QModelIndex index = IndexOf(parent);
    emit layoutChanged(index.isValid() ? QList<QPersistentModelIndex>{index} : QList<QPersistentModelIndex>{});
}

void TTreeModel::NodeChanged(TTreeNode* node)
{
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index);
}

void TTreeModel::ExpandedChanged(TTreeNode* node)
{
    emit expandedChangedByManager(IndexOf(node), node->Expanded);
}

void TTreeModel::SelectionChanged()
{
    emit selectionChangedByManager();
}

void TTreeModel::MakeVisible(TTreeNode* node)
{
    emit makeVisibleRequested(IndexOf(node));
}

void TTreeModel::EditCaption(TTreeNode* node)
{
    emit editCaptionRequested(IndexOf(node));
}

void TTreeModel::Repaint()
{
    emit repaintRequested();
}

bool TTreeModel::IsShowing()
{
    return !showing_ || showing_();
}

bool TTreeModel::IsReadOnly()
{
    return readOnly_ && readOnly_();
}
