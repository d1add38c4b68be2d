#include "editors/business/products/FrameProductShipping.h"

#include "catalog/CatalogData.h"
#include "editors/business/BusinessIds.h"
#include "editors/business/products/ProductShippingControls.h"
#include "editors/business/products/ProductShippingModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"

#include <QFormLayout>
#include <QVBoxLayout>

TFrameProductShipping::TFrameProductShipping(TFrameSite& site)
{
    setObjectName("TFrameProductShipping");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameProductShipping::~TFrameProductShipping() = default;

void TFrameProductShipping::InitControls()
{
    controls_ = new TProductShippingControls(
        *this, GetContext()->Data()->GetCatalogType() == business_ids::kSupplierCatalogType);
    controls_->Changed = [this] {
        if (TrackChanges)
            SetModified();
    };
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    controls_->AddRows(*form);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
}

void TFrameProductShipping::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TProductShippingModel>(SiteModelContextOf(*this));
    model_->Load();
    controls_->Load(*model_);
    TrackChanges = true;
}

void TFrameProductShipping::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    controls_->Read(*model_);
    model_->Store();
}
