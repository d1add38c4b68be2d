#pragma once
// The read-only summary of a product that the product list shows beside
// its tree: the main picture (from the pictures' frame once it exists; a
// placeholder until then), the code and the name, as the item's objects
// hold them, unsaved changes included.
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

class QLineEdit;
class TFrameSite;

class TFrameProductInfo : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameProductInfo(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;

private:
    QLineEdit* edtCode_ = nullptr;
    QLineEdit* edtName_ = nullptr;
};
