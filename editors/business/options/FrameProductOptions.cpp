#include "editors/business/options/FrameProductOptions.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "editors/business/TypedCellDelegate.h"
#include "editors/business/options/FrameItemOptions.h"
#include "editors/business/options/OptionTableModels.h"
#include "editors/business/options/ProductOptionsModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/NameValueLines.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <cstdlib>

using UiText::Q;

TFrameProductOptions::TFrameProductOptions(TFrameSite& site)
{
    setObjectName("TFrameProductOptions");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameProductOptions::~TFrameProductOptions() = default;

void TFrameProductOptions::InitControls()
{
    WatchChangeKind(TFrameItemOptions::kOptionsChanged);
    model_ = std::make_unique<TProductOptionsModel>(SiteModelContextOf(*this));

    chkHasOptions_ = new QCheckBox(tr("The product &has options"), this);
    chkHasOptions_->setObjectName("chkHasOptions");
    pnlOptions_ = new QWidget(this);
    pnlOptions_->setObjectName("pnlOptions");

    auto* left = new QWidget(pnlOptions_);
    auto* caption = new QLabel(tr("&Options:"), left);
    lvOptions_ = new QListWidget(left);
    lvOptions_->setObjectName("lvOptions");
    caption->setBuddy(lvOptions_);
    btnNew_ = new QPushButton(tr("&New..."), left);
    btnNew_->setObjectName("btnNewOption");
    btnDelete_ = new QPushButton(tr("&Delete"), left);
    btnDelete_->setObjectName("btnDeleteOption");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNew_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(caption);
    leftLayout->addWidget(lvOptions_);
    leftLayout->addLayout(buttons);

    auto* right = new QWidget(pnlOptions_);
    auto* gridCaption = new QLabel(tr("&Combinations:"), right);
    sgCombinations_ = new QTableView(right);
    sgCombinations_->setObjectName("sgCombinations");
    gridCaption->setBuddy(sgCombinations_);
    table_ = new TCombinationTableModel(sgCombinations_, &model_->Combinations(), model_.get());
    sgCombinations_->setModel(table_);
    sgCombinations_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgCombinations_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    sgCombinations_->setItemDelegate(new TTypedCellDelegate(sgCombinations_));
    sgCombinations_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Rows of one height: the view never measures 100,000 rows.
    sgCombinations_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgCombinations_->verticalHeader()->setDefaultSectionSize(sgCombinations_->fontMetrics().height() + 8);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(gridCaption);
    rightLayout->addWidget(sgCombinations_);

    auto* splitter = new QSplitter(pnlOptions_);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({200, 600});
    auto* panelLayout = new QVBoxLayout(pnlOptions_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(splitter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkHasOptions_);
    layout->addWidget(pnlOptions_, 1);

    table_->Edited = [this] {
        if (TrackChanges)
            SetModified();
    };
    connect(chkHasOptions_, &QCheckBox::clicked, this, [this](bool checked) { HasOptionsClicked(checked); });
    connect(btnNew_, &QPushButton::clicked, this, [this] { NewOption(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = lvOptions_->currentItem())
            DeleteOption(item->data(Qt::UserRole).toInt());
    });
    connect(lvOptions_, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    // Only the SKU column takes the cursor.
    connect(sgCombinations_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.column() != table_->SkuColumn() && table_->SkuColumn() >= 0)
                    sgCombinations_->setCurrentIndex(table_->index(current.row(), table_->SkuColumn()));
            });
    UpdateButtons();
}

void TFrameProductOptions::LoadFromObjects(bool /*languageSwitch*/)
{
    loaded_ = false;
    TrackChanges = false;
    // The grid leaves the old model only once it shows the new one.
    std::unique_ptr<TProductOptionsModel> old = std::move(model_);
    model_ = std::make_unique<TProductOptionsModel>(SiteModelContextOf(*this));
    model_->Load();
    Show();
    old.reset();
    TrackChanges = true;
    loaded_ = true;
}

void TFrameProductOptions::Show()
{
    // The grid first: it must not read the rows it showed before the change.
    table_->Reset(&model_->Combinations(), model_.get());
    chkHasOptions_->setChecked(model_->HasOptions());
    pnlOptions_->setVisible(model_->HasOptions());
    const int current = lvOptions_->currentRow();
    lvOptions_->clear();
    for (const TOptionCombinations::TOption& option : model_->Combinations().Options()) {
        auto* item = new QListWidgetItem(Q(option.Name), lvOptions_);
        item->setData(Qt::UserRole, option.OptionId);
    }
    if (lvOptions_->count() > 0)
        lvOptions_->setCurrentRow(current >= 0 && current < lvOptions_->count() ? current : 0);
    sgCombinations_->setVisible(!model_->Combinations().Options().empty());
    if (table_->rowCount() > 0)
        sgCombinations_->setCurrentIndex(table_->index(0, table_->SkuColumn()));
    UpdateButtons();
}

void TFrameProductOptions::StoreToObjects(bool /*languageSwitch*/)
{
    // Nothing is pending: an SKU reaches the objects with each key typed,
    // every other change as it is made.
}

bool TFrameProductOptions::Confirmed(const std::string& question) const
{
    return question.empty() ||
           (CommonProcedures && CommonProcedures->Gui().AskQuestion(question, "", false) == mrYes);
}

void TFrameProductOptions::HasOptionsClicked(bool checked)
{
    if (!loaded_)
        return;
    if (!checked && !Confirmed(model_->Question(model_->LossOfRemoving(std::nullopt)))) {
        chkHasOptions_->setChecked(true);
        return;
    }
    model_->SetHasOptions(checked);
    Show();
    SetModified();
}

void TFrameProductOptions::NewOption()
{
    std::vector<std::string> params;
    if (!GetContext()->RunDialog("EditItemOptions", params))
        return;
    AddOption(std::atoi(ValueOfName(params, "OptionItemId").c_str()));
}

bool TFrameProductOptions::AddOption(int optionId)
{
    if (optionId == 0)
        return false;
    const auto& ids = model_->OptionIds();
    if (std::find(ids.begin(), ids.end(), optionId) == ids.end() &&
        !Confirmed(model_->Question(model_->LossOfAdding())))
        return false;
    const std::string error = model_->AddOption(optionId);
    if (!error.empty()) {
        ShowFrameError(error);
        return false;
    }
    Show();
    lvOptions_->setCurrentRow(lvOptions_->count() - 1);
    SetModified();
    return true;
}

bool TFrameProductOptions::DeleteOption(int optionId)
{
    if (optionId == 0 || !Confirmed(model_->Question(model_->LossOfRemoving(optionId))))
        return false;
    model_->RemoveOption(optionId);
    Show();
    SetModified();
    return true;
}

void TFrameProductOptions::UpdateButtons()
{
    btnDelete_->setEnabled(lvOptions_->currentItem() != nullptr);
}
