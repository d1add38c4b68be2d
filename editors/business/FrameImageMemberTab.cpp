#include "editors/business/FrameImageMemberTab.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ui/QtEditorPanel.h"
#include "editors/framework/ui/QtFrameSite.h"

#include <QVBoxLayout>

TFrameImageMemberTab::TFrameImageMemberTab(TFrameSite& site, std::string className, std::string editorParams)
    : editorParams_(std::move(editorParams))
{
    setObjectName(QString::fromStdString(className));
    TQtFrameSite::PlaceInto(site, this);
}

TFrameImageMemberTab::~TFrameImageMemberTab() = default;

std::string TFrameImageMemberTab::Params(const std::string& classTag, const std::string& member,
                                         const std::string& folder, bool largeCopy, const std::string& tabCaption)
{
    return "class=" + classTag + "&member=" + member + "&foldername=" + folder +
           "&savelarge=" + (largeCopy ? "yes" : "no") + "&tabcaption=" + tabCaption + "&tabname=Image-" + member;
}

void TFrameImageMemberTab::InitControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* client = new QWidget(this);
    client->setObjectName("pnlImageClient");
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(client);
    NestedPanel = std::make_unique<TQtEditorPanel>(*client);
    TTolvexControlClass& context = *GetContext();
    CreateNestedEditor(*NestedPanel).OpenItemWithEditor(context.GetTreeItemId(), context.GetTreeItemId(),
                                                   context.GetItemType(), kEditorName, "", context.GetParams(),
                                                   editorParams_);
}

TImageMemberTabClass::TImageMemberTabClass(std::string className, std::string classTag, std::string member,
                                           std::string folder, bool largeCopy, std::string tabCaption)
    : className_(std::move(className)),
      params_(TFrameImageMemberTab::Params(classTag, member, folder, largeCopy, tabCaption))
{
}

std::unique_ptr<TTolvexFrameEditor> TImageMemberTabClass::CreateFrame(TFrameSite& site) const
{
    return std::make_unique<TFrameImageMemberTab>(site, className_, params_);
}
