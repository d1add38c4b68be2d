// The GUI controller: the window for an open or a closed catalog, the
// built-in menus' enabling, File / Styles, File / Last Used, the find
// commands and context help.
#include "shell/GuiControl.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/PluginLoader.h"
#include "catalog/PluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "catalog/TolvexHelpSystem.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "shell/MainWindow.h"
#include "shell/TolvexMenuItem.h"
#include "shell/UiText.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/GlobalDefinition.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTreeView>
#include <QTreeWidget>

#include <filesystem>

using UiText::Q;
using UiText::S;
using UiText::Tr;

int TGUIControl::UserRole() const
{
    TCatalogData* data = root_.GetCatalogData();
    return data ? data->GetUserRole() : 5;
}

void TGUIControl::UpdateCatalogState(bool open)
{
    catalogOpen_ = open;
    FillLanguageCombo();
    auto* stack = static_cast<QStackedWidget*>(window_.centralWidget());
    stack->setCurrentWidget(open ? static_cast<QWidget*>(window_.pnlMain) : window_.pnlMainWelcome);
    window_.cbtbMainSelectLanguage->setEnabled(open);
    RebuildActionToolbar();
    SetWebTreeVisible(webTreeVisible_);
    SetTemplatesVisible(templatesVisible_);
    SetToolbarVisible(toolbarVisible_);
    SetStatusBarVisible(statusBarVisible_);
    SetAutoHide(autoHide_);
    if (open)
        ApplyAutoHide(autoHide_);
    else
        ApplyAutoHide(false);
    // The visible tree of each pane: the placeholder, or the open catalog's view.
    auto hasCurrent = [](QWidget* pane) {
        for (QTreeView* tree : pane->findChildren<QTreeView*>())
            if (!tree->isHidden() && tree->currentIndex().isValid())
                return true;
        return false;
    };
    if (!hasCurrent(window_.pnlMainLeftWebTree))
        EnableWebTreeButtons(false);
    if (!hasCurrent(window_.pnlMainLeftTemplates))
        EnableTemplateTreeButtons(false);
    UpdateMainMenu(open);
    UpdateRecentCatalogs();
}

namespace {

// A parameter of the open catalog's database module; empty without one.
std::string ModuleParam(TTolvex& root, const std::string& name)
{
    TTolvexCatalog* open = root.Catalog().GetOpenCatalog();
    if (!open || !open->HasConnectionFactory() || !::DBManager)
        return {};
    TPluginLoader* module = ::DBManager->GetPluginsManager().FindPlugin(open->GetConnectionFactory().GetName());
    return module ? module->GetParam(name) : std::string();
}

}  // namespace

void TGUIControl::UpdateMainMenu(bool open)
{
    const int role = UserRole();
    const bool a = open && role < 2;
    const bool p = open && role < 3;
    const bool u = open && role < 4;
    const bool reallyOpen = root_.Catalog().IsOpen();
    FillStylesMenu();
    // The in-house tables are not part of this edition's menus.
    for (const char* name : {"miFileImportCatalogsTables", "miFileImportStylesTables", "miFileExportCatalogsTables",
                             "miFileExportStylesTables"})
        window_.Action(name)->setVisible(false);
    window_.Action("miEditApplyNewStyle")->setEnabled(a);
    window_.miFileImport->setEnabled(u);
    window_.miFileExport->setEnabled(u);
    window_.Action("miFileChangeCatalogCode")->setEnabled(a);
    window_.miMainCatalog->setEnabled(open);
    for (const char* name : {"miViewWebTree", "miViewTemplates", "miFileCloseCatalog"})
        window_.Action(name)->setEnabled(open);
    window_.miFileDatabaseUtilities->setEnabled(a);
    window_.Action("miFileBackup")->setEnabled(a);
    window_.Action("miFileRestore")->setEnabled(a);
    bool canDelete = a;
    bool canCompress = a;
    if (reallyOpen) {
        canDelete = open && role == 0 && ModuleParam(root_, "DeleteDatabase") == "yes";
        canCompress = open && role == 0 && ModuleParam(root_, "CompressDatabase") == "yes";
    }
    window_.Action("miFileDeleteCatalog")->setEnabled(canDelete);
    window_.Action("miFileCompress")->setVisible(canCompress);
    window_.Action("miFileCompress")->setEnabled(canCompress);
    window_.miMainPublish->setEnabled(reallyOpen ? p : !window_.miMainPublish->isEmpty());
    window_.miMainReport->menuAction()->setVisible(open);
    if (open && reallyOpen)
        UpdateReportMenu();
}

void TGUIControl::UpdateReportMenu()
{
    // Reports are items of the catalog's report structure; the report
    // publishing that fills this menu comes with the publishing windows.
    QMenu* menu = window_.miMainReport;
    const bool any = !menu->isEmpty();
    menu->menuAction()->setVisible(any);
}

void TGUIControl::FillStylesMenu()
{
    QMenu* menu = window_.miFileStyles;
    for (QAction* entry : menu->actions()) {
        menu->removeAction(entry);
        delete entry;
    }
    std::vector<std::string> types;
    root_.GlobalDefinition().FillCatalogTypes(types, true);
    for (const std::string& line : types) {
        const size_t split = line.find("===");
        if (split == std::string::npos)
            continue;
        auto* item = new TTolvexMenuItem(Q(line.substr(0, split)), menu);
        item->Command.ActionString = line.substr(split + 3);
        connect(item, &QAction::triggered, this, [this, item] { StyleMenuItemClick(item->Command.ActionString); });
        menu->addAction(item);
    }
    menu->setEnabled(!menu->isEmpty());
}

void TGUIControl::StyleMenuItemClick(const std::string& catalogType)
{
    if (root_.Catalog().IsOpen() && !root_.CloseCatalog())
        return;
    int type = 0;
    try {
        size_t used = 0;
        type = std::stoi(catalogType, &used);
        if (used != catalogType.size())
            return;
    } catch (const std::exception&) {
        return;
    }
    const TIniSettings& ini = root_.Settings().IniSettings();
    const std::string folder = (std::filesystem::path(root_.Settings().AppDir()) / "databases").string();
    std::string error;
    root_.OpenCatalog(folder, ini.GetString(siStylesDatabaseType), ini.GetString(siStylesDatabaseParams),
                      "t#" + std::to_string(type), "", "", kOpenSkipUserCheck, error);
    if (!error.empty())
        CommonProcedures->Gui().ShowError(error, true, "");
}

void TGUIControl::UpdateRecentCatalogs()
{
    const TIniSettings& ini = root_.Settings().IniSettings();
    bool any = false;
    for (size_t i = 0; i < window_.miFileLastUsed.size(); ++i) {
        const std::string name = ini.GetString(siLastUsed1 + static_cast<int>(i));
        window_.miFileLastUsed[i]->setVisible(!name.empty());
        window_.miFileLastUsed[i]->setText(Q(name));
        any = any || !name.empty();
    }
    window_.miFileLastUsedSeparator->setVisible(any);
}

void TGUIControl::UpdateFindMenu()
{
    QWidget* focused = QApplication::focusWidget();
    // The catalog's tree views take the placeholder trees' place in the tree panes.
    const bool tree = qobject_cast<QTreeView*>(focused) &&
                      (window_.pnlMainLeftWebTree->isAncestorOf(focused) ||
                       window_.pnlMainLeftTemplates->isAncestorOf(focused));
    const bool multiLine = qobject_cast<QTextEdit*>(focused) || qobject_cast<QPlainTextEdit*>(focused);
    const bool find = multiLine || tree || qobject_cast<QLineEdit*>(focused);
    const bool replace = find && !tree;
    window_.Action("actMainEditFind")->setEnabled(find);
    window_.Action("actMainEditReplace")->setEnabled(replace);
    window_.Action("actMainEditFindNext")->setEnabled(replace && hasFindText_ && hasFindText_());
}

void TGUIControl::ActiveControlChanged(QWidget* now)
{
    previousActiveControl_ = activeControl_;
    activeControl_ = now;
    const QString hint = now ? now->statusTip() : QString();
    if (!hint.isEmpty()) {
        hintShown_ = true;
        window_.sbarMainPanels[0]->setText(hint);
    } else if (hintShown_) {
        window_.sbarMainPanels[0]->clear();
    }
}

void TGUIControl::ShowContextHelp(TTolvexHelpSystem* help)
{
    if (!help)
        return;
    std::vector<std::string> aliases;
    QWidget* control = previousActiveControl_;
    const std::string suffix = control && !control->objectName().isEmpty() ? "." + S(control->objectName()) : "";
    if (control && control->parentWidget() && !control->parentWidget()->objectName().isEmpty())
        aliases.push_back(S(control->parentWidget()->objectName()) + suffix);
    aliases.push_back(S(window_.objectName()));
    help->ShowHelpForAliases(aliases);
}
