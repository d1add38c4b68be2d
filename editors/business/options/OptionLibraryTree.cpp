#include "editors/business/options/OptionLibraryTree.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "editors/business/options/OptionLibraryModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TOptionLibraryTree::TOptionLibraryTree(QWidget* parent, TOptionLibraryModel& model, bool chooser)
    : QWidget(parent), model_(model), chooser_(chooser)
{
    setObjectName("OptionLibraryTree");
    tvOptions_ = new QTreeWidget(this);
    tvOptions_->setObjectName("tvOptions");
    tvOptions_->setHeaderHidden(true);
    tvOptions_->setEditTriggers(chooser ? QAbstractItemView::NoEditTriggers
                                        : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    btnAddOption_ = new QPushButton(tr("Add &Option..."), this);
    btnAddOption_->setObjectName("btnAddOption");
    btnAddValue_ = new QPushButton(tr("Add Option &Value..."), this);
    btnAddValue_->setObjectName("btnAddValue");
    btnEdit_ = new QPushButton(tr("&Edit..."), this);
    btnEdit_->setObjectName("btnEdit");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDelete");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btnAddOption_, btnAddValue_, btnEdit_, btnDelete_})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* treeRow = new QHBoxLayout;
    treeRow->addWidget(tvOptions_, 1);
    if (!chooser) {
        btnUp_ = new QPushButton(this);
        btnUp_->setObjectName("btnUp");
        btnUp_->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
        btnUp_->setToolTip(tr("Move the value up"));
        btnDown_ = new QPushButton(this);
        btnDown_->setObjectName("btnDown");
        btnDown_->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
        btnDown_->setToolTip(tr("Move the value down"));
        auto* moves = new QVBoxLayout;
        moves->addWidget(btnUp_);
        moves->addWidget(btnDown_);
        moves->addStretch();
        treeRow->addLayout(moves);
        connect(btnUp_, &QPushButton::clicked, this, [this] { Move(-1); });
        connect(btnDown_, &QPushButton::clicked, this, [this] { Move(1); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!chooser) {
        auto* caption = new QLabel(tr("A&vailable options"), this);
        caption->setBuddy(tvOptions_);
        layout->addWidget(caption);
    }
    layout->addLayout(treeRow, 1);
    layout->addLayout(buttons);

    connect(btnAddOption_, &QPushButton::clicked, this, [this] { AddOption(); });
    connect(btnAddValue_, &QPushButton::clicked, this, [this] { AddValue(); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { Edit(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { Delete(); });
    connect(tvOptions_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(tvOptions_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { Renamed(item); });
    if (!chooser)
        connect(tvOptions_, &QTreeWidget::itemDoubleClicked, this, [this] { Edit(); });
}

void TOptionLibraryTree::Fill(int selectId)
{
    filling_ = true;
    tvOptions_->clear();
    // Values in grey: the dialog answers with an option.
    QColor grey = palette().color(QPalette::Text);
    grey.setAlpha(150);
    for (const TOptionLibraryModel::TOption& option : model_.Options()) {
        auto* item = new QTreeWidgetItem(tvOptions_);
        item->setText(0, Q(option.Name));
        item->setData(0, Qt::UserRole, option.ItemId);
        if (!chooser_)
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        for (const TOptionLibraryModel::TEntry& value : option.Values) {
            auto* child = new QTreeWidgetItem(item);
            child->setText(0, Q(value.Name));
            child->setData(0, Qt::UserRole, value.ItemId);
            if (chooser_)
                child->setForeground(0, grey);
            else
                child->setFlags(child->flags() | Qt::ItemIsEditable);
        }
    }
    tvOptions_->expandAll();
    QTreeWidgetItem* selected = ItemOf(selectId);
    if (!selected && tvOptions_->topLevelItemCount() > 0)
        selected = tvOptions_->topLevelItem(0);
    if (selected)
        tvOptions_->setCurrentItem(selected);
    filling_ = false;
    UpdateButtons();
}

QTreeWidgetItem* TOptionLibraryTree::ItemOf(int itemId) const
{
    if (itemId == 0)
        return nullptr;
    for (QTreeWidgetItemIterator it(tvOptions_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == itemId)
            return *it;
    return nullptr;
}

int TOptionLibraryTree::SelectedId() const
{
    QTreeWidgetItem* current = tvOptions_->currentItem();
    return current ? current->data(0, Qt::UserRole).toInt() : 0;
}

bool TOptionLibraryTree::IsEditingCaption() const
{
    for (const QLineEdit* caption : tvOptions_->viewport()->findChildren<QLineEdit*>())
        if (caption->isVisible())
            return true;
    return false;
}

void TOptionLibraryTree::Done(int selectId)
{
    Fill(selectId);
    if (Changed)
        Changed();
}

void TOptionLibraryTree::AddOption()
{
    if (IsEditingCaption() || !CommonProcedures)
        return;
    tvOptions_->setFocus();
    std::string name = model_.DefaultName();
    if (!CommonProcedures->Gui().InputValue("Enter new option name", "New Option Name", name, true, ""))
        return;
    int id = 0;
    const std::string error = model_.AddOption(name, &id);
    if (!error.empty())
        return ShowFrameError(error);
    if (id != 0)
        Done(id);
}

void TOptionLibraryTree::AddValue()
{
    const int selected = SelectedId();
    if (selected == 0 || IsEditingCaption() || !CommonProcedures)
        return;
    std::string name = model_.DefaultName();
    if (!CommonProcedures->Gui().InputValue("Enter new option value", "New Option Value", name, true, ""))
        return;
    int id = 0;
    const std::string error = model_.AddValue(selected, name, &id);
    if (!error.empty())
        return ShowFrameError(error);
    if (id != 0)
        Done(id);
}

void TOptionLibraryTree::Edit()
{
    const int id = SelectedId();
    if (id == 0 || !CommonProcedures)
        return;
    const bool value = model_.OptionOf(id) != 0;
    std::string name = model_.NameOf(id);
    const char* caption = value ? "Change option value name" : "Change Option Name";
    const char* prompt = value ? "Change Value Name" : "Change Option Name";
    if (!CommonProcedures->Gui().InputValue(caption, prompt, name, true, ""))
        return;
    const std::string error = model_.Rename(id, name);
    if (!error.empty())
        return ShowFrameError(error);
    Done(id);
}

void TOptionLibraryTree::Renamed(QTreeWidgetItem* item)
{
    if (filling_ || !item)
        return;
    const int id = item->data(0, Qt::UserRole).toInt();
    const std::string typed = S(item->text(0));
    if (typed == model_.NameOf(id))
        return;
    const std::string error = model_.Rename(id, typed);
    filling_ = true;
    item->setText(0, Q(model_.NameOf(id)));
    filling_ = false;
    if (!error.empty())
        return ShowFrameError(error);
    if (Changed)
        Changed();
}

void TOptionLibraryTree::Delete()
{
    const int id = SelectedId();
    if (id == 0 || !model_.CanDelete(id) || !CommonProcedures)
        return;
    if (CommonProcedures->Gui().AskQuestion("Do you really want to delete the item?", "", true) != mrYes)
        return;
    const int option = model_.OptionOf(id);
    const std::string error = model_.Delete(id);
    // A refused deletion says why, in the dialog as in the library.
    if (!error.empty())
        return ShowFrameError(error);
    Done(option);
}

void TOptionLibraryTree::Move(int step)
{
    const int id = SelectedId();
    if (model_.Move(id, step))
        Done(id);
}

void TOptionLibraryTree::UpdateButtons()
{
    const int id = SelectedId();
    btnDelete_->setEnabled(id != 0 && model_.CanDelete(id));
    if (chooser_)
        return;
    btnEdit_->setEnabled(id != 0);
    btnAddValue_->setEnabled(id != 0);
    btnUp_->setEnabled(model_.CanMove(id, -1));
    btnDown_->setEnabled(model_.CanMove(id, 1));
}
