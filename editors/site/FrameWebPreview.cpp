#include "editors/site/preview/FrameWebPreview.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/TransformCache.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "editors/framework/EditingServices.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemManager.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/preview/WebPreviewModel.h"
#include "editors/site/preview/WebPreviewViewer.h"
#include "editors/site/preview/WebPreviewWidget.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"

#include <QVBoxLayout>

#include <exception>

namespace {

constexpr const char* kInHouseWord = "zoziva";

TIniSettings& Settings(TTolvexControlClass& context) { return context.Services().Root.Settings().IniSettings(); }

}  // namespace

bool TFrameWebPreview::IsInHouse(const TIniSettings& settings)
{
    return settings.ReadValue("Key", "Name", "") == kInHouseWord;
}

TFrameWebPreview::TFrameWebPreview(TFrameSite& site)
{
    setObjectName("TFrameWebPreview");
    new QVBoxLayout(this);
    layout()->setContentsMargins(0, 0, 0, 0);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameWebPreview::~TFrameWebPreview()
{
    // The widget asks the model while its page goes: it goes first.
    delete preview_;
}

void TFrameWebPreview::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    TCatalogData& data = *context.Data();
    TTolvex& root = context.Services().Root;
    const std::string code = context.GetCatalogCode();

    TWebPreviewModel::TServices services;
    services.Gui = &context.Services().Gui;
    services.History = &data.GetPreviewHistory();
    services.PreviewHost = TTolvex::kPreviewHost;
    services.TreeItemId = context.GetTreeItemId();
    services.ItemId = context.GetItemId();
    services.Generate = [this](const std::string& lang, int pageNo, const std::string& query, const std::string& role,
                               std::string& text) { return Generate(lang, pageNo, query, role, text); };
    services.PutPage = [&data](int itemId, int pageNo, const std::string& html, const std::string& lang) {
        data.GetTransformCache().PutTransformResult(itemId, pageNo, html, lang);
    };
    // "index" only for the home page's first page: the preview host reads
    // no page number after "index".
    services.PageFileName = [&context, &root](int pageNo) {
        return root.GetPageFileName(context.GetTreeItemId(), context.GetItemType(), pageNo, pageNo <= 1,
                                    &context.GetConnection(), "");
    };
    services.ItemTitle = [&context] {
        return TTolvexItemManager::ForItemType(context.Services(), context.GetItemType()).GetItemTitle(context);
    };
    services.CurrentLang = [&context] { return context.GetCurrentLangCode(); };
    services.HomePageId = [&root] { return root.GetHomePageId(); };
    services.ItemExists = [&context, &root, code](int id) {
        return root.Catalog().ItemExists(id, code, context.GetConnection());
    };
    services.FindItemByAltFileName = [&context, &root, code](const std::string& name) {
        return root.Catalog().FindItemByAltFileName(name, context.GetConnection(), code, 0);
    };
    services.QueueAction = [&context](const std::string& action, bool check) { context.QueueAction(action, check); };
    model_ = std::make_unique<TWebPreviewModel>(std::move(services));
    // A query the opening action carried ("QueryStr=") is previewed first.
    // A malformed one is reported, and the page is previewed without it.
    if (std::vector<std::string>* params = context.GetParams()) {
        try {
            model_->InitFromActionString(ValueOfName(*params, "ActionString"));
        } catch (const ECriticalTolvexException& error) {
            ShowFrameError(error.what());
        }
    }

    TIniSettings& settings = Settings(context);
    preview_ = new TWebPreviewWidget(*model_, nullptr, this);
    preview_->setObjectName("wbPreview");
    layout()->addWidget(preview_);
    preview_->SetInHouse(IsInHouse(settings), settings.GetString(siPreviewForUser));
    preview_->SetPreviewOn(settings.GetBool(siPreviewPreview, true));
    connect(preview_, &TWebPreviewWidget::PreviewOnChanged, this,
            [this](bool on) { Settings(*GetContext()).SetBool(siPreviewPreview, on); });
    connect(preview_, &TWebPreviewWidget::RoleChanged, this,
            [this](const QString& value) { Settings(*GetContext()).SetString(siPreviewForUser, value.toStdString()); });
    connect(preview_, &TWebPreviewWidget::HelpRequested, this, [this] { GetContext()->ShowHelp(); });
}

void TFrameWebPreview::ReleaseControls()
{
    delete preview_;
    preview_ = nullptr;
}

void TFrameWebPreview::TabShown()
{
    TTolvexFrameViewer::TabShown();
    if (!preview_)
        return;
    TTolvexControlClass& context = *GetContext();
    context.ShowSavePanel(false);
    preview_->SetPreviewOn(Settings(context).GetBool(siPreviewPreview, true));
    preview_->ShowPreview(context.GetCurrentLangCode());
}

void TFrameWebPreview::LanguageChanged()
{
    // A preview in the background is made again when it shows.
    if (GetUIEditor() && GetUIEditor()->GetActiveTabName() == TWebPreviewViewer::kPreviewTab)
        TabShown();
}

bool TFrameWebPreview::Generate(const std::string& lang, int pageNo, const std::string& query,
                                const std::string& role, std::string& text)
{
    TTolvexControlClass& context = *GetContext();
    TCatalogData& data = *context.Data();
    bool generated = false;
    text.clear();
    try {
        // The page is made on the editor's connection with its unsaved
        // values written for the moment, and those writes are undone after.
        const bool written = context.WithUnsavedValues([&](TAbstractDBConnection& connection) {
            TTransformer transformer(data.GetPageGeneration(), context.GetCatalogCode(), nullptr);
            transformer.SetReplaceParams();
            transformer.SetPageNumber(pageNo);
            transformer.SetSubmittedQuery(query);
            generated = transformer.GeneratePage(context.GetTreeItemId(), context.GetTreeItemId(),
                                                 context.GetItemType(), lang, context.GetObjectCollection(),
                                                 connection, role);
            text = generated ? transformer.GetResultHtml() : transformer.GetErrorText();
        });
        if (!written)
            text = context.Translate("The edited values could not be written for the preview.");
    } catch (const std::exception& error) {
        // Shown as the preview's page, never as a message box.
        generated = false;
        text = error.what();
    }
    if (!generated && text.empty())
        text = context.Translate("The page could not be generated.");
    return generated;
}
