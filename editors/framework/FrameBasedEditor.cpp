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
    const auto* known = dynamic_cast<const TFrameClass*>(frameClass_);
    std::string caption = known ? known->TabCaptionFor(GetName()) : frameClass_->TabCaption();
    // A frame that serves several editor names is captioned by the definition's "TabCaption" of the name.
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
