#include "shell/MainWindowCommands.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/Translation.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "gui/UndoRedoAction.h"
#include "gui/FindReplace.h"
#include "gui/HelpRequests.h"
#include "shell/ActionProcessor.h"
#include "shell/GuiControl.h"
#include "shell/MainWindow.h"
#include "shell/OpenCatalog.h"
#include "shell/PublishingCommands.h"
#include "shell/ShellDialogs.h"
#include "shell/TolvexMenuItem.h"
#include "gui/UiText.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMetaObject>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

TMainWindowCommands::TMainWindowCommands(const TServices& services) : s_(services)
{
    Connect();
}

void TMainWindowCommands::Connect()
{
    const TMainWindowActions& a = s_.Window.Actions();
    using C = TMainWindowCommands;
    const std::pair<QAction*, void (C::*)()> commands[] = {
        {a.NewCatalog, &C::NewCatalog},
        {a.OpenCatalogList, &C::OpenCatalogList},
        {a.CloseCatalog, &C::CloseCatalog},
        {a.ChangeCatalogCode, &C::ChangeCatalogCode},
        {a.Backup, &C::BackupCatalog},
        {a.Restore, &C::RestoreCatalog},
        {a.Compress, &C::CompressCatalog},
        {a.DeleteCatalog, &C::DeleteCatalog},
        {a.ProgramSettings, &C::ProgramSettings},
        {a.ExportXhtmlTemplates, &C::ExportXhtmlTemplates},
        {a.ExportCatalogTemplateToStyles, &C::ExportCatalogTemplateToStyles},
        {a.Exit, &C::Exit},
        {a.Cut, &C::Cut},
        {a.Copy, &C::Copy},
        {a.Paste, &C::Paste},
        {a.SelectAll, &C::SelectAll},
        {a.Find, &C::Find},
        {a.FindNext, &C::FindNext},
        {a.Replace, &C::Replace},
        {a.ApplyNewStyle, &C::ApplyNewStyle},
        {a.Save, &C::Save},
        {a.EditorCancel, &C::CancelEditing},
        {a.EditorHelp, &C::EditorHelp},
        {a.ViewWebTree, &C::ToggleWebTree},
        {a.ViewTemplates, &C::ToggleTemplates},
        {a.ViewToolbar, &C::ToggleToolbar},
        {a.ViewStatusBar, &C::ToggleStatusBar},
        {a.ViewAutoHide, &C::ToggleAutoHide},
        {a.WebTreeAutoHide, &C::ToggleAutoHide},
        {a.HideWebTree, &C::HideWebTree},
        {a.HideTemplates, &C::HideTemplates},
        {a.ShowWebTree, &C::ShowWebTree},
        {a.HelpContents, &C::ShowHelpContents},
        {a.OnlineSupport, &C::OnlineSupport},
        {a.SoftwareUpdate, &C::SoftwareUpdate},
        {a.About, &C::About},
    };
    for (const auto& [action, method] : commands)
        connect(action, &QAction::triggered, this, method);
    for (size_t i = 0; i < a.LastUsed.size(); ++i)
        connect(a.LastUsed[i], &QAction::triggered, this, [this, i] { OpenRecentCatalog(static_cast<int>(i)); });
    connect(a.ExportImages, &QAction::triggered, this, [this] { s_.Publishing.ExportImages(); });
    connect(a.ExportTemplates, &QAction::triggered, this, [this] { s_.Publishing.ExportTemplates(); });
    connect(a.ImportTemplateFromHtml, &QAction::triggered, this, [this] { s_.Publishing.ImportTemplateFromHtml(); });
    connect(a.ImportTemplateFromXhtml, &QAction::triggered, this, [this] { s_.Publishing.ImportTemplateFromXhtml(); });
    connect(a.ImportWebSite, &QAction::triggered, this, [this] { s_.Publishing.ImportWebSite(); });
    connect(a.ImportImages, &QAction::triggered, this, [this] { s_.Publishing.ImportImages(); });
    // The in-house tables (hidden in this edition).
    for (auto [action, what] : {std::pair{a.ImportCatalogsTables, "The catalogs tables import"},
                                {a.ImportStylesTables, "The styles tables import"},
                                {a.ExportCatalogsTables, "The catalogs tables export"},
                                {a.ExportStylesTables, "The styles tables export"}})
        connect(action, &QAction::triggered, this, [this, what] { s_.Dialogs.NotAvailable(what); });
    connect(s_.Window.Menu(TMainMenu::OpenCatalog), &QMenu::aboutToShow, this, &C::FillCatalogsMenu);
    // Ctrl+F anywhere in the window opens the find dialog, whatever the Find command's state.
    connect(&s_.Window, &TfrmMain::findRequested, this, &C::Find);
}

// ---- File ------------------------------------------------------------------------------------------

void TMainWindowCommands::NewCatalog()
{
    s_.Open.Root().Catalog().NewCatalog();
}

void TMainWindowCommands::FillCatalogsMenu()
{
    QMenu* menu = s_.Window.Menu(TMainMenu::OpenCatalog);
    for (QAction* entry : menu->actions())
        if (dynamic_cast<TTolvexMenuItem*>(entry) || (entry->isSeparator() && entry->objectName() == "catalogsEnd"))
            delete entry;
    QAction* first = menu->actions().value(0);
    TCatalog& catalog = s_.Open.Root().Catalog();
    const std::vector<TCatalog::TMenuEntry> entries = catalog.FillCatalogsMenu();
    for (const TCatalog::TMenuEntry& entry : entries) {
        auto* item = new TTolvexMenuItem(UiText::Q(entry.Caption), menu);
        item->Command.ActionString = entry.File;
        item->setToolTip(UiText::Q(entry.File));
        // Opening goes on after the menu has closed.
        connect(item, &QAction::triggered, this, [this, entry] {
            QTimer::singleShot(0, this, [this, entry] { s_.Open.Root().Catalog().CatalogMenuItemClick(entry); });
        });
        menu->insertAction(first, item);
    }
    if (!entries.empty()) {
        QAction* end = menu->insertSeparator(first);
        end->setObjectName("catalogsEnd");
    }
}

void TMainWindowCommands::OpenCatalogList()
{
    s_.Open.Root().Catalog().OpenWithLogin("", false);
}

void TMainWindowCommands::CloseCatalog()
{
    s_.Open.Root().CloseCatalog();
}

void TMainWindowCommands::OpenRecentCatalog(int index)
{
    s_.Open.Root().Catalog().OpenRecentCatalog(index);
}

void TMainWindowCommands::ChangeCatalogCode()
{
    if (s_.Open.IsOpen())
        s_.Open.Root().Catalog().GetDefinition().ChangeCatalogCode(s_.Open.Code());
}

// Backup, Restore and Compress work on the catalog's file: the item being
// edited is saved or dropped first (the user is asked), or nothing happens.
void TMainWindowCommands::BackupCatalog()
{
    if (s_.Open.IsOpen() && s_.Open.CanLeave())
        s_.Open.Root().BackupCatalog();
}

void TMainWindowCommands::RestoreCatalog()
{
    if (s_.Open.IsOpen() && s_.Open.CanLeave())
        s_.Open.Root().RestoreCatalog();
}

void TMainWindowCommands::CompressCatalog()
{
    if (s_.Open.IsOpen() && s_.Open.CanLeave() && s_.Gui.AskQuestion("Compact the database?") == mrYes)
        s_.Open.Root().CompactCatalog();
}

void TMainWindowCommands::DeleteCatalog()
{
    if (!s_.Open.IsOpen())
        return;
    TTolvex& root = s_.Open.Root();
    const std::string code = s_.Open.Code();
    const TTranslation& texts = TTranslation::OrEnglish(::Translation);
    if (s_.Gui.AskQuestion(texts.Format("Do you really want to delete \"$1\" catalog?", {code}), "", false, "",
                           mbYesNo | mbDefaultButton2) != mrYes)
        return;
    if (root.CloseCatalog() && root.DeleteCatalog(code))
        s_.Gui.ShowInformation(texts.Format("Catalog \"$1\" successfully deleted.", {code}), false, "");
}

void TMainWindowCommands::ProgramSettings()
{
    s_.Processor.ExecuteAction("Action=ProgramSettings", true);
}

void TMainWindowCommands::ExportXhtmlTemplates()
{
    s_.Publishing.ExportXhtmlTemplates();
}

void TMainWindowCommands::ExportCatalogTemplateToStyles()
{
    // The template is picked in the "Select Template" dialog.
    s_.Publishing.ExchangeTemplateWithStyles(0, false);
}

void TMainWindowCommands::Exit()
{
    s_.Window.close();
}

// ---- Edit ------------------------------------------------------------------------------------------

void TMainWindowCommands::EditFocused(const char* slot, int webAction)
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused)
        return;
    // A web page's input widget is a child of its view: the page edits.
    for (QWidget* w = focused; w && !w->isWindow(); w = w->parentWidget())
        if (auto* view = qobject_cast<QWebEngineView*>(w)) {
            view->page()->triggerAction(static_cast<QWebEnginePage::WebAction>(webAction));
            return;
        }
    // An editable combo box or a spin box keeps the focus and edits in its line edit.
    const QByteArray signature = QByteArray(slot) + "()";
    for (QWidget* target : {focused, EditOf(focused)})
        if (target && target->metaObject()->indexOfMethod(signature.constData()) >= 0) {
            QMetaObject::invokeMethod(target, slot);
            return;
        }
    // A control without the command (a tree) is left alone.
}

void TMainWindowCommands::Cut()
{
    EditFocused("cut", QWebEnginePage::Cut);
}

void TMainWindowCommands::Copy()
{
    EditFocused("copy", QWebEnginePage::Copy);
}

void TMainWindowCommands::Paste()
{
    EditFocused("paste", QWebEnginePage::Paste);
}

void TMainWindowCommands::SelectAll()
{
    EditFocused("selectAll", QWebEnginePage::SelectAll);
}

void TMainWindowCommands::Find()
{
    s_.Find.ShowFindDialog(QApplication::focusWidget());
}

void TMainWindowCommands::FindNext()
{
    s_.Find.FindNext();
}

void TMainWindowCommands::Replace()
{
    s_.Find.ShowReplaceDialog(QApplication::focusWidget());
}

void TMainWindowCommands::ApplyNewStyle()
{
    s_.Processor.ExecuteAction("Action=ApplyNewStyle", true);
}

void TMainWindowCommands::Save()
{
    TTolvexItemEditor* editor = s_.Open.MainEditor();
    if (editor && editor->Context()) {
        if (editor->Context()->IsModified())
            editor->Save();
    } else if (s_.Open.IsOpen() && !s_.Open.WindowUI()) {
        s_.Dialogs.NotAvailable("The item editor");
    }
}

void TMainWindowCommands::CancelEditing()
{
    TTolvexItemEditor* editor = s_.Open.MainEditor();
    if (editor && editor->Context())
        editor->Cancel(true);
    else if (s_.Open.IsOpen() && !s_.Open.WindowUI())
        s_.Dialogs.NotAvailable("The item editor");
}

void TMainWindowCommands::EditorHelp()
{
    s_.Control.ShowContextHelp(s_.Help);
}

// ---- View and the caption bars ----------------------------------------------------------------------

void TMainWindowCommands::ToggleWebTree()
{
    s_.Control.SetWebTreeVisible(!s_.Control.IsWebTreeVisible());
}

void TMainWindowCommands::ToggleTemplates()
{
    s_.Control.SetTemplatesVisible(!s_.Control.IsTemplatesVisible());
}

void TMainWindowCommands::ToggleToolbar()
{
    s_.Control.SetToolbarVisible(!s_.Control.IsToolbarVisible());
}

void TMainWindowCommands::ToggleStatusBar()
{
    s_.Control.SetStatusBarVisible(!s_.Control.IsStatusBarVisible());
}

void TMainWindowCommands::ToggleAutoHide()
{
    s_.Control.SetAutoHide(!s_.Control.IsAutoHide());
}

void TMainWindowCommands::HideWebTree()
{
    s_.Control.SetWebTreeVisible(false);
}

void TMainWindowCommands::HideTemplates()
{
    s_.Control.SetTemplatesVisible(false);
}

void TMainWindowCommands::ShowWebTree()
{
    s_.Control.SetWebTreeVisible(true);
}

// ---- Help ------------------------------------------------------------------------------------------

void TMainWindowCommands::ShowHelpContents()
{
    s_.Help.ShowHelpForAlias("MainHelp");
}

void TMainWindowCommands::OnlineSupport()
{
    TCommonFunctions::ShellOpen(s_.Open.Root().Settings().IniSettings().GetString(siURLOnlineSupport));
}

void TMainWindowCommands::SoftwareUpdate()
{
    if (!s_.Open.IsOpen() || s_.Open.CanLeave())
        s_.Open.Root().StartSoftwareUpdate(nullptr);
}

void TMainWindowCommands::About()
{
    s_.Dialogs.ShowAboutBox();
}
