#include "editors/media/images/FrameImageDisk.h"

#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "gui/UiText.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using UiText::Q;
using UiText::S;

namespace {

constexpr const char* kPictureFiles =
    "Pictures (*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.ico)|*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.ico|All files (*.*)|*";

}  // namespace

TFrameImageDisk::TFrameImageDisk(TFrameSite& site) : TFrameImageSource(site)
{
    setObjectName("TFrameImageDisk");
}

void TFrameImageDisk::BuildSourceRow(QBoxLayout& layout)
{
    auto* row = new QHBoxLayout;
    edtFileName_ = new QLineEdit(this);
    edtFileName_->setObjectName("edtFileName");
    edtFileName_->setReadOnly(true);
    btnSearch_ = new QPushButton(tr("&Search..."), this);
    btnSearch_->setObjectName("btnSearch");
    auto* label = new QLabel(tr("&File:"), this);
    label->setBuddy(btnSearch_);
    row->addWidget(label);
    row->addWidget(edtFileName_, 1);
    row->addWidget(btnSearch_);
    layout.addLayout(row);
    connect(btnSearch_, &QPushButton::clicked, this, &TFrameImageDisk::Search);
}

void TFrameImageDisk::Search()
{
    TTolvexControlClass& context = *GetContext();
    std::string filter = kPictureFiles;
    if (const std::vector<std::string>* params = context.GetParams())
        if (const std::string only = ValueOfName(*params, "OnlyImageFormat"); !only.empty())
            filter = only;
    std::string fileName;
    if (!context.Services().Gui.SelectOpenFile("Select Image", "", filter, fileName))
        return;
    // A file that cannot be read leaves the tab as it was.
    LoadFile(fileName);
}

void TFrameImageDisk::FileLoaded(const std::string& fileName)
{
    edtFileName_->setText(Q(fileName));
}

std::string TFrameImageDisk::StoredMimeType() const
{
    return TCommonFunctions::GetMimeTypeByFileName(S(edtFileName_->text()));
}
