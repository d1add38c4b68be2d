#include "editors/business/products/FrameSimpleProductProperties.h"

#include "editors/business/BusinessIds.h"
#include "editors/business/products/ProductSpecsControls.h"
#include "editors/business/products/ProductSpecsModel.h"
#include "editors/business/products/RetailPriceControls.h"
#include "editors/site/SiteModelContext.h"

#include <QFormLayout>

TFrameSimpleProductProperties::TFrameSimpleProductProperties(TFrameSite& site)
    : TProductFrameBase(site, "TFrameSimpleProductProperties", true)
{
}

TFrameSimpleProductProperties::~TFrameSimpleProductProperties() = default;

void TFrameSimpleProductProperties::AddRows(QFormLayout& form)
{
    specs_ = new TProductSpecsControls(
        *this, {"Width", "Length", "Height", "Diameter", "DimensionsUnit", "Weight", "WeightUnit", "Keywords"},
        CatalogType() == business_ids::kSupplierCatalogType);
    specs_->Changed = [this] { Changed(); };
    specs_->AddRows(form);
    price_ = new TRetailPriceControls(*this, true);
    price_->Changed = [this] { Changed(); };
    price_->AddRows(form);
}

void TFrameSimpleProductProperties::LoadRows()
{
    specsModel_ = std::make_unique<TProductSpecsModel>(ModelContext());
    specsModel_->Load();
    specs_->Load(*specsModel_);
    price_->Load(ModelContext());
}

void TFrameSimpleProductProperties::StoreRows()
{
    specs_->Read(*specsModel_);
    specsModel_->Store();
    price_->Store();
}

std::string TFrameSimpleProductProperties::ValidateRows(QWidget*& invalid)
{
    return price_->Validate(invalid);
}
