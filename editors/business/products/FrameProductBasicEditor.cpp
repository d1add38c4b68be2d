#include "editors/business/products/FrameProductBasicEditor.h"

#include "editors/business/BusinessIds.h"
#include "editors/business/products/ProductShippingControls.h"
#include "editors/business/products/ProductShippingModel.h"
#include "editors/site/SiteModelContext.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLayout>

TFrameProductBasicEditor::TFrameProductBasicEditor(TFrameSite& site)
    : TProductFrameBase(site, "TFrameProductBasicEditor", false)
{
    KeepsHistory = true;
}

TFrameProductBasicEditor::~TFrameProductBasicEditor() = default;

void TFrameProductBasicEditor::AddBelow(QWidget& frame)
{
    if (CatalogType() == business_ids::kSupplierCatalogType)
        return;
    shipping_ = new TProductShippingControls(*this, false);
    shipping_->Changed = [this] { Changed(); };
    auto* box = new QGroupBox(tr("Shipping"), &frame);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    shipping_->AddRows(*form);
    frame.layout()->addWidget(box);
}

void TFrameProductBasicEditor::LoadRows()
{
    if (!shipping_)
        return;
    shippingModel_ = std::make_unique<TProductShippingModel>(ModelContext());
    shippingModel_->Load();
    shipping_->Load(*shippingModel_);
}

void TFrameProductBasicEditor::StoreRows()
{
    if (!shipping_)
        return;
    shipping_->Read(*shippingModel_);
    shippingModel_->Store();
}
