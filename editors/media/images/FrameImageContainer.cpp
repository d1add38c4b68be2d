#include "editors/media/images/FrameImageContainer.h"

#include "common/PictureScaler.h"
#include "editors/media/images/PictureImage.h"
#include "gui/ElidedLabel.h"
#include "gui/UiText.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

using UiText::Q;

namespace {

// The preview needs no more pixels than a screen has; a 24-megapixel
// photograph is shrunk once instead of being copied whole into Qt.
constexpr int kMostShownPixels = 1600;

QImage ShownImage(const TPicture& picture)
{
    if (picture.IsEmpty())
        return {};
    const TPicture* source = &picture;
    TPicture shrunk;
    const int longer = std::max(picture.Width(), picture.Height());
    if (longer > kMostShownPixels) {
        const int width = std::max(1, static_cast<int>(std::int64_t{picture.Width()} * kMostShownPixels / longer));
        const int height = std::max(1, static_cast<int>(std::int64_t{picture.Height()} * kMostShownPixels / longer));
        shrunk = TPictureScaler::Scale(picture, width, height);
        source = &shrunk;
    }
    return PictureImage(*source);
}

}  // namespace

TFrameImageContainer::TFrameImageContainer(QWidget* parent)
    : QWidget(parent), model_(std::make_unique<TImagePreviewModel>(TImagePreviewModel::TServices{}))
{
    setObjectName("TFrameImageContainer");
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);

    pnlInfo_ = new QWidget(this);
    pnlInfo_->setObjectName("pnlInfo");
    auto* info = new QVBoxLayout(pnlInfo_);
    info->setContentsMargins(4, 2, 4, 2);
    info->setSpacing(0);
    lblDimensions_ = new QLabel(pnlInfo_);
    lblDimensions_->setObjectName("lblDimensions");
    lblFile_ = new QLabel(pnlInfo_);
    lblFile_->setObjectName("lblFile");
    lblCaption_ = new TElidedLabel(QString(), pnlInfo_);
    lblCaption_->setObjectName("lblCaption");
    lblCaption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QLabel* label : {lblDimensions_, lblFile_, static_cast<QLabel*>(lblCaption_)})
        info->addWidget(label);

    pnlClient_ = new QWidget(this);
    pnlClient_->setObjectName("pnlClient");
    pnlClient_->setMinimumSize(40, 40);
    imgPicture_ = new QLabel(pnlClient_);
    imgPicture_->setObjectName("imgPicture");

    layout_->addWidget(pnlInfo_);
    layout_->addWidget(pnlClient_, 1);
    pnlInfo_->hide();
}

TFrameImageContainer::~TFrameImageContainer() = default;

void TFrameImageContainer::Setup(TInfo info, TImagePreviewModel::TServices services, bool fitToPanel, bool centred)
{
    model_ = std::make_unique<TImagePreviewModel>(std::move(services));
    fit_ = fitToPanel;
    centred_ = centred;
    layout_->removeWidget(pnlInfo_);
    layout_->insertWidget(info == TInfo::Bottom ? 1 : 0, pnlInfo_);
    pnlInfo_->setProperty("hiddenByOwner", info == TInfo::Hidden);
    pnlInfo_->setVisible(false);
    shown_ = QImage();
    imgPicture_->clear();
}

bool TFrameImageContainer::LoadFromFile(const std::string& fileName)
{
    if (!model_->LoadFromFile(fileName))
        return false;
    Show();
    return true;
}

bool TFrameImageContainer::LoadFromStream(const std::string& bytes, const std::string& mimeType)
{
    if (!model_->LoadFromStream(bytes, mimeType))
        return false;
    Show();
    return true;
}

bool TFrameImageContainer::LoadImageItem(int itemId, const std::string& catalogCode)
{
    if (!model_->LoadImageItem(itemId, catalogCode))
        return false;
    Show();
    return true;
}

bool TFrameImageContainer::LoadImageFromCollection(int itemId, const std::string& catalogCode,
                                                   TAbstractObjectCollection& collection)
{
    if (!model_->LoadImageFromCollection(itemId, catalogCode, collection))
        return false;
    Show();
    return true;
}

void TFrameImageContainer::RotateRight()
{
    model_->RotateRight();
    Show();
}

void TFrameImageContainer::RotateLeft()
{
    model_->RotateLeft();
    Show();
}

void TFrameImageContainer::Show()
{
    shown_ = ShownImage(model_->Picture());
    lblDimensions_->setText(Q(model_->DimensionsText()));
    lblFile_->setText(Q(model_->FileText()));
    const std::string caption = model_->CaptionText();
    lblCaption_->setText(Q(caption));
    lblCaption_->setVisible(!caption.empty());
    pnlInfo_->setVisible(!pnlInfo_->property("hiddenByOwner").toBool() && model_->HasPicture());
    FitPicture();
}

void TFrameImageContainer::FitPicture()
{
    if (shown_.isNull()) {
        imgPicture_->clear();
        return;
    }
    // The box less 8 pixels, 4 pixels from its edges; a picture is shrunk, never enlarged.
    const QSize own(model_->Width(), model_->Height());
    const QSize box = fit_ ? pnlClient_->size() - QSize(8, 8) : own;
    QSize size = own;
    if (size.width() > box.width() || size.height() > box.height())
        size.scale(box.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    const QImage scaled = shown_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    imgPicture_->setPixmap(QPixmap::fromImage(scaled));
    imgPicture_->resize(scaled.size());
    const QSize room = pnlClient_->size();
    const int x = centred_ ? std::max(4, (room.width() - scaled.width()) / 2) : 4;
    const int y = centred_ ? std::max(4, (room.height() - scaled.height()) / 2) : 4;
    imgPicture_->move(x, y);
}

void TFrameImageContainer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitPicture();
}
