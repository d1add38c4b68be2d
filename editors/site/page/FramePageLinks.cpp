#include "editors/site/page/FramePageLinks.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexGuiControl.h"
#include "common/CommonGui.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/html/dialogs/DialogParams.h"
#include "editors/site/page/FramePageLinksModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/TreeImages.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::Tr;
using TModel = TFramePageLinksModel;

namespace {

constexpr int kGroupRole = Qt::UserRole;
constexpr int kEntryRole = Qt::UserRole + 1;

// An image of the main window's trees by name (none while there is no main window).
QIcon TreeImage(const char* name)
{
    const auto* images = RootObject ? dynamic_cast<const TTreeImages*>(RootObject->GuiControl()) : nullptr;
    return images ? images->TreeImage(name) : QIcon();
}

QIcon EntryImage(const TModel::TLinkEntry& entry)
{
    if (entry.IsCustomLink)
        return TreeImage(entry.IsUrlLink ? "action" : "page");
    return TreeImage(entry.Enabled ? "page" : "page_hidden");
}

void ExpandAll(QTreeWidgetItem& node)
{
    node.setExpanded(true);
    for (int i = 0; i < node.childCount(); ++i)
        ExpandAll(*node.child(i));
}

// The answer of the link dialog; an empty address when it gave none.
TModel::TLinkAnswer AnswerOf(const TDialogParams& params)
{
    TModel::TLinkAnswer answer;
    answer.URL = params.Value("URL");
    answer.PageLink = params.IsYes("PageLink");
    answer.PageId = static_cast<int>(params.Number("PageId"));
    answer.Caption = params.Value("Caption");
    return answer;
}

}  // namespace

TFramePageLinks::TFramePageLinks(TFrameSite& site)
{
    setObjectName("TFramePageLinks");
    TQtFrameSite::PlaceInto(site, this);
}

TFramePageLinks::~TFramePageLinks() = default;

void TFramePageLinks::InitControls()
{
    tvLinks_ = new QTreeWidget(this);
    tvLinks_->setObjectName("tvLinks");
    tvLinks_->setHeaderHidden(true);
    tvLinks_->setItemsExpandable(false);
    tvLinks_->setRootIsDecorated(false);
    tvLinks_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* lblLinks = new QLabel(Tr("Links"), this);
    lblLinks->setBuddy(tvLinks_);

    btnUp_ = new QPushButton(Tr("Up"), this);
    btnUp_->setObjectName("btnUp");
    btnDown_ = new QPushButton(Tr("Down"), this);
    btnDown_->setObjectName("btnDown");
    auto* moves = new QVBoxLayout;
    moves->addWidget(btnUp_);
    moves->addWidget(btnDown_);
    moves->addStretch();

    cbStyle_ = new QComboBox(this);
    cbStyle_->setObjectName("cbStyle");
    for (const auto& [caption, style] : TModel::StyleChoices())
        cbStyle_->addItem(Tr(caption), style);
    lblStyle_ = new QLabel(Tr("Style of links group") + ":", this);
    lblStyle_->setBuddy(cbStyle_);
    edtUrl_ = new QLineEdit(this);
    edtUrl_->setObjectName("edtUrl");
    edtUrl_->setReadOnly(true);
    lblUrl_ = new QLabel(Tr("Hyperlink URL") + ":", this);
    lblUrl_->setBuddy(edtUrl_);

    btnAdd_ = new QPushButton(Tr("Add") + "...", this);
    btnAdd_->setObjectName("btnAdd");
    btnDelete_ = new QPushButton(Tr("Delete"), this);
    btnDelete_->setObjectName("btnDelete");
    btnEdit_ = new QPushButton(Tr("Edit") + "...", this);
    btnEdit_->setObjectName("btnEdit");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAdd_);
    buttons->addWidget(btnEdit_);
    buttons->addWidget(btnDelete_);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblLinks, 0, 0, 1, 2);
    grid->addWidget(tvLinks_, 1, 0);
    grid->addLayout(moves, 1, 1);
    auto* details = new QGridLayout;
    details->addWidget(lblStyle_, 0, 0);
    details->addWidget(cbStyle_, 0, 1);
    details->addWidget(lblUrl_, 1, 0);
    details->addWidget(edtUrl_, 1, 1);
    details->setColumnStretch(1, 1);
    grid->addLayout(details, 2, 0, 1, 2);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    setTabOrder(tvLinks_, btnUp_);
    setTabOrder(btnUp_, btnDown_);
    setTabOrder(btnDown_, cbStyle_);
    setTabOrder(cbStyle_, edtUrl_);
    setTabOrder(edtUrl_, btnAdd_);
    setTabOrder(btnAdd_, btnEdit_);
    setTabOrder(btnEdit_, btnDelete_);

    connect(tvLinks_, &QTreeWidget::currentItemChanged, this, [this] { Selection(); });
    connect(btnAdd_, &QPushButton::clicked, this, [this] { AddLink(); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { EditLink(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { DeleteLink(); });
    connect(btnUp_, &QPushButton::clicked, this, [this] { MoveLink(-1); });
    connect(btnDown_, &QPushButton::clicked, this, [this] { MoveLink(1); });
    connect(cbStyle_, &QComboBox::activated, this, [this](int index) { StyleChosen(index); });

    model_ = std::make_unique<TModel>(SiteModelContextOf(*this));
    model_->Init();
    UpdateButtons();
}

void TFramePageLinks::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_->SetLanguage(SiteModelContextOf(*this).LangCode);
    {
        const TWaitCursor wait(GetContext()->Services().Gui);
        model_->Load();
        Rebuild();
    }
    TrackChanges = true;
    Select(0, -1);
}

void TFramePageLinks::Rebuild()
{
    tvLinks_->clear();
    for (std::size_t group = 0; group < model_->Groups().size(); ++group) {
        auto* node = new QTreeWidgetItem(tvLinks_);
        node->setIcon(0, TreeImage("folder_open"));
        node->setData(0, kGroupRole, static_cast<int>(group));
        node->setData(0, kEntryRole, -1);
        FillGroup(static_cast<int>(group));
    }
}

void TFramePageLinks::FillGroup(int group)
{
    QTreeWidgetItem* node = tvLinks_->topLevelItem(group);
    if (!node)
        return;
    qDeleteAll(node->takeChildren());
    const TModel::TLinkGroup& data = model_->Groups()[group];
    node->setText(0, Q(data.Caption));
    // Entries come in tree order with their depth below the group.
    std::vector<QTreeWidgetItem*> parents{node};
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    for (std::size_t i = 0; i < data.Entries.size(); ++i) {
        const TModel::TLinkEntry& entry = data.Entries[i];
        const std::size_t depth = std::min<std::size_t>(std::max(entry.Depth, 1), parents.size());
        parents.resize(depth);
        auto* child = new QTreeWidgetItem(parents.back(), {Q(entry.Caption)});
        child->setIcon(0, EntryImage(entry));
        child->setData(0, kGroupRole, group);
        child->setData(0, kEntryRole, static_cast<int>(i));
        if (!entry.IsCustomLink)
            child->setForeground(0, grey);
        parents.push_back(child);
    }
    // The tree never collapses.
    ExpandAll(*node);
}

TFramePageLinks::TNodeRef TFramePageLinks::Selected() const
{
    QTreeWidgetItem* node = tvLinks_->currentItem();
    if (!node)
        return {};
    return {node->data(0, kGroupRole).toInt(), node->data(0, kEntryRole).toInt()};
}

void TFramePageLinks::Select(int group, int entry)
{
    QTreeWidgetItem* top = tvLinks_->topLevelItem(group);
    QTreeWidgetItem* found = top;
    if (top && entry >= 0)
        for (QTreeWidgetItemIterator it(top); *it; ++it)
            if ((*it)->data(0, kGroupRole).toInt() == group && (*it)->data(0, kEntryRole).toInt() == entry) {
                found = *it;
                break;
            }
    tvLinks_->setCurrentItem(found);
    Selection();
}

void TFramePageLinks::Selection()
{
    const TNodeRef selected = Selected();
    // Nodes are numbered by the model's lists; a node being replaced may point past them.
    const TModel::TLinkEntry* entry = nullptr;
    const std::vector<TModel::TLinkGroup>& groups = model_->Groups();
    if (selected.Group >= 0 && selected.Group < static_cast<int>(groups.size()) && selected.Entry >= 0 &&
        selected.Entry < static_cast<int>(groups[selected.Group].Entries.size()))
        entry = &groups[selected.Group].Entries[selected.Entry];
    edtUrl_->setText(entry ? Q(entry->LinkTarget) : QString());
    if (selected.Group >= 0 && selected.Group < static_cast<int>(groups.size())) {
        const bool tracking = TrackChanges;
        TrackChanges = false;
        cbStyle_->setCurrentIndex(cbStyle_->findData(model_->ComboStyle(selected.Group)));
        TrackChanges = tracking;
    }
    UpdateButtons();
}

void TFramePageLinks::UpdateButtons()
{
    const TNodeRef selected = Selected();
    const bool top = selected.Group >= 0 && selected.Entry < 0;
    lblStyle_->setEnabled(top);
    cbStyle_->setEnabled(top);
    lblUrl_->setVisible(!top);
    edtUrl_->setVisible(!top);
    btnAdd_->setEnabled(selected.Group >= 0);
    btnDelete_->setEnabled(model_->CanDelete(selected.Group, selected.Entry));
    btnEdit_->setEnabled(btnDelete_->isEnabled());
    btnUp_->setEnabled(model_->CanMoveUp(selected.Group, selected.Entry));
    btnDown_->setEnabled(model_->CanMoveDown(selected.Group, selected.Entry));
}

bool TFramePageLinks::AskLink(TDialogParams& params)
{
    std::vector<std::string> lines = params.Lines();
    if (!GetContext()->RunDialog("SelectPageOrHyperlink", lines))
        return false;
    params = TDialogParams(std::move(lines));
    return true;
}

void TFramePageLinks::Changed(int group, int entry)
{
    FillGroup(group);
    SetModified();
    Select(group, entry);
}

void TFramePageLinks::AddLink()
{
    const int group = Selected().Group;
    if (group < 0)
        return;
    TDialogParams params;
    if (!AskLink(params) || !model_->AddLink(group, AnswerOf(params)))
        return;
    const std::vector<TModel::TLinkEntry>& entries = model_->Groups()[group].Entries;
    Changed(group, static_cast<int>(entries.size()) - 1);
}

void TFramePageLinks::EditLink()
{
    const TNodeRef selected = Selected();
    if (!model_->CanDelete(selected.Group, selected.Entry))
        return;
    TDialogParams params(model_->EditStartValues(selected.Group, selected.Entry));
    if (!AskLink(params) || !model_->EditLink(selected.Group, selected.Entry, AnswerOf(params)))
        return;
    Changed(selected.Group, selected.Entry);
}

void TFramePageLinks::DeleteLink()
{
    const TNodeRef selected = Selected();
    if (!model_->CanDelete(selected.Group, selected.Entry))
        return;
    TCommonGui& gui = GetContext()->Services().Gui;
    if (gui.AskQuestion(model_->DeleteQuestion(selected.Group, selected.Entry), "", false, "", mbYesNo) != mrYes)
        return;
    const std::string error = model_->DeleteLink(selected.Group, selected.Entry);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    const int left = static_cast<int>(model_->Groups()[selected.Group].Entries.size());
    Changed(selected.Group, std::min(selected.Entry, left - 1));
}

void TFramePageLinks::MoveLink(int step)
{
    const TNodeRef selected = Selected();
    const int moved = step < 0 ? model_->MoveUp(selected.Group, selected.Entry)
                               : model_->MoveDown(selected.Group, selected.Entry);
    if (moved >= 0)
        Changed(selected.Group, moved);
}

void TFramePageLinks::StyleChosen(int index)
{
    const TNodeRef selected = Selected();
    if (!TrackChanges || selected.Group < 0 || selected.Entry >= 0 || index < 0)
        return;
    model_->SetStyle(selected.Group, cbStyle_->itemData(index).toInt());
    Changed(selected.Group, -1);
}
