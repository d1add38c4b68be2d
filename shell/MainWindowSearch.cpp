#include "shell/MainWindowSearch.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "common/CommonGui.h"
#include "gui/UiText.h"
#include "shell/ActionProcessor.h"
#include "shell/CatalogWindowUI.h"
#include "shell/FrameSearchResult.h"
#include "shell/GuiControl.h"
#include "shell/MainWindow.h"
#include "shell/OpenCatalog.h"
#include "shell/TolvexToolbarItem.h"
#include "shell/TreeCommands.h"
#include "shell/TreePaneCommands.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ClassesList.h"
#include "storage/GlobalDefinition.h"
#include "storage/ObjectCollection.h"

#include <QComboBox>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QTreeWidget>

using UiText::S;

namespace {

constexpr int kMaxSearchHistory = 5;

// Found items dragged from the search results onto the web tree are placed
// under the page they are dropped on.
class TSearchResultDrop : public QObject {
public:
    TSearchResultDrop(TMainWindowSearch& search, TCatalogTreeView& tree)
        : QObject(&tree), search_(search), tree_(tree)
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
        TFrameSearchResult* results = search_.SearchResult();
        if (!results || drop->source() != results->List())
            return false;  // the tree's own drags move nodes
        TTreeNode* target = TTreeModel::NodeOf(tree_.indexAt(drop->position().toPoint()));
        std::vector<TTreeCommands::TEntry> entries;
        for (const TSearchResults::TFound& found : results->SelectedItems())
            entries.push_back({found.Item.GetDataItemId(), found.Item.ItemType, found.Caption});
        const std::unique_ptr<TTreeCommands> trees = search_.Trees().MakeTreeCommands();
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

    TMainWindowSearch& search_;
    TCatalogTreeView& tree_;
};

}  // namespace

TMainWindowSearch::TMainWindowSearch(TOpenCatalog& open, TCommonGui& gui, TfrmMain& window, TGUIControl& control,
                                     TActionProcessor& processor, TTreePaneCommands& trees)
    : open_(open), gui_(gui), window_(window), control_(control), processor_(processor), trees_(trees)
{
    connect(window_.Actions().Search, &QAction::triggered, this, &TMainWindowSearch::RunSearch);
}

void TMainWindowSearch::RunSearch()
{
    QComboBox* box = window_.SearchBox();
    const QString keyword = box->currentText();
    if (keyword.isEmpty()) {
        gui_.ShowError("Enter search keyword", true, "");
        return;
    }
    if (!open_.IsOpen())
        return;
    auto* kind = dynamic_cast<TTolvexToolbarItem*>(control_.CheckedSearchKind());
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

TFrameSearchResult* TMainWindowSearch::SearchResult() const
{
    return window_.EditorPane()->findChild<TFrameSearchResult*>();
}

bool TMainWindowSearch::ShowSearchResult(const std::string& action)
{
    TCatalogData* data = open_.Data();
    if (!data)
        return false;
    // The item being edited leaves the pane first (the user may be asked to
    // save it); when it may not be left, it stays and no results show.
    TCatalogWindowUI* ui = open_.WindowUI();
    if (ui && !ui->EmptyMainEditor())
        return true;
    TTolvex& root = open_.Root();
    const TSearchResults::TRequest request = TSearchResults::ParseRequest(
        action, [&root](const std::string& name) { return root.GlobalDefinition().GetItemTypeByName(name); },
        [&root](const std::string& tag) { return root.ClassesList().GetClassId(tag); });
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    TObjectCollection objects(root.ObjectContext());
    objects.Open(data->GetCatalogCode(), connection);
    std::vector<TSearchResults::TFound> found = TSearchResults::Search(
        request, ::SearchText, connection, data->GetCatalogCode(), data->GetCurrentLangCode(), objects);

    delete SearchResult();
    auto* frame = new TFrameSearchResult(std::move(found), window_.EditorPane());
    window_.PlaceInEditorPane(frame);
    control_.SetEditorCaption(TFrameSearchResult::kTabCaption);
    connect(frame, &TFrameSearchResult::openRequested, this, [this, data, frame](const TItemDescription& item) {
        const std::string code = data->GetCatalogCode();
        TAbstractDBConnection& main = data->GetConnectionFactory().GetConnection();
        const int id = TSearchResults::OpenTargetId(
            item, [&](int itemId) { return data->FindVisibleLinkCopy(itemId, code, main); });
        const std::string tab = open_.Root().Catalog().GetDefinition().GetItemTypeEditTab(item.ItemType);
        if (std::unique_ptr<TTreeCommands> trees = trees_.MakeTreeCommands())
            trees->RevealOnWebTree(id);
        // The item takes the results' place in the editor pane.
        frame->deleteLater();
        processor_.QueueAction(TSearchResults::OpenAction(tab, id), true);
    });
    // Anything opened from a tree takes the pane's place.
    for (TCatalogTreeView* tree : {ui ? ui->WebTreeView() : nullptr, ui ? ui->TemplatesTreeView() : nullptr})
        if (tree)
            connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, frame,
                    [frame] { frame->deleteLater(); });
    // Found items may be dropped onto the web tree.
    if (TCatalogTreeView* web = ui ? ui->WebTreeView() : nullptr; web && !web->findChild<QObject*>("searchResultDrop"))
        new TSearchResultDrop(*this, *web);
    frame->show();
    return true;
}
