#include "editors/media/images/edit/FrameImageEditor.h"

#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/PictureEncoding.h"
#include "common/PictureFile.h"
#include "editors/framework/EditingServices.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/images/FrameImageContainer.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectCollection.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <sstream>

namespace {

constexpr const char* kPictureFiles =
    "Pictures (*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.ico)|*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.ico";

}  // namespace

TFrameImageEditor::TFrameImageEditor(TFrameSite& site)
{
    setObjectName("TFrameImageEditor");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameImageEditor::InitControls()
{
    layout_ = new QVBoxLayout(this);
    lblNone_ = new QLabel(tr("This image item holds no picture."), this);
    lblNone_->setObjectName("lblNone");
    layout_->addWidget(lblNone_);
    preview_ = new TFrameImageContainer(this);
    preview_->setObjectName("prvImage");
    layout_->addWidget(preview_, 1);
    auto* row = new QHBoxLayout;
    btnUpdate_ = new QPushButton(tr("Update From File..."), this);
    btnUpdate_->setObjectName("btnUpdateFromFile");
    chkBackground_ = new QCheckBox(tr("This is background image"), this);
    chkBackground_->setObjectName("chkBackground");
    row->addWidget(btnUpdate_);
    row->addSpacing(16);
    row->addWidget(chkBackground_);
    row->addStretch();
    layout_->addLayout(row);
    connect(btnUpdate_, &QPushButton::clicked, this, &TFrameImageEditor::ChooseFile);
    connect(chkBackground_, &QCheckBox::toggled, this, [this] {
        if (TrackChanges)
            SetModified();
    });
}

void TFrameImageEditor::ShowPicture()
{
    // A fresh preview each time: nothing of the picture before stays.
    auto* fresh = new TFrameImageContainer(this);
    fresh->setObjectName("prvImage");
    TTolvexControlClass& context = *GetContext();
    fresh->Setup(TFrameImageContainer::TInfo::Top, TImagePreviewModel::ServicesOf(context), true, false);
    layout_->replaceWidget(preview_, fresh);
    delete preview_;
    preview_ = fresh;
    const bool shown = preview_->LoadImageFromCollection(context.GetItemId(), "", context.GetObjectCollection());
    lblNone_->setVisible(!shown);
    preview_->setVisible(shown);
}

void TFrameImageEditor::LoadFromObjects(bool)
{
    TrackChanges = false;
    TAbstractCObject* image = GetObject("Image");
    chkBackground_->setChecked(image && image->GetLangBoolean("IsBackgroundImage", kNoLanguageCode, 0));
    ShowPicture();
    TrackChanges = true;
}

void TFrameImageEditor::StoreToObjects(bool)
{
    if (!IsModified())
        return;
    if (TAbstractCObject* image = GetObject("Image"))
        image->SetLangBoolean("IsBackgroundImage", kNoLanguageCode, chkBackground_->isChecked(), 0);
}

void TFrameImageEditor::ChooseFile()
{
    std::string fileName;
    if (!GetContext()->Services().Gui.SelectOpenFile("Select Image", "", kPictureFiles, fileName))
        return;
    UpdateFromFile(fileName);
}

bool TFrameImageEditor::UpdateFromFile(const std::string& fileName)
{
    TTolvexControlClass& context = *GetContext();
    TAbstractCObject* image = GetObject("Image");
    if (!image)
        return false;
    std::optional<TEncodedPicture> encoded;
    std::string reason;
    try {
        const TPicture picture = TPictureFile::Load(fileName);
        // The bytes tell the format; the picture is stored unscaled in it.
        encoded = TPictureEncoding::Encode(picture, PictureKindMimeType(picture.Kind()), {}, &reason);
    } catch (const ECriticalTolvexException& error) {
        reason = error.what();
    }
    if (!encoded) {
        context.Services().Gui.ShowError(reason, false);
        return false;
    }
    // Kept in the object until the editor saves; Cancel reloads the stored one.
    image->DeleteBinaryData("ImageData", kNoLanguageCode, 0);
    image->SetLangNumber("ThumbnailItemId", kNoLanguageCode, 0, 0);
    image->SetLangNumber("LargeItemId", kNoLanguageCode, 0, 0);
    image->SetLangNumber("ImageWidth", kNoLanguageCode, encoded->Width, 0);
    image->SetLangNumber("ImageHeight", kNoLanguageCode, encoded->Height, 0);
    std::istringstream stream(encoded->Bytes);
    image->SetBinaryData("ImageData", kNoLanguageCode, encoded->MimeType, stream, 0, nullptr);
    SetModified();
    ShowPicture();
    return true;
}
