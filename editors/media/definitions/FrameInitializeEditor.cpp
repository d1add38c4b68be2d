#include "editors/media/definitions/FrameInitializeEditor.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogTreeHost.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "common/CommonGui.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/definitions/InitializationListsModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/FrameShortcut.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using UiText::Q;
using UiText::S;
using TList = TInitializationListsModel::TList;

// The whole catalog: the tree starts at the roots, the first expanded and
// the initial item selected, unnamed items under their global names; a
// definition is never published, so nothing is marked as unpublished.
constexpr int kTreeRoot = 0;
constexpr std::uint16_t kTreeOptions = toSelectInitial | toExpandFirst | toGlobalIdNames | toNoUnpublishedColor;

TList ListOf(int index) { return static_cast<TList>(index); }

}  // namespace

TFrameInitializeEditor::TFrameInitializeEditor(TFrameSite& site)
{
    setObjectName("TFrameInitializeEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameInitializeEditor::~TFrameInitializeEditor()
{
    SetUndoStack(nullptr);
    // The view follows the tree manager: it goes first.
    delete tvItems_;
}

void TFrameInitializeEditor::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    TCatalogData& data = *context.Data();
    TTolvex& root = context.Services().Root;
    treeHost_ = std::make_unique<TCatalogTreeHost>(TCatalogTreeHost::TServices{
        data, root.Catalog(), data.GetQueries(), data.GetCopier(), data.GetBookkeeping(), context.Services().Gui,
        ::Translation, &root.GlobalDefinition(), {}});
    manager_ = std::make_unique<TTreeManager>(*treeHost_);
    manager_->Attach(context.GetConnection(), "", context.GetCatalogCode());
    manager_->Setup(kTreeRoot, kTreeOptions, 0, context.GetParams());
    tvItems_ = new TCatalogTreeView(*manager_, {}, this);
    tvItems_->setObjectName("tvItems");
    tvItems_->setDragDropMode(QAbstractItemView::NoDragDrop);
    tvItems_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvItems_->setHeaderHidden(true);
    connect(tvItems_, &QAbstractItemView::doubleClicked, this, [this] { AddSelected(); });

    btnAdd_ = new QPushButton(">", this);
    btnAdd_->setObjectName("btnAdd");
    btnAdd_->setToolTip(tr("Add the selected item to the list"));
    btnRemove_ = new QPushButton("<", this);
    btnRemove_->setObjectName("btnRemove");
    btnRemove_->setToolTip(tr("Remove the selected item from the list"));
    for (QPushButton* button : {btnAdd_, btnRemove_})
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance("MMM") + 16);
    connect(btnAdd_, &QPushButton::clicked, this, [this] { AddSelected(); });
    connect(btnRemove_, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAdd_);
    buttons->addWidget(btnRemove_);
    buttons->addStretch();

    auto* left = new QWidget(this);
    auto* leftLayout = new QHBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(tvItems_, 1);
    leftLayout->addLayout(buttons);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    edtDataVersion_ = new QLineEdit(right);
    edtDataVersion_->setObjectName("edtDataVersion");
    connect(edtDataVersion_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!TrackChanges || !model_)
            return;
        model_->SetDataVersion(S(text));
        SetModified();
    });
    auto* version = new QFormLayout;
    auto* versionLabel = new QLabel(tr("&Data Version:"), right);
    versionLabel->setBuddy(edtDataVersion_);
    version->addRow(versionLabel, edtDataVersion_);
    rightLayout->addLayout(version);
    pcLists_ = new QTabWidget(right);
    pcLists_->setObjectName("pcLists");
    // The three captions always show whole.
    pcLists_->setUsesScrollButtons(false);
    const std::pair<const char*, QString> tabs[] = {{"lvInsert", tr("Insert Initialy")},
                                                    {"lvUpdate", tr("Update In Existing")},
                                                    {"lvDelete", tr("Delete From Existing")}};
    for (int i = 0; i < 3; ++i) {
        auto* list = new QTreeWidget(pcLists_);
        list->setObjectName(tabs[i].first);
        list->setRootIsDecorated(false);
        list->setHeaderLabels({tr("Item")});
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        pcLists_->addTab(list, tabs[i].second);
        lists_[i] = list;
        AddFrameShortcut(list, QKeySequence::Delete, [this] { RemoveSelected(); });
    }
    // A double click on a row of the first list takes it out.
    connect(lists_[0], &QTreeWidget::itemDoubleClicked, this, [this] { RemoveSelected(); });
    rightLayout->addWidget(pcLists_, 1);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName("splInitialize");
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    pcLists_->setCurrentIndex(0);
}

void TFrameInitializeEditor::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TInitializationListsModel>(SiteModelContextOf(*this),
                                                         GetContext()->Services().Root.GlobalDefinition());
    model_->Load();
    SetUndoStack(&model_->UndoStack());
    edtDataVersion_->setText(Q(model_->DataVersion()));
    FillAll();
    TrackChanges = true;
}

void TFrameInitializeEditor::FillAll()
{
    for (int list = 0; list < 3; ++list) {
        QTreeWidgetItem* current = lists_[list]->currentItem();
        Fill(list, current ? lists_[list]->indexOfTopLevelItem(current) : 0);
    }
}

void TFrameInitializeEditor::Fill(int list, int selectRow)
{
    QTreeWidget* view = lists_[list];
    view->clear();
    for (const TInitializationListsModel::TRow& row : model_->Rows(ListOf(list))) {
        auto* item = new QTreeWidgetItem(QStringList{Q(row.Caption)});
        item->setData(0, Qt::UserRole, row.ItemId);
        item->setToolTip(0, QString::number(row.ItemId));
        view->addTopLevelItem(item);
    }
    const int count = view->topLevelItemCount();
    if (count > 0)
        view->setCurrentItem(view->topLevelItem(std::clamp(selectRow, 0, count - 1)));
}

int TFrameInitializeEditor::ActiveList() const
{
    return std::max(0, pcLists_->currentIndex());
}

QTreeWidget* TFrameInitializeEditor::ListView(int list) const
{
    return lists_[list];
}

void TFrameInitializeEditor::AddSelected()
{
    const TTreeNode* node = manager_ ? manager_->GetSelectedNode() : nullptr;
    if (!model_ || !node || !node->IsItem())
        return;
    const int list = ActiveList();
    const int itemId = node->ItemId();
    switch (model_->Add(ListOf(list), itemId, node->Caption)) {
    case TInitializationListsModel::TAddResult::Added:
        Fill(list, static_cast<int>(model_->Rows(ListOf(list)).size()) - 1);
        SetModified();
        break;
    case TInitializationListsModel::TAddResult::Refused:
        GetContext()->Services().Gui.ShowWarning(
            S(tr("\"%1\" cannot be deleted from existing catalogs: it would take everything below it "
                 "from every catalog that is upgraded.")
                  .arg(Q(node->Caption))),
            false);
        break;
    case TInitializationListsModel::TAddResult::AlreadyListed:
    case TInitializationListsModel::TAddResult::NoLists:
        break;
    }
}

void TFrameInitializeEditor::RemoveSelected()
{
    const int list = ActiveList();
    QTreeWidgetItem* item = ListView(list)->currentItem();
    if (!model_ || !item)
        return;
    model_->Remove(ListOf(list), ListView(list)->indexOfTopLevelItem(item));
    Fill(list, 0);
    SetModified();
}

void TFrameInitializeEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && model_->IsModified())
        model_->Store();
}

void TFrameInitializeEditor::Undo()
{
    TUndoStackTarget::Undo();
    if (model_)
        FillAll();
}

void TFrameInitializeEditor::Redo()
{
    TUndoStackTarget::Redo();
    if (model_)
        FillAll();
}
