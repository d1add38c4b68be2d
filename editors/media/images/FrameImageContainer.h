#pragma once
// The picture preview every image editor embeds: one picture, fitted into
// its panel, with three lines of information (pixel size; format and byte
// size; the image's name with the address under which the published site
// serves it), at the top, at the bottom or hidden. What it shows and how it
// loads is TImagePreviewModel's; the owner reads the picture back from the
// model when it stores it.
//
//   auto* preview = new TFrameImageContainer(panel);
//   preview->Setup(TFrameImageContainer::TInfo::Top, TImagePreviewModel::ServicesOf(*GetContext()), true, false);
//   preview->LoadImageItem(imageId, "");
#include "editors/media/images/ImagePreviewModel.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QLabel;
class QVBoxLayout;
class TElidedLabel;

class TFrameImageContainer : public QWidget {
    Q_OBJECT
public:
    enum class TInfo { Top = 0, Bottom = 1, Hidden = 2 };

    explicit TFrameImageContainer(QWidget* parent = nullptr);
    ~TFrameImageContainer() override;

    // Once, before any load: where the information goes, what the picture
    // is read through, whether it is fitted to the panel (else shown at its
    // own size, shrunk only) and centred.
    void Setup(TInfo info, TImagePreviewModel::TServices services, bool fitToPanel, bool centred);

    // Each load shows the picture and rewrites the lines; a load that does
    // not happen (false) leaves everything as it was. Reading errors raise
    // (see TImagePreviewModel).
    bool LoadFromFile(const std::string& fileName);
    bool LoadFromStream(const std::string& bytes, const std::string& mimeType);
    bool LoadImageItem(int itemId, const std::string& catalogCode);
    bool LoadImageFromCollection(int itemId, const std::string& catalogCode, TAbstractObjectCollection& collection);
    // The picture turned a quarter, shown again.
    void RotateRight();
    void RotateLeft();
    // Sizes the picture into its box again (done on every resize).
    void FitPicture();

    TImagePreviewModel& Model() { return *model_; }
    const TImagePreviewModel& Model() const { return *model_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Show();

    std::unique_ptr<TImagePreviewModel> model_;
    bool fit_ = true;
    bool centred_ = false;
    QVBoxLayout* layout_ = nullptr;
    QWidget* pnlInfo_ = nullptr;
    QLabel* lblDimensions_ = nullptr;
    QLabel* lblFile_ = nullptr;
    TElidedLabel* lblCaption_ = nullptr;
    QWidget* pnlClient_ = nullptr;
    QLabel* imgPicture_ = nullptr;
    // The picture as shown: at most the size of a large screen.
    QImage shown_;
};
