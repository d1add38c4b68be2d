#pragma once
// A UI editor of one frame whose tab caption is a value of the catalog
// definition under the editor's plug-in name, so that one class serves the
// item types the definition configures ("ListDataTabName" of the list data
// editors, "ListItemsTabName" of the tree lists).
#include "editors/framework/TolvexUIEditor.h"

class TDefinitionTabEditor : public TTolvexUIEditor {
public:
    TDefinitionTabEditor(std::string name, std::string params, std::string captionKey, std::string tabName,
                         const TAbstractFrameClass* frameClass);

    void CreatePages() override;
    bool IsSingleFrame() const override { return true; }

private:
    std::string captionKey_;
    std::string tabName_;
    const TAbstractFrameClass* frameClass_;
};
