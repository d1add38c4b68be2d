#include "catalog/ui/CatalogTreeView.h"

#include "catalog/TreeManager.h"
#include "catalog/ui/TreeModel.h"
#include "common/MemberTypes.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

// A caption typed in place is an item's name: no longer than a name can be.
class TCaptionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(kMaxShortTextLength);
        return editor;
    }
};

}  // namespace

TCatalogTreeView::TCatalogTreeView(TTreeManager& manager, std::function<QIcon(const QString&)> images,
                                   QWidget* parent)
    : QTreeView(parent), manager_(manager), model_(new TTreeModel(manager, std::move(images), this))
{
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setModel(model_);
    setItemDelegate(new TCaptionDelegate(this));
    setSelectionMode((manager_.GetOptions() & toMultiSelect) ? ExtendedSelection : SingleSelection);
    setEditTriggers((manager_.GetOptions() & toEditNewCaption) ? EditTriggers(EditKeyPressed | SelectedClicked) : EditTriggers(NoEditTriggers));
    setDragDropMode(DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    model_->SetViewState([this] { return isVisible(); }, [this] { return editTriggers() == NoEditTriggers; });

    connect(this, &QTreeView::expanded, this, &TCatalogTreeView::OnExpanded);
    connect(this, &QTreeView::collapsed, this, &TCatalogTreeView::OnCollapsed);
    connect(model_, &TTreeModel::expandedChangedByManager, this, &TCatalogTreeView::FollowManagerExpansion);
    connect(model_, &TTreeModel::selectionChangedByManager, this, &TCatalogTreeView::FollowManagerSelection);
    connect(model_, &TTreeModel::makeVisibleRequested, this, [this](const QModelIndex& index) { scrollTo(index); });
    connect(model_, &TTreeModel::editCaptionRequested, this, [this](const QModelIndex& index) { edit(index); });
    connect(model_, &TTreeModel::repaintRequested, this, [this] { viewport()->update(); });
}

TCatalogTreeView::~TCatalogTreeView() = default;

// The user's selection is routed from whichever selection model the view
// has: setModel installs a new one (a reload of the tree keeps it), so the
// routing follows the selection model rather than the model's resets.
void TCatalogTreeView::setSelectionModel(QItemSelectionModel* selectionModel)
{
    if (QItemSelectionModel* previous = this->selectionModel(); previous && previous != selectionModel)
        disconnect(previous, &QItemSelectionModel::selectionChanged, this, &TCatalogTreeView::OnUserSelection);
    QTreeView::setSelectionModel(selectionModel);
    if (selectionModel)
        connect(selectionModel, &QItemSelectionModel::selectionChanged, this, &TCatalogTreeView::OnUserSelection,
                Qt::UniqueConnection);
}

void TCatalogTreeView::OnExpanded(const QModelIndex& index)
{
    if (following_)
        return;
    manager_.Expand(TTreeModel::NodeOf(index));
}

void TCatalogTreeView::OnCollapsed(const QModelIndex& index)
{
    if (following_)
        return;
    manager_.Collapse(TTreeModel::NodeOf(index));
}

void TCatalogTreeView::OnUserSelection()
{
    if (following_)
        return;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    following_ = true;
    manager_.SetSelected(nullptr);
    for (const QModelIndex& index : selected)
        manager_.SetSelected(TTreeModel::NodeOf(index), true);
    if (TTreeNode* current = TTreeModel::NodeOf(currentIndex()))
        manager_.SetCurrentNode(current);
    following_ = false;
}

void TCatalogTreeView::FollowManagerExpansion(const QModelIndex& index, bool expanded)
{
    if (!index.isValid() || isExpanded(index) == expanded)
        return;
    following_ = true;
    setExpanded(index, expanded);
    following_ = false;
}

void TCatalogTreeView::FollowManagerSelection()
{
    if (following_)
        return;
    following_ = true;
    QItemSelection selection;
    QModelIndex current;
    for (TTreeNode* node : manager_.AllNodes())
        if (node->Selected) {
            const QModelIndex index = model_->IndexOf(node);
            selection.select(index, index);
            if (!current.isValid())
                current = index;
        }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (current.isValid())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    following_ = false;
}

// ---- moving by drag and drop --------------------------------------------------------------

void TCatalogTreeView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TCatalogTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    TTreeNode* source = TTreeModel::NodeOf(currentIndex());
    TTreeNode* target = TTreeModel::NodeOf(indexAt(event->position().toPoint()));
    const bool may = event->source() == this && source && target && source->IsItem() &&
                     manager_.CanPlaceItem(target, source->Data->GetDataItemId(), source->Data->ItemType);
    if (may)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TCatalogTreeView::dropEvent(QDropEvent* event)
{
    TTreeNode* source = TTreeModel::NodeOf(currentIndex());
    TTreeNode* target = TTreeModel::NodeOf(indexAt(event->position().toPoint()));
    // The manager moves the row and the node itself: the view's own removal is not wanted.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (event->source() == this && source && target)
        manager_.MoveNode(target, source);
}
