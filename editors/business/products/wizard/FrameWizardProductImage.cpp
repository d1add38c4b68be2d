#include "editors/business/products/wizard/FrameWizardProductImage.h"

#include "editors/business/products/images/ProductImagesModel.h"
#include "editors/business/products/wizard/ProductWizardModel.h"
#include "editors/business/products/wizard/WizardPage.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/images/FrameImageContainer.h"
#include "storage/NameValueLines.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

TFrameWizardProductImage::TFrameWizardProductImage(TFrameSite& site)
{
    setObjectName("TFrameWizardProductImage");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameWizardProductImage::InitControls()
{
    QVBoxLayout* layout = wizard_page::PageLayout(*this, QString());
    auto* box = new QGroupBox(tr("Main Image"), this);
    box->setObjectName("grpMainImage");
    pictureLayout_ = new QVBoxLayout(box);
    // Said while no picture is chosen.
    lblNone_ = new QLabel(tr("(none)"), box);
    lblNone_->setAlignment(Qt::AlignCenter);
    pictureLayout_->addWidget(lblNone_, 1);
    auto* buttons = new QHBoxLayout;
    btnSelect_ = new QPushButton(tr("&Select..."), box);
    btnSelect_->setObjectName("btnSelectMainImage");
    btnDelete_ = new QPushButton(tr("&Delete"), box);
    btnDelete_->setObjectName("btnDeleteMainImage");
    buttons->addWidget(btnSelect_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    pictureLayout_->addLayout(buttons);
    layout->addWidget(box, 1);
    chkUseMain_ = new QCheckBox(tr("&Use main image for thumbnail"), this);
    chkUseMain_->setObjectName("chkUseMainImageForThumbnail");
    chkUseMain_->setChecked(true);
    layout->addWidget(chkUseMain_);
    btnDelete_->setEnabled(false);

    connect(btnSelect_, &QPushButton::clicked, this, &TFrameWizardProductImage::Select);
    connect(btnDelete_, &QPushButton::clicked, this, &TFrameWizardProductImage::Delete);
}

void TFrameWizardProductImage::LoadFromObjects(bool /*languageSwitch*/)
{
    ShowImage(std::atoi(wizard_page::Value(*this, TProductWizardModel::kMainImage).c_str()));
}

void TFrameWizardProductImage::ShowImage(int imageId)
{
    delete preview_;
    preview_ = nullptr;
    if (imageId > 0) {
        auto* preview = new TFrameImageContainer(pictureLayout_->parentWidget());
        preview->setObjectName("prvMainImage");
        preview->Setup(TFrameImageContainer::TInfo::Bottom, TImagePreviewModel::ServicesOf(*GetContext()), true,
                       false);
        if (preview->LoadImageItem(imageId, "")) {
            pictureLayout_->insertWidget(1, preview, 1);
            preview_ = preview;
        } else {
            delete preview;
        }
    }
    lblNone_->setVisible(preview_ == nullptr);
    btnDelete_->setEnabled(preview_ != nullptr);
}

void TFrameWizardProductImage::Select()
{
    // A dialog cancelled keeps the picture chosen before, as the preview still shows it.
    std::vector<std::string> params = TProductImagesModel::MainDialogParams(chkUseMain_->isChecked());
    if (!GetContext()->RunDialog("Image", params))
        return;
    const int imageId = std::atoi(ValueOfName(params, "ImageItemId").c_str());
    if (imageId == 0)
        return;
    wizard_page::SetValue(*this, TProductWizardModel::kMainImage, std::to_string(imageId));
    ShowImage(imageId);
    SetModified();
}

void TFrameWizardProductImage::Delete()
{
    wizard_page::SetValue(*this, TProductWizardModel::kMainImage, "");
    ShowImage(0);
    SetModified();
}
