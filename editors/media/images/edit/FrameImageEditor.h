#pragma once
// The "Image" tab of an image item: its picture in a preview, "Update From
// File" and "This is background image". A picture taken from a file goes
// into the item's Image object, which the editor's Save writes and its
// Cancel drops; the item's thumbnail and large copies are detached from it
// (their items stay in the library).
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class TFrameImageContainer;
class TFrameSite;

class TFrameImageEditor : public QWidget, public TTolvexFrameEditor {
    Q_OBJECT
public:
    explicit TFrameImageEditor(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    // Replaces the item's picture by the one in the file; false, with the
    // picture kept, when the file holds no picture that can be stored.
    bool UpdateFromFile(const std::string& fileName);
    TFrameImageContainer* Preview() const { return preview_; }

private:
    void ChooseFile();
    void ShowPicture();

    QVBoxLayout* layout_ = nullptr;
    TFrameImageContainer* preview_ = nullptr;
    QLabel* lblNone_ = nullptr;
    QPushButton* btnUpdate_ = nullptr;
    QCheckBox* chkBackground_ = nullptr;
};
