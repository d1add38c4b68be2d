#include "editors/business/products/images/ProductImagesPanel.h"

#include "editors/business/products/images/ProductImagesModel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/images/FrameImageContainer.h"
#include "storage/NameValueLines.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

int NumberOf(const std::vector<std::string>& params, const char* name)
{
    return std::atoi(ValueOfName(params, name).c_str());
}

}  // namespace

TProductImagesPanel::TProductImagesPanel(TTolvexControlClass& context, bool fitMain, QWidget* parent)
    : QWidget(parent), context_(context), fitMain_(fitMain)
{
    setObjectName("pnlProductImages");
    auto box = [this](QGroupBox*& group, const QString& title, const char* name, QLabel*& none,
                      QPushButton*& select, QPushButton*& remove, const char* selectName, const char* deleteName) {
        group = new QGroupBox(title, this);
        group->setObjectName(name);
        auto* layout = new QVBoxLayout(group);
        // Said while no picture is chosen.
        none = new QLabel(tr("(none)"), group);
        none->setAlignment(Qt::AlignCenter);
        layout->addWidget(none, 1);
        auto* buttons = new QHBoxLayout;
        select = new QPushButton(tr("&Select..."), group);
        select->setObjectName(selectName);
        remove = new QPushButton(tr("&Delete"), group);
        remove->setObjectName(deleteName);
        buttons->addWidget(select);
        buttons->addWidget(remove);
        buttons->addStretch();
        layout->addLayout(buttons);
    };
    box(grpMain_, tr("Main Image"), "grpMainImage", lblNoMain_, btnSelectMain_, btnDeleteMain_, "btnSelectMainImage",
        "btnDeleteMainImage");
    box(grpThumbnail_, tr("Thumbnail Image"), "grpThumbnailImage", lblNoThumbnail_, btnSelectThumbnail_,
        btnDeleteThumbnail_, "btnSelectThumbnail", "btnDeleteThumbnail");
    chkUseMain_ = new QCheckBox(tr("&Use main image for thumbnail"), grpThumbnail_);
    chkUseMain_->setObjectName("chkUseMainImageForThumbnail");
    static_cast<QVBoxLayout*>(grpThumbnail_->layout())->insertWidget(0, chkUseMain_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grpMain_, 3);
    layout->addWidget(grpThumbnail_, 2);

    connect(btnSelectMain_, &QPushButton::clicked, this, &TProductImagesPanel::SelectMain);
    connect(btnDeleteMain_, &QPushButton::clicked, this, &TProductImagesPanel::DeleteMain);
    connect(btnSelectThumbnail_, &QPushButton::clicked, this, &TProductImagesPanel::SelectThumbnail);
    connect(btnDeleteThumbnail_, &QPushButton::clicked, this, &TProductImagesPanel::DeleteThumbnail);
    connect(chkUseMain_, &QCheckBox::toggled, this, &TProductImagesPanel::UseMainToggled);
    setEnabled(false);
}

TProductImagesPanel::~TProductImagesPanel() = default;

bool TProductImagesPanel::Load(const TSiteModelContext& context)
{
    TTolvexControlClass* editing = &context_;
    model_ = std::make_unique<TProductImagesModel>(
        context, [editing](int mainImageId) { return TProductImagesModel::DeriveThumbnailThrough(*editing, mainImageId); });
    const bool loaded = model_->Load();
    setEnabled(loaded);
    ShowAll();
    return loaded;
}

bool TProductImagesPanel::ShowImage(TFrameImageContainer*& preview, QWidget& box, int imageId, bool fit)
{
    // A fresh preview for each image: nothing of the one before stays.
    auto* layout = static_cast<QVBoxLayout*>(box.layout());
    if (preview) {
        layout->removeWidget(preview);
        delete preview;
        preview = nullptr;
    }
    if (imageId == 0)
        return false;
    auto* fresh = new TFrameImageContainer(&box);
    fresh->setObjectName(&box == grpMain_ ? "prvMainImage" : "prvThumbnailImage");
    fresh->Setup(TFrameImageContainer::TInfo::Bottom, TImagePreviewModel::ServicesOf(context_), fit, false);
    if (!fresh->LoadImageItem(imageId, "")) {
        delete fresh;
        return false;
    }
    // Below the "(none)" line (hidden now), above the buttons.
    layout->insertWidget(layout->count() - 1, fresh, 1);
    preview = fresh;
    return true;
}

void TProductImagesPanel::ShowAll()
{
    loading_ = true;
    const int main = model_ ? model_->MainImage() : 0;
    const int thumbnail = model_ ? model_->ThumbnailImage() : 0;
    lblNoMain_->setVisible(!ShowImage(prvMain_, *grpMain_, main, fitMain_));
    lblNoThumbnail_->setVisible(!ShowImage(prvThumbnail_, *grpThumbnail_, thumbnail, true));
    chkUseMain_->setChecked(!model_ || model_->UseMainForThumbnail());
    btnDeleteMain_->setEnabled(model_ && model_->CanDeleteMain());
    btnDeleteThumbnail_->setEnabled(model_ && model_->CanDeleteThumbnail());
    btnSelectThumbnail_->setEnabled(model_ && model_->CanSelectThumbnail());
    loading_ = false;
}

void TProductImagesPanel::Report()
{
    ShowAll();
    if (Changed)
        Changed();
}

void TProductImagesPanel::SelectMain()
{
    if (!model_)
        return;
    std::vector<std::string> params = TProductImagesModel::MainDialogParams(model_->UseMainForThumbnail());
    if (!context_.RunDialog("Image", params))
        return;
    const int imageId = NumberOf(params, "ImageItemId");
    if (imageId == 0)
        return;
    model_->MainChosen(imageId, NumberOf(params, "LargeImageItemId"));
    Report();
}

void TProductImagesPanel::SelectThumbnail()
{
    if (!model_ || !model_->CanSelectThumbnail())
        return;
    std::vector<std::string> params = TProductImagesModel::ThumbnailDialogParams(model_->MainImage());
    if (!context_.RunDialog("ImageThumbnail", params))
        return;
    const int imageId = NumberOf(params, "ImageItemId");
    if (imageId == 0)
        return;
    model_->ThumbnailChosen(imageId);
    Report();
}

void TProductImagesPanel::DeleteMain()
{
    if (!model_)
        return;
    model_->DeleteMain();
    Report();
}

void TProductImagesPanel::DeleteThumbnail()
{
    if (!model_)
        return;
    model_->DeleteThumbnail();
    Report();
}

void TProductImagesPanel::UseMainToggled(bool on)
{
    if (loading_ || !model_)
        return;
    model_->SetUseMainForThumbnail(on);
    Report();
}
