#include "editors/site/lists/TreeDataView.h"

#include "editors/site/lists/TreeDataModel.h"

#include <QItemSelectionModel>

#include <functional>

TTreeDataView::TTreeDataView(QWidget* parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) { expanded_.insert(ItemIdOf(index)); });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) { expanded_.remove(ItemIdOf(index)); });
}

void TTreeDataView::setModel(QAbstractItemModel* model)
{
    QTreeView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        RestoreExpanded(QModelIndex());
        expandedKnown_ = expandedKnown_ || this->model()->rowCount() > 0;
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent, int first, int last) {
        for (int row = first; row <= last; ++row) {
            const QModelIndex inserted = this->model()->index(row, 0, parent);
            if (expanded_.contains(ItemIdOf(inserted)))
                expand(inserted);
            RestoreExpanded(inserted);
        }
    });
}

int TTreeDataView::ItemIdOf(const QModelIndex& index) { return TTreeDataModel::ItemIdOf(index); }

QModelIndex TTreeDataView::IndexOf(int itemId) const
{
    const auto* tree = qobject_cast<const TTreeDataModel*>(model());
    return tree ? tree->IndexOf(itemId) : QModelIndex();
}

std::vector<int> TTreeDataView::SelectedIds() const
{
    std::vector<int> ids;
    if (!model() || !selectionModel())
        return ids;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < model()->rowCount(parent); ++row) {
            const QModelIndex index = model()->index(row, 0, parent);
            if (selectionModel()->isSelected(index))
                ids.push_back(ItemIdOf(index));
            walk(index);
        }
    };
    walk(QModelIndex());
    return ids;
}

int TTreeDataView::SelectedId() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? ItemIdOf(current) : 0;
}

void TTreeDataView::Select(int itemId)
{
    const QModelIndex index = IndexOf(itemId);
    if (!index.isValid()) {
        clearSelection();
        return;
    }
    setCurrentIndex(index);
    scrollTo(index);
}

void TTreeDataView::RestoreExpanded(const QModelIndex& parent)
{
    for (int row = 0; row < model()->rowCount(parent); ++row) {
        const QModelIndex index = model()->index(row, 0, parent);
        if (!model()->hasChildren(index))
            continue;
        if (!expandedKnown_ || expanded_.contains(ItemIdOf(index)))
            expand(index);
        RestoreExpanded(index);
    }
}
