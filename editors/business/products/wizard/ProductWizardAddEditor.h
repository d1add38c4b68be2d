#pragma once
// TProductWizardAddEditor (plug-in "WizardProductAddEditor"): the product
// wizard, shown in the editor window's wizard mode for an item that does not
// exist yet. Its three pages collect the product's values into the
// parameter list; Finish checks them all (showing the page of the first
// refusal) and creates the whole product in the save's one unit of work
// (TProductWizardModel), then has the main window show it in the web tree
// and open it. Cancel, on any page, leaves no product, and the image
// dialog's pictures go again with it (they were committed through the
// wizard, see TDialogWriteChannel).
#include "editors/framework/TolvexUIEditor.h"

class TProductWizardAddEditor : public TTolvexUIEditor {
public:
    TProductWizardAddEditor(std::string name, std::string params);

    void CreatePages() override;
    bool Save() override;
    void GetPreferredSize(int& width, int& height) const override;
};
