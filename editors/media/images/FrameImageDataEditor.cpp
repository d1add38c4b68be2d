#include "editors/media/images/FrameImageDataEditor.h"

#include "catalog/CatalogData.h"
#include "common/CommonFunctionsDetail.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/images/FrameImageContainer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

TFrameImageDataEditor::TFrameImageDataEditor(TFrameSite& site)
{
    setObjectName("TFrameImageDataEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameImageDataEditor::~TFrameImageDataEditor() = default;

void TFrameImageDataEditor::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    if (Config.ClassTag.empty() && GetUIEditor()->GetName().rfind("LinkedImage", 0) == 0) {
        Config.ClassTag = "LinkToImage";
        Config.Member = "Image";
        Config.NeedLargeCopy = false;
        Config.NeedThumbnailCopy = false;
    }
    model_ = std::make_unique<TImageMemberModel>(context, Config);

    auto* layout = new QVBoxLayout(this);
    // Said while the member names no picture.
    lblNone_ = new QLabel(tr("(none)"), this);
    lblNone_->setObjectName("lblNone");
    layout->addWidget(lblNone_);
    preview_ = new TFrameImageContainer(this);
    preview_->Setup(TFrameImageContainer::TInfo::Top, TImagePreviewModel::ServicesOf(context), true, false);
    layout->addWidget(preview_, 1);
    auto* buttons = new QHBoxLayout;
    btnSelect_ = new QPushButton(tr("&Select..."), this);
    btnSelect_->setObjectName("btnSelect");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDelete");
    buttons->addWidget(btnSelect_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    layout->addLayout(buttons);
    btnDelete_->setEnabled(false);
    connect(btnSelect_, &QPushButton::clicked, this, &TFrameImageDataEditor::Select);
    connect(btnDelete_, &QPushButton::clicked, this, &TFrameImageDataEditor::Delete);
}

void TFrameImageDataEditor::ShowImage(int imageId)
{
    // A fresh preview for each image: nothing of the one before stays.
    auto* fresh = new TFrameImageContainer(this);
    fresh->Setup(TFrameImageContainer::TInfo::Top, TImagePreviewModel::ServicesOf(*GetContext()), true, false);
    layout()->replaceWidget(preview_, fresh);
    delete preview_;
    preview_ = fresh;
    const bool shown = imageId != 0 && preview_->LoadImageItem(imageId, "");
    btnDelete_->setEnabled(shown);
    lblNone_->setVisible(!shown);
}

void TFrameImageDataEditor::LoadFromObjects(bool)
{
    TrackChanges = false;
    ShowImage(model_->Load());
    TrackChanges = true;
}

void TFrameImageDataEditor::Select()
{
    std::vector<std::string> params = model_->Config().DialogParams();
    if (!GetContext()->RunDialog("Image", params))
        return;
    const int imageId = std::atoi(ValueOfName(params, "ImageItemId").c_str());
    if (imageId == 0)
        return;
    model_->Select(imageId);
    ShowImage(imageId);
    SetModified();
}

void TFrameImageDataEditor::Delete()
{
    model_->Delete();
    ShowImage(0);
    SetModified();
}

void TFrameImageDataEditor::StoreToObjects(bool)
{
    if (IsModified())
        model_->Store();
}

void TFrameCommonImageEditor::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    for (const std::string& pair : editor_params::Split(GetUIEditor()->GetParams())) {
        const std::size_t equals = pair.find('=');
        const std::string name = common_detail::LowerCase(pair.substr(0, equals));
        const std::string value = equals == std::string::npos ? std::string() : pair.substr(equals + 1);
        if (name == "class")
            Config.ClassTag = value;
        else if (name == "member")
            Config.Member = value;
        else if (name == "savelarge")
            Config.NeedLargeCopy = value == "yes";
        else if (name == "foldername")
            Config.FolderName = value;
        else if (name == "mainimagesize")
            Config.MainImageSize = std::atoi(value.c_str());
        else if (name == "itemid" && context.Data())
            Config.ItemId = context.Data()->ResolveItemId(value, context.GetItemId(), context.GetTreeItemId());
    }
    TFrameImageDataEditor::InitControls();
}
