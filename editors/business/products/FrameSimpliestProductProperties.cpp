#include "editors/business/products/FrameSimpliestProductProperties.h"

#include "editors/business/products/RetailPriceControls.h"
#include "editors/site/SiteModelContext.h"
#include "editors/framework/PlaceholderFrame.h"
#include "editors/framework/ui/QtFrameSite.h"

#include <QFormLayout>
#include <QLayout>

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
    auto* pictures = new TQtFrameSite(&frame);
    pictures->setObjectName("pnlProductImages");
    pictures->ShowMessage(TPlaceholderFrame::MessageFor("Main Image (TFrameProductImages)"));
    frame.layout()->addWidget(pictures);
}

void TFrameSimpliestProductProperties::LoadRows()
{
    price_->Load(ModelContext());
}

void TFrameSimpliestProductProperties::StoreRows()
{
    price_->Store();
}

std::string TFrameSimpliestProductProperties::ValidateRows(QWidget*& invalid)
{
    return price_->Validate(invalid);
}
