#include "editors/business/auction/FrameGlobalEbayOptions.h"

#include "editors/business/auction/AuctionOptionsBox.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteFrameContext.h"

#include <QVBoxLayout>

TFrameGlobalEbayOptions::TFrameGlobalEbayOptions(TFrameSite& site)
{
    setObjectName("TFrameGlobalEbayOptions");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameGlobalEbayOptions::InitControls()
{
    auto* layout = new QVBoxLayout(this);
    options_ = new TAuctionOptionsBox(this);
    layout->addWidget(options_);
    layout->addStretch();
    connect(options_, &TAuctionOptionsBox::Changed, this, [this] {
        if (TrackChanges)
            SetModified();
    });
}

void TFrameGlobalEbayOptions::LoadFromObjects(bool)
{
    TrackChanges = false;
    options_->Show(TAuctionOptions::Read(TSiteDatabaseWrites::Deferred(*GetContext())));
    TrackChanges = true;
}

void TFrameGlobalEbayOptions::StoreToObjects(bool)
{
    if (IsModified())
        options_->Read().Write(TSiteDatabaseWrites::Deferred(*GetContext()));
}

bool TFrameGlobalEbayOptions::Save()
{
    if (IsModified()) {
        std::string message;
        for (const std::string& problem : options_->Read().Problems())
            message += (message.empty() ? "" : "\n") + GetContext()->Translate(problem);
        if (!message.empty()) {
            ShowFrameError(message);
            return false;
        }
    }
    return TTolvexFrameEditor::Save();
}
