#pragma once
// TFrameProductImages: the product's "Main Image" tab (and the "Images" tab
// of the images-only editor): its main image and thumbnail
// (TProductImagesPanel over TProductImagesModel). The model writes each
// change into the editor's objects at once; the frame only marks the item
// modified.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

class TFrameSite;
class TProductImagesPanel;

class TFrameProductImages : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameProductImages(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool /*languageSwitch*/) override {}

private:
    TProductImagesPanel* pnlImages_ = nullptr;
};
