#include "shell/QtShell.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDataUI.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/StyleSelector.h"
#include "generation/StyleDialog.h"
#include "generation/StyleOperation.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctions.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/TolvexException.h"
#include "common/Translation.h"
#include "shell/FindReplace.h"
#include "shell/GuiControl.h"
#include "shell/HelpSystem.h"
#include "shell/MainWindow.h"
#include "shell/QtCommonGui.h"
#include "shell/TolvexApplication.h"
#include "shell/TolvexToolbarItem.h"
#include "shell/UiText.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMetaObject>
#include <QToolButton>
#include <QUrl>

using UiText::Q;
using UiText::S;

namespace {

// The style dialog's window is built later: until then the user is told so
// and no style is chosen.
class TPendingStyleDialog : public TStyleDialog {
public:
    explicit TPendingStyleDialog(TQtShell& shell) : shell_(shell) {}
    void Setup(int, TAbstractDBConnection&, int, int, int, int) override {}
    bool Execute() override
    {
        shell_.NotAvailable("The style dialog");
        return false;
    }
    void CollectSelection(std::vector<std::string>& itemIds, std::vector<std::string>& defaultTemplateIds,
                          std::vector<std::string>& params) override
    {
        itemIds.clear();
        defaultTemplateIds.clear();
        params.clear();
    }

private:
    TQtShell& shell_;
};

}  // namespace

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
    window_->setWindowTitle(Q(caption));
}

std::unique_ptr<TTolvexGuiControl> TQtShell::CreateGuiControl(TTolvex& root)
{
    root_ = &root;
    auto control = std::make_unique<TGUIControl>(root, *window_, processor_);
    guiControl_ = control.get();
    guiControl_->SetFindTextCheck([this] { return findReplace_->HasFindText(); });
    return control;
}

std::unique_ptr<TStyleDialog> TQtShell::CreateStyleDialog()
{
    return std::make_unique<TPendingStyleDialog>(*this);
}

std::unique_ptr<TTolvexHelpSystem> TQtShell::CreateHelpSystem(TTolvex& root)
{
    auto help = std::make_unique<THelpSystem>(root.Settings(), gui_);
    help_ = help.get();
    return help;
}

std::unique_ptr<TCatalogDataUI> TQtShell::CreateCatalogUI(TCatalogData&)
{
    return nullptr;  // the trees and the item editor come later
}

void TQtShell::LoginShowWelcome(const std::string&, bool)
{
    if (guiControl_)
        guiControl_->SetStatusText("The login dialog is not available yet.", true, 0);
}

void TQtShell::LoginOpenCatalog(const std::string&, const std::string&, const std::string&)
{
    NotAvailable("The login dialog");
}

void TQtShell::LoginNewCatalog()
{
    NotAvailable("The login dialog");
}

void TQtShell::LoginNewCatalogFromHost()
{
    NotAvailable("The login dialog");
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
    std::string code = oldCode;
    if (!gui_.InputValue("Change Catalog Code", "New catalog code:", code, true, "ChangeCatalogCode"))
        return false;
    newCode = code;
    return true;
}

bool TQtShell::RunSoftwareUpdate(const std::vector<std::string>&, bool)
{
    NotAvailable("The software update");
    return false;
}

bool TQtShell::RunWebSiteImport(std::vector<std::string>&, TAbstractDBConnection&)
{
    NotAvailable("The web-site import");
    return false;
}

void TQtShell::StartStyleOperation(std::unique_ptr<TStyleOperation>)
{
    NotAvailable("The window of the style operations");
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

void TQtShell::SetCurrentLangCode(const std::string&)
{
    NotAvailable("Changing the editing language");
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
    NotAvailable("The program settings dialog");
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
