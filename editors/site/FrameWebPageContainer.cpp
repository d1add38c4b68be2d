#include "editors/site/page/FrameWebPageContainer.h"

#include "editors/framework/ui/QtEditorPanel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"

#include <QVBoxLayout>

TNestedEditorPanelHolder::~TNestedEditorPanelHolder() = default;

TFrameWebPageContainer::TFrameWebPageContainer(TFrameSite& site)
{
    setObjectName("TFrameWebPageContainer");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameWebPageContainer::~TFrameWebPageContainer() = default;

void TFrameWebPageContainer::InitControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    client_ = new QWidget(this);
    client_->setObjectName("pnlWebPageClient");
    auto* clientLayout = new QVBoxLayout(client_);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(client_);
    NestedPanel = std::make_unique<TQtEditorPanel>(*client_);

    TTolvexControlClass& context = *GetContext();
    const int page = context.GetTreeItemId();
    CreateNestedEditor(*NestedPanel)
        .OpenItem(page, page, context.GetItemType(), context.GetParams(), kNestedEditorKind);
}
