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
#include "common/Translation.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "generation/Templates.h"
#include "gui/FindReplace.h"
#include "shell/FrameSearchResult.h"
#include "shell/TreeCommands.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ClassesList.h"
#include "storage/GlobalDefinition.h"
#include "storage/ObjectCollection.h"
#include "shell/GuiControl.h"
#include "shell/HelpSystem.h"
#include "shell/MainWindow.h"
#include "shell/QtCommonGui.h"
#include "shell/TolvexToolbarItem.h"
#include "gui/UiText.h"
#include "storage/ConfiguredDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLayout>
#include <QTimer>
#include <QTreeWidget>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

using UiText::Q;
using UiText::S;

namespace {

constexpr std::int64_t kDeleteCatalogCheck = 1042;
constexpr int kMaxSearchHistory = 5;

TCatalogTreeView* CatalogTree(TfrmMain& window, const char* name)
{
    return window.findChild<TCatalogTreeView*>(name);
}

// Found items dragged from the search results onto the web tree are placed
// under the page they are dropped on.
class TSearchResultDrop : public QObject {
public:
    TSearchResultDrop(TQtShell& shell, TCatalogTreeView& tree) : QObject(&tree), shell_(shell), tree_(tree)
    {
        setObjectName("searchResultDrop");
        tree.viewport()->installEventFilter(this);
    }

private:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto* drop = static_cast<QDropEvent*>(event);
        TFrameSearchResult* results = shell_.SearchResult();
        if (!results || drop->source() != results->List())
            return false;  // the tree's own drags move nodes
        TTreeNode* target = TTreeModel::NodeOf(tree_.indexAt(drop->position().toPoint()));
        std::vector<TTreeCommands::TEntry> entries;
        for (const TSearchResults::TFound& found : results->SelectedItems())
            entries.push_back({found.Item.GetDataItemId(), found.Item.ItemType, found.Caption});
        const std::unique_ptr<TTreeCommands> trees = shell_.MakeTreeCommands();
        const bool may = trees && trees->CanPlace(target, entries);
        if (type == QEvent::Drop) {
            drop->setDropAction(Qt::IgnoreAction);  // the manager adds the rows itself
            drop->accept();
            if (may)
                trees->Place(target, entries);
        } else if (may) {
            drop->acceptProposedAction();
        } else {
            drop->ignore();
        }
        return true;
    }

    TQtShell& shell_;
    TCatalogTreeView& tree_;
};

}  // namespace

void TQtShell::HandleMessage(const TMainWindowPost& post)
{
    // Messages that need an open catalog test it when they run.
    const bool open = IsCatalogOpen();
    // A save of the main editor may wait for a web view, and the window's
    // messages are delivered meanwhile: those that open an item or run an
    // action wait until the save is over, as they would free the editor
    // being saved.
    const bool opens = post.Message == WM_EDIT_ITEM || post.Message == WM_EXECUTE_ACTION_ID ||
                       post.Message == WM_RUN_QUEUED_ACTION;
    if (opens && open && CatalogUI() && CatalogUI()->MainEditor() && CatalogUI()->MainEditor()->IsSaving()) {
        QTimer::singleShot(20, window_.get(), [this, post] { window_->PostMessage(post.Message, post.WParam, post.LParam); });
        return;
    }
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
        DeleteOpenCatalog();
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
    } else if (name == "miFileExportImages") {
        ExportImages();
    } else if (name == "miFileExportTemplates") {
        ExportTemplates();
    } else if (name == "miFileExportXHTMLTemplates") {
        if (IsCatalogOpen() && CanLeave())
            NotAvailable("The XHTML template export");
    } else if (name == "miHelpSoftwareUpdate") {
        if (root_ && (!IsCatalogOpen() || CanLeave()))
            root_->StartSoftwareUpdate(nullptr);
    } else if (name == "miHelpAbout") {
        ShowAboutBox();
    } else if (name == "tbsiMainSearch") {
        RunSearch();
    } else if (name.rfind("tbtnWebTree", 0) == 0 || name.rfind("tbtnTemplates", 0) == 0) {
        TreeCommand(name);
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
    // The previous results leave the editor pane before the new search runs.
    delete SearchResult();
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

// ---- the catalog trees -------------------------------------------------------------------------

std::unique_ptr<TTreeCommands> TQtShell::MakeTreeCommands()
{
    TCatalogData* data = root_ && IsCatalogOpen() ? root_->GetCatalogData() : nullptr;
    TCatalogTreeView* web = CatalogTree(*window_, "tvMainWebTreeView");
    TCatalogTreeView* templates = CatalogTree(*window_, "tvMainTemplatesView");
    if (!data || (!web && !templates))
        return nullptr;
    TTreeCommands::TServices services;
    services.WebTree = web ? &web->Manager() : nullptr;
    services.TemplatesTree = templates ? &templates->Manager() : nullptr;
    services.Data = data;
    services.Gui = &gui_;
    services.Translation = ::Translation;
    services.CanLeave = [this] { return CanLeave(); };
    services.CancelEditor = [this](bool cancelEditors) {
        if (TCatalogWindowUI* ui = CatalogUI(); ui && ui->MainEditor())
            ui->MainEditor()->Cancel(cancelEditors);
    };
    TTolvex* root = root_;
    services.HomePageId = [root] { return root->GetHomePageId(); };
    services.TemplatesChanged = [data] { data->GetPageGeneration().GetTemplates().ResetTemplateList(); };
    if (qtGui_)
        services.ChooseItemType = [this, root](int& itemType, int& first, int& last) {
            std::vector<std::string> types = root->GlobalDefinition().GetItemTypes();
            std::sort(types.begin(), types.end());
            std::string chosen;
            if (!qtGui_->SelectItemType(types, chosen, first, last, true, true))
                return false;
            try {
                itemType = std::stoi(chosen);
            } catch (const std::exception&) {
                itemType = 0;
            }
            return true;
        };
    return std::make_unique<TTreeCommands>(std::move(services));
}

void TQtShell::TreeCommand(const std::string& name)
{
    const std::unique_ptr<TTreeCommands> trees = MakeTreeCommands();
    if (!trees)
        return;
    TCatalogTreeView* web = CatalogTree(*window_, "tvMainWebTreeView");
    if (name == "tbtnWebTreeDelete") {
        trees->DeletePage();
    } else if (name == "tbtnWebTreeSort") {
        trees->ToggleSort();
    } else if (name == "tbtnWebTreeMoveUp") {
        trees->MoveUp();
    } else if (name == "tbtnWebTreeMoveDown") {
        trees->MoveDown();
    } else if (name == "tbtnWebTreeForceRepublish") {
        trees->ForceRepublish();
    } else if (name == "tbtnTemplatesDelete") {
        trees->DeleteTemplate();
    } else if (name == "tbtnTemplatesCopyToNew") {
        trees->CopyToNewTemplate();
    } else if (name == "tbtnTemplatesCompareWithStyles") {
        CompareTemplateWithStyles();
    } else if (name == "tbtnTemplatesExportToStyles" || name == "tbtnTemplatesRestoreFromStyles") {
        const bool exporting = name == "tbtnTemplatesExportToStyles";
        if (CanLeave() &&
            gui_.AskQuestion(exporting ? "Overwrite the template in styles database with your local copy?"
                                       : "Overwrite your local copy of template with the one from styles database?") ==
                mrYes)
            NotAvailable(exporting ? "Exporting templates to the styles database"
                                   : "Restoring templates from the styles database");
    }
    if (guiControl_ && web && name.rfind("tbtnWebTree", 0) == 0)
        guiControl_->UpdateWebTreeButtons(web->Manager().GetSelectedNode());
    if (name.rfind("tbtnTemplates", 0) == 0)
        UpdateTemplateTreeButtons();
}

void TQtShell::DeleteOpenCatalog()
{
    if (!root_ || !IsCatalogOpen())
        return;
    const std::string code = GetCatalogCode();
    const TTranslation& texts = TTranslation::OrEnglish(::Translation);
    if (gui_.AskQuestion(texts.Format("Do you really want to delete \"$1\" catalog?", {code}), "", false, "",
                         mbYesNo | mbDefaultButton2) != mrYes)
        return;
    if (root_->CloseCatalog() && root_->DeleteCatalog(code))
        gui_.ShowInformation(texts.Format("Catalog \"$1\" successfully deleted.", {code}), false, "");
}

void TQtShell::CompareTemplateWithStyles()
{
    TCatalogTreeView* templates = CatalogTree(*window_, "tvMainTemplatesView");
    TTreeNode* node = templates ? templates->Manager().GetSelectedNode() : nullptr;
    TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr;
    if (!node || !node->IsItem() || !data)
        return;
    std::string message;
    data->GetPageGeneration().GetTemplates().CompareWithStyles(node->ItemId(), data->GetCatalogCode(), message,
                                                               data->GetConnectionFactory().GetConnection());
    gui_.ShowInformation(message, false, "");
}

void TQtShell::UpdateTemplateTreeButtons()
{
    if (TCatalogTreeView* templates = CatalogTree(*window_, "tvMainTemplatesView"); templates && guiControl_)
        guiControl_->UpdateTemplateTreeButtons(templates->Manager().GetSelectedNode());
}

// ---- search results -----------------------------------------------------------------------------

TFrameSearchResult* TQtShell::SearchResult() const
{
    return window_->pnlMainEditor->findChild<TFrameSearchResult*>();
}

bool TQtShell::ShowSearchResult(const std::string& action)
{
    TCatalogData* data = root_ && IsCatalogOpen() ? root_->GetCatalogData() : nullptr;
    if (!data)
        return false;
    TTolvex* root = root_;
    const TSearchResults::TRequest request = TSearchResults::ParseRequest(
        action, [root](const std::string& name) { return root->GlobalDefinition().GetItemTypeByName(name); },
        [root](const std::string& tag) { return root->ClassesList().GetClassId(tag); });
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    TObjectCollection objects(root_->ObjectContext());
    objects.Open(data->GetCatalogCode(), connection);
    std::vector<TSearchResults::TFound> found = TSearchResults::Search(
        request, ::SearchText, connection, data->GetCatalogCode(), data->GetCurrentLangCode(), objects);

    delete SearchResult();
    QWidget* pane = window_->pnlMainEditor;
    auto* frame = new TFrameSearchResult(std::move(found), pane);
    pane->layout()->addWidget(frame);
    window_->lblMainEditorEmpty->hide();
    QLabel* empty = window_->lblMainEditorEmpty;
    QObject::connect(frame, &QObject::destroyed, empty, [empty] { empty->show(); });
    if (guiControl_)
        guiControl_->SetEditorCaption(TFrameSearchResult::kTabCaption);
    frame->SetOpenHandler([this, data, frame](const TItemDescription& item) {
        const std::string code = data->GetCatalogCode();
        TAbstractDBConnection& main = data->GetConnectionFactory().GetConnection();
        const int id = TSearchResults::OpenTargetId(
            item, [&](int itemId) { return data->FindVisibleLinkCopy(itemId, code, main); });
        const std::string tab = root_->Catalog().GetDefinition().GetItemTypeEditTab(item.ItemType);
        if (std::unique_ptr<TTreeCommands> trees = MakeTreeCommands())
            trees->RevealOnWebTree(id);
        // The item takes the results' place in the editor pane.
        frame->deleteLater();
        processor_.QueueAction(TSearchResults::OpenAction(tab, id), true);
    });
    // Anything opened from a tree takes the pane's place.
    for (const char* name : {"tvMainWebTreeView", "tvMainTemplatesView"})
        if (TCatalogTreeView* tree = CatalogTree(*window_, name))
            QObject::connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, frame,
                             [frame] { frame->deleteLater(); });
    // Found items may be dropped onto the web tree.
    if (TCatalogTreeView* web = CatalogTree(*window_, "tvMainWebTreeView"); web && !web->findChild<QObject*>("searchResultDrop"))
        new TSearchResultDrop(*this, *web);
    frame->show();
    return true;
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
