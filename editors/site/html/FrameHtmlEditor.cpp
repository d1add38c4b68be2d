#include "editors/site/html/FrameHtmlEditor.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/EditorWait.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "editors/site/html/HtmlInsertionCommands.h"
#include "publishing/HtmlImport.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <QEventLoop>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr const char* kDesignClass = "CommonDesign";

}  // namespace

TFrameHtmlEditor::TFrameHtmlEditor(TFrameSite& site)
{
    setObjectName("TFrameHtmlEditor");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    TQtFrameSite::PlaceInto(site, this);
}

TFrameHtmlEditor::~TFrameHtmlEditor() = default;

void TFrameHtmlEditor::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    THtmlInsertionCommands::TServices services;
    services.RunDialog = [this, &context](const std::string& name, TDialogParams& pairs) {
        if (name == "ImportHtmlData")
            return ImportHtmlData(pairs);
        std::vector<std::string> lines = pairs.Lines();
        if (!context.RunDialog(name, lines))
            return false;
        pairs = TDialogParams(std::move(lines));
        return true;
    };
    services.CatalogOption = [&context](int option) { return context.GetCatalogOption(option); };
    services.PageFileName = [&context](int itemId, int itemType) {
        return context.Services().Root.GetPageFileName(itemId, itemType, 0, true, &context.GetConnection(), "");
    };
    services.Gui = &context.Services().Gui;
    commands_ = std::make_unique<THtmlInsertionCommands>(services);
    editor_ = new THtmlEditorWidget(context.Services().Gui, commands_.get(), this);
    layout()->addWidget(editor_);
    connect(editor_, &THtmlEditorWidget::Modified, this, [this] {
        if (TrackChanges)
            EditedSinceLoad = true;
        SetModified();
    });
    connect(editor_, &THtmlEditorWidget::EditSourceRequested, this, [this] {
        if (SourceEditEnabled)
            EditHtmlSource();
    });
    // The user's last choices; a new editor starts with them.
    TIniSettings& settings = context.Services().Root.Settings().IniSettings();
    editor_->SetShowBorders(settings.GetBool(siHtmlEditorShowBorders, true));
    editor_->SetShowAllAttributes(settings.GetBool(siHtmlEditorShowAllAttributes, false));
    connect(editor_, &THtmlEditorWidget::ShowBordersChanged, this,
            [&settings](bool on) { settings.SetBool(siHtmlEditorShowBorders, on); });
    connect(editor_, &THtmlEditorWidget::ShowAllAttributesChanged, this,
            [&settings](bool on) { settings.SetBool(siHtmlEditorShowAllAttributes, on); });
    if (TCatalogData* data = context.Data())
        PageStyle = TDesignPageStyle::Of(GetObject("CommonWebPage"), context.GetItemType(),
                                         data->GetPageGeneration().GetTemplates(), data->GetCatalogCode(),
                                         context.GetConnection());
}

bool TFrameHtmlEditor::ImportHtmlData(TDialogParams& pairs)
{
    TTolvexControlClass& context = *GetContext();
    TCatalogData* data = context.Data();
    if (!data)
        return false;
    TCommonGui& gui = context.Services().Gui;
    const TIniSettings& settings = context.Services().Root.Settings().IniSettings();
    // The pictures become image items at once, through the main connection:
    // the editing connection never holds the write lock while the user works.
    THtmlImport import(gui, &data->GetFolders(), data->GetConnectionFactory().GetConnection(), data->GetCatalogCode(),
                       settings.GetString(siProxyName), settings.GetInteger(siProxyPort, 0));
    const bool images = pairs.Value("DontImportImages") != "yes";
    std::string html;
    try {
        if (!(pairs.Value("FromWeb") == "yes" ? import.FromWeb(images, html) : import.FromFile(images, html)))
            return false;
    } catch (const ETolvexException& error) {
        gui.ShowError(error.what(), false);
        return false;
    }
    pairs.Set("HtmlData", html);
    return true;
}

void TFrameHtmlEditor::ShowTopOnly() { editor_->ShowTopOnly(); }

void TFrameHtmlEditor::LoadFromObjects(bool)
{
    TrackChanges = false;
    EditedSinceLoad = false;
    TAbstractCObject* design = GetObject(kDesignClass);
    const std::string& lang = ContentLangCode();
    editor_->LoadParts(design ? design->GetLangString("TopHTMLValue", lang, 0) : "",
                       design ? design->GetLangString("BottomHTMLValue", lang, 0) : "", PageStyle.Css,
                       PageStyle.BackgroundFile, lang);
    TrackChanges = true;
}

bool TFrameHtmlEditor::WaitForRead(const std::function<void(std::function<void()>)>& read)
{
    // The wait keeps this frame and the whole editor on the stack: the
    // user's clicks and keys wait for its end, and so does whatever would
    // open another item meanwhile.
    const TEditorWait waiting;
    constexpr QEventLoop::ProcessEventsFlags kNoInput = QEventLoop::ExcludeUserInputEvents;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(readTimeoutMs_);
    if (!editor_->IsReady()) {
        QObject::connect(editor_, &THtmlEditorWidget::Ready, &loop, &QEventLoop::quit);
        loop.exec(kNoInput);
        if (!editor_->IsReady())
            return false;
    }
    // 0 waiting, 1 answered, 2 given up: a late answer then leaves the loop alone.
    auto state = std::make_shared<int>(0);
    read([state, &loop] {
        if (*state == 2)
            return;
        *state = 1;
        loop.quit();
    });
    if (*state == 0)
        loop.exec(kNoInput);
    if (*state == 0)
        *state = 2;
    return *state == 1;
}

bool TFrameHtmlEditor::WasEdited()
{
    if (EditedSinceLoad)
        return true;
    // Views still loading show nothing the user could have changed.
    if (!editor_->IsReady())
        return false;
    auto edited = std::make_shared<bool>(false);
    if (!WaitForRead([&](std::function<void()> finished) {
            editor_->ReadEdited([edited, finished](bool answer) {
                *edited = answer;
                finished();
            });
        })) {
        // Unknown: a frame the user changed cannot be taken as stored.
        if (IsModified())
            ViewsUnread = true;
        return false;
    }
    return EditedSinceLoad = *edited;
}

void TFrameHtmlEditor::StoreToObjects(bool)
{
    if (!editor_ || !WasEdited())
        return;
    TAbstractCObject* design = GetObject(kDesignClass);
    const std::string lang = ContentLangCode();
    if (!design || lang.empty())
        return;
    auto parts = std::make_shared<std::pair<std::string, std::string>>();
    if (!WaitForRead([&](std::function<void()> finished) {
            editor_->ReadParts([parts, finished](const std::string& top, const std::string& bottom) {
                *parts = {top, bottom};
                finished();
            });
        })) {
        ViewsUnread = true;
        return;
    }
    design->SetLangString("TopHTMLValue", lang, parts->first, 0);
    design->SetLangString("BottomHTMLValue", lang, parts->second, 0);
}

bool TFrameHtmlEditor::Save()
{
    ViewsUnread = false;
    if (!TTolvexFrameEditor::Save())
        return false;
    if (!ViewsUnread)
        return true;
    // The text the views show is not in the objects: the save must not go on without it.
    ShowViewsUnread();
    SetModified();
    GetUIEditor()->SetInvalidControl(editor_);
    return false;
}

bool TFrameHtmlEditor::StoreViews()
{
    ViewsUnread = false;
    StoreToObjects(false);
    if (ViewsUnread)
        ShowViewsUnread();
    return !ViewsUnread;
}

void TFrameHtmlEditor::ShowViewsUnread()
{
    GetContext()->Services().Gui.ShowError(
        "The design view did not answer in time, so its text was not stored. Wait a moment and try again.");
}

void TFrameHtmlEditor::EditHtmlSource()
{
    TAbstractCObject* design = GetObject(kDesignClass);
    if (!design)
        return;
    TCatalogData* data = GetContext()->Data();
    if (!data || !StoreViews())
        return;
    const char* member = editor_->ActiveView() == editor_->BottomView() ? "BottomHTMLValue" : "TopHTMLValue";
    if (!commands_->EditHtmlSource(*design, member, data->GetLanguages()))
        return;
    SetModified();
    LoadFromObjects(false);
}
