// The GUI controller: the window for an open or a closed catalog, the
// built-in menus' enabling, File / Styles, the Report menu, File / Last
// Used, the find commands and context help, and the tree buttons that
// follow the open catalog's trees.
#include "shell/GuiControl.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "common/CaptionValue.h"
#include "editors/framework/TolvexItemEditor.h"
#include "gui/FindReplace.h"
#include "gui/HelpRequests.h"
#include "shell/ActionProcessor.h"
#include "shell/CatalogWindowUI.h"
#include "shell/FrameSearchResult.h"
#include "shell/GuiControlRules.h"
#include "shell/TreeCommands.h"
#include "common/Translation.h"
#include "catalog/PluginLoader.h"
#include "catalog/PluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "shell/MainWindow.h"
#include "shell/TolvexMenuItem.h"
#include "gui/UiText.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/GlobalDefinition.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QMenu>
#include <QMenuBar>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QToolBar>
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
    window_.ShowCatalogPage(open);
    window_.LanguageCombo()->setEnabled(open);
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
    // The left pane has the width the user gave it last (also in an earlier run).
    if (open && !autoHide_)
        window_.SetLeftPaneWidth(root_.Settings().IniSettings().GetInteger(siLeftPanelWidth, 250));
    // The visible tree of each pane: the placeholder, or the open catalog's view.
    if (!window_.TreeHasCurrent(TMainTree::Web))
        EnableWebTreeButtons(false);
    if (!window_.TreeHasCurrent(TMainTree::Templates))
        EnableTemplateTreeButtons(false);
    if (open)
        FollowCatalogTrees();
    else
        delete window_.EditorPane()->findChild<TFrameSearchResult*>();  // results of the closed catalog
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
    const TMainWindowActions& actions = window_.Actions();
    // The in-house tables are not part of this edition's menus.
    for (QAction* item : {actions.ImportCatalogsTables, actions.ImportStylesTables, actions.ExportCatalogsTables,
                          actions.ExportStylesTables})
        item->setVisible(false);
    actions.ApplyNewStyle->setEnabled(a);
    window_.Menu(TMainMenu::Import)->setEnabled(u);
    window_.Menu(TMainMenu::Export)->setEnabled(u);
    actions.ChangeCatalogCode->setEnabled(a);
    window_.Menu(TMainMenu::Catalog)->setEnabled(open);
    for (QAction* item : {actions.ViewWebTree, actions.ViewTemplates, actions.CloseCatalog})
        item->setEnabled(open);
    window_.Menu(TMainMenu::DatabaseUtilities)->setEnabled(a);
    actions.Backup->setEnabled(a);
    actions.Restore->setEnabled(a);
    bool canDelete = a;
    bool canCompress = a;
    if (reallyOpen) {
        canDelete = open && role == 0 && ModuleParam(root_, "DeleteDatabase") == "yes";
        canCompress = open && role == 0 && ModuleParam(root_, "CompressDatabase") == "yes";
    }
    actions.DeleteCatalog->setEnabled(canDelete);
    actions.Compress->setVisible(canCompress);
    actions.Compress->setEnabled(canCompress);
    QMenu* publish = window_.Menu(TMainMenu::Publish);
    publish->setEnabled(reallyOpen ? p : !publish->isEmpty());
    window_.Menu(TMainMenu::Report)->menuAction()->setVisible(open);
    if (open && reallyOpen)
        UpdateReportMenu();
}

// ---- the Report menu --------------------------------------------------------------------------

namespace {

// Report types hang below the item the definition assigns to item type 514
// for template kind 4; their children of types 514 and 521 are the report
// types, report items (types 7001 and 7003) name their type in number
// member 1 of class 7001.
constexpr int kReportTypeItemType = 514;
constexpr int kReportGroupItemType = 521;
constexpr int kReportTemplateKind = 4;
constexpr int kReportClassId = 7001;
constexpr const char* kAllLanguages = "XXX";

void ClearMenu(QMenu* menu)
{
    for (QAction* entry : menu->actions()) {
        menu->removeAction(entry);
        if (QMenu* submenu = entry->menu(); submenu && submenu->parent() == menu)
            delete submenu;
        if (entry->parent() == menu)
            delete entry;
    }
}

// The report items of a report type in menu order: by order number, then by name.
std::vector<int> ReportItemIds(TAbstractDBConnection& connection, const std::string& catalogCode, int reportType,
                               const std::string& langCode)
{
    const std::string sql =
        "SELECT i.ItemId FROM Items AS i WHERE i.CatalogCode = :CatalogCode AND (i.ItemType = 7001 OR "
        "i.ItemType = 7003) AND EXISTS (SELECT * FROM CNumbers AS n WHERE n.CatalogCode = i.CatalogCode AND "
        "n.ItemId = i.ItemId AND n.ClassId = " + std::to_string(kReportClassId) +
        " AND n.MemberId = 1 AND n.NumberValue = " + std::to_string(reportType) +
        ") ORDER BY i.OrderNum, (SELECT MAX(s.StringValue) FROM CStrings AS s WHERE s.CatalogCode = i.CatalogCode "
        "AND s.ItemId = i.ItemId AND s.ClassId = 1 AND s.MemberId = 1 AND (s.LangCode = :LangCode OR s.LangCode = "
        ":AllLangCode)), i.ItemId";
    std::vector<int> ids;
    for (const TVariant& id : catalog_sql::Column(connection, sql, catalogCode, "ItemId",
                                                  {{"LangCode", langCode}, {"AllLangCode", std::string(kAllLanguages)}}))
        ids.push_back(catalog_sql::IntOf(id));
    return ids;
}

}  // namespace

void TGUIControl::UpdateReportMenu()
{
    QMenu* menu = window_.Menu(TMainMenu::Report);
    TCatalogData* data = root_.Catalog().IsOpen() ? root_.GetCatalogData() : nullptr;
    const int reportRoot =
        data ? root_.Catalog().GetDefinition().GetItemTypeTemplateId(kReportTypeItemType, kReportTemplateKind) : 0;
    if (reportRoot == 0) {
        ClearMenu(menu);
        menu->menuAction()->setVisible(false);
        return;
    }
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    std::vector<std::string> types;
    for (int itemType : {kReportTypeItemType, kReportGroupItemType})
        data->GetQueries().ListChildren(reportRoot, types, itemType, connection, kAllLanguages,
                                        data->GetCatalogCode());
    menu->menuAction()->setVisible(!types.empty());
    ClearMenu(menu);
    for (const std::string& line : types) {
        const size_t eq = line.find('=');
        auto* entry = new TTolvexMenuItem(Tr(eq == std::string::npos ? line : line.substr(eq + 1)), menu);
        entry->Command.ActionString = line.substr(0, eq);
        entry->setMenu(new QMenu(menu));
        menu->addAction(entry);
    }
    FillReportItems(connection);
}

void TGUIControl::FillReportItems(TAbstractDBConnection& connection)
{
    TCatalogData* data = root_.GetCatalogData();
    if (!data)
        return;
    const std::string lang = data->GetCurrentLangCode();
    for (QAction* action : window_.Menu(TMainMenu::Report)->actions()) {
        auto* type = dynamic_cast<TTolvexMenuItem*>(action);
        if (!type || !type->menu())
            continue;
        QMenu* menu = type->menu();
        ClearMenu(menu);
        const std::vector<int> ids =
            ReportItemIds(connection, data->GetCatalogCode(), std::atoi(type->Command.ActionString.c_str()), lang);
        std::vector<std::string> names;
        data->GetQueries().GetItemNames(ids, names, connection, lang);
        QMenu* deleteMenu = ids.empty() ? nullptr : new QMenu(Tr("Delete"), menu);
        for (int id : ids) {
            std::string name;
            const std::string prefix = std::to_string(id) + "=";
            for (const std::string& line : names)
                if (line.compare(0, prefix.size(), prefix) == 0)
                    name = line.substr(prefix.size());
            const QString caption = name.empty() ? Tr("(No name for the language)") : Tr(name);
            const std::string itemId = std::to_string(id);
            auto* report = new TTolvexMenuItem(caption, menu);
            report->Command.ActionString = itemId;
            connect(report, &QAction::triggered, this, [this, itemId] { ReportMenuItemClick(itemId); });
            menu->addAction(report);
            auto* remove = new TTolvexMenuItem(caption, deleteMenu);
            remove->Command.ActionString = itemId;
            const std::string text = S(caption);
            connect(remove, &QAction::triggered, this, [this, text, itemId] { DeleteReportItemClick(text, itemId); });
            deleteMenu->addAction(remove);
        }
        if (!ids.empty())
            menu->addSeparator();
        auto* newReport = new TTolvexMenuItem(Tr("New Report"), menu);
        newReport->Command.ActionString = type->Command.ActionString;
        const std::string typeId = type->Command.ActionString;
        connect(newReport, &QAction::triggered, this, [this, typeId] { ReportMenuItemClick(typeId); });
        menu->addAction(newReport);
        if (deleteMenu)
            menu->addMenu(deleteMenu);
    }
}

void TGUIControl::ReportMenuItemClick(const std::string& itemId)
{
    processor_.ExecuteAction("Action=PublishReport&ItemId=" + itemId, true);
}

void TGUIControl::DeleteReportItemClick(const std::string& caption, const std::string& itemId)
{
    TCommonGui& gui = CommonProcedures->Gui();
    const std::string question =
        TTranslation::OrEnglish(::Translation).Format("Do you really want to delete \"$1\" report", {caption});
    if (gui.AskQuestion(question, "", false) != mrYes)
        return;
    if (TCatalogData* data = root_.Catalog().IsOpen() ? root_.GetCatalogData() : nullptr)
        // A report that cannot be deleted stays listed; the menu is built again either way.
        data->DeleteItem(std::atoi(itemId.c_str()), data->GetConnectionFactory().GetConnection(), true, true,
                         TDeleteChildren::Refuse);
    processor_.QueueAction("Action=UpdateReportMenu", true);
}

// ---- the buttons of the open catalog's trees ----------------------------------------------------

namespace {

// The keys of a catalog tree. They come before the window's shortcuts: a
// catalog definition may give a menu item the same key.
class TTreeKeys : public QObject {
public:
    TTreeKeys(TCatalogTreeView& view, std::function<void()> deleteNode, bool infoKey)
        : QObject(&view), view_(view), delete_(std::move(deleteNode)), infoKey_(infoKey)
    {
        setObjectName("treeKeys");
        view.installEventFilter(this);
    }

private:
    enum class TKey { None, Delete, Info };
    TKey KeyOf(const QKeyEvent& key) const
    {
        const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
        if (key.key() == Qt::Key_Delete && mods == Qt::NoModifier)
            return TKey::Delete;
        if (infoKey_ && key.key() == Qt::Key_I && mods == (Qt::ControlModifier | Qt::AltModifier))
            return TKey::Info;
        return TKey::None;
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        const TKey key = KeyOf(*static_cast<QKeyEvent*>(event));
        if (key == TKey::None)
            return false;
        event->accept();
        if (event->type() == QEvent::ShortcutOverride)
            return true;  // the key press follows and comes here
        if (key == TKey::Delete) {
            delete_();
        } else {
            const std::string info = TTreeCommands::NodeInfo(view_.Manager().GetSelectedNode());
            if (!info.empty())
                CommonProcedures->Gui().ShowInformation(info, false);
        }
        return true;
    }

    TCatalogTreeView& view_;
    std::function<void()> delete_;
    bool infoKey_;
};

}  // namespace

GuiControlRules::TTreeNodeFacts TGUIControl::NodeFacts(TTreeNode* node)
{
    GuiControlRules::TTreeNodeFacts facts;
    facts.Node = node->Data.get();
    TTreeNode* parent = node->Parent;
    facts.HasParent = parent && parent->Parent;  // top-level nodes hang below the invisible root
    facts.Parent = facts.HasParent ? parent->Data.get() : nullptr;
    facts.HasChildren = !node->Children.empty();
    TTreeNode* previous = node->PreviousSibling();
    facts.IsFirst = previous == nullptr;
    facts.IsLast = node->NextSibling() == nullptr;
    facts.Previous = previous ? previous->Data.get() : nullptr;
    return facts;
}

void TGUIControl::UpdateWebTreeButtons(TTreeNode* node)
{
    EnableWebTreeButtons(node != nullptr);
    if (!node || !node->IsItem())
        return;
    ShowWebTreeButtons(GuiControlRules::WebTreeButtons(NodeFacts(node)), *node->Data);
}

void TGUIControl::UpdateTemplateTreeButtons(TTreeNode* node)
{
    QAction* remove = window_.Actions().TemplatesDelete;
    if (!node || !node->IsItem()) {
        HideCustomButtons(TMainTree::Templates);
        remove->setEnabled(false);
        return;
    }
    remove->setEnabled(!(node->Data->Flags & ifNotDeletable) && node->Children.empty());
    FillCustomButtons(TMainTree::Templates, *node->Data, false);
}

void TGUIControl::FollowCatalogTrees()
{
    TCatalogWindowUI* ui = TCatalogWindowUI::Of(root_);
    TCatalogTreeView* web = ui ? ui->WebTreeView() : nullptr;
    TCatalogTreeView* templates = ui ? ui->TemplatesTreeView() : nullptr;
    // Once per view: a view lives as long as its catalog is open.
    auto first = [](QWidget* view) {
        if (!view || view->property("tolvexButtonsFollow").toBool())
            return false;
        view->setProperty("tolvexButtonsFollow", true);
        return true;
    };
    if (first(web)) {
        connect(web->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, web] { UpdateWebTreeButtons(web->Manager().GetSelectedNode()); });
        web->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(web, &QWidget::customContextMenuRequested, this, [this, web](const QPoint& at) {
            emit treeMenuRequested(TMainTree::Web, web->viewport()->mapToGlobal(at));
        });
    }
    if (first(templates)) {
        connect(templates->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, templates] { UpdateTemplateTreeButtons(templates->Manager().GetSelectedNode()); });
        templates->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(templates, &QWidget::customContextMenuRequested, this, [this, templates](const QPoint& at) {
            emit treeMenuRequested(TMainTree::Templates, templates->viewport()->mapToGlobal(at));
        });
    }
    // Delete in a tree clicks its Delete button while that is enabled; Ctrl+Alt+I
    // in the web tree tells the selected node's ids.
    const TMainWindowActions& actions = window_.Actions();
    for (auto [view, button] : {std::pair{web, actions.WebTreeDelete}, {templates, actions.TemplatesDelete}})
        if (view && !view->findChild<QObject*>("treeKeys"))
            new TTreeKeys(*view, [button] {
                if (button->isEnabled())
                    button->trigger();
            }, view == web);
    if (web)
        UpdateWebTreeButtons(web->Manager().GetSelectedNode());
    if (templates)
        UpdateTemplateTreeButtons(templates->Manager().GetSelectedNode());
}

void TGUIControl::FillStylesMenu()
{
    QMenu* menu = window_.Menu(TMainMenu::Styles);
    for (QAction* entry : menu->actions()) {
        menu->removeAction(entry);
        delete entry;
    }
    std::vector<std::string> types;
    root_.GlobalDefinition().FillCatalogTypes(types, true);
    for (const std::string& line : types) {
        if (!CaptionValue::HasValue(line))
            continue;
        auto* item = new TTolvexMenuItem(Q(CaptionValue::CaptionOf(line)), menu);
        item->Command.ActionString = CaptionValue::ValueOf(line);
        // The type travels by value: closing the open catalog rebuilds this menu and deletes the entry.
        connect(item, &QAction::triggered, this,
                [this, type = item->Command.ActionString] { StyleMenuItemClick(type); });
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
    try {
        root_.OpenCatalog(folder, ini.GetString(siStylesDatabaseType), ini.GetString(siStylesDatabaseParams),
                          "t#" + std::to_string(type), "", "", kOpenSkipUserCheck, error);
    } catch (const std::exception& e) {
        // A damaged definition database: the opening left no catalog open.
        error = e.what();
    }
    if (!error.empty())
        CommonProcedures->Gui().ShowError(error, true, "");
}

void TGUIControl::UpdateRecentCatalogs()
{
    const TIniSettings& ini = root_.Settings().IniSettings();
    const TMainWindowActions& actions = window_.Actions();
    bool any = false;
    for (size_t i = 0; i < actions.LastUsed.size(); ++i) {
        const std::string name = ini.GetString(siLastUsed1 + static_cast<int>(i));
        actions.LastUsed[i]->setVisible(!name.empty());
        actions.LastUsed[i]->setText(Q(name));
        any = any || !name.empty();
    }
    actions.LastUsedSeparator->setVisible(any);
}

void TGUIControl::UpdateFindMenu()
{
    QWidget* focused = QApplication::focusWidget();
    // The catalog's tree views take the placeholder trees' place in the tree panes.
    const bool tree = qobject_cast<QTreeView*>(focused) && window_.IsInTreePanels(focused);
    const bool multiLine = qobject_cast<QTextEdit*>(focused) || qobject_cast<QPlainTextEdit*>(focused);
    const bool find = multiLine || tree || qobject_cast<QLineEdit*>(focused);
    const bool replace = find && !tree;
    const TMainWindowActions& actions = window_.Actions();
    actions.Find->setEnabled(find);
    actions.Replace->setEnabled(replace);
    actions.FindNext->setEnabled(replace && find_.HasFindText());
}

void TGUIControl::ActiveControlChanged(QWidget* now)
{
    previousActiveControl_ = activeControl_;
    activeControl_ = now;
    const QString hint = now ? now->statusTip() : QString();
    if (!hint.isEmpty()) {
        hintShown_ = true;
        window_.StatusPanel(0)->setText(hint);
    } else if (hintShown_) {
        window_.StatusPanel(0)->clear();
    }
}

void TGUIControl::ShowContextHelp(THelpRequests& help)
{
    // The Help button took the focus: the control meant is the one before it.
    QWidget* control = previousActiveControl_;
    QWidget* parent = control ? control->parentWidget() : nullptr;
    std::string keyword;
    if (TCatalogWindowUI* ui = catalogOpen_ ? TCatalogWindowUI::Of(root_) : nullptr)
        if (TTolvexItemEditor* editor = ui->MainEditor(); editor && editor->Context())
            keyword = editor->GetHelpKeyword(0);
    std::vector<std::string> aliases = GuiControlRules::ContextHelpAliases(
        control ? S(control->objectName()) : std::string(), parent ? S(parent->objectName()) : std::string(),
        control != nullptr, keyword);
    // The main window's own topic when nothing more special has one.
    aliases.push_back(S(window_.objectName()));
    help.ShowHelpForAliases(aliases);
}
