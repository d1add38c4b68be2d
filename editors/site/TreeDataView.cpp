#include "editors/site/lists/TreeDataView.h"

#include <QDropEvent>
#include <QMetaObject>
#include <QMimeData>

namespace {

constexpr const char* kMimeType = "application/x-tolvex-tree-data-nodes";

}  // namespace

TTreeDataView::TTreeDataView(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
}

int TTreeDataView::ItemIdOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kItemIdRole).toInt() : 0;
}

std::vector<int> TTreeDataView::SelectedIds() const
{
    std::vector<int> ids;
    for (QTreeWidgetItemIterator it(const_cast<TTreeDataView*>(this)); *it; ++it)
        if ((*it)->isSelected())
            ids.push_back(ItemIdOf(*it));
    return ids;
}

QTreeWidgetItem* TTreeDataView::FindItem(int itemId) const
{
    for (QTreeWidgetItemIterator it(const_cast<TTreeDataView*>(this)); *it; ++it)
        if (ItemIdOf(*it) == itemId)
            return *it;
    return nullptr;
}

QStringList TTreeDataView::mimeTypes() const { return {kMimeType}; }

// The dragged ids, marked with this view, so that a drop takes only nodes
// dragged from the same tree.
QMimeData* TTreeDataView::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    QStringList ids{QString::number(reinterpret_cast<quintptr>(this))};
    for (const QTreeWidgetItem* item : items)
        ids << QString::number(ItemIdOf(item));
    auto* data = new QMimeData;
    data->setData(kMimeType, ids.join(',').toLatin1());
    return data;
}

bool TTreeDataView::DropTarget(const QDropEvent& event, int& targetId, std::vector<int>& draggedIds) const
{
    const QMimeData* data = event.mimeData();
    if (!data || !data->hasFormat(kMimeType))
        return false;
    const QStringList parts = QString::fromLatin1(data->data(kMimeType)).split(',');
    if (parts.isEmpty() || parts.front() != QString::number(reinterpret_cast<quintptr>(this)))
        return false;
    draggedIds.clear();
    for (qsizetype i = 1; i < parts.size(); ++i)
        draggedIds.push_back(parts[i].toInt());
    targetId = ItemIdOf(itemAt(event.position().toPoint()));
    return targetId != 0 && !draggedIds.empty();
}

void TTreeDataView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() && event->mimeData()->hasFormat(kMimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TTreeDataView::dragMoveEvent(QDragMoveEvent* event)
{
    int targetId = 0;
    std::vector<int> dragged;
    if (DropTarget(*event, targetId, dragged) && CanDrop && CanDrop(targetId, dragged))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TTreeDataView::dropEvent(QDropEvent* event)
{
    int targetId = 0;
    std::vector<int> dragged;
    if (!DropTarget(*event, targetId, dragged) || !CanDrop || !CanDrop(targetId, dragged)) {
        event->ignore();
        return;
    }
    // Reported as a copy: the drag's end must not remove the source nodes,
    // the frame fills the view again from its model.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Told once the drop has finished, since the frame rebuilds the nodes.
    QMetaObject::invokeMethod(
        this, [this, targetId, dragged] { if (Dropped) Dropped(targetId, dragged); }, Qt::QueuedConnection);
}
