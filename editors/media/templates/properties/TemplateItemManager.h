#pragma once
// The item manager of template items ("TemplateItemManager"): the editor's
// caption is the item type's description with the template's name, a new
// template is a "New Page" in the tree, and a template the user changed is
// marked so ("WasModifiedByUser"), so that a newer style does not silently
// replace it.
#include "editors/framework/TolvexItemManager.h"

class TTemplateItemManager : public TTolvexItemManager {
public:
    using TTolvexItemManager::TTolvexItemManager;
    std::string GetCaption(TTolvexControlClass& context) override;
    std::string GetNewItemCaption(TTolvexControlClass& context) override;
    void BeforeSave(TTolvexControlClass& context) override;

    // The caption's description: the type's own, or "Template" for a type
    // whose description is only its number.
    static std::string Description(const std::string& typeDescription);
};
