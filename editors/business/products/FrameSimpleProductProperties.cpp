#include "editors/business/products/FrameSimpleProductProperties.h"

#include "editors/business/BusinessIds.h"
#include "editors/business/products/ProductSpecsControls.h"
#include "editors/business/products/ProductSpecsModel.h"
#include "editors/business/products/RetailPriceControls.h"
#include "editors/site/SiteModelContext.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>

TFrameSimpleProductProperties::TFrameSimpleProductProperties(TFrameSite& site)
    : TProductFrameBase(site, "TFrameSimpleProductProperties", true)
{
}

TFrameSimpleProductProperties::~TFrameSimpleProductProperties() = default;

void TFrameSimpleProductProperties::AddRows(QFormLayout& form)
{
    const bool numeric = CatalogType() == business_ids::kSupplierCatalogType;
    keywords_ = new TProductSpecsControls(*this, {"Keywords"}, numeric);
    specs_ = new TProductSpecsControls(
        *this, {"Width", "Length", "Height", "Diameter", "DimensionsUnit", "Weight", "WeightUnit"}, numeric);
    price_ = new TRetailPriceControls(*this, true);
    for (TProductSpecsControls* controls : {keywords_, specs_})
        controls->Changed = [this] { Changed(); };
    price_->Changed = [this] { Changed(); };
    keywords_->AddRows(form);
}

void TFrameSimpleProductProperties::AddBelow(QWidget& frame)
{
    // Sizes and weight beside the price, each in a box of its own.
    auto* sizes = new QGroupBox(tr("Size and Weight"), &frame);
    auto* sizesForm = new QFormLayout(sizes);
    specs_->AddRows(*sizesForm);
    auto* price = new QGroupBox(tr("Price"), &frame);
    auto* priceForm = new QFormLayout(price);
    price_->AddRows(*priceForm);
    auto* row = new QHBoxLayout;
    row->addWidget(sizes, 1);
    row->addWidget(price, 1);
    row->setAlignment(price, Qt::AlignTop);
    row->setAlignment(sizes, Qt::AlignTop);
    static_cast<QBoxLayout*>(frame.layout())->addLayout(row);
}

void TFrameSimpleProductProperties::LoadRows()
{
    specsModel_ = std::make_unique<TProductSpecsModel>(ModelContext());
    specsModel_->Load();
    keywords_->Load(*specsModel_);
    specs_->Load(*specsModel_);
    price_->Load(ModelContext());
}

void TFrameSimpleProductProperties::StoreRows()
{
    keywords_->Read(*specsModel_);
    specs_->Read(*specsModel_);
    specsModel_->Store();
    price_->Store();
}

std::string TFrameSimpleProductProperties::ValidateRows(QWidget*& invalid)
{
    return price_->Validate(invalid);
}
