#include "editors/business/products/FrameProductInfo.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/images/FrameImageContainer.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;

TFrameProductInfo::TFrameProductInfo(TFrameSite& site)
{
    setObjectName("TFrameProductInfo");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameProductInfo::InitControls()
{
    auto* picture = new QWidget(this);
    picture->setObjectName("pnlProductImage");
    pictureLayout_ = new QVBoxLayout(picture);
    pictureLayout_->setContentsMargins(0, 0, 0, 0);
    // Said while the product has no main picture.
    lblNoPicture_ = new QLabel(tr("(no picture)"), picture);
    lblNoPicture_->setAlignment(Qt::AlignCenter);
    pictureLayout_->addWidget(lblNoPicture_);
    edtCode_ = new QLineEdit(this);
    edtCode_->setObjectName("edtProductCode");
    edtCode_->setReadOnly(true);
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName("edtProductName");
    edtName_->setReadOnly(true);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Product Code:"), edtCode_);
    form->addRow(tr("Product Name:"), edtName_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 1);
    layout->addLayout(form);
}

void TFrameProductInfo::LoadFromObjects(bool /*languageSwitch*/)
{
    TAbstractCObject* images = GetObject("ProductImages");
    ShowPicture(images ? images->GetLangInteger("MainImage", ContentLangCode(), 0) : 0);
    TAbstractCObject* product = GetObject("Product");
    edtCode_->setText(product ? Q(product->GetLangString("Code", ContentLangCode(), 0)) : QString());
    edtName_->setText(product ? Q(product->GetLangString("Name", ContentLangCode(), 0)) : QString());
}

void TFrameProductInfo::ShowPicture(int imageId)
{
    // A fresh preview for each product: nothing of the one before stays.
    delete prvPicture_;
    prvPicture_ = nullptr;
    if (imageId != 0) {
        auto* preview = new TFrameImageContainer(pictureLayout_->parentWidget());
        preview->setObjectName("prvProductImage");
        TTolvexControlClass& context = *GetContext();
        preview->Setup(TFrameImageContainer::TInfo::Bottom, TImagePreviewModel::ServicesOf(context), true, false);
        if (preview->LoadImageFromCollection(imageId, "", context.GetObjectCollection())) {
            pictureLayout_->addWidget(preview, 1);
            prvPicture_ = preview;
        } else {
            delete preview;
        }
    }
    lblNoPicture_->setVisible(prvPicture_ == nullptr);
}
