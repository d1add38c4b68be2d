#include "editors/media/templates/preview/FramePreviewTemplate.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/InternalPluginsManager.h"
#include "catalog/Tolvex.h"
#include "catalog/TransformCache.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/templates/preview/TemplatePreviewModel.h"
#include "generation/Templates.h"
#include "generation/Transformer.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <exception>

using UiText::Q;
using UiText::S;

namespace {

const TFrameClassOf<TFramePreviewTemplate> kPreviewFrame("", "TFramePreviewTemplate");

}  // namespace

void RegisterTemplatePreview(TInternalPluginsManager& registry)
{
    registry.RegisterBuiltinClass("TPreviewTemplateViewer", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TPreviewTemplateViewer(name, params));
    });
}

void TPreviewTemplateViewer::CreatePages() { AddTab("Preview", kPreviewTab, &kPreviewFrame); }

void TPreviewTemplateViewer::TabActivated()
{
    if (GetActiveTabName() == kPreviewTab && GetContainer())
        GetContainer()->FlushOwnerEditor();
    TTolvexUIEditor::TabActivated();
}

// Only the addresses the model hands the frame are loaded. Anything else the
// page starts (a link, a script, a form) is refused and asked about from a
// timer, once the engine has given it up: the model may generate the page
// again or show a message, neither of which may run inside the engine's call.
class TFramePreviewTemplate::TPreviewPage : public QWebEnginePage {
public:
    explicit TPreviewPage(TFramePreviewTemplate& owner)
        : QWebEnginePage(QWebEngineProfile::defaultProfile(), &owner), owner_(owner)
    {
    }
    QUrl approved;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        if (!isMainFrame)
            return true;
        if (!approved.isEmpty() && url == approved) {
            approved.clear();
            return true;
        }
        const QPointer<TFramePreviewTemplate> owner(&owner_);
        QTimer::singleShot(0, this, [owner, url, current = QWebEnginePage::url()] {
            if (owner)
                owner->Follow(url, current);
        });
        return false;
    }
    QWebEnginePage* createWindow(WebWindowType) override { return this; }

private:
    TFramePreviewTemplate& owner_;
};

TFramePreviewTemplate::TFramePreviewTemplate(TFrameSite& site)
{
    setObjectName("TFramePreviewTemplate");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TQtFrameSite::PlaceInto(site, this);
}

TFramePreviewTemplate::~TFramePreviewTemplate()
{
    // The page asks the frame while it goes: it goes first.
    delete wbPreview_;
}

void TFramePreviewTemplate::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    TCatalogData& data = *context.Data();
    TTolvex& root = context.Services().Root;
    TCatalog& catalog = root.Catalog();
    const std::string code = context.GetCatalogCode();

    TTemplatePreviewModel::TServices services;
    services.PreviewHost = TTolvex::kPreviewHost;
    services.ItemType = context.GetItemType();
    services.TreeItemId = context.GetTreeItemId();
    services.ParentItemId = context.GetParentItemId();
    services.HomePageId = [&root] { return root.GetHomePageId(); };
    services.ItemTypesUsingBodyFolder = [&catalog](int folder) {
        std::vector<std::string> lines;
        catalog.GetDefinition().GetItemTypesUsingTemplate(folder, kBodyTemplateKind, lines);
        std::vector<int> types;
        for (const std::string& line : lines)
            types.push_back(std::atoi(line.c_str()));
        return types;
    };
    services.ItemOfType = [&context, &catalog, code](int type) {
        return catalog.FindOtherItemOfType(type, 0, code, context.GetConnection());
    };
    services.ItemTypeOf = [&context, &data, code](int item) {
        return data.GetQueries().GetItemType(item, code, context.GetConnection());
    };
    services.DefaultTemplate = [&context, &data](int type, int kind) {
        return data.GetPageGeneration().GetTemplates().GetDefaultTemplateId(type, kind, context.GetConnection());
    };
    services.StyleOf = [&context](int master, int& color, int& font, int& background) {
        TAbstractCObject* style = context.GetObjectCollection().GetObject(master, "MasterTemplate");
        color = style ? style->GetInteger("ColorScheme", 0) : 0;
        font = style ? style->GetInteger("FontScheme", 0) : 0;
        background = style ? style->GetInteger("BackgroundImageCode", 0) : 0;
    };
    services.Generate = [this](const TTemplatePreviewModel::TChoice& choice, int pageNo, const std::string& lang,
                               std::string& text) {
        return Generate(choice.PageItem, choice.PageType, choice.Master, choice.Body, choice.ColorScheme,
                        choice.FontScheme, choice.Background, pageNo, lang, text);
    };
    services.PutPage = [&data](int itemId, int pageNo, const std::string& html, const std::string& lang) {
        data.GetTransformCache().PutTransformResult(itemId, pageNo, html, lang);
    };
    services.PageFileName = [&context, &root](int pageNo) {
        return root.GetPageFileName(context.GetTreeItemId(), context.GetItemType(), pageNo, pageNo <= 1,
                                    &context.GetConnection(), "");
    };
    services.CurrentLang = [&context] { return context.GetCurrentLangCode(); };
    services.ParseUrl = [&context, &catalog, &root, code](const std::string& url) {
        const TCatalog::TPreviewUrl parsed = catalog.ParsePreviewUrl(url, context.GetConnection(), code);
        TTemplatePreviewModel::TAddress address;
        address.PreviewHost = parsed.Kind == 1;
        address.CleanUrl = parsed.CleanUrl;
        address.Lang = parsed.Dir;
        address.FileName = parsed.FileName;
        address.ItemId = parsed.ItemId;
        address.PageNo = parsed.PageNo;
        // "index" names the home page.
        if (address.ItemId == 0 && parsed.FileName.rfind("index", 0) == 0)
            address.ItemId = root.GetHomePageId();
        return address;
    };
    services.QueueAction = [&context](const std::string& action) { context.QueueAction(action, false); };
    services.ShowError = [&context](const std::string& message) {
        context.Services().Gui.ShowError(context.Translate(message), false);
    };
    model_ = std::make_unique<TTemplatePreviewModel>(std::move(services));

    wbPreview_ = new QWebEngineView(this);
    wbPreview_->setObjectName("wbPreview");
    wbPreview_->setPage(new TPreviewPage(*this));
    layout()->addWidget(wbPreview_);
}

void TFramePreviewTemplate::ReleaseControls()
{
    delete wbPreview_;
    wbPreview_ = nullptr;
}

void TFramePreviewTemplate::TabShown()
{
    TTolvexFrameViewer::TabShown();
    GetContext()->ShowSavePanel(false);
    Show();
}

void TFramePreviewTemplate::LanguageChanged()
{
    if (GetUIEditor() && GetUIEditor()->GetActiveTabName() == TPreviewTemplateViewer::kPreviewTab)
        TabShown();
}

void TFramePreviewTemplate::Show()
{
    if (!wbPreview_ || !model_)
        return;
    wbPreview_->stop();
    Load(model_->GeneratePreview(GetContext()->GetCurrentLangCode()));
}

void TFramePreviewTemplate::Load(const std::string& address)
{
    if (address.empty() || !wbPreview_)
        return;
    const QUrl url(Q(address));
    static_cast<TPreviewPage*>(wbPreview_->page())->approved = url;
    wbPreview_->load(url);
}

void TFramePreviewTemplate::Follow(const QUrl& url, const QUrl& current)
{
    if (!model_)
        return;
    const QPointer<TFramePreviewTemplate> alive(this);
    const TTemplatePreviewModel::TFollow follow =
        model_->BeforeNavigate(S(url.toString(QUrl::FullyEncoded)), S(current.toString(QUrl::FullyEncoded)));
    // The message box may have let the editor, and this tab, go.
    if (alive)
        Load(follow.Load);
}

bool TFramePreviewTemplate::Generate(int pageItem, int pageType, int master, int body, int color, int font,
                                     int background, int pageNo, const std::string& lang, std::string& text)
{
    TTolvexControlClass& context = *GetContext();
    bool generated = false;
    if (pageItem == 0)
        text = context.Translate("No page uses this template yet, so there is no page to show it on.");
    else
        generated = GeneratePage(pageItem, pageType, master, body, color, font, background, pageNo, lang, text);
    if (!generated) {
        if (text.empty())
            text = context.Translate("The page could not be generated.");
        text = TCommonFunctions::PlainTextPage(text);
    }
    return generated;
}

bool TFramePreviewTemplate::GeneratePage(int pageItem, int pageType, int master, int body, int color, int font,
                                         int background, int pageNo, const std::string& lang, std::string& text)
{
    TTolvexControlClass& context = *GetContext();
    TCatalogData& data = *context.Data();
    bool generated = false;
    text.clear();
    try {
        // The page is made on the editor's connection with its unsaved
        // values written inside a savepoint, which is rolled back after.
        const bool written = context.WithUnsavedValues([&](TAbstractDBConnection& connection) {
            TTransformer transformer(data.GetPageGeneration(), context.GetCatalogCode(), nullptr);
            transformer.SetReplaceParams();
            transformer.SetPageNumber(pageNo);
            transformer.SetTemplates(master, body, color, font, background);
            generated = transformer.GeneratePage(pageItem, pageItem, pageType, lang, context.GetObjectCollection(),
                                                 connection, "");
            text = generated ? transformer.GetResultHtml() : transformer.GetErrorText();
        });
        if (!written)
            text = context.Translate("The edited values could not be written for the preview.");
    } catch (const std::exception& error) {
        generated = false;
        text = error.what();
    }
    return generated;
}
