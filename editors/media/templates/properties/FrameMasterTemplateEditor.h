#pragma once
// The "Properties" tab of a master template: name, version, item id, "Make
// Default", and the page style the template gives its pages: the colour and
// font style sheets of the catalog's style-sheet folders and a background
// picture of the open catalog or of the style catalogs, shown beside.
#include "editors/media/templates/properties/TemplateFrameBase.h"

class QComboBox;
class QLabel;

class TFrameMasterTemplateEditor : public TTemplateFrameBase {
public:
    explicit TFrameMasterTemplateEditor(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    void AfterSave() override;
    void Cancel() override;

private:
    void FillBackgrounds();
    void ShowBackground();
    std::string StyleCatalogCode() const;

    QComboBox* cbColorScheme_ = nullptr;
    QComboBox* cbFontScheme_ = nullptr;
    QComboBox* cbBackground_ = nullptr;
    QLabel* imgBackground_ = nullptr;
    bool copyPending_ = false;
};
