#pragma once
// A tab that edits a multi-valued image-reference member as a list of
// images ("Additional Photos"): "New" adds an image through the image
// dialog, "Delete" takes a row out (the image stays in the library), the
// selected row's image shows in the preview. Subclasses set Config (class,
// member, folder, copies) in their constructor.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/media/images/ImageMemberModel.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;
class TFrameImageContainer;
class TFrameSite;

class TFrameMultipleImageDataEditor : public QWidget, public TTolvexFrameEditor {
    Q_OBJECT
public:
    explicit TFrameMultipleImageDataEditor(TFrameSite& site);
    ~TFrameMultipleImageDataEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    TImageMemberConfig Config;
    const TMultipleImageMemberModel* Model() const { return model_.get(); }
    QTreeWidget* List() const { return lvImages_; }

private:
    void ShowRows(int selected);
    void RowChanged();
    void New();
    void Delete();

    std::unique_ptr<TMultipleImageMemberModel> model_;
    QLabel* lblTitle_ = nullptr;
    QTreeWidget* lvImages_ = nullptr;
    QPushButton* btnNew_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    TFrameImageContainer* preview_ = nullptr;
};
