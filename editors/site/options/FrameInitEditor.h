#pragma once
// The initial settings of a new catalog, shown alone in a small window:
// company name, country, default currency and the catalog's language.
// There is no Cancel, and OK always saves what is shown (the values are
// TFrameInitEditorModel's); the save marks the initial settings done.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLineEdit;
class TFrameInitEditorModel;
class TFrameSite;

class TFrameInitEditor : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameInitEditor(TFrameSite& site);
    ~TFrameInitEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

private:
    void ControlsChanged();

    std::unique_ptr<TFrameInitEditorModel> model_;
    bool languagesStored_ = false;
    QComboBox* cbInitCatalogLanguage_ = nullptr;
    QComboBox* cbInitDefaultCurrency_ = nullptr;
    QComboBox* cbInitCountry_ = nullptr;
    QLineEdit* edtInitCompanyName_ = nullptr;
};
