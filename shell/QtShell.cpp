#include "shell/QtShell.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDataUI.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/StyleSelector.h"
#include "generation/StyleDialog.h"
#include "generation/StyleOperation.h"
#include "generation/ui/frmSelectStyle.h"
#include "generation/CatalogPreviewSource.h"
#include "generation/PreviewResolver.h"
#include "generation/ui/PreviewSchemeHandler.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctions.h"
#include "common/Deployment.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/TolvexException.h"
#include "storage/References.h"
#include "common/Translation.h"
#include "shell/CatalogWindowUI.h"
#include "editors/framework/TolvexItemEditor.h"
#include "gui/FindReplace.h"
#include "shell/GuiControl.h"
#include "shell/HelpSystem.h"
#include "shell/Login.h"
#include "shell/frmAbout.h"
#include "shell/frmChangeCatalogCode.h"
#include "shell/frmSettings.h"
#include "shell/MainWindow.h"
#include "shell/QtCommonGui.h"
#include "shell/StyleOperationPublisher.h"
#include "shell/TolvexApplication.h"
#include "shell/TolvexToolbarItem.h"
#include "gui/UiText.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMetaObject>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineProfile>

using UiText::Q;
using UiText::S;


TQtShell::TQtShell(TCommonGui& gui, TQtCommonGui* qtGui, TTolvexApplication* application)
    : gui_(gui), qtGui_(qtGui), application_(application), window_(std::make_unique<TfrmMain>()), processor_(*this)
{
    window_->SetHandler(this);
    findReplace_ = std::make_unique<TFindReplace>(gui_, window_.get());
    if (qtGui_) {
        qtGui_->SetParentWindow(window_.get());
        qtGui_->SetHelpHandler([this](const std::vector<std::string>& aliases) {
            if (help_)
                help_->ShowHelpForAliases(aliases);
        });
    }
}

TQtShell::~TQtShell()
{
    UninstallPreview();
    if (qtGui_) {
        qtGui_->SetHelpHandler(nullptr);
        qtGui_->SetParentWindow(nullptr);
    }
    findReplace_.reset();
    window_->SetHandler(nullptr);
}

void TQtShell::ShowMainWindow(bool start)
{
    if (root_) {
        TWindowPlacement placement{window_->x(), window_->y(), window_->width(), window_->height(), false};
        root_->Settings().RestoreWindowPlacement(placement);
        if (placement.maximised) {
            window_->showMaximized();
        } else {
            window_->setGeometry(placement.left, placement.top, placement.width, placement.height);
            window_->show();
        }
    } else {
        window_->show();
    }
    if (guiControl_) {
        // The type-0 definition was loaded before the window existed.
        guiControl_->RemoveCatalogActions();
        guiControl_->AddMenuActions();
        guiControl_->AddSearchItems();
        guiControl_->UpdateCatalogState(false);
    }
    if (start)
        window_->PostMessage(WM_START_PROCESS, 0, 0);
}

// ---- TTolvexShell ----------------------------------------------------------------------------------

void TQtShell::SetExceptionHandler(TTolvexException* handler)
{
    if (application_)
        application_->SetExceptionHandler(handler);
}

void TQtShell::Terminate()
{
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TQtShell::PostCloseRequest()
{
    QMetaObject::invokeMethod(window_.get(), &QWidget::close, Qt::QueuedConnection);
}

void TQtShell::PostReopenCatalog()
{
    window_->PostMessage(WM_REOPEN_CATALOG, 0, 0);
}

void TQtShell::SetMainCaption(const std::string& caption)
{
    window_->setWindowTitle(UiText::Title(caption));
}

std::unique_ptr<TTolvexGuiControl> TQtShell::CreateGuiControl(TTolvex& root)
{
    root_ = &root;
    auto control = std::make_unique<TGUIControl>(root, *window_, processor_);
    guiControl_ = control.get();
    guiControl_->SetFindTextCheck([this] { return findReplace_->HasFindText(); });
    guiControl_->SetTreeCommandHandler([this](const std::string& name) { HandleCommand(name); });
    InstallPreview(root);
    return control;
}

void TQtShell::InstallPreview(TTolvex& root)
{
    UninstallPreview();
    previewSource_ = std::make_unique<TCatalogPreviewSource>(root.Catalog(), root);
    previewResolver_ = std::make_unique<TPreviewResolver>(*previewSource_);
    previewHandler_ = std::make_unique<TPreviewSchemeHandler>(*previewResolver_);
    previewHandler_->Install(*QWebEngineProfile::defaultProfile());
}

void TQtShell::UninstallPreview()
{
    if (previewHandler_)
        previewHandler_->Uninstall(*QWebEngineProfile::defaultProfile());
    previewHandler_.reset();
    previewResolver_.reset();
    previewSource_.reset();
}

std::unique_ptr<TStyleDialog> TQtShell::CreateStyleDialog()
{
    if (!root_)
        return nullptr;
    return std::make_unique<TfrmSelectStyle>(*root_, gui_, ::Translation, window_.get());
}

std::unique_ptr<TTolvexHelpSystem> TQtShell::CreateHelpSystem(TTolvex& root)
{
    auto help = std::make_unique<THelpSystem>(root.Settings(), gui_);
    help_ = help.get();
    return help;
}

std::unique_ptr<TCatalogDataUI> TQtShell::CreateCatalogUI(TCatalogData& data)
{
    if (!root_)
        return nullptr;
    return std::make_unique<TCatalogWindowUI>(*root_, data, gui_, *window_, guiControl_, this,
                                              previewSource_.get());
}

TCatalogWindowUI* TQtShell::CatalogUI()
{
    TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr;
    return data ? dynamic_cast<TCatalogWindowUI*>(data->GetUI()) : nullptr;
}

bool TQtShell::HasItemEditor()
{
    TCatalogWindowUI* ui = CatalogUI();
    return ui && ui->MainEditor();
}

bool TQtShell::OpenInEditor(int itemId, int itemType, const std::string& editorName, const std::string& action)
{
    TCatalogWindowUI* ui = CatalogUI();
    return ui && ui->OpenInMainEditor(itemId, itemType, editorName, action);
}

bool TQtShell::OpenInEditorWindow(int itemId, int itemType, const std::string& action, bool wizard)
{
    TCatalogWindowUI* ui = CatalogUI();
    return ui && ui->OpenInEditorWindow(itemId, itemType, action, wizard);
}

void TQtShell::RefreshEditor()
{
    if (TCatalogWindowUI* ui = CatalogUI(); ui && ui->MainEditor())
        ui->MainEditor()->RefreshEditors();
}

TLogin::TEnvironment TQtShell::LoginEnvironment()
{
    TLogin::TEnvironment environment{*root_, gui_};
    environment.Translation = ::Translation;
    environment.Parent = window_.get();
    environment.Help = [this](const std::vector<std::string>& aliases) {
        if (help_)
            help_->ShowHelpForAliases(aliases);
    };
    environment.OpenUrl = [this](const std::string& url) { OpenUrl(url); };
    return environment;
}

void TQtShell::LoginShowWelcome(const std::string& catalogName, bool autoOpen)
{
    if (root_)
        TLogin(LoginEnvironment()).ShowWelcome(catalogName, autoOpen);
}

void TQtShell::LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName, const std::string& dbType)
{
    if (root_)
        TLogin(LoginEnvironment()).OpenCatalog(dbDir, catalogName, dbType);
}

void TQtShell::LoginNewCatalog()
{
    if (root_)
        TLogin(LoginEnvironment()).NewCatalog();
}

void TQtShell::LoginNewCatalogFromHost()
{
    if (root_)
        TLogin(LoginEnvironment()).NewCatalogFromHost();
}

std::string TQtShell::GetActionString(int actionId)
{
    if (!root_)
        return {};
    const std::string prefix = std::to_string(actionId) + "=";
    for (const std::string& line : root_->Catalog().GetDefinition().GetActions())
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    return {};
}

void TQtShell::ExecuteActionById(int actionId, bool check)
{
    processor_.ExecuteActionById(actionId, check);
}

void TQtShell::PostActionById(int actionId, bool check)
{
    processor_.PostActionById(actionId, check);
}

void TQtShell::ExecuteAction(const std::string& action, bool check)
{
    processor_.ExecuteAction(action, check);
}

void TQtShell::QueueAction(const std::string& action, bool check)
{
    processor_.QueueAction(action, check);
}

bool TQtShell::AskNewCatalogCode(const std::string& oldCode, std::string& newCode)
{
    TfrmChangeCatalogCode dialog(oldCode, gui_, [this](const std::string& alias) {
        if (help_)
            help_->ShowHelpForAlias(alias);
    }, window_.get());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    newCode = dialog.NewCode();
    return true;
}

void TQtShell::ShowAboutBox()
{
    TfrmAbout::TContent content;
    content.Version = S(QApplication::applicationVersion());
    content.HomePage = Deployment::kMakerSite;
    content.SupportAddress = Deployment::kSupportAddress;
    content.Folders = AboutText();
    content.Environment = environmentCheck_;
    content.Help = [this](const std::string& alias) {
        if (help_)
            help_->ShowHelpForAlias(alias);
    };
    content.OpenUrl = [this](const std::string& url) { OpenUrl(url); };
    TfrmAbout about(std::move(content), window_.get());
    about.exec();
}

bool TQtShell::RunWebSiteImport(std::vector<std::string>&, TAbstractDBConnection&)
{
    NotAvailable("The web-site import");
    return false;
}

TfrmDetailProcess::TEnvironment TQtShell::RunnerEnvironment()
{
    TfrmDetailProcess::TEnvironment environment;
    environment.Gui = &gui_;
    environment.Translation = ::Translation;
    environment.OpenSecondConnection = [this]() -> std::unique_ptr<TAbstractDBConnection> {
        TTolvexCatalog* open = root_ && root_->Catalog().IsOpen() ? root_->Catalog().GetOpenCatalog() : nullptr;
        if (!open || !open->HasConnectionFactory())
            return nullptr;
        return open->GetConnectionFactory().OpenSecondConnection();
    };
    environment.DataChanged = [this](int itemId, int kind) {
        window_->PostMessage(WM_OBJECT_CHANGED, itemId, kind);
    };
    environment.ReopenCatalog = [this] { PostReopenCatalog(); };
    return environment;
}

void TQtShell::StartStyleOperation(std::unique_ptr<TStyleOperation> operation)
{
    if (!operation)
        return;
    if (!IsCatalogOpen()) {
        // The operation works on the open catalog's second connection.
        gui_.ShowError("No catalog is open", true, "");
        return;
    }
    auto* window = new TfrmDetailProcess(RunnerEnvironment(), window_.get());
    window->CreatePublisher(
        {},
        [this, &operation](std::vector<std::string>& params, TAbstractDBConnection* connection,
                           TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
            if (!connection)
                return nullptr;  // no catalog open: the window just offers Close
            return std::make_unique<TStyleOperationPublisher>(
                std::move(operation), params, *connection,
                TPublisherEnvironment{gui_, ::Translation, &runner, root_, nullptr});
        });
    window->StartProcess();
}

// ---- TActionHost --------------------------------------------------------------------------------

TCommonGui& TQtShell::Gui()
{
    return gui_;
}

std::string TQtShell::Translate(const std::string& text)
{
    return ::Translation ? ::Translation->Translate(text) : text;
}

bool TQtShell::IsCatalogOpen()
{
    return root_ && root_->Catalog().IsOpen();
}

bool TQtShell::CanLeave()
{
    TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr;
    return !data || data->CanLeave(false);
}

std::string TQtShell::GetCatalogCode()
{
    TTolvexCatalog* open = root_ ? root_->Catalog().GetOpenCatalog() : nullptr;
    return open ? open->GetCatalogCode() : std::string();
}

std::string TQtShell::GetCatalogProperty(int propertyId)
{
    TTolvexCatalog* open = root_ ? root_->Catalog().GetOpenCatalog() : nullptr;
    if (!open || !open->HasConnectionFactory())
        return {};
    return TCatalog::GetCatalogProperty(propertyId, open->GetConnectionFactory().GetConnection(),
                                        open->GetCatalogCode());
}

int TQtShell::GetUserRole()
{
    TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr;
    return data ? data->GetUserRole() : 5;
}

std::string TQtShell::GetUserName()
{
    return root_ ? root_->GetUserName() : std::string();
}

std::string TQtShell::GetPassword()
{
    return root_ ? root_->GetPassword() : std::string();
}

std::string TQtShell::GetCurrentLangCode()
{
    TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr;
    return data ? data->GetCurrentLangCode() : std::string();
}

void TQtShell::SetCurrentLangCode(const std::string& langCode)
{
    // Nothing is asked and nothing saved: the editors store their controls
    // into the language being left and show the new one.
    TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr;
    if (!data || !data->SetCurrentLangCode(langCode))
        return;
    ClearTransformCache();
    if (guiControl_)
        guiControl_->UpdateLanguageControls();
    RefreshEditor();
}

void TQtShell::ClearTransformCache()
{
    if (TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr)
        data->GetTransformCache().ClearTransformCache();
}

std::string TQtShell::GetSetting(int settingId)
{
    return root_ ? root_->Settings().IniSettings().GetString(settingId) : std::string();
}

void TQtShell::ShowSettingsDialog()
{
    if (!root_)
        return;
    TSettingsModel model(root_->Settings().IniSettings(), root_->Settings().AppDir(),
                         [this](const std::string& code) { return root_->References().GetLanguageName(code); });
    TfrmSettings dialog(
        model, gui_,
        [this](const std::string& alias) {
            if (help_)
                help_->ShowHelpForAlias(alias);
        },
        [this](const std::string& folder, const std::string& alias) { return ChooseFolder(folder, alias); }, {},
        window_.get());
    dialog.exec();
}

void TQtShell::NewCatalogFromHost()
{
    if (root_)
        root_->Catalog().NewCatalogFromHost();
}

bool TQtShell::SelectStyle(int mode, bool postReopen)
{
    TStyleSelector* selector = root_ ? root_->GetStyleSelector() : nullptr;
    return selector && selector->SelectStyle(mode, postReopen);
}

void TQtShell::OpenUrl(const std::string& url)
{
    QDesktopServices::openUrl(QUrl(Q(url)));
}

void TQtShell::PostMainWindowMessage(int message, std::int64_t wParam, std::int64_t lParam)
{
    window_->PostMessage(message, wParam, lParam);
}

void TQtShell::ResetActionButtons()
{
    if (guiControl_)
        guiControl_->ResetActionButtons();
}

void TQtShell::CheckActionButton(const std::string& actionString)
{
    if (guiControl_)
        guiControl_->CheckActionButton(actionString);
}

void TQtShell::UncheckActionButton(const std::string& actionString)
{
    if (guiControl_)
        guiControl_->UncheckActionButton(actionString);
}

void TQtShell::SetTemplatesCaption(const std::string& captionFormat)
{
    if (guiControl_)
        guiControl_->SetTemplatesCaption(captionFormat);
}

void TQtShell::UpdateReportMenu()
{
    if (guiControl_)
        guiControl_->UpdateReportMenu();
}

void TQtShell::NotAvailable(const std::string& what)
{
    const std::string message = ::Translation ? ::Translation->Format("$1 is not available yet.", {what})
                                              : what + " is not available yet.";
    gui_.ShowInformation(message, false, "");
}
