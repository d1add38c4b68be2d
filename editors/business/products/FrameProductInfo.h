#pragma once
// The read-only summary of a product that the product list shows beside
// its tree: the main picture, the code and the name, as the item's objects
// hold them, unsaved changes included.
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QVBoxLayout;
class TFrameImageContainer;
class TFrameSite;

class TFrameProductInfo : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameProductInfo(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;

private:
    void ShowPicture(int imageId);

    QVBoxLayout* pictureLayout_ = nullptr;
    QLabel* lblNoPicture_ = nullptr;
    TFrameImageContainer* prvPicture_ = nullptr;
    QLineEdit* edtCode_ = nullptr;
    QLineEdit* edtName_ = nullptr;
};
