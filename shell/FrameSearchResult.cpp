#include "shell/FrameSearchResult.h"

#include "gui/UiText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::Tr;

namespace {

constexpr int kIndexRole = Qt::UserRole + 1;

}  // namespace

TFrameSearchResult::TFrameSearchResult(std::vector<TSearchResults::TFound> found, QWidget* parent)
    : QWidget(parent), found_(std::move(found))
{
    setObjectName("FrameSearchResult");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pages_ = new QStackedWidget(this);
    layout->addWidget(pages_, 1);

    auto* listPage = new QWidget(pages_);
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    list_ = new QTreeWidget(listPage);
    list_->setObjectName("lvSearchResult");
    list_->setHeaderLabels({Tr("Item Name")});
    list_->header()->setStretchLastSection(true);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setDragEnabled(true);
    list_->setDragDropMode(QAbstractItemView::DragOnly);
    list_->setAlternatingRowColors(true);
    listLayout->addWidget(list_, 1);
    bottom_ = new QWidget(listPage);
    auto* bottomLayout = new QHBoxLayout(bottom_);
    bottomLayout->setContentsMargins(6, 6, 6, 6);
    bottomLayout->addStretch(1);
    edit_ = new QPushButton(Tr("Edit"), bottom_);
    edit_->setObjectName("btnSearchResultEdit");
    bottomLayout->addWidget(edit_);
    listLayout->addWidget(bottom_);
    pages_->addWidget(listPage);

    noMatch_ = new QLabel(Tr("Your search did not match any items"), pages_);
    noMatch_->setObjectName("pnlSearchResultNoMatch");
    noMatch_->setAlignment(Qt::AlignCenter);
    noMatch_->setForegroundRole(QPalette::PlaceholderText);
    pages_->addWidget(noMatch_);

    for (size_t i = 0; i < found_.size(); ++i) {
        auto* entry = new QTreeWidgetItem(list_, {Q(found_[i].Caption)});
        entry->setData(0, kIndexRole, static_cast<int>(i));
    }
    connect(edit_, &QPushButton::clicked, this, &TFrameSearchResult::EditClick);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &TFrameSearchResult::SelectionChanged);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (!list_->selectedItems().isEmpty())
            edit_->click();
    });
    if (found_.empty()) {
        pages_->setCurrentWidget(noMatch_);
    } else {
        pages_->setCurrentIndex(0);
        list_->setCurrentItem(list_->topLevelItem(0));
    }
    SelectionChanged();
}

std::vector<TSearchResults::TFound> TFrameSearchResult::SelectedItems() const
{
    std::vector<TSearchResults::TFound> items;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* entry = list_->topLevelItem(i); entry->isSelected())
            items.push_back(found_[entry->data(0, kIndexRole).toInt()]);
    return items;
}

void TFrameSearchResult::SelectionChanged()
{
    edit_->setEnabled(!list_->selectedItems().isEmpty());
}

void TFrameSearchResult::EditClick()
{
    QTreeWidgetItem* entry = list_->currentItem();
    if (!entry || !entry->isSelected()) {
        const QList<QTreeWidgetItem*> selected = list_->selectedItems();
        entry = selected.isEmpty() ? nullptr : selected.first();
    }
    if (entry)
        emit openRequested(found_[entry->data(0, kIndexRole).toInt()].Item);
}
