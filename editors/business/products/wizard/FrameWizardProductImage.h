#pragma once
// The product wizard's second page, "Product Images": the product's main
// image, chosen through the image dialog ("Select...") into the wizard's
// parameter list ("MainImageItemId") and previewed; "Delete" forgets it.
// "Use main image for thumbnail" asks the dialog for the thumbnail copy
// that the product's thumbnail becomes. The dialog's pictures are committed
// through the wizard (the dialog write channel): Cancel takes them away.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class TFrameImageContainer;
class TFrameSite;

class TFrameWizardProductImage : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameWizardProductImage(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool /*languageSwitch*/) override {}

private:
    void Select();
    void Delete();
    void ShowImage(int imageId);

    QVBoxLayout* pictureLayout_ = nullptr;
    QLabel* lblNone_ = nullptr;
    TFrameImageContainer* preview_ = nullptr;
    QPushButton* btnSelect_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QCheckBox* chkUseMain_ = nullptr;
};
