#pragma once
// The "Template Properties" tab of body templates and the other template
// items: name, version, item id, "Make Default" (not for colour and font
// style sheets, which are chosen by master templates), and for body
// templates the paging ("Items On Page") and custom-extension flags.
#include "editors/media/templates/properties/TemplateFrameBase.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QSpinBox;

class TFrameTemplatePropertiesEditor : public TTemplateFrameBase {
public:
    explicit TFrameTemplatePropertiesEditor(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    void UpdatePagingControls();

    QGroupBox* pnlItemsOnPage_ = nullptr;
    QCheckBox* chkHasPaging_ = nullptr;
    QLabel* lblItemsOnPage_ = nullptr;
    QSpinBox* edtItemsOnPage_ = nullptr;
    QCheckBox* chkCustomTemplate_ = nullptr;
};
