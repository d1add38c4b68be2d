#include "editors/site/html/dialogs/SelectPageFrame.h"

#include "catalog/Singletons.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "common/CommonGui.h"
#include "common/Translation.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

TSelectPageFrame::TSelectPageFrame(TSelectPageServices services, QWidget* parent)
    : TSiteDialogFrame(parent), services_(std::move(services)),
      manager_(std::make_unique<TTreeManager>(services_.TreeHost))
{
    layout_ = new QVBoxLayout(this);
    treeCaption_ = new QLabel(Tr("All Pages"), this);
    layout_->addWidget(treeCaption_);
    // The tree view goes here once the manager is set up (it reads its options).

    auto* searchRow = new QHBoxLayout;
    keyword_ = new QLineEdit(this);
    go_ = new QPushButton(Tr("Go"), this);
    go_->setEnabled(false);
    searchRow->addWidget(new QLabel(Tr("Find page by name"), this));
    searchRow->addWidget(keyword_, 1);
    searchRow->addWidget(go_);
    layout_->addLayout(searchRow);
    connect(keyword_, &QLineEdit::textChanged, this, [this](const QString& text) { go_->setEnabled(!text.isEmpty()); });
    connect(keyword_, &QLineEdit::returnPressed, this, &TSelectPageFrame::Search);
    connect(go_, &QPushButton::clicked, this, &TSelectPageFrame::Search);

    captionPanel_ = new QWidget(this);
    auto* panel = new QFormLayout(captionPanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    panel->setRowWrapPolicy(QFormLayout::WrapAllRows);
    caption_ = new QLineEdit(captionPanel_);
    title_ = new QLineEdit(captionPanel_);
    panel->addRow(Tr("Caption"), caption_);
    panel->addRow(Tr("\"A\" html tag \"title\" attribute"), title_);
    captionPanel_->hide();
    layout_->addWidget(captionPanel_);
    connect(caption_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.CaptionTyped(S(text));
        emit Modified();
    });
    connect(title_, &QLineEdit::textEdited, this, &TSiteDialogFrame::Modified);

    newWindow_ = new QCheckBox(Tr("Open in new window"), this);
    layout_->addWidget(newWindow_);
}

TSelectPageFrame::~TSelectPageFrame()
{
    // The view observes the manager: it goes first.
    delete view_;
}

QString TSelectPageFrame::TabCaption() const { return Tr("Select Page"); }

void TSelectPageFrame::InitControls(const TDialogParams& params)
{
    params_ = params;
    form_.Init(params_);
    emit CaptionChanged(Tr(form_.DialogCaption));
    captionPanel_->setVisible(form_.ShowCaptionPanel);
    caption_->setText(Q(form_.Caption));
    treeCaption_->setText(Tr(form_.TreeCaption));

    manager_->Attach(services_.Connection, "", services_.CatalogCode);
    manager_->Setup(form_.RootItemId, form_.TreeOptions, 0, &params_.Lines());
    delete view_;
    view_ = new TCatalogTreeView(*manager_, services_.Images, this);
    view_->setDragDropMode(QAbstractItemView::NoDragDrop);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout_->insertWidget(1, view_, 1);
    treeCaption_->setBuddy(view_);
    setTabOrder(view_, keyword_);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSelectPageFrame::OnSelectionChanged);
    connect(view_, &QAbstractItemView::doubleClicked, this, [this] {
        if (HasSelectedItem())
            emit OkPressed();
    });
    manager_->MakeSelectedVisible();
    emit OkEnabledChanged(HasSelectedItem());
}

bool TSelectPageFrame::HasSelectedItem() const
{
    const TTreeNode* node = manager_->GetSelectedNode();
    return node && node->IsItem() && node->Data->GetDataItemId() != 0;
}

void TSelectPageFrame::OnSelectionChanged()
{
    const TTreeNode* node = manager_->GetSelectedNode();
    if (node && form_.NodeSelected(node->Caption))
        caption_->setText(Q(form_.Caption));
    emit OkEnabledChanged(HasSelectedItem());
}

void TSelectPageFrame::Search()
{
    const std::string keyword = S(keyword_->text());
    if (keyword.find_first_not_of(" \t") == std::string::npos) {
        services_.Gui.ShowError("Enter keyword for search");
        return;
    }
    if (!manager_->FindNext(keyword)) {
        const TTranslation& translation = TTranslation::OrEnglish(::Translation);
        services_.Gui.ShowError(translation.Format(TSelectPageForm::NotFoundMessage(services_.CatalogType), {keyword}),
                                false);
        return;
    }
    OnSelectionChanged();
}

void TSelectPageFrame::Save(TDialogParams& params)
{
    if (!HasSelectedItem())
        return;
    const TTreeNode* node = manager_->GetSelectedNode();
    form_.Caption = S(caption_->text());
    form_.Title = S(title_->text());
    form_.NewWindow = newWindow_->isChecked();
    TSelectPageForm::TPage page;
    page.ItemId = node->ItemId();
    page.ItemType = node->Data->ItemType;
    page.Name = node->Caption;
    page.FileName = services_.PageFileName ? services_.PageFileName(page.ItemId, page.ItemType) : std::string();
    form_.Save(page, params);
}
