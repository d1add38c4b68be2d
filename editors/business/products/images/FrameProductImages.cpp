#include "editors/business/products/images/FrameProductImages.h"

#include "editors/business/products/images/ProductImagesPanel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"

#include <QVBoxLayout>

TFrameProductImages::TFrameProductImages(TFrameSite& site)
{
    setObjectName("TFrameProductImages");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameProductImages::InitControls()
{
    pnlImages_ = new TProductImagesPanel(*GetContext(), true, this);
    pnlImages_->Changed = [this] { SetModified(); };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pnlImages_);
}

void TFrameProductImages::LoadFromObjects(bool /*languageSwitch*/)
{
    pnlImages_->Load(SiteModelContextOf(*this));
}
