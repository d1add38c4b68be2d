#include "shell/QtShell.h"

#include "editors/framework/ui/EditorWait.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDataUI.h"
#include "catalog/Tolvex.h"
#include "common/GlobalSettings.h"
#include "editors/framework/TolvexItemEditor.h"
#include "generation/CatalogPreviewSource.h"
#include "generation/PreviewResolver.h"
#include "generation/StyleDialog.h"
#include "generation/StyleOperation.h"
#include "generation/ui/PreviewSchemeHandler.h"
#include "gui/FindReplace.h"
#include "gui/UiText.h"
#include "publishing/ui/frmDetailProcess.h"
#include "shell/CatalogWindowUI.h"
#include "editors/framework/TolvexItemEditor.h"
#include "gui/FindReplace.h"
#include "shell/GuiControl.h"
#include "shell/HelpSystem.h"
#include "shell/MainWindow.h"
#include "shell/QtCommonGui.h"
#include "shell/ShellParts.h"
#include "shell/TolvexApplication.h"
#include "shell/TolvexToolbarItem.h"
#include "gui/UiText.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <QApplication>
#include <QMetaObject>
#include <QWebEngineProfile>

using UiText::Q;

namespace {

// The argument that makes WM_DELETE_CATALOG delete the catalog.
constexpr std::int64_t kDeleteCatalogCheck = 1042;

}  // namespace

TQtShell::TQtShell(TCommonGui& gui, TQtCommonGui* qtGui, TTolvexApplication* application)
    : gui_(gui), qtGui_(qtGui), application_(application), window_(std::make_unique<TfrmMain>())
{
    window_->SetHandler(this);
    findReplace_ = std::make_unique<TFindReplace>(gui_, window_.get());
    if (qtGui_) {
        qtGui_->SetParentWindow(window_.get());
        qtGui_->SetHelp(&help_);
    }
}

TQtShell::~TQtShell()
{
    UninstallPreview();
    if (qtGui_) {
        qtGui_->SetHelp(nullptr);
        qtGui_->SetParentWindow(nullptr);
    }
    parts_.reset();
    findReplace_.reset();
    window_->SetHandler(nullptr);
}

TActionProcessor& TQtShell::Processor()
{
    return parts_->Processor;
}

TQtActionHost& TQtShell::ActionHost()
{
    return parts_->Host;
}

TShellDialogs& TQtShell::Dialogs()
{
    return parts_->Dialogs;
}

TPublishingCommands& TQtShell::Publishing()
{
    return parts_->Publishing;
}

TTreePaneCommands& TQtShell::Trees()
{
    return parts_->Trees;
}

TMainWindowSearch& TQtShell::Search()
{
    return parts_->Search;
}

TMainWindowCommands& TQtShell::Commands()
{
    return parts_->Commands;
}

TCatalogWindowUI* TQtShell::CatalogUI()
{
    return root_ ? TCatalogWindowUI::Of(*root_) : nullptr;
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
    parts_ = std::make_unique<TShellParts>(
        TShellParts::TBase{root, gui_, qtGui_, *window_, *findReplace_, help_, environmentCheck_});
    guiControl_ = &parts_->Control;
    InstallPreview(root);
    return std::move(parts_->ControlOwner);
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
    return parts_ ? parts_->Dialogs.CreateStyleDialog() : nullptr;
}

std::unique_ptr<TTolvexHelpSystem> TQtShell::CreateHelpSystem(TTolvex& root)
{
    auto help = std::make_unique<THelpSystem>(root.Settings(), gui_);
    helpSystem_ = help.get();
    help_.SetHelpSystem(helpSystem_);
    return help;
}

std::unique_ptr<TCatalogDataUI> TQtShell::CreateCatalogUI(TCatalogData& data)
{
    if (!root_)
        return nullptr;
    auto ui = std::make_unique<TCatalogWindowUI>(*root_, data, gui_, *window_, guiControl_, this,
                                                 previewSource_.get());
    ui->SetHostFetch([this](const std::string& catalogCode, int itemId, int classId,
                            const std::vector<std::string>& extraLines) {
        return parts_ && parts_->Publishing.FetchFromHostAndWait(catalogCode, itemId, classId, extraLines);
    });
    return ui;
}

void TQtShell::LoginShowWelcome(const std::string& catalogName, bool autoOpen)
{
    if (parts_)
        parts_->Dialogs.LoginShowWelcome(catalogName, autoOpen);
}

void TQtShell::LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName, const std::string& dbType)
{
    if (parts_)
        parts_->Dialogs.LoginOpenCatalog(dbDir, catalogName, dbType);
}

void TQtShell::LoginNewCatalog()
{
    if (parts_)
        parts_->Dialogs.LoginNewCatalog();
}

void TQtShell::LoginNewCatalogFromHost()
{
    if (parts_)
        parts_->Dialogs.LoginNewCatalogFromHost();
}

std::string TQtShell::GetActionString(int actionId)
{
    return parts_ ? parts_->Host.GetActionString(actionId) : std::string();
}

void TQtShell::ExecuteActionById(int actionId, bool check)
{
    if (parts_)
        parts_->Processor.ExecuteActionById(actionId, check);
}

void TQtShell::PostActionById(int actionId, bool check)
{
    if (parts_)
        parts_->Processor.PostActionById(actionId, check);
}

void TQtShell::ExecuteAction(const std::string& action, bool check)
{
    if (parts_)
        parts_->Processor.ExecuteAction(action, check);
}

void TQtShell::QueueAction(const std::string& action, bool check)
{
    if (parts_)
        parts_->Processor.QueueAction(action, check);
}

bool TQtShell::AskNewCatalogCode(const std::string& oldCode, std::string& newCode)
{
    return parts_ && parts_->Dialogs.AskNewCatalogCode(oldCode, newCode);
}

bool TQtShell::RunSoftwareUpdate(const std::vector<std::string>& params, bool modal)
{
    return parts_ && parts_->Publishing.RunSoftwareUpdate(params, modal);
}

bool TQtShell::RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection)
{
    return parts_ && parts_->Publishing.RunWebSiteImport(params, connection);
}

void TQtShell::StartStyleOperation(std::unique_ptr<TStyleOperation> operation)
{
    if (parts_)
        parts_->Publishing.StartStyleOperation(std::move(operation));
}

// ---- TMainWindowHandler ------------------------------------------------------------------------------

void TQtShell::HandleMessage(const TMainWindowPost& post)
{
    if (post.Message == WM_FREE_PROCESS_WINDOWS) {
        TfrmDetailProcess::FreeProcessWindows();
        return;
    }
    if (!root_ || !parts_)
        return;
    // Every message may open, reload or close what an editor is waiting in.
    if (TEditorWait::Active()) {
        TEditorWait::WhenOver(window_.get(), [this, post] { HandleMessage(post); });
        return;
    }
    // Messages that need an open catalog test it when they run.
    const bool open = parts_->Open.IsOpen();
    TActionProcessor& processor = parts_->Processor;
    switch (post.Message) {
    case WM_START_PROCESS:
        root_->Catalog().OpenWithLogin("", false);
        break;
    case WM_EDIT_ITEM:
        if (open)
            processor.OpenItemInMainEditor(static_cast<int>(post.LParam), static_cast<int>(post.WParam), 0, 0, "", "");
        break;
    case WM_EXECUTE_ACTION_ID:
        if (open)
            processor.ExecuteActionById(static_cast<int>(post.WParam), true);
        break;
    case WM_RUN_QUEUED_ACTION:
        if (open)
            processor.RunQueuedAction(static_cast<int>(post.WParam));
        break;
    case WM_REOPEN_CATALOG:
        root_->ReopenCatalog();
        break;
    case WM_DELETE_CATALOG:
        if (post.WParam == kDeleteCatalogCheck && root_->CloseCatalog())
            root_->DeleteCatalog("");
        break;
    case WM_RESTART_FOR_UPDATE:
        if (root_->CloseCatalog())
            root_->RestartIfUpdatePending();
        break;
    case WM_OBJECT_CHANGED:
        if (TTolvexItemEditor* editor = parts_->Open.MainEditor())
            editor->NotifyDataChanged(static_cast<int>(post.WParam), static_cast<int>(post.LParam));
        break;
    case WM_FLUSH_EDITOR:
        if (TTolvexItemEditor* editor = parts_->Open.MainEditor())
            editor->FlushChanges();
        break;
    case WM_FOCUS_EDITOR:
        if (TTolvexItemEditor* editor = parts_->Open.MainEditor())
            editor->FocusEditor();
        break;
    default:
        // Runner windows, item editors and their data-change notices come
        // with the windows that send them; nothing to do without them.
        break;
    }
}

bool TQtShell::CanClose()
{
    return !root_ || root_->CloseCatalog();
}

void TQtShell::Closed()
{
    UninstallPreview();
    if (!root_)
        return;
    const QRect frame = window_->normalGeometry();
    root_->Settings().SaveWindowPlacement({frame.x(), frame.y(), frame.width(), frame.height(), window_->isMaximized()});
}
