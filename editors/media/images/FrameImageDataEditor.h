#pragma once
// A tab that edits one image-reference member: the image it names in a
// preview, "Select" (the image dialog) and "Delete". Registered for every
// editor name beginning with "LinkedImage", where it edits member "Image"
// of class "LinkToImage"; subclasses (the product, hotel and room image
// tabs, TFrameCommonImageEditor) set the configuration in their
// constructor or in InitControls before calling this one's.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/media/images/ImageMemberModel.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class TFrameImageContainer;
class TFrameSite;

class TFrameImageDataEditor : public QWidget, public TTolvexFrameEditor {
    Q_OBJECT
public:
    explicit TFrameImageDataEditor(TFrameSite& site);
    ~TFrameImageDataEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    // Which member is edited; set before InitControls.
    TImageMemberConfig Config;
    const TImageMemberModel* Model() const { return model_.get(); }
    TFrameImageContainer* Preview() const { return preview_; }

private:
    void Select();
    void Delete();
    void ShowImage(int imageId);

    std::unique_ptr<TImageMemberModel> model_;
    QLabel* lblNone_ = nullptr;
    TFrameImageContainer* preview_ = nullptr;
    QPushButton* btnSelect_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};

// The same tab configured by its editor's parameters ("class", "member",
// "savelarge", "foldername", "mainimagesize", "itemid", split at "&").
class TFrameCommonImageEditor : public TFrameImageDataEditor {
    Q_OBJECT
public:
    using TFrameImageDataEditor::TFrameImageDataEditor;
    void InitControls() override;
};
