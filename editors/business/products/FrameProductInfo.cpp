#include "editors/business/products/FrameProductInfo.h"

#include "editors/framework/PlaceholderFrame.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"

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
    auto* picture = new TQtFrameSite(this);
    picture->setObjectName("pnlProductImage");
    picture->ShowMessage(TPlaceholderFrame::MessageFor("Main Image (TFrameImageContainer)"));
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
    TAbstractCObject* product = GetObject("Product");
    edtCode_->setText(product ? Q(product->GetLangString("Code", ContentLangCode(), 0)) : QString());
    edtName_->setText(product ? Q(product->GetLangString("Name", ContentLangCode(), 0)) : QString());
}
