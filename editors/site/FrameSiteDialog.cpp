#include "editors/site/html/dialogs/FrameSiteDialog.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogTreeHost.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/html/dialogs/HyperlinkFrame.h"
#include "editors/site/html/dialogs/InsertTableFrame.h"
#include "editors/site/html/dialogs/SelectPageFrame.h"

#include <QVBoxLayout>

TFrameSiteDialog::TFrameSiteDialog(TFrameSite& site)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameSiteDialog::~TFrameSiteDialog() = default;

void TFrameSiteDialog::InitControls()
{
    frame_ = CreateDialogFrame();
    layout()->addWidget(frame_);
    TTolvexControlClass* context = GetContext();
    connect(frame_, &TSiteDialogFrame::CaptionChanged, this,
            [context](const QString& caption) { context->SetCaption(caption.toUtf8().toStdString()); });
    connect(frame_, &TSiteDialogFrame::OkCaptionChanged, this,
            [context](const QString& caption) { context->SetOkCaption(caption.toUtf8().toStdString()); });
    connect(frame_, &TSiteDialogFrame::OkEnabledChanged, this, [this, context](bool enabled) {
        if (enabled)
            SetModified();
        else
            context->SetModified(false);
    });
    connect(frame_, &TSiteDialogFrame::Modified, this, [this] { SetModified(); });
    connect(frame_, &TSiteDialogFrame::OkPressed, this, [context] { context->PressOk(); });
    std::vector<std::string>* params = context->GetParams();
    frame_->InitControls(TDialogParams(params ? *params : std::vector<std::string>{}));
}

void TFrameSiteDialog::StoreToObjects(bool)
{
    std::vector<std::string>* params = GetContext()->GetParams();
    if (!frame_ || !params)
        return;
    TDialogParams answers(*params);
    frame_->Save(answers);
    *params = answers.Lines();
}

TSiteDialogFrame* TFrameInsertTableRef::CreateDialogFrame() { return new TInsertTableFrame(this); }

TSiteDialogFrame* TFrameHyperlinkRef::CreateDialogFrame() { return new THyperlinkFrame(this); }

TFrameSelectPage::TFrameSelectPage(TFrameSite& site) : TFrameSiteDialog(site) {}

TFrameSelectPage::~TFrameSelectPage() = default;

TSiteDialogFrame* TFrameSelectPage::CreateDialogFrame()
{
    TTolvexControlClass& context = *GetContext();
    TCatalogData& data = *context.Data();
    TTolvex& root = context.Services().Root;
    TCatalogTreeHost::TServices services{data,
                                         root.Catalog(),
                                         data.GetQueries(),
                                         data.GetCopier(),
                                         data.GetBookkeeping(),
                                         context.Services().Gui,
                                         ::Translation,
                                         &root.GlobalDefinition(),
                                         {}};
    treeHost_ = std::make_unique<TCatalogTreeHost>(services);
    TSelectPageServices pickerServices{*treeHost_,
                                       context.GetConnection(),
                                       context.GetCatalogCode(),
                                       root.Catalog().GetDefinition().GetLoadedCatalogType(),
                                       context.Services().Gui,
                                       [&context](int itemId, int itemType) {
                                           return context.Services().Root.GetPageFileName(
                                               itemId, itemType, 0, true, &context.GetConnection(), "");
                                       },
                                       {}};
    return new TSelectPageFrame(pickerServices, this);
}
