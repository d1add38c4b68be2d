#pragma once
// The classification codes editors: "TCodesEditor", one codes tab whose
// code system and variant its name chooses ("CommonUNSPSCOther",
// "CommonEBayCompany", ...), and "TCodesContainerEditor", the "Category" tab
// that nests the item type's code tabs (editor kind 2).
#include "editors/framework/TolvexUIEditor.h"

class TInternalPluginsManager;

class TCodesEditor : public TTolvexUIEditor {
public:
    TCodesEditor(std::string name, std::string params);

    void CreatePages() override;
    bool IsSingleFrame() const override { return true; }

    // The tab's caption and name for an editor name.
    static std::string TabCaption(const std::string& editorName);
    static std::string TabName(const std::string& editorName);
};

void RegisterCodesEditors(TInternalPluginsManager& registry);
