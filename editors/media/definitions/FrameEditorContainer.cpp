#include "editors/media/definitions/FrameEditorContainer.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/ui/QtEditorPanel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "storage/MemberValueText.h"

#include <QVBoxLayout>

TFrameEditorContainer::TFrameEditorContainer(TFrameSite& site)
{
    setObjectName("TFrameEditorContainer");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameEditorContainer::~TFrameEditorContainer() = default;

void TFrameEditorContainer::InitControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* client = new QWidget(this);
    client->setObjectName("pnlEditorContainer");
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(client);

    const std::string editorName = GetUIEditor() ? GetUIEditor()->GetName() : std::string();
    editorType_ = TMemberValueText::ReadInteger(
        RootObject->Catalog().GetDefinition().GetFilterValue(editorName, "EditorType"));
    if (editorType_ <= 0)
        return;
    NestedPanel = std::make_unique<TQtEditorPanel>(*client);
    TTolvexControlClass& context = *GetContext();
    const int item = context.GetTreeItemId();
    CreateNestedEditor(*NestedPanel).OpenItem(item, item, context.GetItemType(), context.GetParams(), editorType_);
}
