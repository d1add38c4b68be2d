#pragma once
// The code-row dialog of the classification codes ("Edit Codes"): a
// category of the eBay or Zarivuro tree with its id, level, parent id, name
// and leaf mark, on the dialog's parameter list only (TEditCodesForm). A
// refused save shows why and asks the caller to show the dialog again
// ("reedit"). The "UNSPSC" and "Harmonized" pages are not edited here.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QTabWidget;
class TFrameSite;

class TFrameEditCodes : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameEditCodes(TFrameSite& site);

    void InitControls() override;
    bool Save() override;
    void LoadFromObjects(bool) override {}
    void StoreToObjects(bool) override {}

private:
    QTabWidget* pcCodes_ = nullptr;
    QLineEdit* edtCategoryId_ = nullptr;
    QLineEdit* edtCategoryLevel_ = nullptr;
    QLineEdit* edtCategoryParentId_ = nullptr;
    QLineEdit* edtName_ = nullptr;
    QCheckBox* chkLeafCategory_ = nullptr;
};
