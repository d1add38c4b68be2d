#include "editors/business/schedules/FramePriceSchedulesEditor.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "editors/business/BusinessIds.h"
#include "editors/business/NamedItemsModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ui/QtEditorPanel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

using UiText::Q;
using UiText::S;

TFramePriceSchedulesEditor::TFramePriceSchedulesEditor(TFrameSite& site)
{
    setObjectName("TFramePriceSchedulesEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFramePriceSchedulesEditor::~TFramePriceSchedulesEditor() = default;

void TFramePriceSchedulesEditor::InitControls()
{
    auto* left = new QWidget(this);
    auto* caption = new QLabel(tr("&Schedules Names:"), left);
    tvSchedules_ = new QTreeWidget(left);
    tvSchedules_->setObjectName("tvSchedules");
    tvSchedules_->setHeaderHidden(true);
    tvSchedules_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    caption->setBuddy(tvSchedules_);
    btnNew_ = new QPushButton(tr("&New..."), left);
    btnNew_->setObjectName("btnNewSchedule");
    btnDelete_ = new QPushButton(tr("&Delete"), left);
    btnDelete_->setObjectName("btnDeleteSchedule");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNew_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(caption);
    leftLayout->addWidget(tvSchedules_);
    leftLayout->addLayout(buttons);

    pnlDetail_ = new QWidget(this);
    pnlDetail_->setObjectName("pnlScheduleDetail");
    auto* detailLayout = new QVBoxLayout(pnlDetail_);
    detailLayout->setContentsMargins(0, 0, 0, 0);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(pnlDetail_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    NestedPanel = std::make_unique<TQtEditorPanel>(*pnlDetail_);
    detail_ = &CreateNestedEditor(*NestedPanel);
    model_ = std::make_unique<TNamedItemsModel>(SiteModelContextOf(*this), TNamedItemsModel::Schedules());
    model_->UseWrites(TItemWrites::Through(*GetContext()));

    connect(tvSchedules_, &QTreeWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
    connect(tvSchedules_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { ItemRenamed(item); });
    connect(btnNew_, &QPushButton::clicked, this, [this] { NewSchedule(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { DeleteSchedule(); });
}

void TFramePriceSchedulesEditor::LoadFromObjects(bool languageSwitch)
{
    const int remembered = languageSwitch || openId_ != 0 ? openId_ : 0;
    model_->Load();
    Fill(remembered);
}

void TFramePriceSchedulesEditor::Fill(int selectId)
{
    filling_ = true;
    tvSchedules_->clear();
    std::map<int, QTreeWidgetItem*> shown;
    for (const TNamedItemsModel::TItem& schedule : model_->Items()) {
        const auto parent = shown.find(schedule.ParentItemId);
        auto* item = parent != shown.end() ? new QTreeWidgetItem(parent->second) : new QTreeWidgetItem(tvSchedules_);
        item->setText(0, Q(schedule.Name));
        item->setData(0, Qt::UserRole, schedule.ItemId);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        shown[schedule.ItemId] = item;
    }
    tvSchedules_->expandAll();
    QTreeWidgetItem* selected = ItemOf(selectId);
    if (!selected && tvSchedules_->topLevelItemCount() > 0)
        selected = tvSchedules_->topLevelItem(0);
    if (selected)
        tvSchedules_->setCurrentItem(selected);
    filling_ = false;
    UpdateButtons();
    const int id = SelectedId();
    if (id != openId_ || id == 0)
        OpenSchedule(id);
}

QTreeWidgetItem* TFramePriceSchedulesEditor::ItemOf(int itemId) const
{
    if (itemId == 0)
        return nullptr;
    for (QTreeWidgetItemIterator it(tvSchedules_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == itemId)
            return *it;
    return nullptr;
}

int TFramePriceSchedulesEditor::SelectedId() const
{
    QTreeWidgetItem* current = tvSchedules_->currentItem();
    return current ? current->data(0, Qt::UserRole).toInt() : 0;
}

void TFramePriceSchedulesEditor::SelectionChanged()
{
    if (filling_)
        return;
    UpdateButtons();
    const int id = SelectedId();
    if (id == openId_)
        return;
    // The open schedule's detail goes into the objects first; a detail that
    // refuses (a name taken) keeps it selected.
    if (openId_ != 0 && !detail_->Save()) {
        filling_ = true;
        if (QTreeWidgetItem* open = ItemOf(openId_))
            tvSchedules_->setCurrentItem(open);
        filling_ = false;
        UpdateButtons();
        return;
    }
    RefreshNames();
    OpenSchedule(id);
}

void TFramePriceSchedulesEditor::OpenSchedule(int itemId)
{
    if (itemId == 0) {
        detail_->ClearEditors();
        openId_ = 0;
        return;
    }
    const TNamedItemsModel::TItem* schedule = model_->Find(itemId);
    detail_->PrepareOpen(schedule ? schedule->ParentItemId : business_ids::kSchedulesRoot, itemId, "", "");
    if (detail_->OpenItem(itemId, itemId, business_ids::kScheduleType, GetContext()->GetParams(), 0))
        openId_ = itemId;
}

void TFramePriceSchedulesEditor::ItemRenamed(QTreeWidgetItem* item)
{
    if (filling_ || !item)
        return;
    const int id = item->data(0, Qt::UserRole).toInt();
    const TNamedItemsModel::TItem* schedule = model_->Find(id);
    if (!schedule || S(item->text(0)) == schedule->Name)
        return;
    const std::string typed = S(item->text(0));
    const std::string error = model_->Rename(id, typed);
    if (!error.empty()) {
        // The old name stays.
        filling_ = true;
        item->setText(0, Q(schedule->Name));
        filling_ = false;
        ShowFrameError(error);
        return;
    }
    filling_ = true;
    item->setText(0, Q(model_->Find(id)->Name));
    filling_ = false;
    if (id == openId_)
        detail_->NameChanged(id, model_->Find(id)->Name);
    SetModified();
}

void TFramePriceSchedulesEditor::NewSchedule()
{
    // Nothing while a name is being edited in place.
    for (const QLineEdit* caption : tvSchedules_->viewport()->findChildren<QLineEdit*>())
        if (caption->isVisible())
            return;
    if (!CommonProcedures)
        return;
    std::string name;
    if (!CommonProcedures->Gui().InputValue("Enter new price schedule name", "New Price Schedule Name", name, true,
                                            ""))
        return;
    int id = 0;
    const std::string error = model_->Add(name, &id);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    if (id == 0)
        return;
    filling_ = true;
    auto* item = new QTreeWidgetItem(tvSchedules_);
    item->setText(0, Q(model_->Find(id)->Name));
    item->setData(0, Qt::UserRole, id);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    filling_ = false;
    SetModified();
    tvSchedules_->setCurrentItem(item);
    UpdateButtons();
}

void TFramePriceSchedulesEditor::DeleteSchedule()
{
    const int id = SelectedId();
    if (id == 0 || model_->Items().size() < 2 || model_->HasChildren(id) || !CommonProcedures)
        return;
    if (CommonProcedures->Gui().AskQuestion("Do you really want to delete the price schedule?", "", true) != mrYes)
        return;
    const std::string error = model_->Delete(id);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    // The deleted schedule's detail is not kept.
    if (id == openId_) {
        detail_->ClearEditors();
        openId_ = 0;
    }
    SetModified();
    Fill(0);
}

void TFramePriceSchedulesEditor::UpdateButtons()
{
    const int id = SelectedId();
    btnDelete_->setEnabled(id != 0 && model_->Items().size() >= 2 && !model_->HasChildren(id));
}

void TFramePriceSchedulesEditor::RefreshNames()
{
    model_->Load();
    filling_ = true;
    for (const TNamedItemsModel::TItem& schedule : model_->Items())
        if (QTreeWidgetItem* item = ItemOf(schedule.ItemId))
            item->setText(0, Q(schedule.Name));
    filling_ = false;
}

bool TFramePriceSchedulesEditor::Save()
{
    const std::string error = model_->CheckDeletions();
    if (!error.empty()) {
        ShowFrameError(error);
        return false;
    }
    if (!TTolvexFrameViewer::Save())
        return false;
    RefreshNames();
    return true;
}

void TFramePriceSchedulesEditor::AfterSave()
{
    model_->ForgetDeletions();
}

void TFramePriceSchedulesEditor::Cancel()
{
    model_->ForgetDeletions();
    openId_ = 0;
    TTolvexFrameViewer::Cancel();
}
