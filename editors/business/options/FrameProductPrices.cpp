#include "editors/business/options/FrameProductPrices.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "editors/business/options/OptionTableModels.h"
#include "editors/business/options/ProductPricesModel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Enter in a cell stores it (the grid's delegate takes the key) instead of
// moving the focus on as Enter does in the window's other edits.
class TPriceCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor)
            editor->setProperty("tolvexTag", ControlOperations::kTagEnterNotIntercepted);
        return editor;
    }
};

}  // namespace

TFrameProductPrices::TFrameProductPrices(TFrameSite& site)
{
    setObjectName("TFrameProductPrices");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameProductPrices::~TFrameProductPrices() = default;

void TFrameProductPrices::InitControls()
{
    model_ = std::make_unique<TProductPricesModel>(SiteModelContextOf(*this));
    chkDifferentPrices_ = new QCheckBox(tr("Has different prices for different &options"), this);
    chkDifferentPrices_->setObjectName("chkDifferentPrices");
    sgPrices_ = new QTableView(this);
    sgPrices_->setObjectName("sgPrices");
    table_ = new TPriceTableModel(sgPrices_, model_.get());
    sgPrices_->setModel(table_);
    sgPrices_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgPrices_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgPrices_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    sgPrices_->setItemDelegate(new TPriceCellDelegate(sgPrices_));
    sgPrices_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgPrices_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgPrices_->verticalHeader()->setDefaultSectionSize(sgPrices_->fontMetrics().height() + 8);
    btnNew_ = new QPushButton(tr("&New..."), this);
    btnNew_->setObjectName("btnNewPrice");
    btnEdit_ = new QPushButton(tr("&Edit..."), this);
    btnEdit_->setObjectName("btnEditPrice");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDeletePrice");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNew_);
    buttons->addWidget(btnEdit_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkDifferentPrices_);
    layout->addWidget(sgPrices_, 1);
    layout->addLayout(buttons);

    table_->Edited = [this](const std::string& error) {
        if (!error.empty()) {
            // Shown once the cell's editor is gone; the row keeps its values.
            QTimer::singleShot(0, this, [error] { ShowFrameError(error); });
            return;
        }
        if (TrackChanges)
            SetModified();
    };
    connect(chkDifferentPrices_, &QCheckBox::clicked, this, [this](bool checked) {
        if (!loaded_)
            return;
        model_->SetPerOptionPrices(checked);
        Rebuild(-1);
        SetModified();
    });
    connect(sgPrices_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { UpdateButtons(); });
    connect(btnNew_, &QPushButton::clicked, this, [this] { EditPrice(false); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { EditPrice(true); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { DeletePrice(); });
    // A double click on a cell that is not edited in place opens the dialog.
    connect(sgPrices_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!model_->IsEditable(index.column()))
            EditPrice(true);
    });
}

int TFrameProductPrices::CurrentRow() const
{
    const QModelIndex current = sgPrices_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TFrameProductPrices::LoadFromObjects(bool /*languageSwitch*/)
{
    loaded_ = false;
    const int row = CurrentRow();
    const int instance = row >= 0 && row < static_cast<int>(model_->Rows().size())
                             ? model_->Rows()[static_cast<std::size_t>(row)].PriceInstanceId
                             : -1;
    // The grid leaves the old model only once it shows the new one.
    std::unique_ptr<TProductPricesModel> old = std::move(model_);
    model_ = std::make_unique<TProductPricesModel>(SiteModelContextOf(*this));
    Rebuild(instance);
    old.reset();
    loaded_ = true;
}

void TFrameProductPrices::Rebuild(int selectInstance)
{
    model_->Load();
    table_->Reset(model_.get());
    chkDifferentPrices_->setEnabled(model_->ProductHasOptions());
    chkDifferentPrices_->setChecked(model_->PerOptionPrices());
    int row = model_->RowOfInstance(selectInstance);
    if (row < 0 && !model_->Rows().empty())
        row = 0;
    if (row >= 0)
        sgPrices_->setCurrentIndex(table_->index(row, model_->PriceColumn()));
    UpdateButtons();
}

void TFrameProductPrices::TabShown()
{
    TTolvexFrameEditor::TabShown();
    if (firstShow_) {
        firstShow_ = false;
        return;
    }
    // The options may have changed on their tab since.
    const int row = CurrentRow();
    Rebuild(row >= 0 && row < static_cast<int>(model_->Rows().size())
                ? model_->Rows()[static_cast<std::size_t>(row)].PriceInstanceId
                : -1);
}

void TFrameProductPrices::CommitOpenCell()
{
    for (QLineEdit* editor : sgPrices_->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            QMetaObject::invokeMethod(sgPrices_, "commitData", Qt::DirectConnection, Q_ARG(QWidget*, editor));
}

void TFrameProductPrices::StoreToObjects(bool /*languageSwitch*/)
{
    // The rows are in the objects already; a cell still being typed joins them.
    CommitOpenCell();
}

void TFrameProductPrices::EditPrice(bool existing)
{
    const int row = existing ? CurrentRow() : -1;
    if (existing && row < 0)
        return;
    std::vector<std::string> params = model_->DialogParams(row);
    // The dialog that picks a combination sees the options as this tab does, stored or not.
    std::string options;
    for (const TOptionCombinations::TOption& option : model_->Combinations().Options())
        options += (options.empty() ? "" : ";") + std::to_string(option.OptionId);
    editor_params::SetValue(params, "ProductOptions", options);
    do {
        if (!GetContext()->RunDialog("editprice", params))
            return;
    } while (!ValueOfName(params, "reedit").empty());
    const std::size_t count = model_->RowsToCreate(params);
    if (count > TProductPricesModel::kAskAbove && CommonProcedures &&
        CommonProcedures->Gui().AskQuestion(
            GetContext()->TranslateFmt("\"Include All Options\" will create $1 prices. Do you want to proceed?",
                                       {std::to_string(count)}),
            "", false) != mrYes)
        return;
    int select = -1;
    const std::string error = model_->Apply(params, &select);
    if (!error.empty())
        return ShowFrameError(error);
    table_->Reset(model_.get());
    if (select >= 0)
        sgPrices_->setCurrentIndex(table_->index(select, model_->PriceColumn()));
    UpdateButtons();
    SetModified();
}

void TFrameProductPrices::DeletePrice()
{
    const int row = CurrentRow();
    if (row < 0 || !CommonProcedures ||
        CommonProcedures->Gui().AskQuestion("Do you really want to delete the price?", "", true) != mrYes)
        return;
    model_->Delete(row);
    table_->Reset(model_.get());
    if (!model_->Rows().empty())
        sgPrices_->setCurrentIndex(
            table_->index(std::min(row, static_cast<int>(model_->Rows().size()) - 1), model_->PriceColumn()));
    UpdateButtons();
    SetModified();
}

void TFrameProductPrices::UpdateButtons()
{
    const bool hasRow = CurrentRow() >= 0;
    btnEdit_->setEnabled(hasRow);
    btnDelete_->setEnabled(hasRow);
}
