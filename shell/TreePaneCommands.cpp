#include "shell/TreePaneCommands.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "common/CommonGui.h"
#include "common/Translation.h"
#include "editors/framework/TolvexItemEditor.h"
#include "generation/Templates.h"
#include "gui/HelpRequests.h"
#include "gui/UiText.h"
#include "shell/CatalogWindowUI.h"
#include "shell/GuiControl.h"
#include "shell/GuiControlRules.h"
#include "shell/MainWindow.h"
#include "shell/OpenCatalog.h"
#include "shell/QtCommonGui.h"
#include "shell/ShellDialogs.h"
#include "shell/TreeCommands.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/GlobalDefinition.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <tuple>

using UiText::Tr;

TTreePaneCommands::TTreePaneCommands(TOpenCatalog& open, TCommonGui& gui, TQtCommonGui* qtGui, TfrmMain& window,
                                     TGUIControl& control, THelpRequests& help, TShellDialogs& dialogs)
    : open_(open), gui_(gui), qtGui_(qtGui), window_(window), control_(control), help_(help), dialogs_(dialogs)
{
    Connect();
}

void TTreePaneCommands::Connect()
{
    const TMainWindowActions& a = window_.Actions();
    connect(a.WebTreeDelete, &QAction::triggered, this, &TTreePaneCommands::DeletePage);
    connect(a.WebTreeSort, &QAction::triggered, this, &TTreePaneCommands::ToggleSort);
    connect(a.WebTreeMoveUp, &QAction::triggered, this, &TTreePaneCommands::MoveUp);
    connect(a.WebTreeMoveDown, &QAction::triggered, this, &TTreePaneCommands::MoveDown);
    connect(a.WebTreeHelp, &QAction::triggered, this, [this] { help_.ShowHelpForAlias("WebTree"); });
    connect(a.TemplatesDelete, &QAction::triggered, this, &TTreePaneCommands::DeleteTemplate);
    connect(a.TemplatesHelp, &QAction::triggered, this, [this] { help_.ShowHelpForAlias("TemplateTree"); });
    connect(a.TemplatesCopyToNew, &QAction::triggered, this, &TTreePaneCommands::CopyToNewTemplate);
    connect(a.TemplatesExportToStyles, &QAction::triggered, this, &TTreePaneCommands::ExportTemplateToStyles);
    connect(a.TemplatesRestoreFromStyles, &QAction::triggered, this, &TTreePaneCommands::RestoreTemplateFromStyles);
    connect(a.TemplatesCompareWithStyles, &QAction::triggered, this, &TTreePaneCommands::CompareTemplateWithStyles);
    connect(&control_, &TGUIControl::treeMenuRequested, this, &TTreePaneCommands::ShowTreeMenu);
}

TCatalogTreeView* TTreePaneCommands::WebTreeView() const
{
    TCatalogWindowUI* ui = open_.WindowUI();
    return ui ? ui->WebTreeView() : nullptr;
}

TCatalogTreeView* TTreePaneCommands::TemplatesTreeView() const
{
    TCatalogWindowUI* ui = open_.WindowUI();
    return ui ? ui->TemplatesTreeView() : nullptr;
}

std::unique_ptr<TTreeCommands> TTreePaneCommands::MakeTreeCommands()
{
    TCatalogData* data = open_.Data();
    TCatalogTreeView* web = WebTreeView();
    TCatalogTreeView* templates = TemplatesTreeView();
    if (!data || (!web && !templates))
        return nullptr;
    TTreeCommands::TServices services;
    services.WebTree = web ? &web->Manager() : nullptr;
    services.TemplatesTree = templates ? &templates->Manager() : nullptr;
    services.Data = data;
    services.Gui = &gui_;
    services.Translation = ::Translation;
    services.CanLeave = [this] { return open_.CanLeave(); };
    services.CancelEditor = [this](bool cancelEditors) {
        if (TTolvexItemEditor* editor = open_.MainEditor())
            editor->Cancel(cancelEditors);
    };
    TTolvex* root = &open_.Root();
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

void TTreePaneCommands::UpdateTemplateTreeButtons()
{
    if (TCatalogTreeView* templates = TemplatesTreeView())
        control_.UpdateTemplateTreeButtons(templates->Manager().GetSelectedNode());
}

void TTreePaneCommands::OnWebTree(const std::function<void(TTreeCommands&)>& command)
{
    const std::unique_ptr<TTreeCommands> trees = MakeTreeCommands();
    if (!trees)
        return;
    command(*trees);
    if (TCatalogTreeView* web = WebTreeView())
        control_.UpdateWebTreeButtons(web->Manager().GetSelectedNode());
}

void TTreePaneCommands::OnTemplates(const std::function<void(TTreeCommands&)>& command)
{
    const std::unique_ptr<TTreeCommands> trees = MakeTreeCommands();
    if (!trees)
        return;
    command(*trees);
    UpdateTemplateTreeButtons();
}

// ---- the web tree ------------------------------------------------------------------------------------

void TTreePaneCommands::DeletePage()
{
    OnWebTree([](TTreeCommands& trees) { trees.DeletePage(); });
}

void TTreePaneCommands::ToggleSort()
{
    OnWebTree([](TTreeCommands& trees) { trees.ToggleSort(); });
}

void TTreePaneCommands::MoveUp()
{
    OnWebTree([](TTreeCommands& trees) { trees.MoveUp(); });
}

void TTreePaneCommands::MoveDown()
{
    OnWebTree([](TTreeCommands& trees) { trees.MoveDown(); });
}

// ---- the templates tree ----------------------------------------------------------------------------

void TTreePaneCommands::DeleteTemplate()
{
    OnTemplates([](TTreeCommands& trees) { trees.DeleteTemplate(); });
}

void TTreePaneCommands::CopyToNewTemplate()
{
    OnTemplates([](TTreeCommands& trees) { trees.CopyToNewTemplate(); });
}

void TTreePaneCommands::ExchangeWithStyles(const char* question, bool import)
{
    OnTemplates([this, question, import](TTreeCommands&) {
        TCatalogTreeView* templates = TemplatesTreeView();
        TTreeNode* node = templates ? templates->Manager().GetSelectedNode() : nullptr;
        if (!node || !node->IsItem() || !open_.CanLeave() || gui_.AskQuestion(question) != mrYes)
            return;
        if (styleExchange_)
            styleExchange_(node->ItemId(), import);
    });
}

void TTreePaneCommands::ExportTemplateToStyles()
{
    ExchangeWithStyles("Overwrite the template in styles database with your local copy?", false);
}

void TTreePaneCommands::RestoreTemplateFromStyles()
{
    ExchangeWithStyles("Overwrite your local copy of template with the one from styles database?", true);
}

void TTreePaneCommands::CompareTemplateWithStyles()
{
    OnTemplates([this](TTreeCommands&) {
        TCatalogTreeView* templates = TemplatesTreeView();
        TTreeNode* node = templates ? templates->Manager().GetSelectedNode() : nullptr;
        TCatalogData* data = open_.Root().GetCatalogData();
        if (!node || !node->IsItem() || !data)
            return;
        std::string message;
        data->GetPageGeneration().GetTemplates().CompareWithStyles(node->ItemId(), data->GetCatalogCode(), message,
                                                                   data->GetConnectionFactory().GetConnection());
        gui_.ShowInformation(message, false, "");
    });
}

// ---- the pop-up menus ---------------------------------------------------------------------------------

void TTreePaneCommands::ShowTreeMenu(TMainTree tree, const QPoint& at)
{
    if (tree == TMainTree::Web)
        ShowWebTreeMenu(at);
    else
        ShowTemplatesMenu(at);
}

void TTreePaneCommands::ShowWebTreeMenu(const QPoint& at)
{
    TCatalogTreeView* web = WebTreeView();
    TTreeNode* node = web ? web->Manager().GetSelectedNode() : nullptr;
    if (!node || !node->IsItem())
        return;
    // The entries have rules of their own: an entry may be enabled while its button is not.
    const GuiControlRules::TWebTreePopup popup = GuiControlRules::WebTreePopup(TGUIControl::NodeFacts(node));
    QMenu menu(&window_);
    menu.setObjectName("pmMainTree");
    // The catalog definition's entries for the node's type come first.
    control_.AddTreePopupItems(menu, node->Data->ItemType, nullptr);
    if (!menu.isEmpty())
        menu.addSeparator();
    const std::tuple<const char*, bool, void (TTreePaneCommands::*)()> entries[] = {
        {"Delete Page", popup.DeletePage, &TTreePaneCommands::DeletePage},
        {"Move Page Up", popup.MovePageUp, &TTreePaneCommands::MoveUp},
        {"Move Page Down", popup.MovePageDown, &TTreePaneCommands::MoveDown},
        {"Sort", popup.Sort, &TTreePaneCommands::ToggleSort}};
    for (const auto& [caption, enabled, command] : entries)
        menu.addAction(Tr(caption), this, command)->setEnabled(enabled);
    menu.exec(at);
}

void TTreePaneCommands::ShowTemplatesMenu(const QPoint& at)
{
    TCatalogTreeView* templates = TemplatesTreeView();
    TTreeNode* node = templates ? templates->Manager().GetSelectedNode() : nullptr;
    const bool item = node && node->IsItem();
    const TMainWindowActions& a = window_.Actions();
    QMenu menu(&window_);
    menu.setObjectName("pmMainTemplateTree");
    // The catalog definition's entries for the node's type come first.
    if (item) {
        control_.AddTreePopupItems(menu, node->Data->ItemType, nullptr);
        if (!menu.isEmpty())
            menu.addSeparator();
    }
    // Each entry runs its command; "Delete Template" is the Delete button.
    const auto add = [&menu](QAction* command, const char* caption, bool enabled) {
        menu.addAction(Tr(caption), command, &QAction::trigger)->setEnabled(enabled);
    };
    add(a.TemplatesCopyToNew, "Copy to New Template", item);
    add(a.TemplatesExportToStyles, "Export Template To Styles Database", item);
    add(a.TemplatesRestoreFromStyles, "Restore Template From Styles Database", item);
    add(a.TemplatesCompareWithStyles, "Compare with Template From Styles Database", item);
    menu.addSeparator();
    add(a.TemplatesDelete, "Delete Template", a.TemplatesDelete->isEnabled());
    menu.exec(at);
}
