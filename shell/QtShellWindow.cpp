// The shell's side of the main window: its private messages, the built-in
// commands of its menus and buttons, closing, and the search box.
#include "shell/QtShell.h"
#include "shell/CatalogWindowUI.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "shell/FindReplace.h"
#include "shell/GuiControl.h"
#include "shell/HelpSystem.h"
#include "shell/MainWindow.h"
#include "shell/QtCommonGui.h"
#include "shell/TolvexToolbarItem.h"
#include "shell/UiText.h"
#include "storage/ConfiguredDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>

using UiText::Q;
using UiText::S;

namespace {

constexpr std::int64_t kDeleteCatalogCheck = 1042;
constexpr int kMaxSearchHistory = 5;

}  // namespace

void TQtShell::HandleMessage(const TMainWindowPost& post)
{
    // Messages that need an open catalog test it when they run.
    const bool open = IsCatalogOpen();
    switch (post.Message) {
    case WM_START_PROCESS:
        if (root_)
            root_->Catalog().OpenWithLogin("", false);
        break;
    case WM_EDIT_ITEM:
        if (open)
            processor_.OpenItemInMainEditor(static_cast<int>(post.LParam), static_cast<int>(post.WParam), 0, 0, "", "");
        break;
    case WM_EXECUTE_ACTION_ID:
        if (open)
            processor_.ExecuteActionById(static_cast<int>(post.WParam), true);
        break;
    case WM_RUN_QUEUED_ACTION:
        if (open)
            processor_.RunQueuedAction(static_cast<int>(post.WParam));
        break;
    case WM_REOPEN_CATALOG:
        if (root_)
            root_->ReopenCatalog();
        break;
    case WM_DELETE_CATALOG:
        if (root_ && post.WParam == kDeleteCatalogCheck && root_->CloseCatalog())
            root_->DeleteCatalog("");
        break;
    case WM_RESTART_FOR_UPDATE:
        if (root_ && root_->CloseCatalog())
            root_->RestartIfUpdatePending();
        break;
    case WM_FREE_PROCESS_WINDOWS:
        TfrmDetailProcess::FreeProcessWindows();
        break;
    case WM_OBJECT_CHANGED:
        if (TCatalogWindowUI* ui = CatalogUI(); ui && ui->MainEditor())
            ui->MainEditor()->NotifyDataChanged(static_cast<int>(post.WParam), static_cast<int>(post.LParam));
        break;
    case WM_FLUSH_EDITOR:
        if (TCatalogWindowUI* ui = CatalogUI(); ui && ui->MainEditor())
            ui->MainEditor()->FlushChanges();
        break;
    case WM_FOCUS_EDITOR:
        if (TCatalogWindowUI* ui = CatalogUI(); ui && ui->MainEditor())
            ui->MainEditor()->FocusEditor();
        break;
    default:
        // Runner windows, item editors and their data-change notices come
        // with the windows that send them; nothing to do without them.
        break;
    }
}

void TQtShell::EditCommand(const char* slot)
{
    if (QWidget* focused = QApplication::focusWidget())
        QMetaObject::invokeMethod(focused, slot);
}

void TQtShell::HandleCommand(const std::string& name)
{
    TfrmMain& w = *window_;
    TGUIControl* gui = guiControl_;
    if (name == "miFileExit") {
        w.close();
    } else if (name == "miFileNewCatalog") {
        if (root_)
            root_->Catalog().NewCatalog();
    } else if (name == "miFileOpenCatalogList") {
        if (root_)
            root_->Catalog().OpenWithLogin("", false);
        NotAvailable("The login dialog");
    } else if (name == "miFileCloseCatalog") {
        if (root_)
            root_->CloseCatalog();
    } else if (name.rfind("miFileLastUsed", 0) == 0) {
        if (root_)
            root_->Catalog().OpenRecentCatalog(std::stoi(name.substr(14)) - 1);
    } else if (name == "miFileChangeCatalogCode") {
        if (root_ && IsCatalogOpen())
            root_->Catalog().GetDefinition().ChangeCatalogCode(GetCatalogCode());
    } else if (name == "miFileBackup") {
        if (root_)
            root_->BackupCatalog();
    } else if (name == "miFileRestore") {
        if (root_)
            root_->RestoreCatalog();
    } else if (name == "miFileCompress") {
        if (root_)
            root_->CompactCatalog();
    } else if (name == "miFileDeleteCatalog") {
        if (root_ && gui_.AskQuestion("Do you really want to delete the catalog?", "", true, "", 0) == mrYes &&
            root_->CloseCatalog())
            root_->DeleteCatalog("");
    } else if (name == "miFileProgramSettings") {
        processor_.ExecuteAction("Action=ProgramSettings", true);
    } else if (name == "miEditApplyNewStyle") {
        processor_.ExecuteAction("Action=ApplyNewStyle", true);
    } else if (name == "actMainEditCut") {
        EditCommand("cut");
    } else if (name == "actMainEditCopy") {
        EditCommand("copy");
    } else if (name == "actMainEditPaste") {
        EditCommand("paste");
    } else if (name == "actMainEditSelectAll") {
        EditCommand("selectAll");
    } else if (name == "actMainEditFind") {
        findReplace_->ShowFindDialog(QApplication::focusWidget());
    } else if (name == "actMainEditFindNext") {
        findReplace_->FindNext();
    } else if (name == "actMainEditReplace") {
        findReplace_->ShowReplaceDialog(QApplication::focusWidget());
    } else if (gui && name == "miViewWebTree") {
        gui->SetWebTreeVisible(!gui->IsWebTreeVisible());
    } else if (gui && name == "miViewTemplates") {
        gui->SetTemplatesVisible(!gui->IsTemplatesVisible());
    } else if (gui && name == "miViewToolbar") {
        gui->SetToolbarVisible(!gui->IsToolbarVisible());
    } else if (gui && name == "miViewStatusBar") {
        gui->SetStatusBarVisible(!gui->IsStatusBarVisible());
    } else if (gui && (name == "miViewAutoHide" || name == "sbtnWebTreeAutoHide")) {
        gui->SetAutoHide(!gui->IsAutoHide());
    } else if (gui && name == "sbtnWebTreeClose") {
        gui->SetWebTreeVisible(false);
    } else if (gui && name == "sbtnMainTemplatesClose") {
        gui->SetTemplatesVisible(false);
    } else if (gui && name == "sbtnMainClientShowWebTree") {
        gui->SetWebTreeVisible(true);
    } else if (name == "miHelpContents") {
        if (help_)
            help_->ShowHelpForAlias("MainHelp");
    } else if (name == "tbtnWebTreeHelp") {
        if (help_)
            help_->ShowHelpForAlias("WebTree");
    } else if (name == "tbtnTemplatesHelp") {
        if (help_)
            help_->ShowHelpForAlias("TemplateTree");
    } else if (name == "btnMainEditorHelp") {
        if (gui)
            gui->ShowContextHelp(help_);
    } else if (name == "miHelpAbout") {
        gui_.ShowInformation(AboutText(), false, "");
    } else if (name == "tbsiMainSearch") {
        RunSearch();
    } else if (name.rfind("tbtnWebTree", 0) == 0) {
        NotAvailable("The web tree");
    } else if (name.rfind("tbtnTemplates", 0) == 0) {
        NotAvailable("The templates tree");
    } else if (name == "actMainEditorSave" || name == "btnMainEditorSave" || name == "btnMainEditorCancel") {
        TCatalogWindowUI* ui = CatalogUI();
        if (ui && ui->MainEditor() && ui->MainEditor()->Context()) {
            if (name == "btnMainEditorCancel")
                ui->MainEditor()->Cancel(true);
            else if (ui->MainEditor()->Context()->IsModified())
                ui->MainEditor()->Save();
        } else if (IsCatalogOpen() && !ui) {
            NotAvailable("The item editor");
        }
    } else {
        NotAvailable(S(Q(name)));
    }
}

bool TQtShell::CanClose()
{
    if (!root_)
        return true;
    return root_->CloseCatalog();
}

void TQtShell::Closed()
{
    UninstallPreview();
    if (!root_)
        return;
    const QRect frame = window_->normalGeometry();
    root_->Settings().SaveWindowPlacement({frame.x(), frame.y(), frame.width(), frame.height(), window_->isMaximized()});
}

void TQtShell::RunSearch()
{
    QComboBox* box = window_->cbMainSearch;
    const QString keyword = box->currentText();
    if (keyword.isEmpty()) {
        gui_.ShowError("Enter search keyword", true, "");
        return;
    }
    if (!IsCatalogOpen() || !guiControl_)
        return;
    auto* kind = dynamic_cast<TTolvexToolbarItem*>(guiControl_->CheckedSearchKind());
    if (!kind)
        return;
    ::SearchText = S(keyword);
    // History: the keyword at the top once, at most five entries.
    for (int i = box->count() - 1; i >= 0; --i)
        if (box->itemText(i).compare(keyword, Qt::CaseInsensitive) == 0)
            box->removeItem(i);
    box->insertItem(0, keyword);
    while (box->count() > kMaxSearchHistory)
        box->removeItem(kMaxSearchHistory);
    box->setCurrentIndex(0);
    processor_.ItemClick(kind->Command, TClickedEntryKind::ToolbarItem);
}

std::string TQtShell::AboutText() const
{
    std::string text = "Tolvex " + S(QApplication::applicationVersion());
    if (!root_)
        return text;
    TGlobalSettings& settings = root_->Settings();
    text += "\n\nProgram folder: " + settings.AppDir();
    text += "\nSettings file: " + settings.IniSettings().FileName();
    text += "\nDatabases folder: " + DatabasesFolder(settings.AppDir());
    text += "\nCatalog databases: " + settings.GetDatabasePath();
    return text;
}
