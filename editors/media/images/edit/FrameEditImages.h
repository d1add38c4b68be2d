#pragma once
// The "Image Editor" tab: a small picture editor for one stored image item
// (the opened item when it is an image, else the editor parameter
// "CurrentImageItemId"). Every operation is previewed on the working copy
// of TImageEditModel and becomes part of the picture only with its Apply;
// the picture goes into the item's Image object (and the names into its
// CommonNames object) when the editor stores its tabs, so that Save writes
// it and Cancel drops it. Leaving the tab with a preview not applied asks
// first; a save of a picture that was cropped, turned or resized offers to
// make the thumbnail and large copies again from it, in the same unit.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/media/images/edit/ImageEditModel.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QToolBar;
class TFrameSite;

class TFrameEditImages : public QWidget, public TTolvexFrameEditor {
    Q_OBJECT
public:
    explicit TFrameEditImages(TFrameSite& site);
    ~TFrameEditImages() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    void TabShown() override;
    bool CanLeaveTab() override;
    void Cancel() override;
    bool Save() override;

    TImageEditModel& Model() { return model_; }
    int ImageItemId() const { return imageItemId_; }
    // The pages, in the order of the page control.
    enum class TPage { Type, Sizes, Border, Crop, Effects, Monochrome };
    void ShowPage(TPage page);
    // Apply of the page shown; false when it changed nothing.
    bool ApplyPage();

private:
    struct TColorFields {
        QSpinBox* Red = nullptr;
        QSpinBox* Green = nullptr;
        QSpinBox* Blue = nullptr;
        TRgb Value() const;
        void Set(TRgb color) const;
    };
    TColorFields AddColorRow(class QFormLayout* form, const QString& caption, const QString& name, TRgb initial);
    QWidget* MakeTypePage();
    QWidget* MakeSizesPage();
    QWidget* MakeBorderPage();
    QWidget* MakeCropPage();
    QWidget* MakeEffectsPage();
    QWidget* MakeMonochromePage();
    QSpinBox* Spin(const QString& name, int minimum, int maximum, int value);
    QString PageTitle(TPage page) const;

    void LoadPicture();
    void FillFromModel();
    void ShowWorkingCopy();
    void Preview();
    void PictureApplied(bool applied, const std::string& reason);
    void OpenFile();
    void SetZoom(int zoom);
    void SizeFieldsFromModel();

    TImageEditModel model_;
    int imageItemId_ = 0;
    bool filling_ = false;
    bool shapeSaved_ = false;
    std::string namesLang_;
    TPage page_ = TPage::Type;

    QToolBar* toolBar_ = nullptr;
    QComboBox* cmbZoom_ = nullptr;
    QLineEdit* edtCaption_ = nullptr;
    QLineEdit* edtAltFileName_ = nullptr;
    QLabel* lblDimensions_ = nullptr;
    QLabel* lblFile_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    class QGroupBox* grpPage_ = nullptr;
    QScrollArea* area_ = nullptr;
    QLabel* canvas_ = nullptr;
    // Image Type
    QComboBox* cmbFormat_ = nullptr;
    QWidget* pnlJpeg_ = nullptr;
    QWidget* pnlGif_ = nullptr;
    QSlider* sldQuality_ = nullptr;
    QCheckBox* chkTransparent_ = nullptr;
    TColorFields transparentColor_;
    QCheckBox* chkBackground_ = nullptr;
    // Image Sizes
    QSpinBox* spnWidth_ = nullptr;
    QSpinBox* spnHeight_ = nullptr;
    QSpinBox* spnWidthPercent_ = nullptr;
    QSpinBox* spnHeightPercent_ = nullptr;
    QCheckBox* chkAspect_ = nullptr;
    // Border
    QSpinBox* spnBorderOffset_ = nullptr;
    TColorFields borderColor_;
    QSpinBox* spnBorderTransparency_ = nullptr;
    // Crop
    QSpinBox* spnLeft_ = nullptr;
    QSpinBox* spnTop_ = nullptr;
    QSpinBox* spnRight_ = nullptr;
    QSpinBox* spnBottom_ = nullptr;
    // Effects
    QListWidget* lstEffects_ = nullptr;
    QLabel* lblAmount_ = nullptr;
    QSlider* sldAmount_ = nullptr;
    // Monochrome
    TColorFields darkColor_;
    TColorFields lightColor_;
};
