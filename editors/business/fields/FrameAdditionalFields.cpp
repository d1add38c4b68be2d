#include "editors/business/fields/FrameAdditionalFields.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "editors/business/NamedItemsModel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameAdditionalFields::TFrameAdditionalFields(TFrameSite& site)
{
    setObjectName("TFrameAdditionalFields");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameAdditionalFields::~TFrameAdditionalFields() = default;

void TFrameAdditionalFields::InitControls()
{
    lvFields_ = new QTreeWidget(this);
    lvFields_->setObjectName("lvFields");
    lvFields_->setRootIsDecorated(false);
    lvFields_->setHeaderLabels({tr("Custom Field Name")});
    btnAdd_ = new QPushButton(tr("&Add..."), this);
    btnAdd_->setObjectName("btnAddField");
    btnEdit_ = new QPushButton(tr("&Edit..."), this);
    btnEdit_->setObjectName("btnEditField");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDeleteField");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAdd_);
    buttons->addWidget(btnEdit_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvFields_);
    layout->addLayout(buttons);

    model_ = std::make_unique<TNamedItemsModel>(SiteModelContextOf(*this), TNamedItemsModel::Fields());
    model_->UseWrites(TItemWrites::Through(*GetContext()));

    connect(lvFields_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(lvFields_, &QTreeWidget::itemDoubleClicked, this, [this] { EditField(); });
    connect(btnAdd_, &QPushButton::clicked, this, [this] { AddField(); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { EditField(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { DeleteField(); });
}

void TFrameAdditionalFields::LoadFromObjects(bool /*languageSwitch*/)
{
    const int selected = SelectedId();
    model_->Load();
    Fill(selected);
}

void TFrameAdditionalFields::Fill(int selectId)
{
    lvFields_->clear();
    QTreeWidgetItem* selected = nullptr;
    for (const TNamedItemsModel::TItem& field : model_->Items()) {
        auto* row = new QTreeWidgetItem(lvFields_);
        row->setText(0, Q(field.Name));
        row->setData(0, Qt::UserRole, field.ItemId);
        if (field.ItemId == selectId)
            selected = row;
    }
    if (!selected && lvFields_->topLevelItemCount() > 0)
        selected = lvFields_->topLevelItem(0);
    if (selected)
        lvFields_->setCurrentItem(selected);
    UpdateButtons();
}

int TFrameAdditionalFields::SelectedId() const
{
    QTreeWidgetItem* current = lvFields_ ? lvFields_->currentItem() : nullptr;
    return current && current->isSelected() ? current->data(0, Qt::UserRole).toInt() : 0;
}

void TFrameAdditionalFields::UpdateButtons()
{
    const bool selected = SelectedId() != 0;
    btnEdit_->setEnabled(selected);
    btnDelete_->setEnabled(selected);
}

void TFrameAdditionalFields::AddField()
{
    if (!CommonProcedures)
        return;
    std::string name;
    if (!CommonProcedures->Gui().InputValue("Enter name of new custom field", "New Custom Field", name, true, ""))
        return;
    int id = 0;
    const std::string error = model_->Add(name, &id);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    SetModified();
    Fill(id);
}

void TFrameAdditionalFields::EditField()
{
    const int id = SelectedId();
    const TNamedItemsModel::TItem* field = model_->Find(id);
    if (!field || !CommonProcedures)
        return;
    std::string name = field->Name;
    if (!CommonProcedures->Gui().InputValue("Change name of custom field", "Edit Custom Field", name, true, "") ||
        name == field->Name)
        return;
    const std::string error = model_->Rename(id, name);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    SetModified();
    Fill(id);
}

void TFrameAdditionalFields::DeleteField()
{
    const int id = SelectedId();
    if (id == 0 || !CommonProcedures)
        return;
    if (CommonProcedures->Gui().AskQuestion("Do you really want to delete the additional field?", "", true) != mrYes)
        return;
    const std::string error = model_->Delete(id);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    SetModified();
    Fill(0);
}

bool TFrameAdditionalFields::Save()
{
    const std::string error = model_->CheckDeletions();
    if (!error.empty()) {
        ShowFrameError(error);
        return false;
    }
    return TTolvexFrameViewer::Save();
}

void TFrameAdditionalFields::AfterSave()
{
    model_->ForgetDeletions();
}

void TFrameAdditionalFields::Cancel()
{
    model_->ForgetDeletions();
    TTolvexFrameViewer::Cancel();
}
