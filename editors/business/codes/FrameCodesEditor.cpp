#include "editors/business/codes/FrameCodesEditor.h"

#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "catalog/codes/CodeDatabase.h"
#include "catalog/codes/CodeTree.h"
#include "common/CommonGui.h"
#include "common/WellKnownIds.h"
#include "editors/business/codes/CodesEditorModel.h"
#include "editors/business/codes/CodesTreeModel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/definitions/EditCodesForm.h"
#include "gui/UiText.h"
#include "storage/MemberValueText.h"
#include "storage/NameValueLines.h"
#include "storage/ObjectCollection.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

using UiText::Q;
using UiText::S;

namespace {

struct TSystemTexts {
    const char* Tree;
    const char* Company;
    const char* Chosen;
};

TSystemTexts TextsOf(TCodeSystem system)
{
    switch (system) {
    case TCodeSystem::Unspsc:
        return {QT_TRANSLATE_NOOP("TFrameCodesEditor", "All UNSP/SC Codes"),
                QT_TRANSLATE_NOOP("TFrameCodesEditor", "Company UNSP/SC Codes"),
                QT_TRANSLATE_NOOP("TFrameCodesEditor", "UNSP/SC Codes")};
    case TCodeSystem::Harmonized:
        return {QT_TRANSLATE_NOOP("TFrameCodesEditor", "All Harmonize Categories"),
                QT_TRANSLATE_NOOP("TFrameCodesEditor", "Company Harmonize Codes"),
                QT_TRANSLATE_NOOP("TFrameCodesEditor", "Harmonize Codes")};
    case TCodeSystem::EBay:
        return {QT_TRANSLATE_NOOP("TFrameCodesEditor", "All eBay Categories"),
                QT_TRANSLATE_NOOP("TFrameCodesEditor", "Company eBay Categories"),
                QT_TRANSLATE_NOOP("TFrameCodesEditor", "eBay Categories")};
    case TCodeSystem::Zarivuro: break;
    }
    return {QT_TRANSLATE_NOOP("TFrameCodesEditor", "All Zarivuro Categories"),
            QT_TRANSLATE_NOOP("TFrameCodesEditor", "Company Zarivuro Categories"),
            QT_TRANSLATE_NOOP("TFrameCodesEditor", "Zarivuro Categories")};
}

QTreeWidget* MakeList(QWidget* parent, const char* name)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setColumnCount(1);
    list->setRootIsDecorated(false);
    list->setSortingEnabled(true);
    list->sortByColumn(0, Qt::AscendingOrder);
    list->header()->setSectionsClickable(false);
    list->header()->setSortIndicatorShown(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

std::string CodeOf(const QTreeWidgetItem* item)
{
    return item ? S(item->data(0, Qt::UserRole).toString()) : std::string();
}

}  // namespace

TFrameCodesEditor::TFrameCodesEditor(TFrameSite& site)
{
    setObjectName("TFrameCodesEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameCodesEditor::~TFrameCodesEditor() = default;

void TFrameCodesEditor::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    const std::string editorName = GetUIEditor()->GetName();
    const TCodeSystem system = CodeSystemOfEditor(editorName);
    const bool company = IsCompanyCodesEditor(editorName);
    TCatalogData* data = context.Data();
    upkeep_ = data && data->GetCatalogType() == kDefinitionsCatalogType;

    database_ = std::make_unique<TCodeDatabase>(
        system, TCodeDatabase::ShippedConnection(context.Services().Root.GlobalDefinition(), system));
    tree_ = std::make_unique<TCodeTree>(*database_);
    const int companyId = company ? 0 : context.FindFirstItemOfType(kCompanyItemId);
    TCodesEditorModel::TServices services;
    services.Object = [&context, system](int itemId) -> TAbstractCObject* {
        return context.GetObjectCollection().GetObject(itemId, CodeSystemInfo(system).ClassTag);
    };
    services.OtherUsers = [&context](int exceptItem, int category) {
        return TCodeDatabase::CountOtherUsers(context.GetConnection(), context.GetCatalogCode(), exceptItem, category);
    };
    services.Lang = ContentLangCode();
    model_ = std::make_unique<TCodesEditorModel>(*tree_, company, context.GetItemId(), companyId, services);

    BuildControls();
    const TSystemTexts texts = TextsOf(system);
    lblCodesAllCodes_->setText(tr(texts.Tree));
    lvCodesCompanyCodes_->setHeaderLabels({tr(texts.Company)});
    lvCodesData_->setHeaderLabels({tr(texts.Chosen)});
    pnlCompany_->setVisible(model_->ShowsCompanyList() && !upkeep_);
    pnlChosen_->setVisible(!upkeep_);
    pnlUpkeep_->setVisible(upkeep_ && system == TCodeSystem::Zarivuro);
    UpdateButtons();
}

void TFrameCodesEditor::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    splCodes_ = new QSplitter(Qt::Horizontal, this);
    splCodes_->setObjectName("splCodes");
    splCodes_->setChildrenCollapsible(false);
    layout->addWidget(splCodes_);

    // The left side: search, the tree, the company's codes, the upkeep buttons.
    auto* left = new QWidget(splCodes_);
    left->setObjectName("pnlCodesLeft");
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* search = new QHBoxLayout;
    auto* searchLabel = new QLabel(tr("&Keywords:"), left);
    edtCodesSearch_ = new QLineEdit(left);
    edtCodesSearch_->setObjectName("edtCodesSearch");
    edtCodesSearch_->setClearButtonEnabled(true);
    searchLabel->setBuddy(edtCodesSearch_);
    btnCodesSearch_ = new QPushButton(tr("Go!"), left);
    btnCodesSearch_->setObjectName("btnCodesSearch");
    btnCodesSearch_->setAutoDefault(false);
    search->addWidget(searchLabel);
    search->addWidget(edtCodesSearch_, 1);
    search->addWidget(btnCodesSearch_);
    leftLayout->addLayout(search);

    splLeft_ = new QSplitter(Qt::Vertical, left);
    splLeft_->setObjectName("splCodesLeft");
    splLeft_->setChildrenCollapsible(false);
    auto* treePanel = new QWidget(splLeft_);
    auto* treeLayout = new QVBoxLayout(treePanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    lblCodesAllCodes_ = new QLabel(treePanel);
    lblCodesAllCodes_->setObjectName("lblCodesAllCodes");
    tvCodesAllCodes_ = new QTreeView(treePanel);
    tvCodesAllCodes_->setObjectName("tvCodesAllCodes");
    tvCodesAllCodes_->setHeaderHidden(true);
    tvCodesAllCodes_->setUniformRowHeights(true);
    // Long names scroll sideways instead of being cut short.
    tvCodesAllCodes_->header()->setStretchLastSection(false);
    tvCodesAllCodes_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tvCodesAllCodes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvCodesAllCodes_->setSelectionMode(QAbstractItemView::SingleSelection);
    tvCodesAllCodes_->setDragEnabled(true);
    tvCodesAllCodes_->setDragDropMode(QAbstractItemView::DragOnly);
    lblCodesAllCodes_->setBuddy(tvCodesAllCodes_);
    treeModel_ = new TCodesTreeModel(*tree_, this);
    tvCodesAllCodes_->setModel(treeModel_);
    treeLayout->addWidget(lblCodesAllCodes_);
    treeLayout->addWidget(tvCodesAllCodes_, 1);
    pnlCompany_ = new QWidget(splLeft_);
    pnlCompany_->setObjectName("pnlCodesCompany");
    auto* companyLayout = new QVBoxLayout(pnlCompany_);
    companyLayout->setContentsMargins(0, 0, 0, 0);
    lvCodesCompanyCodes_ = MakeList(pnlCompany_, "lvCodesCompanyCodes");
    lvCodesCompanyCodes_->setDragEnabled(true);
    lvCodesCompanyCodes_->setDragDropMode(QAbstractItemView::DragOnly);
    companyLayout->addWidget(lvCodesCompanyCodes_);
    splLeft_->setStretchFactor(0, 3);
    splLeft_->setStretchFactor(1, 1);
    leftLayout->addWidget(splLeft_, 1);

    pnlUpkeep_ = new QWidget(left);
    pnlUpkeep_->setObjectName("pnlCodesUpkeep");
    auto* upkeep = new QHBoxLayout(pnlUpkeep_);
    upkeep->setContentsMargins(0, 0, 0, 0);
    btnCodesAddNew_ = new QPushButton(tr("&Add..."), pnlUpkeep_);
    btnCodesAddNew_->setObjectName("btnCodesAddNew");
    btnCodesEdit_ = new QPushButton(tr("&Edit..."), pnlUpkeep_);
    btnCodesEdit_->setObjectName("btnCodesEdit");
    btnCodesDelete_ = new QPushButton(tr("&Delete"), pnlUpkeep_);
    btnCodesDelete_->setObjectName("btnCodesDelete");
    upkeep->addWidget(btnCodesAddNew_);
    upkeep->addWidget(btnCodesEdit_);
    upkeep->addWidget(btnCodesDelete_);
    upkeep->addStretch(1);
    leftLayout->addWidget(pnlUpkeep_);

    // The right side: ">" and "<" with the chosen codes.
    pnlChosen_ = new QWidget(splCodes_);
    pnlChosen_->setObjectName("pnlCodesChosen");
    auto* chosenLayout = new QHBoxLayout(pnlChosen_);
    chosenLayout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QVBoxLayout;
    btnCodesAdd_ = new QPushButton(QStringLiteral(">"), pnlChosen_);
    btnCodesAdd_->setObjectName("btnCodesAdd");
    btnCodesAdd_->setToolTip(tr("Add the selected code"));
    btnCodesRemove_ = new QPushButton(QStringLiteral("<"), pnlChosen_);
    btnCodesRemove_->setObjectName("btnCodesRemove");
    btnCodesRemove_->setToolTip(tr("Remove the selected code"));
    for (QPushButton* button : {btnCodesAdd_, btnCodesRemove_}) {
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("MMM")) + 8);
        button->setAutoDefault(false);
    }
    buttons->addStretch(1);
    buttons->addWidget(btnCodesAdd_);
    buttons->addWidget(btnCodesRemove_);
    buttons->addStretch(1);
    chosenLayout->addLayout(buttons);
    lvCodesData_ = MakeList(pnlChosen_, "lvCodesData");
    lvCodesData_->setAcceptDrops(true);
    lvCodesData_->viewport()->setAcceptDrops(true);
    lvCodesData_->setDragDropMode(QAbstractItemView::DropOnly);
    lvCodesData_->viewport()->installEventFilter(this);
    chosenLayout->addWidget(lvCodesData_, 1);
    splCodes_->setStretchFactor(0, 1);
    splCodes_->setStretchFactor(1, 1);

    connect(tvCodesAllCodes_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    lvCodesCompanyCodes_->clearSelection();
                UpdateButtons();
            });
    connect(tvCodesAllCodes_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (TCodeNode* node = TCodesTreeModel::NodeOf(index); node && tree_->IsChoosable(*node))
            AddFromTree(*node);
    });
    connect(lvCodesCompanyCodes_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!lvCodesCompanyCodes_->selectedItems().isEmpty())
            tvCodesAllCodes_->selectionModel()->clearSelection();
        UpdateButtons();
    });
    connect(lvCodesCompanyCodes_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { AddFromCompany(CodeOf(item)); });
    connect(lvCodesData_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(lvCodesData_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { ShowInTree(CodeOf(item)); });
    connect(btnCodesAdd_, &QPushButton::clicked, this, [this] { AddSelected(); });
    connect(btnCodesRemove_, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(edtCodesSearch_, &QLineEdit::textChanged, this, [this] {
        SetSearchMode(false);
        UpdateButtons();
    });
    connect(edtCodesSearch_, &QLineEdit::returnPressed, this, [this] { Search(); });
    connect(btnCodesSearch_, &QPushButton::clicked, this, [this] { searchNext_ ? FindNext() : Search(); });
    connect(btnCodesAddNew_, &QPushButton::clicked, this, [this] { EditCategory(false); });
    connect(btnCodesEdit_, &QPushButton::clicked, this, [this] { EditCategory(true); });
    connect(btnCodesDelete_, &QPushButton::clicked, this, [this] { DeleteCategory(); });
}

void TFrameCodesEditor::LoadFromObjects(bool)
{
    if (!model_)
        return;
    // After a cancel the category table is as it was: the tree shows it so.
    if (IsUpkeep() && loaded_)
        treeModel_->Reload();
    loaded_ = true;
    model_->Load();
    ShowLists();
}

void TFrameCodesEditor::ShowLists()
{
    const auto fill = [this](QTreeWidget* list, const std::vector<TCodeEntry>& entries) {
        const std::string selected = CodeOf(list->currentItem());
        list->clear();
        for (const TCodeEntry& entry : entries) {
            auto* item = new QTreeWidgetItem(list);
            if (entry.IsKnown())
                item->setText(0, TCodesTreeModel::Caption(entry.Name, entry.Code));
            else {
                // A code the shipped code tables lack: kept as it was stored.
                item->setText(0, tr("%1 (not in the code list)").arg(Q(entry.Code)));
                QFont font = item->font(0);
                font.setItalic(true);
                item->setFont(0, font);
            }
            item->setData(0, Qt::UserRole, Q(entry.Code));
            if (entry.Code == selected)
                list->setCurrentItem(item);
        }
    };
    fill(lvCodesCompanyCodes_, model_->Company());
    fill(lvCodesData_, model_->Chosen());
    UpdateButtons();
}

TCodeNode* TFrameCodesEditor::SelectedNode() const
{
    const QModelIndexList selected = tvCodesAllCodes_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? nullptr : TCodesTreeModel::NodeOf(selected.front());
}

std::string TFrameCodesEditor::SelectedCompanyCode() const
{
    const QList<QTreeWidgetItem*> selected = lvCodesCompanyCodes_->selectedItems();
    return selected.isEmpty() ? std::string() : CodeOf(selected.front());
}

void TFrameCodesEditor::UpdateButtons()
{
    if (!model_)
        return;
    bool add = false;
    if (const TCodeNode* node = SelectedNode())
        add = model_->CheckAdd(*node) == TCodesEditorModel::TAdd::Added;
    else if (const std::string code = SelectedCompanyCode(); !code.empty())
        add = model_->CheckAddFromCompany(code) == TCodesEditorModel::TAdd::Added;
    btnCodesAdd_->setEnabled(add);
    btnCodesRemove_->setEnabled(!lvCodesData_->selectedItems().isEmpty());
    btnCodesSearch_->setEnabled(!edtCodesSearch_->text().trimmed().isEmpty());
    btnCodesEdit_->setEnabled(SelectedNode() != nullptr);
    btnCodesDelete_->setEnabled(SelectedNode() != nullptr);
}

void TFrameCodesEditor::AddSelected()
{
    if (TCodeNode* node = SelectedNode())
        AddFromTree(*node);
    else
        AddFromCompany(SelectedCompanyCode());
}

void TFrameCodesEditor::AddFromTree(TCodeNode& node)
{
    if (upkeep_ || model_->AddFromTree(node) != TCodesEditorModel::TAdd::Added)
        return;
    SetModified();
    ShowLists();
}

void TFrameCodesEditor::AddFromCompany(const std::string& code)
{
    if (upkeep_ || code.empty() || model_->AddFromCompany(code) != TCodesEditorModel::TAdd::Added)
        return;
    SetModified();
    ShowLists();
}

void TFrameCodesEditor::RemoveSelected()
{
    const QList<QTreeWidgetItem*> selected = lvCodesData_->selectedItems();
    if (selected.isEmpty())
        return;
    model_->Remove(CodeOf(selected.front()));
    SetModified();
    ShowLists();
}

void TFrameCodesEditor::SelectNode(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    tvCodesAllCodes_->setCurrentIndex(index);
    tvCodesAllCodes_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    // The names start at the left edge: the tree scrolls only up and down to a node.
    tvCodesAllCodes_->horizontalScrollBar()->setValue(0);
}

void TFrameCodesEditor::ShowInTree(const std::string& code)
{
    SelectNode(treeModel_->Locate(code));
}

void TFrameCodesEditor::SetSearchMode(bool next)
{
    searchNext_ = next;
    btnCodesSearch_->setText(next ? tr("Next") : tr("Go!"));
}

void TFrameCodesEditor::Search()
{
    const std::string keywords = S(edtCodesSearch_->text().trimmed());
    if (keywords.empty() || tree_->Root().Children.empty())
        return;
    tvCodesAllCodes_->setFocus();
    std::string first;
    {
        // The hourglass while the search runs, also when it fails.
        TWaitCursor wait(GetContext()->Services().Gui);
        tree_->Search(keywords);
        treeModel_->HitsChanged();
        first = tree_->NextHit(nullptr);
        if (!first.empty())
            ShowInTree(first);
    }
    if (first.empty()) {
        SayNotFound(keywords);
        return;
    }
    SetSearchMode(true);
}

void TFrameCodesEditor::FindNext()
{
    const std::string next = tree_->NextHit(SelectedNode());
    if (next.empty()) {
        SayNotFound(S(edtCodesSearch_->text().trimmed()));
        return;
    }
    tvCodesAllCodes_->setFocus();
    ShowInTree(next);
}

void TFrameCodesEditor::SayNotFound(const std::string& keywords)
{
    GetContext()->Services().Gui.ShowInformation(GetContext()->TranslateFmt("String \"$1\" not found", {keywords}),
                                                 false);
}

bool TFrameCodesEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != lvCodesData_->viewport() || upkeep_)
        return QWidget::eventFilter(watched, event);
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QWidget::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* mime = drop->mimeData();
    TCodeNode* node = nullptr;
    std::string companyCode;
    if (mime && mime->hasFormat(TCodesTreeModel::kCodeMimeType)) {
        const std::string code = mime->data(TCodesTreeModel::kCodeMimeType).toStdString();
        node = tree_->Locate(code, [](TCodeNode&) {});
    } else if (drop->source() == lvCodesCompanyCodes_)
        companyCode = SelectedCompanyCode();
    const bool acceptable = (node ? model_->CheckAdd(*node) : model_->CheckAddFromCompany(companyCode)) ==
                            TCodesEditorModel::TAdd::Added;
    if (!acceptable) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        if (node)
            AddFromTree(*node);
        else
            AddFromCompany(companyCode);
    }
    return true;
}

// ---- the partner category table -------------------------------------------------------------------

bool TFrameCodesEditor::IsUpkeep() const
{
    return upkeep_ && database_->System() == TCodeSystem::Zarivuro;
}

void TFrameCodesEditor::EditCategory(bool edit)
{
    if (!IsUpkeep())
        return;
    TTolvexControlClass& context = *GetContext();
    std::vector<std::string> params = {"CodesType=zarivuro"};
    int storedId = 0;
    if (const TCodeNode* node = SelectedNode()) {
        const std::optional<TPartnerCategory> row =
            database_->ReadCategory(TMemberValueText::ReadInteger(node->Row.Code));
        if (row && edit) {
            storedId = row->Id;
            editor_params::SetValue(params, "Id", std::to_string(row->Id));
            editor_params::SetValue(params, "Level", std::to_string(row->Level));
            editor_params::SetValue(params, "Name", row->Name);
            editor_params::SetValue(params, "ParentId", std::to_string(row->ParentId));
            if (row->Leaf)
                editor_params::SetValue(params, "Leaf", "yes");
        } else if (row) {
            // A new category goes below the selected one.
            editor_params::SetValue(params, "Level", std::to_string(row->Level + 1));
            editor_params::SetValue(params, "ParentId", std::to_string(row->Id));
        }
    }
    for (;;) {
        editor_params::SetValue(params, "reedit", "");
        TTolvexItemEditor dialog(context.Services(), nullptr);
        dialog.SetConnection(&context.GetConnection());
        dialog.PrepareOpen(0, 0, "", "");
        const bool accepted = dialog.OpenItemWithEditor(-1, -1, -1, "EditCodes", "", &params);
        if (ValueOfName(params, "reedit") == "yes")
            continue;
        if (!accepted)
            return;
        const TEditCodesForm form = TEditCodesForm::FromParams(params);
        TPartnerCategory category;
        category.Id = TMemberValueText::ReadInteger(form.Id);
        category.Level = TMemberValueText::ReadInteger(form.Level);
        category.ParentId = TMemberValueText::ReadInteger(form.ParentId);
        category.Name = form.Name;
        category.Leaf = form.Leaf;
        category.CatalogCode = context.GetCatalogCode();
        const std::optional<TPartnerCategory> before =
            storedId ? database_->ReadCategory(storedId) : std::optional<TPartnerCategory>();
        const TCategoryUpkeep result =
            storedId ? database_->UpdateCategory(
                           storedId, category, TCodeDatabase::CountCategoryUsers(context.GetConnection(), storedId))
                     : database_->AddCategory(category);
        QString refusal;
        switch (result) {
        case TCategoryUpkeep::Done: break;
        case TCategoryUpkeep::IdTaken: refusal = tr("A category with the id %1 exists already.").arg(category.Id); break;
        case TCategoryUpkeep::NotFound: refusal = tr("The category was deleted meanwhile."); break;
        case TCategoryUpkeep::HasChildren:
        case TCategoryUpkeep::InUse:
            refusal = tr("The id of a category with subcategories or items cannot change.");
            break;
        }
        if (!refusal.isEmpty()) {
            context.Services().Gui.ShowError(S(refusal), false);
            if (result == TCategoryUpkeep::NotFound)
                return;
            continue;
        }
        // The table is written at once (the tree shows it); Cancel puts the row back as it was.
        TAbstractDBConnection& table = database_->Connection();
        if (before)
            context.AddUndoAction([&table, row = *before, id = category.Id](TAbstractDBConnection&) {
                TCodeDatabase(TCodeSystem::Zarivuro, table).UpdateCategory(id, row, 0);
            });
        else
            context.AddUndoAction([&table, id = category.Id](TAbstractDBConnection&) {
                TCodeDatabase(TCodeSystem::Zarivuro, table).DeleteCategory(id, 0);
            });
        SetModified();
        treeModel_->Reload();
        ShowInTree(std::to_string(category.Id));
        UpdateButtons();
        return;
    }
}

void TFrameCodesEditor::DeleteCategory()
{
    const TCodeNode* node = SelectedNode();
    if (!IsUpkeep() || !node)
        return;
    TTolvexControlClass& context = *GetContext();
    if (context.Services().Gui.AskQuestion("Do you really want to delete it?") != mrYes)
        return;
    const int id = TMemberValueText::ReadInteger(node->Row.Code);
    const std::optional<TPartnerCategory> before = database_->ReadCategory(id);
    QString refusal;
    switch (database_->DeleteCategory(id, TCodeDatabase::CountCategoryUsers(context.GetConnection(), id))) {
    case TCategoryUpkeep::HasChildren: refusal = tr("The category has subcategories: delete them first."); break;
    case TCategoryUpkeep::InUse: refusal = tr("Items are assigned to the category: it cannot be deleted."); break;
    case TCategoryUpkeep::Done:
        if (before) {
            TAbstractDBConnection& table = database_->Connection();
            context.AddUndoAction([&table, row = *before](TAbstractDBConnection&) {
                TCodeDatabase(TCodeSystem::Zarivuro, table).AddCategory(row);
            });
            SetModified();
        }
        break;
    default: break;
    }
    if (!refusal.isEmpty())
        context.Services().Gui.ShowError(S(refusal), false);
    treeModel_->Reload();
    UpdateButtons();
}
