#include "editors/business/products/FrameSimpliestProductProperties.h"

#include "editors/business/products/RetailPriceControls.h"
#include "editors/business/products/images/ProductImagesPanel.h"
#include "editors/site/SiteModelContext.h"

#include <QFormLayout>
#include <QVBoxLayout>

TFrameSimpliestProductProperties::TFrameSimpliestProductProperties(TFrameSite& site)
    : TProductFrameBase(site, "TFrameSimpliestProductProperties", true)
{
}

void TFrameSimpliestProductProperties::AddRows(QFormLayout& form)
{
    price_ = new TRetailPriceControls(*this, false);
    price_->Changed = [this] { Changed(); };
    price_->AddRows(form);
}

void TFrameSimpliestProductProperties::AddBelow(QWidget& frame)
{
    // The main picture and its thumbnail, as the product's pictures tab shows them.
    pictures_ = new TProductImagesPanel(*GetContext(), false, &frame);
    pictures_->Changed = [this] { SetModified(); };
    static_cast<QVBoxLayout*>(frame.layout())->addWidget(pictures_, 1);
}

void TFrameSimpliestProductProperties::LoadRows()
{
    price_->Load(ModelContext());
    pictures_->Load(ModelContext());
}

void TFrameSimpliestProductProperties::StoreRows()
{
    price_->Store();
}

std::string TFrameSimpliestProductProperties::ValidateRows(QWidget*& invalid)
{
    return price_->Validate(invalid);
}
