#include "editors/business/products/ProductContainerFrames.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ui/QtEditorPanel.h"
#include "editors/framework/ui/QtFrameSite.h"

#include <QVBoxLayout>

TProductContainerFrame::TProductContainerFrame(TFrameSite& site, const char* objectName, int editorKind)
    : editorKind_(editorKind)
{
    setObjectName(objectName);
    TQtFrameSite::PlaceInto(site, this);
}

TProductContainerFrame::~TProductContainerFrame() = default;

void TProductContainerFrame::InitControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* client = new QWidget(this);
    client->setObjectName("pnlProductClient");
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(client);
    NestedPanel = std::make_unique<TQtEditorPanel>(*client);

    TTolvexControlClass& context = *GetContext();
    const int item = context.GetTreeItemId();
    CreateNestedEditor(*NestedPanel).OpenItem(item, item, context.GetItemType(), context.GetParams(), editorKind_);
}
