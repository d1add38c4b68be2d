#include "editors/framework/FrameBasedEditor.h"

#include "catalog/AbstractFrameClass.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Tolvex.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"

TFrameBasedEditor::TFrameBasedEditor(std::string name, std::string params, const TAbstractFrameClass* frameClass)
    : TTolvexUIEditor(std::move(name), std::move(params)), frameClass_(frameClass)
{
}

void TFrameBasedEditor::CreatePages()
{
    if (!frameClass_)
        return;
    std::string caption = frameClass_->TabCaption();
    // A frame class without a caption of its own (one registered under a name
    // ending in "*" serves many editor names) is captioned by the
    // definition's "TabCaption" of the editor's name.
    if (caption.empty() && GetContext())
        caption = GetContext()->Services().Root.Catalog().GetDefinition().GetFilterValue(GetName(), "TabCaption");
    if (caption.empty())
        caption = GetName();
    std::string tabName = frameClass_->TabName();
    if (tabName.empty())
        tabName = GetName();
    AddTab(caption, tabName, frameClass_);
}

bool TFrameBasedEditor::IsSingleFrame() const
{
    return frameClass_ && frameClass_->IsSingleFrame();
}

bool TFrameBasedEditor::IsPlaceholder() const
{
    return !dynamic_cast<const TFrameClass*>(frameClass_);
}
