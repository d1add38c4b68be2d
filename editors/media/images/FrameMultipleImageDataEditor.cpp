#include "editors/media/images/FrameMultipleImageDataEditor.h"

#include "catalog/CatalogData.h"
#include "common/CommonGui.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/images/FrameImageContainer.h"
#include "gui/UiText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdlib>

using UiText::Q;

TFrameMultipleImageDataEditor::TFrameMultipleImageDataEditor(TFrameSite& site)
{
    setObjectName("TFrameMultipleImageDataEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameMultipleImageDataEditor::~TFrameMultipleImageDataEditor() = default;

void TFrameMultipleImageDataEditor::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    model_ = std::make_unique<TMultipleImageMemberModel>(context, Config);

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    lblTitle_ = new QLabel(tr("Additional Photos"), this);
    lblTitle_->setObjectName("lblTitle");
    lvImages_ = new QTreeWidget(this);
    lvImages_->setObjectName("lvImages");
    lvImages_->setHeaderLabels({tr("Caption")});
    lvImages_->setRootIsDecorated(false);
    auto* buttons = new QHBoxLayout;
    btnNew_ = new QPushButton(tr("&New..."), this);
    btnNew_->setObjectName("btnNew");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDelete");
    buttons->addWidget(btnNew_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    left->addWidget(lblTitle_);
    left->addWidget(lvImages_, 1);
    left->addLayout(buttons);
    layout->addLayout(left, 1);
    preview_ = new TFrameImageContainer(this);
    preview_->Setup(TFrameImageContainer::TInfo::Top, TImagePreviewModel::ServicesOf(context), true, false);
    layout->addWidget(preview_, 2);

    connect(lvImages_, &QTreeWidget::currentItemChanged, this, [this] { RowChanged(); });
    connect(btnNew_, &QPushButton::clicked, this, &TFrameMultipleImageDataEditor::New);
    connect(btnDelete_, &QPushButton::clicked, this, &TFrameMultipleImageDataEditor::Delete);
    RowChanged();
}

void TFrameMultipleImageDataEditor::ShowRows(int selected)
{
    lvImages_->clear();
    for (const TMultipleImageMemberModel::TRow& row : model_->Rows()) {
        auto* item = new QTreeWidgetItem(lvImages_, {Q(row.Caption)});
        item->setData(0, Qt::UserRole, row.ImageId);
    }
    if (selected >= 0 && selected < lvImages_->topLevelItemCount())
        lvImages_->setCurrentItem(lvImages_->topLevelItem(selected));
    RowChanged();
}

void TFrameMultipleImageDataEditor::RowChanged()
{
    QTreeWidgetItem* current = lvImages_->currentItem();
    btnDelete_->setEnabled(current != nullptr);
    // A fresh preview for each image: nothing of the one before stays.
    auto* fresh = new TFrameImageContainer(this);
    fresh->Setup(TFrameImageContainer::TInfo::Top, TImagePreviewModel::ServicesOf(*GetContext()), true, false);
    layout()->replaceWidget(preview_, fresh);
    delete preview_;
    preview_ = fresh;
    if (current)
        preview_->LoadImageItem(current->data(0, Qt::UserRole).toInt(), "");
}

void TFrameMultipleImageDataEditor::LoadFromObjects(bool)
{
    TrackChanges = false;
    if (model_->Load())
        ShowRows(0);
    TrackChanges = true;
}

void TFrameMultipleImageDataEditor::New()
{
    TTolvexControlClass& context = *GetContext();
    std::vector<std::string> params = model_->Config().DialogParams();
    TCatalogData* data = context.Data();
    // Through the catalog data, which adds the catalog's main, thumbnail and large sizes.
    if (!data || !data->RunDialog("image", context.GetConnection(), params))
        return;
    const int imageId = std::atoi(ValueOfName(params, "ImageItemId").c_str());
    if (imageId == 0)
        return;
    model_->Add(ValueOfName(params, "Caption"), imageId);
    ShowRows(static_cast<int>(model_->Rows().size()) - 1);
    SetModified();
}

void TFrameMultipleImageDataEditor::Delete()
{
    QTreeWidgetItem* current = lvImages_->currentItem();
    if (!current)
        return;
    TTolvexControlClass& context = *GetContext();
    const std::string question =
        context.TranslateFmt("Do you really want to delete \"$1\" image?", {UiText::S(current->text(0))});
    if (context.Services().Gui.AskQuestion(question, "", false) != mrYes)
        return;
    model_->Remove(static_cast<std::size_t>(lvImages_->indexOfTopLevelItem(current)));
    SetModified();
    ShowRows(0);
}

void TFrameMultipleImageDataEditor::StoreToObjects(bool)
{
    if (IsModified())
        model_->Store();
}
