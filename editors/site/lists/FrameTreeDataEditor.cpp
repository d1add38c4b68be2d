#include "editors/site/lists/FrameTreeDataEditor.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/CommonProcedures.h"
#include "editors/framework/ui/QtEditorPanel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "gui/FrameShortcut.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/lists/TreeDataModel.h"
#include "editors/site/lists/TreeDataView.h"
#include "gui/UiText.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QUndoStack>
#include <QVBoxLayout>

#include <functional>

namespace {

using TModel = TFrameTreeDataEditorModel;

}  // namespace

TFrameTreeDataEditor::TFrameTreeDataEditor(TFrameSite& site)
{
    setObjectName("TFrameTreeDataEditor");
    pnlTreeDataTop_ = new QWidget(this);
    pnlTreeDataTop_->setObjectName("pnlTreeDataTop");

    pnlTreeDataLocation_ = new QWidget(this);
    pnlTreeDataLocation_->setObjectName("pnlTreeDataLocation");
    cbTreeDataLocateOnWebTree_ = new QCheckBox(tr("&Locate the item on web-tree"), pnlTreeDataLocation_);
    cbTreeDataLocateOnWebTree_->setObjectName("cbTreeDataLocateOnWebTree");
    auto* location = new QHBoxLayout(pnlTreeDataLocation_);
    location->setContentsMargins(0, 0, 0, 0);
    location->addWidget(cbTreeDataLocateOnWebTree_);
    location->addStretch();

    splitter_ = new QSplitter(Qt::Horizontal, this);
    tvTreeData_ = new TTreeDataView(splitter_);
    tvTreeData_->setObjectName("tvTreeData");
    tvTreeData_->setContextMenuPolicy(Qt::CustomContextMenu);
    treeModel_ = new TTreeDataModel(style()->standardIcon(QStyle::SP_DirIcon), style()->standardIcon(QStyle::SP_FileIcon),
                                    this);
    tvTreeData_->setModel(treeModel_);
    pnlTreeViewClient_ = new QWidget(splitter_);
    pnlTreeViewClient_->setObjectName("pnlTreeViewClient");
    new QVBoxLayout(pnlTreeViewClient_);
    pnlTreeViewClient_->layout()->setContentsMargins(0, 0, 0, 0);
    splitter_->addWidget(tvTreeData_);
    splitter_->addWidget(pnlTreeViewClient_);

    pnlTreeDataBottom_ = new QWidget(this);
    pnlTreeDataBottom_->setObjectName("pnlTreeDataBottom");
    btnTreeDataNew_ = new QPushButton(tr("&Add"), pnlTreeDataBottom_);
    btnTreeDataNew_->setObjectName("btnTreeDataNew");
    btnTreeDataEdit_ = new QPushButton(tr("&Edit"), pnlTreeDataBottom_);
    btnTreeDataEdit_->setObjectName("btnTreeDataEdit");
    btnTreeDataDelete_ = new QPushButton(tr("&Delete"), pnlTreeDataBottom_);
    btnTreeDataDelete_->setObjectName("btnTreeDataDelete");
    btnTreeDataNewFolder_ = new QPushButton(tr("New &Folder"), pnlTreeDataBottom_);
    btnTreeDataNewFolder_->setObjectName("btnTreeDataNewFolder");
    btnTreeDataHelp_ = new QPushButton(tr("&Help"), pnlTreeDataBottom_);
    btnTreeDataHelp_->setObjectName("btnTreeDataHelp");
    auto* bottom = new QHBoxLayout(pnlTreeDataBottom_);
    bottom->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {btnTreeDataNew_, btnTreeDataEdit_, btnTreeDataDelete_, btnTreeDataNewFolder_})
        bottom->addWidget(button);
    bottom->addStretch();
    bottom->addWidget(btnTreeDataHelp_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);  // the frame's site has margins of its own
    layout->addWidget(pnlTreeDataTop_);
    layout->addWidget(pnlTreeDataLocation_);
    layout->addWidget(splitter_, 1);
    layout->addWidget(pnlTreeDataBottom_);
    // Shown by the descendants that need them.
    pnlTreeDataTop_->hide();
    pnlTreeDataLocation_->hide();
    pnlTreeDataBottom_->hide();
    setTabOrder(cbTreeDataLocateOnWebTree_, tvTreeData_);
    setTabOrder(tvTreeData_, btnTreeDataNew_);
    setTabOrder(btnTreeDataNew_, btnTreeDataEdit_);
    setTabOrder(btnTreeDataEdit_, btnTreeDataDelete_);
    setTabOrder(btnTreeDataDelete_, btnTreeDataNewFolder_);
    setTabOrder(btnTreeDataNewFolder_, btnTreeDataHelp_);

    connect(tvTreeData_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SelectionChanged(); });
    connect(tvTreeData_, &QAbstractItemView::doubleClicked, this, [this] { EditClicked(); });
    connect(tvTreeData_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { ShowContextMenu(position); });
    connect(btnTreeDataNew_, &QPushButton::clicked, this, [this] { AddItem(); });
    connect(btnTreeDataEdit_, &QPushButton::clicked, this, [this] { EditClicked(); });
    connect(btnTreeDataDelete_, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    connect(btnTreeDataNewFolder_, &QPushButton::clicked, this, [this] { NewFolder(); });
    connect(btnTreeDataHelp_, &QPushButton::clicked, this, [this] {
        if (GetContext())
            GetContext()->ShowHelp();
    });
    connect(cbTreeDataLocateOnWebTree_, &QCheckBox::toggled, this, [this](bool checked) { LocateToggled(checked); });

    AddFrameShortcut(this, QKeySequence::Delete, [this] {
        if (!IsEditingCaption())
            DeleteSelected();
    });
    AddFrameShortcut(this, QKeySequence::New, [this] { AddItem(); });
    AddFrameShortcut(this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), [this] { NewFolder(); });
    TQtFrameSite::PlaceInto(site, this);
}

TNestedEditorPanel::~TNestedEditorPanel() = default;

TFrameTreeDataEditor::~TFrameTreeDataEditor()
{
    // The view's model lets go of the frame model before it goes.
    treeModel_->SetTree(nullptr);
    SetUndoStack(nullptr);
}

TFrameTreeDataEditorModel::TSettings TFrameTreeDataEditor::Settings() { return {}; }

void TFrameTreeDataEditor::InitControls()
{
    NewModel();
    const TModel::TSettings& settings = model_->Settings();
    pnlTreeDataBottom_->setVisible(settings.ShowBottomPanel);
    pnlTreeDataLocation_->setVisible(settings.ShowLocationPanel);
    if (settings.WatchedKind != 0)
        WatchChangeKind(settings.WatchedKind);
    UpdateButtons();
    if (settings.TreeRoot == 0) {
        pnlTreeViewClient_->hide();
        return;
    }
    tvTreeData_->setSelectionMode(settings.MultiSelect ? QAbstractItemView::ExtendedSelection
                                                       : QAbstractItemView::SingleSelection);
    if (!settings.LocateSettingName.empty() && GetContext()->Data()) {
        const QSignalBlocker quiet(cbTreeDataLocateOnWebTree_);
        cbTreeDataLocateOnWebTree_->setChecked(
            GetContext()->Data()->GetBookkeeping().GetLocalSetting(settings.LocateSettingName) == "yes");
    }
    if (settings.RightEditorKind != 0) {
        NestedPanel = std::make_unique<TQtEditorPanel>(*pnlTreeViewClient_);
        nested_ = &CreateNestedEditor(*NestedPanel);
        splitter_->setSizes({width() / 2, width() - width() / 2});
    } else {
        pnlTreeViewClient_->hide();
    }
    ReadAgain(false, 0);
}

void TFrameTreeDataEditor::NewModel()
{
    std::unique_ptr<TModel> fresh = CreateModel(SiteModelContextOf(*this), Settings());
    if (model_)
        disconnect(&model_->UndoStack(), nullptr, this, nullptr);
    treeModel_->SetTree(fresh.get());
    SetUndoStack(&fresh->UndoStack());
    connect(&fresh->UndoStack(), &QUndoStack::indexChanged, this, [this] { StackChanged(); });
    model_ = std::move(fresh);
}

std::unique_ptr<TFrameTreeDataEditorModel> TFrameTreeDataEditor::CreateModel(const TSiteModelContext& context,
                                                                            TFrameTreeDataEditorModel::TSettings settings)
{
    return std::make_unique<TModel>(context, std::move(settings));
}

void TFrameTreeDataEditor::ReadAgain(bool reload, int selectId)
{
    // The selection comes back quietly: no nested editor opened, no location queued.
    reading_ = true;
    if (reload)
        model_->Reload();
    else
        model_->Load();
    tvTreeData_->Select(selectId);
    reading_ = false;
    UpdateButtons();
}

void TFrameTreeDataEditor::LoadFromObjects(bool languageSwitch)
{
    // The tree was read by InitControls just before.
    if (firstLoadPending_) {
        firstLoadPending_ = false;
        return;
    }
    if (!model_)
        return;
    const int selected = SelectedId();
    if (languageSwitch && !model_->IsModified()) {
        // The captions in the new language; unsaved renames keep the language they were typed in.
        NewModel();
        ReadAgain(false, selected);
    } else {
        ReadAgain(true, selected);
    }
}

bool TFrameTreeDataEditor::Save()
{
    if (model_ && model_->IsModified()) {
        for (const std::string& error : model_->Store())
            ShowFrameError(error);
    }
    return TTolvexFrameViewer::Save();
}

void TFrameTreeDataEditor::AfterSave()
{
    if (!model_)
        return;
    // The nodes of the web tree follow what the save changed.
    for (const int id : model_->StoredItemIds())
        GetContext()->QueueAction("Action=Refresh&Name=WebTree&ItemId=" + std::to_string(id), false);
    ReadAgain(false, SelectedId());
    if (!model_->Settings().KeepSaveBar)
        GetContext()->ShowSavePanel(false);
}

void TFrameTreeDataEditor::Cancel()
{
    const bool wasNew = GetContext()->IsNewItem();
    if (model_)
        ReadAgain(false, SelectedId());
    TTolvexFrameViewer::Cancel();
    if (model_ && !model_->Settings().KeepSaveBar)
        GetContext()->ShowSavePanel(false);
    if (wasNew && model_ && !model_->Settings().CancelAction.empty())
        GetContext()->QueueAction(model_->Settings().CancelAction, false);
}

void TFrameTreeDataEditor::TabShown()
{
    TTolvexFrameViewer::TabShown();
    // Unsaved changes of the tree keep the Save bar, so that they can be saved.
    if (model_ && !model_->Settings().KeepSaveBar && !model_->IsModified())
        GetContext()->ShowSavePanel(false);
}

void TFrameTreeDataEditor::ExecuteCommand(const std::string& command)
{
    if (!model_ || command != model_->Settings().StartCommand)
        return;
    const TModel::TNode* node = SelectedNode();
    if (node && !node->IsFolder)
        btnTreeDataEdit_->click();
    else
        btnTreeDataNew_->click();
}

void TFrameTreeDataEditor::ReleaseControls()
{
    // The web tree's location marking goes with the frame.
    if (GetContext() && GetContext()->Data())
        GetContext()->ExecuteAction(TModel::ClearLocateAction(), false);
}

// ---- the tree --------------------------------------------------------------------------------------

int TFrameTreeDataEditor::SelectedId() const { return tvTreeData_->SelectedId(); }

const TFrameTreeDataEditorModel::TNode* TFrameTreeDataEditor::SelectedNode() const
{
    return model_ ? model_->Find(SelectedId()) : nullptr;
}

bool TFrameTreeDataEditor::IsEditingCaption() const
{
    return tvTreeData_->IsEditing();
}

void TFrameTreeDataEditor::UpdateButtons()
{
    const bool item = model_ && model_->CanEdit(SelectedId());
    btnTreeDataEdit_->setEnabled(item);
    btnTreeDataDelete_->setEnabled(item);
    btnTreeDataNew_->setEnabled(model_ && model_->Settings().TreeRoot != 0);
    btnTreeDataNewFolder_->setEnabled(model_ && model_->Settings().TreeRoot != 0);
}

void TFrameTreeDataEditor::SelectionChanged()
{
    if (reading_)
        return;
    UpdateButtons();
    const TModel::TNode* node = SelectedNode();
    if (!node)
        return;
    if (nested_ && node->ItemId > 0)
        ShowNested(*node);
    if (cbTreeDataLocateOnWebTree_->isChecked() && pnlTreeDataLocation_->isVisible())
        GetContext()->QueueAction(model_->LocateAction(node->ItemId), false);
}

void TFrameTreeDataEditor::ShowNested(const TFrameTreeDataEditorModel::TNode& node)
{
    nested_->PrepareOpen(node.ParentItemId, node.LinkedItemId, "", "");
    nested_->OpenItem(node.ItemId, node.ItemId, node.ItemType, nullptr, model_->Settings().RightEditorKind);
}

void TFrameTreeDataEditor::EditClicked()
{
    const TModel::TNode* node = SelectedNode();
    if (!node)
        return;
    if (node->IsFolder)
        tvTreeData_->edit(tvTreeData_->currentIndex());
    else
        EditSelected();
}

void TFrameTreeDataEditor::EditSelected()
{
    const std::string action = model_ ? model_->EditAction(SelectedId()) : std::string();
    if (!action.empty())
        GetContext()->QueueAction(action, true);
}

void TFrameTreeDataEditor::AddItem()
{
    if (!model_ || model_->Settings().TreeRoot == 0 || IsEditingCaption())
        return;
    GetContext()->QueueAction(model_->AddAction(SelectedId()), true);
}

void TFrameTreeDataEditor::DeleteSelected()
{
    if (!model_ || !SelectedNode())
        return;
    TCommonGui& gui = CommonProcedures->Gui();
    const std::vector<std::string> errors = model_->Delete(tvTreeData_->SelectedIds(), [&gui](const std::string& text) {
        return gui.AskQuestion(text, "", false) == mrYes;
    });
    for (const std::string& error : errors)
        ShowFrameError(error);
    UpdateButtons();
}

void TFrameTreeDataEditor::NewFolder()
{
    if (!model_ || model_->Settings().TreeRoot == 0 || IsEditingCaption())
        return;
    // The new folder's caption is ready to be typed over.
    EditCaption(model_->NewFolder(SelectedId()));
}

void TFrameTreeDataEditor::EditCaption(int itemId)
{
    tvTreeData_->setFocus();
    tvTreeData_->Select(itemId);
    tvTreeData_->edit(tvTreeData_->IndexOf(itemId));
}

void TFrameTreeDataEditor::Undo()
{
    if (!IsEditingCaption())
        TUndoStackTarget::Undo();
}

void TFrameTreeDataEditor::Redo()
{
    if (!IsEditingCaption())
        TUndoStackTarget::Redo();
}

void TFrameTreeDataEditor::StackChanged()
{
    UpdateButtons();
    if (reading_ || !model_ || !model_->IsModified())
        return;
    SetModified();
    GetContext()->ShowSavePanel(true);
}

void TFrameTreeDataEditor::LocateToggled(bool checked)
{
    if (!model_)
        return;
    const std::string& setting = model_->Settings().LocateSettingName;
    if (!setting.empty() && GetContext()->Data())
        GetContext()->Data()->GetBookkeeping().SetLocalSetting(setting, checked ? "yes" : "no");
    GetContext()->QueueAction(checked ? model_->LocateAction(SelectedId()) : TModel::ClearLocateAction(), false);
}

void TFrameTreeDataEditor::ShowContextMenu(const QPoint& position)
{
    if (!model_ || model_->Settings().TreeRoot == 0)
        return;
    QMenu menu(this);
    const auto add = [&menu, this](const QString& text, const QKeySequence& keys, std::function<void()> run) {
        QAction* action = menu.addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, std::move(run));
        return action;
    };
    const TModel::TNode* node = SelectedNode();
    if (pnlTreeDataBottom_->isVisible()) {
        add(btnTreeDataNew_->text(), QKeySequence::New, [this] { AddItem(); });
        if (node && !node->IsFolder)
            add(btnTreeDataEdit_->text(), QKeySequence(), [this] { EditSelected(); });
    }
    if (node) {
        add(tr("&Rename"), QKeySequence(Qt::Key_F2), [this] { tvTreeData_->edit(tvTreeData_->currentIndex()); });
        add(btnTreeDataDelete_->text(), QKeySequence::Delete, [this] { DeleteSelected(); });
    }
    add(btnTreeDataNewFolder_->text(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), [this] { NewFolder(); });
    menu.addSeparator();
    add(tr("&Undo"), QKeySequence::Undo, [this] { Undo(); })->setEnabled(CanUndo());
    add(tr("&Redo"), QKeySequence::Redo, [this] { Redo(); })->setEnabled(CanRedo());
    menu.exec(tvTreeData_->viewport()->mapToGlobal(position));
}
