#pragma once
// The UI editors of template items. "CommonMasterTemplateEditor"
// (TMasterTemplateEditor): "Properties" (TFrameMasterTemplateEditor).
// "CommonTemplatePropertiesEditor" (TTemplatePropertiesEditor): "Template
// Properties" (TFrameTemplatePropertiesEditor); its Save makes the template
// lists read the tree again, so that a renamed or new template shows in
// them. Both add "Settings" (TFrameTemplateSettings) when the template has
// a settings page.
#include "editors/framework/TolvexUIEditor.h"

class TMasterTemplateEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
};

class TTemplatePropertiesEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
    bool Save() override;
};

// Registers the template editors, the settings tab, the template preview
// and the item manager of template items.
class TInternalPluginsManager;
void RegisterTemplateEditors(TInternalPluginsManager& registry);
