#pragma once
// The product wizard's first page, "Product Info": the code, and the name
// and description in the editing language, kept in the wizard's parameter
// list ("ProductCode", "ProductName-LANG", "ProductDescr-LANG"). Its save
// refuses a code another product holds, an empty code and an empty name
// (TProductWizardModel).
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <string>

class QLineEdit;
class QPlainTextEdit;
class TFrameSite;

class TFrameWizardProductAttributes : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameWizardProductAttributes(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

private:
    void CodeEdited();

    std::string lang_;
    QLineEdit* edtCode_ = nullptr;
    QLineEdit* edtName_ = nullptr;
    QPlainTextEdit* edtDescription_ = nullptr;
};
