#pragma once
// The body shared by the image dialog's "Image From Disk" and "Image From
// Internet" tabs: the picture's preview with Rotate Left and Right, its
// name (one per language) and alternative file name, the main scaling, the
// thumbnail and large copies, and, when the dialog asks for them, the HTML
// attributes. The tab above it gives the picture (a file, a download); OK
// stores it (TImageInsertModel, which holds every decision; the widgets
// only show the model and hand it the user's changes).
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/media/images/ImageInsertModel.h"

#include <QWidget>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TFrameImageContainer;
class TFrameSite;
class TImageHtmlPanel;

class TFrameImageSource : public QWidget, public TTolvexFrameEditor {
    Q_OBJECT
public:
    explicit TFrameImageSource(TFrameSite& site);
    ~TFrameImageSource() override;

    void InitControls() override;
    void TabShown() override;
    void StoreToObjects(bool languageSwitch) override;
    void LoadFromObjects(bool languageSwitch) override;
    bool Save() override;

    const TImageInsertModel& Model() const { return model_; }
    TFrameImageContainer* Preview() const { return preview_; }

protected:
    // Adds the row that gives the picture (above everything else).
    virtual void BuildSourceRow(QBoxLayout& layout) = 0;
    // The MIME type the picture is stored as, from where it came.
    virtual std::string StoredMimeType() const = 0;
    // What the empty tab tells the user to do first.
    virtual QString HintText() const = 0;
    // Loads a picture file: InitFileName, or the file the user chose.
    bool LoadFile(const std::string& fileName);
    // A picture file was loaded (the row shows its name).
    virtual void FileLoaded(const std::string& /*fileName*/) {}
    // Loads downloaded bytes: the name is proposed from the address.
    bool LoadBytes(const std::string& bytes, const std::string& mimeType, const std::string& address);
    bool HasPicture() const;
    // Shows the error of a picture that could not be read; nothing changes.
    void ShowLoadError(const std::string& message);

private:
    void BuildBody(QBoxLayout& layout);
    void PictureShown(const std::string& proposedName);
    // Shows what the model says: panels, boxes, ticks.
    void ShowControls();
    void NameEdited(const QString& text);
    void AltFileNameEdited(const QString& text);
    void Rotate(bool right);

    TImageInsertModel model_;
    std::string nameLang_;
    bool filtering_ = false;

    QWidget* sbOptions_ = nullptr;
    QWidget* pnlPreview_ = nullptr;
    QLabel* lblHint_ = nullptr;
    TFrameImageContainer* preview_ = nullptr;
    QPushButton* btnRotateLeft_ = nullptr;
    QPushButton* btnRotateRight_ = nullptr;
    QGroupBox* pnlName_ = nullptr;
    QLineEdit* edtImageName_ = nullptr;
    QLineEdit* edtAltFileName_ = nullptr;
    QCheckBox* chkBackground_ = nullptr;
    QGroupBox* pnlMainScale_ = nullptr;
    QCheckBox* chkScaleImage_ = nullptr;
    QSpinBox* edtMainSize_ = nullptr;
    QComboBox* cbMainScaleType_ = nullptr;
    QGroupBox* pnlThumbnail_ = nullptr;
    QCheckBox* chkSaveThumbnail_ = nullptr;
    QCheckBox* chkScaleThumbnail_ = nullptr;
    QSpinBox* edtThumbnailSize_ = nullptr;
    QComboBox* cbThumbnailScaleType_ = nullptr;
    QGroupBox* pnlLarge_ = nullptr;
    QCheckBox* chkSaveLarge_ = nullptr;
    QCheckBox* chkScaleLarge_ = nullptr;
    QSpinBox* edtLargeSize_ = nullptr;
    QComboBox* cbLargeScaleType_ = nullptr;
    QCheckBox* chkPopupLarge_ = nullptr;
    TImageHtmlPanel* pnlHtml_ = nullptr;
};
