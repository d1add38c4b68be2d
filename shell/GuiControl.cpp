#include "shell/GuiControl.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/CaptionValue.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/ParamList.h"
#include "gui/FindReplace.h"
#include "shell/ActionProcessor.h"
#include "shell/GuiControlRules.h"
#include "shell/MainWindow.h"
#include "shell/TolvexMenuItem.h"
#include "shell/TolvexToolbarItem.h"
#include "shell/TreeNodeData.h"
#include "gui/UiText.h"

#include <QApplication>
#include <QBitmap>
#include <QComboBox>
#include <QLabel>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

using UiText::Q;
using UiText::S;
using UiText::Tr;

TGUIControl::TGUIControl(TTolvex& root, TfrmMain& window, TActionProcessor& processor, const TFindReplace& find)
    : root_(root), window_(window), processor_(processor), find_(find)
{
    const TIniSettings& ini = root_.Settings().IniSettings();
    webTreeVisible_ = ini.GetBool(siWebTree, true);
    templatesVisible_ = ini.GetBool(siTemplatesTree, true);
    toolbarVisible_ = ini.GetBool(siToolbar, true);
    statusBarVisible_ = ini.GetBool(siStatusbar, true);
    autoHide_ = ini.GetBool(siAutohide, false);
}

TGUIControl::~TGUIControl()
{
    if (autoHideApplied_)
        qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
}

void TGUIControl::Initialize()
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { ActiveControlChanged(now); });
    for (QMenu* menu : {window_.Menu(TMainMenu::Catalog), window_.Menu(TMainMenu::Publish)})
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuIfPossible(menu); });
    connect(window_.Menu(TMainMenu::Edit), &QMenu::aboutToShow, this, &TGUIControl::UpdateFindMenu);
    connect(window_.Menu(TMainMenu::File), &QMenu::aboutToShow, this, &TGUIControl::UpdateRecentCatalogs);
    // Choosing a language in the combo changes the editing language.
    connect(&window_, &TfrmMain::languageChosen, this, [this](const QString& code) {
        processor_.ItemClickWithoutCheck({0, "Action=ChangeLang&LangCode=" + S(code), "", "", ""},
                                         TClickedEntryKind::MenuItem);
    });
    connect(&window_, &TfrmMain::languagePanelClicked, this, &TGUIControl::ShowLanguageMenu);
    connect(&window_, &TfrmMain::leftPaneWidthChosen, this, &TGUIControl::LeftPaneWidthChosen);
    const auto& buttons = window_.CatalogActionButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
        connect(buttons[i], &QAction::triggered, this, [this, i] {
            if (actionSlots_[i])
                processor_.ItemClick({actionSlots_[i]->ActionId, "", "", "", ""}, TClickedEntryKind::ToolbarItem);
        });
}

// ---- the definition's elements --------------------------------------------------------------

std::vector<const TCatalogUIDetail*> TGUIControl::Elements(int kind, int itemType) const
{
    std::vector<const TCatalogUIDetail*> found;
    const TCatalogDefinition& definition = root_.Catalog().GetDefinition();
    for (int i = 0; i < definition.GetUIDetailCount(); ++i) {
        const TCatalogUIDetail* element = definition.GetUIDetail(i);
        if (element->Kind == kind && element->ItemType == itemType)
            found.push_back(element);
    }
    return found;
}

std::string TGUIControl::OpenCatalogCode() const
{
    TTolvexCatalog* open = root_.Catalog().GetOpenCatalog();
    return open ? open->GetCatalogCode() : std::string();
}

// ---- image cache ------------------------------------------------------------------------------

void TGUIControl::ClearCachedImages()
{
    while (!images_.empty())
        images_.pop_back();
}

void TGUIControl::AddCachedImage(const std::string& name, const std::string& picture, const std::string& mimeType)
{
    if (mimeType != "image/bmp")
        return;
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(picture.data()), static_cast<int>(picture.size()), "BMP") ||
        image.width() <= 0 || image.height() <= 0)
        return;
    // The top-left pixel's colour is the transparent colour.
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(pixmap.createMaskFromColor(image.pixelColor(0, 0), Qt::MaskInColor));
    images_.push_back({name, QIcon(pixmap)});
}

int TGUIControl::FindCachedImage(const std::string& name) const
{
    for (size_t i = 0; i < images_.size(); ++i)
        if (images_[i].Name == name)
            return static_cast<int>(i);
    return -1;
}

QIcon TGUIControl::CachedIcon(int index) const
{
    return index >= 0 && index < static_cast<int>(images_.size()) ? images_[index].Icon : QIcon();
}

// ---- main-menu items --------------------------------------------------------------------------

QMenu* TGUIControl::TargetMenu(const std::string& menuPath) const
{
    if (menuPath == "Catalog")
        return window_.Menu(TMainMenu::Catalog);
    if (menuPath == "Import")
        return window_.Menu(TMainMenu::Import);
    if (menuPath == "Export")
        return window_.Menu(TMainMenu::Export);
    if (menuPath == "Reports")
        return window_.Menu(TMainMenu::Report);
    if (menuPath == "Publish")
        return window_.Menu(TMainMenu::Publish);
    if (menuPath == "View")
        return window_.Menu(TMainMenu::View);
    if (menuPath == "Help")
        return window_.Menu(TMainMenu::Help);
    for (QAction* top : window_.menuBar()->actions()) {
        if (TTolvexMenuItem* parent = FindMenuItemByName(menuPath, top->menu())) {
            if (!parent->menu()) {
                auto* submenu = new QMenu(window_.menuBar());
                parent->setMenu(submenu);
            }
            return parent->menu();
        }
    }
    return nullptr;
}

void TGUIControl::AddMenuActions()
{
    for (const TCatalogUIDetail* e : Elements(uikMenuItem, 0))
        AddMenuItem(e->ActionId, e->Caption, e->Params, e->ImageName, e->Condition, e->Extra);
}

void TGUIControl::AddMenuItem(int actionId, const std::string& caption, const std::string& params,
                              const std::string& imageName, const std::string& condition, const std::string& extra)
{
    if (!GuiControlRules::CheckCondition(condition, nullptr, OpenCatalogCode()))
        return;
    const TParamList values(params);
    QMenu* target = TargetMenu(values.Value("MenuPath"));
    if (!target)
        return;
    auto* item = new TTolvexMenuItem(Tr(caption), window_.menuBar());
    item->Command = {actionId, "", values.Value("Name"), condition, extra};
    item->setData(actionId);
    item->setIcon(CachedIcon(FindCachedImage(imageName)));
    connect(item, &QAction::triggered, this,
            [this, item] { processor_.ItemClick(item->Command, TClickedEntryKind::MenuItem); });
    const QList<QAction*> entries = target->actions();
    if (values.Value("Placement") == "before") {
        std::vector<bool> dynamic;
        for (QAction* entry : entries)
            dynamic.push_back(dynamic_cast<TTolvexMenuItem*>(entry) != nullptr);
        const int at = GuiControlRules::BeforePlacementIndex(dynamic);
        target->insertAction(at < entries.size() ? entries[at] : nullptr, item);
    } else {
        target->addAction(item);
    }
}

TTolvexMenuItem* TGUIControl::FindMenuItemByName(const std::string& name, QMenu* menu) const
{
    if (name.empty() || !menu)
        return nullptr;
    const QList<QAction*> entries = menu->actions();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        auto* item = dynamic_cast<TTolvexMenuItem*>(*it);
        if (item && item->Command.Name == name)
            return item;
        if (TTolvexMenuItem* below = FindMenuItemByName(name, (*it)->menu()))
            return below;
    }
    return nullptr;
}

namespace {

// Deletes the dynamic items below Menu, children first, last first.
void RemoveDynamicItems(QMenu* menu)
{
    if (!menu)
        return;
    const QList<QAction*> entries = menu->actions();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        RemoveDynamicItems((*it)->menu());
        if (auto* item = dynamic_cast<TTolvexMenuItem*>(*it)) {
            menu->removeAction(item);
            if (QMenu* submenu = item->menu())
                submenu->deleteLater();
            delete item;
        }
    }
}

}  // namespace

void TGUIControl::RemoveCatalogMenuItems()
{
    for (QAction* top : window_.menuBar()->actions())
        RemoveDynamicItems(top->menu());
}

void TGUIControl::RemoveCatalogActions()
{
    RemoveCatalogMenuItems();
    ClearActionToolbars();
}

void TGUIControl::UpdateMenuIfPossible(QMenu* menu)
{
    for (QAction* entry : menu->actions())
        if (auto* item = dynamic_cast<TTolvexMenuItem*>(entry); item && item->Command.Extra == "IfPossible")
            item->setEnabled(processor_.IsActionPossibleById(item->Command.ActionId));
}

// ---- catalog-action buttons -------------------------------------------------------------------

void TGUIControl::AddToolbarActions()
{
    for (const TCatalogUIDetail* e : Elements(uikToolbarButton, 0))
        AddToolbarSlot(e->ActionId, e->Caption, e->ImageName, e->Params);
    RebuildActionToolbar();
}

void TGUIControl::AddToolbarSlot(int actionId, const std::string& caption, const std::string& imageName,
                                 const std::string& params)
{
    if (!params.empty())
        return;
    for (auto& slot : actionSlots_) {
        if (slot)
            continue;
        slot = std::make_unique<TToolButtonAction>(TToolButtonAction{actionId, FindCachedImage(imageName), Tr(caption)});
        return;
    }
}

void TGUIControl::RebuildActionToolbar()
{
    bool any = false;
    for (size_t i = 0; i < actionSlots_.size(); ++i) {
        QAction* button = window_.CatalogActionButtons()[i];
        const TToolButtonAction* slot = actionSlots_[i].get();
        button->setVisible(slot != nullptr);
        if (!slot)
            continue;
        any = true;
        button->setText(slot->Caption);
        button->setToolTip(slot->Caption);
        button->setIcon(CachedIcon(slot->ImageIndex));
        button->setData(slot->ActionId);
    }
    window_.Toolbar(TMainToolbar::CatalogActions)->setVisible(any && toolbarVisible_);
}

void TGUIControl::ResetActionButtons()
{
    RebuildActionToolbar();
    for (QAction* button : window_.CatalogActionButtons())
        button->setChecked(false);
}

void TGUIControl::CheckActionButton(const std::string& actionString)
{
    for (size_t i = 0; i < actionSlots_.size(); ++i)
        if (actionSlots_[i] && processor_.GetActionString(actionSlots_[i]->ActionId) == actionString)
            window_.CatalogActionButtons()[i]->setChecked(true);
}

void TGUIControl::UncheckActionButton(const std::string& actionString)
{
    for (size_t i = 0; i < actionSlots_.size(); ++i)
        if (actionSlots_[i] && processor_.GetActionString(actionSlots_[i]->ActionId) == actionString)
            window_.CatalogActionButtons()[i]->setChecked(false);
}

void TGUIControl::ClearActionToolbars()
{
    for (size_t i = 0; i < actionSlots_.size(); ++i) {
        window_.CatalogActionButtons()[i]->setVisible(false);
        actionSlots_[i].reset();
    }
    window_.Toolbar(TMainToolbar::CatalogActions)->hide();
    for (TMainTree tree : {TMainTree::Web, TMainTree::Templates})
        for (QAction* button : window_.CustomTreeButtons(tree))
            button->setVisible(false);
}

// ---- tree buttons -------------------------------------------------------------------------------

void TGUIControl::HideCustomButtons(TMainTree tree)
{
    for (QAction* button : window_.CustomTreeButtons(tree))
        button->setVisible(false);
    window_.Toolbar(tree == TMainTree::Web ? TMainToolbar::WebTreeCustom : TMainToolbar::TemplatesCustom)->hide();
}

void TGUIControl::EnableWebTreeButtons(bool enabled)
{
    const TMainWindowActions& actions = window_.Actions();
    for (QAction* button : {actions.WebTreeMoveUp, actions.WebTreeMoveDown, actions.WebTreeDelete, actions.WebTreeSort})
        button->setEnabled(enabled);
    if (!enabled)
        HideCustomButtons(TMainTree::Web);
}

void TGUIControl::EnableTemplateTreeButtons(bool enabled)
{
    if (!enabled)
        HideCustomButtons(TMainTree::Templates);
    window_.Actions().TemplatesDelete->setEnabled(enabled);
    QMenu* selectTree = window_.Menu(TMainMenu::SelectTree);
    for (QAction* entry : selectTree->actions()) {
        selectTree->removeAction(entry);
        delete entry;
    }
    const std::vector<const TCatalogUIDetail*> elements = Elements(uikSelectTree, 0);
    for (const TCatalogUIDetail* e : elements) {
        const QString caption = Tr(e->Caption);
        if (caption == "-") {
            selectTree->addSeparator();
            continue;
        }
        auto* item = new TTolvexToolbarItem(CachedIcon(FindCachedImage(e->ImageName)), caption, selectTree);
        item->Command.ActionId = e->ActionId;
        item->setToolTip(caption);
        connect(item, &QAction::triggered, this, [this, item] { processor_.ExecuteActionById(item->Command.ActionId, true); });
        selectTree->addAction(item);
    }
    window_.SetSelectTreeShown(!elements.empty());
}

// ---- search kinds --------------------------------------------------------------------------------

void TGUIControl::AddSearchItems()
{
    QMenu* kinds = window_.Menu(TMainMenu::SearchKinds);
    for (QAction* entry : kinds->actions()) {
        kinds->removeAction(entry);
        delete entry;
    }
    for (const TCatalogUIDetail* e : Elements(uikSearchKind, 0)) {
        auto* kind = new TTolvexToolbarItem(Q(CaptionValue::CaptionOf(e->Caption)), kinds);  // not translated
        if (CaptionValue::HasValue(e->Caption))
            kind->Command.ActionString = CaptionValue::ValueOf(e->Caption);
        kind->Command.ActionId = e->ActionId;
        kind->setData(e->ActionId);
        kind->setCheckable(true);
        connect(kind, &QAction::triggered, this, [this, kind] { SearchKindClick(kind); });
        kinds->addAction(kind);
    }
    const bool any = !kinds->actions().isEmpty();
    window_.Toolbar(TMainToolbar::Search)->setVisible(any);
    if (any)
        SearchKindClick(kinds->actions().first());
}

void TGUIControl::SearchKindClick(QAction* kind)
{
    for (QAction* entry : window_.Menu(TMainMenu::SearchKinds)->actions())
        entry->setChecked(entry == kind);
}

QAction* TGUIControl::CheckedSearchKind() const
{
    for (QAction* entry : window_.Menu(TMainMenu::SearchKinds)->actions())
        if (dynamic_cast<TTolvexToolbarItem*>(entry) && entry->isChecked())
            return entry;
    return nullptr;
}

// ---- tree buttons for a node --------------------------------------------------------------------

void TGUIControl::AddTreePopupItems(QMenu& menu, int itemType, QAction* before)
{
    const TCatalogDefinition& definition = root_.Catalog().GetDefinition();
    for (int i = 0; i < definition.GetUIDetailCount(); ++i) {
        const TCatalogUIDetail* e = definition.GetUIDetail(i);
        if (e->Kind != uikMenuItem || (e->ItemType != itemType && e->ItemType != -1))
            continue;
        auto* item = new TTolvexMenuItem(Tr(e->Caption), &menu);
        item->Command.ActionId = e->ActionId;
        item->setData(e->ActionId);
        item->setIcon(CachedIcon(FindCachedImage(e->ImageName)));
        connect(item, &QAction::triggered, this,
                [this, item] { processor_.ItemClick(item->Command, TClickedEntryKind::MenuItem); });
        menu.insertAction(before, item);
    }
}

void TGUIControl::FillCustomButtons(TMainTree tree, const TItemDescription& node, bool testCondition)
{
    const auto& buttons = window_.CustomTreeButtons(tree);
    for (QAction* button : buttons) {
        button->setVisible(false);
        disconnect(button, &QAction::triggered, nullptr, nullptr);
    }
    size_t used = 0;
    const TCatalogDefinition& definition = root_.Catalog().GetDefinition();
    const std::string catalogCode = OpenCatalogCode();
    for (int i = 0; i < definition.GetUIDetailCount() && used < buttons.size(); ++i) {
        const TCatalogUIDetail* e = definition.GetUIDetail(i);
        if (e->Kind != uikToolbarButton || (e->ItemType != node.ItemType && e->ItemType != -1))
            continue;
        if (testCondition && !GuiControlRules::CheckCondition(e->Condition, &node.ItemId, catalogCode))
            continue;
        QAction* button = buttons[used++];
        const QString caption = Tr(e->Caption);
        button->setText(caption);
        button->setToolTip(caption);
        button->setIcon(CachedIcon(FindCachedImage(e->ImageName)));
        button->setData(e->ActionId);
        const int actionId = e->ActionId;
        connect(button, &QAction::triggered, this,
                [this, actionId] { processor_.ItemClick({actionId, "", "", "", ""}, TClickedEntryKind::ToolbarItem); });
        button->setVisible(true);
    }
    window_.Toolbar(tree == TMainTree::Web ? TMainToolbar::WebTreeCustom : TMainToolbar::TemplatesCustom)
        ->setVisible(used > 0);
}

void TGUIControl::UpdateWebTreeButtons(QTreeWidgetItem* node)
{
    const TItemDescription* description = DescriptionOf(node);
    if (!description)
        return;
    QTreeWidgetItem* parent = node->parent();
    GuiControlRules::TTreeNodeFacts facts;
    facts.Node = description;
    facts.Parent = DescriptionOf(parent);
    facts.HasParent = parent != nullptr;
    facts.HasChildren = node->childCount() > 0;
    const int index = parent ? parent->indexOfChild(node) : node->treeWidget()->indexOfTopLevelItem(node);
    const int count = parent ? parent->childCount() : node->treeWidget()->topLevelItemCount();
    facts.IsFirst = index == 0;
    facts.IsLast = index == count - 1;
    if (index > 0)
        facts.Previous = DescriptionOf(parent ? parent->child(index - 1) : node->treeWidget()->topLevelItem(index - 1));
    ShowWebTreeButtons(GuiControlRules::WebTreeButtons(facts), *description);
}

void TGUIControl::ShowWebTreeButtons(const GuiControlRules::TWebTreeButtons& b, const TItemDescription& node)
{
    const TMainWindowActions& actions = window_.Actions();
    actions.WebTreeDelete->setEnabled(b.DeleteEnabled);
    QAction* up = actions.WebTreeMoveUp;
    QAction* down = actions.WebTreeMoveDown;
    up->setEnabled(b.MoveUpEnabled);
    down->setEnabled(b.MoveDownEnabled);
    up->setToolTip(Tr(b.MoveUpHint));
    down->setToolTip(Tr(b.MoveDownHint));
    up->setVisible(b.MoveShown);
    down->setVisible(b.MoveShown);
    actions.WebTreeSort->setVisible(b.SortShown);
    actions.WebTreeSort->setChecked(b.SortPressed);
    FillCustomButtons(TMainTree::Web, node, true);
}

void TGUIControl::UpdateTemplateTreeButtons(QTreeWidgetItem* node)
{
    const TItemDescription* description = DescriptionOf(node);
    if (!description) {
        HideCustomButtons(TMainTree::Templates);
        return;
    }
    window_.Actions().TemplatesDelete->setEnabled(!(description->Flags & ifNotDeletable) && node->childCount() == 0);
    FillCustomButtons(TMainTree::Templates, *description, false);
}
