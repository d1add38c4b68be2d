#include "editors/media/images/FrameImageInet.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "gui/UiText.h"
#include "publishing/ImportImageFromInternet.h"
#include "publishing/ui/frmDetailProcess.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <iterator>

using UiText::Q;
using UiText::S;

TFrameImageInet::TFrameImageInet(TFrameSite& site) : TFrameImageSource(site)
{
    setObjectName("TFrameImageInet");
}

void TFrameImageInet::BuildSourceRow(QBoxLayout& layout)
{
    auto* row = new QHBoxLayout;
    edtURL_ = new QLineEdit(this);
    edtURL_->setObjectName("edtURL");
    edtURL_->setPlaceholderText("https://");
    btnLoad_ = new QPushButton(tr("&Load From Internet"), this);
    btnLoad_->setObjectName("btnLoadFromInternet");
    auto* label = new QLabel(tr("&URL of an image:"), this);
    label->setBuddy(edtURL_);
    row->addWidget(label);
    row->addWidget(edtURL_, 1);
    row->addWidget(btnLoad_);
    layout.addLayout(row);
    connect(btnLoad_, &QPushButton::clicked, this, [this] { LoadFromInternet(); });
    connect(edtURL_, &QLineEdit::returnPressed, this, [this] { LoadFromInternet(); });
}

void TFrameImageInet::FileLoaded(const std::string& fileName)
{
    edtURL_->setText(Q(fileName));
    mimeType_ = TCommonFunctions::GetMimeTypeByFileName(fileName);
}

bool TFrameImageInet::LoadFromInternet()
{
    TTolvexControlClass& context = *GetContext();
    TCommonGui& gui = context.Services().Gui;
    std::string error;
    const std::string address = TImageInsertModel::ImageAddress(S(edtURL_->text()), error);
    if (address.empty()) {
        gui.ShowError(error);
        edtURL_->setFocus();
        return false;
    }
    edtURL_->setText(Q(address));

    TTolvex* root = &context.Services().Root;
    TfrmDetailProcess::TEnvironment environment;
    environment.Gui = &gui;
    environment.Translation = ::Translation;
    TfrmDetailProcess runner(environment, this);
    runner.CreatePublisher(
        {"URL=" + address},
        [&gui, root](std::vector<std::string>& params, TAbstractDBConnection* connection,
                     TPublisherRunner& window) -> std::unique_ptr<TAbstractPublisher> {
            return std::make_unique<TImportImageFromInternet>(
                params, *connection, TPublisherEnvironment{gui, ::Translation, &window, root, nullptr});
        },
        &context.GetConnection());
    runner.ShowTransferPanel();
    // A failed download shows its error in the window; the tab stays as it was.
    if (!runner.ExecuteModal())
        return false;
    std::istream* response = runner.GetPublisher() ? runner.GetPublisher()->GetResponseStream() : nullptr;
    if (!response)
        return false;
    response->clear();
    response->seekg(0);
    const std::string bytes{std::istreambuf_iterator<char>(*response), std::istreambuf_iterator<char>()};
    if (bytes.empty())
        return false;
    const std::string contentType = ValueOfName(runner.GetParams(), "ContentType");
    if (!LoadBytes(bytes, contentType, address))
        return false;
    mimeType_ = TImageInsertModel::MimeTypeOfDownload(address, contentType);
    return true;
}
