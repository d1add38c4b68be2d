#pragma once
// The product's main image and thumbnail as the "Main Image" tab and the
// essentials tab show them: a "Main Image" and a "Thumbnail Image" box,
// each a picture preview with "Select..." and "Delete", and the check box
// "Use main image for thumbnail". The decisions are TProductImagesModel's;
// the panel runs the image dialogs through the editing context and tells
// its frame of each change (Changed).
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TFrameImageContainer;
class TProductImagesModel;
class TTolvexControlClass;
struct TSiteModelContext;

class TProductImagesPanel : public QWidget {
    Q_OBJECT
public:
    // FitMain: the main picture fitted to its box (else shown at its size, shrunk only).
    TProductImagesPanel(TTolvexControlClass& context, bool fitMain, QWidget* parent);
    ~TProductImagesPanel() override;

    // Reads the product's images in the model context's language; false when it has none to edit.
    bool Load(const TSiteModelContext& context);
    const TProductImagesModel* Model() const { return model_.get(); }
    std::function<void()> Changed;

private:
    void SelectMain();
    void SelectThumbnail();
    void DeleteMain();
    void DeleteThumbnail();
    void UseMainToggled(bool on);
    void ShowAll();
    // A fresh preview in the box for the image (none for 0); answers whether it shows one.
    bool ShowImage(TFrameImageContainer*& preview, QWidget& box, int imageId, bool fit);
    void Report();

    TTolvexControlClass& context_;
    bool fitMain_;
    bool loading_ = false;
    std::unique_ptr<TProductImagesModel> model_;
    QGroupBox* grpMain_ = nullptr;
    QGroupBox* grpThumbnail_ = nullptr;
    TFrameImageContainer* prvMain_ = nullptr;
    TFrameImageContainer* prvThumbnail_ = nullptr;
    QLabel* lblNoMain_ = nullptr;
    QLabel* lblNoThumbnail_ = nullptr;
    QPushButton* btnSelectMain_ = nullptr;
    QPushButton* btnDeleteMain_ = nullptr;
    QPushButton* btnSelectThumbnail_ = nullptr;
    QPushButton* btnDeleteThumbnail_ = nullptr;
    QCheckBox* chkUseMain_ = nullptr;
};
